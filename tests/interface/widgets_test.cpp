// The widget table's rules: hit rectangles from overlay edges, the panel,
// flag and text-group maps, and the help text's scrolling that the thumb,
// the track and the wheel share.
#include <gtest/gtest.h>

#include <cmath>

#include "interface/help_scroll.h"
#include "interface/interface_state.h"
#include "interface/widgets.h"
#include "online/online_state.h"
#include "scene/frame_state.h"

namespace {

TEST(WidgetTable, HitRectanglesAndTheMapsOfPanelsFlagsAndTextGroups)
{
    const RECT r = HitRectFromEdges(10.7, 500.9, 60.2, 480.1, 600);
    EXPECT_EQ(r.left * 1000000 + r.top * 10000 + r.right * 100 + r.bottom, 10996119) << "10, 99, 60, 119";
    EXPECT_EQ(HitRectFromEdges(-3.7, 610.5, 4.0, 0.0, 600).left, -3) << "toward zero";
    EXPECT_EQ(HitRectFromEdges(-3.7, 610.5, 4.0, 0.0, 600).top, -10);
    EXPECT_TRUE(PointInRect(r, CPoint(10, 99)));
    EXPECT_FALSE(PointInRect(r, CPoint(60, 100))) << "the right edge is outside";
    EXPECT_FALSE(PointInRect(r, CPoint(30, 119))) << "the bottom edge is outside";
    const int w = WidgetIndex(PANEL_SETUP_CHOICE, 1);
    EXPECT_EQ(w, 476);
    g_widgetLeft[w] = 300.5;
    g_widgetRight[w] = 420.0;
    g_widgetTop[w] = 250.0;
    g_widgetBottom[w] = 220.0;
    SetWidgetHitRect(w, 768);
    EXPECT_TRUE(PointInWidget(w, CPoint(300, 518)));
    EXPECT_FALSE(PointInWidget(WIDGET_COUNT, CPoint(0, 0)));

    for (int flag = PANEL_FLAG_MAIN_MENU; flag < PANEL_FLAG_COUNT; ++flag)
        EXPECT_EQ(PanelFlagOf(PanelOfFlag(flag)), flag);
    EXPECT_EQ(PanelOfFlag(PANEL_FLAG_ABOUT), PANEL_ABOUT);
    EXPECT_EQ(PanelOfFlag(PANEL_FLAG_TEXT_WINDOW), PANEL_TEXT_WINDOW);
    EXPECT_EQ(PanelOfFlag(PANEL_FLAG_GAME_OVER), PANEL_GAME_OVER);
    EXPECT_EQ(PanelOfFlag(PANEL_FLAG_MENU_MODE), -1);
    for (int panel = PANEL_ONLINE_STATUS; panel <= PANEL_ONLINE_BANNER; ++panel) EXPECT_EQ(PanelFlagOf(panel), -1);
    const int groups[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, -1, 13, 14, 15, 16, -1, 17, 18, -1};
    for (int panel = 0; panel <= PANEL_TEXT_WINDOW; ++panel) EXPECT_EQ(TextGroupOf(panel), groups[panel]) << panel;

    for (int& flag : g_panelVisible) flag = 0;
    g_onlineGame = 1;
    EXPECT_TRUE(OnlineStatusShown());
    g_panelVisible[PANEL_FLAG_TEXT_WINDOW] = 1;
    EXPECT_FALSE(OnlineStatusShown()) << "hidden under the text window";
    g_panelVisible[PANEL_FLAG_TEXT_WINDOW] = 0;
    g_onlineGame = 0;
}

TEST(HelpScroll, PointerWheelAndSnappingMoveOneThumbAndAPageThatFitsNothing)
{
    // Track from y 100 to 700 (y up) in a client 800 high: window y 100 to 700.
    g_helpScrollBar = HelpScrollBar{700, 720, 700, 100, 0, 0, 0, 0, 0.8};
    EXPECT_TRUE(ScrollHelpToPointer(250, 800));
    EXPECT_DOUBLE_EQ(g_helpScroll, 0.2);
    EXPECT_DOUBLE_EQ(g_helpScrollBar.thumbLeft + g_helpScrollBar.thumbRight, 1420);
    EXPECT_DOUBLE_EQ(g_helpScrollBar.thumbTop, 0.75 * 700 + 5);
    EXPECT_TRUE(ScrollHelpToPointer(104, 800));  // near the top: snaps to it
    EXPECT_EQ(g_helpScroll, 0.0);
    EXPECT_DOUBLE_EQ(g_helpScrollBar.thumbTop, 698);
    EXPECT_TRUE(ScrollHelpToPointer(690, 800));  // near the end: snaps to it
    EXPECT_DOUBLE_EQ(g_helpScroll, 0.8);
    EXPECT_DOUBLE_EQ(g_helpScrollBar.thumbBottom, 102);
    EXPECT_TRUE(ScrollHelpByWheel(120));
    EXPECT_NEAR(g_helpScroll, 0.68, 1e-12);
    EXPECT_TRUE(ScrollHelpTo(std::nan("")));
    EXPECT_EQ(g_helpScroll, 0.0);

    for (double range : {0.0, -0.3}) {
        g_helpScrollBar = HelpScrollBar{700, 720, 700, 100, 702, 718, 698, 695, range};
        EXPECT_FALSE(ScrollHelpToPointer(400, 800));
        EXPECT_FALSE(ScrollHelpByWheel(-360));
        EXPECT_EQ(g_helpScroll + g_helpScrollBar.range, 0.0);
        EXPECT_EQ(g_helpScrollBar.thumbTop, 698) << "the thumb stays at its top place";
    }
}

}  // namespace
