#include "scene/board_drawing.h"

#include "rules/board.h"
#include "rules/live_options.h"
#include "scene/board_geometry.h"
#include "scene/frame_state.h"
#include "scene/geo_model.h"
#include "scene/textures.h"

int g_curModel = 0;
int g_colourModel = 1;
GLuint g_pieceTexName = 0;
int g_boundTexture = -1;
int g_mirrorY = 0;
double g_hoverScale = 1.01;
double g_selectScale = 1.03;
double g_animOffset = 0.0;
float g_polygonOffset[6] = {-0.25f, -0.5f, -0.7f, -1.0f, -0.25f, -0.25f};

namespace {

bool OnBoard(int x, int y)
{
    return x >= 1 && x <= 10 && y >= 1 && y <= 10;
}

bool SameSquare(int x, int y, const int square[2])
{
    return square[0] == x && square[1] == y;
}

bool IsHovered(int x, int y)
{
    return g_hoverRow[0] != 0 && g_hoverRow[1] != 0 && SameSquare(x, y, g_hoverRow);
}

bool IsRevealed(int x, int y)
{
    return g_revealRow[0] != 0 && SameSquare(x, y, g_revealRow);
}

// How the piece on a square is drawn.
struct PieceLook {
    int geometry;
    int colours;
    GLuint texture;
    int shadow;
};

bool PieceOn(int x, int y, PieceLook* look)
{
    const int owner = g_cellOwner[x][y];
    if (owner == OWNER_PLAYER || owner == OWNER_SELECTED) {
        *look = {MODEL_PIECE_FACE, MODEL_PIECE_FACE, ModelTexture(2), MODEL_SHADOW_OWN};
        return true;
    }
    if (owner == OWNER_COMPUTER) {
        if (IsRevealed(x, y))
            *look = {MODEL_PIECE_FACE, MODEL_PIECE_BACK, ModelTexture(3), MODEL_SHADOW_OWN};
        else
            *look = {MODEL_PIECE_BACK, MODEL_PIECE_BACK, ModelTexture(3), MODEL_SHADOW_ENEMY};
        return true;
    }
    return false;
}

// The animation scale of square (x, y) while a move or drop is animated;
// false when the square is not animated.
bool AnimationScale(int x, int y, double* scale)
{
    const double s = g_selectScale;
    const double b = g_selectScale - g_animOffset;
    const bool from = SameSquare(x, y, g_animFromRow);
    const bool to = SameSquare(x, y, g_animToRow);
    switch (g_pieceAnimState) {
    case ANIM_ATTACKER_WON:
        if (from) *scale = s;
        if (to) *scale = b;
        return from || to;
    case ANIM_ATTACKER_LOST:
        if (from) *scale = b;
        if (to) *scale = s;
        return from || to;
    case ANIM_BOTH_REMOVED:
        *scale = b;
        return from || to;
    case ANIM_DROP:
        *scale = b;
        return x == g_dropRow && y == g_dropCol;
    default:
        return false;
    }
}

// The piece scale rule: the scales applied after the translation to the
// square, in order. hovered and enlarged tell which rules applied.
struct PieceScales {
    double scale[3];
    int count = 0;
    bool hovered = false;
    bool enlarged = false;  // the selection or the animation rule
};

PieceScales ScalesFor(int x, int y)
{
    PieceScales p;
    const int owner = g_cellOwner[x][y];
    if (g_pieceAnimState == ANIM_IDLE && IsHovered(x, y) && owner != OWNER_SELECTED) {
        p.scale[p.count++] = g_hoverScale;
        p.hovered = true;
    }
    if (g_pieceAnimState <= 0 &&
        (owner == OWNER_SELECTED || SameSquare(x, y, g_battlePlayerRow) || SameSquare(x, y, g_battleOpponentRow))) {
        p.scale[p.count++] = g_selectScale;
        p.enlarged = true;
    }
    double anim = 1.0;
    if (g_pieceAnimState > 0 && AnimationScale(x, y, &anim)) {
        p.scale[p.count++] = anim;
        p.enlarged = true;
    }
    return p;
}

void ApplyScales(const PieceScales& p)
{
    for (int i = 0; i < p.count; ++i) glScaled(p.scale[i], p.scale[i], p.scale[i]);
}

void UndoScales(const PieceScales& p)
{
    for (int i = p.count - 1; i >= 0; --i) {
        const double inv = 1.0 / p.scale[i];
        glScaled(inv, inv, inv);
    }
}

// Calls draw(x, y, look, scales) for every piece on the board, translated
// to its square and scaled by the rule, in the given column order.
template <class Draw>
void ForEachPiece(bool columnsDescending, Draw draw)
{
    for (int i = 1; i <= 10; ++i) {
        const int x = columnsDescending ? 11 - i : i;
        for (int y = 1; y <= 10; ++y) {
            PieceLook look;
            if (!PieceOn(x, y, &look)) continue;
            const PieceScales scales = ScalesFor(x, y);
            const double wx = g_squareX[x][y];
            const double wz = g_squareZ[x][y];
            glTranslated(wx, 0.0, wz);
            ApplyScales(scales);
            draw(x, y, look, scales);
            UndoScales(scales);
            glTranslated(-wx, 0.0, -wz);
        }
    }
}

// The four board-model vertices of square (x, y); false when the square has
// no complete quad in the board model.
bool SquareFirstVertex(int x, int y, int* first)
{
    if (!OnBoard(x, y)) return false;
    const int k = static_cast<int>(g_squareFirstVertex[x][y]);
    if (k < 0 || k + 3 >= g_models[MODEL_BOARD].vertexCount) return false;
    *first = k;
    return true;
}

void SquareQuad(int first)
{
    const ModelRecord& b = g_models[MODEL_BOARD];
    glBegin(GL_POLYGON);
    for (int k = first; k < first + 4; ++k) {
        const size_t i = static_cast<size_t>(k);
        glVertex3d(b.posX[i], b.posY[i], b.posZ[i]);
    }
    glEnd();
}

// The marked square with its texture coordinates turned by the direction.
void MarkerQuad(int x, int y, GLuint texture, int direction)
{
    int first = 0;
    if (!SquareFirstVertex(x, y, &first)) return;
    static const double ring[4][2] = {{0.0, 0.0}, {1.0, 0.0}, {1.0, 1.0}, {0.0, 1.0}};
    const ModelRecord& b = g_models[MODEL_BOARD];
    BindOnce(texture);
    glBegin(GL_POLYGON);
    for (int k = 0; k < 4; ++k) {
        const size_t i = static_cast<size_t>(first + k);
        const double* t = ring[(k + direction - 1) % 4];
        glTexCoord2d(t[0], t[1]);
        glVertex3d(b.posX[i], b.posY[i], b.posZ[i]);
    }
    glEnd();
}

// An additive glow over a whole piece model standing at (x, y, z), scaled
// by scale: positions only, y negated under the mirror image.
void DrawGlow(int model, double x, double y, double z, double scale, float offsetFactor)
{
    glTranslated(x, y, z);
    glEnable(GL_BLEND);
    glBlendFunc(GL_DST_COLOR, GL_ONE);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(offsetFactor, -1.0f);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDepthMask(GL_FALSE);
    glScaled(scale, scale, scale);

    ModelPass w;
    w.geometry = &g_models[model];
    w.last = w.geometry->vertexCount - 1;
    w.mirror = g_mirrorY == 1;
    DrawModelPass(w);

    glScaled(1.0 / scale, 1.0 / scale, 1.0 / scale);
    glDepthMask(GL_TRUE);
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glDisable(GL_BLEND);
    glTranslated(-x, -y, -z);
}


double Darkened(double c, double amount)
{
    const double v = c - amount;
    return v < 0.0 ? 0.0 : v;
}

void BindFor(const ModelPass& w, int slot)
{
    if (slot == 0) return;
    switch (w.binding) {
    case PassBinding::Nothing:
        break;
    case PassBinding::ModelSlot:
        BindOnce(ModelTexture(slot));
        break;
    case PassBinding::PieceTexture:
        BindOnce(g_pieceTexName);
        break;
    case PassBinding::Fixed:
        BindOnce(w.fixedName);
        break;
    }
}

}  // namespace

// Every vertex that opens a polygon ends the open one, binds that polygon's
// texture and begins a new GL_POLYGON; a range that starts inside a polygon
// begins one at its first vertex. Ranges are clipped to the model, so a short
// or empty model draws what it has.
void DrawModelPass(const ModelPass& w)
{
    if (!w.geometry) return;
    const ModelRecord& g = *w.geometry;
    const int first = w.first < 0 ? 0 : w.first;
    const int last = w.last >= g.vertexCount ? g.vertexCount - 1 : w.last;
    if (first > last) return;
    const ModelRecord& c = (w.colours && w.colours->vertexCount >= g.vertexCount) ? *w.colours : g;
    const double ySign = w.mirror ? -1.0 : 1.0;
    bool open = false;
    for (int k = first; k <= last; ++k) {
        const size_t i = static_cast<size_t>(k);
        if (g.polyStart[i] == 1 || !open) {
            if (open) glEnd();
            BindFor(w, g.polyStart[i] == 1 ? g.texSlot[i] : 0);
            glBegin(GL_POLYGON);
            open = true;
        }
        if (w.emit & EMIT_COLOUR)
            glColor3d(Darkened(c.colourR[i], w.darken), Darkened(c.colourG[i], w.darken),
                      Darkened(c.colourB[i], w.darken));
        if (w.emit & EMIT_TEXCOORD) glTexCoord2d(g.texS[i], g.texT[i]);
        if (w.emit & EMIT_NORMAL) glNormal3d(g.normalX[i], g.normalY[i], g.normalZ[i]);
        glVertex3d(g.posX[i], ySign * g.posY[i], g.posZ[i]);
    }
    if (open) glEnd();
}

GLuint ModelTexture(int slot)
{
    if (slot < 1 || static_cast<size_t>(slot) >= g_modelTex.size()) return 0;
    return g_modelTex[static_cast<size_t>(slot)];
}

void BindOnce(GLuint name)
{
    if (g_boundTexture == static_cast<int>(name)) return;
    glBindTexture(GL_TEXTURE_2D, name);
    g_boundTexture = static_cast<int>(name);
}

bool MoveMarkerFits(int fromX, int fromY, int toX, int toY, int direction)
{
    if (!OnBoard(fromX, fromY) || !OnBoard(toX, toY)) return false;
    switch (direction) {
    case 1: return toY == fromY && toX > fromX;
    case 2: return toX == fromX && toY < fromY;
    case 3: return toY == fromY && toX < fromX;
    case 4: return toX == fromX && toY > fromY;
    default: return false;
    }
}

void DrawBoard(int part)
{
    g_boundTexture = -1;
    const ModelRecord& board = g_models[MODEL_BOARD];
    const int n = board.vertexCount;
    glDisable(GL_LIGHTING);
    if (part == 1) {
        glColor3d(g_tintR[COLOUR_BOARD], g_tintG[COLOUR_BOARD], g_tintB[COLOUR_BOARD]);
        ModelPass w;
        w.geometry = &board;
        w.last = n - 5;
        w.emit = EMIT_TEXCOORD;
        w.binding = PassBinding::ModelSlot;
        DrawModelPass(w);
    } else if (part == 2) {
        glDisable(GL_TEXTURE_2D);
        glColor3d(0.3, 0.2, 0.2);
        ModelPass w;
        w.geometry = &board;
        w.first = n - 4;
        w.last = n - 1;
        DrawModelPass(w);
        glEnable(GL_TEXTURE_2D);
    }
    glEnable(GL_LIGHTING);
}

void DrawPieces()
{
    g_boundTexture = -1;
    ForEachPiece(false, [](int, int, const PieceLook& look, const PieceScales&) {
        g_curModel = look.geometry;
        g_colourModel = look.colours;
        g_pieceTexName = look.texture;
        ModelPass w;
        w.geometry = &g_models[g_curModel];
        w.colours = &g_models[g_colourModel];
        w.last = w.geometry->vertexCount - 5;
        w.emit = EMIT_COLOUR | EMIT_TEXCOORD | EMIT_NORMAL;
        w.binding = PassBinding::PieceTexture;
        w.mirror = g_mirrorY == 1;
        DrawModelPass(w);
    });
}

void DrawPieceFaces()
{
    g_boundTexture = -1;
    glDisable(GL_LIGHTING);
    ForEachPiece(false, [](int x, int y, const PieceLook& look, const PieceScales& scales) {
        const int rank = g_cellRank[x][y];
        if (rank < 0 || rank >= RANK_KINDS) return;  // no picture for it: leave the face out
        if (scales.enlarged)
            glColor3d(0.8, 0.8, 0.6);
        else if (scales.hovered && (g_setupPhase == 1 || (rank >= 1 && rank <= 10)))
            glColor3d(0.8, 0.8, 0.7);
        else if (scales.hovered)
            glColor3d(1.0, 0.7, 0.7);
        else
            glColor3d(1.0, 1.0, 1.0);
        g_curModel = look.geometry;
        ModelPass w;
        w.geometry = &g_models[g_curModel];
        w.first = w.geometry->vertexCount - 4;
        w.last = w.geometry->vertexCount - 1;
        w.emit = EMIT_TEXCOORD;
        w.binding = PassBinding::Fixed;
        w.fixedName = g_rankTex[rank];
        w.mirror = g_mirrorY == 1;
        DrawModelPass(w);
    });
    glEnable(GL_LIGHTING);
}

void DrawPieceShadows(int part)
{
    g_boundTexture = -1;
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(g_polygonOffset[2], -1.0f);
    glDisable(GL_LIGHTING);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    glColor3d(1.0, 1.0, 1.0);
    ForEachPiece(true, [part](int, int, const PieceLook& look, const PieceScales&) {
        const ModelRecord& m = g_models[look.shadow];
        // The first vertex of the cast shadow in each shadow model.
        const int split = look.shadow == MODEL_SHADOW_ENEMY ? 45 : 35;
        ModelPass w;
        w.geometry = &m;
        w.first = part == 0 ? 0 : split;
        w.last = part == 0 ? split - 1 : m.vertexCount - 1;
        w.emit = EMIT_TEXCOORD;
        w.binding = PassBinding::ModelSlot;
        DrawModelPass(w);
    });
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
    glEnable(GL_LIGHTING);
    glDisable(GL_POLYGON_OFFSET_FILL);
}

void DrawSquareHighlight(int kind)
{
    int first = 0;
    if (!SquareFirstVertex(g_hoverRow[0], g_hoverRow[1], &first)) return;
    bool bright;
    if (g_setupPhase == 1) {
        const int rank = g_selectedTrayRank;
        bright = rank >= 0 && rank < RANK_KINDS && g_trayCount[rank] > 0;
    } else {
        const MoveRecord hovered{g_selectedRow[0], g_selectedRow[1], g_hoverRow[0], g_hoverRow[1]};
        bright = hovered != g_forbiddenMove[1] && kind == 1;
    }
    glEnable(GL_BLEND);
    glDisable(GL_LIGHTING);
    glDepthMask(GL_FALSE);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(g_polygonOffset[1], -1.0f);
    if (bright) {
        glBlendFunc(GL_DST_COLOR, GL_ONE);
        glColor3d(0.5, 0.5, 0.0);
    } else {
        glBlendFunc(GL_DST_COLOR, GL_ZERO);
        glColor3d(0.8, 0.5, 0.5);
    }
    glDisable(GL_TEXTURE_2D);
    SquareQuad(first);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glDepthMask(GL_TRUE);
    glEnable(GL_LIGHTING);
    glDisable(GL_BLEND);
}

void DrawHoverHighlight(int model, double x, double y, double z)
{
    const int hx = g_hoverRow[0], hy = g_hoverRow[1];
    if (OnBoard(hx, hy) && IsRevealed(hx, hy)) model = MODEL_PIECE_FACE;
    if (model != MODEL_PIECE_FACE && model != MODEL_PIECE_BACK) return;
    const double scale =
        g_pieceAnimState == ANIM_DROP ? g_selectScale - g_animOffset : g_hoverScale;
    const bool ownBombOrFlag = OnBoard(hx, hy) && g_setupPhase == 0 && g_cellOwner[hx][hy] == OWNER_PLAYER &&
                               (g_cellRank[hx][hy] == RANK_BOMB || g_cellRank[hx][hy] == RANK_FLAG);
    if (ownBombOrFlag)
        glColor3d(0.25, 0.0, 0.0);
    else
        glColor3d(0.3, 0.3, 0.0);
    DrawGlow(model, x, y, z, scale, g_polygonOffset[0]);
}

void DrawSelectedPiece(int x, int y, double wx, double wy, double wz)
{
    const int model =
        (g_pieceAnimState == ANIM_MOVE && g_showBattleOpponent == 1) ? MODEL_PIECE_BACK : MODEL_PIECE_FACE;
    double scale = g_selectScale;
    if (g_pieceAnimState > 0 && !AnimationScale(x, y, &scale)) scale = 1.0;
    glColor3d(0.4, 0.4, 0.1);
    DrawGlow(model, wx, wy, wz, scale, g_polygonOffset[4]);
}

void DrawMoveMarker(int direction, int ghost)
{
    const MoveRecord& m = g_lastMove;
    if (!MoveMarkerFits(m.fromX, m.fromY, m.toX, m.toY, direction)) return;
    g_boundTexture = -1;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_LIGHTING);
    glDepthMask(GL_FALSE);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(g_polygonOffset[5], -1.0f);
    glColor4d(1.0, 1.0, 1.0, ghost != 0 ? 0.2 : 1.0);

    MarkerQuad(m.fromX, m.fromY, g_pathMarkerTex[0], direction);
    const bool alongX = direction == 1 || direction == 3;
    const int step = (direction == 1 || direction == 4) ? 1 : -1;
    int x = m.fromX, y = m.fromY;
    for (;;) {
        if (alongX)
            x += step;
        else
            y += step;
        if (x == m.toX && y == m.toY) break;
        MarkerQuad(x, y, g_pathMarkerTex[2], direction);
    }
    MarkerQuad(m.toX, m.toY, g_pathMarkerTex[1], direction);

    glDisable(GL_POLYGON_OFFSET_FILL);
    glDepthMask(GL_TRUE);
    glEnable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glColor4d(1.0, 1.0, 1.0, 1.0);
}

void DrawGridOverlay()
{
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4d(1.0, 1.0, 1.0, 1.0);
    glBindTexture(GL_TEXTURE_2D, g_gridOverlayTex);
    const double y = g_boardMaxY;
    glBegin(GL_QUADS);
    glTexCoord2d(0.0, 1.0);
    glVertex3d(g_boardMinX, y, g_boardMinZ);
    glTexCoord2d(0.0, 0.0);
    glVertex3d(g_boardMinX, y, g_boardMaxZ);
    glTexCoord2d(1.0, 0.0);
    glVertex3d(g_boardMaxX, y, g_boardMaxZ);
    glTexCoord2d(1.0, 1.0);
    glVertex3d(g_boardMaxX, y, g_boardMinZ);
    glEnd();
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
}
