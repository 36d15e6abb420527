// The drawers of the board and its pieces: the board mesh and its edge quad,
// the pieces with their rank faces and shadows, the glows of the hovered,
// selected and battling pieces, the highlight of the hovered square, the
// last-move marker and the grid overlay.
//
// Every drawer works in board space (the caller has applied the board
// translation), starts from the state the context was created with (depth
// test, back-face culling, lighting, colour material and texturing on,
// blending off), switches on only what it needs and puts it back before it
// returns. Transforms are undone by their inverses, never by the matrix stack.
#pragma once

#include <GL/gl.h>

// Models of g_models.
constexpr int MODEL_BOARD = 0;
constexpr int MODEL_PIECE_FACE = 1;    // the piece seen from its face side
constexpr int MODEL_PIECE_BACK = 2;    // the piece seen from its back
constexpr int MODEL_SHADOW_OWN = 3;
constexpr int MODEL_SHADOW_ENEMY = 4;

extern int g_curModel;          // model being drawn
extern int g_colourModel;       // model whose vertex colours the pieces take (1 own, 2 enemy)
extern GLuint g_pieceTexName;   // piece texture of the current piece
extern int g_boundTexture;      // last texture a drawer bound, -1 at the start of every drawer
extern int g_mirrorY;           // 1 while the mirror image is drawn: piece and glow y negated
extern double g_hoverScale;     // scale of the hovered piece
extern double g_selectScale;    // scale of the selected piece and of battle pieces
extern double g_animOffset;     // taken off g_selectScale by the bump and drop animations
// Polygon-offset factors (units -1): [0] hover and tray glow, [1] square
// highlight, [2] shadows, [3] unused here, [4] selection glow, [5] move marker.
extern float g_polygonOffset[6];

// part 1: the mesh (every vertex but the last four); part 2: the edge quad.
void DrawBoard(int part);
// Every piece on the board without its face quad.
void DrawPieces();
// The face quad of every piece, with its rank picture.
void DrawPieceFaces();
// part 1: the shadows cast on the board (drawn with the board); part 0: the
// shading on the pieces' own sides (drawn after the pieces).
void DrawPieceShadows(int part);
// The hovered square: kind 1 a free square, 2 a lake.
void DrawSquareHighlight(int kind);
// Glow over the hovered piece (model 1 own, 2 enemy) standing at (x, y, z).
void DrawHoverHighlight(int model, double x, double y, double z);
// Glow over the piece on square (x, y) standing at (wx, wy, wz).
void DrawSelectedPiece(int x, int y, double wx, double wy, double wz);
// The last move: direction 1 x grows, 2 y falls, 3 x falls, 4 y grows;
// ghost 1 draws it faint over the mirror image.
void DrawMoveMarker(int direction, int ghost);
// The grid lines laid over the board (drawn over the mirror image).
void DrawGridOverlay();

// --- shared with the tray, picking and the mirror pass ---

// True when the move marker can be drawn for this move and direction: both
// squares on the board and the target in that direction on the same line.
bool MoveMarkerFits(int fromX, int fromY, int toX, int toY, int direction);
// GL name of unified model texture slot, 0 when the slot does not exist.
GLuint ModelTexture(int slot);
// Binds name unless it is the texture bound last (g_boundTexture).
void BindOnce(GLuint name);

// --- one pass over a range of a model's vertices ---

struct ModelRecord;

constexpr unsigned EMIT_COLOUR = 1;    // vertex colours (of `colours`, else the geometry's)
constexpr unsigned EMIT_TEXCOORD = 2;
constexpr unsigned EMIT_NORMAL = 4;

// What a pass binds at each polygon start whose texture slot is not 0.
enum class PassBinding {
    Nothing,       // nothing (positions-only passes)
    ModelSlot,     // the unified model texture of the polygon's slot
    PieceTexture,  // g_pieceTexName
    Fixed,         // fixedName
};

struct ModelPass {
    const ModelRecord* geometry = nullptr;
    const ModelRecord* colours = nullptr;  // used when it has the geometry's vertex count
    int first = 0;
    int last = -1;                          // inclusive; clipped to the model
    unsigned emit = 0;                      // positions are always emitted
    PassBinding binding = PassBinding::Nothing;
    GLuint fixedName = 0;
    double darken = 0.0;                    // taken off each colour channel, clamped at 0
    bool mirror = false;                    // y negated
};

// Draws the range as the model's polygons (one GL_POLYGON each).
void DrawModelPass(const ModelPass& pass);
