// Full-window pictures drawn during start-up (the start-up image and its fades).
#pragma once

// Level of the start-up fade being shown, 0..1.
extern double g_fadeLevel;

// Draws a full-window picture; mode 1 is the start-up image at the given level.
void DrawFullscreenImage(int mode, double level);
