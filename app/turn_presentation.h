// Presentation of a move: sounds, pauses and the short piece animations.
#pragma once

// Called by every real move: phase 1 just before the board changes, phase 2 just after.
void ShowMoveResult(int phase, int result, int fromX, int fromY, int toX, int toY);

// The drop animation of a piece placed in the setup.
void AnimatePlacement(int x, int y);
