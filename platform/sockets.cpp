#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include "platform/sockets.h"

namespace {

const int CONNECT_TIMEOUT_MS = 10000;

thread_local int t_lastSocketError = 0;

int Fail()
{
    t_lastSocketError = errno;
    return SOCKET_ERROR;
}

}  // namespace

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

int connect(SOCKET s, const sockaddr* address, int length)
{
    if (s < 0 || address == nullptr || length <= 0) return SOCKET_ERROR;
    const int flags = fcntl(s, F_GETFL, 0);
    if (flags < 0 || fcntl(s, F_SETFL, flags | O_NONBLOCK) < 0) return Fail();
    int result = ::connect(s, address, static_cast<socklen_t>(length));
    if (result < 0 && errno == EINPROGRESS) {
        pollfd p{s, POLLOUT, 0};
        int ready;
        do {
            ready = poll(&p, 1, CONNECT_TIMEOUT_MS);
        } while (ready < 0 && errno == EINTR);
        int error = ETIMEDOUT;
        socklen_t size = sizeof error;
        if (ready == 1) getsockopt(s, SOL_SOCKET, SO_ERROR, &error, &size);
        if (error == 0) {
            result = 0;
        } else {
            errno = error;
            result = -1;
        }
    }
    const int saved = errno;
    fcntl(s, F_SETFL, flags);
    errno = saved;
    return result == 0 ? 0 : Fail();
}

int send(SOCKET s, const char* bytes, int length, int flags)
{
    if (s < 0 || bytes == nullptr || length < 0) return SOCKET_ERROR;
    ssize_t sent;
    do {
        sent = ::send(s, static_cast<const void*>(bytes), static_cast<size_t>(length), flags | MSG_NOSIGNAL);
    } while (sent < 0 && errno == EINTR);
    return sent < 0 ? Fail() : static_cast<int>(sent);
}

int recv(SOCKET s, char* buffer, int length, int flags)
{
    if (s < 0 || buffer == nullptr || length < 0) return SOCKET_ERROR;
    const ssize_t got = ::recv(s, static_cast<void*>(buffer), static_cast<size_t>(length), flags);
    return got < 0 ? Fail() : static_cast<int>(got);
}

bool SocketErrorIsTransient()
{
    return t_lastSocketError == EINTR || t_lastSocketError == EAGAIN || t_lastSocketError == EWOULDBLOCK;
}

void SetReceiveTimeout(SOCKET s, DWORD milliseconds)
{
    if (s < 0) return;
    timeval tv{};
    tv.tv_sec = static_cast<time_t>(milliseconds / 1000);
    tv.tv_usec = static_cast<suseconds_t>((milliseconds % 1000) * 1000);
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
}

int closesocket(SOCKET s)
{
    if (s < 0) return -1;
    return close(s) == 0 ? 0 : -1;
}

int ShutdownSocket(SOCKET s)
{
    if (s < 0) return -1;
    return shutdown(s, SHUT_RDWR) == 0 ? 0 : -1;
}

int ShutdownSharedSocket(std::atomic<int>& shared)
{
    const SOCKET s = shared.exchange(INVALID_SOCKET);
    if (s < 0) return -1;
    ShutdownSocket(s);
    return 0;
}
