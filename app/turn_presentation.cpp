#include "app/turn_presentation.h"

// Stand in for the turn presentation until the game-flow work builds it.
void ShowMoveResult(int, int, int, int, int, int) {}
void AnimatePlacement(int, int) {}
