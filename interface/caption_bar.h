// The caption bar: the menu button (the language's caption) and the four icon
// buttons, their textures and their places along the client's top edge.
#pragma once

#include <GL/gl.h>

#include "platform/window.h"

// ---- the textures ----
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

// ---- the places ----
constexpr int CAPTION_BAR_MARGIN = 15;       // from the client's left, right and top edges
constexpr int CAPTION_CLOSE_DROP = 2;        // the close button sits this much lower
constexpr int CAPTION_BUTTON_GAP = 3;        // between close, maximise and minimise
// Edges of the icon buttons indexed by hover id (1 close, 2 maximise/restore,
// 3 minimise, 4 help; entry 0 unused); hit rectangles 0..3 in the same order.
extern double g_captionButtonLeft[5], g_captionButtonRight[5], g_captionButtonTop[5], g_captionButtonBottom[5];
extern RECT g_captionButtonRect[4];
extern double g_menuButtonLeft, g_menuButtonRight, g_menuButtonTop, g_menuButtonBottom;
extern RECT g_menuButtonRect;

// Right to left from the close button, from the buttons' on-screen sizes.
void LayoutCaptionBar(int clientWidth, int clientHeight);
