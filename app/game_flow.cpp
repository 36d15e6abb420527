#include "app/game_flow.h"

// Start values before the start-up loader runs.
int g_sceneReady = 0;
int g_panelVisible[PANEL_FLAG_COUNT] = {};
