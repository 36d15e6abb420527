// The fixed perspective camera and the client area the frames cover.
#pragma once

// Written by the main window's size handler, read by every frame.
extern int g_sizeType;   // type of the last WM_SIZE; SIZE_MINIMIZED makes frames skip drawing
extern float g_aspect;   // client width / client height
extern double g_fovY;
extern double g_eyeY, g_eyeZ;
extern double g_centerY;

// Near and far values of the projection. The far value is negative on
// purpose: every point 300 or more in front of the eye gets a window depth
// below 0.5, growing towards 0.5 with distance, and nothing is cut off
// behind (with +300 the two planes would coincide and no projection would be
// set); the background quad at orthographic z 0 gets exactly 0.5, so it shows
// only where the board left the cleared depth.
constexpr double CAMERA_NEAR_PLANE = 300.0;
constexpr double CAMERA_FAR_PLANE = -300.0;

// The fixed perspective camera: projection and look-at, as every 2D pass
// hands it back.
void LoadPerspectiveCamera();

// The client area frames cover: the viewport the size handler set.
void ClientSize(int* width, int* height);

// A textured quad over (0, 0)..(width, height) in window units, texture
// (0, 1) at the top-left: the whole-window pictures (background, start-up
// image, mirror image).
void WindowQuad(double width, double height);
