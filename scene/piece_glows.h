// The glows over pieces, as the frame draws them and the mirror pass repeats
// them: the hovered piece, the selected piece and the pieces of the battle
// shown (board space).
#pragma once

// True when the cursor is over a square of the board (g_hoverRow).
bool BoardSquareHovered();

// The hovered piece's glow by its side, the selected piece's and those of
// the battle shown. The hovered free square or lake is not among them.
void DrawPieceGlows();
