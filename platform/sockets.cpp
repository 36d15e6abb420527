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

#include <chrono>

#include "platform/sockets.h"

namespace {

const int CONNECT_TIMEOUT_MS = 10000;

thread_local int t_lastSocketError = 0;

int Fail()
{
    t_lastSocketError = errno;
    return SOCKET_ERROR;
}

typedef std::chrono::steady_clock Clock;

// What is left of limitMs since start, at least 0.
int MsLeft(Clock::time_point start, int limitMs)
{
    const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    return spent >= limitMs ? 0 : limitMs - static_cast<int>(spent);
}

// The receive limit set on s by SetReceiveTimeout, 0 for none.
int ReceiveLimitMs(SOCKET s)
{
    timeval tv{};
    socklen_t size = sizeof tv;
    if (getsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &tv, &size) != 0) return 0;
    return static_cast<int>(tv.tv_sec * 1000 + (tv.tv_usec + 999) / 1000);
}

// A receive that a signal interrupted, waited for again within what is left
// of the socket's limit (the system restarts no receive that has a limit).
int ReceiveAfterSignal(SOCKET s, char* buffer, int length, int flags, Clock::time_point start)
{
    const int limit = ReceiveLimitMs(s);
    for (;;) {
        if (limit == 0) {
            const ssize_t got = ::recv(s, static_cast<void*>(buffer), static_cast<size_t>(length), flags);
            if (got >= 0) return static_cast<int>(got);
            if (errno == EINTR) continue;
            return Fail();
        }
        const int left = MsLeft(start, limit);
        pollfd p{s, POLLIN, 0};
        const int ready = left == 0 ? 0 : poll(&p, 1, left);
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) return Fail();
        if (ready == 0) {
            errno = EAGAIN;  // what the system's own limit reports
            return Fail();
        }
        const ssize_t got =
            ::recv(s, static_cast<void*>(buffer), static_cast<size_t>(length), flags | MSG_DONTWAIT);
        if (got >= 0) return static_cast<int>(got);
        if (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK) return Fail();
    }
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
        // A signal does not start the time limit again.
        const Clock::time_point start = Clock::now();
        pollfd p{s, POLLOUT, 0};
        int ready;
        do {
            const int left = MsLeft(start, CONNECT_TIMEOUT_MS);
            ready = left == 0 ? 0 : poll(&p, 1, left);
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
    const Clock::time_point start = Clock::now();
    const ssize_t got = ::recv(s, static_cast<void*>(buffer), static_cast<size_t>(length), flags);
    if (got >= 0) return static_cast<int>(got);
    if (errno == EINTR) return ReceiveAfterSignal(s, buffer, length, flags, start);
    return Fail();
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
