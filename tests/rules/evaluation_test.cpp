// Piece values, the evaluation of a position and the threat test.
#include "rules/evaluation.h"
#include "rules/plans.h"
#include "tests/rules/ai_support.h"

using EvaluationTest = AiTest;

TEST_F(EvaluationTest, PieceValueAddsPlanAndFlagNearnessAndIsNegatedForThePlayer)
{
    ClearField();
    g_computerFlagPos[0] = 5;
    g_computerFlagPos[1] = 10;
    Put(4, 4, OWNER_COMPUTER, 7, 0.0f, 34);
    Put(6, 4, OWNER_PLAYER, 7, 0.0f, 36);
    Put(5, 9, OWNER_COMPUTER, RANK_BOMB, 0.0f, 89);
    Put(5, 2, OWNER_PLAYER, RANK_BOMB, 0.0f, 25);
    g_planMap[4][4][34] = 120;
    g_planMap[6][4][36] = 45;
    g_planMap[4][4][36] = 999;  // another piece's map does not count
    g_flagProximity[5][9][1] = 190;
    g_flagProximity[5][2][1] = 77;
    g_flagProximity[5][2][0] = 66;

    EXPECT_EQ(PieceValue(4, 4, 7), 7000 + 120);
    EXPECT_EQ(PieceValue(6, 4, 7), -(7000 + 45));
    EXPECT_EQ(PieceValue(5, 9, RANK_BOMB), 25000 + 190);
    EXPECT_EQ(PieceValue(5, 2, RANK_BOMB), -25000);  // no nearness bonus for a player bomb
    EXPECT_EQ(EvaluateBoard(), 7120 - 7045 + 25190 - 25000);

    // A selected player piece is not counted.
    g_cellOwner[6][4] = OWNER_SELECTED;
    EXPECT_EQ(EvaluateBoard(), 7120 + 25190 - 25000);
}

TEST_F(EvaluationTest, SpyIsWorthMoreWhileTheOpposingMarshalLivesAndAMinerNearTheEnemyFlag)
{
    ClearField();
    Put(2, 9, OWNER_COMPUTER, RANK_SPY, 0.0f, 0);
    Put(2, 2, OWNER_PLAYER, RANK_SPY, 0.0f, 0);
    g_playerMarshalAlive = 1;
    g_computerMarshalAlive = 0;
    EXPECT_EQ(PieceValue(2, 9, RANK_SPY), 20000);
    EXPECT_EQ(PieceValue(2, 2, RANK_SPY), -1000);
    g_playerMarshalAlive = 0;
    g_computerMarshalAlive = 1;
    EXPECT_EQ(PieceValue(2, 9, RANK_SPY), 1000);
    EXPECT_EQ(PieceValue(2, 2, RANK_SPY), -20000);

    // A miner near the enemy flag is worth more.
    g_playerFlagPos[0] = 1;
    g_playerFlagPos[1] = 1;
    g_computerFlagPos[0] = 10;
    g_computerFlagPos[1] = 10;
    Put(4, 3, OWNER_COMPUTER, RANK_MINER, 0.0f, 0);  // distance 5 to the player's flag
    Put(4, 4, OWNER_COMPUTER, RANK_MINER, 0.0f, 0);  // distance 6
    EXPECT_EQ(PieceValue(4, 3, RANK_MINER), 12000);
    EXPECT_EQ(PieceValue(4, 4, RANK_MINER), 8000);
    // A player miner measures to the computer's flag.
    Put(9, 6, OWNER_PLAYER, RANK_MINER, 0.0f, 0);  // distance 5
    Put(9, 5, OWNER_PLAYER, RANK_MINER, 0.0f, 0);  // distance 6
    EXPECT_EQ(PieceValue(9, 6, RANK_MINER), -12000);
    EXPECT_EQ(PieceValue(9, 5, RANK_MINER), -8000);
}

TEST_F(EvaluationTest, ThreatsComeFromStrongerPlayerNeighboursOnly)
{
    ClearField();
    // A rank-5 piece next to a player 6 is threatened; next to a 5 or a bomb it is not.
    Put(5, 4, OWNER_PLAYER, 6);
    EXPECT_EQ(IsThreatened(5, 5, 5), 1);
    EXPECT_EQ(IsThreatened(6, 4, 5), 1);
    g_cellRank[5][4] = 5;
    EXPECT_EQ(IsThreatened(5, 5, 5), 0);
    g_cellRank[5][4] = RANK_BOMB;
    EXPECT_EQ(IsThreatened(5, 5, 5), 0);
    // The player's flag counts as higher; a computer neighbour never threatens.
    g_cellRank[5][4] = RANK_FLAG;
    EXPECT_EQ(IsThreatened(5, 5, 9), 1);
    Put(5, 4, OWNER_COMPUTER, RANK_MARSHAL);
    EXPECT_EQ(IsThreatened(5, 5, 5), 0);
    // Diagonal neighbours do not count.
    Put(5, 4, OWNER_EMPTY, RANK_EMPTY);
    Put(6, 6, OWNER_PLAYER, RANK_MARSHAL);
    EXPECT_EQ(IsThreatened(5, 5, 5), 0);

    // The marshal is never threatened, not even by the spy.
    Put(2, 2, OWNER_PLAYER, RANK_SPY);
    EXPECT_EQ(IsThreatened(2, 3, RANK_MARSHAL), 0);
    EXPECT_EQ(IsThreatened(2, 3, RANK_EMPTY), 0);

    // A bomb only by a miner; the flag by any player piece.
    EXPECT_EQ(IsThreatened(2, 3, RANK_BOMB), 0);
    g_cellRank[2][2] = RANK_MINER;
    EXPECT_EQ(IsThreatened(2, 3, RANK_BOMB), 1);
    g_cellRank[2][2] = RANK_SCOUT;
    EXPECT_EQ(IsThreatened(2, 3, RANK_FLAG), 1);
    EXPECT_EQ(IsThreatened(9, 9, RANK_FLAG), 0);
}
