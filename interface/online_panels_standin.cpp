#include "interface/online_panels.h"

// Stand in until the online panels and the news banner are built.
void BuildNewsBannerTextures() {}
void LayoutNewsBannerPanel() {}
void BuildOnlineStatusTextures() {}
void LayoutOnlineStatusPanel() {}
