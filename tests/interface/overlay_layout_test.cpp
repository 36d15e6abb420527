// The overlay's pure geometry and pictures: the procedural frame textures'
// pixels, the caption bar and the menu backdrop at two window sizes (the
// panel layout rules are the panels' own tests', at three client sizes).
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "interface/caption_bar.h"
#include "interface/frame_textures.h"
#include "interface/layout.h"
#include "interface/widgets.h"
#include "rules/live_options.h"
#include "scene/textures.h"

namespace {

using Rgba = std::array<int, 4>;

struct Picture {
    int width, height;
    std::vector<unsigned char> pixels;
    Picture(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h * 4, 0xAB) {}
    Rgba At(int x, int y) const
    {
        const unsigned char* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
        return {p[0], p[1], p[2], p[3]};
    }
};

Picture Frame(int w, int h, int r, int g, int b, int a, int type)
{
    Picture p(w, h);
    DrawFrameImage(p.pixels.data(), w, h, r, g, b, a, type);
    return p;
}

class FrameTextures : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_panelColour[0] = 0.2, g_panelColour[1] = 0.4, g_panelColour[2] = 0.6;  // bytes 51, 102, 153
    }
    const Rgba panelClear{51, 102, 153, 0};
    const Rgba panel{51, 102, 153, 255};
    const Rgba grey{155, 155, 155, 255};
    const Rgba black{0, 0, 0, 255};
};

TEST_F(FrameTextures, AFieldGetsTheDoubleBevelLitOutsideTopLeftAndInsideBottomRight)
{
    const Picture f = Frame(20, 10, 200, 10, 30, 128, FRAME_FIELD);
    for (int x = 0; x <= 18; ++x) EXPECT_EQ(f.At(x, 9), grey) << "top row x " << x;
    for (int x = 1; x <= 19; ++x) EXPECT_EQ(f.At(x, 0), black) << "bottom row x " << x;
    for (int y = 0; y <= 9; ++y) EXPECT_EQ(f.At(19, y), black) << "right column y " << y;
    for (int y = 2; y <= 9; ++y) EXPECT_EQ(f.At(0, y), grey) << "left column y " << y;
    EXPECT_EQ(f.At(0, 0), panelClear);
    EXPECT_EQ(f.At(0, 1), panelClear);
    // The panel-coloured band between the two frames.
    for (int x = 1; x <= 18; ++x) {
        EXPECT_EQ(f.At(x, 1), panel);
        EXPECT_EQ(f.At(x, 8), panel);
    }
    // Inner frame: dark at its top (row h - 4) and left (column 3), lit at
    // its bottom (row 3) and right (column w - 4); the field inside.
    EXPECT_EQ(f.At(10, 6), black);
    EXPECT_EQ(f.At(3, 5), black);
    EXPECT_EQ(f.At(10, 3), grey);
    EXPECT_EQ(f.At(16, 5), grey);
    EXPECT_EQ(f.At(10, 5), (Rgba{200, 10, 30, 128}));
}

TEST_F(FrameTextures, RampsGrowPerColumnUnframedBordersAreClearAndTheSplitRampIsClamped)
{
    // Type 2: black at x 1, + colour / (w - 2) per column, no frame lines.
    const Picture plain = Frame(12, 6, 100, 200, 50, 255, FRAME_PLAIN_RAMP);
    EXPECT_EQ(plain.At(1, 3), (Rgba{0, 0, 0, 255}));
    EXPECT_EQ(plain.At(6, 3), (Rgba{50, 100, 25, 255}));   // 5 x colour / 10
    EXPECT_EQ(plain.At(10, 2), (Rgba{90, 180, 45, 255}));  // 9 x colour / 10
    for (int x = 0; x < 12; ++x) {
        EXPECT_EQ(plain.At(x, 0), panelClear) << "row 0 x " << x;
        EXPECT_EQ(plain.At(x, 5), panelClear) << "top row x " << x;
    }
    for (int y = 0; y < 6; ++y) {
        EXPECT_EQ(plain.At(0, y), panelClear);
        EXPECT_EQ(plain.At(11, y), panelClear);
    }

    // Type 1: the same ramp under the bevel.
    const Picture framed = Frame(12, 10, 100, 200, 50, 255, FRAME_RAMP);
    EXPECT_EQ(framed.At(0, 5), grey);
    EXPECT_EQ(framed.At(11, 5), black);
    EXPECT_EQ(framed.At(5, 5), (Rgba{40, 80, 20, 255}));  // 4 x colour / 10

    // Type 3, 257 wide: upper rows from the colour upwards, stopping at 255
    // instead of wrapping; lower rows from the colour down towards black.
    const Picture split = Frame(257, 20, 200, 100, 125, 200, FRAME_SPLIT_RAMP);
    EXPECT_EQ(split.At(1, 15), (Rgba{200, 100, 125, 200}));
    EXPECT_EQ(split.At(255, 15), (Rgba{255, 199, 249, 200}));  // 200 + 254 x 200 / 255 clamped
    EXPECT_EQ(split.At(1, 2), (Rgba{200, 100, 125, 200}));
    EXPECT_EQ(split.At(255, 2), (Rgba{0, 0, 0, 200}));         // 200 - 254 x 200 / 255, truncated
    EXPECT_EQ(split.At(128, 19), panelClear);
    EXPECT_EQ(split.At(0, 10), panelClear);
    EXPECT_EQ(split.At(256, 10), panelClear);

    // Degenerate sizes write nothing and never fault.
    Picture tiny(1, 1);
    DrawFrameImage(tiny.pixels.data(), 0, 5, 1, 2, 3, 4, FRAME_FIELD);
    EXPECT_EQ(tiny.At(0, 0), (Rgba{0xAB, 0xAB, 0xAB, 0xAB}));
    DrawFrameImage(tiny.pixels.data(), 1, 1, 1, 2, 3, 4, FRAME_RAMP);
    EXPECT_EQ(tiny.At(0, 0), panelClear);
}

TEST(CaptionBarAndBackdrop, PlacedFromTheClientSizeAtBothWindowSizes)
{
    g_menuButtonWidth = 60.8, g_menuButtonHeight = 20.9;
    const double widths[4] = {13.5, 15.4, 16.2, 14.3}, heights[4] = {13, 14.5, 12.7, 14.3};
    for (int k = 0; k < 4; ++k) g_captionButtonWidth[k] = widths[k], g_captionButtonHeight[k] = heights[k];
    g_menuBackdropWidth = 491, g_menuBackdropHeight = 487;

    for (const auto& size : {std::array<int, 2>{1920, 1080}, std::array<int, 2>{1024, 767}}) {
        const int W = size[0], H = size[1];
        LayoutCaptionBar(W, H);
        EXPECT_EQ(g_menuButtonLeft, 15);
        EXPECT_DOUBLE_EQ(g_menuButtonRight, 75.8);
        EXPECT_EQ(g_menuButtonTop, H - 15);
        EXPECT_DOUBLE_EQ(g_menuButtonBottom, H - 15 - 20.9);
        const RECT& m = g_menuButtonRect;
        // The bottom 15 + 20.9 truncated.
        EXPECT_EQ((std::vector<int>{m.left, m.right, m.top, m.bottom}), (std::vector<int>{15, 75, 15, 35}));

        // Close 2 lower, gaps 3 and 3, none before help.
        EXPECT_EQ(g_captionButtonRight[HOVER_CAPTION_CLOSE], W - 15);
        EXPECT_EQ(g_captionButtonTop[HOVER_CAPTION_CLOSE], H - 17);
        EXPECT_DOUBLE_EQ(g_captionButtonRight[HOVER_CAPTION_MAXIMISE], W - 15 - 13.5 - 3);
        EXPECT_DOUBLE_EQ(g_captionButtonRight[HOVER_CAPTION_MINIMISE], W - 15 - 13.5 - 3 - 15.4 - 3);
        EXPECT_DOUBLE_EQ(g_captionButtonRight[HOVER_CAPTION_HELP], g_captionButtonLeft[HOVER_CAPTION_MINIMISE]);
        for (int id = 1; id <= 4; ++id) {
            EXPECT_NEAR(g_captionButtonRight[id] - g_captionButtonLeft[id], widths[id - 1], 1e-9);
            EXPECT_NEAR(g_captionButtonTop[id] - g_captionButtonBottom[id], heights[id - 1], 1e-9);
            if (id > 1) {
                EXPECT_EQ(g_captionButtonTop[id], H - 15);
            }
            const RECT& r = g_captionButtonRect[id - 1];
            const double edges[4] = {g_captionButtonLeft[id], g_captionButtonRight[id], H - g_captionButtonTop[id],
                                     H - g_captionButtonBottom[id]};
            EXPECT_EQ((std::vector<int>{r.left, r.right, r.top, r.bottom}), std::vector<int>(edges, edges + 4));
        }
        EXPECT_EQ(g_captionButtonRect[0].top, 17);

        LayoutMenuBackdrop(W, H);
        const std::vector<double> backdrop = {g_menuBackdropLeft, g_menuBackdropRight, g_menuBackdropTop,
                                              g_menuBackdropBottom};
        EXPECT_EQ(backdrop, (std::vector<double>{W / 2 - 245.0, W / 2 + 246.0, H / 2 + 243.0, H / 2 - 244.0}));
    }
}

}  // namespace
