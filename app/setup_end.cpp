#include "app/setup_end.h"

#include <cstdlib>

#include "app/flow_hooks.h"
#include "app/turn_presentation.h"
#include "online/game_client.h"
#include "online/online_state.h"
#include "online/setup_code.h"
#include "platform/window.h"
#include "rules/board.h"
#include "rules/live_options.h"
#include "rules/plans.h"
#include "rules/ready_setups.h"
#include "rules/search.h"

namespace {

const DWORD COMPUTER_FIRST_MOVE_PAUSE_MS = 1000;

// Puts rank on (x, 7): the rank that stood there goes to the first cell of
// rows 10 down to 8 (x 1..10 outer) that holds the wanted rank; with none
// there the square keeps its rank.
void SwapOntoFrontRow(int x, int rank)
{
    const int y = 7;
    const int remembered = g_cellRank[x][y];
    g_cellRank[x][y] = rank;
    for (int sx = 1; sx <= 10; ++sx)
        for (int sy = 10; sy >= 8; --sy)
            if (g_cellRank[sx][sy] == rank) {
                g_cellRank[sx][sy] = remembered;
                return;
            }
    g_cellRank[x][y] = remembered;
}

void MinerAndScoutTo(int minerX, int scoutX)
{
    SwapOntoFrontRow(minerX, RANK_MINER);
    SwapOntoFrontRow(scoutX, RANK_SCOUT);
}

bool BombAt(int x, int y)
{
    return g_cellRank[x][y] == RANK_BOMB;
}

void FinishSetupOnline()
{
    int ranks[40];
    PlayerSetupRanks(ranks);
    WriteSharedText(g_setupMessage, EncodeSetupMessage(ranks));
    g_opponentMoveReady = 0;
    CloseServerSocket();  // the match thread opens a connection of its own
    g_matchPending = 1;
    g_autoRelogin = 1;
    g_flowHooks.beginThread(MatchRequestThread, AfxGetMainWnd());
    // The setup phase stays on until the opponent's pieces are shown.
}

void FinishSetupOffline()
{
    // The choice reads only setup files with 40 ranks 0..11 and rewrites
    // the recent list; without one it gives the built-in setup.
    int values[SETUP_VALUE_COUNT];
    ChooseReadySetup(values);
    for (int i = 0; i < SETUP_VALUE_COUNT; ++i) {
        int x = 0, y = 0;
        ComputerSetupCell(i, x, y);
        g_cellRank[x][y] = values[i];  // the owners stay empty until the pieces drop in
    }
    AdjustToPlayerBombs();
    PlaceOpponentPieces();
    g_computerMarshalAlive = 1;
    g_playerMarshalAlive = 1;
    ResetKnowledgeAndPlans();
    if (g_computerMovesFirst == 1) {
        g_flowHooks.sleep(COMPUTER_FIRST_MOVE_PAUSE_MS);
        ComputerTurn();
    }
    g_setupPhase = 0;
}

}  // namespace

void AdjustToPlayerBombs()
{
    if ((BombAt(1, 4) && BombAt(2, 4)) || (BombAt(1, 3) && BombAt(2, 4))) MinerAndScoutTo(3, 2);
    if (BombAt(5, 4) && BombAt(6, 4)) {
        const int r = g_cellRank[4][7];
        if (r < g_cellRank[7][7] && r > RANK_SPY)
            MinerAndScoutTo(4, 5);
        else
            MinerAndScoutTo(7, 6);
    }
    if ((BombAt(9, 4) && BombAt(10, 4)) || (BombAt(9, 4) && BombAt(10, 3))) MinerAndScoutTo(8, 9);
}

void PlayerSetupRanks(int ranks[40])
{
    int k = 0;
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 4; ++y) ranks[k++] = g_cellRank[x][y];
}

void FinishSetup()
{
    if (g_onlineGame == 1)
        FinishSetupOnline();
    else
        FinishSetupOffline();
}

void PlaceOpponentPieces()
{
    bool drawn[SETUP_VALUE_COUNT] = {};
    int order[SETUP_VALUE_COUNT];
    for (int& m : order) {
        do
            m = std::rand() % SETUP_VALUE_COUNT;
        while (drawn[m]);
        drawn[m] = true;
    }
    for (int m : order) {
        const int x = m % 10 + 1;
        const int y = m / 10 + 7;
        g_cellOwner[x][y] = OWNER_COMPUTER;
        PlayFlowSound("/sound/H2.wav");
        AnimatePlacement(x, y);
    }
    for (int r = 0; r < RANK_KINDS; ++r) {
        g_piecesLeft[1][r] = PIECE_SET[r];
        g_piecesLeft[2][r] = PIECE_SET[r];
    }
}
