#include "scene/reflection.h"

#include <GL/gl.h>

#include <algorithm>

#include "rules/board.h"
#include "rules/live_options.h"
#include "scene/board_drawing.h"
#include "scene/camera.h"
#include "scene/renderer.h"
#include "scene/textures.h"

#ifndef GL_MULTISAMPLE
#define GL_MULTISAMPLE 0x809D
#endif

namespace {

// The mirror image is squeezed into this square and stretched back over the window.
constexpr int MIRROR_SIZE = 512;

// Below this strength the mirror image's background is black; above it, the
// grey of the difference.
constexpr double MIRROR_GREY_START = 0.3;

void ClearMirrorImage()
{
    const GLclampf grey = static_cast<GLclampf>(std::max(0.0, g_reflectionAlpha - MIRROR_GREY_START));
    glClearColor(grey, grey, grey, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void RestoreAfterMirrorImage(int clientWidth, int clientHeight)
{
    glViewport(0, 0, clientWidth, clientHeight);
    glCullFace(GL_BACK);
    g_mirrorY = 0;
    glClearColor(static_cast<GLclampf>(g_panelColour[0]), static_cast<GLclampf>(g_panelColour[1]),
                 static_cast<GLclampf>(g_panelColour[2]), 0.0f);
}

void Orthographic(double width, double height)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width, 0.0, height, -100.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

}  // namespace

void RenderReflectionTexture()
{
    if (g_sceneReady == 0) return;
    int clientWidth = 0, clientHeight = 0;
    ClientSize(&clientWidth, &clientHeight);

    // The projection stays the window's, so its aspect is squeezed into the square.
    g_mirrorY = 1;
    glViewport(0, 0, MIRROR_SIZE, MIRROR_SIZE);
    ClearMirrorImage();
    // Mirrored geometry turns its winding around.
    glCullFace(GL_FRONT);

    DrawPieces();
    DrawPieceFaces();
    DrawPieceGlows();

    glBindTexture(GL_TEXTURE_2D, g_sceneTex);
    glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 0, 0, MIRROR_SIZE, MIRROR_SIZE, 0);

    RestoreAfterMirrorImage(clientWidth, clientHeight);
}

void DrawReflection()
{
    int clientWidth = 0, clientHeight = 0;
    ClientSize(&clientWidth, &clientHeight);
    const double width = clientWidth, height = clientHeight;
    Orthographic(width, height);

    glDisable(GL_MULTISAMPLE);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);

    glBindTexture(GL_TEXTURE_2D, g_sceneTex);
    glColor4d(1.0, 1.0, 1.0, g_reflectionAlpha);
    glBegin(GL_QUADS);
    glTexCoord2d(0.0, 1.0);
    glVertex3d(0.0, height, 0.0);
    glTexCoord2d(0.0, 0.0);
    glVertex3d(0.0, 0.0, 0.0);
    glTexCoord2d(1.0, 0.0);
    glVertex3d(width, 0.0, 0.0);
    glTexCoord2d(1.0, 1.0);
    glVertex3d(width, height, 0.0);
    glEnd();
    glColor4d(1.0, 1.0, 1.0, 1.0);

    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_MULTISAMPLE);
    LoadPerspectiveCamera();
}
