// Battles, carrying out moves, and the reachable marks of a selected piece.
#include <array>
#include <cmath>
#include <initializer_list>

#include "rules/battle.h"
#include "tests/support/board_fixture.h"

namespace {

// The player's real move of the piece on (fx, fy), picked up first as a click does.
void PlayerMove(int fx, int fy, int tx, int ty)
{
    g_cellOwner[fx][fy] = OWNER_SELECTED;
    ApplyMove(1, fx, fy, tx, ty);
}

// Each {x, y, mark} of the reachable marks.
void ExpectMarks(std::initializer_list<std::array<int, 3>> marks)
{
    for (const auto& m : marks) EXPECT_EQ(g_reachable[m[0]][m[1]], m[2]) << m[0] << "," << m[1];
}

// Battle between an attacker of rank att and a defender of rank def on a fresh board.
BattleResult Battle(int att, int def)
{
    g_cellOwner[5][2] = OWNER_PLAYER;
    g_cellRank[5][2] = att;
    g_cellOwner[5][3] = def == RANK_EMPTY ? OWNER_EMPTY : OWNER_COMPUTER;
    g_cellRank[5][3] = def;
    return ResolveBattle(5, 2, 5, 3);
}

}  // namespace

TEST_F(RulesTest, BattleRulesAndTheRecordOfTheComputersBattles)
{
    StartPlay();
    // Attacker, defender, outcome: the special pieces, then the higher rank
    // wins; an empty target is a plain move.
    const int battles[][3] = {
        {RANK_MINER, RANK_BOMB, BATTLE_WIN}, {RANK_MARSHAL, RANK_BOMB, BATTLE_LOSS}, {RANK_SPY, RANK_BOMB, BATTLE_LOSS},
        {RANK_SCOUT, RANK_BOMB, BATTLE_LOSS}, {RANK_SPY, RANK_MARSHAL, BATTLE_WIN}, {RANK_SPY, RANK_SCOUT, BATTLE_LOSS},
        {RANK_MARSHAL, RANK_SPY, BATTLE_WIN}, {9, RANK_MARSHAL, BATTLE_LOSS}, {7, 4, BATTLE_WIN}, {4, 7, BATTLE_LOSS},
        {RANK_MINER, RANK_SCOUT, BATTLE_WIN}, {RANK_SCOUT, RANK_MINER, BATTLE_LOSS},
        {RANK_SCOUT, RANK_EMPTY, BATTLE_MOVE}};
    for (const auto& b : battles) EXPECT_EQ(Battle(b[0], b[1]), b[2]) << b[0] << " on " << b[1];
    // Any piece takes the flag.
    for (int att = RANK_SPY; att <= RANK_MARSHAL; ++att) EXPECT_EQ(Battle(att, RANK_FLAG), BATTLE_WIN) << att;
    // Equal ranks remove both, spies and scouts included.
    for (int rank = RANK_SPY; rank <= RANK_MARSHAL; ++rank)
        EXPECT_EQ(Battle(rank, rank), BATTLE_BOTH_REMOVED) << rank;

    // Only computer attackers record their battle.
    Put(2, 2, OWNER_PLAYER, 6);
    Put(2, 3, OWNER_COMPUTER, 4);
    Put(2, 4, OWNER_SELECTED, 9);
    g_lastComputerBattle = 77;
    ResolveBattle(2, 2, 2, 3);
    ResolveBattle(2, 4, 2, 3);
    EXPECT_EQ(g_lastComputerBattle, 77);
    ResolveBattle(2, 3, 2, 2);
    EXPECT_EQ(g_lastComputerBattle, BATTLE_LOSS);
    // A trial move of the search records it too.
    Put(6, 6, OWNER_COMPUTER, 8);
    Put(6, 7, OWNER_PLAYER, 8);
    ApplyMove(0, 6, 6, 6, 7);
    EXPECT_EQ(g_lastComputerBattle, BATTLE_BOTH_REMOVED);
}

TEST_F(RulesTest, MoveDirections)
{
    // From (3, 4): to x, y, the direction.
    for (const auto& m : {std::array<int, 3>{7, 4, 1}, {3, 1, 2}, {2, 4, 3}, {3, 5, 4}, {4, 5, 0}, {3, 4, 0}})
        EXPECT_EQ(MoveDirection(3, 4, m[0], m[1]), m[2]) << m[0] << "," << m[1];
}

TEST_F(RulesTest, RealMoveAndBattlePresentBeforeAndAfterTheGridsChange)
{
    StartPlay();
    Put(4, 2, OWNER_SELECTED, 6, 0.0f, 31);
    g_hoverRow[0] = 4, g_hoverRow[1] = 3;
    g_selectedRow[0] = 4, g_selectedRow[1] = 2;

    EXPECT_EQ(ApplyMove(1, 4, 2, 4, 3), BATTLE_MOVE);

    const auto& calls = RecordedCalls();
    ASSERT_EQ(RecordedNames(), (std::vector<std::string>{"ShowMoveResult", "ShowMoveResult"}));
    EXPECT_EQ(calls[0].args, (std::vector<int>{1, BATTLE_MOVE, 4, 2, 4, 3}));
    EXPECT_EQ(calls[0].owner[4][2], OWNER_SELECTED);
    EXPECT_EQ(calls[0].owner[4][3], OWNER_EMPTY);
    EXPECT_EQ(calls[1].args, (std::vector<int>{2, BATTLE_MOVE, 4, 2, 4, 3}));
    EXPECT_EQ(calls[1].owner[4][2], OWNER_EMPTY);
    EXPECT_EQ(calls[1].owner[4][3], OWNER_SELECTED);  // deselected only after the presentation
    EXPECT_EQ(calls[1].rank[4][3], 6);

    EXPECT_EQ(g_cellOwner[4][3], OWNER_PLAYER);
    EXPECT_EQ(g_cellRank[4][3], 6);
    EXPECT_EQ(g_pieceTag[4][3], 31);
    EXPECT_EQ(g_knowledge[4][3], 0.5f);
    ExpectVacated(4, 2);
    EXPECT_EQ(g_lastMove, (MoveRecord{4, 2, 4, 3}));
    EXPECT_EQ(g_lastMoveDirection, 4);
    EXPECT_EQ((std::vector<int>{g_hoverRow[0], g_hoverRow[1], g_selectedRow[0], g_selectedRow[1]}),
              std::vector<int>(4, 0));

    // A battle: both pieces first, then the outcome.
    ClearRecordedCalls();
    Put(5, 4, OWNER_SELECTED, 8);
    Put(6, 4, OWNER_COMPUTER, 5);

    EXPECT_EQ(ApplyMove(1, 5, 4, 6, 4), BATTLE_WIN);

    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].args, (std::vector<int>{1, BATTLE_WIN, 5, 4, 6, 4}));
    EXPECT_EQ(calls[0].rank[6][4], 5);
    EXPECT_EQ(calls[1].args, (std::vector<int>{2, BATTLE_WIN, 5, 4, 6, 4}));
    EXPECT_EQ(calls[1].rank[6][4], 8);
    EXPECT_EQ(calls[1].owner[5][4], OWNER_EMPTY);
    EXPECT_EQ(g_lastMoveDirection, 1);
}

TEST_F(RulesTest, TrialMoveIsSilentAndKeepsTheGameRecords)
{
    StartPlay();
    Put(2, 2, OWNER_PLAYER, 6);
    Put(2, 3, OWNER_COMPUTER, 4);
    Put(7, 7, OWNER_COMPUTER, 3);
    g_hoverRow[0] = 2, g_hoverRow[1] = 2;
    g_lastMove = MoveRecord{1, 1, 1, 2};
    g_lastMoveDirection = 4;
    g_forbiddenMove[1] = MoveRecord{1, 2, 1, 1};
    g_forbiddenMove[2] = MoveRecord{9, 9, 9, 8};

    EXPECT_EQ(ApplyMove(0, 2, 2, 2, 3), BATTLE_WIN);
    EXPECT_EQ(ApplyMove(0, 7, 7, 7, 8), BATTLE_MOVE);

    EXPECT_TRUE(RecordedCalls().empty());
    EXPECT_EQ(g_cellRank[2][3], 6);
    EXPECT_EQ(g_cellOwner[7][8], OWNER_COMPUTER);
    EXPECT_EQ(g_lastMoveDirection, 0);
    EXPECT_EQ(g_lastMove, (MoveRecord{1, 1, 1, 2}));
    EXPECT_EQ(g_forbiddenMove[1], (MoveRecord{1, 2, 1, 1}));
    EXPECT_EQ(g_forbiddenMove[2], (MoveRecord{9, 9, 9, 8}));
    EXPECT_EQ(g_hoverRow[0], 2);
    EXPECT_EQ(TrayTotal(), 0);
    EXPECT_EQ(PiecesLeftTotal(1), 40);
    EXPECT_EQ(PiecesLeftTotal(2), 40);
}

TEST_F(RulesTest, KnowledgeGrowsPerOneCellMoveToJustAboveOneAndLongScoutMovesAndBattlesMakeItExact)
{
    StartPlay();
    Put(1, 1, OWNER_PLAYER, 6);
    const float expected[] = {0.5f, 0.6f, 0.7f, 0.8f, 0.9f};
    int y = 1;
    for (float want : expected) {
        ApplyMove(0, 1, y, 1, y + 1);
        ++y;
        EXPECT_NEAR(g_knowledge[1][y], want, 1e-6f) << "move to row " << y;
        EXPECT_LT(g_knowledge[1][y], 1.0f);
    }
    // The sixth one-cell move: the sum formed in double lands just above 1.0.
    ApplyMove(0, 1, y, 1, y + 1);
    ++y;
    const float aboveOne = std::nextafter(1.0f, 2.0f);
    EXPECT_EQ(g_knowledge[1][y], aboveOne);
    // And it stays there.
    ApplyMove(0, 1, y, 1, y + 1);
    ++y;
    EXPECT_EQ(g_knowledge[1][y], aboveOne);
    ApplyMove(1, 1, y, 1, y + 1);
    EXPECT_EQ(g_knowledge[1][y + 1], aboveOne);

    // A long scout move and battles make a piece exactly known.
    StartPlay();
    Put(1, 1, OWNER_PLAYER, RANK_SCOUT);
    ApplyMove(0, 1, 1, 1, 4);
    EXPECT_EQ(g_knowledge[1][4], 1.0f);
    // A known piece stays exactly known on a one-cell move.
    ApplyMove(0, 1, 4, 2, 4);
    EXPECT_EQ(g_knowledge[2][4], 1.0f);

    Put(6, 1, OWNER_COMPUTER, RANK_SCOUT, 0.6f);
    ApplyMove(0, 6, 1, 9, 1);
    EXPECT_EQ(g_knowledge[9][1], 1.0f);

    // A winner takes the target with full knowledge, its tag travels with it.
    Put(2, 8, OWNER_COMPUTER, 7, 0.0f, 44);
    Put(2, 7, OWNER_PLAYER, 5, 0.0f, 12);
    ApplyMove(0, 2, 8, 2, 7);
    EXPECT_EQ(g_cellOwner[2][7], OWNER_COMPUTER);
    EXPECT_EQ(g_knowledge[2][7], 1.0f);
    EXPECT_EQ(g_pieceTag[2][7], 44);
    ExpectVacated(2, 8);

    // A defender that survives becomes known.
    Put(5, 8, OWNER_COMPUTER, 4, 0.0f, 9);
    Put(5, 7, OWNER_PLAYER, 6, 0.0f, 13);
    ApplyMove(0, 5, 8, 5, 7);
    EXPECT_EQ(g_cellOwner[5][7], OWNER_PLAYER);
    EXPECT_EQ(g_knowledge[5][7], 1.0f);
    EXPECT_EQ(g_pieceTag[5][7], 13);
    ExpectVacated(5, 8);

    // Equal ranks leave two vacated cells.
    Put(9, 8, OWNER_COMPUTER, 6, 0.5f, 3);
    Put(9, 7, OWNER_PLAYER, 6, 0.9f, 4);
    ApplyMove(0, 9, 8, 9, 7);
    ExpectVacated(9, 8);
    ExpectVacated(9, 7);
}

TEST_F(RulesTest, DeadPiecesAreCountedOnlyInRealMoves)
{
    StartPlay();
    // Each battle in turn: attacker, defender, then the tray's total and the
    // pieces each side has lost so far. Only the computer's dead pieces go
    // to the tray, whoever attacked.
    struct Battle {
        int fromX, fromY, owner, rank, toX, toY, defender, defenderRank;
        int tray, lost[2];
    };
    const Battle battles[] = {
        {1, 7, OWNER_COMPUTER, 4, 1, 6, OWNER_PLAYER, RANK_BOMB, 1, {0, 1}},           // a computer attacker dies
        {2, 6, OWNER_SELECTED, 5, 2, 7, OWNER_COMPUTER, 9, 1, {1, 1}},                  // a player attacker dies
        {5, 6, OWNER_SELECTED, RANK_MINER, 5, 7, OWNER_COMPUTER, RANK_BOMB, 2, {1, 2}},  // the player takes one
        {6, 7, OWNER_COMPUTER, 8, 6, 6, OWNER_PLAYER, 7, 2, {2, 2}},                    // the computer takes one
        {9, 6, OWNER_SELECTED, RANK_SCOUT, 9, 7, OWNER_COMPUTER, RANK_SCOUT, 3, {3, 3}},  // both removed
    };
    for (const Battle& b : battles) {
        Put(b.fromX, b.fromY, b.owner, b.rank);
        Put(b.toX, b.toY, b.defender, b.defenderRank);
        ApplyMove(1, b.fromX, b.fromY, b.toX, b.toY);
        EXPECT_EQ(TrayTotal(), b.tray) << b.fromX;
        EXPECT_EQ(40 - PiecesLeftTotal(1), b.lost[0]) << b.fromX;
        EXPECT_EQ(40 - PiecesLeftTotal(2), b.lost[1]) << b.fromX;
    }
    // The computer lost a 4, a bomb and a scout, the player a 5, a 7 and a scout.
    const int computerLost[RANK_KINDS] = {1, 0, 1, 0, 1}, playerLost[RANK_KINDS] = {0, 0, 1, 0, 0, 1, 0, 1};
    for (int r = 0; r < RANK_KINDS; ++r) {
        EXPECT_EQ(g_trayCount[r], computerLost[r]) << r;
        EXPECT_EQ(g_piecesLeft[2][r], PIECE_SET[r] - computerLost[r]) << r;
        EXPECT_EQ(g_piecesLeft[1][r], PIECE_SET[r] - playerLost[r]) << r;
    }

    // The same battles as trials count nothing.
    Put(1, 7, OWNER_COMPUTER, 4);
    ApplyMove(0, 1, 7, 1, 6);
    Put(10, 7, OWNER_COMPUTER, 6);
    Put(10, 6, OWNER_PLAYER, 6);
    ApplyMove(0, 10, 7, 10, 6);
    EXPECT_EQ(TrayTotal(), 3);
    EXPECT_EQ(PiecesLeftTotal(1) + PiecesLeftTotal(2), 74);
}

TEST_F(RulesTest, TakingTheFlagEndsARealGameOnlyAndMarshalDeathsAreRecorded)
{
    StartPlay();
    Put(3, 9, OWNER_SELECTED, RANK_SCOUT);
    Put(3, 10, OWNER_COMPUTER, RANK_FLAG);
    ApplyMove(0, 3, 9, 3, 10);
    EXPECT_EQ(g_gameOver, 0);
    EXPECT_EQ(g_losingSide, 0);

    Put(3, 9, OWNER_SELECTED, RANK_SCOUT);
    Put(3, 10, OWNER_COMPUTER, RANK_FLAG);
    EXPECT_EQ(ApplyMove(1, 3, 9, 3, 10), BATTLE_WIN);
    EXPECT_EQ(g_gameOver, 1);
    EXPECT_EQ(g_losingSide, 2);
    EXPECT_EQ(g_piecesLeft[2][RANK_FLAG], 0);
    // The presentation after the move already sees the game over.
    ASSERT_EQ(RecordedCalls().size(), 2u);
    EXPECT_EQ(RecordedCalls()[0].gameOver, 0);
    EXPECT_EQ(RecordedCalls()[1].gameOver, 1);

    StartPlay();
    Put(8, 2, OWNER_COMPUTER, RANK_SPY);
    Put(8, 1, OWNER_PLAYER, RANK_FLAG);
    ApplyMove(1, 8, 2, 8, 1);
    EXPECT_EQ(g_gameOver, 1);
    EXPECT_EQ(g_losingSide, 1);

    // Which marshals a battle leaves alive.
    struct Case {
        const char* what;
        int real, fromOwner, fromRank, toOwner, toRank, playerMarshal, computerMarshal;
    };
    const Case cases[] = {
        {"a spy takes the player's marshal, in a trial too", 0, OWNER_COMPUTER, RANK_SPY, OWNER_PLAYER, RANK_MARSHAL, 0,
         1},
        {"the computer's marshal runs into a bomb", 0, OWNER_COMPUTER, RANK_MARSHAL, OWNER_PLAYER, RANK_BOMB, 1, 0},
        {"the player's selected marshal runs into a bomb", 1, OWNER_SELECTED, RANK_MARSHAL, OWNER_COMPUTER, RANK_BOMB,
         0, 1},
        {"two marshals", 0, OWNER_COMPUTER, RANK_MARSHAL, OWNER_PLAYER, RANK_MARSHAL, 0, 0},
        {"the marshal that attacks a spy survives", 0, OWNER_COMPUTER, RANK_MARSHAL, OWNER_PLAYER, RANK_SPY, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartPlay();
        Put(5, 6, c.fromOwner, c.fromRank);
        Put(5, 5, c.toOwner, c.toRank);
        ApplyMove(c.real, 5, 6, 5, 5);
        EXPECT_EQ(g_playerMarshalAlive, c.playerMarshal);
        EXPECT_EQ(g_computerMarshalAlive, c.computerMarshal);
    }
    EXPECT_EQ(g_cellRank[5][5], RANK_MARSHAL);
}

TEST_F(RulesTest, RevealedEnemyPieceAfterBattles)
{
    StartPlay();
    struct Step {
        const char* what;
        int fromX, fromY, owner, rank, toX, toY, defenderRank, revealX, revealY;
    };
    const Step steps[] = {
        {"the computer wins: where it now stands", 3, 3, OWNER_COMPUTER, 7, 3, 2, 4, 3, 2},
        {"the computer loses: the square it attacked from", 6, 3, OWNER_COMPUTER, 4, 6, 2, 7, 6, 3},
        {"the player attacks: the defender's square", 9, 2, OWNER_SELECTED, 4, 9, 3, 7, 9, 3},
        {"a plain player move keeps it", 1, 1, OWNER_SELECTED, 4, 2, 1, RANK_EMPTY, 9, 3},
        {"a plain computer move clears it", 1, 9, OWNER_COMPUTER, 4, 1, 8, RANK_EMPTY, 0, 0},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        Put(s.fromX, s.fromY, s.owner, s.rank);
        if (s.defenderRank != RANK_EMPTY) Put(s.toX, s.toY, s.owner == OWNER_COMPUTER ? OWNER_PLAYER : OWNER_COMPUTER, s.defenderRank);
        ApplyMove(1, s.fromX, s.fromY, s.toX, s.toY);
        EXPECT_EQ(g_revealRow[0] * 100 + g_revealRow[1], s.revealX * 100 + s.revealY);
    }
}

TEST_F(RulesTest, RepetitionRuleForbidsUndoingAMoveForOneTurn)
{
    // Real moves of an unselected player piece keep no history.
    StartPlay();
    Put(2, 2, OWNER_PLAYER, 6);
    ApplyMove(1, 2, 2, 2, 3);
    ApplyMove(1, 2, 3, 2, 2);
    EXPECT_EQ(g_moveHistory[1][0], NO_LAST_MOVE);
    EXPECT_EQ(g_forbiddenMove[1], NO_FORBIDDEN_MOVE);
    EXPECT_EQ(g_lastMove, (MoveRecord{2, 3, 2, 2}));

    Put(2, 2, OWNER_SELECTED, 6);
    Put(8, 9, OWNER_COMPUTER, 6);
    PlayerMove(2, 2, 2, 3);  // A -> B
    ApplyMove(1, 8, 9, 8, 8);
    EXPECT_EQ(g_moveHistory[1][0], (MoveRecord{2, 2, 2, 3}));
    EXPECT_EQ(g_forbiddenMove[1], NO_FORBIDDEN_MOVE);
    PlayerMove(2, 3, 2, 2);  // B -> A
    EXPECT_EQ(g_forbiddenMove[1], (MoveRecord{2, 2, 2, 3}));
    EXPECT_EQ(g_moveHistory[1][0], (MoveRecord{2, 3, 2, 2}));
    EXPECT_EQ(g_moveHistory[1][1], (MoveRecord{2, 2, 2, 3}));
    EXPECT_EQ(g_forbiddenMove[2], NO_FORBIDDEN_MOVE);

    // The computer undoes its move too.
    ApplyMove(1, 8, 8, 8, 9);
    EXPECT_EQ(g_forbiddenMove[2], (MoveRecord{8, 9, 8, 8}));
    EXPECT_EQ(g_forbiddenMove[1], (MoveRecord{2, 2, 2, 3}));  // the other side's ban stays

    // The player's next move lifts the ban.
    PlayerMove(2, 2, 1, 2);
    EXPECT_EQ(g_forbiddenMove[1], NO_FORBIDDEN_MOVE);

    // Moving on along a line, or back to the same row or column elsewhere, is no repetition.
    const MoveRecord onwards[] = {{1, 2, 1, 3}, {1, 3, 1, 4}, {1, 4, 2, 4}, {2, 4, 2, 3}, {2, 3, 3, 3}, {3, 3, 4, 3}};
    for (const MoveRecord& m : onwards) {
        PlayerMove(m.fromX, m.fromY, m.toX, m.toY);
        EXPECT_EQ(g_forbiddenMove[1], NO_FORBIDDEN_MOVE) << m.toX << "," << m.toY;
    }
}

TEST_F(RulesTest, AnyBattleClearsBothSidesHistories)
{
    StartPlay();
    Put(2, 2, OWNER_SELECTED, 6);
    Put(8, 9, OWNER_COMPUTER, 6);
    Put(5, 9, OWNER_COMPUTER, 3);
    Put(5, 8, OWNER_PLAYER, RANK_BOMB);
    PlayerMove(2, 2, 2, 3);
    ApplyMove(1, 8, 9, 8, 8);
    PlayerMove(2, 3, 2, 2);
    ASSERT_EQ(g_forbiddenMove[1], (MoveRecord{2, 2, 2, 3}));

    ApplyMove(1, 5, 9, 5, 8);  // the computer's miner takes a bomb
    for (int side = 1; side <= 2; ++side) {
        EXPECT_EQ(g_moveHistory[side][0], NO_LAST_MOVE) << side;
        EXPECT_EQ(g_moveHistory[side][1], NO_PREVIOUS_MOVE) << side;
        EXPECT_EQ(g_forbiddenMove[side], NO_FORBIDDEN_MOVE) << side;
    }

    // After the battle, undoing the computer's earlier move is not a repetition.
    ApplyMove(1, 8, 8, 8, 9);
    EXPECT_EQ(g_forbiddenMove[2], NO_FORBIDDEN_MOVE);
}

TEST_F(RulesTest, MarkReachableForSteppingPiecesAndScoutLinesButNotBombsAndFlags)
{
    StartPlay();
    Put(4, 4, OWNER_SELECTED, 6);
    Put(3, 4, OWNER_PLAYER, 5);
    Put(5, 4, OWNER_COMPUTER, 7);
    // (4, 5) is a lake, (4, 3) is empty.
    g_reachable[9][9] = 0;
    MarkReachable(1, 4, 4);

    ExpectMarks({{3, 4, OWNER_PLAYER}, {5, 4, OWNER_COMPUTER}, {4, 3, OWNER_EMPTY}, {4, 5, OWNER_LAKE}});
    int marked = 0;
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 10; ++y) marked += g_reachable[x][y] != -1;
    EXPECT_EQ(marked, 4);

    // A piece in the corner marks nothing outside the field.
    Put(1, 1, OWNER_SELECTED, RANK_SPY);
    MarkReachable(1, 1, 1);
    ExpectMarks({{2, 1, OWNER_EMPTY}, {1, 2, OWNER_EMPTY}, {0, 1, 0}, {1, 0, 0}});  // the border ring never written

    // show 0 only clears; bombs and flags get nothing.
    MarkReachable(0, 1, 1);
    Put(5, 2, OWNER_SELECTED, RANK_BOMB);
    Put(7, 2, OWNER_SELECTED, RANK_FLAG);
    g_reachable[5][3] = 0;
    MarkReachable(1, 5, 2);
    g_reachable[7][3] = 0;
    MarkReachable(1, 7, 2);
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 10; ++y) EXPECT_EQ(g_reachable[x][y], -1) << x << "," << y;

    // Scout lines stop at pieces and lakes.
    StartPlay();
    Put(4, 3, OWNER_SELECTED, RANK_SCOUT);
    Put(8, 3, OWNER_COMPUTER, 6);     // x+: empty 5..7, enemy 8 ends the line
    Put(10, 3, OWNER_COMPUTER, 6);    // beyond the enemy: never reached
    Put(2, 3, OWNER_PLAYER, 6);       // x-: empty 3, own 2 ends and is not reachable
    Put(4, 1, OWNER_COMPUTER, 9);     // y-: empty 2, enemy 1
    // y+: empty 4, lake (4, 5) ends the line
    MarkReachable(1, 4, 3);

    ExpectMarks({{5, 3, OWNER_EMPTY}, {6, 3, OWNER_EMPTY}, {7, 3, OWNER_EMPTY}, {8, 3, OWNER_COMPUTER}, {9, 3, -1},
                 {10, 3, -1}, {3, 3, OWNER_EMPTY}, {2, 3, -1}, {1, 3, -1}, {4, 2, OWNER_EMPTY}, {4, 1, OWNER_COMPUTER},
                 {4, 4, OWNER_EMPTY}, {4, 5, OWNER_LAKE}, {4, 6, -1}, {4, 7, -1}, {4, 3, -1}});

    // A computer scout sees the player's pieces as enemies and its own as walls.
    Put(6, 9, OWNER_COMPUTER, RANK_SCOUT);
    Put(6, 7, OWNER_PLAYER, 4);
    Put(9, 9, OWNER_COMPUTER, 5);
    MarkReachable(1, 6, 9);
    ExpectMarks({{6, 8, OWNER_EMPTY}, {6, 7, OWNER_PLAYER}, {6, 6, -1}, {8, 9, OWNER_EMPTY}, {9, 9, -1},
                 {6, 10, OWNER_EMPTY}});
}

