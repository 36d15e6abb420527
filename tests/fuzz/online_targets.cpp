// What comes from the network or the player's settings folder: the stored
// log-in (read as the re-login and the name dialog read it), the three web
// documents and the game server's replies (each parser takes the bytes as
// they were received).
#include <cstdlib>
#include <string>

#include "online/game_client.h"
#include "online/stored_login.h"
#include "online/web.h"
#include "rules/board.h"
#include "tests/fuzz/fuzz_support.h"

int FuzzStoredLogin(const uint8_t* data, size_t size)
{
    const std::string folder = EnterProgramFolder("stored_login");
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    WriteFuzzInput("velmonar/strlp.erg", data, size);
    CString name = "x", password = "x";
    const bool read = ReadStoredLogin(&name, &password);
    FuzzCheck(name.GetLength() <= STORED_LOGIN_MAX_CHARS && password.GetLength() <= STORED_LOGIN_MAX_CHARS,
              "name and password keep at most 20 characters");
    FuzzCheck(read || (name.IsEmpty() && password.IsEmpty()), "no stored log-in leaves nothing behind");
    unsetenv("XDG_CONFIG_HOME");
    return 0;
}

int FuzzWebDocuments(const uint8_t* data, size_t size)
{
    const char* bytes = reinterpret_cast<const char*>(data);
    ParseVersionDocument(bytes, size);
    CString address = "x";
    if (ParseServerAddress(bytes, size, &address)) {
        FuzzCheck(address.GetLength() >= 7 && address.GetLength() <= 15, "an address is a dotted quad");
        FuzzCheck(address.str().find_first_not_of("0123456789.") == std::string::npos, "an address is a dotted quad");
    } else {
        FuzzCheck(address == "x", "no address leaves the old one");
    }
    CString url = "u", text = "t";
    ParseNewsDocument(bytes, size, &url, &text);
    FuzzCheck(url.GetLength() + text.GetLength() <= 256, "the news line is read from 256 bytes at most");
    return 0;
}

int FuzzServerReplies(const uint8_t* data, size_t size)
{
    const char* bytes = reinterpret_cast<const char*>(data);
    PairingReply reply{};
    if (DecodePairingReply(bytes, size, reply)) {
        int counts[RANK_KINDS] = {};
        for (int rank : reply.ranks) {
            FuzzCheck(rank >= 0 && rank < RANK_KINDS, "an accepted setup holds only ranks 0..11");
            ++counts[rank];
        }
        for (int r = 0; r < RANK_KINDS; ++r) FuzzCheck(counts[r] == PIECE_SET[r], "an accepted army is complete");
    }
    int move[4] = {0, 0, 0, 0};
    if (DecodeMoveMessage(bytes, size, move) == MOVE_RECEIVED)
        for (int v : move) FuzzCheck(v >= 1 && v <= 10, "a received move stays on the board");
    ParseOnlineCount(bytes, size);
    IsLoginOk(bytes, size);
    return 0;
}
