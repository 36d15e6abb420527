// The extra options (panel 4), colour editor (panel 5) and save slots
// (panel 6) panels: caption textures, layouts and their own textures.
#pragma once

#include <GL/gl.h>

extern GLuint g_colourPreviewFrameTexture;
extern GLuint g_colourRampTexture[3];   // red, green, blue
// Captions of save slots 1..6 (entry 0 unused), normal and hot.
extern GLuint g_saveSlotTexture[7];
extern GLuint g_saveSlotHotTexture[7];

void BuildExtraOptionsTextures();
void LayoutExtraOptionsPanel();
void BuildColourEditorTextures();
void LayoutColourEditorPanel();
void BuildSaveSlotsTextures();
void LayoutSaveSlotsPanel();
