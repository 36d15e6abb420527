// Listing every move of one side, in the order the computer's search wants
// them: attacks the mover wins or ties first, then quiet moves, then the other
// attacks.
#pragma once

#include "rules/board.h"

// A move list: four parallel arrays and the number of entries in use.
struct MoveList {
    int fromX[MOVE_LIST_CAPACITY];
    int fromY[MOVE_LIST_CAPACITY];
    int toX[MOVE_LIST_CAPACITY];
    int toY[MOVE_LIST_CAPACITY];
    int count;
};

// Writes the moves of side 1 (player) or 2 (computer) into entries 0..count-1
// of the four arrays (each at least MOVE_LIST_CAPACITY long) and returns the
// count; entries after it are left as they were. Listing stops at
// MOVE_LIST_CAPACITY. Any other side lists nothing. A scout attacking the
// enemy flag and a spy attacking the enemy spy are never listed.
int GenerateMoves(int side, int fromX[], int fromY[], int toX[], int toY[]);

// True when side has moves but every one listed is the move the repetition
// rule forbids it: the side cannot move, and a side that cannot move loses.
bool OnlyForbiddenMoveLeft(int side);
