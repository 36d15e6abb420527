// Places of every overlay element, computed from the client size.
#pragma once

#include "platform/window.h"

// Hit rectangles of the fixed elements (window coordinates), empty until
// LayoutAll fills them.
extern CRect g_captionButtonRect[4];  // caption bar: close, maximise/restore, minimise, help
extern CRect g_menuButtonRect;        // the caption bar's menu button
extern CRect g_textCloseRect;         // the help text window's close button
extern CRect g_textTrackRect;         // the help text window's scroll track

// Lays out the fixed elements and every panel for the current client size.
void LayoutAll();
