// Scene textures: every texture of the 3D scene and the menu backdrop made
// from the picture files, and the recolouring of pieces by the options.
#pragma once

#include <GL/gl.h>

#include <vector>

// GL names of the unified model textures, entry k for unified texture k
// (entry 0 unused). Names are handed out in creation order after the start-up
// image (name 1), so unified texture k has name k + 1.
extern std::vector<GLuint> g_modelTex;
extern GLuint g_rankTex[12];        // rank faces 0..11
extern GLuint g_pathMarkerTex[3];   // last-move marker: start, end, middle
extern GLuint g_sceneTex;           // 512 x 512 RGB target of the reflection pass
extern GLuint g_menuBackTex;        // menu backdrop
extern GLuint g_menuEdgeTex;        // its bevel layer
extern GLuint g_backgroundTex;      // scene background
extern GLuint g_computerLabelTex;   // picture of the graphics-options panel
extern GLuint g_gridOverlayTex;     // RGBA layer of the board's grid lines
extern GLuint g_digitsTex;          // digit glyphs of the tray counters

// RGB copies (3 bytes per pixel, bottom row first) of unified textures 4 and
// 5, kept for BuildPieceTextures; each with its own size ([0] image 1, [1]
// image 2).
extern std::vector<unsigned char> g_pieceImage1;
extern std::vector<unsigned char> g_pieceImage2;
extern int g_imageWidth[2];
extern int g_imageHeight[2];

extern int g_menuBackdropWidth;
extern int g_menuBackdropHeight;

// Board shading steps (darker first column, lighter last column, darker
// inside) and the colour of the border lines.
extern const int g_boardShadeSteps[3];
extern const int g_gridLineColour[3];

// Number of unified textures (the largest entry of g_modelTex in use).
extern int g_unifiedTextureCount;
// The unified textures of the generated data that other drawers bind.
constexpr int MIN_UNIFIED_TEXTURES = 5;

// Creates every scene texture (needs the models read, g_appDir, the grid-line
// bands, g_panelColour and a current GL context). False when a picture could
// not be read (its message has been shown) or the models name fewer than
// MIN_UNIFIED_TEXTURES textures: nothing may be drawn then.
bool LoadTextures();

// Per-vertex colours of piece model 1 or 2: the side's colour slot minus the
// vertex's shade, floored at 0.
void ApplySideTint(int side);

// Recolours the kept piece images by g_pieceBrightness into the GL names of
// unified textures 4 and 5 (which: 0 both, 1 image 1, 2 image 2).
void BuildPieceTextures(int which);

// --- the image work of LoadTextures, on plain byte arrays ---

// Numbers the texture names of all models in one list (first use first) and
// points every polygon's texSlot into it. Returns the number of entries
// (unified textures 1..count); names no polygon uses are not entered.
int UnifyTextureNames(std::vector<const char*>& names);

// A picture as RGBA: pure white pixels get alpha 0 (and become transparent
// black when clearWhite is set), every other pixel alpha 255.
void WhiteKeyedRgba(const unsigned char* rgb, int pixels, bool clearWhite, unsigned char* rgba);

// The board picture: edge pass, grid bands shaded, border lines painted.
// rgb is changed in place (the board texture); rgba receives the grid layer.
void ProcessBoardImage(unsigned char* rgb, int width, int height, const double* bandStart,
                       const double* bandEnd, unsigned char* rgba);

// The menu backdrop: pixels with red 255 become the panel colour, transparent;
// bevels drawn along the edges of the opaque part. edgeLayer receives the
// bevel layer (same size).
void BuildMenuBackdrop(const unsigned char* rgb, int width, int height, const unsigned char panel[3],
                       unsigned char* rgba, unsigned char* edgeLayer);

// One byte of a piece image under the brightness option.
unsigned char RecolourPieceByte(unsigned char v, int brightness);

// Windows of the menu backdrop texture behind each preview: 0 board, 1 side-1
// piece, 2 side-2 piece.
extern double g_previewWindowS0[3], g_previewWindowS1[3];
extern double g_previewWindowT0[3], g_previewWindowT1[3];

// Sets the backdrop windows behind the previews.
void SetPreviewWindows();
