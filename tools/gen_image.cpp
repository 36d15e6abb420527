#include "tools/gen_image.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sys/stat.h>

#include <ft2build.h>
#include FT_FREETYPE_H

Rgb Mix(Rgb a, Rgb b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Scale(Rgb a, double f) { return {a.r * f, a.g * f, a.b * f}; }

Image::Image(int w, int h, Rgb fill) : m_w(w), m_h(h), m_px(static_cast<size_t>(w) * h, fill) {}

Rgb Image::Get(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_w || y >= m_h) return {};
    return m_px[static_cast<size_t>(y) * m_w + x];
}

void Image::Set(int x, int y, Rgb c)
{
    if (x < 0 || y < 0 || x >= m_w || y >= m_h) return;
    m_px[static_cast<size_t>(y) * m_w + x] = c;
}

void Image::Blend(int x, int y, Rgb c, double a)
{
    if (x < 0 || y < 0 || x >= m_w || y >= m_h || a <= 0.0) return;
    Rgb& p = m_px[static_cast<size_t>(y) * m_w + x];
    p = Mix(p, c, std::min(a, 1.0));
}

void Image::GetBytes(int x, int y, uint8_t out[3]) const
{
    const Rgb c = Get(x, y);
    const double v[3] = {c.r, c.g, c.b};
    for (int k = 0; k < 3; ++k) out[k] = static_cast<uint8_t>(std::clamp(std::lround(v[k]), 0L, 255L));
}

void FillShape(Image& img, double x0, double y0, double x1, double y1,
               const std::function<bool(double, double)>& inside, Rgb c, double alpha)
{
    const int ix0 = std::max(0, static_cast<int>(std::floor(x0)));
    const int iy0 = std::max(0, static_cast<int>(std::floor(y0)));
    const int ix1 = std::min(img.Width(), static_cast<int>(std::ceil(x1)) + 1);
    const int iy1 = std::min(img.Height(), static_cast<int>(std::ceil(y1)) + 1);
    for (int y = iy0; y < iy1; ++y)
        for (int x = ix0; x < ix1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx)
                    if (inside(x + (sx + 0.5) / 4.0, y + (sy + 0.5) / 4.0)) ++hits;
            if (hits > 0) img.Blend(x, y, c, alpha * hits / 16.0);
        }
}

void FillPolygon(Image& img, const std::vector<Pt>& pts, Rgb c, double alpha)
{
    if (pts.size() < 3) return;
    double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
    for (const Pt& p : pts) {
        x0 = std::min(x0, p.x);
        y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x);
        y1 = std::max(y1, p.y);
    }
    FillShape(img, x0, y0, x1, y1, [&](double x, double y) {
        bool in = false;  // even-odd rule
        for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            const Pt& a = pts[i];
            const Pt& b = pts[j];
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
        }
        return in;
    }, c, alpha);
}

void FillEllipse(Image& img, double cx, double cy, double rx, double ry, Rgb c, double alpha)
{
    FillShape(img, cx - rx, cy - ry, cx + rx, cy + ry, [&](double x, double y) {
        const double dx = (x - cx) / rx, dy = (y - cy) / ry;
        return dx * dx + dy * dy <= 1.0;
    }, c, alpha);
}

void FillRing(Image& img, double cx, double cy, double rOuter, double rInner, Rgb c, double alpha)
{
    FillShape(img, cx - rOuter, cy - rOuter, cx + rOuter, cy + rOuter, [&](double x, double y) {
        const double d = std::hypot(x - cx, y - cy);
        return d <= rOuter && d >= rInner;
    }, c, alpha);
}

void StrokeLine(Image& img, Pt a, Pt b, double width, Rgb c, double alpha)
{
    const double r = width / 2.0;
    FillShape(img, std::min(a.x, b.x) - r, std::min(a.y, b.y) - r, std::max(a.x, b.x) + r,
              std::max(a.y, b.y) + r, [&](double x, double y) {
        const double vx = b.x - a.x, vy = b.y - a.y;
        const double len2 = vx * vx + vy * vy;
        double t = len2 > 0 ? ((x - a.x) * vx + (y - a.y) * vy) / len2 : 0.0;
        t = std::clamp(t, 0.0, 1.0);
        return std::hypot(x - (a.x + t * vx), y - (a.y + t * vy)) <= r;
    }, c, alpha);
}

void FillRoundRect(Image& img, double x0, double y0, double x1, double y1, double radius, Rgb c,
                   double alpha)
{
    FillShape(img, x0, y0, x1, y1, [&](double x, double y) {
        if (x < x0 || x > x1 || y < y0 || y > y1) return false;
        const double cx = std::clamp(x, x0 + radius, x1 - radius);
        const double cy = std::clamp(y, y0 + radius, y1 - radius);
        return std::hypot(x - cx, y - cy) <= radius;
    }, c, alpha);
}

uint32_t HashInt(uint32_t v)
{
    v ^= v >> 16;
    v *= 0x7feb352dU;
    v ^= v >> 15;
    v *= 0x846ca68bU;
    v ^= v >> 16;
    return v;
}

namespace {
double Lattice(int x, int y, uint32_t seed)
{
    const uint32_t h = HashInt(static_cast<uint32_t>(x) * 73856093U ^ static_cast<uint32_t>(y) * 19349663U ^
                               HashInt(seed));
    return (h & 0xFFFFFF) / double(0xFFFFFF);
}
double Smooth(double t) { return t * t * (3.0 - 2.0 * t); }
}  // namespace

double Noise2(double x, double y, uint32_t seed)
{
    const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    const double fx = Smooth(x - ix), fy = Smooth(y - iy);
    const double a = Lattice(ix, iy, seed), b = Lattice(ix + 1, iy, seed);
    const double c = Lattice(ix, iy + 1, seed), d = Lattice(ix + 1, iy + 1, seed);
    return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
}

double Fractal2(double x, double y, uint32_t seed, int octaves)
{
    double sum = 0, amp = 1, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * Noise2(x, y, seed + o * 101);
        norm += amp;
        amp *= 0.5;
        x *= 2.0;
        y *= 2.0;
    }
    return sum / norm;
}

TextRenderer::TextRenderer(const std::string& fontPath)
{
    FT_Library lib;
    if (FT_Init_FreeType(&lib) != 0) return;
    m_library = lib;
    FT_Face face;
    if (FT_New_Face(lib, fontPath.c_str(), 0, &face) != 0) {
        std::fprintf(stderr, "cannot open font %s\n", fontPath.c_str());
        return;
    }
    m_face = face;
}

TextRenderer::~TextRenderer()
{
    if (m_face) FT_Done_Face(static_cast<FT_Face>(m_face));
    if (m_library) FT_Done_FreeType(static_cast<FT_Library>(m_library));
}

namespace {
// Calls visit(bitmap, left, top) for each glyph with the pen at x = 0 on the baseline.
template <class Visit>
void Walk(void* facePtr, const std::u32string& text, int pixelSize, Visit visit)
{
    FT_Face face = static_cast<FT_Face>(facePtr);
    if (!face) return;
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize));
    long pen = 0;
    FT_UInt previous = 0;
    for (char32_t ch : text) {
        const FT_UInt index = FT_Get_Char_Index(face, ch);
        if (previous && index && FT_HAS_KERNING(face)) {
            FT_Vector k;
            FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &k);
            pen += k.x;
        }
        if (FT_Load_Glyph(face, index, FT_LOAD_RENDER) != 0) continue;
        const FT_GlyphSlot g = face->glyph;
        visit(g->bitmap, static_cast<int>(pen >> 6) + g->bitmap_left, g->bitmap_top);
        pen += g->advance.x;
        previous = index;
    }
}
}  // namespace

void TextRenderer::Measure(const std::u32string& text, int pixelSize, int& width, int& ascent,
                           int& descent, int& left) const
{
    int x0 = INT_MAX, x1 = INT_MIN, top = INT_MIN, bottom = INT_MAX;
    Walk(m_face, text, pixelSize, [&](const FT_Bitmap& bm, int l, int t) {
        if (bm.width == 0 || bm.rows == 0) return;
        x0 = std::min(x0, l);
        x1 = std::max(x1, l + static_cast<int>(bm.width));
        top = std::max(top, t);
        bottom = std::min(bottom, t - static_cast<int>(bm.rows));
    });
    if (x0 == INT_MAX) {
        width = ascent = descent = left = 0;
        return;
    }
    width = x1 - x0;
    ascent = top;
    descent = -bottom;
    left = x0;
}

void TextRenderer::Draw(Image& img, const std::u32string& text, int pixelSize, double x, double y,
                        Rgb c) const
{
    int w, ascent, descent, left;
    Measure(text, pixelSize, w, ascent, descent, left);
    const int ox = static_cast<int>(std::lround(x)) - left;
    const int oy = static_cast<int>(std::lround(y)) + ascent;  // baseline row
    Walk(m_face, text, pixelSize, [&](const FT_Bitmap& bm, int l, int t) {
        for (unsigned row = 0; row < bm.rows; ++row)
            for (unsigned col = 0; col < bm.width; ++col) {
                const unsigned char v = bm.buffer[row * bm.pitch + col];
                if (v) img.Blend(ox + l + static_cast<int>(col), oy - t + static_cast<int>(row), c, v / 255.0);
            }
    });
}

bool WriteBmp(const Image& img, const std::string& path)
{
    const int w = img.Width(), h = img.Height();
    const int stride = (w * 3 + 3) & ~3;
    const uint32_t bitsSize = static_cast<uint32_t>(stride) * h;
    std::string out;
    auto put16 = [&](uint32_t v) { out += char(v & 255); out += char((v >> 8) & 255); };
    auto put32 = [&](uint32_t v) { put16(v & 0xFFFF); put16(v >> 16); };
    out += "BM";
    put32(54 + bitsSize);
    put32(0);
    put32(54);
    put32(40);
    put32(static_cast<uint32_t>(w));
    put32(static_cast<uint32_t>(h));  // positive: bottom row first
    put16(1);
    put16(24);
    put32(0);
    put32(bitsSize);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    for (int row = h - 1; row >= 0; --row) {
        for (int x = 0; x < w; ++x) {
            uint8_t b[3];
            img.GetBytes(x, row, b);
            out += char(b[2]);
            out += char(b[1]);
            out += char(b[0]);
        }
        for (int p = w * 3; p < stride; ++p) out += char(0);
    }
    return WriteBytes(path, out);
}

bool MakeDirs(const std::string& path)
{
    for (size_t at = 1; at <= path.size(); ++at) {
        if (at != path.size() && path[at] != '/') continue;
        const std::string part = path.substr(0, at);
        struct stat st;
        if (stat(part.c_str(), &st) == 0) continue;
        if (mkdir(part.c_str(), 0755) != 0) return false;
    }
    return true;
}

bool WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (out.fail()) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}
