#include "app/hover_tracking.h"

#include <algorithm>

#include "app/flow_hooks.h"
#include "app/game_state.h"
#include "interface/caption_bar.h"
#include "interface/interface_state.h"
#include "interface/language.h"
#include "interface/layout.h"
#include "interface/options.h"
#include "interface/text_window.h"
#include "interface/widgets.h"
#include "online/online_state.h"
#include "rules/board.h"
#include "scene/frame_state.h"
#include "scene/picking.h"
#include "scene/textures.h"

int g_prevHoverId = 0;
int g_prevHoverTray = -1;

namespace {

// The point of the current mouse move, for the tests below.
CPoint g_point;

bool Open(int flag)
{
    return g_panelVisible[flag] == 1;
}

void Hit(int widget, int id)
{
    if (WidgetHit(widget, g_point)) g_hoverId = id;
}

void HitEither(int widget, int other, int id)
{
    if (WidgetHit(widget, g_point) || WidgetHit(other, g_point)) g_hoverId = id;
}

// Widgets first..last give the ids from firstId on.
void HitRun(int first, int last, int firstId)
{
    for (int w = first; w <= last; ++w) Hit(w, firstId + (w - first));
}

// Knob offset of a slider under the pointer: whole pixels from the edge.
int OffsetFrom(int widget)
{
    return static_cast<int>(g_point.x - g_widgetLeft[widget]);
}

bool DragInside(int widget)
{
    return g_mouseHeld == 1 && WidgetHit(widget, g_point);
}

// --- the drags; each redraws and ends the mouse move ---

bool DragPieceScale()
{
    if (!DragInside(WIDGET_PIECE_SCALE_SLIDER)) return false;
    g_pieceScaleSliderPos[0] = OffsetFrom(WIDGET_PIECE_SCALE_SLIDER);
    g_pieceScale = PieceScaleFromSlider(g_pieceScaleSliderPos[0]);
    ScalePieceModels();
    g_flowHooks.renderFrame();
    return true;
}

bool DragReflection()
{
    if (!DragInside(WIDGET_REFLECTION_SLIDER)) return false;
    g_reflectionSliderPos[0] = OffsetFrom(WIDGET_REFLECTION_SLIDER);
    g_reflectionAlpha = ReflectionFromSlider(g_reflectionSliderPos[0]);
    g_flowHooks.renderFrame();
    return true;
}

bool DragBrightness()
{
    if (!DragInside(WIDGET_BRIGHTNESS_SLIDER)) return false;
    // Measured from the reflection slider's edge, which both sliders share.
    g_brightnessSliderPos[0] = OffsetFrom(WIDGET_REFLECTION_SLIDER);
    g_pieceBrightness = BrightnessFromSlider(g_brightnessSliderPos[0]);
    g_flowHooks.buildPieceTextures(0);
    g_flowHooks.renderFrame();
    return true;
}

// The edited colour becomes the live colour of its slot at once.
void ApplyEditedColour()
{
    const int slot = g_colourEditSlot;
    if (slot < COLOUR_BOARD || slot > COLOUR_PANEL) return;
    g_tintR[slot] = g_colourEditValue[0] / 255.0;
    g_tintG[slot] = g_colourEditValue[1] / 255.0;
    g_tintB[slot] = g_colourEditValue[2] / 255.0;
    if (slot == COLOUR_PLAYER_PIECES || slot == COLOUR_OPPONENT_PIECES) ApplySideTint(slot);
    if (slot == COLOUR_PANEL) {
        g_panelColour[0] = g_tintR[slot];
        g_panelColour[1] = g_tintG[slot];
        g_panelColour[2] = g_tintB[slot];
        g_flowHooks.rebuildPanelTextures(0);
    }
}

bool DragColourRamp()
{
    for (int channel = 0; channel < 3; ++channel) {
        const int ramp = WIDGET_COLOUR_RAMP_FIRST + channel;
        if (g_dragKnob[channel] != 1 || !DragInside(ramp)) continue;
        g_colourEditValue[channel] = OffsetFrom(ramp);
        ApplyEditedColour();
        g_flowHooks.renderFrame();
        return true;
    }
    return false;
}

bool DragHelpThumb(int clientHeight)
{
    if (g_mouseHeld != 1 || g_dragScrollThumb != 1) return false;
    // A page that fits the window has nothing to scroll.
    if (g_helpScrollBar.range > 0.0) {
        g_helpScroll = HelpScrollFromMouseY(g_point.y, clientHeight, g_helpScrollBar.range);
        PlaceHelpThumb(g_helpScrollBar, g_helpScroll);
        g_flowHooks.renderFrame();
    }
    return true;
}

// --- the hover tests, in their order; a later hit wins ---

void TestCaptionBar()
{
    if (Open(PANEL_FLAG_TEXT_WINDOW)) return;
    for (int k = 0; k < 4; ++k)
        if (PtInRect(&g_captionButtonRect[k], g_point)) g_hoverId = HOVER_CAPTION_CLOSE + k;
    if (PtInRect(&g_menuButtonRect, g_point)) g_hoverId = HOVER_MENU_BUTTON;
}

// The game options' five choices light only while not chosen.
void TestGameOptions()
{
    const int* const edited[5] = {&g_editAiQuickSearch, &g_editAiLevel2, &g_editAiLevel3, &g_editSpareOption1,
                                  &g_editComputerMovesFirst};
    const int boxes[5][3] = {{53, 52, HOVER_AI_QUICK_SEARCH},
                             {55, 54, HOVER_AI_LEVEL2},
                             {57, 56, HOVER_AI_LEVEL3},
                             {60, 59, HOVER_PLAYER_FIRST},
                             {62, 61, HOVER_COMPUTER_FIRST}};
    for (int i = 0; i < 5; ++i)
        if (*edited[i] == 0) HitEither(boxes[i][0], boxes[i][1], boxes[i][2]);
    HitEither(64, 65, HOVER_ANIMATIONS);
    Hit(69, HOVER_GAME_OPTIONS_OK);
    Hit(70, HOVER_GAME_OPTIONS_CANCEL);
}

void TestGraphicsOptions()
{
    for (int row = 0; row < 6; ++row) HitEither(79 + 2 * row, 78 + 2 * row, HOVER_GRAPHICS_ROW_FIRST + row);
    Hit(92, HOVER_GRAPHICS_OK);
    Hit(93, HOVER_GRAPHICS_CANCEL);
}

void TestLanguageList()
{
    const int rows = std::min(g_languageCount - 1, LANGUAGE_LIST_MAX - 1);
    for (int row = 1; row <= rows; ++row)
        Hit(WidgetIndex(PANEL_LANGUAGE_LIST, row), HOVER_LANGUAGE_ROW_BASE + row);
}

// The flagged panels in entry order; true when a drag took the move.
bool TestPanels()
{
    if (Open(PANEL_FLAG_MAIN_MENU))
        for (int w = 0; w <= 7; ++w) {
            const int id = HOVER_MAIN_MENU_FIRST + w;
            if (id == HOVER_SAVE_GAME && (g_setupPhase != 0 || g_onlineGame != 0)) continue;
            Hit(w, id);
        }
    if (Open(PANEL_FLAG_SETTINGS)) HitRun(26, 32, HOVER_SETTINGS_FIRST);
    if (Open(PANEL_FLAG_GAME_OPTIONS)) {
        if (DragPieceScale()) return true;
        TestGameOptions();
    }
    if (Open(PANEL_FLAG_GRAPHICS_OPTIONS)) {
        if (DragReflection() || DragBrightness()) return true;
        TestGraphicsOptions();
    }
    if (Open(PANEL_FLAG_EXTRA_OPTIONS)) {
        HitEither(104, 103, HOVER_EXTRA_ROW_FIRST);
        HitEither(106, 105, HOVER_EXTRA_ROW_FIRST + 1);
        HitRun(107, 108, HOVER_EXTRA_OK);
    }
    if (Open(PANEL_FLAG_COLOUR_EDITOR)) {
        if (DragColourRamp()) return true;
        HitRun(133, 134, HOVER_COLOUR_OK);
    }
    if (Open(PANEL_FLAG_SAVE_SLOTS)) HitRun(151, 157, HOVER_SAVE_SLOT_FIRST);
    if (Open(PANEL_FLAG_SAVE_CONFIRM)) HitRun(179, 180, HOVER_SAVE_CONFIRM_YES);
    if (Open(PANEL_FLAG_LOAD_LIST)) HitRun(201, 207, HOVER_LOAD_ROW_FIRST);
    if (Open(PANEL_FLAG_LOAD_CONFIRM)) HitRun(230, 231, HOVER_LOAD_CONFIRM_YES);
    if (Open(PANEL_FLAG_NEW_GAME_CONFIRM)) HitRun(254, 255, HOVER_NEW_GAME_YES);
    if (Open(PANEL_FLAG_EXIT_CONFIRM)) HitRun(278, 279, HOVER_EXIT_YES);
    if (Open(PANEL_FLAG_RESET_CONFIRM)) HitRun(304, 305, HOVER_RESET_YES);
    if (Open(PANEL_FLAG_LANGUAGE_LIST)) TestLanguageList();
    if (Open(PANEL_FLAG_ABOUT)) HitRun(352, 353, HOVER_ABOUT_WEB_SITE);
    if (Open(PANEL_FLAG_GAME_OVER)) Hit(378, HOVER_GAME_OVER_OK);
    if (Open(PANEL_FLAG_ONLINE_GAME)) HitRun(401, 403, HOVER_ONLINE_GAME_FIRST);
    return false;
}

// Menu mode: the text window, then the panels; true when a drag took the move.
bool TestMenu(int clientHeight)
{
    if (Open(PANEL_FLAG_TEXT_WINDOW)) {
        if (DragHelpThumb(clientHeight)) return true;
        if (PtInRect(&g_textCloseRect, g_point)) g_hoverId = HOVER_TEXT_CLOSE;
    }
    return TestPanels();
}

void TestPanelsShownByState()
{
    if (NewsBannerShown()) Hit(WIDGET_NEWS_BANNER, HOVER_NEWS_BANNER);
    if (SetupChoiceShown()) {
        Hit(WIDGET_SETUP_AUTOMATIC, HOVER_SETUP_AUTOMATIC);
        Hit(WIDGET_SETUP_MANUAL, HOVER_SETUP_MANUAL);
    }
    if (OnlineBannerShown())
        for (int w = WIDGET_ONLINE_BANNER_FIRST; w < WIDGET_ONLINE_BANNER_FIRST + 3; ++w)
            if (WidgetHit(w, g_point)) {
                g_hoverId = HOVER_ONLINE_BANNER;
                g_blinkStep = 0;  // the banner stands still while hovered
            }
}

// With the board active, the square or tray slot under the pointer.
void PickBoard(int clientHeight)
{
    g_pickPoint[0] = g_point.x;
    g_pickPoint[1] = clientHeight - g_point.y;
    g_prevHoverSquare[0] = g_hoverRow[0];
    g_prevHoverSquare[1] = g_hoverRow[1];
    g_prevHoverTray = g_hoverTraySlot;
    if (g_setupMode == 1) g_flowHooks.pickUnderMouse();
    if (g_hoverRow[0] != g_prevHoverSquare[0] || g_hoverRow[1] != g_prevHoverSquare[1] ||
        g_hoverTraySlot != g_prevHoverTray)
        g_flowHooks.renderFrame();
}

}  // namespace

bool TrackMouseMove(CPoint point, int clientHeight)
{
    if (g_sceneReady == 0 || g_fadeInProgress == 1) return false;
    g_point = point;
    g_prevHoverId = g_hoverId;
    g_hoverId = HOVER_NONE;

    TestCaptionBar();
    if (Open(PANEL_FLAG_MENU_MODE) && TestMenu(clientHeight)) return false;
    TestPanelsShownByState();

    if (g_hoverId != g_prevHoverId) g_flowHooks.renderFrame();
    // While the menu is open the board is not picked: the hovered square keeps its value.
    if (!Open(PANEL_FLAG_MENU_MODE)) PickBoard(clientHeight);
    return true;
}
