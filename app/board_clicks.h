// The board end of a left click: the setup-choice buttons, choosing a rank
// in the setup tray and placing pieces, selecting an own piece, and moving
// or attacking with it; after the player's move the computer's reply
// (offline) or the move handed to the network (online), and the end of an
// online game the move decided. The board acts on what the last pick left
// in g_hoverRow and g_hoverTraySlot, never on the click position.
#pragma once

#include "platform/strings.h"
#include "platform/window.h"

// The setup-choice buttons (shown while the menu is closed and the choice is
// offered): automatic places a ready-made setup and ends the setup, manual
// only makes the board take placements. True when a button took the click.
bool ClickSetupChoice(CPoint point);

// A click that nothing above the board took. dialog is the argument of the
// worker threads the click starts.
void ClickBoard(CWnd* dialog);

// The outgoing move message: each coordinate minus 1 as one decimal digit.
CString MoveMessageFor(int fromX, int fromY, int toX, int toY);

// The end of a game shown: 500 ms, the sound of the result, the game-over
// panel flown in and laid out, a frame.
void ShowGameOver();
