#include "scene/board_geometry.h"

#include <cmath>

#include "scene/geo_model.h"

std::vector<double> g_unscaledPieceVertices[12];

double g_boardMinX = 0.0, g_boardMaxX = 0.0, g_boardMinY = 0.0, g_boardMaxY = 0.0, g_boardMinZ = 0.0,
       g_boardMaxZ = 0.0;
double g_boardOffsetX = 0.0, g_boardOffsetZ = 0.0;
double g_squareX[12][12] = {};
double g_squareZ[12][12] = {};
double g_squareFirstVertex[12][12] = {};
double g_gridLineStart[11] = {};
double g_gridLineEnd[11] = {};
std::vector<double> g_vertexShade[3];
double g_hoverScaleInv = 0.0, g_selectScaleInv = 0.0;

namespace {

constexpr double BOARD_TEXTURE_WIDTH = 1024.0;
constexpr double BOUND_START = 999999.0;

void FindSquareCentres(const BoardMeasures& b)
{
    const ModelRecord& m = g_models[0];
    const double s = b.square, t = s / 10.0;
    for (int x = 0; x < 12; ++x)
        for (int y = 0; y < 12; ++y) g_squareX[x][y] = g_squareZ[x][y] = g_squareFirstVertex[x][y] = 0.0;

    for (int k = 0; k + 3 < m.vertexCount; ++k) {
        if (m.polyStart[static_cast<size_t>(k)] != 1) continue;
        bool found = false;
        for (int a = k; a <= k + 3 && !found; ++a) {
            for (int c = k; c <= k + 3 && !found; ++c) {
                const double xa = m.posX[static_cast<size_t>(a)], xc = m.posX[static_cast<size_t>(c)];
                const double za = m.posZ[static_cast<size_t>(a)], zc = m.posZ[static_cast<size_t>(c)];
                if (!(xa > xc && za > zc)) continue;
                const double dx = xa - xc, dz = za - zc;
                if (!(std::fabs(1.3 * dx - dz) < t && std::fabs(dx - s) < t)) continue;
                const double cx = xc + dx / 2.0, cz = zc + dz / 2.0;
                for (int i = 0; i < 10 && !found; ++i) {
                    for (int j = 0; j < 10 && !found; ++j) {
                        const double ex = s / 2.0 + b.border + i * s;
                        const double ez = -(b.depth / 2.0 + b.border) - j * b.depth;
                        if (std::fabs(cx - ex) < t && std::fabs(cz - ez) < t) {
                            g_squareX[i + 1][j + 1] = cx;
                            g_squareZ[i + 1][j + 1] = cz;
                            g_squareFirstVertex[i + 1][j + 1] = k;
                            found = true;
                        }
                    }
                }
            }
        }
    }
}

}  // namespace

bool MeasureBoard(BoardMeasures& out)
{
    ModelRecord& m = g_models[0];
    if (m.vertexCount < MIN_MODEL_VERTICES) return false;
    for (double& z : m.posZ) z *= g_boardDepthScale;

    double low[3] = {BOUND_START, BOUND_START, BOUND_START};
    double high[3] = {-BOUND_START, -BOUND_START, -BOUND_START};
    for (size_t i = 0; i < static_cast<size_t>(m.vertexCount); ++i) {
        const double p[3] = {m.posX[i], m.posY[i], m.posZ[i]};
        for (int a = 0; a < 3; ++a) {
            if (p[a] < low[a]) low[a] = p[a];
            if (p[a] > high[a]) high[a] = p[a];
        }
    }
    g_boardMinX = low[0], g_boardMaxX = high[0];
    g_boardMinY = low[1], g_boardMaxY = high[1];
    g_boardMinZ = low[2], g_boardMaxZ = high[2];

    out.width = g_boardMaxX - g_boardMinX;
    out.square = m.posX[2] - m.posX[1];
    // A board without extent or squares has nothing to lay out or divide by.
    if (!std::isfinite(out.width) || !std::isfinite(out.square) || !(out.width > 0.0) || !(out.square > 0.0))
        return false;
    out.border = (out.width - 10.0 * out.square) / 2.0;
    out.depth = g_boardDepthScale * out.square;
    g_boardOffsetX = 5.0 * out.square + out.border;
    g_boardOffsetZ = g_boardDepthScale * g_boardOffsetX;
    FindSquareCentres(out);
    return true;
}

void ComputeGridLineBands(const BoardMeasures& board)
{
    const double k = BOARD_TEXTURE_WIDTH / board.width;
    for (int n = 0; n <= 10; ++n) {
        g_gridLineStart[n] = n * board.square * k;
        g_gridLineEnd[n] = g_gridLineStart[n] + 2.0 * board.border * k;
    }
    g_gridLineEnd[0] -= 1.0;
}

