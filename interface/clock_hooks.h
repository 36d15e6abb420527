// The clock and the pause of the timed loops on the user-interface thread
// (the start-up's fades, the panels' fly-ins), replaceable so that the loops
// can be run on a fake clock without waiting.
#pragma once

#include "platform/wintypes.h"

struct ClockHooks {
    DWORD (*tick)();                     // milliseconds, as GetTickCount
    void (*sleep)(DWORD milliseconds);  // as Sleep
};
extern ClockHooks g_clockHooks;
// Puts the real clock and Sleep back.
void ResetClockHooks();

// Shared timing variables of the timed loops (g_tickStart is the rules').
extern DWORD g_tickNow;
extern int g_tickElapsed;
