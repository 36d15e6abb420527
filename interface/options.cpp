#include "interface/options.h"

// Values before the options file is read.
int g_language[2] = {0, 0};
int g_aiQuickSearch = 0;
int g_aiLevel2 = 1;
int g_aiLevel3 = 0;
int g_spareOption1 = 1;
int g_computerMovesFirst = 0;
double g_pieceScale = 2.05;
int g_animationsOn = 1;
double g_reflectionAlpha = 0.31;
int g_pieceBrightness = 60;
int g_shadowsOn = 1;
int g_reflectionOn = 1;
int g_spareOption2 = 1;
int g_spareOption3 = 1;
int g_spareOption4 = 1;
double g_tintR[4] = {1.0, 0.6, 0.4, 0.12};
double g_tintG[4] = {0.95, 0.4, 0.48, 0.3};
double g_tintB[4] = {0.9, 0.1, 0.5, 0.23};
double g_panelColour[3] = {0.12, 0.3, 0.23};
