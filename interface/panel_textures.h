// Frame and caption textures of the overlay: the procedural frames, ramps and
// fields of the option panels, the caption bar's buttons, and the rebuild of
// every overlay texture.
#pragma once

#include <GL/gl.h>

#include "interface/caption_colours.h"

// ---- the caption bar ----
constexpr int CAPTION_BUTTON_COUNT = 4;  // close, maximise/restore, minimise, help
extern GLuint g_menuButtonTexture[2];    // normal, hot
// The menu button's on-screen size, and the size the layout uses: the first
// divided by the shrink of the window's mode (1 full screen, more in the
// program's own smaller window).
extern double g_menuButtonBaseWidth, g_menuButtonBaseHeight;
extern double g_menuButtonWidth, g_menuButtonHeight;
extern double g_menuButtonShrink;
// Sets the shrink and the menu button's size from it; every later rebuild of
// the caption bar keeps it.
void SetMenuButtonShrink(double shrink);
// The icon buttons' normal textures 0..3, then their hot textures 4..7.
extern GLuint g_captionButtonTexture[2 * CAPTION_BUTTON_COUNT];
extern double g_captionButtonWidth[CAPTION_BUTTON_COUNT];
extern double g_captionButtonHeight[CAPTION_BUTTON_COUNT];

// Renders the menu button (the language's caption) and the four icon buttons
// with their hot twins, and stores their on-screen sizes.
void BuildCaptionBarTextures();

// ---- procedural frames ----
enum FrameType {
    FRAME_FIELD = 0,         // a flat field in the colour, double bevel
    FRAME_RAMP = 1,          // a ramp from black to the colour, double bevel
    FRAME_PLAIN_RAMP = 2,    // the ramp without the bevel
    FRAME_SPLIT_RAMP = 3,    // upper rows brighten, lower rows darken, no bevel
};
// Draws a frame of the type into image (width x height RGBA, row 0 at the
// bottom). Every pixel is written: what the type leaves is the panel colour
// at alpha 0; ramps are limited to 0..255 per channel.
void DrawFrameImage(unsigned char* image, int width, int height, int r, int g, int b, int alpha, int type);
// Draws the frame into the work image and uploads it into *name (made on the
// create pass, refilled after it). A size under 1 x 1 makes nothing.
void MakeFrameTexture(GLuint* name, int width, int height, int r, int g, int b, int alpha, int type);

// ---- the rebuild ----
enum PanelRebuildMode {
    REBUILD_CAPTION_BAR = 0,  // window size change: the caption bar only
    REBUILD_COLOUR = 1,       // panel colour change: the caption bar and every panel
    REBUILD_ALL = 2,          // start-up and language change: the help page too
};
// Rebuilds the overlay textures of the mode, in the fixed order: help page
// (mode 2), caption bar, then the panel builders from the main menu to the
// online banner (modes 1 and 2).
void RebuildPanelTextures(int mode);
