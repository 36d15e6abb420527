// The 500 ms tick's helpers that the game flow shares.
#pragma once

// Copies the opponent's decoded setup onto rows 7 to 10, turned 180 degrees:
// the sender's square (x, y) lands on (11 - x, 11 - y).
void CopyOpponentSetupToBoard();

// The opponent's 40 pieces appear on rows 7 to 10.
void PlaceOpponentPieces();
