#include "app/game_state.h"

int g_sceneReady = 0;
int g_panelVisible[PANEL_FLAG_COUNT] = {};
int g_fadeInProgress = 0;
int g_setupMode = 1;

std::atomic<int> g_onlineGame{0};
std::atomic<int> g_matchPending{0};
std::atomic<int> g_matchState{0};
std::atomic<int> g_onlineTurn{0};
std::atomic<int> g_opponentMoveReady{0};
std::atomic<int> g_opponentLeft{0};
std::atomic<int> g_stopMoveReceive{0};
std::atomic<int> g_serverSocket{-1};

int g_textWindowOpener = 0;
int g_newGameGoesOnline = 0;
int g_hoverId = 0;
int g_hoverTraySlot = -1;
int g_mouseHeld = 0;
int g_onlineBannerOn = 0;
std::atomic<int> g_blinkStep{0};
int g_pieceAnimState = ANIM_IDLE;

int g_dragKnob[4] = {0, 0, 0, 0};
int g_dragScrollThumb = 0;
int g_pieceScaleSliderPos[2] = {0, 0};
int g_reflectionSliderPos[2] = {0, 0};
int g_brightnessSliderPos[2] = {0, 0};
int g_colourEditValue[6] = {0, 0, 0, 0, 0, 0};
int g_colourEditSlot = 0;

double g_helpScroll = 0.0;
HelpScrollBar g_helpScrollBar = {0, 0, 0, 0, 0, 0, 0, 0, 0};

int g_pollSuspended = 1;
int g_pollTicks = 0;
std::atomic<int> g_serverStatus{2};
int g_loadListCount = 7;
