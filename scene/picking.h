// Colour-coded picking of board squares and tray slots.
#pragma once

// Start-up step: clears the back buffer with each candidate pick colour and
// keeps what the framebuffer returns, so picks compare exact values.
// Needs the GL context current; leaves lighting on and the clear colour at
// the panel colour.
void CalibratePickColours();
