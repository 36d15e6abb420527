#include "app/host_tables.h"

#include "app/game_state.h"
#include "app/picture_reader.h"
#include "app/setup_end.h"
#include "app/turn_presentation.h"
#include "interface/fly_in.h"
#include "interface/game_over_panel.h"
#include "interface/interface_state.h"
#include "interface/overlay.h"
#include "interface/panel_textures.h"
#include "online/online_host.h"
#include "platform/sound.h"
#include "rules/live_options.h"
#include "rules/rules_host.h"
#include "scene/frame_state.h"
#include "scene/renderer.h"
#include "scene/scene_host.h"

namespace {

// The end of a game: menu mode, the game-over panel flown in (when the
// animations are on) and laid out.
void ShowGameOverPanel()
{
    g_panelVisible[PANEL_FLAG_MENU_MODE] = 1;
    g_panelVisible[PANEL_FLAG_GAME_OVER] = 1;
    if (g_animationsOn == 1) AnimateGameOverPanel();
    LayoutGameOverPanel();
}


// Leaving an online game: the banner off, the next ping due at once.
void ResetBannerAndPolling()
{
    g_onlineBannerOn = 0;
    g_pollTicks = 100;
}

}  // namespace

void InstallHostTables()
{
    g_rulesHost.finishSetup = FinishSetup;
    g_rulesHost.animatePlacement = AnimatePlacement;
    g_rulesHost.showMoveResult = ShowMoveResult;
    g_rulesHost.renderFrame = RenderFrame;
    g_rulesHost.playSound = PlaySoundA;
    g_rulesHost.showGameOverPanel = ShowGameOverPanel;

    g_sceneHost.drawOverlay = DrawOverlay;
    g_sceneHost.rebuildPanelTextures = RebuildPanelTextures;

    g_onlineHost.resetBannerAndPolling = ResetBannerAndPolling;
    InstallPictureReader();
}
