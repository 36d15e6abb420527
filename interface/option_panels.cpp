#include "interface/option_panels.h"

GLuint g_checkBoxTexture = 0, g_checkBoxHotTexture = 0;
GLuint g_checkBoxTickedTexture = 0, g_checkBoxTickedHotTexture = 0;
GLuint g_sliderKnobTexture = 0;
GLuint g_whiteSliderTexture[2] = {0, 0};
GLuint g_greySliderTexture[2] = {0, 0};

// The option panels come with the options work; until then they have no captions and no places.
void BuildGameOptionsTextures() {}
void LayoutGameOptionsPanel() {}
void BuildGraphicsOptionsTextures() {}
void LayoutGraphicsOptionsPanel() {}
