// Frame and caption textures of the overlay panels.
#pragma once

// The panel colour g_panelColour x 255, truncated: R, G, B. Blended caption
// passes mix with it, and the hovered-entry style draws in it.
extern int g_panelColourByte[3];

// Recomputes g_panelColourByte from g_panelColour.
void UpdatePanelColourBytes();

// Rebuilds every panel's caption textures (1: also re-measures the panels).
void RebuildPanelTextures(int remeasure);
