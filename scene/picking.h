// Colour-coded picking of board squares and tray slots: the pickable things
// are drawn in flat, unique colours into the back buffer (never shown) and
// the one pixel under the cursor is read back and compared exactly with the
// colours the framebuffer itself returned at calibration.
#pragma once

#include "rules/board.h"

// Read-back pick colours: squares [x][y] (1..10), tray slots 0..11.
extern float g_pickR[GRID_SIZE][GRID_SIZE], g_pickG[GRID_SIZE][GRID_SIZE], g_pickB[GRID_SIZE][GRID_SIZE];
extern float g_trayPickR[RANK_KINDS], g_trayPickG[RANK_KINDS], g_trayPickB[RANK_KINDS];
extern int g_pickPoint[2];   // pixel to read: mouse x, client height - mouse y
extern float g_pickPixel[3]; // what the last pick read

// Start-up step: clears the back buffer with each candidate pick colour and
// keeps what the framebuffer returns, so picks compare exact values.
// Needs the GL context current; leaves lighting on and the clear colour at
// the panel colour.
void CalibratePickColours();

// Sets g_hoverRow (the square under g_pickPoint, (0, 0) none) and, when no
// square is hit, g_hoverTraySlot (-1 none). Does nothing before the scene is
// ready. The frame shown and the GL state are left as they were.
void PickUnderMouse();

// The two drawing passes of the pick: the board's answering squares and
// pieces (board translation applied by the caller; the selected piece first,
// so that its targets cover it, the rest from the far corner forward), and
// the tray slots.
void DrawPickBoard();
void DrawPickTray();
