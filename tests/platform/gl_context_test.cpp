// Pixel formats, contexts and buffer swaps on a real window.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/gl_context.h"
#include "platform/window.h"
#include "tests/support/gl_dialog.h"

namespace {

TEST(PixelFormats, AreNumberedFromOneAndDescribed)
{
    PIXELFORMATDESCRIPTOR pfd{};
    const int count = DescribePixelFormat(nullptr, 1, sizeof pfd, &pfd);
    ASSERT_GT(count, 0);
    EXPECT_EQ(DescribePixelFormat(nullptr, 0, sizeof pfd, &pfd), 0);
    EXPECT_EQ(DescribePixelFormat(nullptr, count + 1, sizeof pfd, &pfd), 0);

    PIXELFORMATDESCRIPTOR wanted{};
    wanted.cDepthBits = 16;
    const int chosen = ChoosePixelFormat(nullptr, &wanted);
    ASSERT_GE(chosen, 1);
    ASSERT_LE(chosen, count);
    PIXELFORMATDESCRIPTOR got{};
    ASSERT_EQ(DescribePixelFormat(nullptr, chosen, sizeof got, &got), count);
    EXPECT_GE(got.cRedBits, 8);
    EXPECT_GE(got.cGreenBits, 8);
    EXPECT_GE(got.cBlueBits, 8);
    EXPECT_GE(got.cDepthBits, 16);
    EXPECT_TRUE(got.dwFlags & PFD_DOUBLEBUFFER);
    EXPECT_TRUE(got.dwFlags & PFD_DRAW_TO_WINDOW);
    EXPECT_EQ(PixelFormatSamples(chosen), 0);
}

TEST(PixelFormats, TheWglExtensionsAnswerFromGlx)
{
    auto get = reinterpret_cast<PFNWGLGETEXTENSIONSSTRINGARBPROC>(wglGetProcAddress("wglGetExtensionsStringARB"));
    ASSERT_NE(get, nullptr);
    const std::string list = get(nullptr);
    EXPECT_NE(list.find("WGL_ARB_pixel_format "), std::string::npos);
    EXPECT_EQ(list.find("GLX_"), std::string::npos);

    auto choose = reinterpret_cast<PFNWGLCHOOSEPIXELFORMATARBPROC>(wglGetProcAddress("wglChoosePixelFormatARB"));
    ASSERT_NE(choose, nullptr);
    const int attributes[] = {WGL_DRAW_TO_WINDOW_ARB, 1, WGL_DEPTH_BITS_ARB, 16, WGL_DOUBLE_BUFFER_ARB, 1,
                              WGL_SAMPLE_BUFFERS_ARB, 1, WGL_SAMPLES_ARB, 2, 0, 0};
    int format = 0;
    UINT count = 0;
    if (choose(nullptr, attributes, nullptr, 1, &format, &count)) {
        ASSERT_EQ(count, 1u);
        EXPECT_GE(PixelFormatSamples(format), 2);
    } else {
        EXPECT_EQ(count, 0u);
    }
    EXPECT_EQ(wglGetProcAddress("wglNoSuchFunction"), nullptr);
}

TEST(GlContexts, ADialogDrawsAndSwapsAtItsFullSize)
{
    GlTestDialog dialog(320, 200, [](GlTestDialog& d) {
        EXPECT_EQ(GetPixelFormat(d.Dc()), d.PixelFormat());
        PIXELFORMATDESCRIPTOR pfd{};
        pfd.cDepthBits = 16;
        EXPECT_FALSE(SetPixelFormat(d.Dc(), d.PixelFormat() == 1 ? 2 : 1, &pfd));  // fixed once set
        EXPECT_EQ(wglGetCurrentDC(), d.Dc());
        EXPECT_EQ(wglGetCurrentContext(), d.Context());
        // Drawn and read back at once, outside any paint message.
        glClearColor(0.25f, 0.5f, 0.75f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        float pixel[3] = {0, 0, 0};
        glReadBuffer(GL_BACK);
        glReadPixels(319, 199, 1, 1, GL_RGB, GL_FLOAT, pixel);
        EXPECT_NEAR(pixel[0], 0.25f, 1.0f / 255);
        EXPECT_NEAR(pixel[1], 0.5f, 1.0f / 255);
        EXPECT_NEAR(pixel[2], 0.75f, 1.0f / 255);
        EXPECT_TRUE(SwapBuffers(d.Dc()));
        d.KeepContext();
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_NE(dialog.Context(), nullptr);
    EXPECT_EQ(wglGetCurrentContext(), nullptr);  // released with its window
    EXPECT_TRUE(wglDeleteContext(dialog.Context()));
}

TEST(GlContexts, NoFormatNoContext)
{
    EXPECT_EQ(wglCreateContext(nullptr), nullptr);
    EXPECT_FALSE(SwapBuffers(nullptr));
    EXPECT_FALSE(SetPixelFormat(nullptr, 1, nullptr));
}

}  // namespace
