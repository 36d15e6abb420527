#include "interface/panel_textures.h"

#include "interface/caption_bar.h"
#include "interface/caption_colours.h"
#include "interface/confirm_panels.h"
#include "interface/extra_panels.h"
#include "interface/game_over_panel.h"
#include "interface/language.h"
#include "interface/list_panels.h"
#include "interface/main_menu.h"
#include "interface/online_panels.h"
#include "interface/option_panels.h"

namespace {

// Every panel's caption builder, in panel order (the language list after the
// reset prompt, the about panel after it).
void BuildPanelCaptions()
{
    BuildMainMenuTextures();
    BuildSettingsPanelTextures();
    BuildGameOptionsTextures();
    BuildGraphicsOptionsTextures();
    BuildExtraOptionsTextures();
    BuildColourEditorTextures();
    BuildSaveSlotsTextures();
    BuildSaveConfirmTextures("---Пусто---");
    BuildLoadListTextures();
    BuildLoadConfirmTextures("Пусто");
    BuildNewGameConfirmTextures();
    BuildExitConfirmTextures();
    BuildResetConfirmTextures();
    BuildLanguageListTextures();
    BuildAboutPanelTextures();
    BuildGameOverTextures();
    BuildOnlineGameTextures();
    BuildOnlineStatusTextures();
    BuildNewsBannerTextures();
    BuildSetupChoiceTextures();
    BuildOnlineBannerTextures();
}

}  // namespace

void RebuildPanelTextures(int mode)
{
    UpdatePanelColourBytes();
    if (mode == REBUILD_ALL) LoadHelpText();
    BuildCaptionBarTextures();
    if (mode == REBUILD_ALL || mode == REBUILD_COLOUR) BuildPanelCaptions();
}
