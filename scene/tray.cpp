#include "scene/tray.h"

#include "rules/board.h"
#include "scene/board_drawing.h"
#include "scene/frame_state.h"
#include "scene/geo_model.h"
#include "scene/textures.h"
#include "scene/tray_geometry.h"

namespace {

// The body's colour change of slot k: how much each channel loses.
double BodyDarkening(int k)
{
    const int count = g_trayCount[k];
    if (g_setupPhase != 1) return count <= 0 ? 0.3 : 0.0;
    if (count <= 0) return 0.5;
    return k == g_selectedTrayRank ? 0.0 : 0.17;
}

void SetFaceColour(int k)
{
    const int count = g_trayCount[k];
    if (count <= 0)
        glColor3d(0.3, 0.3, 0.3);
    else if (g_setupPhase != 1)
        glColor3d(1.0, 1.0, 0.5);
    else if (k == g_selectedTrayRank)
        glColor3d(0.8, 0.8, 0.35);
    else
        glColor3d(0.8, 0.8, 0.7);
}

void SetDigitColour(int k, int count)
{
    if (count == g_rankFullCount[k])
        glColor4d(1.0, 0.0, 0.0, 1.0);
    else if (count == 0)
        glColor4d(0.05, 0.05, 0.05, 1.0);
    else
        glColor4d(0.8, 0.8, 0.0, 1.0);
}

// The digit shown on slot k, kept to the glyphs there are: a count past the
// full army (a loaded or opponent setup of other counts) shows 0 or 9.
int TallyDigit(int k, int count)
{
    int d = g_setupPhase == 1 ? count : g_rankFullCount[k] - count;
    if (d < 0) d = 0;
    if (d > DIGIT_COUNT - 1) d = DIGIT_COUNT - 1;
    return d;
}

}  // namespace

void ApplyTraySlotTransform(int slot)
{
    glTranslated(g_trayX0 + slot * g_traySpacing, g_trayY, g_trayZ);
    glRotated(-g_trayTilt, 1.0, 0.0, 0.0);
    glScaled(g_trayScale, g_trayScale, g_trayScale);
}

void UndoTraySlotTransform(int slot)
{
    glScaled(g_trayScaleInv, g_trayScaleInv, g_trayScaleInv);
    glRotated(g_trayTilt, 1.0, 0.0, 0.0);
    glTranslated(-(g_trayX0 + slot * g_traySpacing), -g_trayY, -g_trayZ);
}

void DrawSetupTray()
{
    g_boundTexture = -1;
    g_curModel = MODEL_PIECE_FACE;
    g_pieceTexName = ModelTexture(2);
    g_colourModel = g_setupPhase == 1 ? MODEL_PIECE_FACE : MODEL_PIECE_BACK;
    const ModelRecord& piece = g_models[MODEL_PIECE_FACE];
    const int n = piece.vertexCount;

    for (int k = 0; k < TRAY_SLOT_COUNT; ++k) {
        ApplyTraySlotTransform(k);
        ModelPass body;
        body.geometry = &piece;
        body.colours = &g_models[g_colourModel];
        body.last = n - 5;
        body.emit = EMIT_COLOUR | EMIT_TEXCOORD | EMIT_NORMAL;
        body.binding = PassBinding::PieceTexture;
        body.darken = BodyDarkening(k);
        DrawModelPass(body);
        UndoTraySlotTransform(k);
    }

    glDisable(GL_LIGHTING);
    for (int k = 0; k < TRAY_SLOT_COUNT; ++k) {
        ApplyTraySlotTransform(k);
        SetFaceColour(k);
        ModelPass face;
        face.geometry = &piece;
        face.first = n - 4;
        face.last = n - 1;
        face.emit = EMIT_TEXCOORD;
        face.binding = PassBinding::Fixed;
        face.fixedName = g_rankTex[k];
        DrawModelPass(face);
        UndoTraySlotTransform(k);
    }
    glEnable(GL_LIGHTING);
}

void DrawPieceTally()
{
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBindTexture(GL_TEXTURE_2D, g_digitsTex);
    g_boundTexture = static_cast<int>(g_digitsTex);
    for (int k = 0; k < TRAY_SLOT_COUNT; ++k) {
        const int count = g_trayCount[k];
        SetDigitColour(k, count);
        const int d = TallyDigit(k, count);
        ApplyTraySlotTransform(k);
        glBegin(GL_QUADS);
        glTexCoord2d(g_digitTexS1[d], 0.0);
        glVertex3d(g_tallyQuadX[0], g_tallyQuadY[0], g_tallyQuadZ[0]);
        glTexCoord2d(g_digitTexS1[d], 1.0);
        glVertex3d(g_tallyQuadX[1], g_tallyQuadY[1], g_tallyQuadZ[1]);
        glTexCoord2d(g_digitTexS0[d], 1.0);
        glVertex3d(g_tallyQuadX[2], g_tallyQuadY[2], g_tallyQuadZ[2]);
        glTexCoord2d(g_digitTexS0[d], 0.0);
        glVertex3d(g_tallyQuadX[3], g_tallyQuadY[3], g_tallyQuadZ[3]);
        glEnd();
        UndoTraySlotTransform(k);
    }
    glDisable(GL_BLEND);
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
}

void DrawTrayHighlight()
{
    const int k = g_hoverTraySlot;
    if (k < 0 || k >= TRAY_SLOT_COUNT) return;
    if (g_trayCount[k] <= 0 || k == g_selectedTrayRank) return;
    glEnable(GL_BLEND);
    glBlendFunc(GL_DST_COLOR, GL_ONE);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(g_polygonOffset[0], -1.0f);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDepthMask(GL_FALSE);
    glColor3d(0.3, 0.3, 0.0);
    ApplyTraySlotTransform(k);
    ModelPass glow;
    glow.geometry = &g_models[MODEL_PIECE_FACE];
    glow.last = glow.geometry->vertexCount - 1;
    DrawModelPass(glow);
    UndoTraySlotTransform(k);
    glDepthMask(GL_TRUE);
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glDisable(GL_BLEND);
}
