// Self-play: the computer (side 2, its real turn and search) against a
// scripted player (side 1, a random legal move), from ready-made setups on
// both sides, for a number of whole games. Checks the board after every move
// and prints one line per game and a summary with the search times.
//
//   selfplay [--games N] [--seed S] [--level 1|2|3] [--max-plies M] [--setups DIR]
//
// Game g (counting from 0) seeds the random generator with S * 1000 + g right
// after its new game, so a run repeats exactly. The tool sets
// g_skipMinimumTurnTime, the documented switch that drops the computer's
// 700 ms minimum turn; nothing else differs from the program's turn.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/program_folder.h"
#include "rules/battle.h"
#include "rules/board.h"
#include "rules/evaluation.h"
#include "rules/live_options.h"
#include "rules/move_gen.h"
#include "rules/plans.h"
#include "rules/ready_setups.h"
#include "rules/search.h"

namespace fs = std::filesystem;

namespace {

struct Options {
    int games = 10;
    long seed = 1;
    int level = 3;
    int maxPlies = 3000;
    std::string setups;
};

[[noreturn]] void Usage(const char* message)
{
    std::fprintf(stderr, "selfplay: %s\n", message);
    std::fprintf(stderr,
                 "usage: selfplay [--games N] [--seed S] [--level 1|2|3] [--max-plies M] [--setups DIR]\n");
    std::exit(2);
}

long NumberArgument(const char* name, const char* text, long low, long high)
{
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < low || value > high) {
        std::string message = std::string("bad value for ") + name + ": " + text;
        Usage(message.c_str());
    }
    return value;
}

Options ParseOptions(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            Usage(("missing value after " + arg).c_str());
        const char* value = argv[++i];
        if (arg == "--games")
            o.games = static_cast<int>(NumberArgument("--games", value, 1, 1000000));
        else if (arg == "--seed")
            o.seed = NumberArgument("--seed", value, 0, 1000000000L);
        else if (arg == "--level")
            o.level = static_cast<int>(NumberArgument("--level", value, 1, 3));
        else if (arg == "--max-plies")
            o.maxPlies = static_cast<int>(NumberArgument("--max-plies", value, 1, 100000000));
        else if (arg == "--setups")
            o.setups = value;
        else
            Usage(("unknown option " + arg).c_str());
    }
    return o;
}

// The setup files: the program folder's when it has been assembled, else the sources'.
fs::path SetupSource(const Options& o)
{
    if (!o.setups.empty())
        return o.setups;
    const fs::path program = fs::path(VELMONAR_PROGRAM_DIR) / "rs";
    if (fs::exists(program / "Test_K0.txt"))
        return program;
    return fs::path(VELMONAR_SOURCE_DIR) / "data" / "rs";
}

// A private program folder holding copies of the setups, so that the recent
// list starts empty in every run and nothing is written beside the sources.
fs::path MakeWorkFolder(const fs::path& source)
{
    char pattern[] = "/tmp/velmonar-selfplay-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::perror("selfplay: mkdtemp");
        std::exit(1);
    }
    const fs::path folder = pattern;
    fs::create_directories(folder / "rs");
    int copied = 0;
    for (int n = 0; n < READY_SETUP_COUNT; ++n) {
        const fs::path file = source / ("Test_K" + std::to_string(n) + ".txt");
        std::error_code error;
        if (fs::copy_file(file, folder / "rs" / file.filename(), error))
            ++copied;
    }
    if (copied == 0)
        std::fprintf(stderr, "selfplay: no setup files in %s; the built-in setup is used\n",
                     source.c_str());
    return folder;
}

// The computer's level; the drop animations are off, as there is nothing to show.
void SetLevel(int level)
{
    g_animationsOn = 0;
    g_aiQuickSearch = level == 1 ? 1 : 0;
    g_aiLevel2 = level == 2 ? 1 : 0;
    g_aiLevel3 = level == 3 ? 1 : 0;
}

[[noreturn]] void Broken(int game, int ply, const char* what, int x, int y)
{
    std::fprintf(stderr, "selfplay: game %d, ply %d: board invariant broken at (%d,%d): %s\n", game + 1,
                 ply, x, y, what);
    std::exit(3);
}

bool IsLake(int x, int y) { return (x == 3 || x == 4 || x == 7 || x == 8) && (y == 5 || y == 6); }

// The board invariants: border ring and lakes unchanged, owner and rank
// agreeing on every playing cell, no side with more pieces of a rank than its
// army has, and the counters of pieces left equal to the board.
void CheckBoard(int game, int ply)
{
    int count[3][RANK_KINDS] = {};
    for (int x = 0; x < GRID_SIZE; ++x) {
        for (int y = 0; y < GRID_SIZE; ++y) {
            const int owner = g_cellOwner[x][y];
            const int rank = g_cellRank[x][y];
            if (x == 0 || x == 11 || y == 0 || y == 11) {
                if (owner != OWNER_BORDER || rank != RANK_BORDER)
                    Broken(game, ply, "border cell changed", x, y);
                continue;
            }
            if (IsLake(x, y)) {
                if (owner != OWNER_LAKE || rank != RANK_EMPTY)
                    Broken(game, ply, "lake changed", x, y);
                continue;
            }
            if (owner == OWNER_EMPTY) {
                if (rank != RANK_EMPTY)
                    Broken(game, ply, "empty cell with a rank", x, y);
                continue;
            }
            if (owner != OWNER_PLAYER && owner != OWNER_COMPUTER)
                Broken(game, ply, "bad owner code", x, y);
            if (rank < RANK_BOMB || rank > RANK_FLAG)
                Broken(game, ply, "piece without a rank", x, y);
            ++count[owner][rank];
        }
    }
    for (int side = 1; side <= 2; ++side) {
        for (int r = 0; r < RANK_KINDS; ++r) {
            if (count[side][r] > PIECE_SET[r])
                Broken(game, ply, "more pieces of a rank than the army has", side, r);
            if (count[side][r] != g_piecesLeft[side][r])
                Broken(game, ply, "pieces-left counter differs from the board", side, r);
        }
    }
}

// Both armies from ready-made setups, then the start of play as after the
// offline end of the setup: full counters, both marshals alive, plans built.
void SetUpGame(int& playerSetup, int& computerSetup)
{
    LoadRandomSetup();
    for (int r = 0; r < RANK_KINDS; ++r)
        g_trayCount[r] = 0;
    g_selectedTrayRank = -1;
    g_hoverRow[0] = g_hoverRow[1] = 0;
    int recent[RECENT_SETUP_COUNT];
    ReadRecentSetups(recent);
    playerSetup = recent[0];

    int values[SETUP_VALUE_COUNT];
    computerSetup = ChooseReadySetup(values);
    for (int i = 0; i < SETUP_VALUE_COUNT; ++i) {
        int x, y;
        ComputerSetupCell(i, x, y);
        g_cellRank[x][y] = values[i];
        g_cellOwner[x][y] = OWNER_COMPUTER;
    }
    for (int r = 0; r < RANK_KINDS; ++r) {
        g_piecesLeft[1][r] = PIECE_SET[r];
        g_piecesLeft[2][r] = PIECE_SET[r];
    }
    g_computerMarshalAlive = 1;
    g_playerMarshalAlive = 1;
    ResetKnowledgeAndPlans();
    g_setupPhase = 0;
}

bool HasFlag(int owner)
{
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 10; ++y)
            if (g_cellOwner[x][y] == owner && g_cellRank[x][y] == RANK_FLAG)
                return true;
    return false;
}

MoveList g_scriptList;

// The scripted player's move: a random legal move other than its forbidden
// one, played as the click handler plays it (the piece selected first).
// False when it has no such move.
bool PlayerMove()
{
    const int n = GenerateMoves(1, g_scriptList.fromX, g_scriptList.fromY, g_scriptList.toX, g_scriptList.toY);
    int legal[MOVE_LIST_CAPACITY];
    int count = 0;
    for (int i = 0; i < n; ++i) {
        const MoveRecord m = {g_scriptList.fromX[i], g_scriptList.fromY[i], g_scriptList.toX[i],
                              g_scriptList.toY[i]};
        if (m != g_forbiddenMove[1] || g_cellOwner[m.toX][m.toY] == OWNER_COMPUTER)
            legal[count++] = i;
    }
    if (count == 0)
        return false;
    const int i = legal[std::rand() % count];
    const int fx = g_scriptList.fromX[i], fy = g_scriptList.fromY[i];
    g_cellOwner[fx][fy] = OWNER_SELECTED;
    ApplyMove(1, fx, fy, g_scriptList.toX[i], g_scriptList.toY[i]);
    return true;
}

double Percentile(const std::vector<double>& sorted, double p)
{
    if (sorted.empty())
        return 0.0;
    const size_t rank = static_cast<size_t>(std::ceil(p * static_cast<double>(sorted.size())));
    return sorted[std::min(sorted.size(), std::max<size_t>(rank, 1)) - 1];
}

}  // namespace

int main(int argc, char** argv)
{
    const Options o = ParseOptions(argc, argv);
    const fs::path work = MakeWorkFolder(SetupSource(o));
    g_appDir = work.c_str();
    LoadEvaluationTables();
    SetLevel(o.level);
    g_computerMovesFirst = 0;
    g_skipMinimumTurnTime = 1;

    int finished = 0, computerWins = 0, playerWins = 0, unfinished = 0, deepTurns = 0;
    std::vector<double> searchMs;
    for (int game = 0; game < o.games; ++game) {
        NewGame();
        ResetLastComputerMove();
        std::srand(static_cast<unsigned>(o.seed * 1000 + game));
        int playerSetup = -1, computerSetup = -1;
        SetUpGame(playerSetup, computerSetup);
        CheckBoard(game, 0);

        int plies = 0;
        const char* how = "ply limit reached";
        double gameMax = 0.0;
        while (g_gameOver != 1 && plies < o.maxPlies) {
            if (!PlayerMove()) {
                // Only its forbidden move is left: the player cannot move and loses.
                g_gameOver = 1;
                g_losingSide = 1;
                how = "player has only the forbidden move";
                break;
            }
            ++plies;
            CheckBoard(game, plies);
            const bool flagTaken = g_gameOver == 1;

            // The computer's turn runs even after the player took its flag,
            // as in the program; it then only ends the game.
            g_deepSearch = 0;
            const MoveRecord playerMove = g_lastMove;
            ComputerTurn();
            searchMs.push_back(g_lastSearchMs);
            gameMax = std::max(gameMax, g_lastSearchMs);
            if (g_deepSearch == 1)
                ++deepTurns;
            if (flagTaken) {
                how = "player took the flag";
                break;
            }
            if (g_lastMove == playerMove) {  // the game ended before the computer moved
                how = g_losingSide == 2 ? "computer has no legal move" : "player has no legal move";
                break;
            }
            ++plies;
            CheckBoard(game, plies);
            if (g_gameOver == 1)
                how = HasFlag(OWNER_PLAYER) ? "player has no legal move" : "computer took the flag";
        }

        if (g_gameOver == 1) {
            ++finished;
            if (g_losingSide == 1)
                ++computerWins;
            else
                ++playerWins;
        } else {
            ++unfinished;
        }
        std::printf("game %d: %s (%s) plies %d setups %d/%d search_max %.1f ms\n", game + 1,
                    g_gameOver != 1 ? "unfinished" : g_losingSide == 1 ? "computer wins" : "player wins",
                    how, plies, playerSetup, computerSetup, gameMax);
        std::fflush(stdout);
    }

    std::sort(searchMs.begin(), searchMs.end());
    std::printf("games: %d finished: %d computer_wins: %d player_wins: %d unfinished: %d\n", o.games, finished,
                computerWins, playerWins, unfinished);
    std::printf("search_ms: p50 %.1f p99 %.1f max %.1f turns %zu deep_turns %d\n", Percentile(searchMs, 0.50),
                Percentile(searchMs, 0.99), searchMs.empty() ? 0.0 : searchMs.back(), searchMs.size(),
                deepTurns);
    std::error_code error;
    fs::remove_all(work, error);
    return 0;
}
