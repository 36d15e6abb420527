// What the game-server client has besides its workers (match_request.cpp,
// move_exchange.cpp, winner_reports.cpp, server_status.cpp, server_ping.cpp)
// and their connections (server_connection.cpp): the notices' texts, the
// readers of the server's replies, the start of a worker and the leave.
#include "online/game_client.h"

#include <algorithm>
#include <cstring>

#include "online/online_host.h"
#include "online/online_state.h"
#include "online/setup_code.h"
#include "rules/board.h"
#include "rules/live_options.h"
#include "rules/rules_host.h"
#include "scene/frame_state.h"

const char* const OPPONENT_LEFT = "rrrr";

namespace {

// The text of a received buffer: up to the first NUL, never past length.
size_t TextLength(const char* bytes, size_t length)
{
    size_t n = 0;
    while (n < length && bytes[n] != '\0') ++n;
    return n;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

// --- texts ---

CString ConnectionProblemText(int language)
{
    return language == 1 ? "Проблема в соединение с сервером. Попробуйте позже."
                         : "Problem in connection with the server. Try again later.";
}

CString OpponentLeftText(int language)
{
    return language == 1 ? "Соперник вышел из игры. Игра продолжается против компьютера."
                         : "Opponent out of the game. Game goes against the computer.";
}

CString GuestName(int language)
{
    return language == 1 ? "(гость)" : "(guest)";
}

bool IsGuestName(const CString& name)
{
    return name == "(гость)" || name == "(guest)";
}

// --- decoders ---

bool DecodePairingReply(const char* bytes, size_t length, PairingReply& out)
{
    if (bytes == nullptr) return false;
    // The decoder's copy: the text up to its first NUL, at most 299 bytes.
    char scan[REPLY_SCAN_SIZE] = {0};
    const size_t n = std::min(TextLength(bytes, length), static_cast<size_t>(REPLY_SCAN_SIZE - 1));
    std::memcpy(scan, bytes, n);
    if (n < static_cast<size_t>(SETUP_MESSAGE_LENGTH) || scan[0] != '!') return false;

    int ranks[40];
    int counts[RANK_KINDS] = {0};
    size_t p = 1;
    for (int code = 0; code < 40; ++code) {
        size_t end = p;
        while (end < n && scan[end] != '!') ++end;
        if (end >= n) return false;  // no closing "!"
        int value = -1;
        if (end - p == 1) {
            value = SetupCodeDigit(scan[p]);
        } else if (end - p == 2 && SetupCodeDigit(scan[p]) == 1) {
            const int second = SetupCodeDigit(scan[p + 1]);
            if (second == 0 || second == 1) value = 10 + second;
        }
        if (value < RANK_BOMB || value > RANK_FLAG) return false;
        ranks[code] = value;
        ++counts[value];
        p = end + 1;
    }
    for (int r = 0; r < RANK_KINDS; ++r)
        if (counts[r] != PIECE_SET[r]) return false;

    std::memcpy(out.ranks, ranks, sizeof ranks);
    out.name = n > static_cast<size_t>(PAIRING_NAME_OFFSET)
                   ? CString(scan + PAIRING_NAME_OFFSET, static_cast<int>(n) - PAIRING_NAME_OFFSET)
                   : CString();
    return true;
}

size_t PairingAfterNotice(const char* bytes, size_t length)
{
    const void* found = bytes ? std::memchr(bytes, MATCH_FOUND, length) : nullptr;
    return found ? static_cast<size_t>(static_cast<const char*>(found) - bytes) : length;
}

size_t PairingReplyEnd(const char* bytes, size_t length)
{
    if (bytes == nullptr) return 0;
    for (size_t p = PAIRING_NAME_OFFSET; p < length; ++p)
        if (bytes[p] == '\0') return p + 1;
    return length;
}

MoveReading DecodeMoveMessage(const char* bytes, size_t length, int move[4])
{
    const size_t n = bytes ? TextLength(bytes, length) : 0;
    if (n == 0) return MOVE_OPPONENT_LEFT;
    if (n != 4) return MOVE_DROPPED;
    if (std::memcmp(bytes, OPPONENT_LEFT, 4) == 0) return MOVE_OPPONENT_LEFT;
    for (int i = 0; i < 4; ++i)
        if (!IsDigit(bytes[i])) return MOVE_OPPONENT_LEFT;
    // Digit d is the sender's square d + 1, which is 11 - (d + 1) here.
    for (int i = 0; i < 4; ++i) move[i] = 10 - (bytes[i] - '0');
    return MOVE_RECEIVED;
}

int ParseOnlineCount(const char* bytes, size_t length)
{
    const size_t n = bytes ? TextLength(bytes, length) : 0;
    auto digit = [](char c) { return IsDigit(c) ? c - '0' : 0; };
    if (n == 1) return digit(bytes[0]);
    if (n == 2) return 10 * digit(bytes[0]) + digit(bytes[1]);
    return 100;
}

bool IsLoginOk(const char* bytes, size_t length)
{
    return bytes != nullptr && length >= 1 && bytes[0] == LOGIN_OK;
}

// --- workers and the leave ---

CWinThread* StartOnlineThread(AFX_THREADPROC fn, LPVOID dialog)
{
    g_workerLanguage = g_language[0];
    return AfxBeginThread(fn, dialog);
}

void LeaveOnlineGame()
{
    g_opponentLeftInDialog = 0;
    g_serverReachable = 0;
    g_blinkStep = 0;
    g_onlineHost.resetBannerAndPolling();
    g_setupMode = 0;
    g_waitingForOpponent = 0;
    g_stopMoveReceive = 1;
    g_onlineGame = 0;
    g_matchState = 0;
    g_matchPending = 0;
    g_onlineTurn = 0;
    CloseServerSocket();
    g_rulesHost.renderFrame();
    NewGame();
    g_rulesHost.renderFrame();
}
