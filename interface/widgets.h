// The widget table of the overlay: every widget of every panel in one set of
// parallel tables, indexed by 25 x panel + item. Caption builders write the
// sizes, gaps and textures, layouts the edges and hit rectangles, drawers
// and mouse handlers read them. Also here: the panel numbers, their flags in
// g_panelVisible and their text groups, the conditions of the panels shown
// by game state, and the hover ids.
//
// Edges are overlay coordinates: client pixels, origin bottom-left, y up.
// Hit rectangles are window coordinates: origin top-left, y down.
#pragma once

#include <GL/gl.h>

#include "platform/window.h"

constexpr int WIDGETS_PER_PANEL = 25;
constexpr int PANEL_BLOCKS = 25;  // panel blocks of the table; panels 0..20 are used
constexpr int WIDGET_COUNT = WIDGETS_PER_PANEL * PANEL_BLOCKS;

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
    PANEL_ONLINE_STATUS = 17,  // shown by state
    PANEL_NEWS_BANNER = 18,    // shown by state
    PANEL_SETUP_CHOICE = 19,   // shown by state
    PANEL_ONLINE_BANNER = 20,  // shown by state
    // The help text window: a flag of its own but no widgets (its places
    // are the layout's); its number lies past the used panel blocks.
    PANEL_TEXT_WINDOW = 21,
};
constexpr int PANELS_USED = 21;  // panels 0..20 own widget blocks

constexpr int WidgetIndex(int panel, int item) { return WIDGETS_PER_PANEL * panel + item; }

// --- the table (zero at start) ---
extern double g_widgetLeft[WIDGET_COUNT];
extern double g_widgetRight[WIDGET_COUNT];
extern double g_widgetTop[WIDGET_COUNT];     // the larger y
extern double g_widgetBottom[WIDGET_COUNT];  // top minus height
extern int g_widgetWidth[WIDGET_COUNT];      // on screen, pixels
extern int g_widgetHeight[WIDGET_COUNT];     // 0 for an empty text
extern int g_widgetGap[WIDGET_COUNT];        // vertical distance to the widget stacked above
extern RECT g_widgetHitRect[WIDGET_COUNT];
extern GLuint g_widgetTexture[WIDGET_COUNT];
extern GLuint g_widgetHotTexture[WIDGET_COUNT];  // shown while hovered (list rows: selected)
extern int g_panelHeight[PANEL_BLOCKS];      // height of each panel's stacked column
extern int g_panelHeightsFixed;              // 1 while a rebuild must keep the panel heights

// --- panels, flags and text groups ---

// The g_panelVisible entry that opens a panel (PANEL_TEXT_WINDOW included);
// -1 for the panels shown by state and for anything else.
int PanelFlagOf(int panel);
// The panel an entry of g_panelVisible opens; -1 for the menu mode and
// anything else.
int PanelOfFlag(int flag);
// The g_uiText group of a panel's texts; -1 for the panels without one (the
// language list, the text window, the news banner) and anything else.
int TextGroupOf(int panel);

// When the panels without a flag are shown; the hover tracking tests them
// and the overlay's drawers draw them under these conditions.
bool OnlineStatusShown();  // an online game runs and the text window is closed
bool NewsBannerShown();    // the menu mode is off
bool SetupChoiceShown();   // the menu mode is off and the setup choice is offered
bool OnlineBannerShown();  // the banner is on, the text window closed, no online game

// --- hit rectangles ---

// The hit rectangle of overlay edges: left, client height - top, right,
// client height - bottom, each truncated toward zero. Every layout makes its
// rectangles with it.
RECT HitRectFromEdges(double left, double top, double right, double bottom, int clientHeight);
// Sets a widget's hit rectangle from its edges.
void SetWidgetHitRect(int widget, int clientHeight);
// Left and top edges inside, right and bottom edges outside.
bool PointInRect(const RECT& rect, CPoint point);
// False for an index outside the table.
bool PointInWidget(int widget, CPoint point);

// --- hover ids: one fixed number per interactive element (0 none) ---
enum HoverId {
    HOVER_NONE = 0,
    HOVER_CAPTION_CLOSE = 1,
    HOVER_CAPTION_MAXIMISE = 2,
    HOVER_CAPTION_MINIMISE = 3,
    HOVER_CAPTION_HELP = 4,
    HOVER_MENU_BUTTON = 5,
    HOVER_MAIN_MENU_FIRST = 6,      // widgets 0..7 give 6..13
    HOVER_MAIN_MENU_SAVE = 8,       // only outside setup and online play
    HOVER_SETTINGS_FIRST = 15,      // widgets 26..32 give 15..21
    HOVER_AI_QUICK_SEARCH = 22,     // the five choices: only while not chosen
    HOVER_AI_LEVEL2 = 24,
    HOVER_AI_LEVEL3 = 26,
    HOVER_SPARE_OPTION1 = 29,
    HOVER_COMPUTER_MOVES_FIRST = 31,
    HOVER_GAME_OPTIONS_OK = 32,
    HOVER_GAME_OPTIONS_CANCEL = 33,
    HOVER_ANIMATIONS = 35,
    HOVER_GRAPHICS_FIRST = 36,      // rows 78/79 .. 88/89 give 36..41
    HOVER_GRAPHICS_OK = 43,
    HOVER_GRAPHICS_CANCEL = 44,
    HOVER_EXTRA_OPTION3 = 46,
    HOVER_EXTRA_OPTION4 = 47,
    HOVER_EXTRA_OK = 48,
    HOVER_EXTRA_CANCEL = 49,
    HOVER_COLOUR_OK = 53,
    HOVER_COLOUR_CANCEL = 54,
    HOVER_SAVE_SLOT_FIRST = 60,     // widgets 151..156 give 60..65
    HOVER_SAVE_BACK = 66,
    HOVER_SAVE_CONFIRM_YES = 68,
    HOVER_SAVE_CONFIRM_NO = 69,
    HOVER_LOAD_ROW_FIRST = 71,      // widgets 201..206 give 71..76
    HOVER_LOAD_BACK = 77,
    HOVER_LOAD_CONFIRM_YES = 79,
    HOVER_LOAD_CONFIRM_NO = 80,
    HOVER_NEW_GAME_YES = 82,
    HOVER_NEW_GAME_NO = 83,
    HOVER_EXIT_YES = 85,
    HOVER_EXIT_NO = 86,
    HOVER_RESET_YES = 88,
    HOVER_RESET_NO = 89,
    HOVER_LANGUAGE_ROW_BASE = 89,   // row r (1..19) gives 89 + r
    HOVER_ABOUT_LINK = 110,
    HOVER_ABOUT_BACK = 111,
    HOVER_GAME_OVER_OK = 112,
    HOVER_TEXT_CLOSE = 115,
    HOVER_ONLINE_COMPUTER = 130,
    HOVER_ONLINE_SEARCH = 131,
    HOVER_ONLINE_BACK = 132,
    HOVER_NEWS_BANNER = 150,
    HOVER_SETUP_AUTOMATIC = 170,
    HOVER_SETUP_MANUAL = 171,
    HOVER_ONLINE_BANNER = 180,
};

// Widgets of the elements the game flow names.
constexpr int WIDGET_PIECE_SCALE_SLIDER = 67;
constexpr int WIDGET_REFLECTION_SLIDER = 90;
constexpr int WIDGET_BRIGHTNESS_SLIDER = 94;
constexpr int WIDGET_COLOUR_RAMP_FIRST = 127;  // red, green, blue: 127..129
constexpr int WIDGET_NEWS_BANNER = 450;
constexpr int WIDGET_SETUP_AUTOMATIC = 475;
constexpr int WIDGET_SETUP_MANUAL = 476;
constexpr int WIDGET_ONLINE_BANNER_FIRST = 500;  // 500..502
