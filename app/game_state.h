// The game-flow flags: the phase of the program and the game, the online
// game, the interface state shared by the handlers, the polling of the
// server. Start values are the values before the start-up loader runs.
// Flags that worker threads also touch are atomics. The board's own flags
// (setup phase, game over, losing side, tray selection, hovered square) live
// with the board in rules/board.h.
#pragma once

#include <atomic>

#include "rules/board.h"

// --- phase ---
extern int g_sceneReady;  // 0 while loading (paint only clears, input ignored), 1 ready
// [0] menu mode, [1] main menu ... [17] game over, [18] online game
constexpr int PANEL_FLAG_COUNT = 19;
extern int g_panelVisible[PANEL_FLAG_COUNT];
extern int g_fadeInProgress;    // 1 during the scene fade-in and first fly-in
extern int g_setupMode;         // 0 setup choice offered, 1 board takes placements, 2 automatic placement

// --- online game (shared with the network threads) ---
extern std::atomic<int> g_onlineGame;         // 1 from the online search to the end of the online game
extern std::atomic<int> g_matchPending;       // 1 from the match request until the opponent's setup shows
extern std::atomic<int> g_matchState;         // 0 idle, 2 reply received, 3 decoded
extern std::atomic<int> g_onlineTurn;         // 0 none, 1 local player moves, 2 waiting for the opponent
extern std::atomic<int> g_opponentMoveReady;  // 1 a received move waits
extern std::atomic<int> g_opponentLeft;       // 1 the opponent left
extern std::atomic<int> g_stopMoveReceive;    // 1 tells the move-receiving thread to stop
// The game-server connection, -1 when there is none. Closed only by taking
// the handle out (closesocket on the atomic), so it is closed exactly once.
extern std::atomic<int> g_serverSocket;

// --- interface ---
extern int g_textWindowOpener;    // 1 caption help button, 2 the menu's rules entry
extern int g_newGameGoesOnline;   // 1 the new-game prompt came from the online banner
extern int g_hoverId;             // interactive element under the cursor, 0 none
extern int g_hoverTraySlot;       // tray slot under the cursor, -1 none
extern int g_mouseHeld;           // 1 from WM_LBUTTONDOWN to WM_LBUTTONUP
extern int g_onlineBannerOn;
extern std::atomic<int> g_blinkStep;  // 0 banner still, 1..7 blinking

// What the piece drawers animate.
enum PieceAnimState {
    ANIM_IDLE = -1,
    ANIM_MOVE = 0,
    ANIM_ATTACKER_WON = 1,
    ANIM_ATTACKER_LOST = 2,
    ANIM_BOTH_REMOVED = 3,
    ANIM_DROP = 4,
};
extern int g_pieceAnimState;

// --- drags and unconfirmed edits of the option panels ---
extern int g_dragKnob[4];         // [0..2] red, green, blue ramp grabbed
extern int g_dragScrollThumb;     // the help text's scroll thumb is grabbed
// Slider knob offsets: [0] shown, [1] when the panel was opened (the confirmed value).
extern int g_pieceScaleSliderPos[2];
extern int g_reflectionSliderPos[2];
extern int g_brightnessSliderPos[2];
extern int g_colourEditValue[6];  // [0..2] red, green, blue edited, [3..5] when the editor opened
extern int g_colourEditSlot;      // 0 board, 1 player's pieces, 2 opponent's pieces, 3 panel colour

// --- the help text window's scrolling ---
extern double g_helpScroll;       // 0 .. range
// Track and thumb edges (client pixels, y up) and the scroll range.
struct HelpScrollBar {
    double trackLeft, trackRight, trackTop, trackBottom;
    double thumbLeft, thumbRight, thumbTop, thumbBottom;
    double range;
};
extern HelpScrollBar g_helpScrollBar;

// --- polling of the server ---
extern int g_pollSuspended;             // 1 no ping until the start-up load is done
extern int g_pollTicks;                 // ticks since the last server ping
extern std::atomic<int> g_serverStatus; // 2 not reachable
extern int g_loadListCount;
