#include "scene/frame_state.h"

int g_panelVisible[PANEL_FLAG_COUNT] = {};
int g_fadeInProgress = 0;
double g_fadeLevel = 0.0;
GLuint g_splashTex = 0;
int g_setupMode = 1;
int g_hoverTraySlot = -1;
int g_pieceAnimState = ANIM_IDLE;

int g_animFromRow[2] = {0, 0};
int g_animToRow[2] = {0, 0};
int g_dropRow = 0;
int g_dropCol = 0;
int g_battlePlayerRow[2] = {0, 0};
int g_battleOpponentRow[2] = {0, 0};
int g_showBattlePlayer = 0;
int g_showBattleOpponent = 0;
