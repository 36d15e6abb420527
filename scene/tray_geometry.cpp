#include "scene/tray_geometry.h"

#include "rules/board.h"
#include "scene/geo_model.h"

double g_trayScale = 0.0;
double g_trayScaleInv = 0.0;
double g_traySpacing = 0.0;
double g_trayX0 = 0.0;
double g_trayY = 0.0;
double g_trayZ = 0.0;
double g_trayTilt = 15.0;

double g_digitTexS0[DIGIT_COUNT] = {0.0};
double g_digitTexS1[DIGIT_COUNT] = {0.0};

double g_tallyQuadX[4] = {0.0};
double g_tallyQuadY[4] = {0.0};
double g_tallyQuadZ[4] = {0.0};

int g_rankFullCount[TRAY_SLOT_COUNT] = {0};

namespace {

// Digit glyphs of the digit picture, 0 to 9 side by side (the first and last
// run a little wider, the 3 a little narrower).
constexpr double kDigitS0[DIGIT_COUNT] = {0.0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.895};
constexpr double kDigitS1[DIGIT_COUNT] = {0.105, 0.2, 0.3, 0.39, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0};

}  // namespace

void ComputeTrayGeometry(double squareWidth, double squareDepth, double hoverScale)
{
    const double s = squareWidth;
    const double d = squareDepth;
    g_trayScale = hoverScale - 0.1;
    g_trayScaleInv = 1.0 / g_trayScale;
    g_traySpacing = (8.0 * s + 2.0 * (s / 4.0)) / 11.0;
    g_trayX0 = -4.0 * s - s / 4.0;
    g_trayY = -3.0;
    g_trayZ = 6.0 * d + d / 4.0 - 3.0;
    g_trayTilt = 15.0;
}

bool ComputeTallyQuad()
{
    const ModelRecord& m = g_models[1];
    const int n = m.vertexCount;
    if (n < 4 || static_cast<int>(m.posX.size()) < n) return false;
    // Vertex, x offset and y offset of each corner, in model units.
    const int vertex[4] = {n - 1, n - 4, n - 3, n - 2};
    const double dx[4] = {9.0, 9.0, 29.0, 29.0};
    const double dy[4] = {0.0, -25.0, -25.0, 0.0};
    for (int c = 0; c < 4; ++c) {
        const size_t v = static_cast<size_t>(vertex[c]);
        g_tallyQuadX[c] = m.posX[v] + dx[c];
        g_tallyQuadY[c] = m.posY[v] + dy[c];
        g_tallyQuadZ[c] = m.posZ[v];
    }
    return true;
}

void SetTallyDigits()
{
    for (int d = 0; d < DIGIT_COUNT; ++d) {
        g_digitTexS0[d] = kDigitS0[d];
        g_digitTexS1[d] = kDigitS1[d];
    }
    for (int rank = 0; rank < TRAY_SLOT_COUNT; ++rank) g_rankFullCount[rank] = PIECE_SET[rank];
}
