// The font reader and the rasteriser's pen walk on hand-made fonts, the
// language reader on damaged files, and the help window's scroll maths.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "interface/caption_colours.h"
#include "interface/font.h"
#include "interface/language.h"
#include "interface/text_window.h"
#include "tests/support/interface_steps.h"

namespace {

std::vector<std::pair<int, int>> LitPixels(const std::vector<unsigned char>& image, int width)
{
    std::vector<std::pair<int, int>> lit;
    for (size_t i = 0; i < image.size() / 4; ++i)
        if (image[i * 4 + 3] != 0) lit.push_back({static_cast<int>(i % width), static_cast<int>(i / width)});
    return lit;
}

TEST(FontReader, KeepsTheTablesWithinTheirLimitsAndReadsCutFilesWhole)
{
    // 156 glyphs: the last header is read and dropped, the rest stay aligned.
    std::string font = "156\n";
    for (int i = 0; i < 156; ++i) font += std::string(1, static_cast<char>('!' + i % 90)) + " 3 0 1\n";
    for (int i = 0; i < 156; ++i) font += std::to_string(i % 60) + " 7\n";
    UseFont(font);
    EXPECT_EQ(g_glyphCount, GLYPH_MAX);
    EXPECT_EQ(g_glyphPointX[0][154], 154 % 60);
    EXPECT_EQ(g_glyphChar[154], static_cast<char>('!' + 154 % 90));

    // A glyph of 925 points keeps 920; a negative count is 0; the next glyph
    // reads its own points.
    font = "3\na 4 0 925\nb 6 1 -2\nc 2 0 1\n";
    for (int k = 0; k < 925; ++k) font += std::to_string(k % 50) + " 1 ";
    font += "\n37 48\n";
    UseFont(font);
    ASSERT_EQ(g_glyphCount, 3);
    EXPECT_EQ(g_glyphPointCount[0], GLYPH_POINTS_MAX);
    EXPECT_EQ(g_glyphPointX[919][0], 919 % 50);
    EXPECT_EQ(g_glyphPointCount[1], 0);
    EXPECT_EQ(g_glyphPointX[0][2], 37);
    EXPECT_EQ(g_glyphPointY[0][2], 48);

    // A glyph reaching beyond 64 pixels either way (advance, offset or a
    // point kept) is dropped as if missing; the next one takes its place.
    // Points past the 920th are not kept, so they do not count.
    font = "6\na 4 0 1\nb 9000 9000 1\nc 2 0 2\nd 3 -65 1\ne 64 -64 1\nf 3 0 921\n"
           "1 1\n1 1\n1 1 65 0\n2 2\n64 -64\n";
    for (int k = 0; k < 920; ++k) font += "5 6 ";
    font += "9000 9000\n";
    UseFont(font);
    ASSERT_EQ(g_glyphCount, 3);
    EXPECT_EQ(std::string(g_glyphChar, 3), "aef");
    EXPECT_EQ(g_glyphAdvance[1], 64);
    EXPECT_EQ(g_glyphYOffset[1], -64);
    EXPECT_EQ(g_glyphPointX[0][1], 64);
    EXPECT_EQ(g_glyphPointY[0][1], -64);
    EXPECT_EQ(Measured("bcd", 10, 10, 5, 1.0).first, 0);  // none of them is a glyph
    EXPECT_EQ(Measured("ab", 0, 0, 5, 1.0), std::make_pair(1 + 1, 1 + 1));  // b leaves a's advance and the spacing
    // A font of dropped glyphs only, or of glyphs without a point, shows nothing.
    EXPECT_TRUE(FontHasVisibleGlyph());
    for (const char* invisible : {"1\nb 9000 9000 1\n1 1\n", "2\na 4 0 0\nb 3 0 0\n"}) {
        UseFont(invisible);
        EXPECT_FALSE(FontHasVisibleGlyph()) << invisible;
    }

    // Cut inside glyph 2's points, or by a bad number: the whole glyphs stay.
    UseFont("3\na 4 0 1\nb 6 0 1\nc 2 0 2\n1 1\n2 2\n3 3\n");
    EXPECT_EQ(g_glyphCount, 2);
    UseFont("2\na 4 0 1\nb 6 0 1\n1 1\nx 2\n");
    EXPECT_EQ(g_glyphCount, 1);
    // Cut inside the headers, a negative or missing count: nothing.
    for (const char* bad : {"3\na 4 0 1\nb 6", "-4\na 4 0 1\n0 0\n", "", "zz"}) {
        UseFont(bad);
        EXPECT_EQ(g_glyphCount, 0) << bad;
    }
    EXPECT_EQ(Measured("a b", 10, 10, 5, 1.0), std::make_pair(0, 0));
}

TEST(Rasteriser, WalksThePenMeasuresAndClipsToTheImage)
{
    UseFont(SMALL_FONT);
    // Letter, blank, letter at spacing 5: the b at 5 + 4 + 5.
    EXPECT_EQ(Measured("a b", 10, 10, 5, 1.0), std::make_pair(14 + 5 + 10 + 1, 2 + 10 + 1));
    // A leading blank starts the first glyph at 5 + advance of glyph 0 + spacing;
    // a missing character leaves the previous glyph's advance plus spacing.
    EXPECT_EQ(Measured(" a", 0, 0, 5, 1.0).first, 14 + 3 + 1);
    EXPECT_EQ(Measured("a%b", 0, 0, 5, 1.0).first, 18 + 5 + 1);
    // Scaled coordinates truncate.
    EXPECT_EQ(Measured("b", 10, 10, 5, 0.5), std::make_pair(2 + 10 + 1, 0 + 10 + 1));
    for (const char* nothing : {"", "   ", "%%"})
        EXPECT_EQ(Measured(nothing, 10, 10, 5, 1.0), std::make_pair(0, 0)) << nothing;

    // Drawing lights one pixel per point at the pen's place.
    const int image[2] = {40, 20};
    std::vector<unsigned char> pixels(40 * 20 * 4, 0);
    DrawTextToImage("a b", pixels.data(), 5, 5, 1, 2, 3, 255, image, 0, 5, 0);
    const std::vector<std::pair<int, int>> expected = {{5, 5}, {19, 6}, {24, 6}, {8, 7}};
    EXPECT_EQ(LitPixels(pixels, 40), expected);

    // Points outside the image are skipped: guards around it stay untouched,
    // and what lies inside equals an unclipped draw into a larger image.
    const int guard = 64, small[2] = {6, 3};
    std::vector<unsigned char> guarded(6 * 3 * 4 + 2 * guard, 0xAB);
    std::vector<unsigned char> large(30 * 30 * 4, 0xAB);
    const int largeSize[2] = {30, 30};
    const CString text = "ab.ba.ab";
    DrawTextToImage(text, guarded.data() + guard, -2, -1, 9, 9, 9, 255, small, 1, 3, 1);
    DrawTextToImage(text, large.data(), 8, 9, 9, 9, 9, 255, largeSize, 1, 3, 1);
    for (int i = 0; i < guard; ++i) {
        EXPECT_EQ(guarded[i], 0xAB);
        EXPECT_EQ(guarded[guarded.size() - 1 - i], 0xAB);
    }
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 24; ++x)
            EXPECT_EQ(guarded[guard + (y * 6 + x / 4) * 4 + x % 4], large[((y + 10) * 30 + 10 + x / 4) * 4 + x % 4]);
}

// ---- language files ----

class LanguageReader : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < UI_TEXT_COUNT; ++i) g_uiText[i] = "old";
        g_languageCaption = "old caption";
    }
    static void Read(const std::string& text)
    {
        std::istringstream in(text);
        ReadLanguage(in);
    }
    // Every entry keeps "old" except those listed.
    static void ExpectOnly(const std::vector<std::pair<int, std::string>>& changed)
    {
        std::vector<std::string> want(UI_TEXT_COUNT, "old");
        for (const auto& c : changed) want[c.first] = c.second;
        for (int i = 0; i < UI_TEXT_COUNT; ++i) EXPECT_EQ(g_uiText[i].str(), want[i]) << "text " << i;
    }
};

TEST_F(LanguageReader, DropsBadBlocksKeepsTheStreamAlignedAndStopsAfterGroup18OrMore)
{
    std::string file = "  !Name\n!Menu\r\n";
    file += "!negative group\n-1 1\n!z\n";
    file += "!good\n0 2\n!   kept   blanks\n!second\r\n";
    file += "!forty texts\n1 40\n";
    for (int k = 0; k < 40; ++k) file += "!t" + std::to_string(k) + "\n";
    file += "!negative count\n2 -3\n";
    file += "!long\n3 2\n!" + std::string(150, 'L') + "\n!after long\n";
    // Group 30 has no place: its texts are dropped, and as a group of 18 or
    // more it ends the reading.
    file += "!bad group\n30 2\n!x\n!y\n";
    file += "!never read\n4 1\n!no\n";
    Read(file);

    EXPECT_EQ(g_languageCaption, "Menu");
    std::vector<std::pair<int, std::string>> changed = {
        {0, "   kept   blanks"}, {1, "second"}, {75, std::string(99, 'L')}, {76, "after long"}};
    for (int k = 0; k < 25; ++k) changed.push_back({25 + k, "t" + std::to_string(k)});
    ExpectOnly(changed);

    SetUp();
    Read("!N\n!C\n!h\n17 1\n!setup\n!h\n18 1\n!banner\n!h\n0 1\n!not\n");
    ExpectOnly({{425, "setup"}, {450, "banner"}});
}

TEST_F(LanguageReader, ABrokenHeaderOrAFirstBlockOfGroup18EndsTheReading)
{
    Read("!N\n!C\n!h\n0 2\n!a\n!b\n!h\n5 x\n!c\n!h\n1 1\n!d\n");
    ExpectOnly({{0, "a"}, {1, "b"}});

    SetUp();
    Read("!N\n!C\n!h\n18 1\n!only\n!h\n0 1\n!not\n");
    ExpectOnly({{450, "only"}});

    // A file cut after its name keeps the old caption.
    SetUp();
    Read("!N\n");
    EXPECT_EQ(g_languageCaption, "old caption");
    ExpectOnly({});

    // A missing file changes nothing.
    LoadLanguage(98);
    EXPECT_EQ(g_languageCaption, "old caption");
}

TEST(HelpPage, LinesAreReadWholeAndWidenedThenDrawnInReliefOnTheGreyPage)
{
    std::istringstream in("one two\r\n\n" + std::string(1100, 'x') + "\nlast");
    std::vector<CString> lines = {"stale"};
    ReadHelpText(in, lines);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "one   two");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2].GetLength(), HELP_LINE_MAX_CHARS);
    EXPECT_EQ(lines[3], "last");

    // One line of a one-point glyph and an empty line: the line's height plus 30.
    UseFont(SMALL_FONT);
    const HelpPage page = RenderHelpPage({".", ""}, 1080);
    ASSERT_EQ(std::make_pair(page.width, page.height), std::make_pair(0 + 80 + 1, 0 + 10 + 1 + 30));
    // Shadow, the grey text blended three times, the light edge.
    const std::map<std::pair<int, int>, std::vector<int>> lit = {
        {{27, 3}, {0, 0, 0, 255}},     {{25, 4}, {20, 20, 20, 255}}, {{23, 7}, {255, 255, 255, 255}},
        {{25, 6}, {20, 20, 20, 255}}, {{25, 5}, {20, 20, 20, 255}}};
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x) {
            const unsigned char* p = &page.pixels[(static_cast<size_t>(y) * page.width + x) * 4];
            const auto found = lit.find({x, y});
            const std::vector<int> want = found != lit.end() ? found->second : std::vector<int>{20, 20, 20, 245};
            ASSERT_EQ((std::vector<int>{p[0], p[1], p[2], p[3]}), want) << x << ", " << y;
        }

    // A page of long lines of the widest glyphs a font may have is no larger
    // than the window's width times 8192 rows: the lines below are cut off.
    UseFont("1\nw 64 64 2\n0 0 64 64\n");
    const HelpPage huge = RenderHelpPage(std::vector<CString>(300, CString(std::string(200, 'w'))), 1080);
    EXPECT_EQ(huge.width, TEXT_IMAGE_SIDE_MAX);
    EXPECT_EQ(huge.height, HELP_PAGE_AREA_MAX / TEXT_IMAGE_SIDE_MAX);
    EXPECT_EQ(huge.pixels.size(), static_cast<size_t>(HELP_PAGE_AREA_MAX / TEXT_IMAGE_SIDE_MAX) * TEXT_IMAGE_SIDE_MAX * 4);
    UseFont(SMALL_FONT);

    // Nothing that measures: a blank page the window's size.
    for (const std::vector<CString>& nothing : {std::vector<CString>{}, std::vector<CString>{"", ""},
                                                std::vector<CString>{"   ", "%"}}) {
        const HelpPage blank = RenderHelpPage(nothing, 768);
        EXPECT_EQ(std::make_pair(blank.width, blank.height), std::make_pair(770, 738));
        EXPECT_EQ(HelpScrollRange(HelpVisibleFraction(blank.width, blank.height, 768)), 0.0);
        EXPECT_EQ(blank.pixels[0], 20);
        EXPECT_EQ(blank.pixels.back(), 245);
    }
}

TEST(TextWindowFrame, GreyLinesUnderPanelColouredLines)
{
    g_panelColourByte[0] = 1, g_panelColourByte[1] = 2, g_panelColourByte[2] = 3;
    const int w = 6, h = 5;
    std::vector<unsigned char> image(w * h * 4, 99);
    DrawTextWindowFrame(image.data(), w, h);
    // Rows from the top (y = 4) down: P panel, G grey, . transparent.
    const char* const rows[5] = {"PPPPPP", "PGGGPG", "PG..PG", "PPPPPP", "PGGGPG"};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const unsigned char* p = &image[(y * w + x) * 4];
            const char kind = rows[h - 1 - y][x];
            const std::vector<int> want = kind == 'P'   ? std::vector<int>{1, 2, 3, 255}
                                          : kind == 'G' ? std::vector<int>{155, 155, 155, 255}
                                                        : std::vector<int>{0, 0, 0, 0};
            EXPECT_EQ((std::vector<int>{p[0], p[1], p[2], p[3]}), want) << x << ", " << y;
        }
}

// ---- the help window's scroll maths ----

TEST(HelpScroll, FractionRangeThumbAndMouseAgreeAndNeverDivideByZero)
{
    // A page taller than the window, at both window sizes.
    EXPECT_DOUBLE_EQ(HelpVisibleFraction(870, 2600, 1080), 1050.0 / 2600 * (870.0 / 770));
    EXPECT_DOUBLE_EQ(HelpVisibleFraction(870, 2600, 768), 738.0 / 2600 * (870.0 / 770));
    // A page of no height or no width, or one that fits: nothing to scroll.
    EXPECT_EQ(HelpVisibleFraction(870, 0, 1080), 1.0);
    EXPECT_EQ(HelpVisibleFraction(0, 2600, 1080), 1.0);
    EXPECT_EQ(HelpScrollRange(HelpVisibleFraction(770, 500, 1080)), 0.0);

    g_helpPageWidth = 870;
    g_helpPageHeight = 2600;
    g_helpScroll = 5.0;  // out of range: brought back
    LayoutTextWindow(1920, 1080);
    const HelpScrollBar& bar = g_helpScrollBar;
    const double range = 1.0 - 1050.0 / 2600 * (870.0 / 770);
    EXPECT_DOUBLE_EQ(bar.range, range);
    EXPECT_DOUBLE_EQ(g_helpScroll, range);
    using Edges = std::vector<double>;
    EXPECT_EQ((Edges{g_textWindowLeft, g_textWindowRight, g_textWindowBottom, g_textWindowTop}),
              (Edges{575, 1345, 15, 1065}));
    EXPECT_EQ((Edges{bar.trackLeft, bar.trackTop, bar.trackBottom}), (Edges{1325, 1065, 15}));
    EXPECT_EQ(Edges(g_textCloseButton, g_textCloseButton + 4), (Edges{1303, 1063, 1323, 1043}));
    // At the range the thumb's raw bottom (-5) is clamped into the track.
    EXPECT_EQ((Edges{bar.thumbBottom, bar.thumbTop, bar.thumbLeft, bar.thumbRight}), (Edges{17, 20, 1327, 1343}));

    // Mouse y on the track: its top is 0, its bottom the range, ends snap.
    EXPECT_EQ(HelpScrollFromMouseY(15, 1080, range), 0.0);
    EXPECT_EQ(HelpScrollFromMouseY(16, 1080, range), 0.0);
    EXPECT_EQ(HelpScrollFromMouseY(1065, 1080, range), range);
    EXPECT_EQ(HelpScrollFromMouseY(2000, 1080, range), range);
    EXPECT_DOUBLE_EQ(HelpScrollFromMouseY(540, 1080, range), 0.5 * range);
    HelpScrollBar probe = bar;
    PlaceHelpThumb(probe, HelpScrollFromMouseY(15, 1080, range));
    EXPECT_EQ(probe.thumbTop, 1063);  // position 0: the top place
    EXPECT_EQ(probe.thumbBottom, 1060);
    PlaceHelpThumb(probe, 0.5 * range);
    EXPECT_DOUBLE_EQ(probe.thumbBottom, 0.5 * 1065 - 5);

    // A page that fits, or none at all: range 0, position 0, thumb at the top.
    for (int height : {500, 0, -3}) {
        g_helpPageHeight = height;
        g_helpScroll = 0.4;
        LayoutTextWindow(1920, 1080);
        EXPECT_EQ(bar.range, 0.0);
        EXPECT_EQ(g_helpScroll, 0.0);
        EXPECT_EQ(bar.thumbTop, 1063);
        EXPECT_EQ(bar.thumbBottom, 1060);
        EXPECT_EQ(HelpScrollFromMouseY(700, 1080, bar.range), 0.0);
        EXPECT_EQ(SnapHelpScroll(0.3, bar.range), 0.0);
    }
}

}  // namespace
