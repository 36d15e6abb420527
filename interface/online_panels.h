// The online panels and banners: opponent choice (panel 16), online status
// (17), news banner (18), setup choice (19) and online banner (20).
#pragma once

#include <GL/gl.h>

// Per banner line k: [k][0] plain, [k][1] alert, [k][2] hot.
extern GLuint g_onlineBannerTexture[3][3];

void BuildOnlineGameTextures();
void LayoutOnlineGamePanel();
void BuildOnlineStatusTextures();
void LayoutOnlineStatusPanel();
void BuildNewsBannerTextures();
void LayoutNewsBannerPanel();
void BuildSetupChoiceTextures();
void LayoutSetupChoicePanel();
void BuildOnlineBannerTextures();
void LayoutOnlineBannerPanel();
