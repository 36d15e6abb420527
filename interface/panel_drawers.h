// One drawer per panel, the help text window included: each draws its
// widgets' textures at their laid-out edges, the hot texture while the
// widget's hover id is current. They expect the overlay pass's state:
// orthographic client pixels, texturing and blending on, no depth test, no
// lighting.
#pragma once

#include <GL/gl.h>

void DrawMainMenuPanel();
void DrawSettingsPanel();
void DrawGameOptionsPanel();
void DrawGraphicsOptionsPanel();
void DrawExtraOptionsPanel();
void DrawColourEditorPanel();
void DrawSaveSlotsPanel();
void DrawSaveConfirmPanel();
void DrawLoadListPanel();
void DrawLoadConfirmPanel();
void DrawNewGameConfirmPanel();
void DrawExitConfirmPanel();
void DrawResetConfirmPanel();
void DrawLanguageListPanel();
void DrawAboutPanel();
void DrawTextWindow();
void DrawGameOverPanel();
void DrawOnlineGamePanel();
void DrawOnlineStatusPanel();
void DrawNewsBannerPanel();
void DrawSetupChoicePanel();
void DrawOnlineBannerPanel();

// A caption texture (first row at the top) on a rectangle, and a picture
// (first row at the bottom: previews, pictures read from files).
void DrawCaptionQuad(GLuint texture, double left, double right, double bottom, double top);
void DrawPictureQuad(GLuint texture, double left, double right, double bottom, double top);
