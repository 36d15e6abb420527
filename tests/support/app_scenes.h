// What the app's tests share: a position set up on either side of the board,
// a click on a square, and the calls the rules' recorder took counted.
#pragma once

#include <string>

#include "app/board_clicks.h"
#include "rules/board.h"
#include "tests/support/recorder.h"

// A click on square (x, y) of the board, as the last pick left it under the mouse.
inline void ClickSquare(int x, int y)
{
    g_hoverRow[0] = x;
    g_hoverRow[1] = y;
    ClickBoard(nullptr);
}

// How many of the calls recorded since the last clear bear the name.
inline int RecordedCount(const std::string& name)
{
    int n = 0;
    for (const auto& call : RecordedCalls()) n += call.name == name;
    return n;
}

// The side's 6 in its own corner column, boxed in by its own bombs, back from
// the square it went to: its only way out is the move the repetition rule
// forbids. Side 1: the 6 on (1,3), come back from (1,2), bombs on (1,4) and
// (2,1) to (2,3); side 2 the same turned (the 6 on (10,8)). put(x, y, owner,
// rank) places a piece.
template <typename Put>
void BoxInByOwnBombs(int side, Put put)
{
    const int owner = side == 1 ? OWNER_PLAYER : OWNER_COMPUTER;
    const auto at = [side](int v) { return side == 1 ? v : 11 - v; };
    put(at(1), at(3), owner, 6);
    put(at(1), at(4), owner, RANK_BOMB);
    for (int y = 1; y <= 3; ++y) put(at(2), at(y), owner, RANK_BOMB);
    g_moveHistory[side][0] = MoveRecord{at(1), at(2), at(1), at(3)};
    g_moveHistory[side][1] = MoveRecord{at(1), at(3), at(1), at(2)};
    g_forbiddenMove[side] = MoveRecord{at(1), at(3), at(1), at(2)};
}
