// The options file konfig.ini and the edited copies the option panels change
// (the live values themselves are in rules/live_options.h).
#pragma once

#include <iosfwd>
#include <string>

#include "rules/live_options.h"

// Edited copies of options 2 to 27: the option panels change only these;
// ApplyOptions makes them live.
extern int g_editAiQuickSearch;
extern int g_editAiLevel2;
extern int g_editAiLevel3;
extern int g_editSpareOption1;
extern int g_editComputerMovesFirst;
extern double g_editPieceScale;
extern int g_editAnimationsOn;
extern double g_editReflectionAlpha;
extern int g_editPieceBrightness;
extern int g_editShadowsOn;
extern int g_editReflectionOn;
extern int g_editSpareOption2;
extern int g_editSpareOption3;
extern int g_editSpareOption4;
extern double g_editTintR[4], g_editTintG[4], g_editTintB[4];

// Range of the piece-size slider: the scale runs from 2.1 - 284/1420 to 2.1.
constexpr double PIECE_SCALE_MAX = 2.1;
constexpr double PIECE_SCALE_MIN = 2.1 - 284.0 / 1420.0;

// Reads "/konfig.ini" from the program folder into the live options (fields
// not read keep their defaults; g_language[0] is 0 when no file was read),
// builds the language list, then puts damaged or out-of-range values back to
// their defaults.
void LoadConfig();
// Writes the 30 live values to "/konfig.ini", replacing the old file only once
// the new one is complete and on disk. False when it could not be written
// (the player is not told; the old file stays).
bool SaveConfig();

// The pieces of LoadConfig and SaveConfig, for callers with their own streams.
void ReadConfigValues(std::istream& in);
std::string ConfigLine();
// languageCount: the number of language files found plus 1.
void SanitiseOptions(int languageCount);

// Start-up: the piece scale, the four colour slots and the reflection alpha
// take their defaults before the options file is read.
void SetStartupOptionDefaults();

// Derives the drawn piece and shadow models (1 to 4) from their unscaled
// copies and g_pieceScale, and the tally quad from piece model 1.
void ScalePieceModels();
// Takes the edited copies of the options as the live options (also undoes a
// reset), the panel colour from colour slot 3, and redoes what depends on them.
void ApplyOptions();

// Knob offsets of the option sliders and the values they stand for. Every
// value the options allow gives an offset on its slider. The offsets of the
// scale, the reflection and a colour are rounded to the nearest pixel: the
// options file keeps six digits, and a knob must come back where it was set.
int PieceScaleSliderOffset(double pieceScale);   // (2.1 - scale) x 1420
double PieceScaleFromSlider(int offset);         // 2.1 - offset / 1420
int ReflectionSliderOffset(double alpha);        // 255 x alpha
double ReflectionFromSlider(int offset);         // offset / 255
int BrightnessSliderOffset(int brightness);      // brightness / 0.39
int BrightnessFromSlider(int offset);            // offset x 0.39
int ColourEditValue(double colour);              // 255 x colour
