// The widget table: every caption, button, check box, slider and list row of
// the overlay's 21 panels in one set of parallel tables, indexed by
// 25 x panel + item. Builders write sizes, gaps and textures; layouts write
// the edges and hit rectangles; drawers and mouse handlers read them.
#pragma once

#include <GL/gl.h>

#include "platform/window.h"

constexpr int PANEL_COUNT = 25;          // panel slots; 0 to 20 are used
constexpr int PANEL_ITEMS = 25;          // items per panel
constexpr int WIDGET_COUNT = PANEL_COUNT * PANEL_ITEMS;

enum Panel {
    PANEL_MAIN_MENU = 0,
    PANEL_SETTINGS = 1,
    PANEL_GAME_OPTIONS = 2,
    PANEL_GRAPHICS_OPTIONS = 3,
    PANEL_EXTRA_OPTIONS = 4,
    PANEL_COLOUR_EDITOR = 5,
    PANEL_SAVE_SLOTS = 6,
    PANEL_SAVE_CONFIRM = 7,
    PANEL_LOAD_LIST = 8,
    PANEL_LOAD_CONFIRM = 9,
    PANEL_NEW_GAME_CONFIRM = 10,
    PANEL_EXIT_CONFIRM = 11,
    PANEL_RESET_CONFIRM = 12,
    PANEL_LANGUAGE_LIST = 13,
    PANEL_ABOUT = 14,
    PANEL_GAME_OVER = 15,
    PANEL_ONLINE_GAME = 16,
    PANEL_ONLINE_STATUS = 17,
    PANEL_NEWS_BANNER = 18,
    PANEL_SETUP_CHOICE = 19,
    PANEL_ONLINE_BANNER = 20,
    PANEL_USED_COUNT = 21,
    PANEL_TEXT_WINDOW = -1,  // has its own geometry, no widgets
};

// Edges in overlay coordinates (client pixels, origin bottom left, y up).
extern double g_widgetLeft[WIDGET_COUNT];
extern double g_widgetRight[WIDGET_COUNT];
extern double g_widgetTop[WIDGET_COUNT];
extern double g_widgetBottom[WIDGET_COUNT];
// Size on screen in pixels (height 0 for an empty text) and the vertical
// distance to the widget stacked above.
extern int g_widgetWidth[WIDGET_COUNT];
extern int g_widgetHeight[WIDGET_COUNT];
extern int g_widgetGap[WIDGET_COUNT];
// Hit rectangle in window coordinates (y down).
extern RECT g_widgetHitRect[WIDGET_COUNT];
// Normal caption texture, and the one shown while hovered (or selected).
extern GLuint g_widgetTexture[WIDGET_COUNT];
extern GLuint g_widgetHotTexture[WIDGET_COUNT];
// Height of each panel's stacked column, accumulated by the start-up build.
extern int g_panelHeight[PANEL_COUNT];
// 1 while a rebuild must leave the panel heights as they are.
extern int g_panelHeightsFixed;

constexpr int WidgetIndex(int panel, int item)
{
    return PANEL_ITEMS * panel + item;
}

// The g_panelVisible entry that opens a panel (PanelFlag), -1 for the panels
// shown by state (17 to 20) and for numbers outside 0..20.
int PanelFlagOfPanel(int panel);
// The language text group of a panel: the panel number up to 12, none (-1)
// for the language list and the news banner, the panel number minus 1 from
// the about panel to the online status, minus 2 for the last two panels.
int TextGroupOfPanel(int panel);

// The four panels shown by state rather than by a flag; the hover tracking
// and the drawers ask the same questions.
bool OnlineStatusShown();  // online game running, text window closed
bool NewsBannerShown();    // menu mode off
bool SetupChoiceShown();   // menu mode off, setup choice offered, setup phase
bool OnlineBannerShown();  // banner on, text window closed, no online game

// The hit-rectangle rule every layout uses: the widget's edges in window
// coordinates, each truncated toward zero.
RECT HitRectFromEdges(double left, double top, double right, double bottom, int clientHeight);
// Sets g_widgetHitRect[index] from the widget's edges.
void SetWidgetHitRect(int index, int clientHeight);
// Whether a window point lies in the widget's hit rectangle (left and top
// edges inside, right and bottom outside).
bool WidgetHit(int index, POINT point);

// Hover ids: the interactive element under the cursor, not a widget index.
enum HoverId {
    HOVER_NONE = 0,
    HOVER_CAPTION_CLOSE = 1,
    HOVER_CAPTION_MAXIMISE = 2,
    HOVER_CAPTION_MINIMISE = 3,
    HOVER_CAPTION_HELP = 4,
    HOVER_MENU_BUTTON = 5,
    HOVER_MAIN_MENU_FIRST = 6,       // 6..13: widgets 0..7
    HOVER_SAVE_GAME = 8,             // widget 2, only outside setup and online play
    HOVER_SETTINGS_FIRST = 15,       // 15..21: widgets 26..32
    HOVER_AI_QUICK_SEARCH = 22,      // game options, rows shown only while their value is 0
    HOVER_AI_LEVEL2 = 24,
    HOVER_AI_LEVEL3 = 26,
    HOVER_PLAYER_FIRST = 29,
    HOVER_COMPUTER_FIRST = 31,
    HOVER_GAME_OPTIONS_OK = 32,
    HOVER_GAME_OPTIONS_CANCEL = 33,
    HOVER_ANIMATIONS = 35,
    HOVER_GRAPHICS_ROW_FIRST = 36,   // 36..41: row pairs 78/79 .. 88/89
    HOVER_GRAPHICS_OK = 43,
    HOVER_GRAPHICS_CANCEL = 44,
    HOVER_EXTRA_ROW_FIRST = 46,      // 46, 47: row pairs 103/104, 105/106
    HOVER_EXTRA_OK = 48,
    HOVER_EXTRA_CANCEL = 49,
    HOVER_COLOUR_OK = 53,
    HOVER_COLOUR_CANCEL = 54,
    HOVER_SAVE_SLOT_FIRST = 60,      // 60..65: slots 1..6 (widgets 151..156)
    HOVER_SAVE_SLOTS_BACK = 66,
    HOVER_SAVE_CONFIRM_YES = 68,
    HOVER_SAVE_CONFIRM_NO = 69,
    HOVER_LOAD_ROW_FIRST = 71,       // 71..76: rows 1..6 (widgets 201..206)
    HOVER_LOAD_LIST_BACK = 77,
    HOVER_LOAD_CONFIRM_YES = 79,
    HOVER_LOAD_CONFIRM_NO = 80,
    HOVER_NEW_GAME_YES = 82,
    HOVER_NEW_GAME_NO = 83,
    HOVER_EXIT_YES = 85,
    HOVER_EXIT_NO = 86,
    HOVER_RESET_YES = 88,
    HOVER_RESET_NO = 89,
    HOVER_LANGUAGE_ROW_BASE = 89,    // row r (1..19) is 89 + r
    HOVER_ABOUT_WEB_SITE = 110,
    HOVER_ABOUT_BACK = 111,
    HOVER_GAME_OVER_OK = 112,
    HOVER_TEXT_CLOSE = 115,
    HOVER_ONLINE_GAME_FIRST = 130,   // 130..132: widgets 401..403
    HOVER_NEWS_BANNER = 150,
    HOVER_SETUP_AUTOMATIC = 170,
    HOVER_SETUP_MANUAL = 171,
    HOVER_ONLINE_BANNER = 180,
};

// Widgets the game flow names.
constexpr int WIDGET_PIECE_SCALE_SLIDER = 67;
constexpr int WIDGET_REFLECTION_SLIDER = 90;
constexpr int WIDGET_BRIGHTNESS_SLIDER = 94;
constexpr int WIDGET_COLOUR_RAMP_FIRST = 127;    // red, green, blue: 127..129
constexpr int WIDGET_NEWS_BANNER = 450;
constexpr int WIDGET_SETUP_AUTOMATIC = 475;
constexpr int WIDGET_SETUP_MANUAL = 476;
constexpr int WIDGET_ONLINE_BANNER_FIRST = 500;  // 500..502
