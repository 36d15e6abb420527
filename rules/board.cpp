#include "rules/board.h"

#include <cstdlib>
#include <ctime>

#include "platform/program_folder.h"
#include "platform/sound.h"
#include "rules/live_options.h"
#include "rules/rules_host.h"

int g_cellOwner[GRID_SIZE][GRID_SIZE];
int g_cellRank[GRID_SIZE][GRID_SIZE];
float g_knowledge[GRID_SIZE][GRID_SIZE];
int g_pieceTag[GRID_SIZE][GRID_SIZE];
int g_reachable[GRID_SIZE][GRID_SIZE];

int g_trayCount[RANK_KINDS];
int g_piecesLeft[3][RANK_KINDS];
int g_playerMarshalAlive;
int g_computerMarshalAlive;

MoveRecord g_lastMove;
MoveRecord g_lastComputerMove;
int g_lastMoveDirection;
MoveRecord g_moveHistory[3][2] = {{NO_LAST_MOVE, NO_PREVIOUS_MOVE},
                                  {NO_LAST_MOVE, NO_PREVIOUS_MOVE},
                                  {NO_LAST_MOVE, NO_PREVIOUS_MOVE}};
MoveRecord g_forbiddenMove[3] = {NO_FORBIDDEN_MOVE, NO_FORBIDDEN_MOVE, NO_FORBIDDEN_MOVE};

std::atomic<int> g_gameOver{0};
int g_losingSide;

int g_sceneReady = 0;
int g_setupPhase = 1;
int g_selectedTrayRank = -1;
int g_hoverRow[2];
int g_prevHoverSquare[2];
int g_selectedRow[2];
int g_revealRow[2];

namespace {

constexpr int LAKE_CELLS[8][2] = {{3, 5}, {3, 6}, {4, 5}, {4, 6}, {7, 5}, {7, 6}, {8, 5}, {8, 6}};

void ClearPair(int pair[2])
{
    pair[0] = 0;
    pair[1] = 0;
}

int TrayTotal()
{
    int total = 0;
    for (int r = 0; r < RANK_KINDS; ++r)
        total += g_trayCount[r];
    return total;
}

}  // namespace

void NewGame()
{
    g_setupPhase = 1;
    g_selectedTrayRank = -1;
    ClearPair(g_hoverRow);
    ClearPair(g_prevHoverSquare);
    ClearPair(g_selectedRow);
    g_gameOver = 0;
    g_losingSide = 0;

    // Every game gives the computer's rolls and choices a new sequence.
    std::srand(static_cast<unsigned>(std::time(nullptr)));

    for (int r = 0; r < RANK_KINDS; ++r)
        g_trayCount[r] = PIECE_SET[r];

    for (int x = 1; x <= 10; ++x) {
        for (int y = 1; y <= 10; ++y) {
            g_cellOwner[x][y] = OWNER_EMPTY;
            g_cellRank[x][y] = RANK_EMPTY;
            g_reachable[x][y] = -1;
            g_knowledge[x][y] = 0.0f;
            g_pieceTag[x][y] = 1;
        }
    }

    g_lastMove = MoveRecord{0, 0, 0, 0};
    g_lastComputerMove = MoveRecord{0, 0, 0, 0};
    g_lastMoveDirection = 0;
    ClearPair(g_revealRow);

    for (const auto& lake : LAKE_CELLS)
        g_cellOwner[lake[0]][lake[1]] = OWNER_LAKE;

    for (int i = 0; i < GRID_SIZE; ++i) {
        g_cellOwner[i][0] = OWNER_BORDER;
        g_cellRank[i][0] = RANK_BORDER;
        g_cellOwner[i][GRID_SIZE - 1] = OWNER_BORDER;
        g_cellRank[i][GRID_SIZE - 1] = RANK_BORDER;
        g_cellOwner[0][i] = OWNER_BORDER;
        g_cellRank[0][i] = RANK_BORDER;
        g_cellOwner[GRID_SIZE - 1][i] = OWNER_BORDER;
        g_cellRank[GRID_SIZE - 1][i] = RANK_BORDER;
    }

    // Only the player's setup zone can be picked while the pieces are arranged.
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 4; ++y)
            g_reachable[x][y] = 0;

    for (int side = 1; side <= 2; ++side) {
        g_moveHistory[side][0] = NO_LAST_MOVE;
        g_moveHistory[side][1] = NO_PREVIOUS_MOVE;
        g_forbiddenMove[side] = NO_FORBIDDEN_MOVE;
    }
}

void PlaceSetupPiece(int rank)
{
    // The click handler passes -1 when no tray rank is chosen.
    if (rank < 0 || rank >= RANK_KINDS)
        return;
    if (g_trayCount[rank] == 0)
        return;

    const int x = g_hoverRow[0];
    const int y = g_hoverRow[1];
    if (x < 0 || x >= GRID_SIZE || y < 0 || y >= GRID_SIZE)
        return;

    const int owner = g_cellOwner[x][y];
    if (owner == OWNER_EMPTY) {
        g_cellOwner[x][y] = OWNER_PLAYER;
        g_cellRank[x][y] = rank;
        --g_trayCount[rank];
        if (TrayTotal() == 0) {
            g_selectedTrayRank = -1;
            ClearPair(g_hoverRow);
            g_rulesHost.finishSetup();
        }
    } else if (owner == OWNER_PLAYER) {
        const int old = g_cellRank[x][y];
        if (old == rank)
            return;
        // The piece standing there goes back to the tray.
        if (old >= 0 && old < RANK_KINDS)
            ++g_trayCount[old];
        g_cellRank[x][y] = rank;
        --g_trayCount[rank];
    }
    // Any other owner: the board does not change, but the click still sounds.

    g_rulesHost.playSound(g_appDir + "/sound/H2.wav", nullptr, SND_ASYNC);
    if (g_animationsOn == 1)
        g_rulesHost.animatePlacement(g_hoverRow[0], g_hoverRow[1]);
    g_rulesHost.renderFrame();
}
