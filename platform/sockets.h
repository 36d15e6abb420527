// The game connection's sockets: IPv4 stream sockets with blocking calls.
#pragma once

#include <atomic>

#include "platform/wintypes.h"

typedef int SOCKET;
constexpr SOCKET INVALID_SOCKET = -1;

struct WSADATA {
    unsigned short wVersion;
    unsigned short wHighVersion;
};

constexpr unsigned short MAKEWORD(int low, int high)
{
    return static_cast<unsigned short>((low & 0xFF) | ((high & 0xFF) << 8));
}

// Nothing to start on Linux; also makes a write to a closed connection return
// an error instead of ending the process. Returns 0.
int WSAStartup(unsigned short version, WSADATA* data);
int WSACleanup();

// Shuts the connection down (so a receive blocked in another thread returns)
// and closes it. An invalid handle is ignored. Returns 0, or -1 for an invalid one.
int closesocket(SOCKET s);

// Takes the handle out of a shared variable (leaving -1) and closes it, so
// each connection is closed exactly once whichever thread gets there first.
int closesocket(std::atomic<int>& shared);

// An IPv4 address and port, both in network byte order (what sockaddr_in holds).
struct SocketAddress {
    DWORD address = 0;
    unsigned short port = 0;
};

// A new IPv4 stream socket, INVALID_SOCKET when none can be made.
SOCKET OpenStreamSocket();
// The first IPv4 address of host (a name or dotted text) with port (host
// order); false when it does not resolve. Safe from any thread.
bool ResolveHostAddress(const char* host, unsigned short port, SocketAddress* address);
// Connects s; false on failure.
bool ConnectSocket(SOCKET s, const SocketAddress& address);
// Sends all of the bytes; the count sent, or -1.
int SendBytes(SOCKET s, const char* bytes, int length);
// One receive of at most length bytes: the count, 0 when the peer closed,
// -1 on failure or when the receive time limit ran out.
int ReceiveBytes(SOCKET s, char* buffer, int length);
// A limit on every later receive of s; false on failure.
bool SetReceiveTimeout(SOCKET s, DWORD milliseconds);
