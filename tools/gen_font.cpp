// font.fnt, the point-list font of the captions: letters, digits and
// punctuation rasterised from DejaVu Sans in monochrome, and seven icon glyphs
// drawn here. Glyph characters are Windows-1251 bytes.
//
// Coordinates: x to the right, y downwards; every glyph's points start at
// x 0; y + the glyph's vertical offset is the row in the text line, row 0
// the highest ink of the font. The advance is the glyph's ink width.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "tools/datagen.h"
#include "tools/gen_image.h"

namespace {

constexpr int PIXEL_SIZE = 17;
constexpr int MAX_GLYPHS = 155;
constexpr int MAX_POINTS = 920;

struct Glyph {
    unsigned char code;  // Windows-1251 byte
    int advance = 0;
    int yOffset = 0;
    std::vector<std::pair<int, int>> points;
};

// The characters rasterised from the font: (Windows-1251 byte, code point).
std::vector<std::pair<unsigned char, char32_t>> TextCharacters()
{
    std::vector<std::pair<unsigned char, char32_t>> list;
    for (char c = '0'; c <= '9'; ++c) list.push_back({static_cast<unsigned char>(c), static_cast<char32_t>(c)});
    for (char c = 'A'; c <= 'Z'; ++c) list.push_back({static_cast<unsigned char>(c), static_cast<char32_t>(c)});
    for (char c = 'a'; c <= 'z'; ++c) list.push_back({static_cast<unsigned char>(c), static_cast<char32_t>(c)});
    for (int b = 0xC0; b <= 0xFF; ++b) list.push_back({static_cast<unsigned char>(b), static_cast<char32_t>(0x410 + b - 0xC0)});
    list.push_back({0xA8, 0x401});  // Ё
    list.push_back({0xB8, 0x451});  // ё
    for (char c : std::string("-.:[],;!()\"'/%+=_"))
        list.push_back({static_cast<unsigned char>(c), static_cast<char32_t>(c)});
    list.push_back({0xAB, 0xAB});    // «
    list.push_back({0xBB, 0xBB});    // »
    list.push_back({0x97, 0x2014});  // em dash
    return list;
}

// Rasterises one character; points relative to the ink's top-left, top =
// the ink's top row above the baseline.
bool Rasterise(FT_Face face, char32_t cp, Glyph& g, int& top)
{
    if (FT_Load_Char(face, cp, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) return false;
    const FT_Bitmap& bm = face->glyph->bitmap;
    if (bm.pixel_mode != FT_PIXEL_MODE_MONO) return false;
    int minX = 1 << 20, maxX = -1, minY = 1 << 20;
    std::vector<std::pair<int, int>> raw;
    for (unsigned row = 0; row < bm.rows; ++row)
        for (unsigned col = 0; col < bm.width; ++col)
            if (bm.buffer[row * bm.pitch + col / 8] & (0x80 >> (col % 8))) {
                raw.push_back({static_cast<int>(col), static_cast<int>(row)});
                minX = std::min(minX, static_cast<int>(col));
                maxX = std::max(maxX, static_cast<int>(col));
                minY = std::min(minY, static_cast<int>(row));
            }
    if (raw.empty()) return false;
    for (auto& p : raw) g.points.push_back({p.first - minX, p.second - minY});
    g.advance = maxX - minX + 1;
    top = face->glyph->bitmap_top - minY;
    return true;
}

// ---- icons, drawn on a small grid ----

using Grid = std::vector<std::vector<bool>>;

Glyph FromGrid(unsigned char code, const Grid& grid)
{
    Glyph g;
    g.code = code;
    for (size_t y = 0; y < grid.size(); ++y)
        for (size_t x = 0; x < grid[y].size(); ++x)
            if (grid[y][x]) g.points.push_back({static_cast<int>(x), static_cast<int>(y)});
    g.advance = grid.empty() ? 0 : static_cast<int>(grid[0].size());
    return g;
}

template <class Inside>
Grid Draw(int w, int h, Inside inside)
{
    Grid grid(h, std::vector<bool>(w, false));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) grid[y][x] = inside(x + 0.5, y + 0.5);
    return grid;
}

double SegmentDistance(double px, double py, double ax, double ay, double bx, double by)
{
    const double vx = bx - ax, vy = by - ay;
    const double t = std::clamp(((px - ax) * vx + (py - ay) * vy) / (vx * vx + vy * vy), 0.0, 1.0);
    return std::hypot(px - ax - t * vx, py - ay - t * vy);
}

bool Frame(double x, double y, double x0, double y0, double x1, double y1, double thick)
{
    const bool outer = x >= x0 && x <= x1 && y >= y0 && y <= y1;
    const bool inner = x >= x0 + thick && x <= x1 - thick && y >= y0 + thick && y <= y1 - thick;
    return outer && !inner;
}

std::vector<Glyph> Icons(FT_Face bold)
{
    std::vector<Glyph> icons;
    // ` close: a bold cross.
    icons.push_back(FromGrid('`', Draw(26, 26, [](double x, double y) {
        return SegmentDistance(x, y, 3, 3, 23, 23) <= 2.3 || SegmentDistance(x, y, 23, 3, 3, 23) <= 2.3;
    })));
    // * maximise / restore: a window with a thick title bar.
    icons.push_back(FromGrid('*', Draw(26, 26, [](double x, double y) {
        return Frame(x, y, 1, 2, 25, 25, 2.2) || (x >= 1 && x <= 25 && y >= 2 && y <= 8);
    })));
    // ~ minimise: a bar along the bottom (the glyph keeps the full icon height).
    icons.push_back(FromGrid('~', Draw(26, 26, [](double x, double y) {
        return x >= 2 && x <= 24 && y >= 19 && y <= 24;
    })));
    // ? help and question: a ring around a bold question mark.
    {
        Grid ring = Draw(28, 28, [](double x, double y) {
            const double d = std::hypot(x - 14, y - 14);
            return d <= 13.9 && d >= 11.2;
        });
        FT_Set_Pixel_Sizes(bold, 0, 19);
        if (FT_Load_Char(bold, '?', FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) == 0) {
            const FT_Bitmap& bm = bold->glyph->bitmap;
            const int ox = 14 - static_cast<int>(bm.width) / 2, oy = 14 - static_cast<int>(bm.rows) / 2;
            for (unsigned row = 0; row < bm.rows; ++row)
                for (unsigned col = 0; col < bm.width; ++col)
                    if (bm.buffer[row * bm.pitch + col / 8] & (0x80 >> (col % 8))) {
                        const int x = ox + static_cast<int>(col), y = oy + static_cast<int>(row);
                        if (x >= 0 && x < 28 && y >= 0 && y < 28) ring[y][x] = true;
                    }
        }
        icons.push_back(FromGrid('?', ring));
    }
    // ^ empty check box and & ticked check box: the same 28 x 28 box.
    auto box = [](double x, double y) { return Frame(x, y, 0, 0, 28, 28, 3); };
    icons.push_back(FromGrid('^', Draw(28, 28, box)));
    icons.push_back(FromGrid('&', Draw(28, 28, [&](double x, double y) {
        return box(x, y) || SegmentDistance(x, y, 7, 14, 12, 20) <= 2.2 || SegmentDistance(x, y, 12, 20, 22, 7) <= 2.2;
    })));
    // # slider knob: a thin upright bar.
    icons.push_back(FromGrid('#', Draw(5, 18, [](double, double) { return true; })));
    return icons;
}

}  // namespace

bool GenerateFont(const GenContext& ctx)
{
    FT_Library lib;
    if (FT_Init_FreeType(&lib) != 0) return false;
    FT_Face face = nullptr, bold = nullptr;
    if (FT_New_Face(lib, ctx.fontRegular.c_str(), 0, &face) != 0 ||
        FT_New_Face(lib, ctx.fontBold.c_str(), 0, &bold) != 0) {
        std::fprintf(stderr, "cannot open the fonts %s, %s\n", ctx.fontRegular.c_str(), ctx.fontBold.c_str());
        FT_Done_FreeType(lib);
        return false;
    }
    FT_Set_Pixel_Sizes(face, 0, PIXEL_SIZE);

    std::vector<Glyph> glyphs;
    std::vector<int> tops;
    bool ok = true;
    for (const auto& ch : TextCharacters()) {
        Glyph g;
        g.code = ch.first;
        int top = 0;
        if (!Rasterise(face, ch.second, g, top)) {
            std::fprintf(stderr, "no glyph for U+%04X\n", static_cast<unsigned>(ch.second));
            ok = false;
            continue;
        }
        glyphs.push_back(g);
        tops.push_back(top);
    }
    const int lineTop = *std::max_element(tops.begin(), tops.end());
    for (size_t i = 0; i < glyphs.size(); ++i) glyphs[i].yOffset = lineTop - tops[i];
    for (Glyph& icon : Icons(bold)) glyphs.push_back(icon);
    FT_Done_Face(face);
    FT_Done_Face(bold);
    FT_Done_FreeType(lib);

    if (glyphs.size() > MAX_GLYPHS) {
        std::fprintf(stderr, "font: %zu glyphs, at most %d fit\n", glyphs.size(), MAX_GLYPHS);
        return false;
    }
    std::string out = std::to_string(glyphs.size()) + "\n";
    for (const Glyph& g : glyphs) {
        if (g.points.size() > MAX_POINTS) {
            std::fprintf(stderr, "font: glyph 0x%02X has %zu points\n", g.code, g.points.size());
            return false;
        }
        out += static_cast<char>(g.code);
        out += " " + std::to_string(g.advance) + " " + std::to_string(g.yOffset) + " " +
               std::to_string(g.points.size()) + "\n";
    }
    for (const Glyph& g : glyphs) {
        std::string line;
        for (const auto& p : g.points) {
            line += std::to_string(p.first) + " " + std::to_string(p.second) + " ";
            if (line.size() > 70) {
                line.back() = '\n';
                out += line;
                line.clear();
            }
        }
        if (!line.empty()) {
            line.back() = '\n';
            out += line;
        }
    }
    return ok && WriteBytes(ctx.programDir + "/font.fnt", out);
}
