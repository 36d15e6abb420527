// The game-flow state every frame reads: which panels are open (the menu mode
// hides the setup tray), the fades, the setup mode, the hovered tray slot and
// what the piece drawers animate. The game flow and the interface write it.
#pragma once

#include <GL/gl.h>

// Entries of g_panelVisible: [0] is the menu mode (a menu or panel has the
// input); each other entry opens one panel.
enum PanelFlag {
    PANEL_FLAG_MENU_MODE = 0,
    PANEL_FLAG_MAIN_MENU = 1,
    PANEL_FLAG_SETTINGS = 2,
    PANEL_FLAG_GAME_OPTIONS = 3,
    PANEL_FLAG_GRAPHICS_OPTIONS = 4,
    PANEL_FLAG_EXTRA_OPTIONS = 5,
    PANEL_FLAG_COLOUR_EDITOR = 6,
    PANEL_FLAG_SAVE_SLOTS = 7,
    PANEL_FLAG_SAVE_CONFIRM = 8,
    PANEL_FLAG_LOAD_LIST = 9,
    PANEL_FLAG_LOAD_CONFIRM = 10,
    PANEL_FLAG_NEW_GAME_CONFIRM = 11,
    PANEL_FLAG_EXIT_CONFIRM = 12,
    PANEL_FLAG_RESET_CONFIRM = 13,
    PANEL_FLAG_LANGUAGE_LIST = 14,
    PANEL_FLAG_ABOUT = 15,
    PANEL_FLAG_TEXT_WINDOW = 16,
    PANEL_FLAG_GAME_OVER = 17,
    PANEL_FLAG_ONLINE_GAME = 18,  // the new-game opponent choice
    PANEL_FLAG_COUNT = 19,
};
extern int g_panelVisible[PANEL_FLAG_COUNT];

extern int g_fadeInProgress;  // 1 during the scene fade-in and first fly-in
extern double g_fadeLevel;    // level of the fade being shown, 0..1
extern GLuint g_splashTex;    // the start-up image
extern int g_setupMode;       // 0 setup choice offered, 1 board takes placements, 2 automatic placement
extern int g_hoverTraySlot;   // tray slot under the cursor, -1 none

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

// The squares of the animation shown (the amount taken off the selection
// scale, g_animOffset, lives with the drawers).
extern int g_animFromRow[2];         // the moving piece's start square (x, y)
extern int g_animToRow[2];           // its target square (x, y)
extern int g_dropRow, g_dropCol;     // square (x, y) of the piece being dropped in
extern int g_battlePlayerRow[2];     // the player's piece in the battle shown, (0, 0) none
extern int g_battleOpponentRow[2];   // the opponent's piece in the battle shown, (0, 0) none
extern int g_showBattlePlayer;       // 1 = glow on the player's battle piece
extern int g_showBattleOpponent;     // 1 = glow on the opponent's battle piece
