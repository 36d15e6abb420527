#include "app/flow_hooks.h"

#include "interface/panel_textures.h"
#include "platform/process.h"
#include "platform/program_folder.h"
#include "platform/sound.h"
#include "scene/picking.h"
#include "scene/renderer.h"
#include "scene/textures.h"

namespace {

CWinThread* BeginThread(AFX_THREADPROC fn, LPVOID param)
{
    return AfxBeginThread(fn, param, THREAD_PRIORITY_NORMAL, 0);
}

FlowHooks DefaultFlowHooks()
{
    return FlowHooks{GetTickCount,   Sleep,       RenderFrame,        PlaySoundA,
                     PickUnderMouse, BeginThread, BuildPieceTextures, RebuildPanelTextures};
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
