// The game connection's sockets: only what the main window needs so far.
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
