#include "rules/live_options.h"

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

double g_tintR[COLOUR_SLOT_COUNT] = {TINT_R_DEFAULT[0], TINT_R_DEFAULT[1], TINT_R_DEFAULT[2], TINT_R_DEFAULT[3]};
double g_tintG[COLOUR_SLOT_COUNT] = {TINT_G_DEFAULT[0], TINT_G_DEFAULT[1], TINT_G_DEFAULT[2], TINT_G_DEFAULT[3]};
double g_tintB[COLOUR_SLOT_COUNT] = {TINT_B_DEFAULT[0], TINT_B_DEFAULT[1], TINT_B_DEFAULT[2], TINT_B_DEFAULT[3]};
double g_panelColour[3] = {PANEL_COLOUR_DEFAULT[0], PANEL_COLOUR_DEFAULT[1], PANEL_COLOUR_DEFAULT[2]};
