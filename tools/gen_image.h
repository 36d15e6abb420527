// Drawing for the generators: an RGB image with row 0 at the top, shapes
// filled with 4x4 supersampling, deterministic noise, FreeType text, and the
// 24-bit bottom-up BMP writer.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct Rgb {
    double r = 0, g = 0, b = 0;
};
Rgb Mix(Rgb a, Rgb b, double t);
Rgb Scale(Rgb a, double f);

class Image {
public:
    Image(int w, int h, Rgb fill = {255, 255, 255});
    int Width() const { return m_w; }
    int Height() const { return m_h; }
    Rgb Get(int x, int y) const;
    void Set(int x, int y, Rgb c);
    // Mixes c over the pixel by coverage a (0..1).
    void Blend(int x, int y, Rgb c, double a);
    // Bytes as written: each channel rounded and clamped to 0..255.
    void GetBytes(int x, int y, uint8_t out[3]) const;

private:
    int m_w, m_h;
    std::vector<Rgb> m_px;
};

// Fills every pixel whose samples lie inside the shape (coverage blended),
// inside the box [x0, x1) x [y0, y1) in pixel units.
void FillShape(Image& img, double x0, double y0, double x1, double y1,
               const std::function<bool(double, double)>& inside, Rgb c, double alpha = 1.0);

struct Pt {
    double x, y;
};
void FillPolygon(Image& img, const std::vector<Pt>& pts, Rgb c, double alpha = 1.0);
void FillEllipse(Image& img, double cx, double cy, double rx, double ry, Rgb c, double alpha = 1.0);
void FillRing(Image& img, double cx, double cy, double rOuter, double rInner, Rgb c, double alpha = 1.0);
// A thick segment with round ends.
void StrokeLine(Image& img, Pt a, Pt b, double width, Rgb c, double alpha = 1.0);
void FillRoundRect(Image& img, double x0, double y0, double x1, double y1, double radius, Rgb c,
                   double alpha = 1.0);

// Smooth value noise in 0..1, the same for the same arguments everywhere.
double Noise2(double x, double y, uint32_t seed);
double Fractal2(double x, double y, uint32_t seed, int octaves);
uint32_t HashInt(uint32_t v);

// Text with FreeType, anti-aliased. Strings are Unicode code points.
class TextRenderer {
public:
    explicit TextRenderer(const std::string& fontPath);
    ~TextRenderer();
    bool Ok() const { return m_face != nullptr; }
    // Ink box of text at pixel size: width, height and the offset of the ink
    // top-left from the pen origin (x) and from the ink top to the baseline.
    void Measure(const std::u32string& text, int pixelSize, int& width, int& ascent, int& descent,
                 int& left) const;
    // Draws text with its ink box's top-left at (x, y).
    void Draw(Image& img, const std::u32string& text, int pixelSize, double x, double y, Rgb c) const;

private:
    void* m_library = nullptr;
    void* m_face = nullptr;
};

// Writes img as a 24-bit uncompressed bottom-up BMP with the "BM" header.
bool WriteBmp(const Image& img, const std::string& path);
// Creates the folder (and its parents) if needed.
bool MakeDirs(const std::string& path);
bool WriteBytes(const std::string& path, const std::string& bytes);
