// Presentation of a move: sounds, pauses and the short piece animations.
#pragma once

// Called by every real move: phase 1 just before the board changes, phase 2 just after.
void ShowMoveResult(int phase, int result, int fromX, int fromY, int toX, int toY);

// The drop animation of a piece placed in the setup.
void AnimatePlacement(int x, int y);

// What the piece drawers animate (g_pieceAnimState is in app/game_state.h;
// the amount taken off the selection scale, g_animOffset, lives with the drawers).
extern int g_animFromRow[2];         // the moving piece's start square (x, y)
extern int g_animToRow[2];           // its target square (x, y)
extern int g_dropRow, g_dropCol;     // square (x, y) of the piece being dropped in
extern int g_battlePlayerRow[2];     // the player's piece in the battle shown, (0, 0) none
extern int g_battleOpponentRow[2];   // the opponent's piece in the battle shown, (0, 0) none
extern int g_showBattlePlayer;       // 1 = glow on the player's battle piece
extern int g_showBattleOpponent;     // 1 = glow on the opponent's battle piece
