// The game connection's sockets under their Winsock names. Game code includes
// this header and no system one; the few system declarations it repeats are
// left out when the system's own headers came first (platform and tests).
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/wintypes.h"

typedef int SOCKET;
constexpr SOCKET INVALID_SOCKET = -1;
constexpr int SOCKET_ERROR = -1;

struct WSADATA {
    unsigned short wVersion;
    unsigned short wHighVersion;
};

constexpr unsigned short MAKEWORD(int low, int high)
{
    return static_cast<unsigned short>((low & 0xFF) | ((high & 0xFF) << 8));
}

#ifndef _SYS_SOCKET_H
struct sockaddr {
    unsigned short sa_family;
    char sa_data[14];
};
constexpr int AF_INET = 2;
constexpr int SOCK_STREAM = 1;
extern "C" int socket(int domain, int type, int protocol) noexcept;
#endif
#ifndef _NETINET_IN_H
struct in_addr {
    std::uint32_t s_addr;
};
struct sockaddr_in {
    unsigned short sin_family;
    std::uint16_t sin_port;
    in_addr sin_addr;
    unsigned char sin_zero[8];
};
extern "C" std::uint16_t htons(std::uint16_t host) noexcept;
#endif
#ifndef _ARPA_INET_H
extern "C" std::uint32_t inet_addr(const char* text) noexcept;
// 1 when text is an address of family af (AF_INET: a dotted quad of four
// decimal numbers 0..255, nothing before or after), stored into address.
extern "C" int inet_pton(int af, const char* text, void* address) noexcept;
#endif
#ifndef _NETDB_H
struct hostent {
    char* h_name;
    char** h_aliases;
    int h_addrtype;
    int h_length;
    char** h_addr_list;
};
extern "C" hostent* gethostbyname(const char* name);
#endif

// Nothing to start on Linux; also makes a write to a closed connection return
// an error instead of ending the process. Returns 0.
int WSAStartup(unsigned short version, WSADATA* data);
int WSACleanup();

// Connects within 10 seconds (Linux alone would try for about two minutes),
// signals or not.
// 0 on success, SOCKET_ERROR otherwise.
int connect(SOCKET s, const sockaddr* address, int length);

// One send, never raising SIGPIPE; a call interrupted by a signal is repeated.
// The count sent, or SOCKET_ERROR.
int send(SOCKET s, const char* bytes, int length, int flags);

// One receive: the count received, 0 when the peer ended the connection (or
// it was shut down here), SOCKET_ERROR on an error or a timeout. A signal
// during the wait does not end it: the receive goes on for what is left of
// the limit SetReceiveTimeout gave (a time-out is transient, as EAGAIN).
int recv(SOCKET s, char* buffer, int length, int flags);

// True when the last failed send or receive of this thread may simply be
// tried again (interrupted, or no room / nothing yet).
bool SocketErrorIsTransient();

// Gives up a receive on s after milliseconds (0: never).
void SetReceiveTimeout(SOCKET s, DWORD milliseconds);

// Closes the handle: only the connection's owner does this, once, after its
// last use. An invalid handle is ignored. Returns 0, or -1 for an invalid one.
int closesocket(SOCKET s);

// Takes the handle out of a shared variable (leaving -1) and shuts the
// connection down both ways, which wakes a receive blocked in another thread.
// It does not close: the handle stays valid (its number is not reused) until
// its owner closes it. Returns 0, or -1 when the variable held no handle.
int ShutdownSharedSocket(std::atomic<int>& shared);

// Shuts the connection down both ways without closing it.
int ShutdownSocket(SOCKET s);
