// What the game flow's handlers reach outside the game state: the clock,
// pauses, frames, sounds, the pick under the mouse, worker threads and the
// texture rebuilds of the option drags. Replaceable so that tests can record
// every step and run without waiting; the program never changes them.
#pragma once

#include "platform/threads.h"
#include "platform/wintypes.h"

struct FlowHooks {
    DWORD (*tick)();                                   // GetTickCount
    void (*sleep)(DWORD milliseconds);                 // Sleep
    void (*renderFrame)();                             // RenderFrame
    BOOL (*playSound)(const char* path, void* module, DWORD flags);  // PlaySoundA
    void (*pickUnderMouse)();                          // PickUnderMouse
    CWinThread* (*beginThread)(AFX_THREADPROC fn, LPVOID param);     // AfxBeginThread
    void (*buildPieceTextures)(int which);             // BuildPieceTextures
    void (*rebuildPanelTextures)(int mode);            // RebuildPanelTextures
};
extern FlowHooks g_flowHooks;
void ResetFlowHooks();

// Plays g_appDir + name (such as "/sound/H1.wav") asynchronously.
void PlayFlowSound(const char* name);
