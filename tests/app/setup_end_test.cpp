// The end of the setup in a program folder of its own: the computer's army
// from the ready-made setups and its answers to the player's bombs, the
// pieces dropping in, the computer moving first, and the online setup.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "app/setup_end.h"
#include "online/game_client.h"
#include "online/online_state.h"
#include "platform/program_folder.h"
#include "rules/board.h"
#include "rules/evaluation.h"
#include "rules/live_options.h"
#include "rules/ready_setups.h"
#include "tests/app/flow_recorder.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

// Value i of setup file n: the built-in army turned by n places.
int SetupValue(int n, int i)
{
    return BUILT_IN_SETUP[(i + n) % SETUP_VALUE_COUNT];
}

class SetupEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallFlowRecorder();
        LoadEvaluationTables();
        fs::create_directories(folder / "rs");
        g_appDir = folder.c_str();
        NewGame();
        // The player's army, no bomb in the two front rows.
        for (int x = 1; x <= 10; ++x)
            for (int y = 1; y <= 4; ++y) PutPiece(x, y, OWNER_PLAYER, y >= 3 ? 4 : RANK_BOMB);
        ClearFlowEvents();
    }
    void TearDown() override
    {
        g_onlineGame = g_matchPending = 0;
        g_computerMovesFirst = 0;
    }
    TempFolder temp{"velmonar-setup-end"};
    fs::path folder = temp.Path();
};

TEST_F(SetupEnd, OfflineAGoodUnusedSetupDropsInAndPlayBegins)
{
    // Even numbers are good files; odd ones hold a rank 12 or stop short.
    for (int n = 0; n < READY_SETUP_COUNT; ++n) {
        std::ofstream file(folder / "rs" / ("Test_K" + std::to_string(n) + ".txt"));
        for (int i = 0; i < (n % 4 == 3 ? 30 : SETUP_VALUE_COUNT); ++i) file << (n % 4 == 1 && i == 5 ? 12 : SetupValue(n, i)) << ' ';
    }
    std::ofstream(folder / "rs" / "Temp.txt") << "0 2 4 6 8";
    std::srand(11);
    FinishSetup();

    std::ifstream in(folder / "rs" / "Temp.txt");
    std::string list;
    std::getline(in, list);
    const int n = std::atoi(list.c_str());
    EXPECT_EQ(n % 2, 0);
    EXPECT_GT(n, 8) << "not one of the recent setups";
    EXPECT_EQ(list, std::to_string(n) + " 0 2 4 6");
    for (int i = 0; i < SETUP_VALUE_COUNT; ++i) {
        int x = 0, y = 0;
        ComputerSetupCell(i, x, y);
        EXPECT_EQ(g_cellRank[x][y], SetupValue(n, i)) << x << "," << y;
        EXPECT_EQ(g_cellOwner[x][y], OWNER_COMPUTER);
    }
    EXPECT_EQ(g_setupPhase, 0);
    EXPECT_EQ(g_computerMarshalAlive + g_playerMarshalAlive, 2);

    // Each of the 40 pieces dropped once, with its sound, in an order of its own.
    const auto dropOrder = [] {
        std::vector<int> order;
        for (size_t i = 1; i < FlowEvents().size(); ++i)
            if (FlowEvents()[i - 1].name == "H2.wav") order.push_back(FlowEvents()[i].drop[0] * 100 + FlowEvents()[i].drop[1]);
        return order;
    };
    const std::vector<int> order = dropOrder();
    EXPECT_EQ(std::set<int>(order.begin(), order.end()).size(), 40u);
    for (int r = 0; r < RANK_KINDS; ++r) EXPECT_EQ(g_piecesLeft[1][r] + g_piecesLeft[2][r], 2 * PIECE_SET[r]);
    ClearFlowEvents();
    std::srand(12);
    PlaceOpponentPieces();
    EXPECT_NE(dropOrder(), order) << "another seed, another order";
}

// The computer's rows 10, 9, 8 and 7 (x 1 to 10), a full army: the first
// miner of rows 8 to 10 (x outer, y down from 10) is (1,9), a row upwards
// (1,8), a row-by-row scan (4,10); the first scout is (2,9), (2,8) and
// (5,10) likewise. The square the first answer takes a miner to holds a
// scout, so the scout's scan sees the miner's swap.
const int kArmy[4][10] = {
    {4, 9, 5, 3, 2, 6, RANK_FLAG, 7, RANK_MARSHAL, 8},  // y 10
    {3, 2, 0, 4, 5, 0, 6, 2, 0, 7},                     // y 9
    {3, 2, 0, 6, 4, 7, 5, 0, 2, 3},                     // y 8
    {3, 8, 2, 4, 0, 1, 5, 2, 6, 2},                     // y 7
};

TEST_F(SetupEnd, BombPairsInThePlayersFrontRowsBringAMinerAndAScoutForward)
{
    struct Cell {
        int x, y, rank;
    };
    struct Case {
        const char* what;
        std::vector<std::pair<int, int>> bombs;
        std::vector<Cell> frontRow;  // row 7 changed before the rule
        std::vector<Cell> after;     // the cells the rule changes, worked out by hand
    };
    const Case cases[] = {
        {"left pair", {{1, 4}, {2, 4}}, {}, {{3, 7, 3}, {2, 7, 2}, {1, 9, 8}}},
        {"left, one row back", {{1, 3}, {2, 4}}, {}, {{3, 7, 3}, {2, 7, 2}, {1, 9, 8}}},
        {"middle, (4,7) below (7,7)", {{5, 4}, {6, 4}}, {}, {{4, 7, 3}, {5, 7, 2}, {1, 9, 4}, {2, 9, 0}}},
        {"middle, a spy on (4,7)", {{5, 4}, {6, 4}}, {{4, 7, RANK_SPY}, {6, 7, 4}},
         {{7, 7, 3}, {6, 7, 2}, {1, 9, 5}, {2, 9, 4}}},
        {"middle, (4,7) above (7,7)", {{5, 4}, {6, 4}}, {{4, 7, 5}, {7, 7, 4}},
         {{7, 7, 3}, {6, 7, 2}, {1, 9, 4}, {2, 9, 1}}},
        {"right pair", {{9, 4}, {10, 4}}, {}, {{8, 7, 3}, {9, 7, 2}, {1, 9, 6}}},
        {"right, one row back", {{9, 4}, {10, 3}}, {}, {{8, 7, 3}, {9, 7, 2}, {1, 9, 6}}},
        {"all three, in order",
         {{1, 4}, {2, 4}, {5, 4}, {6, 4}, {9, 4}, {10, 4}},
         {},
         {{3, 7, 3}, {2, 7, 2}, {1, 9, 8}, {4, 7, 3}, {5, 7, 2}, {1, 8, 4}, {2, 9, 0}, {8, 7, 3}, {9, 7, 2},
          {4, 10, 2}, {2, 8, 6}}},
        {"no pair", {{1, 4}, {5, 4}, {10, 4}}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NewGame();
        int want[11][11] = {};
        for (int row = 0; row < 4; ++row)
            for (int x = 1; x <= 10; ++x) g_cellRank[x][10 - row] = want[x][10 - row] = kArmy[row][x - 1];
        for (const Cell& cell : c.frontRow) g_cellRank[cell.x][cell.y] = want[cell.x][cell.y] = cell.rank;
        for (const auto& b : c.bombs) PutPiece(b.first, b.second, OWNER_PLAYER, RANK_BOMB);
        for (const Cell& cell : c.after) want[cell.x][cell.y] = cell.rank;
        AdjustToPlayerBombs();
        for (int y = 7; y <= 10; ++y)
            for (int x = 1; x <= 10; ++x) EXPECT_EQ(g_cellRank[x][y], want[x][y]) << x << "," << y;
    }
}

TEST_F(SetupEnd, TheComputerMovingFirstMovesWhileTheSetupPhaseIsStillOn)
{
    g_computerMovesFirst = 1;
    FinishSetup();
    const std::vector<std::string> names = FlowNames();
    const auto pause = std::find(names.begin(), names.end(), "sleep 1000");
    ASSERT_NE(pause, names.end());
    EXPECT_EQ(std::count(pause, names.end(), "H1.wav"), 1) << "then the computer's move";
    EXPECT_EQ(Frames().back().setupPhase, 1);
    EXPECT_EQ(g_setupPhase, 0);
    EXPECT_GE(g_lastMove.fromY, 7) << "the first move starts in the computer's rows";
    EXPECT_TRUE(g_lastMove.toX != g_lastMove.fromX || g_lastMove.toY != g_lastMove.fromY) << "a real move";
}

TEST_F(SetupEnd, OnlineTheSetupGoesOutWithTheMatchRequestOverAFreshConnection)
{
    // The marshal (10) on (1,1), a general (9) on (3,2), the spy on (2,3)
    // and the flag (11) on (10,4); every other square as the fixture left it.
    PutPiece(1, 1, OWNER_PLAYER, RANK_MARSHAL);
    PutPiece(3, 2, OWNER_PLAYER, 9);
    PutPiece(2, 3, OWNER_PLAYER, RANK_SPY);
    PutPiece(10, 4, OWNER_PLAYER, RANK_FLAG);
    // Column by column (y 1 to 4), the digits through the code table
    // 0 # 1 $ 4 ( 9 }: "10!0!4!4!" "0!0!1!4!" "0!9!4!4!", six times
    // "0!0!4!4!", then "0!0!4!11!".
    const std::string expected = "!$#!#!(!(!" "#!#!$!(!" "#!}!(!(!"
                                 "#!#!(!(!" "#!#!(!(!" "#!#!(!(!" "#!#!(!(!" "#!#!(!(!" "#!#!(!(!"
                                 "#!#!(!$$!";
    int fds[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
    g_serverSocket = fds[0];
    g_onlineGame = g_opponentMoveReady = 1;
    g_autoRelogin = 0;

    FinishSetup();

    EXPECT_EQ(ReadSharedText(g_setupMessage).str(), expected);
    EXPECT_EQ(g_matchPending + g_setupPhase + g_autoRelogin, 3) << "the setup phase stays on";
    EXPECT_EQ(g_opponentMoveReady, 0);
    EXPECT_EQ(g_serverSocket, -1);
    char byte = 0;
    EXPECT_EQ(read(fds[1], &byte, 1), 0) << "the old connection is shut down";
    close(fds[0]);
    close(fds[1]);
    EXPECT_EQ(FlowNames(), std::vector<std::string>{"thread"});
    EXPECT_EQ(FlowEvents()[0].thread, MatchRequestThread);
}

}  // namespace
