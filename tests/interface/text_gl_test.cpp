// Captions and the help window's textures, uploaded into a real GL context
// and read back: the four relief styles, the caption pipeline's texture
// names, and the help text loaded from a language folder.
#include <gtest/gtest.h>  // before the X headers, whose macros clash with it
#include <GL/gl.h>
#include <sys/stat.h>

#include <map>
#include <string>
#include <vector>

#include "interface/caption_colours.h"
#include "interface/font.h"
#include "interface/language.h"
#include "interface/interface_state.h"
#include "interface/text_window.h"
#include "platform/program_folder.h"
#include "rules/live_options.h"
#include "tests/support/interface_steps.h"
#include "tests/support/overlay_gl.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(CaptionTextures, ReliefStylesHotPassesAndNamesKeptOnRebuild)
{
    RunWithOverlayGl(320, 200, [] {
        UseFont(SMALL_FONT);
        g_textureCreatePass = 1;
        g_panelColourByte[0] = 10, g_panelColourByte[1] = 80, g_panelColourByte[2] = 240;
        // A one-point glyph in an 8 x 8 texture (a power of two uploads unscaled).
        g_currentText = ".";
        g_texturePadX = g_texturePadY = 7;
        g_textOriginX = g_textOriginY = 4;
        g_letterSpacing = 3;
        g_glyphScale = 1;
        g_textScale = 0.95;

        const Rgba black{0, 0, 0, 255}, white{255, 255, 255, 255};
        const Rgba solid{20, 100, 220, 255};   // (10, 100, 250) clamped to 20..220
        const Rgba blend{15, 90, 230, 255};    // its average with the panel colour
        const Rgba panelBlend{15, 80, 230, 255};  // the clamped panel colour over the panel colour
        using Pixels = std::map<std::pair<int, int>, Rgba>;
        const Pixels styles[4] = {
            {{{5, 3}, black}, {{4, 3}, blend}, {{3, 5}, white}, {{4, 5}, blend}, {{4, 4}, solid}},
            {{{5, 3}, black}, {{4, 3}, blend}, {{3, 5}, white}, {{4, 5}, blend}, {{4, 4}, blend}},
            {{{4, 3}, black}, {{5, 4}, black}, {{6, 3}, black}, {{5, 2}, black}, {{5, 3}, blend},
             {{4, 5}, white}, {{2, 6}, white}, {{3, 5}, blend}, {{4, 4}, solid}},
            {{{4, 3}, black}, {{5, 4}, black}, {{6, 3}, black}, {{5, 2}, black}, {{5, 3}, panelBlend},
             {{4, 5}, white}, {{2, 6}, white}, {{3, 5}, blend}, {{4, 4}, solid}},
        };
        for (int style = 1; style <= 4; ++style) {
            GLuint name = 0;
            const CaptionSize size = BuildCaptionTextures(&name, {style, 10, 100, 250}, nullptr, {});
            EXPECT_EQ(std::vector<int>(g_textSize, g_textSize + 2), (std::vector<int>{8, 8}));
            EXPECT_DOUBLE_EQ(size.width, 8 * 0.95);
            EXPECT_DOUBLE_EQ(size.height, 8 * 0.95);
            const TexImage image = ReadTexture(name);
            ASSERT_EQ(std::make_pair(image.width, image.height), std::make_pair(8, 8));
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x) {
                    const auto lit = styles[style - 1].find({x, y});
                    const Rgba want = lit != styles[style - 1].end() ? lit->second : Rgba{10, 80, 240, 0};
                    EXPECT_EQ(image.At(x, y), want) << "style " << style << " at " << x << ", " << y;
                }
        }

        // The hot passes are drawn over the normal ones in the same image.
        GLuint normal = 0, hot = 0;
        BuildCaptionTextures(&normal, {2, 10, 100, 250}, &hot, {4, 180, 180, 100});
        ASSERT_NE(normal, 0u);
        ASSERT_NE(hot, 0u);
        ASSERT_NE(normal, hot);
        const TexImage normalImage = ReadTexture(normal), hotImage = ReadTexture(hot);
        EXPECT_EQ(normalImage.At(4, 4), blend);
        EXPECT_EQ(normalImage.At(4, 3), blend);
        EXPECT_EQ(hotImage.At(4, 4), (Rgba{180, 180, 100, 255}));
        EXPECT_EQ(hotImage.At(4, 3), black);       // style 4's shadow over style 2's blend
        EXPECT_EQ(hotImage.At(5, 3), (Rgba{10, 40, 110, 255}));  // the panel pass over style 2's shadow

        // A rebuild refills the same names; an unset name is only bound.
        g_textureCreatePass = 0;
        const GLuint oldNormal = normal, oldHot = hot;
        g_currentText = "ab";
        BuildCaptionTextures(&normal, {3, 200, 200, 200}, &hot, {4, 180, 180, 100});
        EXPECT_EQ(normal, oldNormal);
        EXPECT_EQ(hot, oldHot);
        EXPECT_EQ(ReadTexture(normal).width, 16);  // "ab" measures 12 + 7 + 1 = 20 and uploads as 16 wide
        GLuint unset = 0;
        BindOrCreateTexture(&unset);
        GLint bound = -1;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(unset, 0u);
        EXPECT_EQ(bound, 0);

        // An empty text is a 0 x 0 widget; a 250-character one grows the work image.
        g_textureCreatePass = 1;
        g_currentText = "";
        const CaptionSize none = BuildCaptionTextures(&normal, {2, 1, 1, 1}, nullptr, {});
        EXPECT_EQ(std::make_pair(none.width, none.height), std::make_pair(0.0, 0.0));
        g_currentText = CString(std::string(250, 'b'));
        BuildCaptionTextures(&normal, {3, 1, 1, 1}, &hot, {4, 1, 1, 1});
        EXPECT_EQ(g_textSize[0], 249 * 9 + 5 + 7 + 1);
        EXPECT_GE(g_imageBuffer.size(), static_cast<size_t>(g_textSize[0]) * g_textSize[1] * 4);
        // No caption is larger than a screen: a wider one is cut at the right.
        g_texturePadY = 2000;
        BuildCaptionTextures(&normal, {3, 1, 1, 1}, &hot, {4, 1, 1, 1});
        EXPECT_EQ(g_textSize[1], 1 + 2000 + 1);  // b lies one row up
        EXPECT_EQ(g_textSize[0], CAPTION_AREA_MAX / 2002);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

        g_texturePadX = g_texturePadY = 10;
        g_textOriginX = g_textOriginY = 5;
    });
}

class HelpTextFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        mkdir((m_dir + "/language").c_str(), 0755);
        g_appDir = m_dir.c_str();
    }
    void Write(const std::string& name, const std::string& text) const { WriteFileText(m_dir + "/language/" + name, text); }
    TempFolder m_temp{"velmonar-help"};
    std::string m_dir = m_temp.Path();
};

TEST_F(HelpTextFolder, BuildsPageFramesAndGeometryAndKeepsThemWhenTheFileIsMissing)
{
    std::string tall;
    for (int i = 0; i < 300; ++i) tall += i % 10 == 9 ? "\n" : "a b.\n";
    Write("1.hl", tall);
    Write("2.hl", "");
    RunWithOverlayGl(320, 200, [] {
        UseFont(SMALL_FONT);
        g_panelColour[0] = 0.5, g_panelColour[1] = 0.25, g_panelColour[2] = 1.0;
        g_textureCreatePass = 1;
        g_language[0] = 0;  // no options file: the help of language 1
        g_helpScroll = 0.3;
        glViewport(0, 0, 1920, 1080);
        LoadHelpText();

        ASSERT_EQ(g_helpLines.size(), 300u);
        EXPECT_EQ(g_helpLines[0], "a   b.");
        const HelpPage page = RenderHelpPage(g_helpLines, 1080);
        EXPECT_EQ(g_helpPageWidth, page.width);
        EXPECT_EQ(g_helpPageHeight, 270 * 13 + 30 * 30);
        EXPECT_EQ(g_textOriginX, 5);  // restored after the page
        EXPECT_EQ(g_texturePadX, 10);
        EXPECT_EQ(g_panelColourByte[0], 127);
        EXPECT_EQ(g_helpScroll, 0.0);
        EXPECT_DOUBLE_EQ(g_helpScrollBar.range, HelpScrollRange(HelpVisibleFraction(page.width, page.height, 1080)));
        EXPECT_GT(g_helpScrollBar.range, 0.0);
        EXPECT_EQ(g_helpScrollBar.thumbTop, 1063);
        EXPECT_EQ(g_textWindowLeft, 575);
        const GLuint names[5] = {g_helpPageTexture, g_textWindowFrameTexture, g_textScrollTrackTexture,
                                 g_textCloseTexture, g_textCloseHotTexture};
        for (GLuint name : names) EXPECT_TRUE(glIsTexture(name)) << name;
        const TexImage track = ReadTexture(g_textScrollTrackTexture);
        EXPECT_EQ(std::make_pair(track.width, track.height), std::make_pair(16, 1024));  // 20 x 1050, to powers of two

        // Later builds refill the same names; a missing help file changes nothing.
        g_textureCreatePass = 0;
        glViewport(0, 0, 1024, 768);
        g_language[0] = 3;
        LoadHelpText();
        EXPECT_EQ(g_helpLines.size(), 300u);
        EXPECT_EQ(g_textWindowLeft, 575);

        // An empty help file: a blank page the window's size, no scrolling.
        g_language[0] = 2;
        g_helpScroll = 0.2;
        LoadHelpText();
        EXPECT_TRUE(g_helpLines.empty());
        EXPECT_EQ(g_helpPageWidth, 770);
        EXPECT_EQ(g_helpPageHeight, 738);
        EXPECT_EQ(g_helpScrollBar.range, 0.0);
        EXPECT_EQ(g_helpScroll, 0.0);
        EXPECT_EQ(g_helpScrollBar.thumbTop, 751);
        EXPECT_EQ(g_textWindowLeft, 127);
        const GLuint after[5] = {g_helpPageTexture, g_textWindowFrameTexture, g_textScrollTrackTexture,
                                 g_textCloseTexture, g_textCloseHotTexture};
        for (int i = 0; i < 5; ++i) EXPECT_EQ(after[i], names[i]);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    });
}

}  // namespace
