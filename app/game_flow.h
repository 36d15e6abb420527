// The game-flow flags shared by the handlers of every subsystem.
#pragma once

constexpr int PANEL_FLAG_COUNT = 19;

extern int g_sceneReady;                        // 0 while loading, 1 once frames are drawn and input is taken
extern int g_panelVisible[PANEL_FLAG_COUNT];    // [0] menu mode, [1] main menu ... [17] game over, [18] online game
