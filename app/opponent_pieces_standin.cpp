#include "app/timer_tick.h"
#include "rules/board.h"

// Stands in until the end of setup is built: the opponent's pieces appear at
// once, hidden, without the drop animation.
void PlaceOpponentPieces()
{
    for (int x = 1; x <= 10; ++x)
        for (int y = 7; y <= 10; ++y) {
            g_cellOwner[x][y] = OWNER_COMPUTER;
            g_knowledge[x][y] = 0.0f;
        }
}
