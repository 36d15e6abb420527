// Frame and caption textures of the overlay panels.
#pragma once

// Rebuilds every panel's caption textures (1: also re-measures the panels).
void RebuildPanelTextures(int remeasure);
