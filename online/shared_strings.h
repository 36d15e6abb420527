// Texts that worker threads write and the interface thread reads (the game
// server's address, the news link and text): every read and write of them
// holds the one shared-strings lock, so a reader never sees a torn string.
#pragma once

#include <mutex>

#include "platform/strings.h"

// The lock over every string below; hold it only for a copy or an assignment.
std::mutex& SharedStringsMutex();

// A copy of a shared string, taken under the lock.
CString SharedCopy(const CString& shared);
// Replaces a shared string under the lock.
void SharedAssign(CString& shared, const CString& value);

// The game server's address as dotted text: "127.0.0.1" until the web names one.
extern CString g_serverIp;
