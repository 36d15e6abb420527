#include "interface/font.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <fstream>

#include "platform/program_folder.h"
#include "interface/caption_colours.h"
#include "scene/mipmaps.h"

int g_glyphCount = 0;
char g_glyphChar[GLYPH_MAX] = {0};
int g_glyphAdvance[GLYPH_MAX] = {0};
int g_glyphYOffset[GLYPH_MAX] = {0};
int g_glyphPointCount[GLYPH_MAX] = {0};
int g_glyphPointX[GLYPH_POINTS_MAX][GLYPH_MAX];
int g_glyphPointY[GLYPH_POINTS_MAX][GLYPH_MAX];

CString g_currentText;
double g_textScale = 1.0;
int g_glyphScale = 1;
int g_letterSpacing = 5;
int g_textOriginX = 5, g_textOriginY = 5;
int g_texturePadX = 10, g_texturePadY = 10;
int g_textSize[2] = {0, 0};

// ---- reading the font ----

namespace {

struct GlyphHeader {
    char c = 0;
    int advance = 0, yOffset = 0, points = 0;
};

bool WithinReach(long long v)
{
    return v >= -GLYPH_EXTENT_MAX && v <= GLYPH_EXTENT_MAX;
}

bool ReadHeader(std::istream& in, GlyphHeader& h)
{
    char c;
    int advance, yOffset, points;
    if (!(in >> c >> advance >> yOffset >> points)) return false;
    h = {c, advance, yOffset, std::max(points, 0)};
    return true;
}

enum class Points { Kept, OutOfReach, Cut };

// Reads the points of one glyph, keeping the first GLYPH_POINTS_MAX into
// table column `glyph`. Cut when the file ends first; out of reach when a
// point kept lies beyond GLYPH_EXTENT_MAX (the rest is still read).
Points ReadPoints(std::istream& in, long long count, int glyph)
{
    bool inReach = true;
    for (long long k = 0; k < count; ++k) {
        int x, y;
        if (!(in >> x >> y)) return Points::Cut;
        if (k >= GLYPH_POINTS_MAX) continue;
        inReach = inReach && WithinReach(x) && WithinReach(y);
        g_glyphPointX[k][glyph] = x;
        g_glyphPointY[k][glyph] = y;
    }
    return inReach ? Points::Kept : Points::OutOfReach;
}

}  // namespace

int ReadFont(std::istream& in)
{
    g_glyphCount = 0;
    int declared = 0;
    if (!(in >> declared) || declared <= 0) return 0;

    // Every header comes before the first point, so the headers of glyphs
    // beyond the table are read and dropped too.
    std::vector<GlyphHeader> headers;
    for (int i = 0; i < declared; ++i) {
        GlyphHeader h;
        if (!ReadHeader(in, h)) return 0;  // no points can follow a cut header list
        if (i < GLYPH_MAX) headers.push_back(h);
    }
    // A glyph out of reach leaves no gap: the next one takes its column.
    for (const GlyphHeader& h : headers) {
        const int glyph = g_glyphCount;
        const Points points = ReadPoints(in, h.points, glyph);
        if (points == Points::Cut) break;
        if (points == Points::OutOfReach || !WithinReach(h.advance) || !WithinReach(h.yOffset)) continue;
        g_glyphChar[glyph] = h.c;
        g_glyphAdvance[glyph] = h.advance;
        g_glyphYOffset[glyph] = h.yOffset;
        g_glyphPointCount[glyph] = std::min(h.points, GLYPH_POINTS_MAX);
        g_glyphCount = glyph + 1;
    }
    return g_glyphCount;
}

void LoadFont()
{
    std::ifstream in((g_appDir + "/font.fnt").GetString(), std::ios::binary);
    if (!in) {
        g_glyphCount = 0;
        return;
    }
    ReadFont(in);
}

bool FontHasVisibleGlyph()
{
    for (int i = 0; i < g_glyphCount; ++i)
        if (g_glyphPointCount[i] > 0) return true;
    return false;
}

// ---- measuring and drawing ----

namespace {

int FindGlyph(char c)
{
    for (int i = 0; i < g_glyphCount; ++i)
        if (g_glyphChar[i] == c) return i;
    return -1;
}

// Walks the pen over text and calls visit(glyph, pen x) for every character
// that has a glyph. Pen arithmetic is wide so no font can overflow it.
template <class Visit>
void WalkPen(const CString& text, int spacing, Visit visit)
{
    long long penX = 0;
    int previous = 0;  // glyph 0 until one is found
    for (int i = 0; i < text.GetLength(); ++i) {
        const char c = text[i];
        if (c == ' ')
            penX += BLANK_ADVANCE;
        else if (i == 0)
            penX = 0;
        else
            penX += static_cast<long long>(g_glyphAdvance[previous]) + spacing;
        const int glyph = FindGlyph(c);
        if (glyph < 0) continue;
        visit(glyph, penX);
        previous = glyph;
    }
}

int SideFrom(double largest, int pad)
{
    return static_cast<int>(std::clamp(largest + pad + 1.0, 0.0, static_cast<double>(TEXT_IMAGE_SIDE_MAX)));
}

int ClampChannel(int v, int clamp)
{
    return clamp == 1 ? std::clamp(v, 20, 220) : v;
}

}  // namespace

void MeasureText(const CString& text, int size[2], int padX, int padY, int spacing, double scale)
{
    bool anyPoint = false;
    double largestX = 0.0, largestY = 0.0;
    WalkPen(text, spacing, [&](int glyph, long long penX) {
        for (int k = 0; k < g_glyphPointCount[glyph]; ++k) {
            const double x = std::trunc((g_glyphPointX[k][glyph] + static_cast<double>(penX)) * scale);
            const double y =
                std::trunc((g_glyphPointY[k][glyph] + static_cast<double>(g_glyphYOffset[glyph])) * scale);
            largestX = anyPoint ? std::max(largestX, x) : x;
            largestY = anyPoint ? std::max(largestY, y) : y;
            anyPoint = true;
        }
    });
    if (!anyPoint) {
        size[0] = size[1] = 0;
        return;
    }
    size[0] = SideFrom(largestX, padX);
    size[1] = SideFrom(largestY, padY);
}

void DrawTextToImage(const CString& text, unsigned char* image, int x0, int y0, int r, int g, int b, int alpha,
                     const int size[2], int blend, int spacing, int clamp)
{
    const int rgb[3] = {ClampChannel(r, clamp), ClampChannel(g, clamp), ClampChannel(b, clamp)};
    const long long width = size[0], height = size[1];
    const long long scale = g_glyphScale;
    WalkPen(text, spacing, [&](int glyph, long long penX) {
        for (int k = 0; k < g_glyphPointCount[glyph]; ++k) {
            const long long x = (g_glyphPointX[k][glyph] + penX) * scale + x0;
            const long long y = (static_cast<long long>(g_glyphPointY[k][glyph]) + g_glyphYOffset[glyph]) * scale + y0;
            if (x < 0 || y < 0 || x >= width || y >= height) continue;
            unsigned char* p = image + (y * width + x) * 4;
            for (int c = 0; c < 3; ++c)
                p[c] = static_cast<unsigned char>(blend == 1 ? (p[c] + rgb[c]) / 2 : rgb[c]);
            p[3] = static_cast<unsigned char>(alpha);
        }
    });
}

void FillImage(unsigned char* image, int width, int height, int bytesPerPixel, int r, int g, int b, int a)
{
    if (width <= 0 || height <= 0 || bytesPerPixel < 3) return;
    const unsigned char colour[4] = {static_cast<unsigned char>(r), static_cast<unsigned char>(g),
                                     static_cast<unsigned char>(b), static_cast<unsigned char>(a)};
    const size_t pixels = static_cast<size_t>(width) * height;
    for (size_t i = 0; i < pixels; ++i)
        std::copy(colour, colour + std::min(bytesPerPixel, 4), image + i * bytesPerPixel);
}

void BindOrCreateTexture(GLuint* name)
{
    if (g_textureCreatePass == 1) {
        glGenTextures(1, name);
        glBindTexture(GL_TEXTURE_2D, *name);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    } else {
        glBindTexture(GL_TEXTURE_2D, *name);
    }
}

// ---- relief styles ----

namespace {

enum Ink { INK_BLACK, INK_WHITE, INK_TEXT, INK_PANEL };

struct Pass {
    int dx, dy;  // from (x0, y0), y upwards
    Ink ink;
    int blend;
};

const Pass STYLE_TITLE[] = {
    {+1, -1, INK_BLACK, 0}, {0, -1, INK_TEXT, 1}, {-1, +1, INK_WHITE, 0}, {0, +1, INK_TEXT, 1}, {0, 0, INK_TEXT, 0}};
const Pass STYLE_LABEL[] = {
    {+1, -1, INK_BLACK, 0}, {0, -1, INK_TEXT, 1}, {-1, +1, INK_WHITE, 0}, {0, +1, INK_TEXT, 1}, {0, 0, INK_TEXT, 1}};
const Pass STYLE_ENTRY[] = {
    {0, -1, INK_BLACK, 0}, {+1, 0, INK_BLACK, 0},  {+2, -1, INK_BLACK, 0}, {+1, -2, INK_BLACK, 0},
    {+1, -1, INK_TEXT, 1}, {0, +1, INK_WHITE, 0},  {-2, +2, INK_WHITE, 0}, {-1, +1, INK_TEXT, 1},
    {0, 0, INK_TEXT, 0}};
const Pass STYLE_HOVERED[] = {
    {0, -1, INK_BLACK, 0}, {+1, 0, INK_BLACK, 0},  {+2, -1, INK_BLACK, 0}, {+1, -2, INK_BLACK, 0},
    {+1, -1, INK_PANEL, 1}, {0, +1, INK_WHITE, 0}, {-2, +2, INK_WHITE, 0}, {-1, +1, INK_TEXT, 1},
    {0, 0, INK_TEXT, 0}};

template <size_t N>
void DrawPasses(const Pass (&passes)[N], const CString& text, unsigned char* image, int x0, int y0, const int textRgb[3],
                int alpha, const int size[2], int spacing)
{
    for (const Pass& p : passes) {
        int rgb[3] = {0, 0, 0};
        int clamp = 1;
        switch (p.ink) {
        case INK_BLACK: clamp = 0; break;
        case INK_WHITE: rgb[0] = rgb[1] = rgb[2] = 255; clamp = 0; break;
        case INK_TEXT: std::copy(textRgb, textRgb + 3, rgb); break;
        case INK_PANEL: std::copy(g_panelColourByte, g_panelColourByte + 3, rgb); break;
        }
        DrawTextToImage(text, image, x0 + p.dx, y0 + p.dy, rgb[0], rgb[1], rgb[2], alpha, size, p.blend, spacing,
                        clamp);
    }
}

}  // namespace

void BuildTextTexture(int style, const CString& text, unsigned char* image, int x0, int y0, int r, int g, int b,
                      int alpha, const int size[2], int spacing)
{
    const int rgb[3] = {r, g, b};
    switch (style) {
    case 1: DrawPasses(STYLE_TITLE, text, image, x0, y0, rgb, alpha, size, spacing); break;
    case 2: DrawPasses(STYLE_LABEL, text, image, x0, y0, rgb, alpha, size, spacing); break;
    case 3: DrawPasses(STYLE_ENTRY, text, image, x0, y0, rgb, alpha, size, spacing); break;
    case 4: DrawPasses(STYLE_HOVERED, text, image, x0, y0, rgb, alpha, size, spacing); break;
    default: break;
    }
    if (size[0] > 0 && size[1] > 0)
        UploadMipmaps(4, size[0], size[1], image);
}

CaptionSize BuildCaptionTextures(GLuint* normal, const CaptionLook& normalLook, GLuint* hot,
                                 const CaptionLook& hotLook)
{
    MeasureText(g_currentText, g_textSize, g_texturePadX, g_texturePadY, g_letterSpacing, g_glyphScale);
    if (g_textSize[1] > 0 && static_cast<long long>(g_textSize[0]) * g_textSize[1] > CAPTION_AREA_MAX)
        g_textSize[0] = static_cast<int>(CAPTION_AREA_MAX / g_textSize[1]);
    const int w = g_textSize[0], h = g_textSize[1];
    unsigned char* image = ImageBufferFor(static_cast<size_t>(w) * h * 4);
    FillImage(image, w, h, 4, g_panelColourByte[0], g_panelColourByte[1], g_panelColourByte[2], 0);

    BindOrCreateTexture(normal);
    BuildTextTexture(normalLook.style, g_currentText, image, g_textOriginX, g_textOriginY, normalLook.r, normalLook.g,
                     normalLook.b, 255, g_textSize, g_letterSpacing);
    if (hot) {
        BindOrCreateTexture(hot);
        BuildTextTexture(hotLook.style, g_currentText, image, g_textOriginX, g_textOriginY, hotLook.r, hotLook.g,
                         hotLook.b, 255, g_textSize, g_letterSpacing);
    }
    if (h == 0) return {0.0, 0.0};
    return {w * g_textScale, h * g_textScale};
}
