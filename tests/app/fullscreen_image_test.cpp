// Full-window images, piece recolouring and previews, read back from a real
// GL window.
#include <gtest/gtest.h>
#include <GL/gl.h>

#include <functional>
#include <vector>

#include "interface/options.h"
#include "scene/camera.h"
#include "scene/frame_state.h"
#include "scene/fullscreen_image.h"
#include "scene/geo_model.h"
#include "scene/image_buffer.h"
#include "scene/textures.h"
#include "tests/support/gl_dialog.h"
#include "tests/support/overlay_gl.h"
#include "tests/support/window_pixels.h"

namespace {

constexpr int WIDTH = 320;
constexpr int HEIGHT = 200;

// The test body on a GL window of WIDTH x HEIGHT, in the state the main
// dialog starts every frame from.
void RunWithGl(std::function<void()> body)
{
    GlTestDialog dialog(WIDTH, HEIGHT, [&body](GlTestDialog&) {
        g_aspect = static_cast<float>(WIDTH) / HEIGHT;
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_LIGHTING);
        glEnable(GL_TEXTURE_2D);
        body();
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
}

Rgb ReadPixel(GLenum buffer, int x, int y)
{
    glFinish();
    glReadBuffer(buffer);
    unsigned char p[3] = {0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2]};
}

// What the screen shows at (x, y) counted from the window's bottom-left.
Rgb ScreenPixel(int x, int y)
{
    const unsigned p = WindowPixel(x, y);
    return {static_cast<int>(p >> 16), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
}

void ExpectColour(const Rgb& got, int r, int g, int b)
{
    EXPECT_NEAR(got[0], r, 2);
    EXPECT_NEAR(got[1], g, 2);
    EXPECT_NEAR(got[2], b, 2);
}

void ExpectFrameStateRestored()
{
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    // The perspective camera is back (an orthographic projection keeps w = 1).
    GLdouble projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    EXPECT_EQ(projection[15], 0.0);
    EXPECT_EQ(projection[11], -1.0);
}

// Image 1, the start-up image, is swapped at once; image 2, the darkening,
// multiplies the frame by the level and swaps nothing (the frame goes on
// being drawn). Either way the frame's state is back after it.
TEST(FullscreenImage, TheStartUpImageIsShownAtOnceAndTheDarkeningMultipliesTheFrame)
{
    RunWithGl([] {
        g_splashTex = SolidTexture(200, 100, 50, 255);
        const struct {
            int image;
            double level;
            int r, g, b;
        } cases[] = {{1, 0.0, 0, 0, 0},       {1, 0.5, 100, 50, 25}, {1, 1.0, 200, 100, 50},
                     {2, 1.0, 204, 153, 102}, {2, 0.5, 102, 76, 51}, {2, 0.0, 0, 0, 0}};
        for (const auto& c : cases) {
            SCOPED_TRACE(c.image * 10 + c.level);
            glClearColor(0.8f, 0.6f, 0.4f, 0.0f);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            DrawFullscreenImage(c.image, c.level);
            if (c.image == 1) {
                // The screen shows it, corner to corner.
                ExpectColour(ScreenPixel(WIDTH / 2, HEIGHT / 2), c.r, c.g, c.b);
                ExpectColour(ScreenPixel(0, 0), c.r, c.g, c.b);
                ExpectColour(ScreenPixel(WIDTH - 1, HEIGHT - 1), c.r, c.g, c.b);
            } else {
                ExpectColour(ReadPixel(GL_BACK, WIDTH / 3, HEIGHT / 3), c.r, c.g, c.b);
                ExpectColour(ReadPixel(GL_BACK, WIDTH - 1, 0), c.r, c.g, c.b);
            }
            ExpectFrameStateRestored();
        }
    });
}

TEST(PieceTextures, EachImageIsRecolouredWithItsOwnSizeAndSideTwoUpdatesOnlyItsOwnTexturesAndPreviews)
{
    RunWithGl([] {
        g_modelTex.assign(6, 0);
        glGenTextures(1, &g_modelTex[4]);
        glGenTextures(1, &g_modelTex[5]);
        g_pieceImage1.assign(4 * 4 * 3, 250);
        g_imageWidth[0] = 4, g_imageHeight[0] = 4;
        // Image 2 is larger than image 1: each is read with its own size.
        g_pieceImage2.assign(16 * 8 * 3, 100);
        g_imageWidth[1] = 16, g_imageHeight[1] = 8;
        g_pieceBrightness = 60;
        BuildPieceTextures(0);

        const TexImage one = ReadTexture(g_modelTex[4]), two = ReadTexture(g_modelTex[5]);
        EXPECT_EQ(one.width * 100 + one.height, 404);
        EXPECT_EQ(one.At(0, 0)[0], 255);
        EXPECT_EQ(one.At(3, 3)[2], 255);
        EXPECT_EQ(two.width * 100 + two.height, 1608);
        EXPECT_EQ(two.At(0, 0)[0], 100);
        EXPECT_EQ(two.At(15, 7)[2], 100);

        // A brightness change for side 2 leaves side 1's texture as it was.
        g_pieceBrightness = 0;
        BuildPieceTextures(2);
        EXPECT_EQ(ReadTexture(g_modelTex[4]).At(0, 0)[0], 255);
        EXPECT_EQ(ReadTexture(g_modelTex[5]).At(0, 0)[0], 40);
        g_pieceBrightness = 60;

        // Updating side 2's previews changes only its two textures.
        for (ModelRecord& m : g_models) m = ModelRecord();
        g_menuBackTex = SolidTexture(255, 255, 255, 255);
        SetPreviewWindows();
        // Made from a work image of one colour.
        unsigned char* image = ImageBufferFor(64 * 64 * 4);
        for (int i = 0; i < 64 * 64 * 4; i += 4) image[i] = 9, image[i + 1] = 200, image[i + 2] = 9, image[i + 3] = 255;
        g_textureCreatePass = 1;
        CreatePiecePreviewTextures();
        CreateBoardPreviewTextures();
        g_textureCreatePass = 0;

        UpdatePiecePreviews(2);
        for (int hot = 0; hot < 2; ++hot) {
            const TexImage side1 = ReadTexture(g_piecePreviewTex1[hot]), side2 = ReadTexture(g_piecePreviewTex2[hot]);
            EXPECT_EQ(side1.width, 64);
            EXPECT_EQ(side1.At(0, 0)[0], 9);
            EXPECT_EQ(side1.At(0, 0)[1], 200);
            // Side 2: the backdrop in the panel colour (no piece model here).
            EXPECT_EQ(side2.width, 64);
            EXPECT_NEAR(side2.At(32, 32)[0], 0.12 * 255, 2);
            EXPECT_NEAR(side2.At(32, 32)[1], 0.3 * 255, 2);
        }
        EXPECT_EQ(ReadTexture(g_boardPreviewTex[0]).At(0, 0)[1], 200);
        // The window's viewport is back.
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], WIDTH);
        EXPECT_EQ(viewport[3], HEIGHT);
    });
}

}  // namespace
