// The board's geometry as the start-up measures it from the board model:
// bounds, the centring translation, the centre of every square, the texel
// bands of the grid lines; and the per-vertex data of the piece models that
// the drawers and the options need.
#pragma once

#include <vector>

// The x, y and z positions of models 1 to 4 as read: entry 3 (model - 1) + axis.
extern std::vector<double> g_unscaledPieceVertices[12];

// The board model's depth is stretched by this at start-up.
constexpr double g_boardDepthScale = 1.3;

// The fewest vertices a usable model has: the last four form a separate quad.
constexpr int MIN_MODEL_VERTICES = 4;

// Bounds of the board model after its depth scaling.
extern double g_boardMinX, g_boardMaxX, g_boardMinY, g_boardMaxY, g_boardMinZ, g_boardMaxZ;
// The translation that centres the board.
extern double g_boardOffsetX, g_boardOffsetZ;
// Per board square [x][y] (1..10): world centre and the index of its first
// vertex in the board model; 0 for squares no polygon matched.
extern double g_squareX[12][12];
extern double g_squareZ[12][12];
extern double g_squareFirstVertex[12][12];
// Texel bands of the 11 grid lines in the board texture.
extern double g_gridLineStart[11];
extern double g_gridLineEnd[11];
// Per-vertex shade of piece models 1 and 2 (entry 0 unused).
extern std::vector<double> g_vertexShade[3];
extern double g_hoverScaleInv, g_selectScaleInv;

// Board measures found by MeasureBoard.
struct BoardMeasures {
    double width;   // W
    double square;  // s
    double border;  // m
    double depth;   // d
};
// On model 0: depth scaling, bounds, measures, offsets, square centres.
// False (nothing usable) when the model is too small or degenerate.
bool MeasureBoard(BoardMeasures& out);
// The texel bands of the grid lines for a board texture 1024 wide.
void ComputeGridLineBands(const BoardMeasures& board);
