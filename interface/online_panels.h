// The online panels and the news banner: caption textures and layouts.
#pragma once

void BuildNewsBannerTextures();
void LayoutNewsBannerPanel();
void BuildOnlineStatusTextures();
void LayoutOnlineStatusPanel();
