// The point-list font, the text rasteriser and the caption pipeline (the
// work image they draw into is scene/image_buffer.h).
#pragma once

#include <GL/gl.h>

#include <cstddef>
#include <istream>
#include <vector>

#include "platform/strings.h"
#include "scene/image_buffer.h"

// ---- the font tables ----
constexpr int GLYPH_MAX = 155;         // glyphs kept from a font file
constexpr int GLYPH_POINTS_MAX = 920;  // points kept per glyph
// The farthest a glyph of a caption font reaches, in font pixels, both ways:
// a glyph whose advance, vertical offset or any point lies beyond it is
// dropped as if the font had none (the shipped glyphs stay within 50).
constexpr int GLYPH_EXTENT_MAX = 64;
// No caption or help page is made larger than this on either side; points
// beyond it are clipped (the largest real caption is a few hundred wide).
constexpr int TEXT_IMAGE_SIDE_MAX = 8192;
// Nor a caption larger than a screen: a wider one is cut at the right.
constexpr long long CAPTION_AREA_MAX = 1920LL * 1200;
constexpr int BLANK_ADVANCE = 5;       // the blank is no glyph: it moves the pen 5 pixels

extern int g_glyphCount;
extern char g_glyphChar[GLYPH_MAX];
extern int g_glyphAdvance[GLYPH_MAX];
extern int g_glyphYOffset[GLYPH_MAX];
extern int g_glyphPointCount[GLYPH_MAX];
// Point k of glyph i is at [k][i]. Font y grows downwards: a caption's first
// image row is shown at the top.
extern int g_glyphPointX[GLYPH_POINTS_MAX][GLYPH_MAX];
extern int g_glyphPointY[GLYPH_POINTS_MAX][GLYPH_MAX];

// Reads a font in the font.fnt format into the glyph tables and returns the
// number of glyphs kept. Any byte sequence is safe: at most 155 glyphs and
// 920 points per glyph are kept (the surplus is read and dropped), negative
// counts are 0, a glyph reaching beyond GLYPH_EXTENT_MAX is dropped, and a
// cut file keeps only the glyphs read whole.
int ReadFont(std::istream& in);

// Reads g_appDir + "/font.fnt" into the glyph tables (a missing file leaves
// no glyphs: every text measures 0 x 0 and draws nothing).
void LoadFont();

// True when some glyph of the tables lights a pixel: without one no caption,
// not even the caption bar's close button, can be shown.
bool FontHasVisibleGlyph();

// ---- the caption state shared by the builders ----
extern CString g_currentText;
extern double g_textScale;      // on-screen size = texture size x scale
extern int g_glyphScale;        // pixels per font point, always 1
extern int g_letterSpacing;     // extra pixels between letters
extern int g_textOriginX, g_textOriginY;  // the text's place in its texture
extern int g_texturePadX, g_texturePadY;  // added to the measured size
extern int g_textSize[2];       // width and height of the last measured caption

// Stores into size the width and height of text's image: the largest point
// coordinates plus the padding plus 1, each at most TEXT_IMAGE_SIDE_MAX; a
// text without any point measures 0 x 0. The size is not bounded by area:
// the caption pipeline cuts a caption to CAPTION_AREA_MAX, the help page
// bounds itself.
void MeasureText(const CString& text, int size[2], int padX, int padY, int spacing, double scale);

// Lights one pixel per font point of text in image, an RGBA picture of
// size[0] x size[1] pixels; points outside it are skipped. With clamp 1 the
// colour is first limited to 20..220 per channel; with blend 1 each channel
// becomes the average of the old and new value. Alpha is set either way.
void DrawTextToImage(const CString& text, unsigned char* image, int x0, int y0, int r, int g, int b, int alpha,
                     const int size[2], int blend, int spacing, int clamp);

// Sets every pixel of a width x height image of bytesPerPixel (3 or 4).
void FillImage(unsigned char* image, int width, int height, int bytesPerPixel, int r, int g, int b, int a);

// While g_textureCreatePass is 1: makes a new name into *name, binds it and
// sets linear filters; while 0: only binds *name.
void BindOrCreateTexture(GLuint* name);

// Draws text in relief style 1 (title), 2 (label), 3 (menu entry) or 4
// (hovered entry) at (x0, y0), then uploads the size[0] x size[1] image as
// RGBA mipmaps into the bound texture. Another style draws nothing.
void BuildTextTexture(int style, const CString& text, unsigned char* image, int x0, int y0, int r, int g, int b,
                      int alpha, const int size[2], int spacing);

// ---- the caption pipeline ----
struct CaptionLook {
    int style;    // 1 to 4
    int r, g, b;  // text colour
};
struct CaptionSize {
    double width, height;  // on-screen: texture size x g_textScale, 0 x 0 for an empty texture
};

// Builds the normal and the hot texture of g_currentText the way every
// caption is made: measured into g_textSize (g_texturePadX/Y,
// g_letterSpacing, g_glyphScale), drawn at (g_textOriginX, g_textOriginY)
// with alpha 255 on the work image filled with the panel colour at alpha 0,
// the hot passes over the normal ones. A null hot skips the hot texture.
CaptionSize BuildCaptionTextures(GLuint* normal, const CaptionLook& normalLook, GLuint* hot,
                                 const CaptionLook& hotLook);
