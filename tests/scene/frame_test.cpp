// Pixel probes of rendered frames: the board (wood, lakes, grid lines, edge),
// the background, the pieces (the player's faces, the computer's backs), the
// setup tray, the highlights, the last-move marker and the fade.
#include "interface/options.h"
#include "rules/board.h"
#include "scene/board_drawing.h"
#include "scene/board_geometry.h"
#include "scene/camera.h"
#include "scene/frame_state.h"
#include "scene/renderer.h"
#include "tests/scene/scene_probe.h"

namespace {

using Frame = SceneTest;

TEST_F(Frame, StartUpBoardShowsWoodLakesGridLinesEdgeAndBackground)
{
    g_panelVisible[0] = 1;  // the menu is open after start-up: no tray
    const Rgb wood = RenderedPixel(SquareCentre(2, 2));
    const Rgb wood2 = FrontPixel(SquareCentre(3, 2));
    const Rgb lake = FrontPixel(SquareCentre(3, 5));
    const Rgb line = FrontPixel(SquareEdge(2, 2, 3, 2));
    const Rgb corner = FrontPixel(4, 1075);

    EXPECT_GT(wood.r, wood.b + 40) << "a square shows the wood";
    EXPECT_GT(lake.b, lake.r + 40) << "a lake shows water";
    EXPECT_LT(line.Sum() + 30, wood.Sum()) << "the grid line is darker than the squares beside it";
    EXPECT_LT(line.Sum() + 30, wood2.Sum());

    // The background is its picture in the panel colour: dim, and green over red as that colour is.
    const double panel[3] = {g_panelColour[0] * 255, g_panelColour[1] * 255, g_panelColour[2] * 255};
    EXPECT_LE(corner.r, panel[0] + 2);
    EXPECT_LE(corner.g, panel[1] + 2);
    EXPECT_LE(corner.b, panel[2] + 2);
    EXPECT_GE(corner.g, panel[1] * 0.6);
    EXPECT_GT(corner.g, corner.r);

    // The board's front edge, unlit in its fixed colour, faces the viewer.
    const Rgb edge = FrontPixel(ProjectWorld(0.0, (g_boardMinY) / 2.0, g_boardMaxZ + g_boardOffsetZ));
    EXPECT_NEAR(edge.r, 0.3 * 255, 3);
    EXPECT_NEAR(edge.g, 0.2 * 255, 3);
    EXPECT_NEAR(edge.b, 0.2 * 255, 3);
}

TEST_F(Frame, NothingIsDrawnWhileMinimisedOrBeforeTheSceneIsReadyAndTheFadeDarkensIt)
{
    g_panelVisible[0] = 1;
    const std::vector<unsigned char> shown = RenderedFrame();
    g_cellOwner[5][2] = OWNER_PLAYER;
    g_cellRank[5][2] = RANK_SPY;
    g_panelVisible[0] = 0;

    g_sizeType = SIZE_MINIMIZED;
    EXPECT_EQ(RenderedFrame(), shown);
    g_sizeType = 0;

    g_sceneReady = 0;
    EXPECT_EQ(RenderedFrame(), shown);
    g_sceneReady = 1;

    EXPECT_NE(RenderedFrame(), shown);

    // The fade darkens the whole frame.
    g_panelVisible[0] = 1;
    RenderFrame();
    const Pixel probes[] = {SquareCentre(2, 2), SquareCentre(8, 9), {6, 6}};
    Rgb full[3];
    for (int i = 0; i < 3; ++i) full[i] = FrontPixel(probes[i]);

    g_fadeInProgress = 1;
    g_fadeLevel = 0.5;
    RenderFrame();
    for (int i = 0; i < 3; ++i) {
        const Rgb half = FrontPixel(probes[i]);
        EXPECT_NEAR(half.r, full[i].r / 2.0, 2.0);
        EXPECT_NEAR(half.g, full[i].g / 2.0, 2.0);
        EXPECT_NEAR(half.b, full[i].b / 2.0, 2.0);
    }
    g_fadeLevel = 0.0;
    EXPECT_EQ(RenderedPixel(probes[0]).Sum(), 0);
}

TEST_F(Frame, PlayersPiecesShowTheirFacesAndTheComputersTheirBacks)
{
    g_panelVisible[0] = 1;
    const std::vector<unsigned char> empty = RenderedFrame();

    g_cellOwner[4][2] = OWNER_PLAYER;
    g_cellOwner[6][8] = OWNER_COMPUTER;
    g_cellRank[4][2] = g_cellRank[6][8] = RANK_MARSHAL;
    const std::vector<unsigned char> marshals = RenderedFrame();
    g_cellRank[4][2] = g_cellRank[6][8] = RANK_MINER;
    const std::vector<unsigned char> miners = RenderedFrame();

    const Pixel own = PieceFront(4, 2), enemy = PieceFront(6, 8);
    EXPECT_GT(RegionDifference(empty, marshals, own.x, own.y, 8), 10.0) << "the player's piece is drawn";
    EXPECT_GT(RegionDifference(empty, marshals, enemy.x, enemy.y, 6), 10.0) << "the computer's piece is drawn";
    EXPECT_GT(RegionDifference(marshals, miners, own.x, own.y, 8), 5.0) << "the player sees the rank face";
    EXPECT_EQ(RegionDifference(marshals, miners, enemy.x, enemy.y, 12), 0.0) << "the computer's rank is hidden";

    // Revealed after a battle, the enemy piece turns its face to the player.
    g_revealRow[0] = 6;
    g_revealRow[1] = 8;
    const std::vector<unsigned char> revealedMiner = RenderedFrame();
    g_cellRank[6][8] = RANK_MARSHAL;
    EXPECT_GT(RegionDifference(revealedMiner, RenderedFrame(), enemy.x, enemy.y, 6), 5.0);
}

TEST_F(Frame, TrayShowsInSetupAndInPlayButNotUnderTheMenuOrTheFade)
{
    const Pixel slot = TraySlotCentre(5);
    const Rgb setup = RenderedPixel(slot);

    g_panelVisible[0] = 1;
    const Rgb hidden = RenderedPixel(slot);
    EXPECT_GT(Difference(setup, hidden), 20) << "the tray stands in front of the board in setup";

    g_panelVisible[0] = 0;
    g_setupMode = 0;  // the setup choice is offered
    EXPECT_LE(Difference(RenderedPixel(slot), hidden), 1);
    g_setupMode = 1;

    g_fadeInProgress = 1;
    g_fadeLevel = 1.0;
    EXPECT_LE(Difference(RenderedPixel(slot), hidden), 1);
    g_fadeInProgress = 0;

    // In play the same row shows the opponent's army, in the opponent's colours.
    ASSERT_TRUE(ArrangeGameInPlay(2, 7));
    const Rgb play = RenderedPixel(slot);
    EXPECT_GT(Difference(play, hidden), 20);
    EXPECT_GT(Difference(play, setup), 10);
}

TEST_F(Frame, HoveredFreeSquareBrightensForAChosenRankAndDarkensOtherwise)
{
    g_panelVisible[0] = 1;
    const Rgb plain = RenderedPixel(SquareCentre(5, 3));
    g_hoverRow[0] = 5;
    g_hoverRow[1] = 3;
    g_selectedTrayRank = RANK_SCOUT;
    EXPECT_GT(RenderedPixel(SquareCentre(5, 3)).Sum(), plain.Sum() + 30);
    g_trayCount[RANK_SCOUT] = 0;  // nothing of that rank left to place
    EXPECT_LT(RenderedPixel(SquareCentre(5, 3)).Sum() + 30, plain.Sum());
}

TEST_F(Frame, LastMoveMarksItsSquaresOnlyWhenItFitsTheBoardAndDirection)
{
    g_panelVisible[0] = 1;
    const std::vector<unsigned char> none = RenderedFrame();

    // A scout's move up the board: start, two squares between, target.
    g_lastMove = MoveRecord{2, 3, 2, 6};
    g_lastMoveDirection = 4;
    const std::vector<unsigned char> marked = RenderedFrame();
    for (int y = 3; y <= 6; ++y) {
        const Pixel p = SquareCentre(2, y);
        EXPECT_GT(RegionDifference(none, marked, p.x, p.y, 10), 3.0) << "square 2," << y;
    }
    const Pixel beyond = SquareCentre(2, 7);
    EXPECT_EQ(RegionDifference(none, marked, beyond.x, beyond.y, 6), 0.0);

    // Moves that do not fit their direction or leave the board draw nothing (and end).
    const MoveRecord bad[] = {{2, 3, 2, 6}, {0, 3, 2, 3}, {2, 3, 14, 3}, {5, 5, 6, 6}};
    const int direction[] = {1, 1, 1, 4};
    for (int i = 0; i < 4; ++i) {
        g_lastMove = bad[i];
        g_lastMoveDirection = direction[i];
        EXPECT_EQ(RenderedFrame(), none) << "move " << i;
    }

    // The rule behind it: both squares on the board and the target on the
    // move's line in its direction (1 to larger x, 2 to smaller y, 3 to
    // smaller x, 4 to larger y). From x, y to x, y, the direction.
    const int fitting[][5] = {{3, 4, 4, 4, 1}, {3, 4, 3, 1, 2}, {10, 4, 1, 4, 3}, {3, 1, 3, 10, 4}};
    const int failing[][5] = {
        {3, 4, 2, 4, 1},     {3, 4, 3, 5, 2}, {3, 4, 4, 4, 3}, {3, 4, 3, 3, 4},  // backwards
        {3, 4, 3, 4, 1},     {3, 4, 4, 5, 1},                                    // no step at all; off its line
        {3, 4, 4, 4, 0},     {3, 4, 4, 4, 5},                                    // no direction
        {0, 4, 2, 4, 1},     {9, 4, 11, 4, 1},                                   // the border ring
        {-3, -3, -3, -1, 4}, {5, 5, 5, 300, 4},                                  // the "no move" values
    };
    const auto fits = [](const int (&m)[5]) { return MoveMarkerFits(m[0], m[1], m[2], m[3], m[4]); };
    for (const auto& m : fitting) EXPECT_TRUE(fits(m)) << testing::PrintToString(m);
    for (const auto& m : failing) EXPECT_FALSE(fits(m)) << testing::PrintToString(m);
}

TEST_F(Frame, OutOfRangeRanksAndCountsDrawWithoutReadingPastTheirTables)
{
    g_cellOwner[4][2] = OWNER_PLAYER;
    g_cellRank[4][2] = 15;  // no such rank: the face is left out
    const std::vector<unsigned char> unknown = RenderedFrame();
    g_cellRank[4][2] = RANK_FLAG;
    const Pixel own = PieceFront(4, 2);
    EXPECT_GT(RegionDifference(unknown, RenderedFrame(), own.x, own.y, 6), 5.0);

    // In play, more of a rank taken than the army holds: the digit stays a glyph.
    ASSERT_TRUE(ArrangeGameInPlay(1, 1));
    g_trayCount[RANK_SCOUT] = 30;
    g_trayCount[RANK_BOMB] = -20;
    const std::vector<unsigned char> shown = RenderedFrame();
    const Pixel slot = TraySlotCentre(RANK_SCOUT);
    g_panelVisible[0] = 1;
    EXPECT_GT(RegionDifference(shown, RenderedFrame(), slot.x, slot.y, 4), 10.0) << "the tray was drawn";
}

}  // namespace
