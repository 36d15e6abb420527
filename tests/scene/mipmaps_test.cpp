// Our mipmap builder against the GLU one: for pictures of every shape the
// game uploads (the help page, the text window's frames, captions shrunk and
// enlarged to powers of two, pictures already a power of two, single rows and
// columns, padded rows, pictures mostly of empty texels like the text
// window's frames) both textures are read back level by level and must hold
// the same texels.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "scene/mipmaps.h"
#include "tests/support/gl_dialog.h"

namespace {

struct Picture {
    int width, height, components;
    bool sparse = false;  // zeros but for the border and a few scattered texels
    int alignment = 1;    // of the uploaded rows
};

bool LeftEmpty(const Picture& p, int x, int y)
{
    const bool border = x < 2 || y < 2 || x >= p.width - 2 || y >= p.height - 2;
    return p.sparse && !border && (x * 7 + y * 3) % 23 != 0;
}

// Noise over soft ramps and hard edges: every weight of the box filter
// shows in some texel, and sums land near the rounding edges.
std::vector<unsigned char> PictureBytes(const Picture& p, int rowBytes, uint32_t seed)
{
    std::vector<unsigned char> bytes(static_cast<size_t>(rowBytes) * p.height, 0);
    uint32_t state = seed;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            for (int c = 0; c < p.components; ++c) {
                state = state * 1664525u + 1013904223u;
                const int noise = static_cast<int>(state >> 24);
                const int ramp = (x * 7 + y * 3 + c * 50) % 256;
                const int edge = ((x / 5 + y / 3) % 2) * 255;
                const int pick = (x + 2 * y + c) % 3;
                if (LeftEmpty(p, x, y)) continue;
                bytes[static_cast<size_t>(y) * rowBytes + static_cast<size_t>(x) * p.components + c] =
                    static_cast<unsigned char>(pick == 0 ? noise : pick == 1 ? ramp : edge);
            }
    return bytes;
}

struct Level {
    int width = 0, height = 0;
    std::vector<unsigned char> texels;
};

// Every level of the bound texture, as it reads back.
std::vector<Level> ReadLevels(int components)
{
    std::vector<Level> levels;
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    for (int level = 0;; ++level) {
        Level l;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &l.width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &l.height);
        if (l.width == 0 || l.height == 0) break;
        l.texels.resize(static_cast<size_t>(l.width) * l.height * components);
        glGetTexImage(GL_TEXTURE_2D, level, components == 4 ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE, l.texels.data());
        levels.push_back(std::move(l));
    }
    return levels;
}

// Uploads the picture both ways and compares every level texel by texel.
void ExpectSameAsGlu(const Picture& p)
{
    const int alignment = p.alignment;
    int rowBytes = p.width * p.components;
    if (rowBytes % alignment != 0) rowBytes += alignment - rowBytes % alignment;
    const std::vector<unsigned char> bytes = PictureBytes(p, rowBytes, static_cast<uint32_t>(p.width * 131 + p.height));
    GLuint names[2];
    glGenTextures(2, names);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);

    glBindTexture(GL_TEXTURE_2D, names[0]);
    gluBuild2DMipmaps(GL_TEXTURE_2D, p.components, p.width, p.height, p.components == 4 ? GL_RGBA : GL_RGB,
                      GL_UNSIGNED_BYTE, bytes.data());
    const std::vector<Level> glu = ReadLevels(p.components);

    glBindTexture(GL_TEXTURE_2D, names[1]);
    UploadMipmaps(p.components, p.width, p.height, bytes.data());
    GLint restored = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &restored);
    EXPECT_EQ(restored, alignment) << "the unpack alignment is put back";
    const std::vector<Level> ours = ReadLevels(p.components);
    glDeleteTextures(2, names);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);

    ASSERT_FALSE(glu.empty());
    ASSERT_EQ(ours.size(), glu.size()) << p.width << "x" << p.height;
    for (size_t level = 0; level < glu.size(); ++level) {
        SCOPED_TRACE(testing::Message() << p.width << "x" << p.height << "x" << p.components << " level " << level);
        ASSERT_EQ(ours[level].width, glu[level].width);
        ASSERT_EQ(ours[level].height, glu[level].height);
        size_t differing = 0, first = 0;
        for (size_t i = 0; i < glu[level].texels.size(); ++i)
            if (ours[level].texels[i] != glu[level].texels[i] && differing++ == 0) first = i;
        EXPECT_EQ(differing, 0u) << "first at byte " << first << ": " << int(ours[level].texels[first]) << " for "
                                 << int(glu[level].texels[first]);
    }
}

template <typename Body>
void WithGl(Body body)
{
    GlTestDialog dialog(64, 64, [&body](GlTestDialog&) { body(); });
    ASSERT_NE(dialog.DoModal(), -1) << "no GL window";
}

TEST(Mipmaps, PicturesScaledToTheNearestPowersOfTwoPowersOfTwoAndPaddedRowsMatchGluTexelForTexel)
{
    WithGl([] {
        const Picture pictures[] = {
            {745, 2574, 4},  // the help page
            {20, 1050, 4},   // the text window's scroll track and frame at 1080 rows
            {770, 1050, 4},
            {100, 37, 4},    // captions: enlarged across, shrunk down
            {301, 45, 4},
            {3, 5, 4},
            {1, 7, 4},
            {7, 1, 4},
            {640, 480, 3},   // pictures
            {600, 300, 3},
            {770, 1050, 4, true},  // mostly empty, as the text window's frames
            {20, 1050, 4, true},
            {600, 300, 3, true},
            {301, 45, 4, true},
            // Powers of two, single rows and columns.
            {256, 256, 3}, {1024, 512, 3}, {64, 64, 4}, {1, 1, 4}, {1, 16, 3}, {32, 1, 4}, {2, 8, 3},
            // RGB rows of odd width padded to 4 bytes: the picture's rows are read as GLU reads them.
            {7, 5, 3, false, 4}, {30, 9, 3, false, 4}, {16, 16, 3, false, 4},
        };
        for (const Picture& p : pictures) ExpectSameAsGlu(p);
    });

    // The sides chosen: three times a power of two goes up; anything else to
    // the power below or at it.
    const int sides[][2] = {{1, 1},      {3, 4},       {5, 4},       {6, 8}, {745, 512},
                            {770, 1024}, {1050, 1024}, {2574, 2048}, {0, -1}};
    for (const auto& side : sides) EXPECT_EQ(MipmapSide(side[0]), side[1]) << side[0];
}

// The pixels of a 48 x 48 quad drawn with the texture (4 x 5 texels to a
// pixel: minified), read back from the back buffer.
std::vector<unsigned char> DrawnSmall(GLuint name)
{
    glViewport(0, 0, 64, 64);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, 64.0, 0.0, 64.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, name);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3d(1.0, 1.0, 1.0);
    glBegin(GL_QUADS);
    for (const auto& corner : {std::pair{0.0, 0.0}, {1.0, 0.0}, {1.0, 1.0}, {0.0, 1.0}}) {
        glTexCoord2d(corner.first, corner.second);
        glVertex2d(3.0 + 48.0 * corner.first, 5.0 + 48.0 * corner.second);
    }
    glEnd();
    glDisable(GL_TEXTURE_2D);
    std::vector<unsigned char> pixels(64 * 64 * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 64, 64, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

TEST(Mipmaps, LinearFilteredTexturesGetTheirBaseLevelAloneAndLookTheSameDrawnSmall)
{
    WithGl([] {
        const Picture p{300, 150, 4};  // scaled to 256 x 128, then drawn 48 x 48
        const std::vector<unsigned char> bytes = PictureBytes(p, p.width * 4, 7u);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        GLuint names[2];
        glGenTextures(2, names);
        for (GLuint name : names) {
            glBindTexture(GL_TEXTURE_2D, name);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        }
        glBindTexture(GL_TEXTURE_2D, names[0]);
        gluBuild2DMipmaps(GL_TEXTURE_2D, 4, p.width, p.height, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
        const std::vector<Level> glu = ReadLevels(4);
        glBindTexture(GL_TEXTURE_2D, names[1]);
        UploadMipmaps(4, p.width, p.height, bytes.data());
        const std::vector<Level> ours = ReadLevels(4);

        ASSERT_EQ(glu.size(), 9u);
        ASSERT_EQ(ours.size(), 1u) << "no level the filter never reads";
        EXPECT_EQ(ours[0].width, 256);
        EXPECT_EQ(ours[0].height, 128);
        EXPECT_TRUE(ours[0].texels == glu[0].texels) << "the base level is GLU's";
        const std::vector<unsigned char> withLevels = DrawnSmall(names[0]);
        const std::vector<unsigned char> without = DrawnSmall(names[1]);
        EXPECT_TRUE(withLevels == without) << "drawn smaller, the picture is the same";
        glDeleteTextures(2, names);
    });
}

}  // namespace
