// One online player without a window. It links the real game flow: the
// pieces are placed by board clicks (the last one runs the real end of
// setup, which sends the match request), moves are made by the real board
// click handler and the opponent's setup and moves arrive through the real
// 500 ms tick, both taken by a never-shown main dialog. Drawing, sound and
// pauses are silent stand-ins. Prints one line per event on stdout:
//   PAIRED own=<name> opponent=<name> first=<me|opponent>
//   MOVE <n> <own|opponent> fx fy tx ty     then   BOARD <n> <100 cells owner:rank>
//   NOTICE <text>     SOUND <end sound file>     PANEL game-over
//   END <won|lost|opponent-left|notice|refused|left|timeout>
//
//   headless_client --server IP [--seed N] [--login NAME:PASSWORD]
//                   [--leave-after N] [--kill-after N] [--limit SECONDS]
//                   [--army R1,R2,...,R40] [--script FX.FY.TX.TY,...]
// --army gives the own ranks in the order x 1..10 (outer), y 1..4 (inner);
// --script the first own moves (then seeded legal moves follow, attacks
// preferred). --leave-after N ends the process after N own moves,
// --kill-after N kills it (SIGKILL) there.
// A stored log-in is written to $XDG_CONFIG_HOME (private to the caller).
#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/VelmonarDlg.h"
#include "app/flow_hooks.h"
#include "app/setup_end.h"
#include "app/turn_presentation.h"
#include "online/game_client.h"
#include "online/notice.h"
#include "online/online_state.h"
#include "online/stored_login.h"
#include "platform/sockets.h"
#include "rules/board.h"
#include "rules/live_options.h"
#include "rules/move_gen.h"
#include "rules/rules_host.h"
#include "scene/frame_state.h"
#include "test_server.h"

namespace {

struct Options {
    std::string server = "127.0.0.1";
    unsigned seed = 1;
    std::string login;
    int leaveAfter = -1;  // own moves before the process ends
    int killAfter = -1;   // own moves before the process is killed
    int limitSeconds = 60;
    std::vector<int> army;  // empty: a seeded army
    std::vector<std::array<int, 4>> script;
};

std::vector<int> ParseNumbers(const std::string& text, char separator)
{
    std::vector<int> numbers;
    std::stringstream in(text);
    for (std::string item; std::getline(in, item, separator);) numbers.push_back(std::stoi(item));
    return numbers;
}

void Print(const std::string& line)
{
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// --- silent stand-ins for drawing, sound and pauses ---

DWORD g_fakeClock = 0;

// Every call is a second later: an animation loop ends at its first check.
DWORD LeapingClock()
{
    return g_fakeClock += 1000;
}

int g_frames = 0;

void NoPause(DWORD) {}
void NoFrame()
{
    ++g_frames;
}
void NoPick() {}
void NoTextures(int) {}

// Silent; the two end-of-game sounds are reported.
BOOL QuietSound(const char* path, void*, DWORD)
{
    const std::string p = path ? path : "";
    for (const char* end : {"/sound/komp_vig.wav", "/sound/Pobed.wav"})
        if (p.size() >= std::strlen(end) && p.compare(p.size() - std::strlen(end), std::string::npos, end) == 0)
            Print(std::string("SOUND ") + (end + 7));
    return TRUE;
}

// The real move presentation (silent through the hooks), counting the moves shown.
int g_movesShown = 0;

void ShowAndCountMove(int phase, int result, int fromX, int fromY, int toX, int toY)
{
    if (phase == 1) ++g_movesShown;
    ShowMoveResult(phase, result, fromX, fromY, toX, toY);
}

// What the application's game-over panel entry does, without the drawing.
void GameOverPanelFlags()
{
    g_panelVisible[PANEL_FLAG_MENU_MODE] = 1;
    g_panelVisible[PANEL_FLAG_GAME_OVER] = 1;
}

void InstallSilentStandIns()
{
    g_rulesHost.finishSetup = FinishSetup;
    g_rulesHost.animatePlacement = AnimatePlacement;
    g_rulesHost.showMoveResult = ShowAndCountMove;
    g_rulesHost.renderFrame = NoFrame;
    g_rulesHost.playSound = QuietSound;
    g_rulesHost.showGameOverPanel = GameOverPanelFlags;
    g_flowHooks.tick = LeapingClock;
    g_flowHooks.sleep = NoPause;
    g_flowHooks.renderFrame = NoFrame;
    g_flowHooks.playSound = QuietSound;
    g_flowHooks.pickUnderMouse = NoPick;
    g_flowHooks.beginThread = StartOnlineThread;
    g_flowHooks.buildPieceTextures = NoTextures;
    g_flowHooks.rebuildPanelTextures = NoTextures;
}

// --- output ---

int g_moveNumber = 0;
std::atomic<bool> g_noticeSeen{false};
std::atomic<bool> g_opponentLeftSeen{false};

void PrintNotice(const CString& text)
{
    Print("NOTICE " + Cp1251ToUtf8(text.str()));
    if (text == OpponentLeftText(g_workerLanguage)) g_opponentLeftSeen = true;
    g_noticeSeen = true;  // last: the main loop reads the kind once it sees this
}

void PrintBoard()
{
    std::string line = "BOARD " + std::to_string(g_moveNumber);
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 10; ++y)
            line += " " + std::to_string(g_cellOwner[x][y]) + ":" + std::to_string(g_cellRank[x][y]);
    Print(line);
}

void PrintMove(const char* who, int fx, int fy, int tx, int ty)
{
    ++g_moveNumber;
    std::ostringstream line;
    line << "MOVE " << g_moveNumber << " " << who << " " << fx << " " << fy << " " << tx << " " << ty;
    Print(line.str());
    PrintBoard();
}

// --- the player's hand: the hovered square or tray slot, as picking leaves it, then a click ---

class HeadlessDialog : public CVelmonarDlg {
public:
    void Tick() { SendMessage(WM_TIMER, TICK_TIMER_ID); }
    void Click()
    {
        SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessage(WM_LBUTTONUP, 0, 0);
    }
    void ClickSquare(int x, int y)
    {
        g_hoverTraySlot = -1;
        g_hoverRow[0] = x;
        g_hoverRow[1] = y;
        Click();
    }
    void ClickTraySlot(int rank)
    {
        g_hoverRow[0] = g_hoverRow[1] = 0;
        g_hoverTraySlot = rank;
        Click();
    }
};

// The own army in the order x 1..10 (outer), y 1..4 (inner): given, or the
// standard set shuffled.
void ChooseArmy(std::mt19937& random, const std::vector<int>& army, int ranks[40])
{
    int k = 0;
    for (int rank = 0; rank < RANK_KINDS; ++rank)
        for (int n = 0; n < PIECE_SET[rank]; ++n) ranks[k++] = rank;
    if (army.size() == 40)
        std::copy(army.begin(), army.end(), ranks);
    else
        std::shuffle(ranks, ranks + 40, random);
}

// Manual setup by clicks: a rank from the tray, then its square. The last
// piece ends the setup, which sends the match request.
void PlaceArmyByClicks(HeadlessDialog& dialog, const int ranks[40])
{
    g_setupMode = 1;  // the manual choice
    int k = 0;
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 4; ++y, ++k) {
            if (g_selectedTrayRank != ranks[k]) dialog.ClickTraySlot(ranks[k]);
            dialog.ClickSquare(x, y);
        }
}

// The next scripted move, else a seeded legal move (never the one the
// repetition rule forbids), attacks preferred. False when there is none.
bool ChooseOwnMove(std::mt19937& random, const Options& options, int ownMoves, std::array<int, 4>& move)
{
    if (ownMoves < static_cast<int>(options.script.size())) {
        move = options.script[static_cast<size_t>(ownMoves)];
        return true;
    }
    MoveList list;
    const int count = GenerateMoves(1, list.fromX, list.fromY, list.toX, list.toY);
    std::vector<int> allowed, attacks;
    for (int i = 0; i < count; ++i) {
        const bool attack = g_cellOwner[list.toX[i]][list.toY[i]] == OWNER_COMPUTER;
        if (!attack && MoveRecord{list.fromX[i], list.fromY[i], list.toX[i], list.toY[i]} == g_forbiddenMove[1])
            continue;
        allowed.push_back(i);
        if (attack) attacks.push_back(i);
    }
    if (allowed.empty()) return false;
    const int pick = !attacks.empty() && random() % 4 != 0 ? attacks[random() % attacks.size()]
                                                           : allowed[random() % allowed.size()];
    move = {list.fromX[pick], list.fromY[pick], list.toX[pick], list.toY[pick]};
    return true;
}

// The move by two clicks: the piece, then its target. False when the board
// did not take it.
bool ClickMove(HeadlessDialog& dialog, const std::array<int, 4>& m)
{
    if (g_cellOwner[m[0]][m[1]] != OWNER_SELECTED) dialog.ClickSquare(m[0], m[1]);
    dialog.ClickSquare(m[2], m[3]);
    return g_onlineTurn.load() == 2 || g_gameOver.load() == 1;
}

bool ParseOptions(int argc, char** argv, Options& o)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i], value = argv[i + 1];
        if (key == "--server") o.server = value;
        else if (key == "--seed") o.seed = static_cast<unsigned>(std::stoul(value));
        else if (key == "--login") o.login = value;
        else if (key == "--leave-after") o.leaveAfter = std::stoi(value);
        else if (key == "--kill-after") o.killAfter = std::stoi(value);
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
    return argc % 2 == 1;
}

// The stored log-in the match request's re-login reads.
void StoreLogin(const std::string& login)
{
    const size_t colon = login.find(':');
    if (colon != std::string::npos) WriteStoredLogin(CString(login.substr(0, colon)), CString(login.substr(colon + 1)));
}

int g_threadsAtStart = 0;

// Ends the process with the given last line. waitMs: how long the workers
// get to end first (a report going out, the game connection closing).
[[noreturn]] void End(const std::string& how, int waitMs, int status)
{
    if (g_panelVisible[PANEL_FLAG_GAME_OVER] == 1) Print("PANEL game-over");
    Print("END " + how);
    WaitUntil([] { return ThreadCount() <= g_threadsAtStart; }, waitMs);
    std::fflush(stdout);
    std::_Exit(status);  // a worker may still wait on the network, as when the program ends
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: headless_client --server IP [--seed N] [--login N:P] [--leave-after N]"
                             " [--kill-after N] [--limit S] [--army ...] [--script ...]\n");
        return 2;
    }
    std::thread([] {}).join();  // a sanitizer's helper thread starts with the first thread
    g_threadsAtStart = ThreadCount();
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    StoreLogin(options.login);
    InstallSilentStandIns();
    g_noticeFunction = PrintNotice;
    g_errorBoxFunction = PrintNotice;
    g_language[0] = 2;
    WriteSharedText(g_serverIp, CString(options.server));
    WriteSharedText(g_machineId, "qwe");
    g_sceneReady = 1;
    std::srand(options.seed);

    std::mt19937 random(options.seed);
    HeadlessDialog dialog;
    // The opponent choice's online button: a new game that goes online.
    NewGame();
    g_onlineGame = 1;
    int ranks[40];
    ChooseArmy(random, options.army, ranks);
    PlaceArmyByClicks(dialog, ranks);
    if (g_matchPending.load() != 1) End("refused", 0, 1);  // the setup did not end

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(options.limitSeconds);
    bool paired = false;
    int ownMoves = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        const bool onlineBefore = g_onlineGame.load() == 1;
        const int framesBefore = g_frames;
        const int movesBefore = g_movesShown;
        dialog.Tick();
        // The tick shows no move but the opponent's.
        const bool opponentMoved = g_movesShown > movesBefore;
        // Without a game online (and polling off, as before the start-up load)
        // the tick redraws only for g_opponentLeft, which it clears.
        const bool opponentLeftTaken = !onlineBefore && g_frames > framesBefore;
        if (!paired && g_matchPending.load() == 0 && (g_onlineGame.load() == 1 || opponentMoved)) {
            paired = true;
            // The first move may arrive in the tick that places the opponent's army.
            Print("PAIRED own=" + std::string(ReadSharedText(g_ownName).GetString()) +
                  " opponent=" + ReadSharedText(g_opponentName).GetString() +
                  " first=" + (opponentMoved || g_onlineTurn.load() == 2 ? "opponent" : "me"));
            if (!opponentMoved) PrintBoard();
        }
        if (paired && opponentMoved)
            PrintMove("opponent", g_opponentMove[0], g_opponentMove[1], g_opponentMove[2], g_opponentMove[3]);
        if (g_gameOver.load() == 1) End(g_losingSide == 1 ? "lost" : "won", 10000, 0);
        if (g_noticeSeen && g_onlineGame.load() == 0) {
            if (!g_opponentLeftSeen) End("notice", 10000, 0);
            if (opponentLeftTaken) End("opponent-left", 10000, 0);  // the notice, then g_opponentLeft
        }
        if (paired && g_onlineGame.load() == 1 && g_onlineTurn.load() == 1) {
            if (ownMoves == options.leaveAfter) End("left", 0, 0);  // the process ends mid-game
            if (ownMoves == options.killAfter) {
                Print("END killed");
                std::raise(SIGKILL);
            }
            std::array<int, 4> m;
            if (!ChooseOwnMove(random, options, ownMoves, m) || !ClickMove(dialog, m)) End("refused", 0, 1);
            ++ownMoves;
            PrintMove("own", m[0], m[1], m[2], m[3]);
            if (g_gameOver.load() == 1) End(g_losingSide == 1 ? "lost" : "won", 10000, 0);
            continue;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    End("timeout", 0, 1);
}
