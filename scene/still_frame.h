// A finished frame kept as a texture, so that a run of frames can each start
// from the same still picture: after a buffer swap the back buffer's contents
// are undefined, so nothing may be drawn over what it holds.
#pragma once

// Asks the next RenderFrame to keep its picture of the scene: what the back
// buffer holds just before the overlay pass (which each later frame draws
// again, so that nothing of it is blended twice).
void KeepNextFrame();
// Called by RenderFrame before its overlay pass: copies the back buffer when asked.
void KeepFrameIfAsked();
// Whether a picture is kept.
bool StillFrameKept();
// Draws the kept picture over the whole client area, pixel for pixel (depth
// test, lighting and blending off meanwhile); ends with the perspective
// camera loaded. Draws nothing when no picture is kept.
void DrawStillFrame();
// Frees the kept picture and forgets a pending request.
void ReleaseStillFrame();
