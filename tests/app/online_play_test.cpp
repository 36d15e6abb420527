// Online play as the player meets it, against the test game server with a
// plain socket as the other player: the search begun as the menu begins it,
// the setup ended, the 500 ms tick of a never-shown main dialog, the board
// clicks. Each scenario checks what the player is shown (notices, frames,
// the board), the online flags, the connections left and the server's log.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/VelmonarDlg.h"
#include "app/flow_hooks.h"
#include "app/game_state.h"
#include "app/menu_clicks.h"
#include "app/setup_end.h"
#include "online/game_client.h"
#include "online/online_state.h"
#include "raw_client.h"
#include "rules/board.h"
#include "rules/live_options.h"
#include "rules/rules_host.h"
#include "scene/frame_state.h"
#include "tests/support/app_scenes.h"
#include "tests/support/board_fixture.h"
#include "tests/support/notice_recorder.h"
#include "tests/support/online_client.h"
#include "tests/support/temp_folder.h"
#include "test_server.h"

namespace {

using Texts = std::vector<std::string>;

DWORD g_clock = 0;

int Sounds(const std::string& file)
{
    int n = 0;
    for (const auto& call : RecordedCalls())
        n += call.name == "PlaySoundA" && call.path.size() >= file.size() &&
             call.path.compare(call.path.size() - file.size(), file.size(), file) == 0;
    return n;
}

class OnlinePlay : public RulesTest {
protected:
    void SetUp() override
    {
        RulesTest::SetUp();
        ASSERT_FALSE(config.Path().empty());
        setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
        RecordNotices();
        g_language[0] = 2;
        g_pollSuspended = 1;
        g_sceneReady = 1;
        for (int& flag : g_panelVisible) flag = 0;
        WriteSharedText(g_machineId, "qwe");
        // Animations end at their first look at the clock; frames and sounds are recorded.
        g_flowHooks.tick = [] { return g_clock += 1000; };
        g_flowHooks.sleep = [](DWORD) {};
        g_flowHooks.renderFrame = g_rulesHost.renderFrame;
        g_flowHooks.playSound = g_rulesHost.playSound;
        g_flowHooks.pickUnderMouse = [] {};
        g_flowHooks.beginThread = StartOnlineThread;
    }
    void TearDown() override
    {
        LeaveOnlineGame();
        ResetFlowHooks();
        unsetenv("XDG_CONFIG_HOME");
    }

    void Tick() { dialog.SendMessage(WM_TIMER, TICK_TIMER_ID); }

    // The online button, then (once the server status the search asks for
    // is in, as it is while a player sets up) the player's 40 pieces, the
    // standard army x 1..10 outer, y 1..4 inner, and the end of the setup,
    // which sends the match request.
    void SearchWithTheStandardArmy()
    {
        g_serverStatusDone = 0;
        StartOnlineSearch(&dialog);
        ASSERT_TRUE(WaitUntil([] { return g_serverStatusDone.load() == 1; }));
        const std::vector<int> ranks = RanksOf(StandardSetupMessage());
        for (int x = 1, k = 0; x <= 10; ++x)
            for (int y = 1; y <= 4; ++y, ++k) Put(x, y, OWNER_PLAYER, ranks[k]);
        for (int& count : g_trayCount) count = 0;
        g_setupMode = 1;
        FinishSetup();
    }

    // The player is shown the waiting caption (the tick draws it).
    void ExpectQueuedAndShown()
    {
        ASSERT_TRUE(WaitUntil([] { return g_waitingForOpponent.load() == 1; }));
        ClearRecordedCalls();
        Tick();
        EXPECT_GE(RecordedCount("RenderFrame"), 1);
    }

    // The peer's army as the player sees it: its setup turned onto rows 7 to 10.
    static bool OpponentArmyStands()
    {
        const std::vector<int> ranks = RanksOf(OtherSetupMessage());
        for (int x = 1, k = 0; x <= 10; ++x)
            for (int y = 1; y <= 4; ++y, ++k)
                if (g_cellOwner[11 - x][11 - y] != OWNER_COMPUTER || g_cellRank[11 - x][11 - y] != ranks[k])
                    return false;
        return true;
    }

    static bool OpponentRowsEmpty()
    {
        for (int x = 1; x <= 10; ++x)
            for (int y = 7; y <= 10; ++y)
                if (g_cellOwner[x][y] != OWNER_EMPTY) return false;
        return true;
    }

    CVelmonarDlg dialog;
    TempFolder config{"velmonar-online-play"};
    Leftovers leftovers;
};

// The server ends a queued search: the connection notice, the waiting
// caption gone at once, and everything back for a new search.
TEST_F(OnlinePlay, AQueuedSearchTheServerEndsGivesTheNoticeAndLeavesTheWayToSearchAgain)
{
    TestGameServer server({"--close-queued", "0.5"});
    ASSERT_TRUE(UseServer(server, leftovers));
    SearchWithTheStandardArmy();
    ExpectQueuedAndShown();
    EXPECT_TRUE(server.WaitFor("QUEUED (guest)"));

    ASSERT_TRUE(server.WaitFor("CLOSED queued"));
    ASSERT_TRUE(WaitUntil([] { return !Notices().empty(); }));
    ClearRecordedCalls();
    Tick();
    EXPECT_EQ(RecordedCount("RenderFrame"), 1) << "the caption goes with the next tick";
    EXPECT_EQ(Notices(), Texts{kConnectionProblem});
    for (const std::atomic<int>* flag : {&g_waitingForOpponent, &g_onlineGame, &g_matchPending, &g_matchState})
        EXPECT_EQ(flag->load(), 0);
    EXPECT_EQ(g_setupPhase, 1);
    EXPECT_TRUE(OpponentRowsEmpty());
    leftovers.ExpectNone();

    // The player searches again, and is queued again.
    ClearNotices();
    SearchWithTheStandardArmy();
    ExpectQueuedAndShown();
    EXPECT_TRUE(server.WaitFor("QUEUED (guest)", 2));
    EXPECT_EQ(g_onlineGame.load(), 1);
    EXPECT_EQ(g_matchPending.load(), 1);
    EXPECT_TRUE(Notices().empty());
}

// The opponent is gone right after the pairing, before a tick has shown
// the army: the notice, then the army, and the game goes on against the
// computer. A pairing that never decoded gives the connection notice alone.
TEST_F(OnlinePlay, AnOpponentGoneAtThePairingLeavesAGameAgainstTheComputerWithTheArmyShown)
{
    struct Case {
        std::vector<std::string> switches;
        const char* serverSaw;
    };
    const Case cases[] = {
        {{"--leave-at-pairing"}, "LEFT at-pairing"},
        {{"--after-pairing", HexOf("&&&&")}, "LEFT first"},  // a garbage move: the player's end
        {{"--pairing-reply", HexOf("rrrr")}, nullptr},        // no army at all
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.switches[0]);
        TestGameServer server(c.switches);
        ASSERT_TRUE(UseServer(server, leftovers));
        ClearNotices();
        SearchWithTheStandardArmy();
        ExpectQueuedAndShown();
        const int peer = RequestingPeer(server.Address());
        ASSERT_TRUE(server.WaitFor("PAIRED"));
        ASSERT_TRUE(WaitUntil([] { return !Notices().empty() && g_onlineGame.load() == 0; }));
        ClearRecordedCalls();
        Tick();
        EXPECT_EQ(g_onlineGame.load() + g_matchPending.load() + g_waitingForOpponent.load(), 0);
        EXPECT_GE(RecordedCount("RenderFrame"), 1);
        if (!c.serverSaw) {
            EXPECT_EQ(Notices(), Texts{kConnectionProblem});
            EXPECT_EQ(g_setupPhase, 1);
            EXPECT_TRUE(OpponentRowsEmpty());
            close(peer);
            leftovers.ExpectNone();
            continue;
        }
        EXPECT_TRUE(server.WaitFor(c.serverSaw));
        EXPECT_EQ(Notices(), Texts{kOpponentLeft});
        EXPECT_EQ(g_opponentLeft.load(), 0) << "taken by the tick";
        EXPECT_EQ(Sounds("/sound/H2.wav"), 40) << "the pieces drop in one by one";
        EXPECT_TRUE(OpponentArmyStands());
        EXPECT_EQ(g_setupPhase, 0);

        // The player's scout steps forward, and the computer answers.
        ClickSquare(2, 4);
        ClickSquare(2, 5);
        EXPECT_EQ(g_cellRank[2][5], RANK_SCOUT);
        EXPECT_GE(g_lastMove.fromY, 7) << "the last move is the computer's";
        EXPECT_EQ(g_gameOver.load(), 0);
        close(peer);
        leftovers.ExpectNone();
        EXPECT_EQ(server.Count("REPORT"), 0);  // a guest against a guest
    }
}

// A logged-in player leaves while the re-login waits for the server: that
// search sends no match request, so the player already waiting is paired
// with nobody, and then with the player's next search.
TEST_F(OnlinePlay, ASearchLeftDuringItsReloginSendsNothingAndTheWaitingPlayerMeetsTheNextOne)
{
    TestGameServer server({"--account", "anna:secret", "--silent-logins"});
    const std::string folder = config.Path() + "/velmonar";
    mkdir(folder.c_str(), 0700);
    std::ofstream(folder + "/strlp.erg") << "anna\nsecret";
    const int peer = QueuedPeer(server.Address());
    ASSERT_GE(peer, 0);
    ASSERT_TRUE(UseServer(server, leftovers));  // the waiting peer stays to the end
    SearchWithTheStandardArmy();
    ASSERT_TRUE(server.WaitFor("LOGIN anna silent"));

    LeaveOnlineGame();  // a game against the computer instead
    leftovers.ExpectNone();
    EXPECT_EQ(RawReceive(peer, 500), "<timeout>") << "no pairing reached the waiting player";
    EXPECT_EQ(server.Count("PAIRED"), 0);
    EXPECT_EQ(server.Count("QUEUED"), 1);
    EXPECT_EQ(g_waitingForOpponent.load(), 0);
    EXPECT_EQ(g_onlineGame.load(), 0);
    EXPECT_TRUE(Notices().empty());

    // Logged out, the player searches again: this search meets the waiting player.
    unlink((folder + "/strlp.erg").c_str());
    SearchWithTheStandardArmy();
    EXPECT_EQ(RawReceive(peer), StandardSetupMessage() + " " + std::string(1, '\0'));
    ASSERT_TRUE(WaitUntil([] { return g_onlineTurn.load() == 1; }));
    Tick();
    EXPECT_TRUE(OpponentArmyStands());
    EXPECT_EQ(g_setupPhase, 0);
    EXPECT_EQ(g_onlineGame.load(), 1);
    EXPECT_TRUE(server.WaitFor("PAIRED (guest) (guest)"));
    EXPECT_TRUE(Notices().empty());
    close(peer);
}

}  // namespace
