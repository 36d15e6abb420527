// The five model files: the board, the piece seen from its face side and from
// its back, and the two shadow models.
//
// Everything is built in world units (what the program has after reading and
// scaling) and written with the inverse of the reader's transform: the board
// as (2x, -2y, 2z / 1.3), pieces and shadows as (2.05x, -2.05y, 2.05z).
//
// Layout (world units): square 44, border 4, board 448 x 582.4, top at y 0,
// front edge at z 0; piece 35 wide, 44 high, 12 deep, its face 32 x 40.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/datagen.h"
#include "tools/model_layout.h"

namespace {

struct Vertex {
    double r, g, b;
    double x, y, z;
    double s, t;
};

struct Polygon {
    int slot;
    std::vector<Vertex> v;
};

std::string Num(double v)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.8f", v);
    std::string s = text;
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    if (s == "-0") s = "0";
    return s;
}

// Writes one model; board selects the board transform.
bool WriteModel(const std::string& path, bool board, const std::vector<std::string>& textures,
                const std::vector<Polygon>& polygons)
{
    size_t count = 0;
    for (const Polygon& p : polygons) count += p.v.size();
    std::string out = std::to_string(count) + "\n" + std::to_string(textures.size()) + "\n";
    for (const std::string& name : textures) out += "*" + name + "\n";
    for (const Polygon& p : polygons) {
        for (size_t i = 0; i < p.v.size(); ++i) {
            const Vertex& v = p.v[i];
            out += i == 0 ? "1 " + std::to_string(p.slot) + " 0 0  " : "0  ";
            const double fx = board ? 2.0 * v.x : PIECE_FILE_SCALE * v.x;
            const double fy = board ? -2.0 * v.y : -PIECE_FILE_SCALE * v.y;
            const double fz = board ? 2.0 * v.z / BOARD_DEPTH_SCALE : PIECE_FILE_SCALE * v.z;
            out += Num(v.r) + " " + Num(v.g) + " " + Num(v.b) + "  " + Num(fx) + " " + Num(fy) + " " +
                   Num(fz) + "  " + Num(v.s) + " " + Num(v.t) + "\n";
        }
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return std::fclose(f) == 0 && ok;
}

// ---- board ----

Vertex BoardVertex(double x, double z, double red)
{
    return {red, 1.0, 1.0, x, 0.0, z, x / BOARD_WIDTH, -z / (BOARD_DEPTH_SCALE * BOARD_WIDTH)};
}

// A flat top-surface quad, counter-clockwise seen from above: far-left,
// near-left, near-right, far-right (vertex 1 -> 2 runs along +x).
Polygon BoardQuad(double x0, double x1, double zNear, double zFar, double red)
{
    return {1, {BoardVertex(x0, zFar, red), BoardVertex(x0, zNear, red), BoardVertex(x1, zNear, red),
                BoardVertex(x1, zFar, red)}};
}

std::vector<Polygon> Board()
{
    const double s = SQUARE_SIZE, m = BOARD_BORDER, d = BOARD_DEPTH_SCALE;
    const double W = BOARD_WIDTH, zEnd = -d * W;
    std::vector<Polygon> polys;
    // The 100 squares first: square (i, j) is board cell (i + 1, j + 1), row 1 nearest z 0.
    for (int i = 0; i < 10; ++i)
        for (int j = 0; j < 10; ++j)
            polys.push_back(BoardQuad(m + i * s, m + (i + 1) * s, -d * (m + j * s), -d * (m + (j + 1) * s), 0.5));
    // The border strips around the squares.
    polys.push_back(BoardQuad(0, W, 0, -d * m, 0.5));
    polys.push_back(BoardQuad(0, W, -d * (W - m), zEnd, 0.5));
    polys.push_back(BoardQuad(0, m, -d * m, -d * (W - m), 0.5));
    polys.push_back(BoardQuad(W - m, W, -d * m, -d * (W - m), 0.5));
    // Last: the front edge, a vertical quad facing +z.
    const double y = -BOARD_THICKNESS;
    polys.push_back({1, {{0.8, 1, 1, 0, 0, 0, 0, 1}, {0.8, 1, 1, 0, y, 0, 0, 0.98},
                         {0.8, 1, 1, W, y, 0, 1, 0.98}, {0.8, 1, 1, W, 0, 0, 1, 1}}});
    return polys;
}

// ---- piece ----

struct Ring {
    double y, hx, hz, c, green;
};

// Octagon of a chamfered rectangle, in order around the axis. Side k runs
// from point k to point k + 1: 0 front-right chamfer, 1 right (+x),
// 2 back-right, 3 back (-z), 4 back-left, 5 left, 6 front-left, 7 front (+z).
std::vector<std::pair<double, double>> Octagon(const Ring& r)
{
    return {{r.hx - r.c, r.hz}, {r.hx, r.hz - r.c}, {r.hx, -r.hz + r.c}, {r.hx - r.c, -r.hz},
            {-r.hx + r.c, -r.hz}, {-r.hx, -r.hz + r.c}, {-r.hx, r.hz - r.c}, {-r.hx + r.c, r.hz}};
}

// Outward normal by Newell's method.
void Normal(const Polygon& p, double n[3])
{
    n[0] = n[1] = n[2] = 0;
    for (size_t i = 0; i < p.v.size(); ++i) {
        const Vertex& a = p.v[i];
        const Vertex& b = p.v[(i + 1) % p.v.size()];
        n[0] += (a.y - b.y) * (a.z + b.z);
        n[1] += (a.z - b.z) * (a.x + b.x);
        n[2] += (a.x - b.x) * (a.y + b.y);
    }
}

// Orders the polygon counter-clockwise seen from outside the convex piece.
void FaceOutward(Polygon& p, double cy)
{
    double n[3];
    Normal(p, n);
    double c[3] = {0, 0, 0};
    for (const Vertex& v : p.v) {
        c[0] += v.x;
        c[1] += v.y - cy;
        c[2] += v.z;
    }
    if (n[0] * c[0] + n[1] * c[1] + n[2] * c[2] < 0) {
        std::vector<Vertex> reversed(p.v.rbegin(), p.v.rend());
        // Keep the same first vertex.
        std::rotate(reversed.begin(), reversed.end() - 1, reversed.end());
        p.v = reversed;
    }
}

const Ring RING_BASE{0.0, PIECE_HALF_WIDTH, PIECE_HALF_DEPTH, 1.5, 0.82};
const Ring RING_SHOULDER{PIECE_SHOULDER, PIECE_HALF_WIDTH, PIECE_HALF_DEPTH, 1.5, 1.0};
const Ring RING_TOP{PIECE_HEIGHT, PIECE_HALF_WIDTH - 2.0, PIECE_HALF_DEPTH - 2.0, 1.0, 1.0};

Vertex PieceVertex(double x, double y, double z, double red, double green, double s, double t)
{
    return {red, green, 1.0, x, y, z, s, t};
}

// Side k of the band between two rings.
Polygon BandSide(const Ring& lo, const Ring& hi, int k, double red)
{
    const auto a = Octagon(lo), b = Octagon(hi);
    const int k1 = (k + 1) % 8;
    // Texture: s around the piece, t up it (the lower 0.9 of the picture).
    auto sOf = [](double x, double z) { return 0.5 + std::atan2(x, z) / (2 * M_PI); };
    auto tOf = [](double y) { return 0.9 * y / PIECE_HEIGHT; };
    auto sFix = [&](double s, double ref) { return (s - ref > 0.5) ? s - 1 : (ref - s > 0.5 ? s + 1 : s); };
    const double s0 = sOf(a[k].first, a[k].second);
    Polygon p{1, {PieceVertex(a[k].first, lo.y, a[k].second, red, lo.green, s0, tOf(lo.y)),
                  PieceVertex(a[k1].first, lo.y, a[k1].second, red, lo.green,
                              sFix(sOf(a[k1].first, a[k1].second), s0), tOf(lo.y)),
                  PieceVertex(b[k1].first, hi.y, b[k1].second, red, hi.green,
                              sFix(sOf(b[k1].first, b[k1].second), s0), tOf(hi.y)),
                  PieceVertex(b[k].first, hi.y, b[k].second, red, hi.green,
                              sFix(sOf(b[k].first, b[k].second), s0), tOf(hi.y))}};
    FaceOutward(p, PIECE_HEIGHT / 2);
    return p;
}

Polygon TopFace(double red)
{
    Polygon p{1, {}};
    for (const auto& q : Octagon(RING_TOP))
        p.v.push_back(PieceVertex(q.first, RING_TOP.y, q.second, red, 1.0,
                                  0.5 + q.first / (4 * PIECE_HALF_WIDTH), 0.92 + 0.07 * (q.second + PIECE_HALF_DEPTH) / (2 * PIECE_HALF_DEPTH)));
    FaceOutward(p, PIECE_HEIGHT / 2);
    return p;
}

// The face quad carrying the rank picture: top-right, top-left, bottom-left,
// bottom-right seen from the front (+z), the whole picture upright.
Polygon FaceQuad()
{
    const double x = FACE_HALF_WIDTH, y0 = FACE_BOTTOM, y1 = FACE_BOTTOM + FACE_HEIGHT, z = FACE_Z;
    return {1, {PieceVertex(x, y1, z, 0.95, 1, 1, 1), PieceVertex(-x, y1, z, 0.95, 1, 0, 1),
                PieceVertex(-x, y0, z, 0.95, 1, 0, 0), PieceVertex(x, y0, z, 0.95, 1, 1, 0)}};
}

// Red is a smoothing tag: every polygon its own, so each facet stays flat.
double Tag(int k) { return 0.2 + 0.02 * k; }

std::vector<Polygon> PieceFaceSide()
{
    std::vector<Polygon> polys;
    int tag = 0;
    for (int k = 0; k < 8; ++k) polys.push_back(BandSide(RING_BASE, RING_SHOULDER, k, Tag(tag++)));
    for (int k = 0; k < 8; ++k) polys.push_back(BandSide(RING_SHOULDER, RING_TOP, k, Tag(tag++)));
    polys.push_back(TopFace(Tag(tag++)));
    polys.push_back(FaceQuad());
    return polys;
}

// The same piece turned 180 degrees about the vertical axis: same vertex
// order, the face quad now faces away from the player.
std::vector<Polygon> Turned(std::vector<Polygon> polys)
{
    for (Polygon& p : polys)
        for (Vertex& v : p.v) {
            v.x = -v.x;
            v.z = -v.z;
        }
    return polys;
}

// ---- shadows ----

// Pads a polygon to n vertices with points on its longest edges (the shape
// does not change; the drawers need fixed vertex ranges).
void PadTo(Polygon& p, size_t n)
{
    while (p.v.size() < n) {
        size_t best = 0;
        double longest = -1;
        for (size_t i = 0; i < p.v.size(); ++i) {
            const Vertex& a = p.v[i];
            const Vertex& b = p.v[(i + 1) % p.v.size()];
            const double len = std::hypot(std::hypot(a.x - b.x, a.y - b.y), a.z - b.z);
            if (len > longest) {
                longest = len;
                best = i;
            }
        }
        const Vertex& a = p.v[best];
        const Vertex& b = p.v[(best + 1) % p.v.size()];
        Vertex mid{a.r, a.g, a.b, (a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2,
                   (a.s + b.s) / 2, (a.t + b.t) / 2};
        p.v.insert(p.v.begin() + static_cast<long>(best) + 1, mid);
    }
}

// A shading polygon laid over a facet of the piece, sampling one uniform
// stripe of the shadow texture (or its vertical ramp for the ramp stripe).
Polygon Shade(const Polygon& facet, int stripe, double red)
{
    Polygon p{1, facet.v};
    double ymin = 1e9, ymax = -1e9;
    for (const Vertex& v : p.v) {
        ymin = std::min(ymin, v.y);
        ymax = std::max(ymax, v.y);
    }
    for (Vertex& v : p.v) {
        v.r = red;
        v.g = v.b = 1.0;
        v.s = (stripe + 0.5) / SHADOW_STRIPES;
        v.t = SHADOW_STRIPE_T0 + 0.02 + (SHADOW_STRIPE_T1 - SHADOW_STRIPE_T0 - 0.04) *
                                             (ymax > ymin ? (v.y - ymin) / (ymax - ymin) : 0.5);
    }
    return p;
}

// The cast shadow on the board: one quad on the ground, mapped onto the lower
// part of the shadow texture.
Polygon GroundShadow()
{
    auto v = [](double x, double z) {
        return Vertex{0.9, 1, 1, x, 0.0, z,
                      (x - GROUND_X0) / (GROUND_X1 - GROUND_X0),
                      GROUND_T0 + (GROUND_T1 - GROUND_T0) * (z - GROUND_Z0) / (GROUND_Z1 - GROUND_Z0)};
    };
    return {1, {v(GROUND_X0, GROUND_Z0), v(GROUND_X0, GROUND_Z1), v(GROUND_X1, GROUND_Z1), v(GROUND_X1, GROUND_Z0)}};
}

// Shading on the piece's unlit sides (light from -x, +y, +z): first part,
// exactly firstPart vertices; then the cast shadow.
std::vector<Polygon> ShadowModel(bool hiddenSide, size_t firstPart)
{
    const std::vector<Polygon> piece = PieceFaceSide();
    // Band sides are polygons 0..7, shoulder bevels 8..15.
    std::vector<Polygon> polys = {
        Shade(piece[1], 0, Tag(0)),   // right side
        Shade(piece[0], 1, Tag(1)),   // front-right chamfer
        Shade(piece[2], 2, Tag(2)),   // back-right chamfer
        Shade(piece[3], 3, Tag(3)),   // back
        Shade(piece[9], 4, Tag(4)),   // shoulder, right
        Shade(piece[8], 5, Tag(5)),   // shoulder, front-right
        Shade(piece[10], 4, Tag(6)),  // shoulder, back-right
        Shade(piece[11], 5, Tag(7)),  // shoulder, back
    };
    // A hidden piece shows its plain front: a soft darkening toward its base.
    if (hiddenSide) polys.push_back(Shade(piece[7], 6, Tag(8)));
    size_t count = 0;
    for (const Polygon& p : polys) count += p.v.size();
    if (count > firstPart) {
        std::fprintf(stderr, "shadow model: %zu shading vertices, the first part holds %zu\n", count, firstPart);
        std::exit(1);
    }
    PadTo(polys.back(), polys.back().v.size() + (firstPart - count));
    polys.push_back(GroundShadow());
    return polys;
}

}  // namespace

bool GenerateModels(const GenContext& ctx)
{
    const std::string& dir = ctx.programDir;
    return WriteModel(dir + "/Pole.geo", true, {BOARD_TEXTURE}, Board()) &&
           WriteModel(dir + "/F_i.geo", false, {PIECE_TEXTURE_1}, PieceFaceSide()) &&
           WriteModel(dir + "/F_k.geo", false, {PIECE_TEXTURE_2}, Turned(PieceFaceSide())) &&
           WriteModel(dir + "/F_i_t.geo", false, {SHADOW_TEXTURE_1}, ShadowModel(false, 35)) &&
           WriteModel(dir + "/F_k_t.geo", false, {SHADOW_TEXTURE_2}, ShadowModel(true, 45));
}
