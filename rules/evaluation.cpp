#include "rules/evaluation.h"

#include "rules/board.h"
#include "rules/plans.h"

int g_pieceValue[PIECE_VALUE_COUNT];

void LoadEvaluationTables()
{
    static const int pieceValue[PIECE_VALUE_COUNT] = {
        25000,  // bomb
        1000,   // spy
        2000,   // scout
        8000,   // miner
        4000, 5000, 6000, 7000, 8000, 9000,
        30000,  // marshal
        50000,  // flag
        0,
        20000,  // spy while the opposing marshal lives
        0,
        12000,  // miner near the enemy flag
    };
    static const int planWeight[PLAN_WEIGHT_COUNT] = {10, 30, 60, 90, 120, 150, 180, 280, 550};
    for (int i = 0; i < PIECE_VALUE_COUNT; ++i)
        g_pieceValue[i] = pieceValue[i];
    for (int i = 0; i < PLAN_WEIGHT_COUNT; ++i)
        g_planWeight[i] = planWeight[i];
}

namespace {

// What a piece's value depends on beyond its own cell: the spy's value by its
// owner and the flag each owner's miners head for. Taken once per evaluation.
struct ValueContext {
    int spyValue[3];
    const int* enemyFlag[3];

    ValueContext()
    {
        spyValue[0] = 0;
        spyValue[OWNER_PLAYER] =
            g_computerMarshalAlive == 1 ? g_pieceValue[VALUE_SPY_VS_MARSHAL] : g_pieceValue[RANK_SPY];
        spyValue[OWNER_COMPUTER] =
            g_playerMarshalAlive == 1 ? g_pieceValue[VALUE_SPY_VS_MARSHAL] : g_pieceValue[RANK_SPY];
        enemyFlag[0] = g_playerFlagPos;
        enemyFlag[OWNER_PLAYER] = g_computerFlagPos;
        enemyFlag[OWNER_COMPUTER] = g_playerFlagPos;
    }
};

// The value of a piece of owner 1 or 2 (any other owner counts as the computer's).
inline int Value(const ValueContext& c, int x, int y, int owner, int rank)
{
    const int side = owner == OWNER_PLAYER ? OWNER_PLAYER : OWNER_COMPUTER;
    int v;
    if (rank == RANK_SPY) {
        v = c.spyValue[side];
    } else if (rank == RANK_MINER) {
        const int* flag = c.enemyFlag[side];
        v = ManhattanDistance(x, y, flag[0], flag[1]) < 6 ? g_pieceValue[VALUE_MINER_NEAR_FLAG]
                                                          : g_pieceValue[RANK_MINER];
    } else if (rank >= RANK_BOMB && rank <= RANK_FLAG) {
        v = g_pieceValue[rank];
    } else {
        v = 0;  // not a piece
    }
    v += g_planMap[x][y][g_pieceTag[x][y]];
    if (owner == OWNER_COMPUTER && rank == RANK_BOMB)
        v += g_flagProximity[x][y][1];
    return owner == OWNER_PLAYER ? -v : v;
}

}  // namespace

int PieceValue(int x, int y, int rank)
{
    return Value(ValueContext(), x, y, g_cellOwner[x][y], rank);
}

int CellValue(int x, int y)
{
    const int owner = g_cellOwner[x][y];
    if (owner != OWNER_PLAYER && owner != OWNER_COMPUTER)
        return 0;
    return Value(ValueContext(), x, y, owner, g_cellRank[x][y]);
}

// Runs at every leaf of the search: one pass over the cells, no calls.
int EvaluateBoard()
{
    const ValueContext context;
    int sum = 0;
    for (int x = 1; x <= 10; ++x) {
        for (int y = 1; y <= 10; ++y) {
            const int owner = g_cellOwner[x][y];
            if (owner == OWNER_PLAYER || owner == OWNER_COMPUTER)
                sum += Value(context, x, y, owner, g_cellRank[x][y]);
        }
    }
    return sum;
}

int IsThreatened(int x, int y, int rank)
{
    if (x < 1 || x > 10 || y < 1 || y > 10)
        return 0;
    const int nx[4] = {x - 1, x + 1, x, x};
    const int ny[4] = {y, y, y - 1, y + 1};
    for (int i = 0; i < 4; ++i) {
        if (g_cellOwner[nx[i]][ny[i]] != OWNER_PLAYER)
            continue;
        const int enemy = g_cellRank[nx[i]][ny[i]];
        if (rank == RANK_BOMB) {
            if (enemy == RANK_MINER)
                return 1;
        } else if (rank >= RANK_SPY && rank <= 9) {
            if (enemy > rank)
                return 1;
        } else if (rank == RANK_FLAG) {
            return 1;
        }
    }
    return 0;
}
