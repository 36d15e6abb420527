// Time, pauses and the process: the small part of the system the rules need.
#pragma once

#include "platform/wintypes.h"

// Milliseconds of a monotonic clock, truncated to 32 bits: differences taken
// as DWORD stay right across the wrap.
DWORD GetTickCount();

// Blocks the calling thread; never dispatches window events.
void Sleep(DWORD milliseconds);
