#include "platform/sockets.h"

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

int WSAStartup(unsigned short version, WSADATA* data)
{
    std::signal(SIGPIPE, SIG_IGN);
    if (data != nullptr) {
        data->wVersion = version;
        data->wHighVersion = MAKEWORD(2, 2);
    }
    return 0;
}

int WSACleanup()
{
    return 0;
}

int closesocket(SOCKET s)
{
    if (s < 0) return -1;
    shutdown(s, SHUT_RDWR);
    return close(s) == 0 ? 0 : -1;
}

int closesocket(std::atomic<int>& shared)
{
    return closesocket(shared.exchange(INVALID_SOCKET));
}
