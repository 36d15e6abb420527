// The 2D overlay pass: the open panels and the window frame over the scene.
#pragma once

// Draws the overlay over the finished 3D scene; ends with the perspective camera loaded.
void DrawOverlay();
