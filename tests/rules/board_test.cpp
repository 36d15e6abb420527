// New game and placing the player's pieces by hand.
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <thread>
#include <utility>

#include "rules/live_options.h"
#include "platform/sound.h"
#include "tests/support/board_fixture.h"

namespace {

// Leaves traces of a finished game everywhere NewGame must reset.
void SpoilState()
{
    for (int x = 0; x < GRID_SIZE; ++x)
        for (int y = 0; y < GRID_SIZE; ++y) {
            g_cellOwner[x][y] = OWNER_COMPUTER;
            g_cellRank[x][y] = 7;
            g_knowledge[x][y] = 0.7f;
            g_pieceTag[x][y] = 55;
            g_reachable[x][y] = 2;
        }
    for (int r = 0; r < RANK_KINDS; ++r) g_trayCount[r] = 9;
    g_setupPhase = 0;
    g_selectedTrayRank = 4;
    g_hoverRow[0] = 3, g_hoverRow[1] = 4;
    g_prevHoverSquare[0] = 5, g_prevHoverSquare[1] = 6;
    g_selectedRow[0] = 7, g_selectedRow[1] = 8;
    g_revealRow[0] = 9, g_revealRow[1] = 10;
    g_gameOver = 1;
    g_losingSide = 2;
    g_lastMove = MoveRecord{1, 2, 3, 4};
    g_lastMoveDirection = 3;
    for (int side = 1; side <= 2; ++side) {
        g_moveHistory[side][0] = MoveRecord{1, 1, 1, 2};
        g_moveHistory[side][1] = MoveRecord{1, 2, 1, 1};
        g_forbiddenMove[side] = MoveRecord{1, 2, 1, 1};
    }
    g_piecesLeft[1][5] = 3;
    g_piecesLeft[2][10] = 0;
    g_playerMarshalAlive = 0;
    g_computerMarshalAlive = 1;
}

void Hover(int x, int y)
{
    g_hoverRow[0] = x, g_hoverRow[1] = y;
}

}  // namespace

TEST_F(RulesTest, NewGameBuildsAnEmptyBoardWithLakesAndBorderAndResetsFlagsHistoryAndSelection)
{
    SpoilState();
    g_lastComputerMove = MoveRecord{4, 8, 5, 8};  // from the previous game
    NewGame();

    int border = 0, lakes = 0, empty = 0;
    for (int x = 0; x < GRID_SIZE; ++x)
        for (int y = 0; y < GRID_SIZE; ++y) {
            if (x == 0 || y == 0 || x == GRID_SIZE - 1 || y == GRID_SIZE - 1) {
                ++border;
                EXPECT_EQ(g_cellOwner[x][y], OWNER_BORDER) << x << "," << y;
                EXPECT_EQ(g_cellRank[x][y], RANK_BORDER) << x << "," << y;
                continue;
            }
            if ((x == 3 || x == 4 || x == 7 || x == 8) && (y == 5 || y == 6)) {  // a lake
                ++lakes;
                EXPECT_EQ(g_cellOwner[x][y], OWNER_LAKE) << x << "," << y;
            } else {
                ++empty;
                EXPECT_EQ(g_cellOwner[x][y], OWNER_EMPTY) << x << "," << y;
            }
            EXPECT_EQ(g_cellRank[x][y], RANK_EMPTY) << x << "," << y;
            EXPECT_EQ(g_knowledge[x][y], 0.0f) << x << "," << y;
            EXPECT_EQ(g_pieceTag[x][y], 1) << x << "," << y;
            // Only the player's setup rows can be picked.
            EXPECT_EQ(g_reachable[x][y], y <= 4 ? 0 : -1) << x << "," << y;
        }
    EXPECT_EQ(border, 44);
    EXPECT_EQ(lakes, 8);
    EXPECT_EQ(empty, 92);

    for (int r = 0; r < RANK_KINDS; ++r) EXPECT_EQ(g_trayCount[r], PIECE_SET[r]) << r;
    EXPECT_EQ(TrayTotal(), 40);

    // Setup phase, tray choice, game over, loser, direction, then the square pairs.
    EXPECT_EQ((std::vector<int>{g_setupPhase, g_selectedTrayRank, g_gameOver, g_losingSide, g_lastMoveDirection}),
              (std::vector<int>{1, -1, 0, 0, 0}));
    EXPECT_EQ((std::vector<int>{g_hoverRow[0], g_hoverRow[1], g_prevHoverSquare[0], g_prevHoverSquare[1],
                                g_selectedRow[0], g_selectedRow[1], g_revealRow[0], g_revealRow[1]}),
              std::vector<int>(8, 0));
    EXPECT_EQ(g_lastMove, (MoveRecord{0, 0, 0, 0}));
    EXPECT_EQ(g_lastComputerMove, (MoveRecord{0, 0, 0, 0}));
    for (int side = 1; side <= 2; ++side) {
        EXPECT_EQ(g_moveHistory[side][0], (MoveRecord{-3, -3, -3, -3}));
        EXPECT_EQ(g_moveHistory[side][1], (MoveRecord{-4, -4, -4, -4}));
        EXPECT_EQ(g_forbiddenMove[side], (MoveRecord{-5, -5, -10, -10}));
    }
    // Pieces left and marshal flags belong to the start of play, not to a new game.
    EXPECT_EQ((std::vector<int>{g_piecesLeft[1][5], g_piecesLeft[2][10], g_playerMarshalAlive, g_computerMarshalAlive}),
              (std::vector<int>{3, 0, 0, 1}));
    EXPECT_TRUE(RecordedCalls().empty());
}

TEST_F(RulesTest, NewGameSeedsTheRandomSequenceWithTheTime)
{
    // Within one second two new games give the same sequence (retried when a
    // second boundary falls between them).
    bool sameSecondSeen = false;
    for (int attempt = 0; attempt < 5 && !sameSecondSeen; ++attempt) {
        const std::time_t before = std::time(nullptr);
        NewGame();
        const int a1 = std::rand(), a2 = std::rand();
        NewGame();
        const int b1 = std::rand(), b2 = std::rand();
        if (std::time(nullptr) != before) continue;
        sameSecondSeen = true;
        EXPECT_EQ(a1, b1);
        EXPECT_EQ(a2, b2);
    }
    ASSERT_TRUE(sameSecondSeen);

    // A game started in a later second draws a different sequence.
    NewGame();
    const std::time_t first = std::time(nullptr);
    const int c1 = std::rand(), c2 = std::rand(), c3 = std::rand();
    while (std::time(nullptr) == first) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    NewGame();
    const int d1 = std::rand(), d2 = std::rand(), d3 = std::rand();
    EXPECT_FALSE(c1 == d1 && c2 == d2 && c3 == d3);
}

TEST_F(RulesTest, PlacingOnAnEmptySquareSoundsAnimatesIfAskedAndRedraws)
{
    Hover(6, 2);
    PlaceSetupPiece(RANK_MARSHAL);

    EXPECT_EQ(g_cellOwner[6][2], OWNER_PLAYER);
    EXPECT_EQ(g_cellRank[6][2], RANK_MARSHAL);
    EXPECT_EQ(g_trayCount[RANK_MARSHAL], 0);
    EXPECT_EQ(TrayTotal(), 39);

    const auto& calls = RecordedCalls();
    ASSERT_EQ(RecordedNames(), (std::vector<std::string>{"PlaySoundA", "AnimatePlacement", "RenderFrame"}));
    EXPECT_EQ(calls[0].path, "/opt/velmonar/sound/H2.wav");
    EXPECT_EQ(calls[0].module, nullptr);
    EXPECT_EQ(calls[0].flags, SND_ASYNC);
    // The sound and the drop come after the piece stands on the board.
    EXPECT_EQ(calls[0].owner[6][2], OWNER_PLAYER);
    EXPECT_EQ(calls[1].args, (std::vector<int>{6, 2}));
    EXPECT_EQ(calls[1].rank[6][2], RANK_MARSHAL);

    // Without animations: only the sound and the redraw.
    g_animationsOn = 0;
    Hover(1, 1);
    ClearRecordedCalls();
    PlaceSetupPiece(RANK_BOMB);
    EXPECT_EQ(g_cellRank[1][1], RANK_BOMB);
    EXPECT_EQ(RecordedNames(), (std::vector<std::string>{"PlaySoundA", "RenderFrame"}));
}

TEST_F(RulesTest, PlacementsThatDoNothingMakeNoSoundAndNoRedraw)
{
    // No rank chosen in the tray (the click handler passes -1), or a rank out of range.
    Hover(2, 2);
    PlaceSetupPiece(-1);
    PlaceSetupPiece(RANK_KINDS);
    PlaceSetupPiece(RANK_BORDER);
    EXPECT_EQ(g_cellOwner[2][2], OWNER_EMPTY);

    // A rank whose tray is empty.
    g_trayCount[RANK_SPY] = 0;
    PlaceSetupPiece(RANK_SPY);
    EXPECT_EQ(g_cellOwner[2][2], OWNER_EMPTY);
    EXPECT_EQ(g_cellRank[2][2], RANK_EMPTY);

    // The same rank on a piece of that rank.
    Put(2, 2, OWNER_PLAYER, 5);
    g_trayCount[5] = 3;
    PlaceSetupPiece(5);
    EXPECT_EQ(g_cellRank[2][2], 5);
    EXPECT_EQ(g_trayCount[5], 3);

    // A hovered square outside the grid.
    Hover(GRID_SIZE, 1);
    PlaceSetupPiece(4);
    Hover(1, -1);
    PlaceSetupPiece(4);
    EXPECT_EQ(g_trayCount[4], PIECE_SET[4]);

    EXPECT_TRUE(RecordedCalls().empty());
}

TEST_F(RulesTest, PlacingOnAnOwnPieceSwapsWithTheTrayAndOnAnotherOwnerOnlySounds)
{
    Hover(4, 3);
    PlaceSetupPiece(RANK_SCOUT);
    const int total = TrayTotal();
    ClearRecordedCalls();

    PlaceSetupPiece(RANK_MINER);

    EXPECT_EQ(g_cellOwner[4][3], OWNER_PLAYER);
    EXPECT_EQ(g_cellRank[4][3], RANK_MINER);
    EXPECT_EQ(g_trayCount[RANK_SCOUT], PIECE_SET[RANK_SCOUT]);
    EXPECT_EQ(g_trayCount[RANK_MINER], PIECE_SET[RANK_MINER] - 1);
    EXPECT_EQ(TrayTotal(), total);
    EXPECT_EQ(RecordedNames(), (std::vector<std::string>{"PlaySoundA", "AnimatePlacement", "RenderFrame"}));

    // On another owner's square nothing changes, but it still sounds.
    ClearRecordedCalls();
    Put(5, 3, OWNER_COMPUTER, 6);
    Hover(5, 3);
    PlaceSetupPiece(4);
    EXPECT_EQ(g_cellOwner[5][3], OWNER_COMPUTER);
    EXPECT_EQ(g_cellRank[5][3], 6);

    Hover(3, 5);  // a lake
    PlaceSetupPiece(4);
    EXPECT_EQ(g_cellOwner[3][5], OWNER_LAKE);
    EXPECT_EQ(g_cellRank[3][5], RANK_EMPTY);

    EXPECT_EQ(g_trayCount[4], PIECE_SET[4]);
    EXPECT_EQ(RecordedNames(), (std::vector<std::string>{"PlaySoundA", "AnimatePlacement", "RenderFrame",
                                                         "PlaySoundA", "AnimatePlacement", "RenderFrame"}));
}

TEST_F(RulesTest, TheFortiethPieceEndsTheSetupBeforeItsSoundAndRedraw)
{
    // Fill rows 1..4 rank by rank; every square but the last gets its piece.
    std::vector<std::pair<int, int>> squares;
    for (int y = 1; y <= 4; ++y)
        for (int x = 1; x <= 10; ++x) squares.emplace_back(x, y);
    std::vector<int> ranks;
    for (int r = 0; r < RANK_KINDS; ++r)
        for (int n = 0; n < PIECE_SET[r]; ++n) ranks.push_back(r);
    ASSERT_EQ(ranks.size(), squares.size());

    for (size_t i = 0; i + 1 < squares.size(); ++i) {
        Hover(squares[i].first, squares[i].second);
        PlaceSetupPiece(ranks[i]);
    }
    for (const auto& name : RecordedNames()) EXPECT_NE(name, "FinishSetup");
    EXPECT_EQ(TrayTotal(), 1);
    ClearRecordedCalls();

    Hover(10, 4);
    g_selectedTrayRank = RANK_FLAG;
    PlaceSetupPiece(RANK_FLAG);

    const auto& calls = RecordedCalls();
    ASSERT_EQ(RecordedNames(),
              (std::vector<std::string>{"FinishSetup", "PlaySoundA", "AnimatePlacement", "RenderFrame"}));
    // The setup is complete when the game flow takes over.
    EXPECT_EQ(calls[0].owner[10][4], OWNER_PLAYER);
    EXPECT_EQ(calls[0].rank[10][4], RANK_FLAG);
    for (int r = 0; r < RANK_KINDS; ++r) EXPECT_EQ(calls[0].trayCount[r], 0) << r;
    EXPECT_EQ(calls[0].selectedTrayRank, -1);
    EXPECT_EQ(std::vector<int>(calls[0].hoverRow, calls[0].hoverRow + 2), std::vector<int>(2, 0));
    // The drop runs on the hovered square as it now stands: none.
    EXPECT_EQ(calls[2].args, (std::vector<int>{0, 0}));

    for (size_t i = 0; i < squares.size(); ++i) {
        EXPECT_EQ(g_cellOwner[squares[i].first][squares[i].second], OWNER_PLAYER);
        EXPECT_EQ(g_cellRank[squares[i].first][squares[i].second], ranks[i]);
    }
}
