// The help window and the caption bar as the player meets them again after a
// change: in the real main dialog after a real start-up, pressed at the
// centres of the hit rectangles, the overlay read back from the screen. The
// help window opened, scrolled and closed, then the window mode and a panel
// colour chosen in the colour editor, then opened again from the menu; a
// language change in the window mode; a help page shorter than the window.
#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/VelmonarDlg.h"
#include "interface/caption_bar.h"
#include "interface/interface_state.h"
#include "interface/language.h"
#include "interface/layout.h"
#include "interface/options.h"
#include "interface/text_window.h"
#include "interface/widgets.h"
#include "scene/frame_state.h"
#include "tests/support/main_dialog.h"
#include "tests/support/overlay_gl.h"
#include "tests/support/temp_folder.h"

namespace {

CVelmonarDlg* g_dialog = nullptr;

void PressAt(int x, int y) { PressAt(*g_dialog, x, y); }
void Press(const RECT& r)
{
    ASSERT_GT(r.right, r.left);
    ASSERT_GT(r.bottom, r.top);
    PressAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}
void Click(int widget) { Press(g_widgetHitRect[widget]); }

// The overlay as the screen shows it, RGB rows from the bottom.
Shot Screen()
{
    return RenderOverlayShot(g_dialog->m_clientWidth, g_dialog->m_clientHeight);
}

// Where the text lies in the page's top rows, inside the window's frame and
// left of its track (rows counted down from the window's top): the light
// edges of the letters, whatever the translucent page lets through.
std::vector<bool> PageTop(const Shot& shot, int rows)
{
    std::vector<bool> top;
    const int left = static_cast<int>(g_textWindowLeft) + 8, right = static_cast<int>(g_textWindowRight) - 30;
    for (int r = 6; r < rows; ++r)
        for (int x = left; x < right; ++x) {
            const Rgb p = shot.At(x, static_cast<int>(g_textWindowTop) - 1 - r);
            top.push_back(p[0] > 128 && p[1] > 128 && p[2] > 128);
        }
    return top;
}

// Pixels of the page's text: its light edge is drawn in white.
int BrightPixels(const Shot& shot, int fromY, int toY)
{
    int n = 0;
    for (int y = std::max(fromY, 0); y < toY; ++y)
        for (int x = static_cast<int>(g_textWindowLeft) + 8; x < static_cast<int>(g_textWindowRight) - 30; ++x)
            n += shot.At(x, y)[0] > 150 && shot.At(x, y)[1] > 150 ? 1 : 0;
    return n;
}

// The share of the text pixels of a that b does not have at the same place.
double Mismatch(const std::vector<bool>& a, const std::vector<bool>& b)
{
    size_t lit = 0, missed = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        lit += a[i];
        missed += a[i] && !b[i];
    }
    return lit ? static_cast<double>(missed) / lit : 1.0;
}

void ExpectAtTheTop(const char* when)
{
    EXPECT_EQ(g_panelVisible[PANEL_FLAG_TEXT_WINDOW], 1) << when;
    EXPECT_EQ(g_helpScroll, 0.0) << when;
    EXPECT_EQ(g_helpScrollBar.thumbTop, g_helpScrollBar.trackTop - 2) << when;
}

void RunInDialog(const std::string& folder, const std::function<void()>& body)
{
    EXPECT_EQ(RunMainDialog(folder, [&](CVelmonarDlg& dialog) {
        g_dialog = &dialog;
        g_animationsOn = 0;
        body();
    }), IDCANCEL);
}

TEST(HelpWindow, OpensAtTheTopInTheColourAndSizeOfTheMomentAndTheMenuButtonKeepsTheWindowMode)
{
    RunInDialog(VELMONAR_PROGRAM_DIR, [] {
        // The first start's language list: English.
        Click(WidgetIndex(PANEL_LANGUAGE_LIST, 2));
        ASSERT_EQ(g_language[0], 2);

        // The help button: the page at its top; scrolled to the end, closed.
        Press(g_captionButtonRect[3]);
        ExpectAtTheTop("first opening");
        const std::vector<bool> firstTop = PageTop(Screen(), 40);
        ASSERT_GT(std::count(firstTop.begin(), firstTop.end(), true), 50);
        Press(RECT{g_textTrackRect.left, g_textTrackRect.bottom - 3, g_textTrackRect.right, g_textTrackRect.bottom - 1});
        ASSERT_GT(g_helpScroll, 0.0);
        EXPECT_EQ(g_helpScroll, g_helpScrollBar.range);
        EXPECT_GT(Mismatch(firstTop, PageTop(Screen(), 40)), 0.5);
        Press(g_textCloseRect);
        ASSERT_EQ(g_panelVisible[PANEL_FLAG_TEXT_WINDOW], 0);

        // The 798 x 600 window, then a red panel colour from the colour editor.
        Press(g_captionButtonRect[1]);
        ASSERT_EQ(g_dialog->m_clientHeight, 600);
        Press(g_menuButtonRect);
        Click(WidgetIndex(PANEL_MAIN_MENU, 4));          // settings
        Click(WidgetIndex(PANEL_SETTINGS, 2));          // graphics options
        Click(89);                                       // the panel colour's preview
        ASSERT_EQ(g_panelVisible[PANEL_FLAG_COLOUR_EDITOR], 1);
        const RECT ramps[3] = {g_widgetHitRect[127], g_widgetHitRect[128], g_widgetHitRect[129]};
        PressAt(ramps[0].right - 1, (ramps[0].top + ramps[0].bottom) / 2);
        PressAt(ramps[1].left, (ramps[1].top + ramps[1].bottom) / 2);
        PressAt(ramps[2].left, (ramps[2].top + ramps[2].bottom) / 2);
        Click(133);                                      // OK
        ASSERT_GT(g_panelColour[0], 0.8);
        ASSERT_LT(g_panelColour[1], 0.1);
        Click(92);                                       // the graphics options' OK
        Click(WidgetIndex(PANEL_SETTINGS, 7));          // back to the menu
        // A colour change rebuilt the caption bar: the menu button stays shrunk.
        EXPECT_DOUBLE_EQ(g_menuButtonWidth, g_menuButtonBaseWidth / 1.2);

        // The rules entry: the page at its top again ...
        Click(3);
        ExpectAtTheTop("second opening");
        const Shot second = Screen();
        EXPECT_LT(Mismatch(firstTop, PageTop(second, 40)), 0.05);
        // ... its frame in the new colour along the window's top edge ...
        const int middle = static_cast<int>((g_textWindowLeft + g_textWindowRight) / 2);
        int red = 0;
        for (int y = static_cast<int>(g_textWindowTop) - 3; y < static_cast<int>(g_textWindowTop); ++y)
            red += second.At(middle, y)[0] > 150 && second.At(middle, y)[1] < 60 ? 1 : 0;
        EXPECT_GT(red, 0);
        // ... and made for this window's height (570 rows, uploaded as they
        // are or scaled to 512), not for the full screen's (1050).
        GLint frameHeight = 0;
        glBindTexture(GL_TEXTURE_2D, g_textWindowFrameTexture);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &frameHeight);
        EXPECT_GE(frameHeight, 512);
        EXPECT_LE(frameHeight, 570);
        Press(g_textCloseRect);
        ASSERT_EQ(g_panelVisible[PANEL_FLAG_MAIN_MENU], 1);

        // A language change in the window mode keeps the menu button shrunk.
        Click(WidgetIndex(PANEL_MAIN_MENU, 4));          // settings
        Click(WidgetIndex(PANEL_SETTINGS, 4));          // language
        Click(WidgetIndex(PANEL_LANGUAGE_LIST, 1));
        ASSERT_EQ(g_language[0], 1);
        EXPECT_DOUBLE_EQ(g_menuButtonWidth, g_menuButtonBaseWidth / 1.2);
        EXPECT_DOUBLE_EQ(g_menuButtonHeight, g_menuButtonBaseHeight / 1.2);
        EXPECT_DOUBLE_EQ(g_menuButtonRight - g_menuButtonLeft, g_menuButtonBaseWidth / 1.2);
        EXPECT_EQ(g_menuButtonRect.right, static_cast<int>(CAPTION_BAR_MARGIN + g_menuButtonBaseWidth / 1.2));
        Press(g_captionButtonRect[1]);                   // full screen again
        EXPECT_DOUBLE_EQ(g_menuButtonWidth, g_menuButtonBaseWidth);
    });
}

// A help file of three short lines: the page is drawn once, at the top of the
// window, and nothing of it repeats below.
TEST(HelpWindow, APageShorterThanTheWindowIsDrawnOnceAtTheTop)
{
    TempFolder folder("short_help");
    const std::string dir = folder.Path();
    const std::string program = VELMONAR_PROGRAM_DIR;
    ASSERT_EQ(std::system(("cp -r '" + program + "/.' '" + dir + "/' && rm -f '" + dir + "/konfig.ini'").c_str()), 0);
    std::ofstream(dir + "/language/1.hl", std::ios::binary) << "Rules\n\nThree   short   lines\n";
    RunInDialog(dir, [] {
        Press(g_captionButtonRect[3]);
        ASSERT_EQ(g_panelVisible[PANEL_FLAG_TEXT_WINDOW], 1);
        EXPECT_EQ(g_helpVisibleFraction, 1.0);
        EXPECT_EQ(g_helpScrollBar.range, 0.0);
        const double shownHeight = g_helpPageHeight * 770.0 / g_helpPageWidth;
        ASSERT_LT(shownHeight, g_textWindowTop - g_textWindowBottom);
        const int pageBottom = static_cast<int>(g_textWindowTop - shownHeight);
        const Shot shot = Screen();
        EXPECT_GT(BrightPixels(shot, pageBottom, static_cast<int>(g_textWindowTop)), 50);
        EXPECT_EQ(BrightPixels(shot, static_cast<int>(g_textWindowBottom) + 4, pageBottom - 2), 0);
        // Below the page the window keeps the page's dark colour.
        const Rgb below = shot.At(static_cast<int>(g_textWindowLeft) + 100, pageBottom - 40);
        EXPECT_LT(below[0], 40);
        EXPECT_LT(below[1], 40);
    });
}

}  // namespace
