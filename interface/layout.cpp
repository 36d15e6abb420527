#include "interface/layout.h"

CRect g_captionButtonRect[4];
CRect g_menuButtonRect;
CRect g_textCloseRect;
CRect g_textTrackRect;

// Stands in until the overlay layout work places the panels.
void LayoutAll() {}
