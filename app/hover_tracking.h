// Hover tracking: on every mouse move, the id of the overlay element under
// the cursor, the drags of the option sliders, colour ramps and the help
// text's thumb while the button is held, and the square or tray slot under
// the cursor while the board is active. Redraws only what changed.
#pragma once

#include "platform/window.h"

extern int g_prevHoverId;    // g_hoverId before the current mouse move
extern int g_prevHoverTray;  // g_hoverTraySlot before the current pick

// One mouse move at point (client coordinates, y down). False when the move
// was not handled further: the scene is not ready or fading in, or a drag
// took it (the main dialog's default handling then is skipped).
bool TrackMouseMove(CPoint point, int clientHeight);
