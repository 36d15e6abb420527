// Geometry of the setup tray: the row of twelve pieces (one per rank) in
// front of the board, the tally digit on each, and the digit glyphs. Computed
// at start-up from the board and piece models; the tally quad again whenever
// the piece models are rescaled.
#pragma once

constexpr int TRAY_SLOT_COUNT = 12;
constexpr int DIGIT_COUNT = 10;

// Slot k (the rank, 0..11) stands at (g_trayX0 + k * g_traySpacing, g_trayY,
// g_trayZ), rotated by -g_trayTilt degrees about x and scaled by g_trayScale.
extern double g_trayScale;     // hover scale - 0.1
extern double g_trayScaleInv;  // 1 / g_trayScale
extern double g_traySpacing;   // (8 s + 2 (s / 4)) / 11
extern double g_trayX0;        // -4 s - s / 4
extern double g_trayY;         // -3
extern double g_trayZ;         // 6 d + d / 4 - 3
extern double g_trayTilt;      // 15 degrees

// The s range of digit d in the digit picture.
extern double g_digitTexS0[DIGIT_COUNT];
extern double g_digitTexS1[DIGIT_COUNT];

// The digit quad in a slot's local space, from the face quad of piece model 1.
extern double g_tallyQuadX[4];
extern double g_tallyQuadY[4];
extern double g_tallyQuadZ[4];

// Pieces of each rank in a full army.
extern int g_rankFullCount[TRAY_SLOT_COUNT];

// Slot placement from the board square's width s and depth d
// (d = s * board depth scale) and the hovered piece's scale.
void ComputeTrayGeometry(double squareWidth, double squareDepth, double hoverScale);

// The tally quad from the last four vertices of piece model 1 (its face quad):
// corner 0 = vertex n-1 + (9, 0), corner 1 = n-4 + (9, -25), corner 2 =
// n-3 + (29, -25), corner 3 = n-2 + (29, 0), z kept. Returns false (and
// leaves the quad as it was) when the model has fewer than four vertices.
bool ComputeTallyQuad();

// The digit glyph edges and the full count of every rank.
void SetTallyDigits();
