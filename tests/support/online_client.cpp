#include "online_client.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <thread>
#include <vector>

#include "notice_recorder.h"
#include "online/game_client.h"
#include "online/online_state.h"
#include "raw_client.h"
#include "rules/board.h"

const std::string kConnectionProblem = "Problem in connection with the server. Try again later.";
const std::string kOpponentLeft = "Opponent out of the game. Game goes against the computer.";

void ResetOnlineSearch()
{
    RecordNotices();
    g_onlineGame = 1;
    g_matchPending = 1;
    g_matchState = 0;
    g_onlineTurn = 0;
    g_waitingForOpponent = 0;
    g_opponentMoveReady = 0;
    g_stopMoveReceive = 1;  // as the search's start leaves it
    g_opponentLeft = 0;
    g_autoRelogin = 1;
    g_accountDialogClosed = 1;
    g_gameOver = 0;
    g_workerLanguage = 2;
    WriteSharedText(g_machineId, "qwe");
    WriteSharedText(g_setupMessage, CString(StandardSetupMessage()));
    WriteSharedText(g_ownName, "");
    WriteSharedText(g_opponentName, "(guest)");
}

void Leftovers::Mark()
{
    std::thread([] {}).join();  // a sanitizer's helper thread starts with the first thread
    m_threads = ThreadCount();
    m_descriptors = OpenDescriptorCount();
}

void Leftovers::ExpectNone(int closedSinceMark) const
{
    const int descriptors = m_descriptors - closedSinceMark;
    EXPECT_TRUE(WaitUntil([&] { return ThreadCount() <= m_threads; })) << ThreadCount();
    EXPECT_TRUE(WaitUntil([&] { return OpenDescriptorCount() <= descriptors; }))
        << OpenDescriptorCount() << " > " << descriptors;
}

bool UseServer(const TestGameServer& server, Leftovers& leftovers)
{
    if (!server.Started()) return false;
    WriteSharedText(g_serverIp, CString(server.Address()));
    leftovers.Mark();
    return true;
}

int PairMovingFirst(const TestGameServer& server, Leftovers& leftovers, const std::string& credentials,
                    std::string* pairing)
{
    const int peer = QueuedPeer(server.Address(), credentials);
    if (peer < 0) return -1;
    leftovers.Mark();
    if (AfxBeginThread(MatchRequestThread, nullptr) == nullptr ||
        !WaitUntil([] { return g_matchState.load() == 3 && g_onlineTurn.load() == 1; })) {
        close(peer);
        return -1;
    }
    const std::string reply = RawReceive(peer);
    if (pairing) *pairing = reply;
    return peer;
}

std::string SendOwnMove(int peer, const std::string& move)
{
    WriteSharedText(g_moveMessage, CString(move));
    g_onlineTurn = 2;
    if (AfxBeginThread(SendMoveThread, nullptr) == nullptr) return "<no thread>";
    return RawReceive(peer);
}

void ExpectOpponentLeftNotice()
{
    EXPECT_TRUE(WaitUntil([] { return g_opponentLeft.load() == 1; }));
    EXPECT_EQ(Notices(), std::vector<std::string>{kOpponentLeft});
}
