// The setup tray: a row of twelve pieces, one per rank, in front of the
// board. In setup the player picks the rank to place from it and each piece
// shows how many of its rank are still to place; in play it shows the
// opponent's army with the pieces of each rank the opponent still has.
// Drawn in world coordinates (without the board translation).
#pragma once

// The row of pieces: bodies lit and textured, faces unlit with their rank pictures.
void DrawSetupTray();
// The digit on every slot.
void DrawPieceTally();
// The glow on the slot under the cursor.
void DrawTrayHighlight();

// The transform of slot k (translate, tilt, scale) and its inverse.
void ApplyTraySlotTransform(int slot);
void UndoTraySlotTransform(int slot);
