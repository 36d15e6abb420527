#include "interface/layout.h"

#include "interface/caption_bar.h"
#include "interface/confirm_panels.h"
#include "interface/extra_panels.h"
#include "interface/game_over_panel.h"
#include "interface/list_panels.h"
#include "interface/main_menu.h"
#include "interface/online_panels.h"
#include "interface/option_panels.h"
#include "interface/text_window.h"
#include "interface/widgets.h"
#include "scene/camera.h"
#include "scene/textures.h"

double g_menuBackdropLeft = 0, g_menuBackdropRight = 0, g_menuBackdropTop = 0, g_menuBackdropBottom = 0;
RECT g_textTrackRect = {};
RECT g_textCloseRect = {};

namespace {

// The panel layouts in panel order 0 to 20.
void (*const PANEL_LAYOUTS[PANEL_USED_COUNT])() = {
    LayoutMainMenu,           LayoutSettingsPanel,       LayoutGameOptionsPanel,  LayoutGraphicsOptionsPanel,
    LayoutExtraOptionsPanel,  LayoutColourEditorPanel,   LayoutSaveSlotsPanel,    LayoutSaveConfirmPanel,
    LayoutLoadListPanel,      LayoutLoadConfirmPanel,    LayoutNewGameConfirmPanel, LayoutExitConfirmPanel,
    LayoutResetConfirmPanel,  LayoutLanguageListPanel,   LayoutAboutPanel,        LayoutGameOverPanel,
    LayoutOnlineGamePanel,    LayoutOnlineStatusPanel,   LayoutNewsBannerPanel,   LayoutSetupChoicePanel,
    LayoutOnlineBannerPanel,
};

void LayoutHelpWindowRects(int clientHeight)
{
    const HelpScrollBar& bar = g_helpScrollBar;
    g_textTrackRect = HitRectFromEdges(bar.trackLeft, bar.trackTop, bar.trackRight, bar.trackBottom, clientHeight);
    g_textCloseRect = HitRectFromEdges(g_textCloseButton[0], g_textCloseButton[1], g_textCloseButton[2],
                                       g_textCloseButton[3], clientHeight);
}

}  // namespace

void LayoutMenuBackdrop(int clientWidth, int clientHeight)
{
    g_menuBackdropLeft = clientWidth / 2 - g_menuBackdropWidth / 2;
    g_menuBackdropRight = g_menuBackdropLeft + g_menuBackdropWidth;
    g_menuBackdropTop = clientHeight / 2 + g_menuBackdropHeight / 2;
    g_menuBackdropBottom = g_menuBackdropTop - g_menuBackdropHeight;
}

void LayoutAll()
{
    int clientWidth = 0, clientHeight = 0;
    ClientSize(&clientWidth, &clientHeight);
    LayoutTextWindow(clientWidth, clientHeight);
    LayoutHelpWindowRects(clientHeight);
    LayoutCaptionBar(clientWidth, clientHeight);
    for (void (*layout)() : PANEL_LAYOUTS) layout();
    LayoutMenuBackdrop(clientWidth, clientHeight);
}
