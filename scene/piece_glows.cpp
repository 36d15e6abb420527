#include "scene/piece_glows.h"

#include "rules/board.h"
#include "scene/board_drawing.h"
#include "scene/board_geometry.h"
#include "scene/frame_state.h"

namespace {

void SquareCentre(const int square[2], double* x, double* z)
{
    *x = g_squareX[square[0]][square[1]];
    *z = g_squareZ[square[0]][square[1]];
}

bool OnBoard(const int square[2])
{
    return square[0] >= 1 && square[0] <= 10 && square[1] >= 1 && square[1] <= 10;
}

// The glow over the hovered piece, by its side.
void DrawPieceHover()
{
    if (!BoardSquareHovered()) return;
    double x = 0.0, z = 0.0;
    SquareCentre(g_hoverRow, &x, &z);
    const int owner = g_cellOwner[g_hoverRow[0]][g_hoverRow[1]];
    if (owner == OWNER_PLAYER) DrawHoverHighlight(MODEL_PIECE_FACE, x, 0.0, z);
    if (owner == OWNER_COMPUTER) DrawHoverHighlight(MODEL_PIECE_BACK, x, 0.0, z);
}

void DrawSelectionOn(const int square[2])
{
    if (!OnBoard(square)) return;
    double x = 0.0, z = 0.0;
    SquareCentre(square, &x, &z);
    DrawSelectedPiece(square[0], square[1], x, 0.0, z);
}

// The selected piece and the pieces of the battle shown.
void DrawSelections()
{
    if (OnBoard(g_selectedRow) && g_cellOwner[g_selectedRow[0]][g_selectedRow[1]] == OWNER_SELECTED)
        DrawSelectionOn(g_selectedRow);
    if (g_pieceAnimState != ANIM_IDLE) {
        if (g_showBattlePlayer == 1) DrawSelectionOn(g_battlePlayerRow);
        if (g_showBattleOpponent == 1) DrawSelectionOn(g_battleOpponentRow);
    }
}

}  // namespace

bool BoardSquareHovered()
{
    return g_hoverRow[0] != 0 && g_hoverRow[1] != 0 && OnBoard(g_hoverRow);
}

void DrawPieceGlows()
{
    DrawPieceHover();
    DrawSelections();
}
