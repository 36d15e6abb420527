// The online panels and banners: opponent choice (panel 16), online status
// (17), news banner (18), setup choice (19) and online banner (20).
#pragma once

#include <GL/gl.h>

// Per banner line k: [k][0] plain, [k][1] alert, [k][2] hot.
extern GLuint g_onlineBannerTexture[3][3];

// The status captions' colours for a panel colour (bytes R, G, B): grey 50
// on a panel with any channel above 125, else grey 200; the not-reachable
// warning pure red, or that grey on a reddish panel (R >= 150, G and B <= 150).
void PickOnlineStatusColours(const int panel[3], int grey[3], int warning[3]);

// The status count and the news text are copied under the shared-strings
// lock: their workers may replace them during a rebuild.
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
