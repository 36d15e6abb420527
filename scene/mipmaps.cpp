#include "scene/mipmaps.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Every float operation below is the mipmap builder's own, in its order:
// the texels depend on it. (The file is compiled without contracting a
// multiply and an add into one.)

namespace {

unsigned long g_textureUploads = 0;

int LevelCount(int width, int height)
{
    int levels = 0;
    for (int side = std::max(width, height); side > 1; side >>= 1) ++levels;
    return levels;
}

// The box filter's edges along one side: output index n covers the input
// from low (integer part, fraction) to high, stepped by in / out as the
// builder steps them (fractions kept below or at 1). clampHigh is the row
// direction's clamp of the high edge to the last input row, which then also
// becomes the next box's low edge.
struct BoxEdges {
    std::vector<int> lowInt, highInt;
    std::vector<float> lowFloat, highFloat;
};

BoxEdges Edges(int in, int out, bool clampHigh)
{
    BoxEdges e;
    e.lowInt.resize(static_cast<size_t>(out));
    e.highInt.resize(static_cast<size_t>(out));
    e.lowFloat.resize(static_cast<size_t>(out));
    e.highFloat.resize(static_cast<size_t>(out));
    const float conv = static_cast<float>(in) / out;
    const int convInt = static_cast<int>(std::floor(conv));
    const float convFloat = conv - convInt;
    int lowInt = 0, highInt = convInt;
    float lowFloat = 0, highFloat = convFloat;
    for (int n = 0; n < out; ++n) {
        if (clampHigh && highInt >= in) highInt = in - 1;
        const size_t i = static_cast<size_t>(n);
        e.lowInt[i] = lowInt;
        e.lowFloat[i] = lowFloat;
        e.highInt[i] = highInt;
        e.highFloat[i] = highFloat;
        lowInt = highInt;
        lowFloat = highFloat;
        highInt += convInt;
        highFloat += convFloat;
        if (highFloat > 1) {
            highFloat -= 1.0;
            highInt++;
        }
    }
    return e;
}

// Four floats worked on at once: the components of one texel, each lane
// with exactly the float operations of its own component in the same order
// (a multiply, then an add; a three-component texel leaves its fourth lane
// unused).
typedef float Lanes __attribute__((vector_size(16)));
typedef int IntLanes __attribute__((vector_size(16)));
typedef unsigned char ByteLanes __attribute__((vector_size(4)));

// The four bytes at p (in must be readable past the last texel).
inline uint32_t WordAt(const unsigned char* p)
{
    uint32_t word = 0;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// The four bytes of a word as floats.
inline Lanes Widened(uint32_t word)
{
#if defined(__SSE2__)
    // In the vector registers: the compiler's own conversion goes byte by byte.
    const __m128i zero = _mm_setzero_si128();
    const __m128i ints =
        _mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(word)), zero), zero);
    return _mm_cvtepi32_ps(ints);
#else
    ByteLanes bytes;
    std::memcpy(&bytes, &word, sizeof bytes);
    return __builtin_convertvector(bytes, Lanes);
#endif
}

inline Lanes Spread(float weight)
{
    return Lanes{weight, weight, weight, weight};
}

// The box-filtered picture at outWidth x outHeight (rows packed). in must be
// readable a little past the picture's last byte: the builder's boxes at the
// right edge may touch it with a weight of almost nothing, and every texel
// is read as four bytes.
template <int C>
void ScaleBox(const unsigned char* in, int inWidth, int inHeight, int ysize, unsigned char* out, int outWidth,
              int outHeight)
{
    const BoxEdges xs = Edges(inWidth, outWidth, false);
    const BoxEdges ys = Edges(inHeight, outHeight, true);
    const float convy = static_cast<float>(inHeight) / outHeight;
    const float convx = static_cast<float>(inWidth) / outWidth;
    const Lanes area = Spread(convx * convy);
    // The bytes of a texel in a word read at it. A texel of zeros adds
    // exactly nothing to the non-negative totals (0 x w is +0, and t + 0 is t),
    // so it is passed over: the text window's frames are nearly all zeros.
    const uint32_t texelBytes = C == 4 ? 0xFFFFFFFFu : 0x00FFFFFFu;
    for (int i = 0; i < outHeight; ++i) {
        const size_t yi = static_cast<size_t>(i);
        const int lowyInt = ys.lowInt[yi], highyInt = ys.highInt[yi];
        const float lowyFloat = ys.lowFloat[yi], highyFloat = ys.highFloat[yi];
        for (int j = 0; j < outWidth; ++j) {
            const size_t xi = static_cast<size_t>(j);
            const int lowxInt = xs.lowInt[xi], highxInt = xs.highInt[xi];
            const float lowxFloat = xs.lowFloat[xi], highxFloat = xs.highFloat[xi];
            Lanes totals = Spread(0.0f);
            const unsigned char* const column = in + static_cast<size_t>(lowxInt) * C;
            auto add = [&totals, texelBytes](const unsigned char* p, float weight) {
                const uint32_t word = WordAt(p);
                if ((word & texelBytes) != 0) totals += Widened(word) * Spread(weight);
            };
            // A run of texels one step apart: the first, those between, the last
            // (the builder's order of sums, so the texels come out the same).
            auto strip = [&add](const unsigned char* p, size_t step, int low, int high, float first, float between,
                                float last) {
                add(p, first);
                for (int k = low + 1; k < high; ++k) add(p += step, between);
                p += step;
                add(p, last);
                return p;
            };
            if (highyInt > lowyInt && highxInt > lowxInt) {
                // The first row of the box, then its last row.
                float yPercent = 1 - lowyFloat;
                const unsigned char* left = column + static_cast<size_t>(lowyInt) * ysize;
                const unsigned char* right =
                    strip(left, C, lowxInt, highxInt, yPercent * (1 - lowxFloat), yPercent, yPercent * highxFloat);
                yPercent = highyFloat;
                strip(column + static_cast<size_t>(highyInt) * ysize, C, lowxInt, highxInt,
                      yPercent * (1 - lowxFloat), yPercent, yPercent * highxFloat);

                // The first and last columns between them: the builder's
                // column pointers also move one texel to the right per row.
                const Lanes leftWeight = Spread(1 - lowxFloat), rightWeight = Spread(highxFloat);
                for (int m = lowyInt + 1; m < highyInt; ++m) {
                    left += ysize;
                    right += ysize;
                    const uint32_t l = WordAt(left), r = WordAt(right);
                    if (((l | r) & texelBytes) != 0) totals += Widened(l) * leftWeight + Widened(r) * rightWeight;
                    left += C;
                    right += C;
                }
            } else if (highyInt > lowyInt) {
                const float xPercent = highxFloat - lowxFloat;
                strip(column + static_cast<size_t>(lowyInt) * ysize, ysize, lowyInt, highyInt,
                      (1 - lowyFloat) * xPercent, xPercent, xPercent * highyFloat);
            } else if (highxInt > lowxInt) {
                const float yPercent = highyFloat - lowyFloat;
                strip(column + static_cast<size_t>(lowyInt) * ysize, C, lowxInt, highxInt,
                      (1 - lowxFloat) * yPercent, yPercent, yPercent * highxFloat);
            } else {
                add(column + static_cast<size_t>(lowyInt) * ysize, (highyFloat - lowyFloat) * (highxFloat - lowxFloat));
            }

            // The texels wholly inside the box.
            const unsigned char* row = column + C + static_cast<size_t>(lowyInt + 1) * ysize;
            for (int m = lowyInt + 1; m < highyInt; ++m, row += ysize) {
                const unsigned char* p = row;
                for (int l = lowxInt + 1; l < highxInt; ++l, p += C) {
                    const uint32_t word = WordAt(p);
                    if ((word & texelBytes) != 0) totals += Widened(word);
                }
            }

            // Truncated towards zero, then cut to a byte, as the builder stores them.
            const IntLanes stored = __builtin_convertvector(totals / area, IntLanes);
            unsigned char* o = out + (static_cast<size_t>(i) * outWidth + j) * C;
            for (int k = 0; k < C; ++k) o[k] = static_cast<unsigned char>(stored[k]);
        }
    }
}

// The next level of a width x height level with rows ysize bytes apart.
void Halve(int components, int width, int height, const unsigned char* in, int ysize, unsigned char* out)
{
    const int c = components;
    if (height == 1) {  // one row: pairs, truncated
        for (int x = 0; x + 1 < width; x += 2)
            for (int k = 0; k < c; ++k) *out++ = static_cast<unsigned char>((in[x * c + k] + in[(x + 1) * c + k]) / 2);
        return;
    }
    if (width == 1) {  // one column
        for (int y = 0; y + 1 < height; y += 2)
            for (int k = 0; k < c; ++k)
                *out++ = static_cast<unsigned char>((in[y * ysize + k] + in[(y + 1) * ysize + k]) / 2);
        return;
    }
    for (int y = 0; y + 1 < height; y += 2) {
        const unsigned char* a = in + static_cast<size_t>(y) * ysize;
        const unsigned char* b = a + ysize;
        for (int x = 0; x + 1 < width; x += 2, a += 2 * c, b += 2 * c)
            for (int k = 0; k < c; ++k) *out++ = static_cast<unsigned char>((a[k] + a[c + k] + b[k] + b[c + k] + 2) / 4);
    }
}

MipmapLevel HalfOf(int components, int width, int height, const unsigned char* in, int ysize)
{
    MipmapLevel next;
    next.width = std::max(width / 2, 1);
    next.height = std::max(height / 2, 1);
    next.texels.resize(static_cast<size_t>(next.width) * next.height * components);
    Halve(components, width, height, in, ysize, next.texels.data());
    return next;
}

}  // namespace

int MipmapSide(int side)
{
    if (side <= 0) return -1;
    unsigned value = static_cast<unsigned>(side);
    int power = 1;
    for (;;) {
        if (value == 1) return power;
        if (value == 3) return power * 4;
        value >>= 1;
        power *= 2;
    }
}

std::vector<MipmapLevel> BuildMipmapLevels(int components, int width, int height, const unsigned char* pixels,
                                           int rowBytes, int maxSide, bool smallerLevels)
{
    std::vector<MipmapLevel> levels;
    if ((components != 3 && components != 4) || width < 1 || height < 1 || !pixels) return levels;
    int w = MipmapSide(width), h = MipmapSide(height);
    // Halved together until both fit, as the builder's proxy test does.
    while ((w > maxSide || h > maxSide) && (w > 1 || h > 1)) {
        w = std::max(w / 2, 1);
        h = std::max(h / 2, 1);
    }
    levels.reserve(static_cast<size_t>(LevelCount(w, h)) + 1);
    if (w == width && h == height) {
        levels.emplace_back();  // the picture itself
        if ((w == 1 && h == 1) || !smallerLevels) return levels;
        levels.push_back(HalfOf(components, width, height, pixels, rowBytes));
    } else {
        MipmapLevel base;
        base.width = w;
        base.height = h;
        base.texels.resize(static_cast<size_t>(w) * h * components);
        if (2 * w == width && 2 * h == height) {
            Halve(components, width, height, pixels, rowBytes, base.texels.data());
        } else {
            // Room for the few bytes the right edge's boxes may reach past the picture.
            const size_t bytes = static_cast<size_t>(rowBytes) * (height - 1) + static_cast<size_t>(width) * components;
            std::vector<unsigned char> padded(bytes + static_cast<size_t>(rowBytes) + 64, 0);
            std::memcpy(padded.data(), pixels, bytes);
            if (components == 3)
                ScaleBox<3>(padded.data(), width, height, rowBytes, base.texels.data(), w, h);
            else
                ScaleBox<4>(padded.data(), width, height, rowBytes, base.texels.data(), w, h);
        }
        levels.push_back(std::move(base));
    }
    while (smallerLevels && (levels.back().width > 1 || levels.back().height > 1)) {
        const MipmapLevel& last = levels.back();
        MipmapLevel next = HalfOf(components, last.width, last.height, last.texels.data(), last.width * components);
        levels.push_back(std::move(next));
    }
    return levels;
}

unsigned long TextureUploadCount()
{
    return g_textureUploads;
}

void UploadMipmaps(int components, int width, int height, const unsigned char* pixels)
{
    if ((components != 3 && components != 4) || width < 1 || height < 1 || !pixels) return;
    ++g_textureUploads;
    GLint alignment = 1, maxSide = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
    if (alignment < 1) alignment = 1;
    int rowBytes = width * components;
    if (rowBytes % alignment != 0) rowBytes += alignment - rowBytes % alignment;
    const GLenum format = components == 4 ? GL_RGBA : GL_RGB;
    // A minification filter of GL_NEAREST or GL_LINEAR reads the base level
    // alone, however small the texture is drawn: the smaller levels would
    // never be seen.
    GLint minFilter = GL_NEAREST_MIPMAP_LINEAR;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    const bool smallerLevels = minFilter != GL_NEAREST && minFilter != GL_LINEAR;

    const std::vector<MipmapLevel> levels =
        BuildMipmapLevels(components, width, height, pixels, rowBytes, maxSide, smallerLevels);
    if (levels.empty()) return;
    if (levels[0].texels.empty())  // the picture is its own base level, rows as they are
        glTexImage2D(GL_TEXTURE_2D, 0, components, width, height, 0, format, GL_UNSIGNED_BYTE, pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (size_t level = 0; level < levels.size(); ++level) {
        const MipmapLevel& l = levels[level];
        if (l.texels.empty()) continue;
        glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), components, l.width, l.height, 0, format,
                     GL_UNSIGNED_BYTE, l.texels.data());
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}
