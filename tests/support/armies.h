// Both armies of a game on the board: the player's setup values on the
// player's setup cells, the computer's on the computer's (the file layout of
// the ready-made setups).
#pragma once

#include "rules/board.h"
#include "rules/ready_setups.h"

inline void PlaceArmies(const int player[SETUP_VALUE_COUNT], const int computer[SETUP_VALUE_COUNT])
{
    for (int i = 0; i < SETUP_VALUE_COUNT; ++i) {
        int x = 0, y = 0;
        PlayerSetupCell(i, x, y);
        g_cellOwner[x][y] = OWNER_PLAYER;
        g_cellRank[x][y] = player[i];
        ComputerSetupCell(i, x, y);
        g_cellOwner[x][y] = OWNER_COMPUTER;
        g_cellRank[x][y] = computer[i];
    }
}
