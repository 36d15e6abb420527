// End of the setup and start of play. Offline the computer takes a
// ready-made setup (adjusted to bomb pairs in the player's front rows), its
// pieces drop in one by one, and play starts; online the player's setup
// goes out with the match request and play starts once the opponent's
// setup has arrived.
#pragma once

// Called once the player's 40 pieces stand (after the last placement, or
// after an automatic setup).
void FinishSetup();

// Shows the opponent's pieces, whose ranks stand in rows 7..10 already,
// dropping in one at a time in random order, and counts both full armies.
void PlaceOpponentPieces();

// --- the steps, for FinishSetup and its tests ---

// The three answers to bomb pairs in the player's front rows: each swaps a
// miner and a scout of the computer from rows 8..10 onto fixed squares of
// row 7. The counts of every rank stay as they were.
void AdjustToPlayerBombs();

// The player's 40 ranks in the match request's order: x 1..10 outer, y 1..4 inner.
void PlayerSetupRanks(int ranks[40]);
