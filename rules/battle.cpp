#include "rules/battle.h"

#include "rules/board.h"
#include "rules/rules_host.h"

int g_lastComputerBattle;

namespace {

// Side whose counters a piece belongs to: the selected player piece counts as the player's.
int PieceSide(int owner)
{
    if (owner == OWNER_PLAYER || owner == OWNER_SELECTED)
        return 1;
    if (owner == OWNER_COMPUTER)
        return 2;
    return 0;
}

// Side whose history a real move updates: the player moves a selected piece,
// the computer (or online opponent) its own; any other mover updates none.
int MoverSide(int owner)
{
    if (owner == OWNER_SELECTED)
        return 1;
    if (owner == OWNER_COMPUTER)
        return 2;
    return 0;
}

bool IsRank(int rank) { return rank >= 0 && rank < RANK_KINDS; }

void EmptyCell(int x, int y)
{
    g_cellOwner[x][y] = OWNER_EMPTY;
    g_cellRank[x][y] = RANK_EMPTY;
    g_knowledge[x][y] = 0.0f;
    g_pieceTag[x][y] = 0;
}

// A piece of the given owner and rank leaves the board in a real move: the
// opponent's dead pieces are shown in the tray, and the side's count drops.
void CountDeath(int owner, int rank)
{
    if (!IsRank(rank))
        return;
    if (owner == OWNER_COMPUTER)
        ++g_trayCount[rank];
    const int side = PieceSide(owner);
    if (side != 0)
        --g_piecesLeft[side][rank];
}

void UpdateHistory(int side, BattleResult result, const MoveRecord& move)
{
    g_forbiddenMove[side] = NO_FORBIDDEN_MOVE;
    if (result == BATTLE_MOVE) {
        MoveRecord* history = g_moveHistory[side];
        history[1] = history[0];
        history[0] = move;
        // Going straight back to where the previous plain move came from:
        // that previous move may not be repeated as the side's next move.
        if (move.toX == history[1].fromX && move.toY == history[1].fromY)
            g_forbiddenMove[side] = history[1];
    } else {
        // Any battle breaks every repetition.
        for (int s = 1; s <= 2; ++s) {
            g_moveHistory[s][0] = NO_LAST_MOVE;
            g_moveHistory[s][1] = NO_PREVIOUS_MOVE;
            g_forbiddenMove[s] = NO_FORBIDDEN_MOVE;
        }
    }
}

// Knowledge of a piece after a plain move. The sum is formed in double and
// rounded back to float, so the sixth one-cell move gives the float just above 1.0.
float KnowledgeAfterMove(float k, bool longMove)
{
    const double kd = k;
    if (kd > 0.4 && kd < 1.0)
        k = static_cast<float>(kd + 0.1);
    if (k == 0.0f)
        k = 0.5f;
    if (longMove)
        k = 1.0f;
    return k;
}

}  // namespace

BattleResult ResolveBattle(int attX, int attY, int defX, int defY)
{
    const int att = g_cellRank[attX][attY];
    const int def = g_cellRank[defX][defY];
    BattleResult result;
    if (def == RANK_EMPTY)
        result = BATTLE_MOVE;
    else if (def == RANK_FLAG)
        result = BATTLE_WIN;
    else if (att == RANK_MINER && def == RANK_BOMB)
        result = BATTLE_WIN;
    else if (att == RANK_SPY && def == RANK_MARSHAL)
        result = BATTLE_WIN;
    else if (def == RANK_BOMB)
        result = BATTLE_LOSS;
    else if (att == def)
        result = BATTLE_BOTH_REMOVED;
    else if (att < def)
        result = BATTLE_LOSS;
    else
        result = BATTLE_WIN;

    if (g_cellOwner[attX][attY] == OWNER_COMPUTER)
        g_lastComputerBattle = result;
    return result;
}

int MoveDirection(int x1, int y1, int x2, int y2)
{
    if (x1 < x2 && y1 == y2)
        return 1;
    if (x1 == x2 && y1 > y2)
        return 2;
    if (x1 > x2 && y1 == y2)
        return 3;
    if (x1 == x2 && y1 < y2)
        return 4;
    return 0;
}

BattleResult ApplyMove(int real, int fromX, int fromY, int toX, int toY)
{
    const BattleResult result = ResolveBattle(fromX, fromY, toX, toY);
    const int attOwner = g_cellOwner[fromX][fromY];
    const int attRank = g_cellRank[fromX][fromY];
    const int defOwner = g_cellOwner[toX][toY];
    const int defRank = g_cellRank[toX][toY];
    const bool isReal = real != 0;

    if (isReal) {
        const int side = MoverSide(attOwner);
        if (side != 0)
            UpdateHistory(side, result, MoveRecord{fromX, fromY, toX, toY});
        g_hoverRow[0] = g_hoverRow[1] = 0;
        g_selectedRow[0] = g_selectedRow[1] = 0;
        if (attOwner == OWNER_COMPUTER)
            g_revealRow[0] = g_revealRow[1] = 0;
    }

    g_lastMoveDirection = 0;

    if (isReal) {
        g_lastMove = MoveRecord{fromX, fromY, toX, toY};
        g_lastMoveDirection = MoveDirection(fromX, fromY, toX, toY);
        if (result != BATTLE_MOVE) {
            if (attOwner == OWNER_COMPUTER) {
                g_revealRow[0] = fromX;
                g_revealRow[1] = fromY;
            }
            if (defOwner == OWNER_COMPUTER) {
                g_revealRow[0] = toX;
                g_revealRow[1] = toY;
            }
        }
        g_rulesHost.showMoveResult(1, result, fromX, fromY, toX, toY);
    }

    switch (result) {
    case BATTLE_MOVE: {
        const int dx = toX - fromX;
        const int dy = toY - fromY;
        const bool longMove = dx > 1 || dx < -1 || dy > 1 || dy < -1;
        g_cellOwner[toX][toY] = attOwner;
        g_cellRank[toX][toY] = attRank;
        g_knowledge[toX][toY] = KnowledgeAfterMove(g_knowledge[fromX][fromY], longMove);
        g_pieceTag[toX][toY] = g_pieceTag[fromX][fromY];
        EmptyCell(fromX, fromY);
        break;
    }
    case BATTLE_WIN:
        if (isReal) {
            if (attOwner == OWNER_COMPUTER) {
                g_revealRow[0] = toX;
                g_revealRow[1] = toY;
            }
            CountDeath(defOwner, defRank);
            if (defRank == RANK_FLAG) {
                g_gameOver = 1;
                if (defOwner == OWNER_PLAYER)
                    g_losingSide = 1;
                else if (defOwner == OWNER_COMPUTER)
                    g_losingSide = 2;
            }
        }
        if (defRank == RANK_MARSHAL) {
            if (defOwner == OWNER_PLAYER)
                g_playerMarshalAlive = 0;
            else if (defOwner == OWNER_COMPUTER)
                g_computerMarshalAlive = 0;
        }
        g_cellOwner[toX][toY] = attOwner;
        g_cellRank[toX][toY] = attRank;
        g_knowledge[toX][toY] = 1.0f;
        g_pieceTag[toX][toY] = g_pieceTag[fromX][fromY];
        EmptyCell(fromX, fromY);
        break;
    case BATTLE_LOSS:
        if (isReal)
            CountDeath(attOwner, attRank);
        if (attRank == RANK_MARSHAL) {
            if (attOwner == OWNER_SELECTED)
                g_playerMarshalAlive = 0;
            else if (attOwner == OWNER_COMPUTER)
                g_computerMarshalAlive = 0;
        }
        EmptyCell(fromX, fromY);
        g_knowledge[toX][toY] = 1.0f;
        break;
    case BATTLE_BOTH_REMOVED:
        if (isReal) {
            CountDeath(attOwner, attRank);
            CountDeath(defOwner, defRank);
        }
        if (attRank == RANK_MARSHAL && defRank == RANK_MARSHAL) {
            g_playerMarshalAlive = 0;
            g_computerMarshalAlive = 0;
        }
        EmptyCell(fromX, fromY);
        EmptyCell(toX, toY);
        break;
    }

    if (isReal)
        g_rulesHost.showMoveResult(2, result, fromX, fromY, toX, toY);

    if (g_cellOwner[toX][toY] == OWNER_SELECTED)
        g_cellOwner[toX][toY] = OWNER_PLAYER;
    return result;
}

void MarkReachable(int show, int x, int y)
{
    for (int cx = 1; cx <= 10; ++cx)
        for (int cy = 1; cy <= 10; ++cy)
            g_reachable[cx][cy] = -1;
    if (show == 0)
        return;
    if (x < 1 || x > 10 || y < 1 || y > 10)
        return;

    const int owner = g_cellOwner[x][y];
    int own;
    if (owner == OWNER_PLAYER || owner == OWNER_SELECTED)
        own = OWNER_PLAYER;
    else if (owner == OWNER_COMPUTER)
        own = OWNER_COMPUTER;
    else
        return;

    const int rank = g_cellRank[x][y];
    if (rank == RANK_SCOUT) {
        static constexpr int LINES[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& line : LINES) {
            for (int cx = x + line[0], cy = y + line[1]; cx >= 1 && cx <= 10 && cy >= 1 && cy <= 10;
                 cx += line[0], cy += line[1]) {
                const int code = g_cellOwner[cx][cy];
                g_reachable[cx][cy] = code;
                if (code == own) {
                    g_reachable[cx][cy] = -1;
                    break;
                }
                if (code != OWNER_EMPTY)
                    break;  // a lake or an enemy piece ends the line and stays marked
            }
        }
    } else if (rank == RANK_SPY || (rank >= RANK_MINER && rank <= RANK_MARSHAL)) {
        static constexpr int STEPS[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
        for (const auto& step : STEPS) {
            const int cx = x + step[0];
            const int cy = y + step[1];
            if (cx >= 1 && cx <= 10 && cy >= 1 && cy <= 10)
                g_reachable[cx][cy] = g_cellOwner[cx][cy];
        }
    }
    // Bombs and flags never move.
}
