#include "rules/move_gen.h"

namespace {

// Where the moves of one call go.
struct Sink {
    int* fromX;
    int* fromY;
    int* toX;
    int* toY;
    int count;
};

// Adds a move; false once the list is full, so that listing stops there.
inline bool Add(Sink& sink, int fx, int fy, int tx, int ty)
{
    if (sink.count >= MOVE_LIST_CAPACITY)
        return false;
    sink.fromX[sink.count] = fx;
    sink.fromY[sink.count] = fy;
    sink.toX[sink.count] = tx;
    sink.toY[sink.count] = ty;
    ++sink.count;
    return sink.count < MOVE_LIST_CAPACITY;
}

// Tier in which an attack of rank r on an enemy piece of rank t is listed:
// 1 when the mover wins or ties (or takes the flag), 3 for the other attacks,
// 0 for the two attacks never listed (scout on flag, spy on spy).
inline int AttackTier(int r, int t)
{
    switch (r) {
    case RANK_SPY:
        if (t == RANK_MARSHAL || t == RANK_FLAG)
            return 1;
        if (t == RANK_BOMB || (t >= 2 && t <= 9))
            return 3;
        return 0;
    case RANK_SCOUT:
        if (t == RANK_SPY || t == RANK_SCOUT)
            return 1;
        if (t == RANK_BOMB || (t >= 3 && t <= 10))
            return 3;
        return 0;
    case RANK_MINER:
        if (t <= 3 || t == RANK_FLAG)
            return 1;
        if (t >= 4 && t <= 10)
            return 3;
        return 0;
    default:  // ranks 4..10
        if (t == RANK_FLAG || (t != RANK_BOMB && r >= t))
            return 1;
        if (t == RANK_BOMB || (r < t && t != RANK_FLAG))
            return 3;
        return 0;
    }
}

// Neighbour order of a stepping piece, and line order of a scout.
constexpr int STEPS[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
constexpr int LINES[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};

// Lists the moves of one tier of the piece of rank r on (x, y); false once the list is full.
bool ListPiece(Sink& sink, int tier, int enemy, int r, int x, int y)
{
    if (r == RANK_SCOUT) {
        for (const auto& line : LINES) {
            int cx = x + line[0];
            int cy = y + line[1];
            while (cx >= 1 && cx <= 10 && cy >= 1 && cy <= 10 && g_cellOwner[cx][cy] == OWNER_EMPTY) {
                if (tier == 2 && !Add(sink, x, y, cx, cy))
                    return false;
                cx += line[0];
                cy += line[1];
            }
            // The line ends at a lake, the border, an own piece or the first enemy piece.
            if (tier != 2 && g_cellOwner[cx][cy] == enemy && AttackTier(r, g_cellRank[cx][cy]) == tier &&
                !Add(sink, x, y, cx, cy))
                return false;
        }
        return true;
    }
    for (const auto& step : STEPS) {
        const int cx = x + step[0];
        const int cy = y + step[1];
        const int owner = g_cellOwner[cx][cy];
        bool listed;
        if (tier == 2)
            listed = owner == OWNER_EMPTY;
        else
            listed = owner == enemy && AttackTier(r, g_cellRank[cx][cy]) == tier;
        if (listed && !Add(sink, x, y, cx, cy))
            return false;
    }
    return true;
}

// One scan of the board for one tier; false once the list is full.
bool ListTier(Sink& sink, int side, int tier)
{
    const int enemy = side == 1 ? 2 : 1;
    // The computer's pieces are taken from the smallest x (then y), the player's from the largest.
    const int start = side == 2 ? 1 : 10;
    const int step = side == 2 ? 1 : -1;
    for (int i = 0, x = start; i < 10; ++i, x += step) {
        for (int j = 0, y = start; j < 10; ++j, y += step) {
            if (g_cellOwner[x][y] != side)
                continue;
            const int r = g_cellRank[x][y];
            if (r < RANK_SPY || r > RANK_MARSHAL)
                continue;  // bombs and flags never move
            if (!ListPiece(sink, tier, enemy, r, x, y))
                return false;
        }
    }
    return true;
}

}  // namespace

int GenerateMoves(int side, int fromX[], int fromY[], int toX[], int toY[])
{
    if (side != 1 && side != 2)
        return 0;
    Sink sink{fromX, fromY, toX, toY, 0};
    for (int tier = 1; tier <= 3; ++tier)
        if (!ListTier(sink, side, tier))
            break;
    return sink.count;
}

bool OnlyForbiddenMoveLeft(int side)
{
    if (side != 1 && side != 2)
        return false;
    MoveList list;
    list.count = GenerateMoves(side, list.fromX, list.fromY, list.toX, list.toY);
    if (list.count == 0)
        return false;
    for (int i = 0; i < list.count; ++i)
        if (MoveRecord{list.fromX[i], list.fromY[i], list.toX[i], list.toY[i]} != g_forbiddenMove[side])
            return false;
    return true;
}
