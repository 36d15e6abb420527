#include "interface/interface_state.h"

int g_hoverId = 0;
int g_onlineBannerOn = 0;

int g_pieceScaleSliderPos[2] = {0, 0};
int g_reflectionSliderPos[2] = {0, 0};
int g_brightnessSliderPos[2] = {0, 0};
int g_colourEditValue[6] = {0, 0, 0, 0, 0, 0};
int g_colourEditSlot = 0;

double g_helpScroll = 0.0;
HelpScrollBar g_helpScrollBar = {0, 0, 0, 0, 0, 0, 0, 0, 0};
