// Places of every overlay element, computed from the client size: the whole
// layout in its order, the menu backdrop and the help window's hit
// rectangles. The caption bar, the text window and each panel place their own
// elements (interface/caption_bar.h, interface/text_window.h, the panels'
// layouts under interface/layout_rules.h).
#pragma once

#include "platform/window.h"

// Lays out, for the current client size and in this order: the text window
// with its track, close button and thumb, the menu button, the four
// caption-bar buttons, the 21 panels (0 to 20) and the menu backdrop.
void LayoutAll();

// The menu backdrop, centred on the client area (the fly-ins move it).
extern double g_menuBackdropLeft, g_menuBackdropRight, g_menuBackdropTop, g_menuBackdropBottom;
// Hit rectangles of the help window's track and close button.
extern RECT g_textTrackRect;
extern RECT g_textCloseRect;

void LayoutMenuBackdrop(int clientWidth, int clientHeight);
