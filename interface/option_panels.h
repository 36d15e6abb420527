// The game options (panel 2) and graphics options (panel 3) panels: caption
// textures, layouts, and the check-box and slider textures they make.
#pragma once

#include <GL/gl.h>

// Check boxes: empty and ticked, each with its hot twin (0 until built).
extern GLuint g_checkBoxTexture, g_checkBoxHotTexture;
extern GLuint g_checkBoxTickedTexture, g_checkBoxTickedHotTexture;
extern GLuint g_sliderKnobTexture;
// Slider tracks: [0] the frame, [1] the ramp.
extern GLuint g_whiteSliderTexture[2];
extern GLuint g_greySliderTexture[2];

void BuildGameOptionsTextures();
void LayoutGameOptionsPanel();
void BuildGraphicsOptionsTextures();
void LayoutGraphicsOptionsPanel();
