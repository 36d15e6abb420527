#include "online/opponent_move.h"

#include <cstdlib>

#include "rules/board.h"

namespace {

bool OnBoard(int v)
{
    return v >= 1 && v <= 10;
}

bool LineIsFree(int fromX, int fromY, int toX, int toY)
{
    const int stepX = (toX > fromX) - (toX < fromX);
    const int stepY = (toY > fromY) - (toY < fromY);
    for (int x = fromX + stepX, y = fromY + stepY; x != toX || y != toY; x += stepX, y += stepY)
        if (g_cellOwner[x][y] != OWNER_EMPTY) return false;
    return true;
}

}  // namespace

bool OpponentMoveIsValid(int fromX, int fromY, int toX, int toY)
{
    if (!OnBoard(fromX) || !OnBoard(fromY) || !OnBoard(toX) || !OnBoard(toY)) return false;
    if (g_cellOwner[fromX][fromY] != OWNER_COMPUTER) return false;
    const int rank = g_cellRank[fromX][fromY];
    if (rank < RANK_SPY || rank > RANK_MARSHAL) return false;
    const int target = g_cellOwner[toX][toY];
    if (target != OWNER_EMPTY && target != OWNER_PLAYER) return false;
    const int dx = std::abs(toX - fromX);
    const int dy = std::abs(toY - fromY);
    if ((dx == 0) == (dy == 0)) return false;  // no move, or not along a line
    if (rank != RANK_SCOUT) return dx + dy == 1;
    return LineIsFree(fromX, fromY, toX, toY);
}
