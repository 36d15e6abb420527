// The live options: the values the game plays and draws with, as stored in
// konfig.ini. They live here, below everything that reads them; the options
// file itself, the edited copies and the option panels belong to the
// interface.
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

// The colour slots of g_tintR/G/B and of the colour editor.
enum ColourSlot {
    COLOUR_BOARD = 0,
    COLOUR_PLAYER_PIECES = 1,
    COLOUR_OPPONENT_PIECES = 2,
    COLOUR_PANEL = 3,
    COLOUR_SLOT_COUNT = 4,
};
extern double g_tintR[COLOUR_SLOT_COUNT], g_tintG[COLOUR_SLOT_COUNT], g_tintB[COLOUR_SLOT_COUNT];
extern double g_panelColour[3];

// Defaults of the colour slots and of the panel colour.
constexpr double TINT_R_DEFAULT[COLOUR_SLOT_COUNT] = {1.0, 0.6, 0.4, 0.12};
constexpr double TINT_G_DEFAULT[COLOUR_SLOT_COUNT] = {0.95, 0.4, 0.48, 0.3};
constexpr double TINT_B_DEFAULT[COLOUR_SLOT_COUNT] = {0.9, 0.1, 0.5, 0.23};
constexpr double PANEL_COLOUR_DEFAULT[3] = {0.12, 0.3, 0.23};
