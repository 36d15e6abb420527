// Whole games between two headless clients (one process each) through the
// test game server: the pairing, who moves first, both boards after every
// move, the end on both sides and the winner reports.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "test_server.h"
#include "tests/support/temp_folder.h"

#ifndef HEADLESS_CLIENT
#define HEADLESS_CLIENT "headless_client"
#endif

namespace {

// A headless client process; its output goes to a file, read once it has ended.
class Client {
public:
    Client(const std::string& config, const std::vector<std::string>& args)
        : m_output(config + "/output-" + std::to_string(++s_started))
    {
        std::vector<std::string> all = {HEADLESS_CLIENT};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& a : all) argv.push_back(a.data());
        argv.push_back(nullptr);
        const int out = open(m_output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        m_pid = fork();
        if (m_pid == 0) {
            dup2(out, 1);
            for (int fd = 3; fd < 1024; ++fd) close(fd);
            setenv("XDG_CONFIG_HOME", config.c_str(), 1);
            execv(HEADLESS_CLIENT, argv.data());
            _exit(127);
        }
        close(out);
    }
    ~Client() { Wait(); }

    // Waits for the end and returns every line.
    std::vector<std::string> Wait()
    {
        if (m_pid > 0) waitpid(m_pid, nullptr, 0);
        m_pid = -1;
        std::vector<std::string> lines;
        std::istringstream in(FileText(m_output));
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

private:
    static inline int s_started = 0;
    std::string m_output;
    int m_pid = -1;
};

std::string Find(const std::vector<std::string>& lines, const std::string& prefix)
{
    for (const auto& line : lines)
        if (line.compare(0, prefix.size(), prefix) == 0) return line;
    return "";
}

// BOARD lines by move number: the cells "owner:rank", x outer, y inner.
std::map<int, std::vector<std::string>> Boards(const std::vector<std::string>& lines)
{
    std::map<int, std::vector<std::string>> boards;
    for (const auto& line : lines) {
        if (line.compare(0, 6, "BOARD ") != 0) continue;
        std::istringstream in(line.substr(6));
        int n;
        in >> n;
        for (std::string cell; in >> cell;) boards[n].push_back(cell);
    }
    return boards;
}

// After every move one board is the other turned by 180 degrees, owners 1 and 2 swapped.
int ExpectMirroredBoards(const std::vector<std::string>& a, const std::vector<std::string>& b)
{
    const auto boardsA = Boards(a), boardsB = Boards(b);
    int compared = 0;
    for (const auto& [n, cellsA] : boardsA) {
        const auto it = boardsB.find(n);
        if (it == boardsB.end() || cellsA.size() != 100 || it->second.size() != 100) continue;
        for (int i = 0; i < 100; ++i) {
            std::string turned = it->second[99 - i];
            const std::string owner = turned.substr(0, turned.find(':'));
            if (owner == "1" || owner == "2") turned[0] = owner == "1" ? '2' : '1';
            EXPECT_EQ(cellsA[i], turned) << "move " << n << " at " << i / 10 + 1 << "," << i % 10 + 1;
            if (cellsA[i] != turned) return compared;
        }
        ++compared;
    }
    return compared;
}

struct Game {
    std::vector<std::string> waiting, first;
};

// The test game server with the accounts anna and boris, its log printed
// when a test failed.
class TwoClients : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.Started()); }
    void TearDown() override
    {
        if (HasFailure())
            for (const auto& line : server.Lines()) std::printf("server: %s\n", line.c_str());
    }

    // One client waits in the queue (the server logs "QUEUED <queued>" for the
    // n-th time); the later one moves first. The waiting one's settings folder
    // is A, the other's B, or the other way round when swapped.
    Game Play(const std::string& queued, int n, std::vector<std::string> waitingArgs,
              std::vector<std::string> firstArgs, bool swapped = false)
    {
        waitingArgs.insert(waitingArgs.begin(), {"--server", server.Address()});
        firstArgs.insert(firstArgs.begin(), {"--server", server.Address()});
        Client waiting((swapped ? configB : configA).Path(), waitingArgs);
        EXPECT_TRUE(server.WaitFor("QUEUED " + queued, n));
        Client first((swapped ? configA : configB).Path(), firstArgs);
        return Game{waiting.Wait(), first.Wait()};
    }

    // anna waits in the queue; boris requests later and moves first.
    // game: 1 for the server's first game, 2 for its second...
    Game PlayScripted(int game, const std::string& waitingArmy,
                      const std::string& waitingScript, const std::string& firstArmy, const std::string& firstScript)
    {
        return Play("anna", game,
                    {"--login", "anna:pw", "--army", waitingArmy, "--script", waitingScript, "--limit", "20"},
                    {"--login", "boris:pw", "--army", firstArmy, "--script", firstScript, "--limit", "20"});
    }

    TestGameServer server{{"--account", "anna:pw", "--account", "boris:pw"}};
    TempFolder configA{"velmonar-client-a"};
    TempFolder configB{"velmonar-client-b"};
};

TEST_F(TwoClients, NamedAgainstGuestPlaysToTheEndWithMirroredBoards)
{
    const Game game = Play("anna", 1, {"--seed", "3", "--login", "anna:pw"}, {"--seed", "4"});
    const auto &a = game.waiting, &b = game.first;

    EXPECT_EQ(Find(a, "PAIRED"), "PAIRED own=anna opponent=(guest) first=opponent");
    EXPECT_EQ(Find(b, "PAIRED"), "PAIRED own=- opponent=anna first=me");  // the later requester moves first
    EXPECT_EQ(Find(b, "MOVE 1 "), Find(b, "MOVE 1 own"));
    EXPECT_GE(ExpectMirroredBoards(a, b), 20);
    const std::string endA = Find(a, "END"), endB = Find(b, "END");
    ASSERT_TRUE((endA == "END won" && endB == "END lost") || (endA == "END lost" && endB == "END won"))
        << endA << " / " << endB;
    EXPECT_EQ(Find(a, "NOTICE"), "");
    EXPECT_EQ(Find(b, "NOTICE"), "");
    // Only a guest that lost to a named winner reports, once.
    if (endB == "END lost") {
        EXPECT_TRUE(server.WaitFor("REPORT anna counted"));
    } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    EXPECT_EQ(server.Count("REPORT"), endB == "END lost" ? 1 : 0);
}

TEST_F(TwoClients, ANamedQuitterLeavesTheOtherToReportItselfAndARefusedLogInPlaysAsAGuest)
{
    const Game game = Play("anna", 1, {"--seed", "5", "--login", "anna:pw"},
                           {"--seed", "6", "--login", "boris:pw", "--leave-after", "3"});
    const auto &a = game.waiting, &b = game.first;
    EXPECT_EQ(Find(b, "END"), "END left");

    EXPECT_EQ(Find(a, "NOTICE"), "NOTICE Opponent out of the game. Game goes against the computer.");
    EXPECT_EQ(Find(a, "END"), "END opponent-left");
    EXPECT_GE(ExpectMirroredBoards(a, b), 6);
    EXPECT_TRUE(server.WaitFor("REPORT anna counted"));

    // A wrong stored password: the game is played as a guest, with no notice;
    // the other side plays under anna's log-in stored by the game before.
    const Game guest = Play("(guest)", 1, {"--seed", "7", "--login", "boris:wrong", "--leave-after", "2"},
                            {"--seed", "8"}, true);
    EXPECT_TRUE(server.WaitFor("LOGIN boris refused"));
    EXPECT_EQ(Find(guest.waiting, "PAIRED"), "PAIRED own=- opponent=anna first=opponent");
    EXPECT_EQ(Find(guest.waiting, "NOTICE"), "");
}

// A full army with some ranks fixed: index (x - 1) * 4 + (y - 1) -> rank; the
// other ranks of the standard set fill the rest in order, as a comma list.
std::string Army(const std::map<int, int>& fixed)
{
    const int set[12] = {6, 1, 8, 5, 4, 4, 4, 3, 2, 1, 1, 1};
    std::vector<int> left;
    for (int rank = 0; rank < 12; ++rank) left.insert(left.end(), set[rank], rank);
    for (const auto& [index, rank] : fixed) left.erase(std::find(left.begin(), left.end(), rank));
    std::string army;
    for (int i = 0, next = 0; i < 40; ++i)
        army += (i ? "," : "") + std::to_string(fixed.count(i) ? fixed.at(i) : left[next++]);
    return army;
}

TEST_F(TwoClients, AScriptedFlagCaptureAfterTenMovesEachEndsBothGamesAndTheLoserReports)
{
    // The waiting side: a piece circles on its left; its flag stands in front on the right.
    // The side that moves first: a piece circles in the middle, then its scout
    // on the left runs up its free file onto that flag.
    const Game game =
        PlayScripted(1, Army({{3, 4}, {39, 11}}),
                     "1.4.1.5,1.5.2.5,2.5.2.6,2.6.1.6,1.6.1.5,1.5.2.5,2.5.2.6,2.6.1.6,1.6.1.5,1.5.2.5",
                     Army({{3, 2}, {19, 4}}),
                     "5.4.5.5,5.5.6.5,6.5.6.6,6.6.5.6,5.6.5.5,5.5.6.5,6.5.6.6,6.6.5.6,5.6.5.5,5.5.6.5,1.4.1.7");
    const auto &a = game.waiting, &b = game.first;
    EXPECT_EQ(Find(b, "PAIRED"), "PAIRED own=boris opponent=anna first=me");
    EXPECT_EQ(Find(b, "MOVE 21 "), "MOVE 21 own 1 4 1 7");
    EXPECT_EQ(Find(a, "MOVE 21 "), "MOVE 21 opponent 10 7 10 4");  // the same move, turned
    EXPECT_EQ(Find(a, "MOVE 22"), "");
    EXPECT_EQ(Find(b, "END"), "END won");
    EXPECT_EQ(Find(a, "END"), "END lost");
    EXPECT_GE(ExpectMirroredBoards(a, b), 21);  // after every one of the 21 moves
    EXPECT_TRUE(server.WaitFor("REPORT boris counted"));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(server.Count("REPORT"), 1);
}

// Six bombs shut every way out but one: only the piece of the given rank at
// (1, 4) can ever move, and once it has left (1, 4) nothing else can.
std::string OneMoverArmy(int rank)
{
    return Army({{2, 0}, {7, 0}, {19, 0}, {23, 0}, {35, 0}, {39, 0}, {3, rank}});
}

// The marshal at (10, 4), a miner at (5, 4).
std::string MarshalArmy()
{
    return Army({{39, 10}});
}

// The game the first mover's own move `last` decided, on both sides: the
// sound, the panel and the end, no notice and no move after it.
void ExpectDecidedByTheMover(const Game& game, int last, const std::string& firstLine, const std::string& waitingLine,
                             bool moverLost)
{
    const std::string move = "MOVE " + std::to_string(last) + " ";
    EXPECT_EQ(Find(game.first, move), firstLine);
    EXPECT_EQ(Find(game.waiting, move), waitingLine);
    EXPECT_EQ(Find(game.first, "SOUND"), moverLost ? "SOUND komp_vig.wav" : "SOUND Pobed.wav");
    EXPECT_EQ(Find(game.waiting, "SOUND"), moverLost ? "SOUND Pobed.wav" : "SOUND komp_vig.wav");
    EXPECT_EQ(Find(game.first, "END"), moverLost ? "END lost" : "END won");
    EXPECT_EQ(Find(game.waiting, "END"), moverLost ? "END won" : "END lost");
    for (const auto* lines : {&game.first, &game.waiting}) {
        EXPECT_EQ(Find(*lines, "PANEL"), "PANEL game-over");
        EXPECT_EQ(Find(*lines, "NOTICE"), "");
        EXPECT_EQ(Find(*lines, "MOVE " + std::to_string(last + 1)), "");
    }
    EXPECT_GE(ExpectMirroredBoards(game.waiting, game.first), last);
}

// The end by no legal move, both ways, decided by the mover's own move: the
// mover's client judges it at once, the other's tick judges the same board;
// both show the end with its sound and panel, and only the loser reports.
TEST_F(TwoClients, AMoveThatLeavesASideWithoutMovesEndsBothGamesWithOneReport)
{

    // The mover's only free piece, a sergeant, dies on the marshal: the mover lost.
    Game lost = PlayScripted(1, MarshalArmy(), "5.4.5.5,5.5.5.6", OneMoverArmy(4), "1.4.1.5,1.5.1.6,1.6.1.7");
    ExpectDecidedByTheMover(lost, 5, "MOVE 5 own 1 6 1 7", "MOVE 5 opponent 10 5 10 4", true);
    EXPECT_TRUE(server.WaitFor("REPORT anna counted"));

    // The marshal takes the opponent's only free piece: the opponent lost.
    Game won = PlayScripted(2, OneMoverArmy(4), "1.4.1.5", MarshalArmy(), "10.4.10.5,10.5.10.6");
    ExpectDecidedByTheMover(won, 3, "MOVE 3 own 10 5 10 6", "MOVE 3 opponent 1 6 1 5", false);
    EXPECT_TRUE(server.WaitFor("REPORT boris counted"));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(server.Count("REPORT"), 2);  // one per game
}

// A client killed mid-game: the other gets the notice and g_opponentLeft
// reaches its tick; it reports itself only when the killed one had a name.
TEST_F(TwoClients, APeerKilledMidGameLeavesTheOtherTheNoticeAndItsOwnWinOnlyAgainstANamedPeer)
{
    for (const bool named : {false, true}) {
        std::vector<std::string> killedArgs = {"--seed", "11", "--kill-after", "2"};
        if (named) killedArgs.insert(killedArgs.end(), {"--login", "boris:pw"});
        const Game game =
            Play(named ? "boris" : "(guest)", 1, killedArgs, {"--seed", "12", "--login", "anna:pw"});
        const auto &k = game.waiting, &r = game.first;
        EXPECT_EQ(Find(k, "END"), "END killed");
        EXPECT_EQ(Find(r, "NOTICE"), "NOTICE Opponent out of the game. Game goes against the computer.");
        EXPECT_EQ(Find(r, "END"), "END opponent-left");  // after the notice, g_opponentLeft reached the tick
        EXPECT_EQ(Find(r, "SOUND"), "");
        EXPECT_GE(ExpectMirroredBoards(r, k), 4);
        if (named) {
            EXPECT_TRUE(server.WaitFor("REPORT anna counted"));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_EQ(server.Count("REPORT"), named ? 1 : 0);
    }
}

}  // namespace
