// The end of the setup in a program folder of its own: the computer's army
// from the ready-made setups and its answers to the player's bombs, the
// pieces dropping in, the computer moving first, and the online setup.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "app/setup_end.h"
#include "online/game_client.h"
#include "online/setup_code.h"
#include "online/online_state.h"
#include "platform/program_folder.h"
#include "rules/board.h"
#include "rules/evaluation.h"
#include "rules/live_options.h"
#include "rules/ready_setups.h"
#include "scene/frame_state.h"
#include "tests/app/flow_recorder.h"

namespace fs = std::filesystem;

namespace {

std::vector<int> ComputerArmy()
{
    std::vector<int> count(RANK_KINDS, 0);
    for (int x = 1; x <= 10; ++x)
        for (int y = 7; y <= 10; ++y)
            if (g_cellRank[x][y] >= 0 && g_cellRank[x][y] < RANK_KINDS) ++count[g_cellRank[x][y]];
    return count;
}

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
        char pattern[] = "/tmp/velmonar-setup-end-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
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
        std::error_code error;
        fs::remove_all(folder, error);
        g_onlineGame = g_matchPending = 0;
        g_computerMovesFirst = 0;
    }
    fs::path folder;
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

TEST_F(SetupEnd, BombPairsInThePlayersFrontRowsBringAMinerAndAScoutForward)
{
    struct Case {
        std::pair<int, int> bombs[2];
        int at47;  // rank brought onto (4,7) first, -1 none
        int minerX, scoutX;
    };
    const Case cases[] = {
        {{{1, 4}, {2, 4}}, -1, 3, 2}, {{{1, 3}, {2, 4}}, -1, 3, 2},       {{{5, 4}, {6, 4}}, 5, 4, 5},
        {{{5, 4}, {6, 4}}, RANK_SPY, 7, 6}, {{{9, 4}, {10, 4}}, -1, 8, 9}, {{{9, 4}, {10, 3}}, -1, 8, 9},
    };
    const auto bringForward = [](int rank, int x) {
        for (int sx = 1; sx <= 10; ++sx)
            for (int sy = 8; sy <= 10; ++sy)
                if (g_cellRank[sx][sy] == rank) return std::swap(g_cellRank[sx][sy], g_cellRank[x][7]);
    };
    const std::vector<int> full(PIECE_SET, PIECE_SET + RANK_KINDS);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.minerX * 10 + c.bombs[1].first);
        NewGame();
        for (int i = 0; i < SETUP_VALUE_COUNT; ++i) {
            int x = 0, y = 0;
            ComputerSetupCell(i, x, y);
            g_cellRank[x][y] = BUILT_IN_SETUP[i];
        }
        if (c.at47 >= 0) {
            bringForward(c.at47, 4);
            bringForward(8, 7);
        }
        for (const auto& b : c.bombs) PutPiece(b.first, b.second, OWNER_PLAYER, RANK_BOMB);
        AdjustToPlayerBombs();
        EXPECT_EQ(g_cellRank[c.minerX][7], RANK_MINER);
        EXPECT_EQ(g_cellRank[c.scoutX][7], RANK_SCOUT);
        EXPECT_EQ(ComputerArmy(), full);
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
    PutPiece(1, 1, OWNER_PLAYER, RANK_MARSHAL);
    // The marshal (10) on (1,1); every other square as the fixture left it.
    std::string expected = "!";
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 4; ++y) {
            for (char c : std::to_string(g_cellRank[x][y])) expected += std::isdigit(c) ? SetupCodeTable[c - '0'] : c;
            expected += '!';
        }
    int fds[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
    g_serverSocket = fds[0];
    g_onlineGame = g_opponentMoveReady = 1;
    g_autoRelogin = 0;

    FinishSetup();

    EXPECT_EQ(ReadSharedText(g_setupMessage).str(), expected);
    EXPECT_EQ(expected.substr(0, 4), std::string("!") + SetupCodeTable[1] + SetupCodeTable[0] + "!");
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
