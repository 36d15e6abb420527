// The frame as the renderer draws it now (the colour buffer left uncleared)
// against the frame drawn the old way, every pass in its order after a full
// clear: the boards the scene benchmark takes pictures of (start-up, setup,
// play), with and without the reflection, must come out the same pixel for
// pixel, drawn over a buffer holding a colour no pass draws and over the
// frame before.
#include <GL/gl.h>

#include <functional>
#include <vector>

#include "interface/overlay.h"
#include "platform/gl_context.h"
#include "rules/board.h"
#include "rules/live_options.h"
#include "scene/board_drawing.h"
#include "scene/frame_state.h"
#include "scene/fullscreen_image.h"
#include "scene/piece_glows.h"
#include "scene/reflection.h"
#include "scene/renderer.h"
#include "scene/scene_host.h"
#include "scene/geo_model.h"
#include "scene/textures.h"
#include "scene/tray.h"
#include "tests/scene/scene_probe.h"

namespace {

// The frame of the old renderer: the whole buffer cleared, then every pass
// in the fixed order.
void RenderFrameTheOldWay()
{
    glEnable(GL_MULTISAMPLE);
    if (g_reflectionOn == 1) {
        ApplyBoardTranslation();
        ForgetMirrorImage();  // drawn every frame
        RenderReflectionTexture();
        UndoBoardTranslation();
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ApplyBoardTranslation();
    DrawBoard(1);
    if (g_lastMoveDirection > 0) DrawMoveMarker(g_lastMoveDirection, 0);
    if (g_shadowsOn == 1) DrawPieceShadows(1);
    if (g_reflectionOn == 1) {
        UndoBoardTranslation();
        DrawReflection();
        ApplyBoardTranslation();
        DrawGridOverlay();
        if (g_lastMoveDirection > 0) DrawMoveMarker(g_lastMoveDirection, 1);
    }
    UndoBoardTranslation();
    DrawBackground();
    ApplyBoardTranslation();
    DrawBoard(2);
    DrawPieces();
    DrawPieceFaces();
    if (BoardSquareHovered()) {
        const int owner = g_cellOwner[g_hoverRow[0]][g_hoverRow[1]];
        if (owner == OWNER_EMPTY) DrawSquareHighlight(1);
        if (owner == OWNER_LAKE) DrawSquareHighlight(2);
    }
    DrawPieceGlows();
    if (g_shadowsOn == 1) DrawPieceShadows(0);
    UndoBoardTranslation();
    if (g_panelVisible[PANEL_FLAG_MENU_MODE] == 0 && g_fadeInProgress == 0 && (g_setupMode == 1 || g_setupMode == 2)) {
        DrawSetupTray();
        DrawPieceTally();
    }
    if (g_hoverTraySlot != -1) DrawTrayHighlight();
    g_sceneHost.drawOverlay();
    if (g_fadeInProgress == 1) DrawFullscreenImage(2, g_fadeLevel);
    glFlush();
    SwapBuffers(wglGetCurrentDC());
    glDisable(GL_MULTISAMPLE);
}

std::vector<unsigned char> OldFrame()
{
    RenderFrameTheOldWay();
    return FrontFrame();
}

// A frame of the renderer over a back buffer filled with a colour no pass
// draws: a pixel the frame left unwritten would show it.
std::vector<unsigned char> NewFrame(bool overMagenta)
{
    if (!overMagenta) {
        return RenderedFrame();
    }
    glClearColor(1.0f, 0.0f, 1.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(static_cast<GLclampf>(g_panelColour[0]), static_cast<GLclampf>(g_panelColour[1]),
                 static_cast<GLclampf>(g_panelColour[2]), 0.0f);
    return RenderedFrame();
}

void ExpectSameFrames(const std::vector<unsigned char>& now, const std::vector<unsigned char>& old, const char* what)
{
    ASSERT_EQ(now.size(), old.size());
    size_t differing = 0, first = 0;
    for (size_t i = 0; i < now.size(); ++i)
        if (now[i] != old[i] && differing++ == 0) first = i;
    EXPECT_EQ(differing, 0u) << what << ": first at pixel " << first / 3 << " (" << int(now[first]) << " for "
                             << int(old[first]) << ")";
}

class FrameMatch : public SceneTest {
protected:
    void SetUp() override
    {
        SceneTest::SetUp();
        g_sceneHost.drawOverlay = DrawOverlay;  // the whole frame, as the pictures show it
    }
};

// Each board drawn both ways, with the reflection and without, the new way
// twice (over the magenta buffer and over the frame before).
TEST_F(FrameMatch, BoardsWithAndWithoutTheReflectionAsTheOldFrameDrewThem)
{
    for (int reflection : {1, 0}) {
        SCOPED_TRACE(reflection ? "with the reflection" : "without the reflection");
        g_reflectionOn = reflection;
        for (bool (*arrange)() : {ArrangeStartUpShot, ArrangeSetupShot, ArrangePlayShot}) {
            ASSERT_TRUE(arrange());
            const std::vector<unsigned char> old = OldFrame();
            ExpectSameFrames(NewFrame(true), old, "over a magenta buffer");
            ExpectSameFrames(NewFrame(false), old, "over the frame before");
        }
    }
}

// The mirror image kept from the frame before must give way to a new one at
// every change of what it shows: each frame after a change is the frame the
// old renderer, drawing its mirror image anew every time, draws.
TEST_F(FrameMatch, AKeptMirrorImageGivesWayToEveryChangeOfWhatItShows)
{
    g_reflectionOn = 1;
    const ModelRecord faceModel = g_models[MODEL_PIECE_FACE];
    const double alpha = g_reflectionAlpha, tint = g_tintR[1];
    const int brightness = g_pieceBrightness;
    const struct {
        const char* what;
        std::function<void()> change;
    } changes[] = {
        {"the cursor onto another piece", [] { g_hoverRow[0] = 2, g_hoverRow[1] = 3; }},
        {"a piece taken off", [] { g_cellOwner[1][4] = OWNER_EMPTY, g_cellRank[1][4] = RANK_EMPTY; }},
        {"an enemy piece shown", [] { g_revealRow[0] = 4, g_revealRow[1] = 7; }},
        {"a drop animated", [] { g_pieceAnimState = ANIM_DROP, g_dropRow = 2, g_dropCol = 2, g_animOffset = 0.5; }},
        {"the drop going on", [] { g_animOffset = 0.25; }},
        {"the reflection stronger", [] { g_reflectionAlpha = 0.6; }},
        {"the pieces taller", [] { for (double& y : g_models[MODEL_PIECE_FACE].posY) y *= 1.2; }},
        {"the own pieces' colour", [] { g_tintR[1] = 0.2, ApplySideTint(1); }},
        {"the pieces' brightness", [] { g_pieceBrightness = 10, BuildPieceTextures(0); }},
        {"the window smaller", [this] { Resize(1600, 900); }},
    };
    ASSERT_TRUE(ArrangePlayShot());
    RenderFrame();
    for (const auto& c : changes) {
        c.change();
        const std::vector<unsigned char> now = NewFrame(false);
        ExpectSameFrames(now, OldFrame(), c.what);
    }
    g_models[MODEL_PIECE_FACE] = faceModel;
    g_reflectionAlpha = alpha;
    g_tintR[1] = tint;
    ApplySideTint(1);
    g_pieceBrightness = brightness;
    BuildPieceTextures(0);
}

}  // namespace
