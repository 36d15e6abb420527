#include "rules/plans.h"

#include <cstdlib>

#include "rules/battle.h"

int g_planWeight[PLAN_WEIGHT_COUNT];
int g_planMap[GRID_SIZE][GRID_SIZE][PLAN_TAG_COUNT];
int g_passable[GRID_SIZE][GRID_SIZE];
int g_pathStep[GRID_SIZE][GRID_SIZE];
int g_playerFlagPos[2];
int g_computerFlagPos[2];
int g_flagProximity[GRID_SIZE][GRID_SIZE][2];

namespace {

constexpr int NO_PATH_BAR = 99999;

bool OnBoard(int x, int y) { return x >= 1 && x <= 10 && y >= 1 && y <= 10; }
bool InGrid(int x, int y) { return x >= 0 && x < GRID_SIZE && y >= 0 && y < GRID_SIZE; }
bool IsPiece(int owner) { return owner == OWNER_PLAYER || owner == OWNER_COMPUTER; }
int EnemyOf(int owner) { return owner == OWNER_PLAYER ? OWNER_COMPUTER : OWNER_PLAYER; }
int CellNumber(int x, int y) { return y * 10 + x - 10; }
bool Beats(int x, int y, int tx, int ty) { return ResolveBattle(x, y, tx, ty) == BATTLE_WIN; }

const int* OwnFlag(int owner) { return owner == OWNER_PLAYER ? g_playerFlagPos : g_computerFlagPos; }
const int* EnemyFlag(int owner) { return owner == OWNER_PLAYER ? g_computerFlagPos : g_playerFlagPos; }

bool HasFlagNeighbour(int x, int y)
{
    return g_cellRank[x - 1][y] == RANK_FLAG || g_cellRank[x + 1][y] == RANK_FLAG ||
           g_cellRank[x][y - 1] == RANK_FLAG || g_cellRank[x][y + 1] == RANK_FLAG;
}

int SidePieces(int side)
{
    int sum = 0;
    for (int r = 0; r < RANK_KINDS; ++r)
        sum += g_piecesLeft[side][r];
    return sum;
}

// A target found by a board scan (x outer, y inner); found is false when none.
struct Target {
    bool found;
    int x;
    int y;
};

// The candidate nearest to (x, y); among equally near ones the first in scan order.
template <class Accept>
Target Nearest(int x, int y, Accept accept)
{
    Target best{false, 0, 0};
    int bestDistance = 0;
    for (int tx = 1; tx <= 10; ++tx) {
        for (int ty = 1; ty <= 10; ++ty) {
            if (!accept(tx, ty))
                continue;
            const int d = ManhattanDistance(x, y, tx, ty);
            if (!best.found || d < bestDistance) {
                best = {true, tx, ty};
                bestDistance = d;
            }
        }
    }
    return best;
}

// The first candidate in scan order.
template <class Accept>
Target First(Accept accept)
{
    for (int tx = 1; tx <= 10; ++tx)
        for (int ty = 1; ty <= 10; ++ty)
            if (accept(tx, ty))
                return {true, tx, ty};
    return {false, 0, 0};
}

// Calls visit(x, y, owner, rank) for every piece in scan order.
template <class Visit>
void ForEachPiece(Visit visit)
{
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 10; ++y)
            if (IsPiece(g_cellOwner[x][y]))
                visit(x, y, g_cellOwner[x][y], g_cellRank[x][y]);
}

// Gives the piece on (x, y) the tag of its cell and returns it.
int RenewTag(int x, int y)
{
    g_pieceTag[x][y] = CellNumber(x, y);
    return g_pieceTag[x][y];
}

bool Open(int x, int y) { return g_passable[x][y] != 0; }
bool Blocked(int x, int y) { return g_passable[x][y] == 0; }

// Marks the blocked cells of the path type. The target is never blocked, nor
// the start for types 2 and 3.
void BlockByType(int type, int fromX, int fromY, int toX, int toY)
{
    if (type == 0)
        return;
    const int mover = g_cellOwner[fromX][fromY];
    const int moverRank = g_cellRank[fromX][fromY];
    const int enemy = IsPiece(mover) ? EnemyOf(mover) : -1;
    for (int x = 1; x <= 10; ++x) {
        for (int y = 1; y <= 10; ++y) {
            if (x == toX && y == toY)
                continue;
            if (type >= 2 && x == fromX && y == fromY)
                continue;
            const int owner = g_cellOwner[x][y];
            const int rank = g_cellRank[x][y];
            bool block = false;
            if (type == 1) {
                block = IsPiece(owner) && rank == RANK_BOMB &&
                        !(moverRank == RANK_MINER && owner == enemy);
            } else {
                const bool ownBlocks = type == 2 ? (owner == mover && rank == RANK_BOMB) : owner == mover;
                block = ownBlocks || (owner == enemy && !Beats(fromX, fromY, x, y));
            }
            if (block)
                g_passable[x][y] = 0;
        }
    }
}

// One corner sweep: an open cell is blocked when the three cells toward one
// corner (dx, dy) are blocked and the three toward the opposite corner open.
bool CornerCell(int x, int y, int dx, int dy)
{
    return Blocked(x + dx, y) && Blocked(x, y + dy) && Blocked(x + dx, y + dy) &&
           Open(x - dx, y) && Open(x, y - dy) && Open(x - dx, y - dy);
}

// Runs the pruning sweeps until a whole cycle changes nothing. Returns nothing;
// the start and the target are never blocked.
void Prune(int fromX, int fromY, int toX, int toY)
{
    auto prunable = [&](int x, int y) {
        return Open(x, y) && !(x == fromX && y == fromY) && !(x == toX && y == toY);
    };
    // Scan directions and the corner each sweep tests, in sweep order.
    struct Sweep {
        int xStep;
        int yStep;
        int dx;
        int dy;
    };
    static const Sweep sweeps[4] = {
        {+1, +1, -1, -1},  // x up, y up: lower-left blocked
        {+1, -1, -1, +1},  // x up, y down: upper-left blocked
        {-1, -1, +1, +1},  // x down, y down: upper-right blocked
        {-1, +1, +1, -1},  // x down, y up: lower-right blocked
    };
    bool changed = true;
    while (changed) {
        changed = false;
        for (const Sweep& s : sweeps) {
            for (int i = 0; i < 10; ++i) {
                const int x = s.xStep > 0 ? 1 + i : 10 - i;
                for (int j = 0; j < 10; ++j) {
                    const int y = s.yStep > 0 ? 1 + j : 10 - j;
                    if (prunable(x, y) && CornerCell(x, y, s.dx, s.dy)) {
                        g_passable[x][y] = 0;
                        changed = true;
                    }
                }
            }
        }
        for (int x = 1; x <= 10; ++x) {
            for (int y = 1; y <= 10; ++y) {
                if (!prunable(x, y))
                    continue;
                const int open = Open(x - 1, y) + Open(x + 1, y) + Open(x, y - 1) + Open(x, y + 1);
                if (open < 2) {
                    g_passable[x][y] = 0;
                    changed = true;
                }
            }
        }
    }
}

// Neighbour order of the walk: left, right, down, up.
const int WALK_DX[4] = {-1, +1, 0, 0};
const int WALK_DY[4] = {0, 0, -1, +1};

// Walks from the start toward the target over open cells, numbering the cells
// of the path; dead ends are blocked and left. Returns the final step s.
int Walk(int fromX, int fromY, int toX, int toY)
{
    for (int x = 0; x < GRID_SIZE; ++x)
        for (int y = 0; y < GRID_SIZE; ++y)
            g_pathStep[x][y] = OnBoard(x, y) ? 0 : -1;

    int cx = fromX;
    int cy = fromY;
    int s = 1;
    for (;;) {
        if (cx == toX && cy == toY)
            break;
        g_pathStep[cx][cy] = s;

        int bar = NO_PATH_BAR;
        int next = -1;
        for (int d = 0; d < 4; ++d) {
            const int nx = cx + WALK_DX[d];
            const int ny = cy + WALK_DY[d];
            if (!Open(nx, ny) || g_pathStep[nx][ny] != 0)
                continue;
            const int distance = ManhattanDistance(nx, ny, toX, toY);
            if (distance >= bar)
                continue;
            next = d;
            bar = distance;
            // A step along the axis on which the target is already nearer is
            // slightly less attractive than one that closes the wider gap.
            const int alongX = toX > nx ? toX - nx : nx - toX;
            const int alongY = toY > ny ? toY - ny : ny - toY;
            if (d < 2 && alongX < alongY)
                bar += 1;
            else if (d == 2 && alongY < alongX)
                bar += 1;
        }
        if (next >= 0) {
            cx += WALK_DX[next];
            cy += WALK_DY[next];
            ++s;
            continue;
        }

        // Dead end: block it and step back along the path.
        g_passable[cx][cy] = 0;
        const int backStep = g_pathStep[cx][cy] - 1;
        int back = -1;
        for (int d = 0; d < 4; ++d) {
            const int nx = cx + WALK_DX[d];
            const int ny = cy + WALK_DY[d];
            if (Open(nx, ny) && g_pathStep[nx][ny] == backStep) {
                back = d;
                break;
            }
        }
        if (back < 0)
            break;  // back on the start: the target cannot be reached
        cx += WALK_DX[back];
        cy += WALK_DY[back];
        --s;
    }
    g_pathStep[cx][cy] = s;
    return s;
}

}  // namespace

void FloodPath(int type, int weight, int tag, int fromX, int fromY, int toX, int toY)
{
    if (!OnBoard(fromX, fromY) || !InGrid(toX, toY) || tag < 0 || tag >= PLAN_TAG_COUNT)
        return;

    for (int x = 0; x < GRID_SIZE; ++x)
        for (int y = 0; y < GRID_SIZE; ++y)
            g_passable[x][y] = OnBoard(x, y) && g_cellOwner[x][y] != OWNER_LAKE ? 1 : 0;
    BlockByType(type, fromX, fromY, toX, toY);
    Prune(fromX, fromY, toX, toY);
    const int s = Walk(fromX, fromY, toX, toY);

    const int bonus = type == 3 ? 10 : type == 2 ? 5 : 0;
    for (int x = 1; x <= 10; ++x) {
        for (int y = 1; y <= 10; ++y) {
            if (g_passable[x][y] == 0)
                g_pathStep[x][y] = 0;
            const int n = g_pathStep[x][y];
            if (n <= 0)
                continue;
            const int value = (weight + bonus) * n / s;
            if (value > g_planMap[x][y][tag])
                g_planMap[x][y][tag] = value;
        }
    }
}

void ResetKnowledgeAndPlans()
{
    // A side without a flag (a game saved after a capture) aims at no square.
    g_playerFlagPos[0] = g_playerFlagPos[1] = 0;
    g_computerFlagPos[0] = g_computerFlagPos[1] = 0;
    for (int x = 1; x <= 10; ++x) {
        for (int y = 1; y <= 10; ++y) {
            g_pieceTag[x][y] = 0;
            if (g_cellRank[x][y] != RANK_FLAG)
                continue;
            if (g_cellOwner[x][y] == OWNER_PLAYER) {
                g_playerFlagPos[0] = x;
                g_playerFlagPos[1] = y;
                g_knowledge[x][y] = 1.0f;
            } else if (g_cellOwner[x][y] == OWNER_COMPUTER) {
                g_computerFlagPos[0] = x;
                g_computerFlagPos[1] = y;
                g_knowledge[x][y] = 1.0f;
            }
        }
    }
    for (int x = 1; x <= 10; ++x) {
        for (int y = 1; y <= 10; ++y) {
            const int p0 = 20 - ManhattanDistance(x, y, g_playerFlagPos[0], g_playerFlagPos[1]);
            const int p1 = 20 - ManhattanDistance(x, y, g_computerFlagPos[0], g_computerFlagPos[1]);
            g_flagProximity[x][y][0] = p0 * (p0 + 1) / 2;
            g_flagProximity[x][y][1] = p1 * (p1 + 1) / 2;
        }
    }
    PlanMoves();
}

void PlanMoves()
{
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 10; ++y)
            for (int t = 1; t < PLAN_TAG_COUNT; ++t)
                g_planMap[x][y][t] = 0;

    const int* W = g_planWeight;
    const int computerPieces = SidePieces(2);

    // 1: every piece toward the enemy flag; the computer's miners stay back
    // while its army is large.
    ForEachPiece([&](int x, int y, int owner, int rank) {
        if (owner == OWNER_COMPUTER && rank == RANK_MINER && computerPieces > 20)
            return;
        const int tag = RenewTag(x, y);
        const int* flag = EnemyFlag(owner);
        FloodPath(0, W[0], tag, x, y, flag[0], flag[1]);
        FloodPath(1, W[1], tag, x, y, flag[0], flag[1]);
        FloodPath(2, W[5], tag, x, y, flag[0], flag[1]);
        FloodPath(3, W[5], tag, x, y, flag[0], flag[1]);
    });

    // 2: toward the nearest enemy piece it beats.
    ForEachPiece([&](int x, int y, int owner, int) {
        const int enemy = EnemyOf(owner);
        const Target t = Nearest(x, y, [&](int tx, int ty) {
            return g_cellOwner[tx][ty] == enemy && Beats(x, y, tx, ty);
        });
        if (!t.found || ManhattanDistance(x, y, t.x, t.y) >= 6)
            return;
        const int tag = RenewTag(x, y);
        FloodPath(1, W[1], tag, x, y, t.x, t.y);
        FloodPath(2, W[1], tag, x, y, t.x, t.y);
        FloodPath(3, W[2], tag, x, y, t.x, t.y);
    });

    // A bomb a miner of that owner aims at: the computer only at player bombs
    // it has seen, the player at any computer bomb.
    auto minerTarget = [](int owner, int tx, int ty) {
        if (g_cellRank[tx][ty] != RANK_BOMB)
            return false;
        if (owner == OWNER_COMPUTER)
            return g_cellOwner[tx][ty] == OWNER_PLAYER && g_knowledge[tx][ty] != 0.0f;
        return g_cellOwner[tx][ty] == OWNER_COMPUTER;
    };

    // 3: miners toward the nearest such bomb.
    ForEachPiece([&](int x, int y, int owner, int rank) {
        if (rank != RANK_MINER)
            return;
        const Target t = Nearest(x, y, [&](int tx, int ty) { return minerTarget(owner, tx, ty); });
        if (!t.found || ManhattanDistance(x, y, t.x, t.y) >= 6)
            return;
        const int tag = RenewTag(x, y);
        FloodPath(1, W[4], tag, x, y, t.x, t.y);
        FloodPath(2, W[4], tag, x, y, t.x, t.y);
        FloodPath(3, W[5], tag, x, y, t.x, t.y);
    });

    // 4: miners toward the nearest such bomb that stands next to a flag.
    ForEachPiece([&](int x, int y, int owner, int rank) {
        if (rank != RANK_MINER)
            return;
        const Target t = Nearest(x, y, [&](int tx, int ty) {
            return minerTarget(owner, tx, ty) && HasFlagNeighbour(tx, ty);
        });
        if (!t.found || ManhattanDistance(x, y, t.x, t.y) >= 20)
            return;
        const int tag = RenewTag(x, y);
        FloodPath(3, W[6], tag, x, y, t.x, t.y);
    });

    // 5: ranks 4..10 toward the first enemy miner near their own flag.
    ForEachPiece([&](int x, int y, int owner, int rank) {
        if (rank < 4 || rank > RANK_MARSHAL)
            return;
        const int enemy = EnemyOf(owner);
        const int* flag = OwnFlag(owner);
        const Target t = First([&](int tx, int ty) {
            return g_cellOwner[tx][ty] == enemy && g_cellRank[tx][ty] == RANK_MINER &&
                   ManhattanDistance(tx, ty, flag[0], flag[1]) < 10;
        });
        if (!t.found)
            return;
        const int tag = RenewTag(x, y);
        FloodPath(1, W[3], tag, x, y, t.x, t.y);
        FloodPath(2, W[3], tag, x, y, t.x, t.y);
        FloodPath(3, W[4], tag, x, y, t.x, t.y);
    });

    // 6: toward the first enemy piece (no miner) it beats near its own flag.
    ForEachPiece([&](int x, int y, int owner, int) {
        const int enemy = EnemyOf(owner);
        const int* flag = OwnFlag(owner);
        const Target t = First([&](int tx, int ty) {
            return g_cellOwner[tx][ty] == enemy && g_cellRank[tx][ty] != RANK_MINER &&
                   Beats(x, y, tx, ty) && ManhattanDistance(tx, ty, flag[0], flag[1]) < 8;
        });
        if (!t.found)
            return;
        const int tag = RenewTag(x, y);
        FloodPath(1, W[2], tag, x, y, t.x, t.y);
        FloodPath(2, W[2], tag, x, y, t.x, t.y);
        FloodPath(3, W[3], tag, x, y, t.x, t.y);
    });

    // 7: computer scouts and rank-4 pieces probe the nearest hidden piece that
    // is worth finding out (a bomb or a high rank).
    ForEachPiece([&](int x, int y, int owner, int rank) {
        if (owner != OWNER_COMPUTER || (rank != RANK_SCOUT && rank != 4))
            return;
        const Target t = Nearest(x, y, [&](int tx, int ty) {
            if (g_cellOwner[tx][ty] != OWNER_PLAYER || g_knowledge[tx][ty] != 0.0f)
                return false;
            const int r = g_cellRank[tx][ty];
            return r == RANK_BOMB || r == 7 || r == 8 || r == 9 || r == RANK_MARSHAL;
        });
        if (!t.found || ManhattanDistance(x, y, t.x, t.y) >= 6)
            return;
        const int tag = RenewTag(x, y);
        const int weight = g_cellRank[t.x][t.y] == RANK_BOMB ? W[5] : W[2];
        FloodPath(3, weight, tag, x, y, t.x, t.y);
    });

    // 8: late in the game, when a computer miner nears the player's flag, every
    // computer piece strong enough hunts the player's pieces that could stop it.
    if (SidePieces(1) >= 11)
        return;
    const int fx = g_playerFlagPos[0];
    const int fy = g_playerFlagPos[1];
    ForEachPiece([&](int mx, int my, int owner, int rank) {
        if (owner != OWNER_COMPUTER || rank != RANK_MINER || ManhattanDistance(mx, my, fx, fy) >= 6)
            return;
        const int minerToFlag = ManhattanDistance(mx, my, fx, fy);
        ForEachPiece([&](int px, int py, int pOwner, int pRank) {
            if (pOwner != OWNER_PLAYER || pRank < 4 || pRank > RANK_MARSHAL)
                return;
            if (ManhattanDistance(px, py, fx, fy) + ManhattanDistance(px, py, mx, my) >= minerToFlag + 3)
                return;
            ForEachPiece([&](int qx, int qy, int qOwner, int qRank) {
                if (qOwner != OWNER_COMPUTER || qRank == RANK_FLAG || qRank < pRank)
                    return;
                const int tag = g_pieceTag[qx][qy];
                FloodPath(2, W[7], tag, qx, qy, px, py);
                FloodPath(3, W[8], tag, qx, qy, px, py);
            });
        });
    });
}

int ManhattanDistance(int x1, int y1, int x2, int y2)
{
    return std::abs(x1 - x2) + std::abs(y1 - y2);
}
