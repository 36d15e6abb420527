// One online player without a window: the real online workers, the real
// tick on a never-shown main dialog, silent drawing, sound and pauses. Prints
// one line per event on stdout:
//   PAIRED own=<name> opponent=<name> first=<me|opponent>
//   MOVE <n> <own|opponent> fx fy tx ty     then   BOARD <n> <100 cells owner:rank>
//   NOTICE <text>     END <won|lost|opponent-left|notice|timeout>
//
//   headless_client --server IP [--seed N] [--login NAME:PASSWORD]
//                   [--leave-after N] [--limit SECONDS]
//                   [--army R1,R2,...,R40] [--script FX.FY.TX.TY,...]
// --army gives the own ranks in the order x 1..10 (outer), y 1..4 (inner);
// --script the first own moves (then seeded moves follow).
// A stored log-in is written to $XDG_CONFIG_HOME (private to the caller).
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <vector>
#include <string>
#include <thread>

#include "app/VelmonarDlg.h"
#include "online/game_client.h"
#include "online/notice.h"
#include "online/online_state.h"
#include "online/setup_code.h"
#include "platform/sockets.h"
#include "rules/battle.h"
#include "rules/board.h"
#include "rules/live_options.h"
#include "rules/move_gen.h"
#include "rules/rules_host.h"

namespace {

struct Options {
    std::string server = "127.0.0.1";
    unsigned seed = 1;
    std::string login;
    int leaveAfter = -1;  // own moves before the client quits (its process ends)
    int limitSeconds = 60;
    std::vector<int> army;                // empty: a seeded army
    std::vector<std::array<int, 4>> script;
};

std::vector<int> ParseNumbers(const std::string& text, char separator)
{
    std::vector<int> numbers;
    std::stringstream in(text);
    for (std::string item; std::getline(in, item, separator);) numbers.push_back(std::stoi(item));
    return numbers;
}

int g_moveNumber = 0;
std::atomic<bool> g_noticeSeen{false};
std::atomic<bool> g_opponentLeftSeen{false};

void PrintNotice(const CString& text)
{
    std::printf("NOTICE %s\n", Cp1251ToUtf8(text.str()).c_str());
    std::fflush(stdout);
    if (text == OpponentLeftText(g_workerLanguage)) g_opponentLeftSeen = true;
    g_noticeSeen = true;  // last: the main loop reads the kind once it sees this
}

void PrintBoard()
{
    std::printf("BOARD %d", g_moveNumber);
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 10; ++y) std::printf(" %d:%d", g_cellOwner[x][y], g_cellRank[x][y]);
    std::printf("\n");
    std::fflush(stdout);
}

void PrintMove(const char* who, int fx, int fy, int tx, int ty)
{
    ++g_moveNumber;
    std::printf("MOVE %d %s %d %d %d %d\n", g_moveNumber, who, fx, fy, tx, ty);
    PrintBoard();
}

// The own army on rows 1 to 4 in a seeded order; returns its ranks in the
// setup string's order (x outer, y inner).
void SetUpOwnArmy(std::mt19937& random, const std::vector<int>& army, int ranks[40])
{
    int k = 0;
    for (int rank = 0; rank < RANK_KINDS; ++rank)
        for (int n = 0; n < PIECE_SET[rank]; ++n) ranks[k++] = rank;
    if (army.size() == 40)
        std::copy(army.begin(), army.end(), ranks);
    else
        std::shuffle(ranks, ranks + 40, random);
    k = 0;
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 4; ++y, ++k) {
            g_cellOwner[x][y] = OWNER_PLAYER;
            g_cellRank[x][y] = ranks[k];
        }
    for (int r = 0; r < RANK_KINDS; ++r) g_trayCount[r] = 0;
}

// The online part of the end of setup (stands in until the board clicks run it).
void StartMatch(CVelmonarDlg& dialog, const int ranks[40])
{
    WriteSharedText(g_setupMessage, EncodeSetupMessage(ranks));
    g_opponentMoveReady = 0;
    CloseServerSocket();
    g_onlineGame = 1;
    g_matchPending = 1;
    g_autoRelogin = 1;
    g_setupPhase = 1;
    StartOnlineThread(MatchRequestThread, &dialog);
}

// The end tests after the own move, then the online game-over.
bool EndAfterOwnMove()
{
    MoveList list;
    if (GenerateMoves(1, list.fromX, list.fromY, list.toX, list.toY) == 0) {
        g_gameOver = 1;
        g_losingSide = 1;
    } else if (GenerateMoves(2, list.fromX, list.fromY, list.toX, list.toY) == 0) {
        g_gameOver = 1;
        g_losingSide = 2;
    }
    if (g_gameOver.load() != 1) return false;
    // The connection stays: the move still goes out on it.
    g_onlineGame = 0;
    g_matchPending = 0;
    if (g_losingSide == 1 && !ReadSharedText(g_ownName).IsEmpty() && !IsGuestName(ReadSharedText(g_opponentName)))
        StartOnlineThread(ReportOpponentWinThread, nullptr);
    return true;
}

// The next scripted move, else a seeded legal move, attacks preferred; sent
// as the board click would.
void PlayOwnMove(std::mt19937& random, const Options& options, int ownMoves)
{
    int fx, fy, tx, ty;
    if (ownMoves < static_cast<int>(options.script.size())) {
        const auto& m = options.script[static_cast<size_t>(ownMoves)];
        fx = m[0], fy = m[1], tx = m[2], ty = m[3];
    } else {
        MoveList list;
        const int count = GenerateMoves(1, list.fromX, list.fromY, list.toX, list.toY);
        int attacks[MOVE_LIST_CAPACITY], attackCount = 0;
        for (int i = 0; i < count; ++i)
            if (g_cellOwner[list.toX[i]][list.toY[i]] == OWNER_COMPUTER) attacks[attackCount++] = i;
        const int pick = attackCount > 0 && random() % 4 != 0 ? attacks[random() % attackCount] : random() % count;
        fx = list.fromX[pick], fy = list.fromY[pick], tx = list.toX[pick], ty = list.toY[pick];
    }
    g_onlineTurn = 2;
    CString message;
    message.Format("%i%i%i%i", fx - 1, fy - 1, tx - 1, ty - 1);
    WriteSharedText(g_moveMessage, message);
    ApplyMove(1, fx, fy, tx, ty);
    PrintMove("own", fx, fy, tx, ty);
    AfxBeginThread(SendMoveThread, nullptr);
}

class HeadlessDialog : public CVelmonarDlg {
public:
    void Tick() { SendMessage(WM_TIMER, TICK_TIMER_ID); }
};

bool ParseOptions(int argc, char** argv, Options& o)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i], value = argv[i + 1];
        if (key == "--server") o.server = value;
        else if (key == "--seed") o.seed = static_cast<unsigned>(std::stoul(value));
        else if (key == "--login") o.login = value;
        else if (key == "--leave-after") o.leaveAfter = std::stoi(value);
        else if (key == "--limit") o.limitSeconds = std::stoi(value);
        else if (key == "--army") o.army = ParseNumbers(value, ',');
        else if (key == "--script") {
            std::stringstream in(value);
            for (std::string move; std::getline(in, move, ',');) {
                const std::vector<int> v = ParseNumbers(move, '.');
                if (v.size() != 4) return false;
                o.script.push_back({v[0], v[1], v[2], v[3]});
            }
        }
        else return false;
    }
    return true;
}

void StoreLogin(const std::string& login)
{
    const char* home = std::getenv("XDG_CONFIG_HOME");
    if (login.empty() || !home) return;
    const std::string folder = std::string(home) + "/velmonar";
    mkdir(folder.c_str(), 0700);
    const size_t colon = login.find(':');
    std::ofstream(folder + "/strlp.erg") << login.substr(0, colon) << "\n" << login.substr(colon + 1) << "\n";
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: headless_client --server IP [--seed N] [--login N:P] [--leave-after N]\n");
        return 2;
    }
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    StoreLogin(options.login);
    g_noticeFunction = PrintNotice;
    g_errorBoxFunction = PrintNotice;
    g_language[0] = 2;
    WriteSharedText(g_serverIp, CString(options.server));
    WriteSharedText(g_machineId, "qwe");

    std::mt19937 random(options.seed);
    HeadlessDialog dialog;
    NewGame();
    int ranks[40];
    SetUpOwnArmy(random, options.army, ranks);
    StartMatch(dialog, ranks);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(options.limitSeconds);
    bool paired = false;
    int ownMoves = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        const int turnBefore = g_onlineTurn.load();
        dialog.Tick();
        const bool opponentMoved = turnBefore == 2 && g_onlineTurn.load() == 1;
        if (!paired && g_matchPending.load() == 0 && (g_onlineGame.load() == 1 || opponentMoved)) {
            paired = true;
            // The first move may arrive in the tick that places the opponent's army.
            std::printf("PAIRED own=%s opponent=%s first=%s\n", ReadSharedText(g_ownName).GetString(),
                        ReadSharedText(g_opponentName).GetString(), turnBefore == 2 ? "opponent" : "me");
            if (!opponentMoved) PrintBoard();
        }
        if (paired && opponentMoved)
            PrintMove("opponent", g_opponentMove[0], g_opponentMove[1], g_opponentMove[2], g_opponentMove[3]);
        if (g_gameOver.load() == 1) {
            std::printf("END %s\n", g_losingSide == 1 ? "lost" : "won");
            std::fflush(stdout);
            std::this_thread::sleep_for(std::chrono::seconds(1));  // the report goes out
            return 0;
        }
        if (g_noticeSeen && g_onlineGame.load() == 0) {
            std::printf("END %s\n", g_opponentLeftSeen ? "opponent-left" : "notice");
            std::fflush(stdout);
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            return 0;
        }
        if (paired && g_onlineGame.load() == 1 && g_onlineTurn.load() == 1) {
            if (ownMoves == options.leaveAfter) {
                std::printf("END left\n");
                std::fflush(stdout);
                std::_Exit(0);  // the process ends mid-game, as a quitter's would
            }
            PlayOwnMove(random, options, ownMoves);
            ++ownMoves;
            if (EndAfterOwnMove()) continue;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::printf("END timeout\n");
    std::fflush(stdout);
    return 1;
}
