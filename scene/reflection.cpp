#include "scene/reflection.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "rules/board.h"
#include "rules/live_options.h"
#include "scene/board_drawing.h"
#include "scene/board_geometry.h"
#include "scene/camera.h"
#include "scene/mirror_inputs.h"
#include "scene/piece_glows.h"
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

// Runs draw with the scissor test cut to the box, then puts the scissor
// state back (the test off, as every pass finds it, and the box as it was).
template <typename Draw>
void Scissored(int x, int y, int width, int height, Draw draw)
{
    GLint savedBox[4];
    glGetIntegerv(GL_SCISSOR_BOX, savedBox);
    glScissor(x, y, width, height);
    glEnable(GL_SCISSOR_TEST);
    draw();
    glDisable(GL_SCISSOR_TEST);
    glScissor(savedBox[0], savedBox[1], savedBox[2], savedBox[3]);
}

// The clear covers the mirror image's square only: glClear ignores the
// viewport, and the frame's own clear follows for the rest of the window.
void ClearMirrorImage()
{
    const GLclampf grey = static_cast<GLclampf>(std::max(0.0, g_reflectionAlpha - MIRROR_GREY_START));
    glClearColor(grey, grey, grey, 0.0f);
    Scissored(0, 0, MIRROR_SIZE, MIRROR_SIZE, [] { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); });
}

void RestoreAfterMirrorImage(int clientWidth, int clientHeight)
{
    glViewport(0, 0, clientWidth, clientHeight);
    glCullFace(GL_BACK);
    g_mirrorY = 0;
    glClearColor(static_cast<GLclampf>(g_panelColour[0]), static_cast<GLclampf>(g_panelColour[1]),
                 static_cast<GLclampf>(g_panelColour[2]), 0.0f);
}

struct ScreenRect {
    int left, bottom, right, top;
};

// Window position of board-space point p under the loaded camera (the board
// translation included); false when it does not lie in front of the eye.
bool ProjectBoardPoint(const GLdouble modelview[16], const GLdouble projection[16], const GLint viewport[4],
                       const double p[3], double* x, double* y)
{
    double eye[4], clip[4];
    for (int r = 0; r < 4; ++r)
        eye[r] = modelview[r] * p[0] + modelview[4 + r] * p[1] + modelview[8 + r] * p[2] + modelview[12 + r];
    for (int r = 0; r < 4; ++r)
        clip[r] = projection[r] * eye[0] + projection[4 + r] * eye[1] + projection[8 + r] * eye[2] +
                  projection[12 + r] * eye[3];
    if (!(clip[3] > 0.0)) return false;
    *x = viewport[0] + viewport[2] * (clip[0] / clip[3] + 1.0) / 2.0;
    *y = viewport[1] + viewport[3] * (clip[1] / clip[3] + 1.0) / 2.0;
    return std::isfinite(*x) && std::isfinite(*y);
}

// Widening of the board's screen rectangle: every pixel a board sample or a
// shadow at its rim touches lies inside.
constexpr double RECT_MARGIN = 4.0;

// The window rectangle the board covers (its bounds projected, widened by a
// few pixels, clipped to the window): only there does the mirror image survive,
// since the background pass repaints every pixel the board leaves. The whole
// window when a corner cannot be projected.
ScreenRect BoardScreenRect(int clientWidth, int clientHeight)
{
    const ScreenRect window{0, 0, clientWidth, clientHeight};
    GLdouble modelview[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    double left = clientWidth, right = 0.0, bottom = clientHeight, top = 0.0;
    for (int corner = 0; corner < 8; ++corner) {
        const double p[3] = {(corner & 1 ? g_boardMaxX : g_boardMinX) - g_boardOffsetX,
                             corner & 2 ? g_boardMaxY : g_boardMinY,
                             (corner & 4 ? g_boardMaxZ : g_boardMinZ) + g_boardOffsetZ};
        double x = 0.0, y = 0.0;
        if (!ProjectBoardPoint(modelview, projection, viewport, p, &x, &y)) return window;
        left = std::min(left, x);
        right = std::max(right, x);
        bottom = std::min(bottom, y);
        top = std::max(top, y);
    }
    ScreenRect r;
    r.left = static_cast<int>(std::max(0.0, std::floor(left) - RECT_MARGIN));
    r.bottom = static_cast<int>(std::max(0.0, std::floor(bottom) - RECT_MARGIN));
    r.right = static_cast<int>(std::min(static_cast<double>(clientWidth), std::ceil(right) + RECT_MARGIN));
    r.top = static_cast<int>(std::min(static_cast<double>(clientHeight), std::ceil(top) + RECT_MARGIN));
    if (r.left >= r.right || r.bottom >= r.top) return ScreenRect{0, 0, 0, 0};
    return r;
}

// The mirror image last drawn and what the pass left behind it: the
// modelview matrix (the piece transforms, undone by their inverses, leave
// their rounding in it, and the board drawn next inherits it), the current
// colour, normal and texture coordinates, and the drawers' own state.
struct KeptMirror {
    bool valid = false;
    MirrorInputs inputs;
    GLfloat modelview[16];
    GLfloat colour[4], normal[4], texCoord[4];
    int boundTexture, curModel, colourModel;
    GLuint pieceTexName;
};

KeptMirror g_keptMirror;

void KeepWhatThePassLeft(KeptMirror& k)
{
    glGetFloatv(GL_MODELVIEW_MATRIX, k.modelview);
    glGetFloatv(GL_CURRENT_COLOR, k.colour);
    glGetFloatv(GL_CURRENT_NORMAL, k.normal);
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, k.texCoord);
    k.boundTexture = g_boundTexture;
    k.curModel = g_curModel;
    k.colourModel = g_colourModel;
    k.pieceTexName = g_pieceTexName;
}

// Leaves everything as the pass itself would have left it.
void PutBackWhatThePassLeft(const KeptMirror& k)
{
    glBindTexture(GL_TEXTURE_2D, g_sceneTex);
    glLoadMatrixf(k.modelview);
    glColor4fv(k.colour);
    glNormal3fv(k.normal);
    glTexCoord4fv(k.texCoord);
    g_boundTexture = k.boundTexture;
    g_curModel = k.curModel;
    g_colourModel = k.colourModel;
    g_pieceTexName = k.pieceTexName;
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

    // Nothing it shows has changed: the texture holds it already.
    MirrorInputs inputs = MirrorInputs::Current();
    if (g_keptMirror.valid && g_keptMirror.inputs == inputs) {
        RestoreAfterMirrorImage(clientWidth, clientHeight);
        PutBackWhatThePassLeft(g_keptMirror);
        return;
    }

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
    g_keptMirror.inputs = std::move(inputs);
    KeepWhatThePassLeft(g_keptMirror);
    g_keptMirror.valid = true;
}

void ForgetMirrorImage()
{
    g_keptMirror.valid = false;
}

void DrawReflection()
{
    int clientWidth = 0, clientHeight = 0;
    ClientSize(&clientWidth, &clientHeight);
    const double width = clientWidth, height = clientHeight;
    // Read while the perspective camera is still loaded.
    const ScreenRect board = BoardScreenRect(clientWidth, clientHeight);
    Orthographic(width, height);

    glDisable(GL_MULTISAMPLE);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);

    glBindTexture(GL_TEXTURE_2D, g_sceneTex);
    glColor4d(1.0, 1.0, 1.0, g_reflectionAlpha);
    // The whole-window quad, cut to the board's rectangle by the scissor box:
    // the same pixels there as the whole quad gives them, none elsewhere.
    Scissored(board.left, board.bottom, board.right - board.left, board.top - board.bottom, [width, height] {
        WindowQuad(width, height);
    });
    glColor4d(1.0, 1.0, 1.0, 1.0);

    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_MULTISAMPLE);
    LoadPerspectiveCamera();
}
