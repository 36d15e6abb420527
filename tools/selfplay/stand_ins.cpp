// Silent stand-ins for everything the rules call outside themselves, so that
// the self-play tool runs without a window, a renderer or sound, and never
// waits for a presentation.
#include "app/game_state.h"
#include "app/setup_end.h"
#include "app/startup_loader.h"
#include "app/turn_presentation.h"
#include "interface/fly_in.h"
#include "interface/game_over_panel.h"
#include "interface/options.h"
#include "platform/sound.h"
#include "scene/renderer.h"

CString g_appDir;
int g_sceneReady = 0;
int g_panelVisible[PANEL_FLAG_COUNT] = {};

// The options the rules read; the tool sets the level itself.
int g_aiQuickSearch = 0;
int g_aiLevel2 = 1;
int g_aiLevel3 = 0;
int g_computerMovesFirst = 0;
int g_animationsOn = 0;

void FinishSetup() {}
void ShowMoveResult(int, int, int, int, int, int) {}
void AnimatePlacement(int, int) {}
void RenderFrame() {}
void AnimateGameOverPanel() {}
void LayoutGameOverPanel() {}
BOOL PlaySoundA(const char*, void*, DWORD) { return TRUE; }
