// Everything the rules call above themselves: the game flow, the turn
// presentation, the renderer and the sound. The application fills the table
// at start-up; until then (and in tools that play without a window) every
// entry does nothing. The call sites keep their order: only the way the
// callee is reached goes through here.
#pragma once

#include "platform/wintypes.h"

struct RulesHost {
    // The player's 40th piece stands: the opponent sets up and play starts.
    void (*finishSetup)();
    // The drop animation of a piece placed in the setup.
    void (*animatePlacement)(int x, int y);
    // Every real move: phase 1 just before the board changes, phase 2 just after.
    void (*showMoveResult)(int phase, int result, int fromX, int fromY, int toX, int toY);
    // A full redraw.
    void (*renderFrame)();
    // The platform's PlaySoundA: the rules ask for asynchronous playing of a
    // file in the program folder.
    BOOL (*playSound)(const char* path, void* module, DWORD flags);
    // The game has ended: menu mode with the game-over panel flown in and laid out.
    void (*showGameOverPanel)();
};

extern RulesHost g_rulesHost;

// Puts every entry back to its do-nothing default.
void ResetRulesHost();
