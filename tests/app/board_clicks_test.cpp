// Clicks on the board as the main dialog makes them: g_hoverRow and
// g_hoverTraySlot as the last pick left them, then the click. The turn
// against the computer, the ends of the game offline and online, and the
// setup-choice buttons.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "app/board_clicks.h"
#include "interface/widgets.h"
#include "online/game_client.h"
#include "online/online_state.h"
#include "rules/board.h"
#include "rules/evaluation.h"
#include "rules/plans.h"
#include "scene/frame_state.h"
#include "tests/app/flow_recorder.h"
#include "tests/support/app_scenes.h"

namespace {

using Names = std::vector<std::string>;

bool Has(const std::string& name)
{
    const Names names = FlowNames();
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The real clock counts whole milliseconds: round up.
long MsSince(std::chrono::steady_clock::time_point start)
{
    using namespace std::chrono;
    return static_cast<long>((duration_cast<microseconds>(steady_clock::now() - start).count() + 999) / 1000);
}

void ExpectGameOver(int loser, const char* sound)
{
    EXPECT_EQ(g_gameOver, 1);
    EXPECT_EQ(g_losingSide, loser);
    EXPECT_TRUE(Has(sound));
    EXPECT_EQ(g_panelVisible[PANEL_FLAG_MENU_MODE] + g_panelVisible[PANEL_FLAG_GAME_OVER], 2);
}

// The threads the clicks started, in order.
std::vector<AFX_THREADPROC> Threads()
{
    std::vector<AFX_THREADPROC> threads;
    for (const FlowEvent& e : FlowEvents())
        if (e.name == "thread") threads.push_back(e.thread);
    return threads;
}

// Both flags and a computer piece that can always move.
void Armies()
{
    PutPiece(1, 1, OWNER_PLAYER, RANK_FLAG);
    PutPiece(10, 10, OWNER_COMPUTER, RANK_FLAG);
    PutPiece(10, 8, OWNER_COMPUTER, 4);
}

class BoardClicks : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallFlowRecorder();
        LoadEvaluationTables();
        StartFlowGame();
    }
};

TEST_F(BoardClicks, ATurnSelectionRepetitionAndTheClicksTheBoardDrops)
{
    Armies();
    PutPiece(5, 4, OWNER_PLAYER, 6);
    PutPiece(4, 3, OWNER_PLAYER, 7);
    PutPiece(5, 3, OWNER_PLAYER, RANK_BOMB);
    ResetKnowledgeAndPlans();

    ClickSquare(4, 3);
    ClickSquare(5, 3);  // an own bomb, then the flag: nothing, the selection stays
    ClickSquare(1, 1);
    EXPECT_EQ(FlowNames(), (Names{"H1.wav", "frame"}));
    ClickSquare(5, 4);  // another piece takes the selection
    EXPECT_EQ(g_cellOwner[4][3], OWNER_PLAYER);
    EXPECT_EQ(g_cellOwner[5][4], OWNER_SELECTED);
    EXPECT_EQ(g_reachable[5][5], OWNER_EMPTY);

    // The forbidden plain move is refused ...
    g_forbiddenMove[1] = MoveRecord{5, 4, 5, 5};
    ClearFlowEvents();
    ClickSquare(5, 5);
    EXPECT_TRUE(FlowEvents().empty());
    EXPECT_EQ(g_cellOwner[5][4], OWNER_SELECTED);
    // ... an attack between the same squares is not; the computer answers.
    PutPiece(5, 5, OWNER_COMPUTER, 4);
    const auto start = std::chrono::steady_clock::now();
    ClickSquare(5, 5);
    EXPECT_GE(MsSince(start), 700) << "the computer's turn lasts at least 700 ms";
    const Names names = FlowNames();
    EXPECT_EQ(Names(names.begin(), names.begin() + 5), (Names{"H3.wav", "frame", "sleep 1000", "boi.wav", "frame"}));
    const auto reply = std::find(names.begin(), names.end(), "H1.wav");
    ASSERT_NE(reply, names.end());
    EXPECT_EQ(*(reply - 1), "frame") << "a frame after the player's move";
    EXPECT_EQ(names.back(), "frame") << "the marks cleared and drawn";
    EXPECT_EQ(g_cellRank[5][5], 6);
    EXPECT_NE(g_lastMove, (MoveRecord{5, 4, 5, 5})) << "the computer moved last";
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 10; ++y) ASSERT_EQ(g_reachable[x][y], -1);

    // Dropped: with the menu open, online while waiting or matching.
    for (int k = 0; k < 3; ++k) {
        g_panelVisible[PANEL_FLAG_MENU_MODE] = k == 0;
        g_onlineGame = k > 0;
        g_onlineTurn = k == 1 ? 2 : 1;
        g_matchPending = k == 2;
        ClearFlowEvents();
        ClickSquare(4, 3);
        EXPECT_TRUE(FlowEvents().empty()) << k;
    }
}

TEST_F(BoardClicks, EveryEndOfTheGameHasItsLoserSoundAndPanelAndEndsTheClicks)
{
    struct End {
        void (*arrange)();
        MoveRecord move;
        int loser;
        const char* sound;
    };
    const End ends[] = {
        {[] { Armies(); PutPiece(10, 9, OWNER_PLAYER, 5); }, {10, 9, 10, 10}, 2, "Pobed.wav"},  // the flag taken
        {[] { Armies(); PutPiece(1, 2, OWNER_COMPUTER, RANK_MARSHAL); PutPiece(6, 3, OWNER_PLAYER, 5); },
         {6, 3, 6, 4}, 1, "komp_vig.wav"},  // the computer takes the flag
        {[] { Armies(); PutPiece(5, 4, OWNER_PLAYER, 2); PutPiece(5, 5, OWNER_COMPUTER, RANK_BOMB); },
         {5, 4, 5, 5}, 1, "komp_vig.wav"},  // the player's last mover dies
        {[] {
             PutPiece(1, 1, OWNER_PLAYER, RANK_FLAG); PutPiece(10, 10, OWNER_COMPUTER, RANK_FLAG);
             PutPiece(6, 4, OWNER_PLAYER, 7);
         },
         {6, 4, 6, 5}, 2, "Pobed.wav"},  // the computer has no move
        {[] {
             // Boxed in by its own bombs, the piece steps back where it came
             // from: its one way out is now the forbidden move.
             Armies(); PutPiece(1, 2, OWNER_PLAYER, 6); PutPiece(1, 4, OWNER_PLAYER, RANK_BOMB);
             for (int y = 1; y <= 3; ++y) PutPiece(2, y, OWNER_PLAYER, RANK_BOMB);
             g_moveHistory[1][0] = MoveRecord{1, 3, 1, 2};
         },
         {1, 2, 1, 3}, 1, "komp_vig.wav"},
    };
    for (const End& end : ends) {
        SCOPED_TRACE(end.loser * 100 + end.move.fromX * 10 + end.move.fromY);
        StartFlowGame();
        end.arrange();
        ResetKnowledgeAndPlans();
        ClickSquare(end.move.fromX, end.move.fromY);
        const auto start = std::chrono::steady_clock::now();
        ClickSquare(end.move.toX, end.move.toY);
        ExpectGameOver(end.loser, end.sound);
        EXPECT_TRUE(MsSince(start) >= 500 || Has("sleep 500")) << "the end waits 500 ms";
        ClearFlowEvents();
        for (int x = 1; x <= 10; ++x)
            for (int y = 1; y <= 10; ++y) ClickSquare(x, y);
        EXPECT_TRUE(FlowEvents().empty()) << "no click is taken after the end";
    }
}

TEST_F(BoardClicks, OnlineTheMoveGoesOutAndADecidedGameEndsHere)
{
    EXPECT_EQ(MoveMessageFor(1, 4, 1, 5), "0304");
    // The player's piece on (5,5) attacks the opponent's on (5,6).
    struct Case {
        int defender;
        const char *own, *opponent;
        int loser;
        bool report;
    };
    const Case cases[] = {
        {RANK_FLAG, "Ann", "Bob", 2, false},      // the flag taken
        {4, "Ann", "Bob", 2, false},              // the opponent left without a move
        {RANK_BOMB, "Ann", "Bob", 1, true},       // the player left without a move
        {RANK_BOMB, "Ann", "(guest)", 1, false},  // no report against a guest,
        {RANK_BOMB, "Ann", "(гость)", 1, false},
        {RANK_BOMB, "", "Bob", 1, false},         // nor without an own name
        {-1, "Ann", "Bob", 0, false},             // a plain move: the turn goes over
        // A plain move that leaves the opponent's one piece that can move with
        // only the way back the repetition rule forbids it (the position the
        // opponent's client sees turned): the opponent lost, and no report
        // goes out from the winner's side.
        {-2, "Ann", "Bob", 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.opponent + std::to_string(c.defender));
        StartFlowGame();
        g_onlineGame = g_onlineTurn = 1;
        WriteSharedText(g_ownName, c.own);
        WriteSharedText(g_opponentName, c.opponent);
        Armies();
        if (c.defender >= 0) PutPiece(10, 8, OWNER_EMPTY, RANK_EMPTY);
        if (c.defender == RANK_FLAG) PutPiece(10, 10, OWNER_EMPTY, RANK_EMPTY);
        if (c.defender >= 0) PutPiece(5, 6, OWNER_COMPUTER, c.defender);
        if (c.defender == -2) BoxInByOwnBombs(2, PutPiece);
        PutPiece(5, 5, OWNER_PLAYER, 6);
        ClickSquare(5, 5);
        ClearFlowEvents();
        ClickSquare(5, 6);

        EXPECT_EQ(g_moveMessage, "4445");
        EXPECT_EQ(g_sentMove[0] * 1000 + g_sentMove[1] * 100 + g_sentMove[2] * 10 + g_sentMove[3], 5556);
        EXPECT_EQ(Threads(), c.report ? (std::vector<AFX_THREADPROC>{SendMoveThread, ReportOpponentWinThread})
                                      : std::vector<AFX_THREADPROC>{SendMoveThread});
        EXPECT_FALSE(Has("H1.wav")) << "no computer's turn online";
        if (c.loser == 0) {
            EXPECT_EQ(g_onlineTurn, 2);
            EXPECT_EQ(g_onlineGame, 1);
            EXPECT_EQ(g_gameOver, 0);
            continue;
        }
        ExpectGameOver(c.loser, c.loser == 1 ? "komp_vig.wav" : "Pobed.wav");
        EXPECT_EQ(g_onlineGame + g_onlineTurn + g_matchPending, 0);
    }
    g_onlineGame = g_onlineTurn = 0;
}

TEST_F(BoardClicks, TheTrayAndTheSetupChoiceButtons)
{
    NewGame();
    g_setupMode = 0;  // the choice is offered: a slot left from an earlier pick chooses nothing
    g_hoverTraySlot = 4;
    ClickBoard(nullptr);
    EXPECT_EQ(g_selectedTrayRank, -1);
    g_setupMode = 1;
    g_hoverTraySlot = -1;
    ClickSquare(2, 2);  // no rank chosen: the square is left alone, silently
    EXPECT_EQ(g_cellOwner[2][2], OWNER_EMPTY);
    g_hoverRow[0] = g_hoverRow[1] = 0;
    g_hoverTraySlot = 4;
    ClickBoard(nullptr);
    ClickBoard(nullptr);  // the same slot again: no sound
    EXPECT_EQ(FlowNames(), (Names{"H1.wav", "frame", "frame"}));
    g_trayCount[7] = 0;
    g_hoverTraySlot = 7;  // an emptied slot keeps the choice
    ClickSquare(2, 2);
    EXPECT_EQ(g_cellRank[2][2], 4);
    EXPECT_EQ(g_trayCount[4], PIECE_SET[4] - 1);
    EXPECT_EQ(FlowNames()[3], "H2.wav");

    NewGame();
    g_setupMode = 0;
    g_widgetHitRect[WIDGET_SETUP_AUTOMATIC] = RECT{100, 200, 300, 240};
    g_widgetHitRect[WIDGET_SETUP_MANUAL] = RECT{100, 250, 300, 290};
    g_panelVisible[PANEL_FLAG_MENU_MODE] = 1;
    EXPECT_FALSE(ClickSetupChoice(CPoint(150, 260))) << "not with the menu open";
    g_panelVisible[PANEL_FLAG_MENU_MODE] = 0;
    EXPECT_FALSE(ClickSetupChoice(CPoint(50, 50)));
    ClearFlowEvents();
    EXPECT_TRUE(ClickSetupChoice(CPoint(150, 260)));
    EXPECT_EQ(g_setupMode, 1);
    EXPECT_EQ(FlowNames(), (Names{"frame"}));

    // Automatic, in a folder without setups: the built-in army on both sides.
    g_setupMode = 0;
    ClearFlowEvents();
    EXPECT_TRUE(ClickSetupChoice(CPoint(150, 210)));
    int pieces = 0;
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 10; ++y) pieces += g_cellOwner[x][y] == (y <= 4 ? OWNER_PLAYER : OWNER_COMPUTER);
    EXPECT_EQ(pieces, 80);
    EXPECT_EQ(std::count(g_trayCount, g_trayCount + RANK_KINDS, 0), RANK_KINDS);
    EXPECT_EQ(g_setupPhase, 0);
    EXPECT_EQ(g_setupMode, 1);
    EXPECT_EQ(Frames().front().setupMode, 2) << "the placement runs with the board inactive";
}

}  // namespace
