// The 500 ms tick on a never-shown main dialog: the web result, the opponent's
// setup and moves with the end of an online game, the pings and the banner,
// the update. Redraws, sounds and the game-over panel are recorded.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <fstream>
#include <thread>
#include <vector>

#include "app/VelmonarDlg.h"
#include "app/game_state.h"
#include "interface/interface_state.h"
#include "online/game_client.h"
#include "online/online_state.h"
#include "online/web.h"
#include "platform/files.h"
#include "platform/program_folder.h"
#include "rules/board.h"
#include "rules/live_options.h"
#include "tests/support/app_scenes.h"
#include "tests/support/board_fixture.h"
#include "tests/support/fake_browser.h"
#include "tests/support/notice_recorder.h"
#include "tests/support/temp_folder.h"
#include "test_server.h"

namespace {

// The end of a game as the player meets it: the one sound, the game-over
// panel and a redraw right after it.
void ExpectGameOverShown(const std::string& sound)
{
    const auto& calls = RecordedCalls();
    ASSERT_EQ(RecordedCount("PlaySoundA"), 1);
    ASSERT_EQ(RecordedCount("ShowGameOverPanel"), 1);
    for (size_t k = 0; k < calls.size(); ++k) {
        if (calls[k].name == "PlaySoundA") {
            EXPECT_NE(calls[k].path.find(sound), std::string::npos) << calls[k].path;
        }
        if (calls[k].name == "ShowGameOverPanel") {
            EXPECT_TRUE(k + 1 < calls.size() && calls[k + 1].name == "RenderFrame") << "the panel, then a redraw";
        }
    }
}

// The opponent's move published as the move worker publishes it: the move, then its ready flag.
void Receive(int fromX, int fromY, int toX, int toY)
{
    const int move[4] = {fromX, fromY, toX, toY};
    for (int i = 0; i < 4; ++i) g_opponentMove[i] = move[i];
    g_opponentMoveReady = 1;
}

class TimerTick : public RulesTest {
protected:
    void SetUp() override
    {
        RulesTest::SetUp();
        RecordNotices();
        g_language[0] = 2;
        for (std::atomic<int>* flag : {&g_webNewsPending, &g_updateAvailable, &g_onlineGame, &g_matchState,
                                       &g_matchPending, &g_onlineTurn, &g_opponentMoveReady, &g_opponentLeft,
                                       &g_redrawRequested, &g_serverStatusDone, &g_serverReachable, &g_blinkStep,
                                       &g_gameOver})
            *flag = 0;
        g_onlineBannerOn = 0;
        g_pollSuspended = 1;
        WriteSharedText(g_ownName, "");
        WriteSharedText(g_opponentName, "(guest)");
    }
    void TearDown() override { CloseServerSocket(); }

    void Tick() { dialog.SendMessage(WM_TIMER, TICK_TIMER_ID); }

    // An online game in play, the opponent to move.
    void OnlinePlay()
    {
        StartPlay();
        g_onlineGame = 1;
        g_onlineTurn = 2;
    }

    CVelmonarDlg dialog;
};

TEST_F(TimerTick, NewsFirstThenTheOpponentsSetupLandsTurnedOnRows7To10)
{
    NewGame();
    g_setupPhase = 1;
    for (int x = 1; x <= 10; ++x)
        for (int y = 7; y <= 10; ++y) g_cellOwner[x][y] = OWNER_EMPTY;
    int code = 0;
    for (int& r : g_opponentSetup) r = (code++ * 7) % 12;  // any ranks, in code order
    WriteSharedText(g_onlineCountText, "123");
    g_onlineCount = 100;  // as decoded from "123"
    g_webNewsPending = 1;
    g_onlineGame = 1;
    g_matchPending = 1;
    g_opponentSetupGeneration = g_onlineGeneration.load();
    g_matchState = 3;
    ClearRecordedCalls();
    Tick();

    EXPECT_EQ(g_webNewsPending.load(), 0);
    EXPECT_EQ(g_matchState.load(), 0);
    EXPECT_EQ(g_matchPending.load(), 0);
    EXPECT_EQ(g_setupPhase, 0);
    EXPECT_EQ(ReadSharedText(g_onlineCountText), "101");
    // The sender's square (x, y), code order x outer and y inner, lands on (11 - x, 11 - y).
    int i = 0;
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 4; ++y, ++i) {
            EXPECT_EQ(g_cellRank[11 - x][11 - y], g_opponentSetup[i]) << x << "," << y;
            EXPECT_EQ(g_cellOwner[11 - x][11 - y], OWNER_COMPUTER);
        }
    // Two redraws: the banner's first, before any opponent piece stood.
    ASSERT_EQ(RecordedNames(), (std::vector<std::string>{"RenderFrame", "RenderFrame"}));
    EXPECT_EQ(RecordedCalls()[0].owner[5][8], OWNER_EMPTY);
    EXPECT_EQ(RecordedCalls()[1].owner[5][8], OWNER_COMPUTER);
}

// The army decoded before the opponent left is shown all the same (the game
// goes on against the computer); one decoded for a search the player has
// left since is dropped, online or not.
TEST_F(TimerTick, ADecodedArmyIsShownAfterTheOpponentLeftButNotAfterTheSearchWasLeft)
{
    int code = 0;
    for (int rank = 0; rank < RANK_KINDS; ++rank)
        for (int n = 0; n < PIECE_SET[rank]; ++n) g_opponentSetup[code++] = rank;
    NewGame();
    g_onlineGame = 0;  // the opponent left
    g_opponentLeft = 1;
    g_opponentSetupGeneration = g_onlineGeneration.load();
    g_matchState = 3;
    ClearRecordedCalls();
    Tick();
    EXPECT_EQ(g_matchState.load(), 0);
    EXPECT_EQ(g_setupPhase, 0);
    EXPECT_EQ(g_cellOwner[10][10], OWNER_COMPUTER);
    EXPECT_EQ(g_cellRank[10][10], RANK_BOMB);  // the sender's (1, 1)
    EXPECT_EQ(g_cellRank[1][7], RANK_FLAG);    // the sender's (10, 4)
    EXPECT_EQ(RecordedNames(), (std::vector<std::string>{"RenderFrame", "RenderFrame"}));  // the army, the leaving

    for (int online = 0; online <= 1; ++online) {
        NewGame();
        g_opponentSetupGeneration = g_onlineGeneration.load();
        CloseServerSocket();  // the player left; a new search may run
        g_onlineGame = online;
        g_matchPending = online;
        g_matchState = 3;
        Tick();
        EXPECT_EQ(g_matchState.load(), 0) << online;
        EXPECT_EQ(g_setupPhase, 1) << online;
        EXPECT_EQ(g_cellOwner[10][10], OWNER_EMPTY) << online;
        EXPECT_EQ(g_matchPending.load(), online);
    }
    g_onlineGame = 0;
}

TEST_F(TimerTick, AValidatedMoveIsAppliedAndAnImpossibleOneIsRefusedWithTheBoardUnchanged)
{
    OnlinePlay();
    Put(5, 8, OWNER_COMPUTER, 6);
    Put(5, 7, OWNER_PLAYER, 4);
    Put(1, 1, OWNER_PLAYER, RANK_FLAG);
    Put(1, 10, OWNER_COMPUTER, RANK_FLAG);
    Put(3, 3, OWNER_PLAYER, 5);
    Put(9, 9, OWNER_COMPUTER, 5);
    Receive(5, 8, 5, 7);
    Tick();
    EXPECT_EQ(g_cellOwner[5][7], OWNER_COMPUTER);
    EXPECT_EQ(g_cellRank[5][7], 6);
    EXPECT_EQ(g_onlineTurn.load(), 1);
    EXPECT_EQ(g_opponentMoveReady.load(), 0);
    EXPECT_EQ(g_gameOver.load(), 0);
    EXPECT_GE(RecordedCount("ShowMoveResult"), 2);

    // A bomb that "moves": nothing changes, the game goes on against the computer.
    Put(6, 9, OWNER_COMPUTER, RANK_BOMB);
    int owner[GRID_SIZE][GRID_SIZE], rank[GRID_SIZE][GRID_SIZE];
    std::memcpy(owner, g_cellOwner, sizeof owner);
    std::memcpy(rank, g_cellRank, sizeof rank);
    g_onlineTurn = 2;
    WriteSharedText(g_ownName, "anna");
    Receive(6, 9, 6, 8);
    ClearRecordedCalls();
    Tick();
    EXPECT_EQ(std::memcmp(owner, g_cellOwner, sizeof owner), 0);
    EXPECT_EQ(std::memcmp(rank, g_cellRank, sizeof rank), 0);
    EXPECT_EQ(RecordedCount("ShowMoveResult"), 0);
    EXPECT_EQ(g_onlineGame.load(), 0);
    EXPECT_EQ(g_opponentLeft.load(), 1);
    EXPECT_EQ(Notices(), std::vector<std::string>{"Opponent out of the game. Game goes against the computer."});
    Tick();  // without an online game: the one redraw for the leaving
    EXPECT_EQ(g_opponentLeft.load(), 0);
    EXPECT_EQ(RecordedCount("RenderFrame"), 1);

    // The same under an open account dialog: nothing shown, the dialog's caller leaves later.
    g_onlineGame = 1;
    g_onlineTurn = 2;
    ClearNotices();
    g_accountDialogClosed = 0;
    g_opponentLeftInDialog = 0;
    Receive(6, 9, 6, 8);
    Tick();
    g_accountDialogClosed = 1;
    EXPECT_EQ(g_onlineGame.load(), 0);
    EXPECT_EQ(g_opponentLeftInDialog.load(), 1);
    EXPECT_EQ(g_opponentLeft.load(), 0);
    EXPECT_TRUE(Notices().empty());
    g_opponentLeftInDialog = 0;
}

// The last row: the opponent's plain move leaves the player's one piece that
// can move with only the way back the repetition rule forbids: the player
// lost, and the player's side alone reports the named winner.
TEST_F(TimerTick, AReceivedMoveEndsTheGameEitherWayAndOnlyANamedLoserReports)
{
    TestGameServer server;
    ASSERT_TRUE(server.Started());
    WriteSharedText(g_serverIp, CString(server.Address()));
    WriteSharedText(g_ownName, "anna");
    struct End {
        int target;  // the player's piece on (5,1) the opponent's 6 moves onto from (5,2); -1: boxed in
        int ownerAfter;  // on the square moved onto
        const char* opponent;
        int loser;
        const char* sound;
        bool report;
    };
    const End ends[] = {
        // The flag of a named player who lost to a named opponent.
        {RANK_FLAG, OWNER_COMPUTER, "boris", 1, "/sound/komp_vig.wav", true},
        {RANK_FLAG, OWNER_COMPUTER, "(guest)", 1, "/sound/komp_vig.wav", false},  // the same against a guest
        {RANK_BOMB, OWNER_PLAYER, "boris", 2, "/sound/Pobed.wav", false},         // the opponent's last mover dies
        {-1, OWNER_COMPUTER, "boris", 1, "/sound/komp_vig.wav", true},
    };
    int reports = 0;
    for (const End& end : ends) {
        SCOPED_TRACE(end.opponent + std::to_string(end.target));
        OnlinePlay();
        Put(1, 1, OWNER_PLAYER, RANK_FLAG);
        if (end.target >= 0) {
            Put(5, 2, OWNER_COMPUTER, 6);
            Put(5, 1, OWNER_PLAYER, end.target);
            Put(3, 3, OWNER_PLAYER, 5);
            Put(9, 9, OWNER_COMPUTER, RANK_FLAG);
            Receive(5, 2, 5, 1);
        } else {
            BoxInByOwnBombs(1, [](int x, int y, int owner, int rank) { Put(x, y, owner, rank); });
            Put(10, 10, OWNER_COMPUTER, RANK_FLAG);
            Put(10, 8, OWNER_COMPUTER, 4);
            Receive(10, 8, 10, 7);
        }
        WriteSharedText(g_opponentName, end.opponent);
        Tick();
        EXPECT_EQ(end.target >= 0 ? g_cellOwner[5][1] : g_cellOwner[10][7], end.ownerAfter);
        EXPECT_EQ(g_gameOver.load(), 1);
        EXPECT_EQ(g_losingSide, end.loser);
        EXPECT_EQ(g_onlineGame.load() + g_matchPending.load(), 0);
        ExpectGameOverShown(end.sound);
        if (end.report) {
            EXPECT_TRUE(server.WaitFor("REPORT boris", ++reports));
        }
    }
    // No report beyond the named loser's.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(server.Count("REPORT"), reports);
}

// Two workers set the redraw and status flags as fast as they can while a
// third publishes the opponent's moves (the move before its ready flag)
// whenever the turn has come back, and the tick runs meanwhile: every set
// that found its flag clear ends in exactly one redraw, and every published
// move is applied once, as published.
TEST_F(TimerTick, WorkersHammeringTheFlagsLoseNoSetAndEveryMoveIsAppliedOnce)
{
    OnlinePlay();
    Put(5, 9, OWNER_COMPUTER, 6);
    Put(1, 10, OWNER_COMPUTER, RANK_FLAG);
    Put(1, 1, OWNER_PLAYER, RANK_FLAG);
    Put(3, 3, OWNER_PLAYER, 5);
    const int moves = 300;
    std::atomic<bool> stop{false};
    std::atomic<int> applied{0}, redrawSets{0}, statusSets{0};
    auto hammer = [&stop](std::atomic<int>& flag, std::atomic<int>& sets) {
        while (!stop.load()) {
            if (flag.exchange(1) == 0) ++sets;
            std::this_thread::yield();
        }
    };
    std::thread redraws(hammer, std::ref(g_redrawRequested), std::ref(redrawSets));
    std::thread statuses(hammer, std::ref(g_serverStatusDone), std::ref(statusSets));
    std::thread mover([&] {
        for (int i = 0; i < moves; ++i) {
            while (!(applied.load() == i && g_onlineTurn.load() == 2 && g_opponentMoveReady.load() == 0)) {
                if (stop.load()) return;
                std::this_thread::yield();
            }
            const int fromY = i % 2 == 0 ? 9 : 8;
            Receive(5, fromY, 5, 17 - fromY);
        }
    });

    bool boardRight = true;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    const int enoughSets = 50;  // taken while the tick runs, however the threads are scheduled
    while ((applied.load() < moves || redrawSets.load() < enoughSets || statusSets.load() < enoughSets) &&
           std::chrono::steady_clock::now() < end) {
        Tick();
        if (g_onlineTurn.load() != 1 || applied.load() == moves) continue;
        const int toY = applied.load() % 2 == 0 ? 8 : 9;
        boardRight = boardRight && g_cellOwner[5][toY] == OWNER_COMPUTER && g_cellRank[5][toY] == 6 &&
                     g_cellOwner[5][17 - toY] == OWNER_EMPTY;
        g_onlineTurn = 2;  // the own move went out
        ++applied;
    }
    stop = true;
    redraws.join();
    statuses.join();
    mover.join();
    Tick();  // takes what the workers set last

    EXPECT_EQ(applied.load(), moves);
    EXPECT_TRUE(boardRight);
    EXPECT_EQ(RecordedCount("ShowMoveResult"), 2 * moves);
    EXPECT_EQ(g_redrawRequested.load(), 0);
    EXPECT_EQ(g_serverStatusDone.load(), 0);
    EXPECT_EQ(g_onlineGame.load(), 1);
    EXPECT_GE(redrawSets.load(), enoughSets);
    EXPECT_GE(statusSets.load(), enoughSets);
    // One frame for every flag taken and every move applied.
    EXPECT_EQ(RecordedCount("RenderFrame"), redrawSets.load() + statusSets.load() + moves);
}

TEST_F(TimerTick, PingsOnTheSeventhTickThenEvery101AndTheBannerBlinksSevenTimes)
{
    TestGameServer server;
    ASSERT_TRUE(server.Started());
    WriteSharedText(g_serverIp, CString(server.Address()));
    g_pollSuspended = 0;
    g_pollTicks = 95;
    for (int t = 1; t <= 6; ++t) Tick();
    EXPECT_EQ(server.Count("PING"), 0);
    ClearRecordedCalls();
    Tick();
    ASSERT_TRUE(server.WaitFor("PING", 1));
    ASSERT_TRUE(WaitUntil([] { return g_serverReachable.load() == 1; }));

    // The banner comes on in the tick that first sees the answer: this one,
    // or the ping's own when the answer came back within it.
    Tick();
    EXPECT_EQ(g_onlineBannerOn, 1);
    for (int t = 0; t < 20; ++t) Tick();
    EXPECT_EQ(RecordedCount("RenderFrame"), 1 + 7);  // the banner coming on, its blink, then still
    EXPECT_EQ(g_blinkStep.load(), 0);

    for (int t = 0; t < 101 - 22; ++t) Tick();  // up to tick 107: no ping yet, even one still on its way
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(server.Count("PING"), 1);
    Tick();  // tick 7 + 101
    EXPECT_TRUE(server.WaitFor("PING", 2));

    // The server goes: the next ping fails and the banner goes off with one redraw.
    server.Kill();
    g_pollTicks = 101;
    ClearRecordedCalls();
    Tick();
    ASSERT_TRUE(WaitUntil([] { return g_serverReachable.load() == 0; }));
    Tick();
    EXPECT_EQ(g_onlineBannerOn, 0);
    EXPECT_EQ(g_blinkStep.load(), 0);
    EXPECT_EQ(RecordedCount("RenderFrame"), 1);  // in whichever tick saw the failure first
}

// A program folder of its own; the product page opens in the fake browser.
class UpdateTick : public TimerTick {
protected:
    void SetUp() override
    {
        TimerTick::SetUp();
        ASSERT_FALSE(folder.Path().empty());
        savedDir = g_appDir;
        g_appDir = CString(folder.Path());
        char cwd[4096];
        savedCwd = getcwd(cwd, sizeof cwd) ? cwd : "";
    }
    void TearDown() override
    {
        g_appDir = savedDir;
        if (!savedCwd.empty()) (void)chdir(savedCwd.c_str());
        TimerTick::TearDown();
    }
    TempFolder folder{"velmonar-update"};
    FakeBrowser browser;
    CString savedDir;
    std::string savedCwd;
};

TEST_F(UpdateTick, TheUpdaterStartsAndTheDialogEndsWithoutWritingTheOptions)
{
    const std::string updater = folder.Path() + "/Update.exe";
    std::ofstream(updater) << "#!/bin/sh\ntouch updater-ran\n";
    chmod(updater.c_str(), 0700);
    g_webNewsPending = 1;
    g_updateAvailable = 1;
    Tick();
    EXPECT_EQ(g_updateAvailable.load(), 0);
    EXPECT_TRUE(dialog.IsEnding());
    EXPECT_EQ(Notices(), std::vector<std::string>{"A new version of the game. Program will be restarted"});
    EXPECT_TRUE(WaitUntil([&] { return FileExists(folder.Path() + "/updater-ran"); }));
    EXPECT_FALSE(FileExists(folder.Path() + "/konfig.ini"));
    EXPECT_EQ(browser.Opened(), "");
}

TEST_F(UpdateTick, WithoutAnUpdaterTheProductPageOpens)
{
    g_webNewsPending = 1;
    g_updateAvailable = 1;
    Tick();
    EXPECT_TRUE(dialog.IsEnding());
    EXPECT_EQ(Notices(), (std::vector<std::string>{"A new version of the game. Program will be restarted",
                                                 "The page from which you can download the new version."}));
    EXPECT_EQ(browser.Opened(1), std::string(PRODUCT_PAGE_URL) + "\n");
    EXPECT_FALSE(FileExists(folder.Path() + "/konfig.ini"));
}

}  // namespace
