#include "interface/clock_hooks.h"

#include "platform/process.h"

ClockHooks g_clockHooks = {GetTickCount, Sleep};
DWORD g_tickNow = 0;
int g_tickElapsed = 0;

void ResetClockHooks()
{
    g_clockHooks = ClockHooks{GetTickCount, Sleep};
}
