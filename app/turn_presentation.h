// Presentation of a move: highlights on the pieces in battle, sounds, pauses
// and the short bump in which the losing piece shrinks; and the drop of a
// piece placed in the setup. Both block the interface thread, redrawing
// whole frames, and own the animation state the piece drawers read
// (scene/frame_state.h, g_animOffset in scene/board_drawing.h). Their clock,
// pauses, frames and sounds go through g_flowHooks.
#pragma once

extern int g_movePauseMs;       // after a plain move is shown, and after every second phase
extern int g_battlePauseMs;     // before a battle's bump
extern int g_bumpAnimMs;        // length of the bump; a drop lasts two thirds of it
extern double g_bumpAmplitude;  // the largest g_animOffset

// Called by every real move with the move's battle result: phase 1 just
// before the board changes, phase 2 just after, with the same squares.
void ShowMoveResult(int phase, int result, int fromX, int fromY, int toX, int toY);

// The drop animation of the piece standing on (x, y), whether or not
// animations are on; it plays no sound (its callers do).
void AnimatePlacement(int x, int y);
