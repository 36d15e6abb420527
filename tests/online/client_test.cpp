// The game-server client's workers against the test game server, with a plain
// socket playing the other side: pairing both ways, moves both ways, the
// opponent leaving, the leave, failures and hostile replies.
#include <gtest/gtest.h>
#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>
#include <vector>

#include "notice_recorder.h"
#include "online/game_client.h"
#include "online/online_state.h"
#include "online/setup_code.h"
#include "online/stored_login.h"
#include "online_client.h"
#include "platform/threads.h"
#include "raw_client.h"
#include "rules/board.h"
#include "test_server.h"
#include "tests/support/temp_folder.h"

namespace {

using Texts = std::vector<std::string>;

const std::string kGuestPairing = StandardSetupMessage() + " " + std::string(1, '\0');

// A new search of the same player, after the last one ended.
void SearchAgain()
{
    g_onlineGame = 1;
    g_matchPending = 1;
    ClearNotices();
}

// The search ended with the one connection notice, the online flags cleared.
void ExpectConnectionNotice(int ms = 8000)
{
    ASSERT_TRUE(WaitUntil([] { return !Notices().empty(); }, ms));
    EXPECT_EQ(Notices(), Texts{kConnectionProblem});
    EXPECT_EQ(g_onlineGame.load(), 0);
    EXPECT_EQ(g_matchPending.load(), 0);
}

std::vector<int> OpponentMove()
{
    return {g_opponentMove[0].load(), g_opponentMove[1].load(), g_opponentMove[2].load(), g_opponentMove[3].load()};
}

class OnlineClient : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(config.Path().empty());
        setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
        ResetOnlineSearch();
    }

    void TearDown() override
    {
        CloseServerSocket();
        g_onlineGame = 0;
        unsetenv("XDG_CONFIG_HOME");
    }

    TempFolder config{"velmonar-online"};
    Leftovers leftovers;
};

// While the player is queued, each keep-alive asks for a redraw and the
// search goes on waiting; then the pairing, moves both ways, and the guest's
// leaving.
TEST_F(OnlineClient, QueuedNamedPlayerHearsKeepAlivesPairsExchangesMovesAndSeesAGuestLeave)
{
    TestGameServer server({"--account", "anna:secret", "--keep-alive", "0.15"});
    ASSERT_TRUE(UseServer(server, leftovers));
    ASSERT_TRUE(WriteStoredLogin("anna", "secret"));

    ASSERT_NE(AfxBeginThread(MatchRequestThread, nullptr), nullptr);
    ASSERT_TRUE(WaitUntil([] { return g_waitingForOpponent.load() == 1; }));
    EXPECT_TRUE(server.WaitFor("LOGIN anna ok"));
    EXPECT_TRUE(server.WaitFor("QUEUED anna"));
    EXPECT_EQ(ReadSharedText(g_credentials), "anna+secret-");
    for (int k = 1; k <= 3; ++k) {
        g_redrawRequested = 0;
        ASSERT_TRUE(server.WaitFor("KEEPALIVE", k));
        EXPECT_TRUE(WaitUntil([] { return g_redrawRequested.load() == 1; }));
        EXPECT_EQ(g_waitingForOpponent.load(), 1);
        EXPECT_EQ(g_matchState.load(), 0);
    }

    const int peer = RequestingPeer(server.Address());
    EXPECT_EQ(RawReceive(peer), StandardSetupMessage() + " anna" + std::string(1, '\0'));
    ASSERT_TRUE(WaitUntil([] { return g_matchState.load() == 3; }));
    EXPECT_EQ(g_waitingForOpponent.load(), 0);
    EXPECT_EQ(g_onlineTurn.load(), 2);  // the later requester moves first
    EXPECT_EQ(std::vector<int>(g_opponentSetup, g_opponentSetup + 40), RanksOf(OtherSetupMessage()));
    EXPECT_EQ(ReadSharedText(g_opponentName), "(guest)");
    EXPECT_EQ(ReadSharedText(g_ownName), "anna");

    // The opponent's move arrives turned to the local board.
    RawSend(peer, "0312");
    ASSERT_TRUE(WaitUntil([] { return g_opponentMoveReady.load() == 1; }));
    EXPECT_EQ(OpponentMove(), (std::vector<int>{10, 7, 9, 8}));

    // Our move goes out as it stands; then the receive waits again.
    g_opponentMoveReady = 0;
    EXPECT_EQ(SendOwnMove(peer, "6354"), "6354");

    // The guest leaves: the notice, the game goes on against the computer, no report.
    close(peer);
    ExpectOpponentLeftNotice();
    EXPECT_EQ(g_onlineGame.load(), 0);
    EXPECT_EQ(g_matchPending.load(), 0);
    EXPECT_EQ(ReadSharedText(g_netMessage).str(), kOpponentLeft);
    leftovers.ExpectNone();
    EXPECT_EQ(server.Count("REPORT"), 0);
}

// Signals keep coming while the re-login waits for the server's slow answer
// (as the program's own handlers, or a stop and a continue, would bring
// them): the LOGIN_OK still counts, and the search goes out under the name.
TEST_F(OnlineClient, SignalsDuringTheReloginLoseNotTheServersLogInOk)
{
    TestGameServer server({"--account", "anna:secret", "--login-delay", "0.8"});
    ASSERT_TRUE(UseServer(server, leftovers));
    ASSERT_TRUE(WriteStoredLogin("anna", "secret"));
    struct sigaction sa {};
    sa.sa_handler = [](int) {};  // caught, and nothing done
    sa.sa_flags = SA_RESTART;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGUSR1, &sa, nullptr);
    WriteSharedText(g_credentials, "-");
    std::atomic<bool> done{false};
    int result = -1;
    std::thread relogin([&] {
        result = ReloginFromStoredCredentials(g_onlineGeneration.load());
        done = true;
    });
    while (!done) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (!done) pthread_kill(relogin.native_handle(), SIGUSR1);
    }
    relogin.join();
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(server.WaitFor("LOGIN anna ok"));
    EXPECT_EQ(ReadSharedText(g_credentials), "anna+secret-");
    EXPECT_TRUE(Notices().empty());
}

TEST_F(OnlineClient, LaterGuestMovesFirstAndReportsANamedLeaverWithItsOwnDash)
{
    TestGameServer server({"--account", "boris:pw"});
    ASSERT_TRUE(UseServer(server, leftovers));
    // A refused re-login would play as a guest silently; here there is none.
    std::string pairing;
    const int peer = PairMovingFirst(server, leftovers, "boris+pw-", &pairing);
    ASSERT_GE(peer, 0);
    EXPECT_EQ(pairing, kGuestPairing);
    EXPECT_EQ(ReadSharedText(g_opponentName), "boris");
    EXPECT_EQ(ReadSharedText(g_ownName), "-");

    EXPECT_EQ(SendOwnMove(peer, "0000"), "0000");
    close(peer);
    ExpectOpponentLeftNotice();
    EXPECT_TRUE(server.WaitFor("REPORT - ignored"));  // a guest names itself "-"
    leftovers.ExpectNone(1);  // the peer's own
}

// A live server answers the ping and the status, a hostile one's megabyte
// status is cut to the buffer; with nobody listening any more the search
// ends, the status fails after one retry and the ping clears the banner.
TEST_F(OnlineClient, PingAndStatusOfALiveAHugeAndAGoneServerAndTheSearchWithNone)
{
    TestGameServer server;
    ASSERT_TRUE(UseServer(server, leftovers));
    ServerPingThread(nullptr);
    EXPECT_EQ(g_serverReachable.load(), 1);
    ServerStatusThread(nullptr);
    EXPECT_EQ(ReadSharedText(g_onlineCountText), "0");
    EXPECT_EQ(g_serverStatus.load(), 1);

    TestGameServer huge({"--huge"});
    ASSERT_TRUE(UseServer(huge, leftovers));
    ServerStatusThread(nullptr);
    EXPECT_EQ(ReadSharedText(g_onlineCountText).GetLength(), SERVER_BUFFER_SIZE);

    huge.Kill();  // the address is free now: nobody listens
    ASSERT_NE(AfxBeginThread(MatchRequestThread, nullptr), nullptr);
    ExpectConnectionNotice();

    g_serverStatusRetried = 0;
    g_serverStatusDone = 0;
    WriteSharedText(g_onlineCountText, "42");
    ServerStatusThread(nullptr);
    EXPECT_EQ(ReadSharedText(g_onlineCountText), "0");
    EXPECT_EQ(g_serverStatus.load(), 2);
    EXPECT_EQ(g_serverStatusRetried.load(), 1);
    EXPECT_EQ(g_serverStatusDone.load(), 1);

    g_serverReachable = 1;
    g_blinkStep = 4;
    ServerPingThread(nullptr);
    EXPECT_EQ(g_serverReachable.load(), 0);
    EXPECT_EQ(g_blinkStep.load(), 0);
    leftovers.ExpectNone();
}

// The pairing reply the hostile server sends to both sides: the search ends
// like a failed connection, and no piece comes from it.
void ExpectRefusedPairing(const std::string& reply, const char* what)
{
    SCOPED_TRACE(what);
    TestGameServer server({"--pairing-reply", HexOf(reply)});
    Leftovers unused;
    ASSERT_TRUE(UseServer(server, unused));
    const int peer = QueuedPeer(server.Address());
    ASSERT_GE(peer, 0);
    for (int& r : g_opponentSetup) r = -7;
    SearchAgain();
    ASSERT_NE(AfxBeginThread(MatchRequestThread, nullptr), nullptr);
    ExpectConnectionNotice();
    EXPECT_EQ(g_matchState.load(), 0);
    for (int r : g_opponentSetup) EXPECT_EQ(r, -7);
    close(peer);
}

TEST_F(OnlineClient, HostilePairingRepliesEndTheSearchWithoutAPiece)
{
    leftovers.Mark();
    const std::string good = OtherSetupMessage();
    std::string unknown = good;
    unknown[1] = 'A';
    std::string twelve = good;
    twelve.replace(good.size() - 3, 2, std::string{SetupCodeTable[1], SetupCodeTable[2]});
    std::string fortyOne = "!";
    for (int i = 0; i < 41; ++i) fortyOne += std::string{SetupCodeTable[3], '!'};
    const std::string noSeparators(83, SetupCodeTable[4]);
    ExpectRefusedPairing(good.substr(0, 60) + std::string(1, '\0'), "short");
    ExpectRefusedPairing(unknown + " x" + std::string(1, '\0'), "unknown code");
    ExpectRefusedPairing(twelve + " x" + std::string(1, '\0'), "code 12");
    ExpectRefusedPairing(fortyOne + " x" + std::string(1, '\0'), "41 codes");
    ExpectRefusedPairing("!" + noSeparators + std::string(1, '\0'), "no separators");
    leftovers.ExpectNone();
}

TEST_F(OnlineClient, ANulAtByte83IsAGuestAndANonDigitMoveIsTheOpponentLeaving)
{
    const std::string reply = OtherSetupMessage() + std::string(1, '\0') + "mallory" + std::string(1, '\0');
    TestGameServer server({"--pairing-reply", HexOf(reply), "--move-reply", "26262626"});
    ASSERT_TRUE(UseServer(server, leftovers));
    const int peer = PairMovingFirst(server, leftovers);
    ASSERT_GE(peer, 0);
    EXPECT_EQ(ReadSharedText(g_opponentName), "(guest)");
    SendOwnMove(peer, "1111");  // relayed as "&&&&"
    RawSend(peer, "1234");      // relayed to us as "&&&&" too
    ExpectOpponentLeftNotice();
    EXPECT_EQ(g_opponentMoveReady.load(), 0);
    close(peer);
    leftovers.ExpectNone(1);  // the peer's own
}

TEST_F(OnlineClient, EveryMatchRequestClosedAtOnceGivesFiveTriesThenTheNotice)
{
    TestGameServer server({"--close-match"});
    ASSERT_TRUE(UseServer(server, leftovers));
    ASSERT_NE(AfxBeginThread(MatchRequestThread, nullptr), nullptr);
    ExpectConnectionNotice(10000);
    EXPECT_TRUE(server.WaitFor("MATCH closed-at-once", MATCH_TRIES));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(server.Count("MATCH closed-at-once"), MATCH_TRIES);
    EXPECT_EQ(Notices(), Texts{kConnectionProblem});
    leftovers.ExpectNone();
}

TEST_F(OnlineClient, LeavingWhileQueuedWaitingForAMoveOrOnTheOwnTurnIsQuietAndLeavesNothing)
{
    TestGameServer server;
    ASSERT_TRUE(UseServer(server, leftovers));
    ASSERT_NE(AfxBeginThread(MatchRequestThread, nullptr), nullptr);
    ASSERT_TRUE(WaitUntil([] { return g_waitingForOpponent.load() == 1; }));
    LeaveOnlineGame();
    leftovers.ExpectNone();
    EXPECT_EQ(g_waitingForOpponent.load(), 0);

    // Game G waits for the opponent's move; game G+1's search cuts it off.
    SearchAgain();
    const int peer = RequestingPeer(server.Address());
    ASSERT_NE(AfxBeginThread(MatchRequestThread, nullptr), nullptr);
    ASSERT_TRUE(WaitUntil([] { return g_matchState.load() == 3; }));
    ASSERT_TRUE(WaitUntil([] { return g_serverSocket.load() >= 0; }));
    const int gameG = g_serverSocket.load();
    RawReceive(peer);
    g_matchState = 0;
    SearchAgain();
    ASSERT_NE(AfxBeginThread(MatchRequestThread, nullptr), nullptr);  // a new match request
    ASSERT_TRUE(WaitUntil([] { return g_waitingForOpponent.load() == 1; }));
    const int gameG1 = g_serverSocket.load();
    // The stale receive woke and touched nothing of G+1.
    EXPECT_NE(gameG1, gameG);  // G's handle stays open until its owner ends: never reused under it
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(g_onlineGame.load(), 1);
    EXPECT_EQ(g_matchPending.load(), 1);
    EXPECT_EQ(g_opponentLeft.load(), 0);
    EXPECT_TRUE(Notices().empty());
    LeaveOnlineGame();
    close(peer);
    leftovers.ExpectNone();
    EXPECT_TRUE(Notices().empty());

    // On the own turn the idle game connection is held; leaving closes it.
    ResetOnlineSearch();
    const int own = PairMovingFirst(server, leftovers);
    ASSERT_GE(own, 0);
    EXPECT_TRUE(WaitUntil([&] { return OpenDescriptorCount() == leftovers.Descriptors() + 1; }));  // held for the game
    LeaveOnlineGame();
    leftovers.ExpectNone();
    EXPECT_EQ(RawReceiveAll(own, 4), "rrrr");  // the server saw the leave
    EXPECT_TRUE(Notices().empty());
    close(own);
}

TEST_F(OnlineClient, TheServerKilledWhileQueuedEndsTheSearchWithTheNotice)
{
    TestGameServer server;
    ASSERT_TRUE(UseServer(server, leftovers));
    ASSERT_NE(AfxBeginThread(MatchRequestThread, nullptr), nullptr);
    ASSERT_TRUE(WaitUntil([] { return g_waitingForOpponent.load() == 1; }));
    server.Kill();
    ExpectConnectionNotice();
    EXPECT_EQ(g_waitingForOpponent.load(), 0);
    leftovers.ExpectNone();
}

TEST_F(OnlineClient, ASilentServerHoldsOnlyTheMatchThreadWhichLeavingFrees)
{
    TestGameServer server({"--silent"});
    ASSERT_TRUE(UseServer(server, leftovers));
    ASSERT_NE(AfxBeginThread(MatchRequestThread, nullptr), nullptr);
    ASSERT_TRUE(server.WaitFor("MATCH silent"));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(ThreadCount(), leftovers.Threads() + 1);  // the match request waits for its reply
    LeaveOnlineGame();
    leftovers.ExpectNone();
    EXPECT_TRUE(Notices().empty());
}

// The game connection ends while the receive waits after the player's own
// move: the server killed, reset after the move, or the "rrrr" that came in
// one receive with the pairing reply (the server sends nothing more). The
// opponent-left notice ends the game, and no move is taken.
TEST_F(OnlineClient, AGameConnectionEndedUnderTheWaitingReceiveIsTheOpponentLeaving)
{
    const struct {
        const char* what;
        std::vector<std::string> switches;
        bool kill;
        const char* logged;  // what the server logs before the end, if anything
    } rows[] = {{"the server killed", {}, true, nullptr},
                {"a reset after the move", {"--reset-after-moves", "1"}, false, "RESET"},
                {"rrrr with the pairing", {"--with-pairing", HexOf("rrrr")}, false, nullptr}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        TestGameServer server(row.switches);
        ASSERT_TRUE(UseServer(server, leftovers));
        ResetOnlineSearch();
        const int peer = PairMovingFirst(server, leftovers);
        ASSERT_GE(peer, 0);
        EXPECT_EQ(SendOwnMove(peer, "3343").substr(0, 4), "3343");  // "rrrr" may follow: the client ended
        if (row.kill) server.Kill();
        ASSERT_TRUE(!row.logged || server.WaitFor(row.logged));
        ExpectOpponentLeftNotice();
        EXPECT_EQ(g_onlineGame.load(), 0);
        EXPECT_EQ(g_opponentMoveReady.load(), 0);
        close(peer);
        leftovers.ExpectNone();
    }
}

// A slow receive while queued gets a keep-alive, the pairing reply, the
// opponent's first move and a piece of the next move at once; the rest of
// that move comes in two more pieces. The pairing is decoded, the first move
// taken without another receive, and the pieces put together.
TEST_F(OnlineClient, AKeepAliveThePairingAMoveAndAPieceInOneReceiveLoseNothing)
{
    TestGameServer server({"--before-pairing", HexOf("&"), "--with-pairing", HexOf("03125"),
                           "--after-pairing", HexOf("6")});
    ASSERT_TRUE(UseServer(server, leftovers));
    ASSERT_NE(AfxBeginThread(MatchRequestThread, nullptr), nullptr);
    ASSERT_TRUE(WaitUntil([] { return g_waitingForOpponent.load() == 1; }));
    const int peer = RequestingPeer(server.Address());
    ASSERT_TRUE(WaitUntil([] { return g_opponentMoveReady.load() == 1; }));
    EXPECT_EQ(g_matchState.load(), 3);
    EXPECT_EQ(g_waitingForOpponent.load(), 0);
    EXPECT_EQ(std::vector<int>(g_opponentSetup, g_opponentSetup + 40), RanksOf(OtherSetupMessage()));
    EXPECT_EQ(OpponentMove(), (std::vector<int>{10, 7, 9, 8}));

    g_opponentMoveReady = 0;
    RawReceive(peer);  // its own pairing
    EXPECT_EQ(SendOwnMove(peer, "6354"), "6354");
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    RawSend(peer, "7890");  // relayed whole; "90" stays unread
    ASSERT_TRUE(WaitUntil([] { return g_opponentMoveReady.load() == 1; }));
    EXPECT_EQ(OpponentMove(), (std::vector<int>{5, 4, 3, 2}));  // "5" + "6" + "78"
    LeaveOnlineGame();
    close(peer);
    leftovers.ExpectNone();
    EXPECT_TRUE(Notices().empty());
}

// What came in one receive with the pairing reply begins the move stream:
// the queued reply held back until the pairing, then the first move and
// "rrrr". The move is taken and, after the player's own move, the opponent's
// leaving, though the server sends nothing more.
TEST_F(OnlineClient, WhatCameWithThePairingReplyBeginsTheMoveStream)
{
    TestGameServer server({"--queued-with-pairing", "--with-pairing", HexOf("0312rrrr")});
    ASSERT_TRUE(UseServer(server, leftovers));
    ASSERT_NE(AfxBeginThread(MatchRequestThread, nullptr), nullptr);
    ASSERT_TRUE(server.WaitFor("QUEUED (guest)"));
    const int peer = RequestingPeer(server.Address());
    ASSERT_TRUE(WaitUntil([] { return g_opponentMoveReady.load() == 1; }));
    EXPECT_EQ(g_onlineTurn.load(), 2);  // queued: the opponent moved first
    EXPECT_EQ(OpponentMove(), (std::vector<int>{10, 7, 9, 8}));
    g_opponentMoveReady = 0;
    RawReceive(peer);
    EXPECT_EQ(SendOwnMove(peer, "6354").substr(0, 4), "6354");  // "rrrr" may follow: the client ended
    ExpectOpponentLeftNotice();
    EXPECT_EQ(g_opponentMoveReady.load(), 0);
    close(peer);
    leftovers.ExpectNone();
}

// Game G's receive waits on handle N when the player leaves: it wakes, ends
// quietly and closes N itself, and only then can the next search's
// connection take the number N again (the lowest free one). With G+1 on N,
// G's old peer moving and leaving reaches nothing: no flag, no notice, and
// G+1 still pairs on N.
TEST_F(OnlineClient, TheNextGameTakesTheSameHandleNumberOnlyAfterTheStaleReceiveEndedAndNothingOfTheOldGameReachesIt)
{
    TestGameServer server;
    ASSERT_TRUE(UseServer(server, leftovers));
    const int peer = PairMovingFirst(server, leftovers);
    ASSERT_GE(peer, 0);
    EXPECT_EQ(SendOwnMove(peer, "3343"), "3343");  // G's receive now waits on N
    const int handleG = g_serverSocket.load();
    ASSERT_GE(handleG, 0);
    EXPECT_EQ(ThreadCount(), leftovers.Threads() + 1);

    LeaveOnlineGame();
    leftovers.ExpectNone();  // G's worker ended and closed N

    SearchAgain();
    ASSERT_NE(AfxBeginThread(MatchRequestThread, nullptr), nullptr);
    ASSERT_TRUE(WaitUntil([] { return g_waitingForOpponent.load() == 1; }));
    EXPECT_EQ(g_serverSocket.load(), handleG);  // the number is reused by G+1

    RawSend(peer, "1111");
    close(peer);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(g_onlineGame.load(), 1);
    EXPECT_EQ(g_matchPending.load(), 1);
    EXPECT_EQ(g_waitingForOpponent.load(), 1);
    EXPECT_EQ(g_opponentMoveReady.load(), 0);
    EXPECT_EQ(g_opponentLeft.load(), 0);
    EXPECT_EQ(server.Count("QUEUED"), 2);  // G's peer, then G+1: nothing of G paired again

    const int next = RequestingPeer(server.Address());
    EXPECT_EQ(RawReceive(next), kGuestPairing);
    ASSERT_TRUE(WaitUntil([] { return g_matchState.load() == 3; }));
    EXPECT_EQ(g_onlineTurn.load(), 2);
    EXPECT_EQ(g_serverSocket.load(), handleG);
    LeaveOnlineGame();
    close(next);
    leftovers.ExpectNone();
    EXPECT_TRUE(Notices().empty());
}

// A few moves, then the player's own move loses against a named opponent:
// the move goes out first, then the winner report, whose new connection cuts
// the game connection off. The receive that wakes on it ends quietly: the
// report is counted, the opponent gets "rrrr", no notice, no own-win report,
// and no thread or descriptor is left.
TEST_F(OnlineClient, TheLosersLastMoveThenItsReportEndTheGameLeavingNothingBehind)
{
    TestGameServer server({"--account", "boris:pw"});
    ASSERT_TRUE(UseServer(server, leftovers));
    const int peer = PairMovingFirst(server, leftovers, "boris+pw-");
    ASSERT_GE(peer, 0);
    WriteSharedText(g_ownName, "-");
    for (int round = 0; round < 4; ++round) {  // the game goes on: the opponent answers
        g_moveSendPending = 1;
        EXPECT_EQ(SendOwnMove(peer, "3343"), "3343");
        ASSERT_TRUE(WaitUntil([] { return g_moveSendPending.load() == 0; }));
        RawSend(peer, "6656");
        ASSERT_TRUE(WaitUntil([] { return g_opponentMoveReady.exchange(0) == 1; }));
    }
    // The last move lost: the board click's end of the online game.
    WriteSharedText(g_moveMessage, "3343");
    g_onlineTurn = 2;
    g_moveSendPending = 1;
    ASSERT_NE(AfxBeginThread(SendMoveThread, nullptr), nullptr);
    g_gameOver = 1;
    g_onlineGame = 0;
    g_matchPending = 0;
    ASSERT_NE(AfxBeginThread(ReportOpponentWinThread, nullptr), nullptr);
    EXPECT_TRUE(server.WaitFor("REPORT boris counted"));
    EXPECT_EQ(RawReceiveAll(peer, 8), "3343rrrr");  // the last move went out before the report
    leftovers.ExpectNone();
    EXPECT_TRUE(Notices().empty());
    EXPECT_EQ(g_opponentLeft.load(), 0);
    EXPECT_EQ(server.Count("REPORT"), 1);
    close(peer);
}

}  // namespace
