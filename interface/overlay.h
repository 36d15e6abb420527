// The 2D overlay pass: the window frame and caption bar, then the menu
// backdrop and every open panel over the finished 3D scene.
#pragma once

// 0 hides the backdrop and every panel (the frame and caption bar stay); the
// fly-ins clear it for their first plain redraws.
extern int g_overlayOn;

constexpr int WINDOW_BORDER = 5;  // width of the bevelled window frame
// Greys of the frame's left, bottom, top and right border.
constexpr double FRAME_GREY_LEFT = 0.9, FRAME_GREY_BOTTOM = 0.7, FRAME_GREY_TOP = 0.3, FRAME_GREY_RIGHT = 0.2;

// Draws the overlay in client pixels (y up) and hands the perspective camera
// back; depth test, lighting and depth writes end on, blending off.
void DrawOverlay();

// The four bevelled borders and the caption bar's buttons (hot while hovered).
void DrawWindowFrame(int clientWidth, int clientHeight);
