#include "online/account_server.h"

#include "platform/message_box.h"
#include "platform/process.h"

int (*g_accountMessageBox)(const char* text, UINT type) = AfxMessageBox;

const char* ConnectionProblemText(int language)
{
    return language == 1 ? "Проблема в соединение с сервером. Попробуйте позже."
                         : "Problem in connection with the server. Try again later.";
}

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

AccountExchange ExchangeWithAccountServer(const CString& host, unsigned short port, SOCKET& socket,
                                          SocketAddress& address, const CString& request, char reply[2])
{
    reply[0] = reply[1] = '\0';
    closesocket(socket);
    socket = OpenStreamSocket();
    if (socket == INVALID_SOCKET) return ACCOUNT_NO_SOCKET;
    if (!ResolveHostAddress(host, port, &address) || !ConnectSocket(socket, address)) {
        closesocket(socket);
        socket = INVALID_SOCKET;
        return ACCOUNT_NO_CONNECTION;
    }
    SetReceiveTimeout(socket, ACCOUNT_RECEIVE_LIMIT_MS);
    Sleep(100);
    if (SendBytes(socket, request, request.GetLength()) != request.GetLength()) return ACCOUNT_NO_REPLY;
    return ReceiveBytes(socket, reply, 2) > 0 ? ACCOUNT_REPLY : ACCOUNT_NO_REPLY;
}
