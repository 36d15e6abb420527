#include "interface/extra_panels.h"

GLuint g_colourPreviewFrameTexture = 0;
GLuint g_colourRampTexture[3] = {0, 0, 0};
GLuint g_saveSlotTexture[7] = {};
GLuint g_saveSlotHotTexture[7] = {};

// These panels come with the options and save work; until then they have no captions and no places.
void BuildExtraOptionsTextures() {}
void LayoutExtraOptionsPanel() {}
void BuildColourEditorTextures() {}
void LayoutColourEditorPanel() {}
void BuildSaveSlotsTextures() {}
void LayoutSaveSlotsPanel() {}
