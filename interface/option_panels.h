// The game options (panel 2) and graphics options (panel 3) panels: caption
// textures, layouts, and the check-box and slider textures they make.
#pragma once

#include <GL/gl.h>

#include <initializer_list>
#include <utility>

// Check boxes: empty and ticked, each with its hot twin (0 until built).
extern GLuint g_checkBoxTexture, g_checkBoxHotTexture;
extern GLuint g_checkBoxTickedTexture, g_checkBoxTickedHotTexture;
extern GLuint g_sliderKnobTexture;
// Slider tracks: [0] the frame, [1] the ramp.
extern GLuint g_whiteSliderTexture[2];
extern GLuint g_greySliderTexture[2];

void BuildGameOptionsTextures();
void LayoutGameOptionsPanel();
// Begins by making (or refilling) the piece and board preview textures.
void BuildGraphicsOptionsTextures();
void LayoutGraphicsOptionsPanel();

// ---- shared by the option panels' builders ----
constexpr double OPTION_TITLE_SCALE = 0.72;
constexpr double OPTION_LABEL_SCALE = 0.7;
constexpr double OPTION_BUTTON_SCALE = 0.9;
constexpr int OPTION_TEXT_SPACING = 3;
constexpr int OPTION_SLIDER_WIDTH = 257;   // the graphics sliders and the colour ramps
constexpr int OPTION_SLIDER_HEIGHT = 20;
// Every check box takes the size of the empty-box glyph, every knob that of
// the graphics panel's knob.
constexpr int CHECK_BOX_MODEL = 53;
constexpr int KNOB_MODEL = 91;

// Writes {widget, gap} pairs into g_widgetGap.
void SetWidgetGaps(std::initializer_list<std::pair<int, int>> gaps);
void SetWidgetSize(int widget, int width, int height);
void SetWidgetSizeAs(int widget, int model);
// Item of the panel's text group in the panel colour, in a relief style, without a hot look.
void BuildOptionCaption(int panel, int widget, int item, double scale, int style);
// OK, Cancel, Back: a label look, the hovered-entry look when hot.
void BuildOptionButton(int panel, int widget, int item);
