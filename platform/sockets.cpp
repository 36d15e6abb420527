#include "platform/sockets.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

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

SOCKET OpenStreamSocket()
{
    const int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    return s < 0 ? INVALID_SOCKET : s;
}

bool ResolveHostAddress(const char* host, unsigned short port, SocketAddress* address)
{
    if (!host || !*host || !address) return false;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host, nullptr, &hints, &found) != 0 || !found) return false;
    const auto* in = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    address->address = in->sin_addr.s_addr;
    address->port = htons(port);
    freeaddrinfo(found);
    return true;
}

bool ConnectSocket(SOCKET s, const SocketAddress& address)
{
    if (s < 0) return false;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = address.port;
    to.sin_addr.s_addr = address.address;
    int result;
    do {
        result = connect(s, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

int SendBytes(SOCKET s, const char* bytes, int length)
{
    if (s < 0 || length < 0 || (!bytes && length > 0)) return -1;
    int done = 0;
    while (done < length) {
        const ssize_t n = send(s, bytes + done, static_cast<size_t>(length - done), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return -1;
        done += static_cast<int>(n);
    }
    return done;
}

int ReceiveBytes(SOCKET s, char* buffer, int length)
{
    if (s < 0 || !buffer || length <= 0) return -1;
    ssize_t n;
    do {
        n = recv(s, buffer, static_cast<size_t>(length), 0);
    } while (n < 0 && errno == EINTR);
    return n < 0 ? -1 : static_cast<int>(n);
}

bool SetReceiveTimeout(SOCKET s, DWORD milliseconds)
{
    timeval limit{};
    limit.tv_sec = static_cast<time_t>(milliseconds / 1000);
    limit.tv_usec = static_cast<suseconds_t>((milliseconds % 1000) * 1000);
    return s >= 0 && setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit) == 0;
}
