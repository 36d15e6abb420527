#include "scene/scene_host.h"

namespace {

void NoOverlay() {}
void NoPanelTextures(int) {}

SceneHost DefaultSceneHost()
{
    return SceneHost{NoOverlay, NoPanelTextures};
}

}  // namespace

SceneHost g_sceneHost = DefaultSceneHost();

void ResetSceneHost()
{
    g_sceneHost = DefaultSceneHost();
}
