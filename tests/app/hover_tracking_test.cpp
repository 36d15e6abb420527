// Hover tracking through the main dialog's mouse-move handler, with hit
// rectangles written by the test: every hover id and its condition, the
// redraws, the pick of the board, and the drags.
#include <gtest/gtest.h>

#include "app/VelmonarDlg.h"
#include "app/flow_hooks.h"
#include "app/game_state.h"
#include "interface/caption_bar.h"
#include "interface/interface_state.h"
#include "interface/language.h"
#include "interface/layout.h"
#include "interface/options.h"
#include "interface/widgets.h"
#include "online/online_state.h"
#include "rules/board.h"
#include "scene/board_geometry.h"
#include "scene/frame_state.h"
#include "scene/geo_model.h"
#include "scene/picking.h"
#include "tests/app/flow_recorder.h"

namespace {

const RECT SPOT = {100, 100, 140, 120};
const CPoint INSIDE(110, 110), OUTSIDE(500, 500);

class HoverTracking : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallFlowRecorder();
        StartFlowGame();
        for (RECT& r : g_widgetHitRect) r = RECT{0, 0, 0, 0};
        g_setupPhase = 1;
        g_mouseHeld = 0;
        g_hoverId = 0;
        g_editAiQuickSearch = g_editAiLevel2 = g_editAiLevel3 = g_editSpareOption1 = g_editComputerMovesFirst = 0;
        dialog.m_clientHeight = 800;
    }
    int HoverAt(CPoint p)
    {
        dialog.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
        return g_hoverId;
    }
    static void Open(int flag)
    {
        for (int& f : g_panelVisible) f = 0;
        g_panelVisible[PANEL_FLAG_MENU_MODE] = 1;
        g_panelVisible[flag] = 1;
    }
    // The hover id over the one widget with a hit rectangle, its panel open.
    int IdAt(int widget, int flag)
    {
        for (RECT& r : g_widgetHitRect) r = RECT{0, 0, 0, 0};
        g_widgetHitRect[widget] = SPOT;
        Open(flag);
        return HoverAt(INSIDE);
    }
    CVelmonarDlg dialog;
};

TEST_F(HoverTracking, EveryElementHasItsIdUnderItsConditionAndTheLaterHitWins)
{
    const int rows[][3] = {  // panel flag, widget, id: the first and last of each panel
        {1, 0, 6},     {1, 7, 13},    {2, 26, 15},   {2, 32, 21},   {3, 52, 22},   {3, 62, 31},   {3, 65, 35},
        {3, 70, 33},   {4, 79, 36},   {4, 93, 44},   {5, 103, 46},  {5, 108, 49},  {6, 133, 53},  {6, 134, 54},
        {7, 151, 60},  {7, 157, 66},  {8, 180, 69},  {9, 201, 71},  {9, 207, 77},  {10, 230, 79}, {11, 255, 83},
        {12, 278, 85}, {13, 305, 89}, {14, 326, 90}, {14, 327, 91}, {15, 353, 111}, {17, 378, 112},
        {18, 401, 130}, {18, 403, 132},
    };
    g_languageCount = 3;  // rows 1 and 2
    for (const auto& row : rows) {
        SCOPED_TRACE(row[1]);
        EXPECT_EQ(IdAt(row[1], row[0]), row[2]);
        EXPECT_EQ(HoverAt(OUTSIDE), 0);
        g_panelVisible[PANEL_FLAG_MENU_MODE] = 0;
        EXPECT_EQ(HoverAt(INSIDE), 0) << "panels answer only in menu mode";
    }
    EXPECT_EQ(IdAt(328, PANEL_FLAG_LANGUAGE_LIST), 0) << "no third language";
    EXPECT_EQ(IdAt(2, PANEL_FLAG_MAIN_MENU), 0) << "no saving during the setup";
    g_setupPhase = 0;
    EXPECT_EQ(IdAt(2, PANEL_FLAG_MAIN_MENU), 8);
    g_setupPhase = 1;
    g_editAiLevel2 = 1;
    EXPECT_EQ(IdAt(54, PANEL_FLAG_GAME_OPTIONS), 0) << "a ticked choice lights no more";
    g_editAiLevel2 = 0;

    // The caption bar, but not over the text window; there its close button.
    for (RECT& r : g_widgetHitRect) r = RECT{0, 0, 0, 0};
    for (int& f : g_panelVisible) f = 0;
    g_captionButtonRect[2] = CRect(SPOT);
    EXPECT_EQ(HoverAt(INSIDE), 3);
    g_menuButtonRect = CRect(SPOT);
    EXPECT_EQ(HoverAt(INSIDE), 5);
    g_textCloseRect = CRect(SPOT);
    Open(PANEL_FLAG_TEXT_WINDOW);
    EXPECT_EQ(HoverAt(INSIDE), 115);
    Open(PANEL_FLAG_MAIN_MENU);
    g_widgetHitRect[0] = SPOT;
    EXPECT_EQ(HoverAt(INSIDE), 6) << "the menu entry is tested after the caption bar";
    g_captionButtonRect[2] = g_menuButtonRect = g_textCloseRect = CRect();

    // Menu closed: the news banner; the setup choice over it while offered;
    // the online banner, which stops blinking.
    for (int& f : g_panelVisible) f = 0;
    g_widgetHitRect[WIDGET_NEWS_BANNER] = g_widgetHitRect[WIDGET_SETUP_AUTOMATIC] = SPOT;
    g_widgetHitRect[WIDGET_ONLINE_BANNER_FIRST + 1] = SPOT;
    EXPECT_EQ(HoverAt(INSIDE), 150);
    g_setupMode = 0;
    EXPECT_EQ(HoverAt(INSIDE), 170);
    g_onlineBannerOn = 1;
    g_blinkStep = 4;
    EXPECT_EQ(HoverAt(INSIDE), 180);
    EXPECT_EQ(g_blinkStep, 0);
    g_onlineGame = 1;
    EXPECT_EQ(HoverAt(INSIDE), 170);
    g_onlineGame = g_onlineBannerOn = 0;
    g_setupMode = 1;
}

TEST_F(HoverTracking, RedrawsOnlyOnAChangeAndPicksOnlyWithTheBoardActive)
{
    g_widgetHitRect[WIDGET_NEWS_BANNER] = SPOT;
    static int pickX;
    g_flowHooks.pickUnderMouse = [] { g_hoverRow[0] = pickX < 300 ? 4 : 0; };
    const auto frames = [&](CPoint p) {
        pickX = p.x;
        ClearFlowEvents();
        HoverAt(p);
        return Frames().size();
    };
    EXPECT_EQ(frames(OUTSIDE), 0u);
    EXPECT_EQ(frames(INSIDE), 2u) << "onto the banner and a square";
    EXPECT_EQ(frames(CPoint(112, 111)), 0u);
    EXPECT_EQ(frames(CPoint(200, 300)), 1u) << "off the banner, same square";
    EXPECT_EQ(g_pickPoint[1], 500);

    Open(PANEL_FLAG_MAIN_MENU);  // the menu open: no pick, the square stays
    EXPECT_EQ(frames(OUTSIDE), 0u);
    EXPECT_EQ(g_hoverRow[0], 4);
    for (int& f : g_panelVisible) f = 0;
    g_setupMode = 2;  // the automatic placement runs: no pick either
    EXPECT_EQ(frames(OUTSIDE), 0u);
    EXPECT_EQ(g_hoverRow[0], 4);
    g_setupMode = 1;
    g_fadeInProgress = 1;
    frames(INSIDE);
    EXPECT_TRUE(FlowEvents().empty()) << "nothing while the scene fades in";
    g_fadeInProgress = 0;
}

TEST_F(HoverTracking, DragsFollowThePointerInsideTheirRectanglesWhileTheButtonIsHeld)
{
    for (int n = 1; n <= 4; ++n) {
        g_models[n].posX = g_models[n].posY = g_models[n].posZ = {0.0};
        for (int axis = 0; axis < 3; ++axis) g_unscaledPieceVertices[3 * (n - 1) + axis] = {2.0};
    }
    const auto drag = [&](int flag, int widget, int left, int x) {
        Open(flag);
        g_widgetHitRect[widget] = RECT{left + 3, 100, left + 280, 120};
        g_widgetLeft[widget] = left;
        g_mouseHeld = 1;
        ClearFlowEvents();
        HoverAt(CPoint(x, 110));
    };
    drag(PANEL_FLAG_GAME_OPTIONS, WIDGET_PIECE_SCALE_SLIDER, 100, 150);
    EXPECT_EQ(g_pieceScaleSliderPos[0], 50);
    EXPECT_DOUBLE_EQ(g_pieceScale, 2.1 - 50 / 1420.0);
    EXPECT_DOUBLE_EQ(g_models[4].posZ[0], 2.0 / g_pieceScale) << "the models rescaled";
    EXPECT_EQ(FlowNames(), std::vector<std::string>{"frame"});
    drag(PANEL_FLAG_GAME_OPTIONS, WIDGET_PIECE_SCALE_SLIDER, 100, 390);
    EXPECT_EQ(g_pieceScaleSliderPos[0], 50) << "past the end the value stays";

    drag(PANEL_FLAG_GRAPHICS_OPTIONS, WIDGET_REFLECTION_SLIDER, 200, 300);
    EXPECT_DOUBLE_EQ(g_reflectionAlpha, 100 / 255.0);
    g_widgetHitRect[WIDGET_BRIGHTNESS_SLIDER] = RECT{203, 130, 480, 150};
    HoverAt(CPoint(330, 140));  // measured from the reflection slider's edge
    EXPECT_EQ(g_brightnessSliderPos[0], 130);
    EXPECT_EQ(g_pieceBrightness, 50);
    EXPECT_EQ(FlowNames(), (std::vector<std::string>{"frame", "pieceTextures", "frame"}));
    g_mouseHeld = 0;
    HoverAt(CPoint(340, 140));
    EXPECT_EQ(g_brightnessSliderPos[0], 130) << "only while the button is held";

    g_colourEditValue[0] = 10;
    g_colourEditSlot = COLOUR_PANEL;
    drag(PANEL_FLAG_COLOUR_EDITOR, WIDGET_COLOUR_RAMP_FIRST + 1, 50, 178);
    EXPECT_EQ(g_colourEditValue[1], 0) << "its knob is not grabbed";
    g_dragKnob[1] = 1;
    HoverAt(CPoint(178, 110));
    EXPECT_EQ(g_colourEditValue[1], 128);
    EXPECT_DOUBLE_EQ(g_tintG[COLOUR_PANEL], 128 / 255.0);
    EXPECT_DOUBLE_EQ(g_panelColour[0], 10 / 255.0);
    EXPECT_EQ(FlowNames(), (std::vector<std::string>{"panelTextures", "frame"}));
    g_dragKnob[1] = 0;
    g_colourEditSlot = 0;

    // The help thumb follows the pointer (its maths is the interface's).
    Open(PANEL_FLAG_TEXT_WINDOW);
    g_dragScrollThumb = g_mouseHeld = 1;
    g_helpScrollBar = HelpScrollBar{700, 720, 700, 100, 702, 718, 698, 695, 0.5};
    HoverAt(CPoint(710, 400));  // half way down the track
    EXPECT_DOUBLE_EQ(g_helpScroll, 0.25);
    g_dragScrollThumb = g_mouseHeld = 0;
}

}  // namespace
