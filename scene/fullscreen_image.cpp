#include "scene/fullscreen_image.h"

#include <GL/gl.h>

#include <algorithm>

#include "platform/gl_context.h"
#include "platform/program_folder.h"
#include "rules/live_options.h"
#include "scene/camera.h"
#include "scene/frame_state.h"
#include "scene/image_buffer.h"
#include "scene/mipmaps.h"
#include "scene/model_table.h"
#include "scene/textures.h"

#ifndef GL_MULTISAMPLE
#define GL_MULTISAMPLE 0x809D
#endif

GLuint g_piecePreviewTex1[2] = {0, 0};
GLuint g_piecePreviewTex2[2] = {0, 0};
GLuint g_boardPreviewTex[2] = {0, 0};

namespace {

void Orthographic(double width, double height)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width, 0.0, height, -100.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// --- previews ---

void BeginPreviews(GLint savedViewport[4])
{
    glGetIntegerv(GL_VIEWPORT, savedViewport);
    glEnable(GL_MULTISAMPLE);
    glViewport(0, 0, g_previewWidth, g_previewHeight);
    Orthographic(g_previewWidth, g_previewHeight);
}

void EndPreviews(const GLint savedViewport[4])
{
    glViewport(savedViewport[0], savedViewport[1], savedViewport[2], savedViewport[3]);
    LoadPerspectiveCamera();
    glDisable(GL_MULTISAMPLE);
}

// The backdrop behind a preview, through window w of the menu backdrop.
void DrawPreviewBackdrop(int w)
{
    glColor3d(g_panelColour[0], g_panelColour[1], g_panelColour[2]);
    glBindTexture(GL_TEXTURE_2D, g_menuBackTex);
    const double s0 = g_previewWindowS0[w], s1 = g_previewWindowS1[w];
    const double t0 = g_previewWindowT0[w], t1 = g_previewWindowT1[w];
    glBegin(GL_QUADS);
    glTexCoord2d(s0, t1);
    glVertex2d(0.0, g_previewHeight);
    glTexCoord2d(s0, t0);
    glVertex2d(0.0, 0.0);
    glTexCoord2d(s1, t0);
    glVertex2d(g_previewWidth, 0.0);
    glTexCoord2d(s1, t1);
    glVertex2d(g_previewWidth, g_previewHeight);
    glEnd();
}

// Model 2's shape in the colours of piece model `side`, without its face quad.
void DrawPreviewPiece(int side)
{
    const ModelRecord& shape = g_models[2];
    const ModelRecord& colours = g_models[side];
    const int count = std::min(shape.vertexCount, colours.vertexCount) - 4;
    const GLuint pieceTex = g_modelTex.size() > 2 ? g_modelTex[2] : 0;
    bool open = false;
    for (int k = 0; k < count; ++k) {
        const size_t i = static_cast<size_t>(k);
        if (shape.polyStart[i] == 1) {
            if (open) glEnd();
            if (shape.texSlot[i] != 0) glBindTexture(GL_TEXTURE_2D, pieceTex);
            glBegin(GL_POLYGON);
            open = true;
        }
        glColor3d(colours.colourR[i], colours.colourG[i], colours.colourB[i]);
        glTexCoord2d(shape.texS[i], shape.texT[i]);
        glNormal3d(shape.normalX[i], shape.normalY[i], shape.normalZ[i]);
        glVertex3d(shape.posX[i], shape.posY[i], shape.posZ[i]);
    }
    if (open) glEnd();
}

void CopyPreviewInto(GLuint texture)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 0, 0, g_previewWidth, g_previewHeight, 0);
}

void RenderPiecePreview(int hot, int side)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDepthMask(GL_FALSE);
    glDisable(GL_LIGHTING);
    DrawPreviewBackdrop(side == 1 ? 1 : 2);
    glEnable(GL_LIGHTING);
    glDepthMask(GL_TRUE);

    glTranslated(32.0, 15.0, 0.0);
    if (hot) glScaled(1.1, 1.1, 1.1);
    glRotated(30.0, 1.0, 0.0, 0.0);
    glRotated(-30.0, 0.0, 1.0, 0.0);
    DrawPreviewPiece(side);
    glRotated(30.0, 0.0, 1.0, 0.0);
    glRotated(-30.0, 1.0, 0.0, 0.0);
    if (hot) glScaled(1.0 / 1.1, 1.0 / 1.1, 1.0 / 1.1);
    glTranslated(-32.0, -15.0, 0.0);

    CopyPreviewInto(side == 1 ? g_piecePreviewTex1[hot] : g_piecePreviewTex2[hot]);
}

void RenderBoardPreview(int hot)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDepthMask(GL_FALSE);
    glDisable(GL_LIGHTING);
    DrawPreviewBackdrop(0);
    glDepthMask(GL_TRUE);

    const ModelRecord& board = g_models[0];
    const size_t unified = board.vertexCount > 0 ? static_cast<size_t>(board.texSlot[0]) : 0;
    glBindTexture(GL_TEXTURE_2D, unified < g_modelTex.size() ? g_modelTex[unified] : 0);
    glColor3d(g_tintR[COLOUR_BOARD], g_tintG[COLOUR_BOARD], g_tintB[COLOUR_BOARD]);
    const double low = hot ? 0.0 : 2.0;
    const double high = hot ? 64.0 : 62.0;
    glBegin(GL_QUADS);
    glTexCoord2d(0.45, 0.55);
    glVertex2d(low, high);
    glTexCoord2d(0.45, 0.45);
    glVertex2d(low, low);
    glTexCoord2d(0.55, 0.45);
    glVertex2d(high, low);
    glTexCoord2d(0.55, 0.55);
    glVertex2d(high, high);
    glEnd();

    CopyPreviewInto(g_boardPreviewTex[hot]);
    glEnable(GL_LIGHTING);
}

// Names made while g_textureCreatePass is 1, refilled afterwards, each from
// the work image as a 64 x 64 RGBA texture.
void MakeOrRefillPreview(GLuint& name)
{
    if (g_textureCreatePass == 1) glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    if (g_textureCreatePass == 1) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    }
    const unsigned char* pixels = ImageBufferFor(static_cast<size_t>(g_previewWidth) * g_previewHeight * 4);
    UploadMipmaps(4, g_previewWidth, g_previewHeight, pixels);
}

}  // namespace

void DrawFullscreenImage(int mode, double level)
{
    int clientWidth = 0, clientHeight = 0;
    ClientSize(&clientWidth, &clientHeight);
    const double width = clientWidth, height = clientHeight;
    Orthographic(width, height);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glColor3d(level, level, level);
    if (mode == 1) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glBindTexture(GL_TEXTURE_2D, g_splashTex);
        WindowQuad(width, height);
        glFlush();
        SwapBuffers(wglGetCurrentDC());
    } else if (mode == 2) {
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_DST_COLOR, GL_ZERO);
        WindowQuad(width, height);
        glDisable(GL_BLEND);
        glEnable(GL_TEXTURE_2D);
    }
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    LoadPerspectiveCamera();
}

void CreatePiecePreviewTextures()
{
    for (GLuint* pair : {g_piecePreviewTex1, g_piecePreviewTex2})
        for (int hot = 0; hot < 2; ++hot) MakeOrRefillPreview(pair[hot]);
}

void CreateBoardPreviewTextures()
{
    for (int hot = 0; hot < 2; ++hot) MakeOrRefillPreview(g_boardPreviewTex[hot]);
}

void UpdatePiecePreviews(int which)
{
    GLint viewport[4];
    BeginPreviews(viewport);
    for (int side = 1; side <= 2; ++side) {
        if (which != 0 && which != side) continue;
        RenderPiecePreview(0, side);
        RenderPiecePreview(1, side);
    }
    EndPreviews(viewport);
}

void UpdateBoardPreviews()
{
    GLint viewport[4];
    BeginPreviews(viewport);
    RenderBoardPreview(0);
    RenderBoardPreview(1);
    EndPreviews(viewport);
}
