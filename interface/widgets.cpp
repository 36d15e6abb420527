#include "interface/widgets.h"

#include "interface/interface_state.h"
#include "online/online_state.h"
#include "rules/board.h"
#include "scene/frame_state.h"

double g_widgetLeft[WIDGET_COUNT];
double g_widgetRight[WIDGET_COUNT];
double g_widgetTop[WIDGET_COUNT];
double g_widgetBottom[WIDGET_COUNT];
int g_widgetWidth[WIDGET_COUNT];
int g_widgetHeight[WIDGET_COUNT];
int g_widgetGap[WIDGET_COUNT];
RECT g_widgetHitRect[WIDGET_COUNT];
GLuint g_widgetTexture[WIDGET_COUNT];
GLuint g_widgetHotTexture[WIDGET_COUNT];
int g_panelHeight[PANEL_BLOCKS];
int g_panelHeightsFixed = 0;

namespace {

// Text group of panels 0..20: the panel number up to panel 12, none for the
// language list and the news banner, and the groups 13..18 counted on over
// the panels that have texts.
constexpr int TEXT_GROUPS[PANELS_USED] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12,
                                          -1, 13, 14, 15, 16, -1, 17, 18};

bool TextWindowClosed()
{
    return g_panelVisible[PANEL_FLAG_TEXT_WINDOW] == 0;
}

}  // namespace

int PanelFlagOf(int panel)
{
    if (panel >= PANEL_MAIN_MENU && panel <= PANEL_ABOUT) return panel + 1;
    if (panel == PANEL_TEXT_WINDOW) return PANEL_FLAG_TEXT_WINDOW;
    if (panel == PANEL_GAME_OVER) return PANEL_FLAG_GAME_OVER;
    if (panel == PANEL_ONLINE_GAME) return PANEL_FLAG_ONLINE_GAME;
    return -1;
}

int PanelOfFlag(int flag)
{
    if (flag >= PANEL_FLAG_MAIN_MENU && flag <= PANEL_FLAG_ABOUT) return flag - 1;
    if (flag == PANEL_FLAG_TEXT_WINDOW) return PANEL_TEXT_WINDOW;
    if (flag == PANEL_FLAG_GAME_OVER) return PANEL_GAME_OVER;
    if (flag == PANEL_FLAG_ONLINE_GAME) return PANEL_ONLINE_GAME;
    return -1;
}

int TextGroupOf(int panel)
{
    if (panel < 0 || panel >= PANELS_USED) return -1;
    return TEXT_GROUPS[panel];
}

bool OnlineStatusShown()
{
    return g_onlineGame == 1 && TextWindowClosed();
}

bool NewsBannerShown()
{
    return g_panelVisible[PANEL_FLAG_MENU_MODE] == 0;
}

bool SetupChoiceShown()
{
    return g_panelVisible[PANEL_FLAG_MENU_MODE] == 0 && g_setupMode == 0 && g_setupPhase == 1;
}

bool OnlineBannerShown()
{
    return g_onlineBannerOn == 1 && TextWindowClosed() && g_onlineGame == 0;
}

RECT HitRectFromEdges(double left, double top, double right, double bottom, int clientHeight)
{
    return RECT{static_cast<int>(left), static_cast<int>(clientHeight - top), static_cast<int>(right),
                static_cast<int>(clientHeight - bottom)};
}

void SetWidgetHitRect(int widget, int clientHeight)
{
    if (widget < 0 || widget >= WIDGET_COUNT) return;
    g_widgetHitRect[widget] = HitRectFromEdges(g_widgetLeft[widget], g_widgetTop[widget], g_widgetRight[widget],
                                               g_widgetBottom[widget], clientHeight);
}

bool PointInRect(const RECT& rect, CPoint point)
{
    return CRect(rect).PtInRect(point) != FALSE;
}

bool PointInWidget(int widget, CPoint point)
{
    return widget >= 0 && widget < WIDGET_COUNT && PointInRect(g_widgetHitRect[widget], point);
}
