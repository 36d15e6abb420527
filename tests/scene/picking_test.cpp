// Picking: every square and tray slot is found from its centre on screen,
// at the full screen and at the smallest window; what must not answer does
// not; the pick leaves the shown frame and the GL state alone.
#include <GL/gl.h>

#include "interface/options.h"
#include "rules/board.h"
#include "scene/frame_state.h"
#include "scene/picking.h"
#include "scene/renderer.h"
#include "tests/scene/scene_probe.h"

namespace {

using Picking = SceneTest;

TEST_F(Picking, FindsEverySquareAndTraySlotAndNothingOutsideThemAtBothWindowSizes)
{
    // After a frame with the mirror image (whose pass leaves no trace the pick sees).
    g_reflectionOn = 1;
    RenderFrame();
    const int sizes[2][2] = {{1920, 1080}, {798, 600}};
    for (const auto& size : sizes) {
        Resize(size[0], size[1]);
        SCOPED_TRACE(testing::Message() << size[0] << "x" << size[1]);
        for (int x = 1; x <= 10; ++x)
            for (int y = 1; y <= 10; ++y) {
                g_hoverTraySlot = 7;
                PickAt(SquareCentre(x, y));
                EXPECT_EQ(g_hoverRow[0], x) << "square " << x << "," << y;
                EXPECT_EQ(g_hoverRow[1], y) << "square " << x << "," << y;
                EXPECT_EQ(g_hoverTraySlot, 7) << "a square hit leaves the tray slot";
            }
        for (int k = 0; k < RANK_KINDS; ++k) {
            PickAt(TraySlotCentre(k));
            EXPECT_EQ(g_hoverRow[0], 0) << "slot " << k;
            EXPECT_EQ(g_hoverRow[1], 0) << "slot " << k;
            EXPECT_EQ(g_hoverTraySlot, k);
        }
        const Pixel outside[] = {{2, 2},
                                 {size[0] - 3, size[1] - 3},
                                 {size[0] / 2, size[1] - 2},
                                 {-5, 10},
                                 {10, size[1] + 40}};
        for (const Pixel& p : outside) {
            g_hoverRow[0] = g_hoverRow[1] = 4;
            g_hoverTraySlot = 3;
            PickAt(p);
            EXPECT_EQ(g_hoverRow[0], 0) << p.x << "," << p.y;
            EXPECT_EQ(g_hoverRow[1], 0) << p.x << "," << p.y;
            EXPECT_EQ(g_hoverTraySlot, -1) << p.x << "," << p.y;
        }
    }
}

TEST_F(Picking, AnswersOnlyWhatTheCurrentActionMayUseAndNothingBeforeTheSceneIsReady)
{
    // A square that is not reachable does not answer.
    g_reachable[2][2] = -1;
    PickAt(SquareCentre(2, 2));
    EXPECT_EQ(g_hoverRow[0], 0);

    // The player's own piece answers for its square.
    g_cellOwner[4][2] = OWNER_PLAYER;
    g_cellRank[4][2] = 5;
    g_reachable[4][2] = OWNER_PLAYER;
    PickAt(PieceFront(4, 2));
    EXPECT_EQ(g_hoverRow[0], 4);
    EXPECT_EQ(g_hoverRow[1], 2);

    // A hidden enemy piece that cannot be attacked hides the free square behind it.
    g_cellOwner[5][7] = OWNER_COMPUTER;
    g_cellRank[5][7] = 6;
    g_reachable[5][7] = -1;
    const Pixel enemy = PieceFront(5, 7);
    PickAt(enemy);
    EXPECT_EQ(g_hoverRow[0], 0);
    EXPECT_EQ(g_hoverRow[1], 0);
    // Once attackable it answers.
    g_reachable[5][7] = 2;
    PickAt(enemy);
    EXPECT_EQ(g_hoverRow[0], 5);
    EXPECT_EQ(g_hoverRow[1], 7);

    // The tray answers only in setup with the board active.
    const Pixel slot = TraySlotCentre(4);
    g_setupMode = 2;  // the automatic placement runs
    PickAt(slot);
    EXPECT_EQ(g_hoverTraySlot, -1);
    g_setupMode = 1;
    g_setupPhase = 0;
    PickAt(slot);
    EXPECT_EQ(g_hoverTraySlot, -1);
    g_setupPhase = 1;
    PickAt(slot);
    EXPECT_EQ(g_hoverTraySlot, 4);

    // Before the scene is ready a pick changes nothing.
    g_sceneReady = 0;
    g_hoverRow[0] = 9;
    g_hoverRow[1] = 9;
    g_hoverTraySlot = 2;
    PickAt(SquareCentre(3, 3));
    EXPECT_EQ(g_hoverRow[0], 9);
    EXPECT_EQ(g_hoverRow[1], 9);
    EXPECT_EQ(g_hoverTraySlot, 2);
}

TEST_F(Picking, LeavesTheShownFrameAndTheGlStateAsItFoundThem)
{
    ASSERT_TRUE(ArrangeGameInPlay(3, 8));
    g_hoverRow[0] = 4;
    g_hoverRow[1] = 3;
    const std::vector<unsigned char> before = RenderedFrame();
    const GlState state = ReadGlState();

    PickAt(PieceFront(4, 3));
    PickAt(SquareCentre(5, 5));
    PickAt(TraySlotCentre(0));

    const GlState after = ReadGlState();
    EXPECT_EQ(FrontFrame(), before) << "the pick pass showed itself";
    EXPECT_EQ(after.enabled, state.enabled);
    EXPECT_EQ(after.depthWrites, state.depthWrites);
    EXPECT_EQ(after.clearColour, state.clearColour);
    for (size_t i = 0; i < 16; ++i) EXPECT_NEAR(after.modelview[i], state.modelview[i], 1e-3);
    EXPECT_EQ(after.projection, state.projection);
    EXPECT_EQ(after.viewport, state.viewport);
    EXPECT_EQ(after.scissorBox, state.scissorBox);
    EXPECT_EQ(after.blendSrc, state.blendSrc);
    EXPECT_EQ(after.blendDst, state.blendDst);
    EXPECT_EQ(after.readBuffer, state.readBuffer);
    EXPECT_EQ(after.drawBuffer, state.drawBuffer);
    // The clear colour is the panel colour again.
    for (size_t i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(after.clearColour[i], static_cast<float>(g_panelColour[i]));
}

}  // namespace
