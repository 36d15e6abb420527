#include "rules/search.h"

#include <chrono>
#include <cstdlib>

#include "platform/process.h"
#include "platform/program_folder.h"
#include "platform/sound.h"
#include "rules/battle.h"
#include "rules/evaluation.h"
#include "rules/live_options.h"
#include "rules/plans.h"
#include "rules/rules_host.h"

MoveList g_computerMoveList;
int g_computerMoveCount;
MoveList g_playerMoveList;
int g_playerMoveCount;
MoveList g_plyMoveList[4];
int g_plyBest[7];
int g_bestScore;
MoveRecord g_bestMove;
MoveList g_tiedMoves;
int g_tiedMoveCount;
int g_bluffRoll[BLUFF_ROLL_COUNT];
int g_deepSearch;
SearchUndoRecord g_searchUndo[SEARCH_DEPTHS][2];
MoveList g_playerLegalMoves;
int g_playerLegalMoveCount;
DWORD g_tickStart;
int g_skipMinimumTurnTime = 0;
double g_lastSearchMs;

namespace {

int ListMoves(int side, MoveList& list)
{
    list.count = GenerateMoves(side, list.fromX, list.fromY, list.toX, list.toY);
    return list.count;
}

// Tries move i of the list at the given depth index: saves, applies silently.
inline void TryMove(const MoveList& list, int i, int depth)
{
    const int fx = list.fromX[i], fy = list.fromY[i], tx = list.toX[i], ty = list.toY[i];
    SaveOrRestoreMove(0, depth, 0, fx, fy, tx, ty);
    ApplyMove(0, fx, fy, tx, ty);
}

inline void UndoMove(int depth) { SaveOrRestoreMove(1, depth, 0, 0, 0, 0, 0); }

// The static value after move i of a leaf ply, equal to EvaluateBoard() after
// the move. Every move of the ply starts from the same position, whose value
// (base) is taken once on first use; a move then changes only its two cells,
// unless it kills a marshal, which changes the spies everywhere.
struct LeafBase {
    bool known = false;
    int value = 0;
};

int LeafValue(const MoveList& list, int i, int depth, LeafBase& base)
{
    const int fx = list.fromX[i], fy = list.fromY[i], tx = list.toX[i], ty = list.toY[i];
    if (!base.known) {
        base.value = EvaluateBoard();
        base.known = true;
    }
    const int before = CellValue(fx, fy) + CellValue(tx, ty);
    const int playerMarshal = g_playerMarshalAlive;
    const int computerMarshal = g_computerMarshalAlive;
    TryMove(list, i, depth);
    int v;
    if (playerMarshal == g_playerMarshalAlive && computerMarshal == g_computerMarshalAlive)
        v = base.value - before + CellValue(fx, fy) + CellValue(tx, ty);
    else
        v = EvaluateBoard();
    UndoMove(depth);
    return v;
}

// Level G of the computer: a later option overrides an earlier one; with none
// of them set the default options' level 2 applies.
int ComputerLevel()
{
    int level = 2;
    if (g_aiQuickSearch == 1)
        level = 1;
    if (g_aiLevel2 == 1)
        level = 2;
    if (g_aiLevel3 == 1)
        level = 3;
    return level;
}

int PiecesOf(int side)
{
    int sum = 0;
    for (int r = 0; r < RANK_KINDS; ++r)
        sum += g_piecesLeft[side][r];
    return sum;
}

void PlaySoundFile(const char* name)
{
    const CString path = g_appDir + name;
    g_rulesHost.playSound(path, nullptr, SND_ASYNC);
}

// The end of a game, from the computer's side of the table.
void EndSequence()
{
    Sleep(500);
    if (g_losingSide == 1)
        PlaySoundFile("/sound/komp_vig.wav");
    else if (g_losingSide == 2)
        PlaySoundFile("/sound/Pobed.wav");
    g_rulesHost.showGameOverPanel();
    g_rulesHost.renderFrame();
}

// Bluff mode of a root move (0 none, 1 fear of attacking the unknown, 2..4
// daring an attack that loses), drawing from the rolls only when the target
// is not known well enough. k is the index of the next roll.
int BluffMode(int level, int rank, int strongest, int result, float targetKnowledge,
              int lead, int& k, double& unknown)
{
    unknown = 0.0;
    if ((strongest == 1 && targetKnowledge > 0.0f) || targetKnowledge == 1.0f)
        return 0;
    unknown = 1.0 - targetKnowledge;
    const int roll = g_bluffRoll[k];
    int mode = 0;
    if (result == BATTLE_WIN) {
        const int threshold = level == 1 ? 6 : level == 2 ? 8 : 10;
        if (roll > threshold)
            mode = 1;
    }
    int margin = 7;
    if (roll > 80)
        margin = 0;
    if (roll > 90)
        margin = -3;
    const int bigPiece = level == 3 ? 7 : 5;
    const bool noLossBluff = roll < 95 && rank > bigPiece && lead < margin;
    if (!noLossBluff && result == BATTLE_LOSS) {
        const int threshold = level == 1 ? 10 : level == 2 ? 7 : 5;
        if (roll < threshold)
            mode = 2;
        if (roll < 3)
            mode = 3;
        if (roll == 1)
            mode = 4;
    }
    ++k;
    return mode;
}

// Position term of moving a piece that has never moved: a hidden piece under
// threat, or one that would step next to a threat, had better stay put.
int PositionTerm(int fx, int fy, int rank)
{
    int b = 0;
    if (g_knowledge[fx][fy] != 0.0f)
        return b;
    b = -20;
    if (IsThreatened(fx, fy, rank))
        b = -7000;
    const int nx[4] = {fx - 1, fx + 1, fx, fx};
    const int ny[4] = {fy, fy, fy - 1, fy + 1};
    for (int i = 0; i < 4; ++i) {
        if (nx[i] < 1 || nx[i] > 10 || ny[i] < 1 || ny[i] > 10)
            continue;
        if (g_cellOwner[nx[i]][ny[i]] == OWNER_EMPTY && IsThreatened(nx[i], ny[i], rank))
            b = -5000;
    }
    return b;
}

}  // namespace

void SaveOrRestoreMove(int mode, int depth, int slot, int fromX, int fromY, int toX, int toY)
{
    SearchUndoRecord& u = g_searchUndo[depth][slot];
    if (mode == 0) {
        u.fromX = fromX;
        u.fromY = fromY;
        u.toX = toX;
        u.toY = toY;
        u.owner[0] = g_cellOwner[fromX][fromY];
        u.rank[0] = g_cellRank[fromX][fromY];
        u.knowledge[0] = g_knowledge[fromX][fromY];
        u.tag[0] = g_pieceTag[fromX][fromY];
        u.owner[1] = g_cellOwner[toX][toY];
        u.rank[1] = g_cellRank[toX][toY];
        u.knowledge[1] = g_knowledge[toX][toY];
        u.tag[1] = g_pieceTag[toX][toY];
        u.playerMarshalAlive = g_playerMarshalAlive;
        u.computerMarshalAlive = g_computerMarshalAlive;
        return;
    }
    g_cellOwner[u.fromX][u.fromY] = u.owner[0];
    g_cellRank[u.fromX][u.fromY] = u.rank[0];
    g_knowledge[u.fromX][u.fromY] = u.knowledge[0];
    g_pieceTag[u.fromX][u.fromY] = u.tag[0];
    g_cellOwner[u.toX][u.toY] = u.owner[1];
    g_cellRank[u.toX][u.toY] = u.rank[1];
    g_knowledge[u.toX][u.toY] = u.knowledge[1];
    g_pieceTag[u.toX][u.toY] = u.tag[1];
    g_playerMarshalAlive = u.playerMarshalAlive;
    g_computerMarshalAlive = u.computerMarshalAlive;
}

namespace {

// One ply below the root. The player (side 1) minimises, the computer
// (side 2) maximises; value(i) scores move i of the ply's fresh list. The ply
// cuts off as soon as a value reaches the bound of the ply above, equality
// included, and scores a position without moves by its static value.
template <class Value>
int SearchPly(int ply, int side, MoveList& list, int bound, Value value)
{
    const bool minimising = side == 1;
    const int start = minimising ? SEARCH_INFINITY : -SEARCH_INFINITY;
    int& best = g_plyBest[ply];
    best = start;
    const int n = ListMoves(side, list);
    for (int i = 0; i < n; ++i) {
        const int v = value(i);
        if (minimising ? v < best : v > best)
            best = v;
        if (minimising ? v <= bound : v >= bound)
            return v;
    }
    return best == start ? EvaluateBoard() : best;
}

// Tries move i at the depth index, scores it by the next ply, undoes it.
int Deeper(const MoveList& list, int i, int depth, int (*nextPly)())
{
    TryMove(list, i, depth);
    const int v = nextPly();
    UndoMove(depth);
    return v;
}

}  // namespace

// Plies 2, 4 and 6 are the player's, 3 and 5 the computer's. The leaves are
// ply 2 with the quick search, ply 4 without the deep search, and ply 6.

int SearchPly2()
{
    LeafBase base;
    const int v = SearchPly(2, 1, g_playerMoveList, g_bestScore, [&base](int i) {
        return g_aiQuickSearch == 1 ? LeafValue(g_playerMoveList, i, 1, base)
                                    : Deeper(g_playerMoveList, i, 1, SearchPly3);
    });
    g_playerMoveCount = g_playerMoveList.count;
    return v;
}

int SearchPly3()
{
    MoveList& list = g_plyMoveList[0];
    return SearchPly(3, 2, list, g_plyBest[2], [&list](int i) { return Deeper(list, i, 2, SearchPly4); });
}

int SearchPly4()
{
    MoveList& list = g_plyMoveList[1];
    LeafBase base;
    return SearchPly(4, 1, list, g_plyBest[3], [&list, &base](int i) {
        return g_deepSearch == 1 ? Deeper(list, i, 3, SearchPly5) : LeafValue(list, i, 3, base);
    });
}

int SearchPly5()
{
    MoveList& list = g_plyMoveList[2];
    return SearchPly(5, 2, list, g_plyBest[4], [&list](int i) { return Deeper(list, i, 4, SearchPly6); });
}

int SearchPly6()
{
    MoveList& list = g_plyMoveList[3];
    LeafBase base;
    return SearchPly(6, 1, list, g_plyBest[5], [&list, &base](int i) { return LeafValue(list, i, 5, base); });
}

void ChooseComputerMove()
{
    const int level = ComputerLevel();
    const int lead = PiecesOf(2) - PiecesOf(1);

    for (int i = 0; i < BLUFF_ROLL_COUNT; ++i)
        g_bluffRoll[i] = std::rand() % 100;
    int k = 0;
    g_bestScore = -SEARCH_INFINITY;
    g_tiedMoveCount = g_tiedMoves.count = 0;

    g_computerMoveCount = ListMoves(2, g_computerMoveList);
    if (g_computerMoveCount == 0) {
        g_gameOver = 1;
        g_losingSide = 2;
        return;
    }
    g_playerMoveCount = ListMoves(1, g_playerMoveList);
    if (g_playerMoveCount == 0) {
        g_gameOver = 1;
        g_losingSide = 1;
        return;
    }
    g_deepSearch = g_computerMoveCount + g_playerMoveCount < 30 ? 1 : 0;

    bool anyScored = false;
    const MoveList& root = g_computerMoveList;
    for (int i = 0; i < g_computerMoveCount; ++i) {
        const MoveRecord m = {root.fromX[i], root.fromY[i], root.toX[i], root.toY[i]};
        const int r = g_cellRank[m.fromX][m.fromY];
        const float targetKnowledge = g_knowledge[m.toX][m.toY];

        // The strongest piece the player has left cannot be beaten by anything of his.
        int strongest = 0;
        if (r >= 4 && r <= 9) {
            strongest = 1;
            for (int s = r + 1; s <= RANK_MARSHAL; ++s)
                if (g_piecesLeft[1][s] > 0)
                    strongest = 0;
        }

        const BattleResult result = ResolveBattle(m.fromX, m.fromY, m.toX, m.toY);
        int minerBonus = 0;
        bool skipBluff = false;
        if (result == BATTLE_WIN && r == RANK_MINER) {
            if (targetKnowledge == 0.0f)
                minerBonus = 40000;
            else if (targetKnowledge == 1.0f)
                minerBonus = 50000;
            if (g_cellRank[m.toX + 1][m.toY] == RANK_FLAG || g_cellRank[m.toX - 1][m.toY] == RANK_FLAG ||
                g_cellRank[m.toX][m.toY + 1] == RANK_FLAG || g_cellRank[m.toX][m.toY - 1] == RANK_FLAG)
                skipBluff = true;
        }

        int mode = 0;
        double unknown = 0.0;
        if (!skipBluff)
            mode = BluffMode(level, r, strongest, result, targetKnowledge, lead, k, unknown);

        if (m == g_forbiddenMove[2])
            continue;

        const int b = PositionTerm(m.fromX, m.fromY, r);
        int probe = 0;
        if (g_cellOwner[m.toX][m.toY] == OWNER_PLAYER && targetKnowledge == 0.0f &&
            (r == RANK_SCOUT || r == 4)) {
            const int t = g_cellRank[m.toX][m.toY];
            if (t == 8 || t == 9 || t == RANK_MARSHAL)
                probe = 5000;
            else if (t == RANK_BOMB)
                probe = 6000;
        }

        SaveOrRestoreMove(0, 0, 0, m.fromX, m.fromY, m.toX, m.toY);
        ApplyMove(0, m.fromX, m.fromY, m.toX, m.toY);
        const int exposure = IsThreatened(m.toX, m.toY, g_cellRank[m.toX][m.toY]) ? -10000 : 0;

        int score = SearchPly2() + b + exposure + minerBonus + probe;
        switch (mode) {
        case 1: score = static_cast<int>(score - 70000 * unknown); break;
        case 2: score = static_cast<int>(score + 20000 * unknown); break;
        case 3: score = static_cast<int>(score + 50000 * unknown); break;
        case 4: score = static_cast<int>(score + 70000 * unknown); break;
        default: break;
        }
        if (m.fromX == g_lastComputerMove.toX && m.fromY == g_lastComputerMove.toY &&
            m.toX == g_lastComputerMove.fromX && m.toY == g_lastComputerMove.fromY)
            score -= 3000;

        if (score == g_bestScore && g_tiedMoveCount < MOVE_LIST_CAPACITY) {
            g_tiedMoves.fromX[g_tiedMoveCount] = m.fromX;
            g_tiedMoves.fromY[g_tiedMoveCount] = m.fromY;
            g_tiedMoves.toX[g_tiedMoveCount] = m.toX;
            g_tiedMoves.toY[g_tiedMoveCount] = m.toY;
            g_tiedMoves.count = ++g_tiedMoveCount;
        }
        if (score > g_bestScore) {
            g_bestScore = score;
            g_bestMove = m;
            g_tiedMoves.fromX[0] = m.fromX;
            g_tiedMoves.fromY[0] = m.fromY;
            g_tiedMoves.toX[0] = m.toX;
            g_tiedMoves.toY[0] = m.toY;
            g_tiedMoves.count = g_tiedMoveCount = 1;
        }
        anyScored = true;
        SaveOrRestoreMove(1, 0, 0, 0, 0, 0, 0);
    }

    // Every move the computer has is the one the repetition rule forbids: it
    // cannot move, and a side that cannot move loses. No stale move is played.
    if (!anyScored) {
        g_gameOver = 1;
        g_losingSide = 2;
    }
}

void RescoreTiedMoves()
{
    g_bestScore = -SEARCH_INFINITY;
    for (int i = 0; i < g_tiedMoveCount; ++i) {
        TryMove(g_tiedMoves, i, 0);
        const int v = EvaluateBoard();
        if (v > g_bestScore) {
            g_bestScore = v;
            g_bestMove = {g_tiedMoves.fromX[i], g_tiedMoves.fromY[i], g_tiedMoves.toX[i], g_tiedMoves.toY[i]};
        }
        UndoMove(0);
    }
}

void ComputerTurn()
{
    g_tickStart = GetTickCount();
    g_tiedMoveCount = 0;

    const auto searchStart = std::chrono::steady_clock::now();
    auto searchMs = [&searchStart] {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - searchStart).count();
    };
    // When the player's move has just taken the flag the game is decided; the
    // search's own end tests must not turn the winner into the loser.
    const int decidedLoser = g_gameOver == 1 ? g_losingSide : 0;
    ChooseComputerMove();
    if (decidedLoser != 0)
        g_losingSide = decidedLoser;
    if (g_gameOver == 1) {
        g_lastSearchMs = searchMs();
        EndSequence();
        return;
    }
    if (g_tiedMoveCount > 1)
        RescoreTiedMoves();
    g_lastSearchMs = searchMs();

    // The computer always seems to think a moment (the self-play tool skips it).
    if (g_skipMinimumTurnTime != 1)
        while (GetTickCount() - g_tickStart < static_cast<DWORD>(MIN_TURN_MS)) {
        }

    PlaySoundFile("/sound/H1.wav");
    const MoveRecord move = g_bestMove;
    const BattleResult result = ApplyMove(1, move.fromX, move.fromY, move.toX, move.toY);

    g_playerLegalMoveCount = ListMoves(1, g_playerLegalMoves);
    if (g_playerLegalMoveCount == 0) {
        g_gameOver = 1;
        g_losingSide = 1;
    }
    if (g_gameOver == 1) {
        EndSequence();
        return;
    }
    PlanMoves();
    if (result == BATTLE_MOVE)
        g_lastComputerMove = move;
}

void ResetLastComputerMove() { g_lastComputerMove = {0, 0, 0, 0}; }
