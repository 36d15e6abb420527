// The frame renderer: the one way to show a change.
#pragma once

// Draws the whole frame in its fixed order and swaps the buffers.
void RenderFrame();
