// Plan maps: laying one path, and the passes that choose the targets.
#include <cstring>
#include <string>

#include "rules/plans.h"
#include "tests/rules/ai_support.h"

namespace {

using PlansTest = AiTest;

constexpr int TAG = 7;

int MapSum(int tag)
{
    int sum = 0;
    for (int x = 0; x < GRID_SIZE; ++x)
        for (int y = 0; y < GRID_SIZE; ++y) sum += g_planMap[x][y][tag];
    return sum;
}

// Cells of a tag's map that hold a value, walked from (x, y) along rising
// values; returns how many cells the walk passed.
int RisingPathLength(int x, int y, int tag)
{
    int length = 1;
    for (;;) {
        const int here = g_planMap[x][y][tag];
        int bestX = 0, bestY = 0, best = here;
        const int dx[4] = {-1, 1, 0, 0}, dy[4] = {0, 0, -1, 1};
        for (int d = 0; d < 4; ++d)
            if (g_planMap[x + dx[d]][y + dy[d]][tag] > best) {
                best = g_planMap[x + dx[d]][y + dy[d]][tag];
                bestX = x + dx[d];
                bestY = y + dy[d];
            }
        if (best == here) return length;
        x = bestX;
        y = bestY;
        ++length;
    }
}

}  // namespace

TEST_F(PlansTest, PathRisesFromThePieceToTheFullWeightAtTheTargetAndKeepsTheLargerValue)
{
    ClearField();
    Put(2, 2, OWNER_PLAYER, 6);
    for (int type = 0; type <= 3; ++type) {
        std::memset(g_planMap, 0, sizeof g_planMap);
        FloodPath(type, 100, TAG, 2, 2, 9, 8);
        const int top = 100 + (type == 3 ? 10 : type == 2 ? 5 : 0);
        EXPECT_EQ(g_planMap[9][8][TAG], top) << type;
        // On an open board the walk takes a shortest path: 7 + 6 steps plus the start.
        const int s = 14;
        EXPECT_EQ(g_planMap[2][2][TAG], top * 1 / s) << type;
        EXPECT_EQ(RisingPathLength(2, 2, TAG), s) << type;
        EXPECT_EQ(g_planMap[2][2][TAG - 1] + g_planMap[9][8][TAG + 1], 0) << "other tags untouched";
    }

    // A path laid again keeps the larger of old and new values.
    std::memset(g_planMap, 0, sizeof g_planMap);
    FloodPath(0, 100, TAG, 2, 2, 2, 9);
    const int high = g_planMap[2][9][TAG];
    FloodPath(0, 10, TAG, 2, 2, 2, 9);
    EXPECT_EQ(g_planMap[2][9][TAG], high);
    FloodPath(0, 300, TAG, 2, 2, 2, 9);
    EXPECT_EQ(g_planMap[2][9][TAG], 300);

    // A piece on its target gets the full weight on its cell alone.
    std::memset(g_planMap, 0, sizeof g_planMap);
    Put(6, 3, OWNER_COMPUTER, RANK_MINER);
    FloodPath(3, 60, TAG, 6, 3, 6, 3);
    EXPECT_EQ(g_planMap[6][3][TAG], 70);
    EXPECT_EQ(MapSum(TAG), 70);
}

TEST_F(PlansTest, OpenBoardIsPrunedToAThinPathAndWalkedGreedily)
{
    ClearField();
    Put(2, 2, OWNER_PLAYER, 6);
    FloodPath(0, 140, TAG, 2, 2, 9, 8);
    // Rows y = 10 down to 1, x = 1 to 10: '#' blocked, '.' open off the path,
    // 'a' + n - 1 the cell of step n. The corner sweeps shave the open board
    // from its corners down to rings and paths; the walk prefers the step
    // that closes the wider gap to the target ('c' goes right, 'f' goes up).
    const char* expected[10] = {
        "##########",
        "##########",
        "########n#",
        "#....jklm#",
        "#.##.i##.#",
        "#.##gh##.#",
        "#cdef....#",
        "#b########",
        "#a########",
        "##########",
    };
    for (int row = 0; row < 10; ++row) {
        const int y = 10 - row;
        std::string got;
        for (int x = 1; x <= 10; ++x) {
            const int step = g_pathStep[x][y];
            got += g_passable[x][y] == 0 ? '#' : step > 0 ? static_cast<char>('a' + step - 1) : '.';
        }
        EXPECT_EQ(got, expected[row]) << "row y = " << y;
    }
    // 14 steps: value 140 x n / 14.
    EXPECT_EQ(g_planMap[2][2][TAG], 10);
    EXPECT_EQ(g_planMap[5][4][TAG], 60);
    EXPECT_EQ(g_planMap[9][8][TAG], 140);
    EXPECT_EQ(g_planMap[5][6][TAG], 0) << "open but off the path";
}

TEST_F(PlansTest, UnreachableTargetAddsNothingAndOnlyAMinerPassesEnemyBombs)
{
    ClearField();
    // A player scout boxed in by bombs of both sides: no type-1 path out.
    Put(1, 1, OWNER_PLAYER, RANK_SCOUT);
    Put(2, 1, OWNER_PLAYER, RANK_BOMB);
    Put(1, 2, OWNER_COMPUTER, RANK_BOMB);
    FloodPath(1, 100, TAG, 1, 1, 9, 9);
    EXPECT_EQ(MapSum(TAG), 0);
    // A target walled in by lakes and pieces the scout does not beat (type 3).
    Put(5, 5, OWNER_COMPUTER, 8);
    Put(6, 5, OWNER_COMPUTER, 8);
    Put(5, 6, OWNER_COMPUTER, RANK_FLAG);
    Put(5, 7, OWNER_COMPUTER, 9);
    Put(6, 7, OWNER_COMPUTER, 9);
    Put(6, 6, OWNER_COMPUTER, RANK_MARSHAL);
    Put(9, 1, OWNER_PLAYER, RANK_SCOUT);
    FloodPath(3, 100, TAG, 9, 1, 5, 6);
    EXPECT_EQ(MapSum(TAG), 0);
    // A flag position of (0, 0), a border cell, adds nothing either.
    FloodPath(0, 100, TAG, 9, 1, 0, 0);
    EXPECT_EQ(MapSum(TAG), 0);

    // Only a miner passes bombs, and only the enemy's.
    ClearField();
    // A wall of computer bombs across the board (the lakes fill the gaps).
    const int wall[6] = {1, 2, 5, 6, 9, 10};
    for (int x : wall) Put(x, 5, OWNER_COMPUTER, RANK_BOMB);
    Put(1, 2, OWNER_PLAYER, RANK_MINER);
    Put(10, 2, OWNER_PLAYER, RANK_MARSHAL);
    FloodPath(1, 100, TAG, 1, 2, 5, 9);
    EXPECT_EQ(g_planMap[5][9][TAG], 100) << "a miner passes enemy bombs";
    FloodPath(1, 100, TAG + 1, 10, 2, 5, 9);
    EXPECT_EQ(MapSum(TAG + 1), 0) << "any other piece stops at every bomb";
    // Its own bombs stop the miner.
    for (int x : wall) g_cellOwner[x][5] = OWNER_PLAYER;
    FloodPath(1, 100, TAG + 2, 1, 2, 5, 9);
    EXPECT_EQ(MapSum(TAG + 2), 0);
}

TEST_F(PlansTest, ResetFindsTheFlagsAndForgetsAMissingOne)
{
    ClearField();
    Put(3, 1, OWNER_PLAYER, RANK_FLAG, 0.0f, 55);
    Put(6, 9, OWNER_COMPUTER, 6, 0.0f, 55);
    g_computerFlagPos[0] = 4, g_computerFlagPos[1] = 10;  // from an earlier game
    CountPieces();
    ResetKnowledgeAndPlans();
    EXPECT_EQ((std::vector<int>{g_playerFlagPos[0], g_playerFlagPos[1], g_computerFlagPos[0], g_computerFlagPos[1]}),
              (std::vector<int>{3, 1, 0, 0}));
    EXPECT_EQ(g_knowledge[3][1], 1.0f);
    // p = 20 - distance, value p(p+1)/2.
    EXPECT_EQ(g_flagProximity[3][1][0], 210);
    EXPECT_EQ(g_flagProximity[10][10][0], 4 * 5 / 2);
    EXPECT_EQ(g_flagProximity[10][10][1], 0);
    EXPECT_EQ(g_flagProximity[1][1][1], 18 * 19 / 2);
    // The rank-6 piece plans toward the player's flag under its new tag.
    EXPECT_EQ(g_pieceTag[6][9], 9 * 10 + 6 - 10);
    EXPECT_EQ(g_planMap[3][1][86], 160);
    // The flag (no enemy flag to aim at, nothing it beats) still gets its tag.
    EXPECT_EQ(g_pieceTag[3][1], 3);
    EXPECT_EQ(MapSum(3), 0);
}

TEST_F(PlansTest, ComputerMinersStayBackWhileTheArmyIsLarge)
{
    ClearField();
    Put(5, 1, OWNER_PLAYER, RANK_FLAG);
    Put(5, 10, OWNER_COMPUTER, RANK_FLAG);
    Put(1, 9, OWNER_COMPUTER, RANK_MINER);
    CountPieces();
    g_piecesLeft[2][4] = 19;  // 21 pieces
    ResetKnowledgeAndPlans();
    EXPECT_EQ(g_pieceTag[1][9], 0);
    EXPECT_EQ(MapSum(81), 0);
    g_piecesLeft[2][4] = 18;  // 20 pieces
    ResetKnowledgeAndPlans();
    EXPECT_EQ(g_pieceTag[1][9], 81);
    EXPECT_EQ(g_planMap[5][1][81], 160);
}

TEST_F(PlansTest, DefendersAimAtTheFirstEnemyMinerInScanOrder)
{
    ClearField();
    // No player flag: nothing aims at a flag.
    Put(5, 10, OWNER_COMPUTER, RANK_FLAG);
    Put(5, 9, OWNER_COMPUTER, 6);
    Put(2, 8, OWNER_PLAYER, RANK_MINER);  // first in scan order, 4 away
    Put(6, 7, OWNER_PLAYER, RANK_MINER);  // nearer, 3 away
    CountPieces();
    ResetKnowledgeAndPlans();
    const int tag = g_pieceTag[5][9];
    ASSERT_EQ(tag, 85);
    EXPECT_EQ(g_planMap[2][8][tag], 120 + 10) << "the defence path, weight W4 + 10";
    EXPECT_EQ(g_planMap[6][7][tag], 60 + 10) << "only the nearest-beaten path, W2 + 10";
}

TEST_F(PlansTest, ScoutsProbeHiddenBombsHarderThanHiddenHighRanksAndLateHuntersChaseFlagDefenders)
{
    ClearField();
    Put(2, 9, OWNER_COMPUTER, RANK_SCOUT);
    Put(2, 6, OWNER_PLAYER, RANK_BOMB);
    Put(9, 9, OWNER_COMPUTER, 4);
    Put(9, 6, OWNER_PLAYER, RANK_MARSHAL);
    Put(6, 9, OWNER_COMPUTER, RANK_SCOUT);
    Put(6, 6, OWNER_PLAYER, 6, 0.0f);  // rank 6 is not worth a probe
    CountPieces();
    PlanMoves();
    EXPECT_EQ(g_planMap[2][6][g_pieceTag[2][9]], 150 + 10);
    EXPECT_EQ(g_planMap[9][6][g_pieceTag[9][9]], 60 + 10);
    EXPECT_EQ(g_planMap[6][6][g_pieceTag[6][9]], 0);
    // A piece the player has moved is no longer hidden: no probe.
    g_knowledge[2][6] = 0.5f;
    PlanMoves();
    EXPECT_EQ(g_planMap[2][6][g_pieceTag[2][9]], 0);

    // Late in the game hunters chase the defenders of the flag.
    ClearField();
    Put(1, 1, OWNER_PLAYER, RANK_FLAG);
    Put(1, 2, OWNER_PLAYER, RANK_BOMB);
    Put(2, 1, OWNER_PLAYER, RANK_BOMB);
    Put(3, 3, OWNER_PLAYER, 7);          // between the miner and the flag
    Put(10, 1, OWNER_PLAYER, 7);         // far off the miner's way
    Put(4, 2, OWNER_COMPUTER, RANK_MINER);  // distance 4 to the flag
    Put(9, 9, OWNER_COMPUTER, 8);
    Put(10, 10, OWNER_COMPUTER, RANK_FLAG);
    CountPieces();
    ResetKnowledgeAndPlans();
    const int hunter = g_pieceTag[9][9];
    EXPECT_EQ(g_planMap[3][3][hunter], 550 + 10);
    EXPECT_LT(g_planMap[10][1][hunter], 550) << "only pieces that could stop the miner are hunted";

    // Not while the player still has 11 pieces.
    g_piecesLeft[1][2] = 6;
    ResetKnowledgeAndPlans();
    EXPECT_LT(g_planMap[3][3][g_pieceTag[9][9]], 550);
}
