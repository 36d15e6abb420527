// The two colours every caption is drawn with besides its own: the panel
// colour as bytes (the transparent background the blended passes mix with,
// and the hovered-entry style's ink) and the hovered caption colour.
#pragma once

// The panel colour g_panelColour x 255, truncated: R, G, B.
extern int g_panelColourByte[3];

// Recomputes g_panelColourByte from g_panelColour.
void UpdatePanelColourBytes();

// The hovered caption colour.
constexpr int HOT_R = 180, HOT_G = 180, HOT_B = 100;
