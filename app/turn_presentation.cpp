#include "app/turn_presentation.h"

int g_animFromRow[2] = {0, 0};
int g_animToRow[2] = {0, 0};
int g_dropRow = 0;
int g_dropCol = 0;
int g_battlePlayerRow[2] = {0, 0};
int g_battleOpponentRow[2] = {0, 0};
int g_showBattlePlayer = 0;
int g_showBattleOpponent = 0;

// Stand in for the turn presentation until the game-flow work builds it.
void ShowMoveResult(int, int, int, int, int, int) {}
void AnimatePlacement(int, int) {}
