#include "scene/picking.h"

#include <GL/gl.h>

#include "rules/live_options.h"
#include "scene/board_drawing.h"
#include "scene/board_geometry.h"
#include "scene/camera.h"
#include "scene/frame_state.h"
#include "scene/geo_model.h"
#include "scene/renderer.h"
#include "scene/tray.h"
#include "scene/tray_geometry.h"

#ifndef GL_MULTISAMPLE
#define GL_MULTISAMPLE 0x809D
#endif

float g_pickR[GRID_SIZE][GRID_SIZE], g_pickG[GRID_SIZE][GRID_SIZE], g_pickB[GRID_SIZE][GRID_SIZE];
float g_trayPickR[RANK_KINDS], g_trayPickG[RANK_KINDS], g_trayPickB[RANK_KINDS];
int g_pickPoint[2] = {0, 0};
float g_pickPixel[3] = {0.0f, 0.0f, 0.0f};

namespace {

// Reads one back-buffer pixel as floats; black when the point lies outside
// the viewport (nothing there can be picked).
void ReadPixel(int x, int y, float out[3])
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    out[0] = out[1] = out[2] = 0.0f;
    if (x < viewport[0] || y < viewport[1] || x >= viewport[0] + viewport[2] || y >= viewport[1] + viewport[3])
        return;
    glReadPixels(x, y, 1, 1, GL_RGB, GL_FLOAT, out);
}

void RestoreClearColour()
{
    glClearColor(static_cast<GLclampf>(g_panelColour[0]), static_cast<GLclampf>(g_panelColour[1]),
                 static_cast<GLclampf>(g_panelColour[2]), 0.0f);
}

// Clears with the colour of code and reads back what the framebuffer made of it.
void ReadBackCode(unsigned code, int x, int y, float* r, float* g, float* b)
{
    glClearColor((code & 255) / 255.0f, ((code >> 8) & 255) / 255.0f, ((code >> 16) & 255) / 255.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    float pixel[3];
    ReadPixel(x, y, pixel);
    *r = pixel[0];
    *g = pixel[1];
    *b = pixel[2];
}

void SetSquarePickColour(int x, int y)
{
    glColor3f(g_pickR[x][y], g_pickG[x][y], g_pickB[x][y]);
}

void DrawPositions(int model)
{
    ModelPass pass;
    pass.geometry = &g_models[model];
    pass.last = pass.geometry->vertexCount - 1;
    DrawModelPass(pass);
}

bool SameSquare(int x, int y, const int square[2])
{
    return square[0] == x && square[1] == y;
}

// The square's tile when it is a free target (or, in setup, a free square) or a lake.
void DrawPickTile(int x, int y)
{
    const int reach = g_reachable[x][y];
    const int first = static_cast<int>(g_squareFirstVertex[x][y]);
    const ModelRecord& board = g_models[MODEL_BOARD];
    if ((reach != OWNER_EMPTY && reach != OWNER_LAKE) || first < 0 || first + 3 >= board.vertexCount) return;
    SetSquarePickColour(x, y);
    glBegin(GL_POLYGON);
    for (int k = first; k < first + 4; ++k) {
        const size_t i = static_cast<size_t>(k);
        glVertex3d(board.posX[i], board.posY[i], board.posZ[i]);
    }
    glEnd();
}

// The piece on the square, if any, at its hovered or selected size; an enemy
// piece that cannot be attacked is black and hides what lies behind it.
void DrawPickPiece(int x, int y)
{
    const int owner = g_cellOwner[x][y];
    if (owner != OWNER_PLAYER && owner != OWNER_SELECTED && owner != OWNER_COMPUTER) return;
    const bool enemy = owner == OWNER_COMPUTER;
    const bool revealed = g_revealRow[0] == x && g_revealRow[1] == y;
    const int model = (enemy && !revealed) ? MODEL_PIECE_BACK : MODEL_PIECE_FACE;
    double scale = 1.0;
    if (owner == OWNER_SELECTED)
        scale = g_selectScale;
    else if (SameSquare(x, y, g_hoverRow))
        scale = g_hoverScale;
    const double wx = g_squareX[x][y], wz = g_squareZ[x][y];
    glTranslated(wx, 0.0, wz);
    glScaled(scale, scale, scale);
    if (enemy && g_reachable[x][y] != 2)
        glColor3f(0.0f, 0.0f, 0.0f);
    else
        SetSquarePickColour(x, y);
    DrawPositions(model);
    glScaled(1.0 / scale, 1.0 / scale, 1.0 / scale);
    glTranslated(-wx, 0.0, -wz);
}

}  // namespace

void CalibratePickColours()
{
    // The window centre (the viewport is the client area).
    int width = 0, height = 0;
    ClientSize(&width, &height);
    const int cx = width / 2, cy = height / 2;
    glDisable(GL_LIGHTING);
    // Each clear reaches only the pixel read back: the same value there as a
    // clear of the whole window, without filling a multisampled window's
    // every sample 113 times.
    GLint savedBox[4];
    glGetIntegerv(GL_SCISSOR_BOX, savedBox);
    glScissor(cx, cy, 1, 1);
    glEnable(GL_SCISSOR_TEST);

    glClearColor(1.0f, 1.0f, 1.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    float white[3];
    ReadPixel(cx, cy, white);
    // Products in single precision, truncated, as the framebuffer reports them.
    const unsigned w = (static_cast<unsigned>(static_cast<int>(white[0] * 255.0f)) & 255u) |
                       (static_cast<unsigned>(static_cast<int>(white[1] * 255.0f)) & 255u) << 8 |
                       (static_cast<unsigned>(static_cast<int>(white[2] * 255.0f)) & 255u) << 16;
    const unsigned step = w / 113u;

    unsigned code = step;
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 10; ++y) {
            code += step;
            ReadBackCode(code, cx, cy, &g_pickR[x][y], &g_pickG[x][y], &g_pickB[x][y]);
        }
    for (int k = 0; k < RANK_KINDS; ++k) {
        code += step;
        ReadBackCode(code, cx, cy, &g_trayPickR[k], &g_trayPickG[k], &g_trayPickB[k]);
    }

    glDisable(GL_SCISSOR_TEST);
    glScissor(savedBox[0], savedBox[1], savedBox[2], savedBox[3]);
    RestoreClearColour();
    glEnable(GL_LIGHTING);
}

void DrawPickBoard()
{
    // The selected piece first: its free and attackable targets, drawn later,
    // cover it where they overlap, so a press on a target's square is the
    // target (the tall, enlarged piece would otherwise hide much of the square
    // ahead of it). Where it covers no target it still answers as itself.
    for (int x = 10; x >= 1; --x)
        for (int y = 10; y >= 1; --y)
            if (g_cellOwner[x][y] == OWNER_SELECTED) DrawPickPiece(x, y);
    for (int x = 10; x >= 1; --x)
        for (int y = 10; y >= 1; --y) {
            DrawPickTile(x, y);
            if (g_cellOwner[x][y] != OWNER_SELECTED) DrawPickPiece(x, y);
        }
}

void DrawPickTray()
{
    for (int k = 0; k < RANK_KINDS; ++k) {
        ApplyTraySlotTransform(k);
        glColor3f(g_trayPickR[k], g_trayPickG[k], g_trayPickB[k]);
        DrawPositions(MODEL_PIECE_FACE);
        UndoTraySlotTransform(k);
    }
}

void PickUnderMouse()
{
    if (g_sceneReady == 0) return;

    // Multisampling is on only while a frame is drawn; the pick leaves it as
    // it was. Only the pixel read matters: a scissor box around it keeps the
    // clear and the drawing to that pixel (the rest of the back buffer is
    // cleared by the next frame anyway).
    const GLboolean multisample = glIsEnabled(GL_MULTISAMPLE);
    const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
    GLint scissorBox[4];
    glGetIntegerv(GL_SCISSOR_BOX, scissorBox);
    glScissor(g_pickPoint[0], g_pickPoint[1], 1, 1);
    glEnable(GL_SCISSOR_TEST);

    glDisable(GL_LIGHTING);
    glDisable(GL_MULTISAMPLE);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    ApplyBoardTranslation();
    DrawPickBoard();
    UndoBoardTranslation();
    if (g_setupPhase == 1 && g_setupMode == 1) DrawPickTray();

    ReadPixel(g_pickPoint[0], g_pickPoint[1], g_pickPixel);

    RestoreClearColour();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    if (multisample) glEnable(GL_MULTISAMPLE);
    glEnable(GL_LIGHTING);
    glScissor(scissorBox[0], scissorBox[1], scissorBox[2], scissorBox[3]);
    if (!scissor) glDisable(GL_SCISSOR_TEST);

    const float r = g_pickPixel[0], g = g_pickPixel[1], b = g_pickPixel[2];
    g_hoverRow[0] = g_hoverRow[1] = 0;
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 10; ++y)
            if (g_pickR[x][y] == r && g_pickG[x][y] == g && g_pickB[x][y] == b) {
                g_hoverRow[0] = x;
                g_hoverRow[1] = y;
                return;
            }
    g_hoverTraySlot = -1;
    for (int k = 0; k < RANK_KINDS; ++k)
        if (g_trayPickR[k] == r && g_trayPickG[k] == g && g_trayPickB[k] == b) {
            g_hoverTraySlot = k;
            return;
        }
}
