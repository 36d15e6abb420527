// The game's options: live values with their defaults, as stored in konfig.ini.
#pragma once

extern int g_language[2];          // [0] language in use (0: no options file read), [1] copy
extern int g_aiQuickSearch;        // the computer's reply search evaluates at once
extern int g_aiLevel2;             // computer level 2 (when level 3 is off)
extern int g_aiLevel3;             // computer level 3
extern int g_spareOption1;
extern int g_computerMovesFirst;
extern double g_pieceScale;        // divisor of the piece model sizes
extern int g_animationsOn;         // fly-ins and piece drop animations
extern double g_reflectionAlpha;
extern int g_pieceBrightness;
extern int g_shadowsOn;
extern int g_reflectionOn;
extern int g_spareOption2;
extern int g_spareOption3;
extern int g_spareOption4;
extern double g_tintR[4], g_tintG[4], g_tintB[4];  // colour slots 0..3
extern double g_panelColour[3];
