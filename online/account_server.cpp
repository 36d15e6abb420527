#include "online/account_server.h"

#include <cstring>

#include "online/game_client.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "platform/window.h"


const char* SocketErrorText()
{
    return "Ошибка создания сокета.";
}

bool IsLatinLettersAndDigits(const CString& text)
{
    for (char c : text.str()) {
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        const bool digit = c >= '0' && c <= '9';
        if (!letter && !digit) return false;
    }
    return true;
}

namespace {

// The first IPv4 address of host with port; false when it does not resolve.
// The dialogs run on the interface thread, the only caller of gethostbyname.
bool ResolveAccountHost(const CString& host, unsigned short port, sockaddr_in& address)
{
    const hostent* entry = gethostbyname(host);
    if (!entry || entry->h_addrtype != AF_INET || entry->h_length != 4 || !entry->h_addr_list ||
        !entry->h_addr_list[0])
        return false;
    address = sockaddr_in{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    std::memcpy(&address.sin_addr, entry->h_addr_list[0], 4);
    return true;
}

void CloseIfOpen(SOCKET& s)
{
    if (s != INVALID_SOCKET) closesocket(s);
    s = INVALID_SOCKET;
}

// The dialogs wait on the interface thread: the reply is waited for in
// slices, and between them the windows are drawn as they ask (the pressed
// button comes up), with no input taken.
int ReceiveReply(SOCKET s, char reply[2])
{
    SetReceiveTimeout(s, ACCOUNT_RECEIVE_SLICE_MS);
    const DWORD start = GetTickCount();
    for (;;) {
        DrawPendingWindows();
        const int got = recv(s, reply, 2, 0);
        if (got >= 0 || !SocketErrorIsTransient()) return got;
        if (GetTickCount() - start >= ACCOUNT_RECEIVE_LIMIT_MS) return SOCKET_ERROR;
    }
}

}  // namespace

AccountExchange ExchangeWithAccountServer(const CString& host, unsigned short port, SOCKET& s,
                                          sockaddr_in& address, const CString& request, char reply[2])
{
    reply[0] = reply[1] = '\0';
    CloseIfOpen(s);
    s = socket(AF_INET, SOCK_STREAM, 0);
    if (s == INVALID_SOCKET) return ACCOUNT_NO_SOCKET;
    if (!ResolveAccountHost(host, port, address) ||
        connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        CloseIfOpen(s);
        return ACCOUNT_NO_CONNECTION;
    }
    DrawPendingWindows();
    Sleep(100);
    if (send(s, request, request.GetLength(), 0) != request.GetLength()) return ACCOUNT_NO_REPLY;
    return ReceiveReply(s, reply) > 0 ? ACCOUNT_REPLY : ACCOUNT_NO_REPLY;
}
