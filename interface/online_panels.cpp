#include "interface/online_panels.h"

GLuint g_onlineBannerTexture[3][3] = {};

// These panels come with the online panels work; until then they have no captions and no places.
void BuildOnlineGameTextures() {}
void LayoutOnlineGamePanel() {}
void BuildOnlineStatusTextures() {}
void LayoutOnlineStatusPanel() {}
void BuildNewsBannerTextures() {}
void LayoutNewsBannerPanel() {}
void BuildSetupChoiceTextures() {}
void LayoutSetupChoicePanel() {}
void BuildOnlineBannerTextures() {}
void LayoutOnlineBannerPanel() {}
