// The widget table's shared rules: hit rectangles, the panel maps and the
// panels shown by state.
#include <gtest/gtest.h>

#include "interface/interface_state.h"
#include "interface/layout_rules.h"
#include "interface/widgets.h"
#include "online/online_state.h"
#include "rules/board.h"
#include "scene/frame_state.h"

namespace {

TEST(WidgetTable, HitRectanglesTruncateTheEdgesAndKeepOnlyLeftAndTopInside)
{
    // A widget 101 wide centred at x 400 (350.5 .. 451.5), 20.7 high near
    // the top of a 600-high client.
    const int w = WidgetIndex(PANEL_MAIN_MENU, 3);
    g_widgetLeft[w] = 350.5;
    g_widgetRight[w] = 451.5;
    g_widgetTop[w] = 580.9;
    g_widgetBottom[w] = 560.2;
    SetWidgetHitRect(w, 600);
    EXPECT_EQ(g_widgetHitRect[w].left, 350);
    EXPECT_EQ(g_widgetHitRect[w].right, 451);
    EXPECT_EQ(g_widgetHitRect[w].top, 19);     // 600 - 580.9 = 19.1
    EXPECT_EQ(g_widgetHitRect[w].bottom, 39);  // 600 - 560.2 = 39.8

    // Left and top edges inside, right and bottom edges outside.
    for (const POINT p : {POINT{350, 19}, POINT{450, 38}}) EXPECT_TRUE(WidgetHit(w, p)) << p.x << "," << p.y;
    for (const POINT p : {POINT{451, 20}, POINT{400, 39}, POINT{349, 20}, POINT{400, 18}})
        EXPECT_FALSE(WidgetHit(w, p)) << p.x << "," << p.y;
    EXPECT_FALSE(WidgetHit(-1, POINT{0, 0}));
    EXPECT_FALSE(WidgetHit(WIDGET_COUNT, POINT{0, 0}));
    SetWidgetHitRect(WIDGET_COUNT, 600);  // out of the table: nothing written
    const LayoutFrame f = LayoutFrameFor(800, 600);
    PlaceWidget(WIDGET_COUNT, 0, 0, f);
    PlaceWidget(-1, 0, 0, f);
}

TEST(WidgetTable, PanelsMapToTheirFlagsAndTextGroups)
{
    EXPECT_EQ(WidgetIndex(PANEL_ONLINE_BANNER, 2), 502);
    EXPECT_EQ(WidgetIndex(PANEL_LANGUAGE_LIST, 1), 326);
    for (int panel = PANEL_MAIN_MENU; panel <= PANEL_ABOUT; ++panel) EXPECT_EQ(PanelFlagOfPanel(panel), panel + 1);
    EXPECT_EQ(PanelFlagOfPanel(PANEL_LANGUAGE_LIST), PANEL_FLAG_LANGUAGE_LIST);
    EXPECT_EQ(PanelFlagOfPanel(PANEL_ABOUT), PANEL_FLAG_ABOUT);
    EXPECT_EQ(PanelFlagOfPanel(PANEL_GAME_OVER), PANEL_FLAG_GAME_OVER);
    EXPECT_EQ(PanelFlagOfPanel(PANEL_ONLINE_GAME), PANEL_FLAG_ONLINE_GAME);
    for (int panel : {17, 18, 19, 20, 21, -1}) EXPECT_EQ(PanelFlagOfPanel(panel), -1) << panel;

    const std::pair<int, int> groups[] = {{PANEL_RESET_CONFIRM, 12}, {PANEL_LANGUAGE_LIST, -1}, {PANEL_ABOUT, 13},
                                          {PANEL_GAME_OVER, 14},     {PANEL_ONLINE_STATUS, 16}, {PANEL_NEWS_BANNER, -1},
                                          {PANEL_SETUP_CHOICE, 17},  {PANEL_ONLINE_BANNER, 18}, {21, -1}};
    for (const auto& [panel, group] : groups) EXPECT_EQ(TextGroupOfPanel(panel), group) << panel;
}

TEST(WidgetTable, PanelsShownByStateFollowTheirFourConditions)
{
    for (int& flag : g_panelVisible) flag = 0;
    g_onlineGame = 0;
    g_onlineBannerOn = 0;
    g_setupMode = 0;
    g_setupPhase = 1;
    EXPECT_FALSE(OnlineStatusShown());
    EXPECT_TRUE(NewsBannerShown());
    EXPECT_TRUE(SetupChoiceShown());
    EXPECT_FALSE(OnlineBannerShown());

    g_onlineBannerOn = 1;
    EXPECT_TRUE(OnlineBannerShown());
    g_onlineGame = 1;  // in an online game: the status instead of the banner
    EXPECT_TRUE(OnlineStatusShown());
    EXPECT_FALSE(OnlineBannerShown());

    g_panelVisible[PANEL_FLAG_MENU_MODE] = 1;  // the menu hides the banner and the choice, not the status
    EXPECT_FALSE(NewsBannerShown());
    EXPECT_FALSE(SetupChoiceShown());
    EXPECT_TRUE(OnlineStatusShown());
    g_panelVisible[PANEL_FLAG_TEXT_WINDOW] = 1;  // the text window hides the status
    EXPECT_FALSE(OnlineStatusShown());

    g_panelVisible[PANEL_FLAG_MENU_MODE] = g_panelVisible[PANEL_FLAG_TEXT_WINDOW] = 0;
    g_setupMode = 1;
    EXPECT_FALSE(SetupChoiceShown());
    g_setupMode = 0;
    g_setupPhase = 0;
    EXPECT_FALSE(SetupChoiceShown());

    g_onlineGame = 0;
    g_onlineBannerOn = 0;
    g_setupMode = 1;
    g_setupPhase = 1;
}

}  // namespace
