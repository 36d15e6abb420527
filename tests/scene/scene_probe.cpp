#include "tests/scene/scene_probe.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "interface/options.h"
#include "rules/board.h"
#include "scene/board_drawing.h"
#include "scene/board_geometry.h"
#include "scene/camera.h"
#include "scene/frame_state.h"
#include "scene/geo_model.h"
#include "scene/picking.h"
#include "scene/renderer.h"
#include "scene/scene_host.h"
#include "scene/tray_geometry.h"
#include "tests/support/window_pixels.h"

SceneWindow* g_sceneWindow = nullptr;
bool g_sceneLoaded = false;

namespace {

int ClientWidth() { return g_sceneWindow->m_clientWidth; }
int ClientHeight() { return g_sceneWindow->m_clientHeight; }

// Centre of the last four vertices of piece model 1 (its face quad).
void FaceQuadCentre(double* x, double* y, double* z)
{
    const ModelRecord& m = g_models[MODEL_PIECE_FACE];
    *x = *y = *z = 0.0;
    for (int k = m.vertexCount - 4; k < m.vertexCount; ++k) {
        *x += m.posX[static_cast<size_t>(k)] / 4.0;
        *y += m.posY[static_cast<size_t>(k)] / 4.0;
        *z += m.posZ[static_cast<size_t>(k)] / 4.0;
    }
}

}  // namespace

int Difference(const Rgb& a, const Rgb& b)
{
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

// What the window shows, R, G and B bytes; rows from the bottom, as GL counts them.
std::vector<unsigned char> ShownRegion(int x, int y, int width, int height)
{
    std::vector<unsigned char> bytes;
    for (unsigned p : WindowPixels(x, y, width, height))
        for (int shift : {16, 8, 0}) bytes.push_back(static_cast<unsigned char>(p >> shift));
    return bytes;
}

Rgb FrontPixel(int x, int y)
{
    const std::vector<unsigned char> p = ShownRegion(x, y, 1, 1);
    return Rgb{p[0], p[1], p[2]};
}

Rgb FrontPixel(const Pixel& p)
{
    return FrontPixel(p.x, p.y);
}

std::vector<unsigned char> FrontFrame()
{
    return ShownRegion(0, 0, ClientWidth(), ClientHeight());
}

Rgb RenderedPixel(const Pixel& p)
{
    RenderFrame();
    return FrontPixel(p);
}

std::vector<unsigned char> RenderedFrame()
{
    RenderFrame();
    return FrontFrame();
}

double RegionDifference(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b, int x, int y,
                        int half)
{
    double total = 0.0;
    int count = 0;
    for (int py = std::max(0, y - half); py <= std::min(ClientHeight() - 1, y + half); ++py)
        for (int px = std::max(0, x - half); px <= std::min(ClientWidth() - 1, x + half); ++px)
            for (int c = 0; c < 3; ++c) {
                const size_t i = (static_cast<size_t>(py) * ClientWidth() + px) * 3 + c;
                total += std::abs(a[i] - b[i]);
                ++count;
            }
    return count ? total / count : 0.0;
}

Pixel ProjectWorld(double x, double y, double z)
{
    LoadPerspectiveCamera();
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLdouble wx = 0, wy = 0, wz = 0;
    gluProject(x, y, z, model, projection, viewport, &wx, &wy, &wz);
    return Pixel{static_cast<int>(std::floor(wx)), static_cast<int>(std::floor(wy))};
}

Pixel SquareCentre(int x, int y)
{
    return ProjectWorld(g_squareX[x][y] - g_boardOffsetX, 0.0, g_squareZ[x][y] + g_boardOffsetZ);
}

Pixel SquareEdge(int x1, int y1, int x2, int y2)
{
    const double x = (g_squareX[x1][y1] + g_squareX[x2][y2]) / 2.0;
    const double z = (g_squareZ[x1][y1] + g_squareZ[x2][y2]) / 2.0;
    return ProjectWorld(x - g_boardOffsetX, 0.0, z + g_boardOffsetZ);
}

Pixel PieceFront(int x, int y, bool mirrored)
{
    double fx, fy, fz;
    FaceQuadCentre(&fx, &fy, &fz);
    return ProjectWorld(g_squareX[x][y] - g_boardOffsetX + fx, mirrored ? -fy : fy,
                        g_squareZ[x][y] + g_boardOffsetZ + fz);
}

Pixel TraySlotCentre(int k)
{
    // Half way up the piece, on its axis, through the slot's translate, tilt and scale.
    const ModelRecord& m = g_models[MODEL_PIECE_FACE];
    const double height = *std::max_element(m.posY.begin(), m.posY.end());
    const double localY = g_trayScale * height / 2.0;
    const double tilt = -g_trayTilt * M_PI / 180.0;
    return ProjectWorld(g_trayX0 + k * g_traySpacing, g_trayY + localY * std::cos(tilt),
                        g_trayZ + localY * std::sin(tilt));
}

void PickAt(const Pixel& p)
{
    g_pickPoint[0] = p.x;
    g_pickPoint[1] = p.y;
    PickUnderMouse();
}

GlState ReadGlState()
{
    static const GLenum caps[9] = {GL_DEPTH_TEST, GL_CULL_FACE,   GL_LIGHTING,           GL_TEXTURE_2D, GL_BLEND,
                                   GL_MULTISAMPLE, GL_SCISSOR_TEST, GL_POLYGON_OFFSET_FILL, GL_LIGHT0};
    GlState s;
    for (size_t i = 0; i < s.enabled.size(); ++i) s.enabled[i] = glIsEnabled(caps[i]);
    glGetBooleanv(GL_DEPTH_WRITEMASK, &s.depthWrites);
    glGetIntegerv(GL_VIEWPORT, s.viewport.data());
    glGetIntegerv(GL_SCISSOR_BOX, s.scissorBox.data());
    glGetFloatv(GL_COLOR_CLEAR_VALUE, s.clearColour.data());
    glGetDoublev(GL_PROJECTION_MATRIX, s.projection.data());
    glGetDoublev(GL_MODELVIEW_MATRIX, s.modelview.data());
    glGetIntegerv(GL_CULL_FACE_MODE, &s.cullMode);
    glGetIntegerv(GL_BLEND_SRC, &s.blendSrc);
    glGetIntegerv(GL_BLEND_DST, &s.blendDst);
    glGetIntegerv(GL_READ_BUFFER, &s.readBuffer);
    glGetIntegerv(GL_DRAW_BUFFER, &s.drawBuffer);
    return s;
}

void SceneTest::SetUp()
{
    ASSERT_TRUE(g_sceneLoaded) << "the scene could not be loaded from " VELMONAR_PROGRAM_DIR;
    Resize(1920, 1080);
    ArrangeSetupBoard();
    g_sceneReady = 1;
    g_fadeInProgress = 0;
    g_fadeLevel = 1.0;
    for (int& flag : g_panelVisible) flag = 0;
    // The probes look at the 3D scene alone; the overlay over it has tests of its own.
    g_sceneHost.drawOverlay = [] {};
    g_shadowsOn = 1;
    g_reflectionOn = 0;
    g_hoverTraySlot = -1;
    g_pieceAnimState = ANIM_IDLE;
    g_animOffset = 0.0;
    g_showBattlePlayer = g_showBattleOpponent = 0;
    g_battlePlayerRow[0] = g_battlePlayerRow[1] = 0;
    g_battleOpponentRow[0] = g_battleOpponentRow[1] = 0;
}

void SceneTest::Resize(int width, int height)
{
    if (ClientWidth() != width || ClientHeight() != height) g_sceneWindow->Resize(width, height);
    ASSERT_EQ(ClientWidth(), width);
    ASSERT_EQ(ClientHeight(), height);
}
