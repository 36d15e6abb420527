// The interface state the panels' drawers and builders read and the game
// flow's handlers write: the hovered element, the banner's blinking, the
// sliders and the colour editor being edited, the help text's scrolling, and
// the save-slot labels the slot panels show.
#pragma once

#include <atomic>

#include "online/online_state.h"  // g_blinkStep, written by the ping worker
#include "platform/strings.h"

extern int g_hoverId;                 // interactive element under the cursor, 0 none
extern int g_onlineBannerOn;

// Slider knob offsets: [0] shown, [1] when the panel was opened (the confirmed value).
extern int g_pieceScaleSliderPos[2];
extern int g_reflectionSliderPos[2];
extern int g_brightnessSliderPos[2];
extern int g_colourEditValue[6];  // [0..2] red, green, blue edited, [3..5] when the editor opened
extern int g_colourEditSlot;      // a ColourSlot: board, player's pieces, opponent's pieces, panel colour

// --- the help text window's scrolling ---
extern double g_helpScroll;       // 0 .. range
// Track and thumb edges (client pixels, y up) and the scroll range.
struct HelpScrollBar {
    double trackLeft, trackRight, trackTop, trackBottom;
    double thumbLeft, thumbRight, thumbTop, thumbBottom;
    double range;
};
extern HelpScrollBar g_helpScrollBar;
