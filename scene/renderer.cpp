#include "scene/renderer.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "platform/gl_context.h"
#include "platform/window.h"
#include "rules/board.h"
#include "rules/live_options.h"
#include "scene/board_drawing.h"
#include "scene/board_geometry.h"
#include "scene/camera.h"
#include "scene/frame_state.h"
#include "scene/fullscreen_image.h"
#include "scene/piece_glows.h"
#include "scene/reflection.h"
#include "scene/scene_host.h"
#include "scene/still_frame.h"
#include "scene/textures.h"
#include "scene/tray.h"

#ifndef GL_MULTISAMPLE
#define GL_MULTISAMPLE 0x809D
#endif

namespace {

// Step 8 for a free square or a lake: the square's highlight.
void DrawSquareHover()
{
    if (!BoardSquareHovered()) return;
    const int owner = g_cellOwner[g_hoverRow[0]][g_hoverRow[1]];
    if (owner == OWNER_EMPTY) DrawSquareHighlight(1);
    if (owner == OWNER_LAKE) DrawSquareHighlight(2);
}

}  // namespace

void ApplyBoardTranslation()
{
    glTranslated(-g_boardOffsetX, 0.0, g_boardOffsetZ);
}

void UndoBoardTranslation()
{
    glTranslated(g_boardOffsetX, 0.0, -g_boardOffsetZ);
}

void DrawBackground()
{
    int clientWidth = 0, clientHeight = 0;
    ClientSize(&clientWidth, &clientHeight);
    const double width = clientWidth, height = clientHeight;

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width, 0.0, height, -100.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    glDepthMask(GL_FALSE);
    glDisable(GL_LIGHTING);
    glBindTexture(GL_TEXTURE_2D, g_backgroundTex);
    glColor3d(g_panelColour[0], g_panelColour[1], g_panelColour[2]);
    WindowQuad(width, height);
    glEnable(GL_LIGHTING);
    glDepthMask(GL_TRUE);

    LoadPerspectiveCamera();
}

void RenderFrame()
{
    if (g_sizeType == static_cast<int>(SIZE_MINIMIZED) || g_sceneReady == 0) return;
    // The device context the main dialog made its context current on.
    const HDC dc = wglGetCurrentDC();
    if (!dc) return;

    glEnable(GL_MULTISAMPLE);

    if (g_reflectionOn == 1) {
        ApplyBoardTranslation();
        RenderReflectionTexture();
        UndoBoardTranslation();
    }

    // Depth only: every pixel's colour is written before it is shown, by the
    // board where it stands and by the background (drawn where the depth
    // stayed cleared) everywhere else; whatever the buffer held shows nowhere.
    glClear(GL_DEPTH_BUFFER_BIT);

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
    DrawSquareHover();
    DrawPieceGlows();
    if (g_shadowsOn == 1) DrawPieceShadows(0);

    UndoBoardTranslation();

    if (g_panelVisible[PANEL_FLAG_MENU_MODE] == 0 && g_fadeInProgress == 0 && (g_setupMode == 1 || g_setupMode == 2)) {
        DrawSetupTray();
        DrawPieceTally();
    }
    if (g_hoverTraySlot != -1) DrawTrayHighlight();

    KeepFrameIfAsked();
    g_sceneHost.drawOverlay();

    if (g_fadeInProgress == 1) DrawFullscreenImage(2, g_fadeLevel);

    glFlush();
    SwapBuffers(dc);
    glDisable(GL_MULTISAMPLE);
}
