// The rebuild of every overlay texture: the help page, the caption bar and
// each panel's captions, in their fixed order.
#pragma once

enum PanelRebuildMode {
    REBUILD_CAPTION_BAR = 0,  // window size change: the caption bar only
    REBUILD_COLOUR = 1,       // panel colour change: the caption bar and every panel
    REBUILD_ALL = 2,          // start-up and language change: the help page too
};
// Rebuilds the overlay textures of the mode, in the fixed order: help page
// (mode 2), caption bar, then the panel builders from the main menu to the
// online banner (modes 1 and 2).
void RebuildPanelTextures(int mode);
