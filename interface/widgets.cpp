#include "interface/widgets.h"

#include "interface/interface_state.h"
#include "online/online_state.h"
#include "rules/board.h"
#include "scene/frame_state.h"

double g_widgetLeft[WIDGET_COUNT] = {};
double g_widgetRight[WIDGET_COUNT] = {};
double g_widgetTop[WIDGET_COUNT] = {};
double g_widgetBottom[WIDGET_COUNT] = {};
int g_widgetWidth[WIDGET_COUNT] = {};
int g_widgetHeight[WIDGET_COUNT] = {};
int g_widgetGap[WIDGET_COUNT] = {};
RECT g_widgetHitRect[WIDGET_COUNT] = {};
GLuint g_widgetTexture[WIDGET_COUNT] = {};
GLuint g_widgetHotTexture[WIDGET_COUNT] = {};
int g_panelHeight[PANEL_COUNT] = {};
int g_panelHeightsFixed = 0;

int PanelFlagOfPanel(int panel)
{
    if (panel >= PANEL_MAIN_MENU && panel <= PANEL_ABOUT) return panel + 1;
    if (panel == PANEL_GAME_OVER) return PANEL_FLAG_GAME_OVER;
    if (panel == PANEL_ONLINE_GAME) return PANEL_FLAG_ONLINE_GAME;
    return -1;
}

int TextGroupOfPanel(int panel)
{
    if (panel >= PANEL_MAIN_MENU && panel <= PANEL_RESET_CONFIRM) return panel;
    if (panel >= PANEL_ABOUT && panel <= PANEL_ONLINE_STATUS) return panel - 1;
    // The news banner shows the fetched text, not a text of the language file.
    if (panel >= PANEL_SETUP_CHOICE && panel <= PANEL_ONLINE_BANNER) return panel - 2;
    return -1;
}

namespace {

bool TextWindowClosed()
{
    return g_panelVisible[PANEL_FLAG_TEXT_WINDOW] == 0;
}

bool MenuModeOff()
{
    return g_panelVisible[PANEL_FLAG_MENU_MODE] == 0;
}

}  // namespace

bool OnlineStatusShown()
{
    return g_onlineGame == 1 && TextWindowClosed();
}

bool NewsBannerShown()
{
    return MenuModeOff();
}

bool SetupChoiceShown()
{
    return MenuModeOff() && g_setupMode == 0 && g_setupPhase == 1;
}

bool OnlineBannerShown()
{
    return g_onlineBannerOn == 1 && TextWindowClosed() && g_onlineGame == 0;
}

RECT HitRectFromEdges(double left, double top, double right, double bottom, int clientHeight)
{
    RECT r;
    r.left = static_cast<int>(left);
    r.top = static_cast<int>(clientHeight - top);
    r.right = static_cast<int>(right);
    r.bottom = static_cast<int>(clientHeight - bottom);
    return r;
}

void SetWidgetHitRect(int index, int clientHeight)
{
    if (index < 0 || index >= WIDGET_COUNT) return;
    g_widgetHitRect[index] = HitRectFromEdges(g_widgetLeft[index], g_widgetTop[index], g_widgetRight[index],
                                              g_widgetBottom[index], clientHeight);
}

bool WidgetHit(int index, POINT point)
{
    return index >= 0 && index < WIDGET_COUNT && PtInRect(&g_widgetHitRect[index], point);
}
