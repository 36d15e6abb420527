// The check of a move received from the opponent before it touches the board.
#pragma once

// True when (fromX, fromY) -> (toX, toY) is a move the opponent may make on
// the board as it stands: every value 1..10; an opponent piece of rank 1..10
// on the from cell; an empty or player cell as target; one orthogonal step,
// or for a scout a straight line over empty cells. The repetition rule and
// the computer's own restrictions do not apply to the opponent.
bool OpponentMoveIsValid(int fromX, int fromY, int toX, int toY);
