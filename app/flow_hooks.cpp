#include "app/flow_hooks.h"

#include "interface/panel_textures.h"
#include "online/game_client.h"
#include "platform/process.h"
#include "platform/program_folder.h"
#include "platform/sound.h"
#include "scene/picking.h"
#include "scene/renderer.h"
#include "scene/textures.h"

namespace {

FlowHooks DefaultFlowHooks()
{
    return FlowHooks{GetTickCount,   Sleep,       RenderFrame,        PlaySoundA,
                     PickUnderMouse, StartOnlineThread, BuildPieceTextures, RebuildPanelTextures};
}

}  // namespace

FlowHooks g_flowHooks = DefaultFlowHooks();

void ResetFlowHooks()
{
    g_flowHooks = DefaultFlowHooks();
}

void PlayFlowSound(const char* name)
{
    g_flowHooks.playSound(g_appDir + name, nullptr, SND_ASYNC);
}
