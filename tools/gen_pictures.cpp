// The pictures under resources/: board, piece and shadow textures, rank faces,
// the start-up image, the menu backdrop, the background, the graphics-panel
// icon, the tally digits and the last-move markers.
//
// Images are drawn with row 0 at the top and written bottom row first, so
// "up" in the drawing code is up in the picture (texture t = 1 at the top).
#include <algorithm>
#include <cmath>
#include <string>

#include "tools/datagen.h"
#include "tools/gen_image.h"
#include "tools/model_layout.h"

namespace {

double Clamp(double v, double lo, double hi) { return std::min(hi, std::max(lo, v)); }
Rgb ClampRgb(Rgb c, double lo, double hi) { return {Clamp(c.r, lo, hi), Clamp(c.g, lo, hi), Clamp(c.b, lo, hi)}; }
double SmoothStep(double a, double b, double x)
{
    const double t = Clamp((x - a) / (b - a), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Wood grain: a = along the grain, c = across it, both in texels.
double Grain(double a, double c, uint32_t seed)
{
    const double warp = 5.0 * Fractal2(a * 0.004, c * 0.02, seed, 3);
    const double rings = 0.5 + 0.5 * std::sin(c * 0.22 + warp * 2.6);
    const double fibre = Noise2(a * 0.03, c * 0.9, seed + 7);
    return 0.65 * rings + 0.35 * fibre;
}

// ---- board ----

// Light maple parquet: the grain turns from square to square; the lakes are
// in the blue key (R < 30, G < 30, B > 100). No black, white or key colours
// anywhere else, and no grid lines (the program paints them).
Image BoardTexture()
{
    const int N = 1024;
    const double k = N / BOARD_WIDTH;
    const double s = SQUARE_SIZE, m = BOARD_BORDER;
    Image img(N, N);
    const Rgb wood{224, 198, 152};
    const double lakeY0 = (m + 4 * s) * k, lakeY1 = (m + 6 * s) * k;
    const double lakeXa0 = (m + 2 * s) * k, lakeXa1 = (m + 4 * s) * k;
    const double lakeXb0 = (m + 6 * s) * k, lakeXb1 = (m + 8 * s) * k;
    for (int row = 0; row < N; ++row) {
        const double yb = N - 1 - row + 0.5;  // texel row counted from the bottom (t * N)
        for (int x = 0; x < N; ++x) {
            const double xc = x + 0.5;
            const bool lake = yb >= lakeY0 && yb <= lakeY1 &&
                              ((xc >= lakeXa0 && xc <= lakeXa1) || (xc >= lakeXb0 && xc <= lakeXb1));
            if (lake) {
                const double wave = 0.5 + 0.5 * std::sin(xc * 0.09 + 3.0 * Fractal2(xc * 0.02, yb * 0.05, 91, 3) +
                                                         yb * 0.03);
                const double deep = Fractal2(xc * 0.01, yb * 0.01, 17, 2);
                img.Set(x, row, ClampRgb({8 + 14 * wave, 16 + 11 * wave, 128 + 60 * deep + 40 * wave}, 0, 255));
                continue;
            }
            const int i = static_cast<int>(std::floor((xc / k - m) / s));
            const int j = static_cast<int>(std::floor((yb / k - m) / s));
            const bool square = i >= 0 && i < 10 && j >= 0 && j < 10 && xc / k >= m && yb / k >= m;
            const uint32_t seed = square ? 1000 + i * 10 + j : 7;
            const bool across = square ? (i + j) % 2 == 0 : (yb / k < m || yb / k > BOARD_WIDTH - m);
            const double a = across ? xc : yb, c = across ? yb : xc;
            const double g = Grain(a + seed * 37.0, c + seed * 11.0, seed);
            const double tone = 0.97 + 0.05 * ((HashInt(seed) & 255) / 255.0 - 0.5);
            Rgb col = Scale(wood, tone * (0.9 + 0.12 * g));
            img.Set(x, row, ClampRgb(col, 40, 245));
        }
    }
    return img;
}

// ---- pieces ----

Image PieceTexture(Rgb base, uint32_t seed, bool brushed)
{
    const int N = 256;
    Image img(N, N);
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            double v;
            if (brushed)
                v = 0.93 + 0.05 * Noise2(x * 0.6, y * 0.03, seed) + 0.03 * Fractal2(x * 0.05, y * 0.05, seed + 1, 3);
            else
                v = 0.92 + 0.07 * Grain(y + 0.5, x + 0.5, seed);
            img.Set(x, y, ClampRgb(Scale(base, v), 0, 254));
        }
    return img;
}

// Shadow maps: white = no darkening. Upper part: grey stripes for the
// shading polygons on the piece; lower part: the cast shadow on the ground.
Image ShadowTexture()
{
    const int N = 256;
    Image img(N, N);
    const double stripeGrey[SHADOW_STRIPES] = {178, 212, 192, 176, 206, 224, 0, 255};
    for (int y = 0; y < N; ++y) {
        const double t = 1.0 - (y + 0.5) / N;
        for (int x = 0; x < N; ++x) {
            const double s = (x + 0.5) / N;
            double grey = 255;
            if (t >= SHADOW_STRIPE_T0) {
                const int stripe = std::min(SHADOW_STRIPES - 1, static_cast<int>(s * SHADOW_STRIPES));
                const double u = (t - SHADOW_STRIPE_T0) / (SHADOW_STRIPE_T1 - SHADOW_STRIPE_T0);
                grey = stripe == 6 ? 206 + 44 * SmoothStep(0.0, 0.8, u) : stripeGrey[stripe];
            } else if (t >= GROUND_T0 && t <= GROUND_T1) {
                const double wx = GROUND_X0 + s * (GROUND_X1 - GROUND_X0);
                const double wz = GROUND_Z0 + (t - GROUND_T0) / (GROUND_T1 - GROUND_T0) * (GROUND_Z1 - GROUND_Z0);
                // The footprint swept away from the light (+x, a little -z), fading with distance.
                double strength = 0;
                for (int step = 0; step <= 64; ++step) {
                    const double f = step / 64.0;
                    const double px = wx - 40.0 * f, pz = wz + 12.0 * f;
                    const double dx = std::max(0.0, std::fabs(px) - PIECE_HALF_WIDTH);
                    const double dz = std::max(0.0, std::fabs(pz) - PIECE_HALF_DEPTH);
                    const double d = std::hypot(dx, dz);
                    const double soft = 1.0 - SmoothStep(0.0, 3.0 + 5.0 * f, d);
                    strength = std::max(strength, soft * (1.0 - 0.65 * f));
                }
                grey = 255 - 105 * strength;
                if (grey > 254.4) grey = 255;
            }
            img.Set(x, y, {grey, grey, grey});
        }
    }
    return img;
}

// ---- rank faces ----

const Rgb INK{42, 30, 24};
const Rgb ACCENT{150, 34, 28};
const Rgb PAPER{238, 230, 208};

void FaceBackground(Image& img)
{
    const int N = img.Width();
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            const double n = Fractal2(x * 0.08, y * 0.08, 55, 3);
            const double r = std::hypot(x - N / 2.0, y - N / 2.0) / N;
            img.Set(x, y, Scale(PAPER, 0.96 + 0.05 * n - 0.12 * r * r));
        }
    // A thin frame just inside the edge.
    FillShape(img, 0, 0, N, N, [&](double x, double y) {
        const bool outer = x >= 4 && x <= N - 4 && y >= 4 && y <= N - 4;
        const bool inner = x >= 7 && x <= N - 7 && y >= 7 && y <= N - 7;
        return outer && !inner;
    }, {128, 100, 64});
}

// The face is shown 32 wide and 40 high: shapes are drawn squashed vertically
// by 0.8 so that they look round on the piece.
constexpr double SQUASH = 0.8;

void Bomb(Image& img, double cx, double cy, double r)
{
    StrokeLine(img, {cx + 0.45 * r, cy - 0.75 * r * SQUASH}, {cx + 0.95 * r, cy - 1.35 * r * SQUASH}, r * 0.14, {90, 70, 50});
    FillRoundRect(img, cx + 0.2 * r, cy - 0.98 * r * SQUASH, cx + 0.62 * r, cy - 0.62 * r * SQUASH, 2, INK);
    FillEllipse(img, cx, cy, r, r * SQUASH, INK);
    FillEllipse(img, cx - 0.35 * r, cy - 0.35 * r * SQUASH, 0.22 * r, 0.16 * r, {120, 110, 100});
    // The spark.
    const double sx = cx + 1.02 * r, sy = cy - 1.45 * r * SQUASH;
    for (int a = 0; a < 8; ++a) {
        const double ang = a * M_PI / 4;
        StrokeLine(img, {sx, sy}, {sx + std::cos(ang) * r * 0.32, sy + std::sin(ang) * r * 0.32 * SQUASH}, 2.6,
                   a % 2 ? Rgb{230, 150, 30} : ACCENT);
    }
}

void Flag(Image& img, double x, double y, double h)
{
    StrokeLine(img, {x, y}, {x, y + h}, 5, INK);
    FillEllipse(img, x, y, 5, 4, INK);
    std::vector<Pt> cloth;
    for (int i = 0; i <= 20; ++i) {
        const double u = i / 20.0;
        cloth.push_back({x + 2 + u * h * 0.75, y + 4 + 6 * std::sin(u * M_PI * 1.5)});
    }
    for (int i = 20; i >= 0; --i) {
        const double u = i / 20.0;
        cloth.push_back({x + 2 + u * h * 0.75, y + 4 + h * 0.42 + 6 * std::sin(u * M_PI * 1.5)});
    }
    FillPolygon(img, cloth, ACCENT);
    FillRoundRect(img, x - 14, y + h - 4, x + 14, y + h + 2, 3, INK);
}

void Eye(Image& img, double cx, double cy, double w)
{
    std::vector<Pt> lid;
    for (int i = 0; i <= 24; ++i) {
        const double u = -1 + 2 * i / 24.0;
        lid.push_back({cx + u * w, cy - (1 - u * u) * w * 0.5 * SQUASH});
    }
    for (int i = 23; i > 0; --i) {
        const double u = -1 + 2 * i / 24.0;
        lid.push_back({cx + u * w, cy + (1 - u * u) * w * 0.5 * SQUASH});
    }
    FillPolygon(img, lid, INK);
    FillEllipse(img, cx, cy, w * 0.42, w * 0.42 * SQUASH, {236, 226, 200});
    FillEllipse(img, cx, cy, w * 0.26, w * 0.26 * SQUASH, ACCENT);
    FillEllipse(img, cx, cy, w * 0.11, w * 0.11 * SQUASH, INK);
}

void Chevrons(Image& img, double cx, double cy, double w)
{
    for (int k = 0; k < 2; ++k) {
        const double y = cy + k * w * 0.5 * SQUASH;
        StrokeLine(img, {cx - w * 0.6, y + w * 0.35 * SQUASH}, {cx, y - w * 0.2 * SQUASH}, 6, ACCENT);
        StrokeLine(img, {cx, y - w * 0.2 * SQUASH}, {cx + w * 0.6, y + w * 0.35 * SQUASH}, 6, ACCENT);
    }
}

void Pickaxe(Image& img, double cx, double cy, double w)
{
    // Handle from lower left to upper right, the curved head across its top end.
    const Pt top{cx + w * 0.32, cy - w * 0.42 * SQUASH};
    StrokeLine(img, {cx - w * 0.5, cy + w * 0.55 * SQUASH}, top, 7, {118, 82, 46});
    const double ux = 0.6, uy = -0.8;   // handle direction (up and right)
    const double px = 0.8, py = 0.6;    // across the handle
    for (int i = 0; i < 24; ++i) {
        const double a0 = -1 + 2 * i / 24.0, a1 = -1 + 2 * (i + 1) / 24.0;
        auto at = [&](double a) {
            const double bend = 0.22 * w * (1 - a * a);
            return Pt{top.x + px * a * w * 0.62 + ux * bend, top.y + (py * a * w * 0.62 + uy * bend) * SQUASH};
        };
        const double thick = 3.5 + 7 * (1 - std::fabs((a0 + a1) / 2));
        StrokeLine(img, at(a0), at(a1), thick, INK);
    }
}

void Star(Image& img, double cx, double cy, double r, Rgb c)
{
    std::vector<Pt> pts;
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double rr = i % 2 ? r * 0.45 : r;
        pts.push_back({cx + std::cos(a) * rr, cy + std::sin(a) * rr * SQUASH});
    }
    FillPolygon(img, pts, c);
}

void Crown(Image& img, double x, double y, double w)
{
    const double h = w * 0.55 * SQUASH;
    FillPolygon(img, {{x, y + h}, {x, y + h * 0.25}, {x + w * 0.25, y + h * 0.6}, {x + w * 0.5, y},
                      {x + w * 0.75, y + h * 0.6}, {x + w, y + h * 0.25}, {x + w, y + h}}, ACCENT);
    FillRoundRect(img, x, y + h + 2, x + w, y + h + 8, 2, INK);
    for (double px : {x, x + w * 0.5, x + w})
        FillEllipse(img, px, px == x + w * 0.5 ? y - 2 : y + h * 0.25 - 2, 4, 3.2, {200, 150, 40});
}

Image RankFace(int rank, const TextRenderer& bold)
{
    const int N = 128;
    Image img(N, N);
    FaceBackground(img);
    auto number = [&](const char32_t* text) { bold.Draw(img, text, 68, 16, 13, INK); };
    switch (rank) {
    case 0: Bomb(img, 54, 64, 34); break;
    case 1:
        number(U"1");
        Eye(img, 72, 96, 30);
        break;
    case 2:
        number(U"2");
        Chevrons(img, 84, 30, 34);
        break;
    case 3:
        number(U"3");
        Pickaxe(img, 78, 54, 40);
        break;
    case 10: {
        bold.Draw(img, U"10", 62, 12, 48, INK);
        Crown(img, 20, 14, 56);
        break;
    }
    case 11: Flag(img, 28, 18, 82); break;
    default: {
        const char32_t digit[2] = {static_cast<char32_t>(U'0' + rank), 0};
        number(digit);
        // Rank pips in a column on the right: one star per rank above 3.
        const int pips = rank - 3;
        for (int p = 0; p < pips; ++p) {
            const int col = p / 3, row = p % 3;
            Star(img, 80 + col * 22, 26 + row * 24, 10, ACCENT);
        }
        break;
    }
    }
    return img;
}

// ---- start-up image ----

// A camera above the table, tilted down onto the board.
struct Camera {
    double cx = 512, cy = 236, f = 700, height = 4.0, pitch = 38.0 * M_PI / 180.0;
    Pt Project(double x, double y, double z) const
    {
        const double py = y - height;
        const double zc = -py * std::sin(pitch) + z * std::cos(pitch);
        const double yc = py * std::cos(pitch) + z * std::sin(pitch);
        return {cx + f * x / zc, cy - f * yc / zc};
    }
    // Where the pixel's ray meets the table (y = 0); false above the horizon.
    bool Ground(double sx, double sy, double& x, double& z) const
    {
        const double dx = (sx - cx) / f, dy = -(sy - cy) / f;
        const double dirY = dy * std::cos(pitch) - std::sin(pitch);
        const double dirZ = dy * std::sin(pitch) + std::cos(pitch);
        if (dirY >= 0) return false;
        const double t = -height / dirY;
        x = t * dx;
        z = t * dirZ;
        return true;
    }
};

// Board colour at board coordinates u in 0..10 (columns), v in 0..10 (rows from the near edge).
Rgb SaverBoard(double u, double v)
{
    const double grid = std::min({std::fabs(u - std::round(u)), std::fabs(v - std::round(v))});
    const bool lake = v >= 4 && v <= 6 && ((u >= 2 && u <= 4) || (u >= 6 && u <= 8));
    const int i = static_cast<int>(std::floor(u)), j = static_cast<int>(std::floor(v));
    const bool across = (i + j) % 2 == 0;
    Rgb c = lake ? Rgb{28, 64, 150} : Scale(Rgb{218, 188, 140}, 0.9 + 0.12 * Grain(across ? u * 90 : v * 90, across ? v * 90 : u * 90, 3 + i * 10 + j));
    if (lake) c = Mix(c, {70, 120, 200}, 0.3 * Fractal2(u * 3, v * 3, 5, 3));
    if (u < 0 || u > 10 || v < 0 || v > 10) c = {92, 30, 26};
    else if (grid < 0.04) c = Scale(c, 0.62);
    return c;
}

Image SaverImage(const TextRenderer&)
{
    const int W = 1024, H = 512;
    Image img(W, H);
    Camera cam;
    // The board, 4 units wide and 5.2 deep, with a border of 0.1.
    const double bx0 = -2.0, bz0 = 2.8, bw = 4.0, bd = 5.2, rim = 0.1;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            double r = 0, g = 0, b = 0;
            for (int sy = 0; sy < 3; ++sy)
                for (int sx = 0; sx < 3; ++sx) {
                    double wx, wz;
                    Rgb c{6, 16, 14};
                    if (cam.Ground(x + (sx + 0.5) / 3, y + (sy + 0.5) / 3, wx, wz)) {
                        const double u = (wx - bx0) / bw * 10.0, v = (wz - bz0) / bd * 10.0;
                        const double lim = rim * 10.0 / bw;
                        if (u >= -lim && u <= 10 + lim && v >= -lim && v <= 10 + lim) {
                            c = SaverBoard(u, v);
                        } else {
                            // Green baize around the board, lit from the middle.
                            const double d = std::hypot(wx * 0.35, (wz - 5.0) * 0.3);
                            c = Scale(Rgb{34, 84, 64}, (0.55 + 0.12 * Fractal2(wx * 3, wz * 3, 8, 3)) * std::exp(-d * d * 0.35));
                        }
                    }
                    r += c.r;
                    g += c.g;
                    b += c.b;
                }
            img.Set(x, y, {r / 9, g / 9, b / 9});
        }
    // A few pieces, far ones first.
    struct Piece {
        int col, row;
        bool own;
    };
    const Piece pieces[] = {{3, 9, false}, {7, 9, false}, {0, 8, false}, {5, 8, false}, {9, 8, false},
                            {2, 7, false}, {6, 7, false}, {4, 6, false}, {5, 4, true}, {1, 3, true},
                            {8, 3, true}, {3, 2, true}, {6, 1, true}, {0, 0, true}, {9, 0, true}};
    for (const Piece& p : pieces) {
        const double cxw = bx0 + (p.col + 0.5) * bw / 10, czw = bz0 + (p.row + 0.5) * bd / 10;
        // czw grows away from the camera: the near face is at czw - hd.
        const double hw = 0.16, hd = 0.06, h = 0.4;
        const Rgb body = p.own ? Rgb{178, 100, 44} : Rgb{104, 126, 140};
        auto P = [&](double x, double y, double z) { return cam.Project(cxw + x, y, czw + z); };
        FillPolygon(img, {P(-hw, 0, -hd), P(hw + 0.42, 0, hd + 0.14), P(hw + 0.42, 0, hd + 0.26), P(-hw, 0, hd)},
                    {12, 8, 6}, 0.35);
        const double side = cxw < 0 ? hw : -hw;  // the side turned toward the camera
        FillPolygon(img, {P(side, 0, -hd), P(side, 0, hd), P(side, h, hd), P(side, h, -hd)},
                    Scale(body, cxw < 0 ? 0.6 : 0.8));
        FillPolygon(img, {P(-hw, h, -hd), P(hw, h, -hd), P(hw, h, hd), P(-hw, h, hd)}, Scale(body, 1.2));
        FillPolygon(img, {P(-hw, 0, -hd), P(hw, 0, -hd), P(hw, h, -hd), P(-hw, h, -hd)}, body);
        if (p.own) {
            const double m = 0.022;
            FillPolygon(img, {P(-hw + m, m, -hd), P(hw - m, m, -hd), P(hw - m, h - m, -hd), P(-hw + m, h - m, -hd)},
                        {238, 228, 204});
        }
    }
    // Vignette.
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const double dx = (x - W / 2.0) / (W / 2.0), dy = (y - H / 2.0) / (H / 2.0);
            const double v = 1.0 - 0.45 * SmoothStep(0.4, 1.6, dx * dx * 0.7 + dy * dy);
            img.Set(x, y, Scale(img.Get(x, y), v));
        }
    return img;
}

// ---- menu backdrop, background, icon ----

// Light grey panel body with R <= 254; everything outside has R = 255 (the key).
Image MenuBackdrop()
{
    const int N = 512;
    Image img(N, N, {255, 255, 255});
    const Rgb body{226, 226, 226};
    FillRoundRect(img, 12, 12, N - 12, N - 12, 26, body);
    // A fine inner frame line, well away from the preview windows.
    FillShape(img, 0, 0, N, N, [&](double x, double y) {
        const double o0 = 22, o1 = 24.5;
        const bool outer = x >= o0 && x <= N - o0 && y >= o0 && y <= N - o0;
        const bool inner = x >= o1 && x <= N - o1 && y >= o1 && y <= N - o1;
        return outer && !inner;
    }, {196, 196, 196});
    // The key is exact: make sure no body pixel rounds up to red 255.
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            const Rgb c = img.Get(x, y);
            if (c.r < 255 && c.r > 254) img.Set(x, y, {254, c.g, c.b});
            if (c.r >= 254.5) img.Set(x, y, {255, 255, 255});
        }
    return img;
}

Image Background()
{
    const int N = 512;
    Image img(N, N);
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            const double n = Fractal2(x * 0.012, y * 0.012, 300, 5);
            const double weave = 0.5 + 0.25 * (std::sin(x * 0.9) + std::sin(y * 0.9));
            const double dx = (x - N / 2.0) / (N / 2.0), dy = (y - N / 2.0) / (N / 2.0);
            const double v = 236 + 16 * n + 3 * weave - 30 * (dx * dx + dy * dy) * 0.5;
            img.Set(x, y, {v, v, v * 0.99});
        }
    return img;
}

Image ComputerLabel()
{
    Image img(64, 64, {255, 255, 255});
    const Rgb outline{28, 28, 32};
    FillRoundRect(img, 22, 46, 42, 52, 2, outline);
    FillRoundRect(img, 14, 50, 50, 57, 3, outline);
    FillRoundRect(img, 5, 7, 59, 48, 5, outline);
    FillRoundRect(img, 7.5, 9.5, 56.5, 45.5, 3, {70, 74, 82});
    for (int y = 12; y < 43; ++y)
        for (int x = 10; x < 54; ++x)
            img.Set(x, y, Mix({40, 110, 90}, {20, 60, 50}, (y - 12) / 31.0));
    FillEllipse(img, 20, 27, 6, 6, {210, 60, 50});
    FillEllipse(img, 32, 27, 6, 6, {80, 190, 90});
    FillEllipse(img, 44, 27, 6, 6, {70, 120, 220});
    FillRoundRect(img, 13, 36, 51, 39, 1.5, {230, 230, 220});
    return img;
}

// ---- tally digits ----

// Ten near-white digits with a dark outline on exact white (transparent);
// digit d keeps its ink inside [d/10 + 0.01, d/10 + 0.085] of the width.
Image TallyDigits(const TextRenderer& bold)
{
    const int W = 512, H = 64;
    Image img(W, H, {255, 255, 255});
    const int size = 50;
    for (int d = 0; d < 10; ++d) {
        const std::u32string text(1, static_cast<char32_t>(U'0' + d));
        int w, ascent, descent, left;
        bold.Measure(text, size, w, ascent, descent, left);
        const double centre = W * (d / 10.0 + 0.0475);
        const double x = centre - w / 2.0, y = (H - (ascent + descent)) / 2.0;
        for (int a = 0; a < 16; ++a) {
            const double ang = a * M_PI / 8;
            bold.Draw(img, text, size, x + 2.6 * std::cos(ang), y + 2.6 * std::sin(ang), {24, 20, 16});
        }
        bold.Draw(img, text, size, x, y, {250, 250, 250});
    }
    return img;
}

// ---- last-move markers (arrows point to the top of the picture) ----

enum class Marker { Start, Middle, Finish };

Image PathMarker(Marker kind)
{
    Image img(64, 64, {255, 255, 255});
    const Rgb dark{70, 40, 8}, fill{244, 176, 44};
    auto both = [&](auto draw) {
        draw(5.0, dark);
        draw(0.0, fill);
    };
    both([&](double grow, Rgb c) {
        const double w = 10 + grow;
        switch (kind) {
        case Marker::Start:
            FillRoundRect(img, 32 - w / 2, -4, 32 + w / 2, 40, 0.1, c);
            FillEllipse(img, 32, 42, 11 + grow / 2, 11 + grow / 2, c);
            break;
        case Marker::Middle:
            FillRoundRect(img, 32 - w / 2, -4, 32 + w / 2, 68, 0.1, c);
            break;
        case Marker::Finish:
            FillRoundRect(img, 32 - w / 2, 30, 32 + w / 2, 68, 0.1, c);
            FillPolygon(img, {{32, 6 - grow}, {52 + grow, 34 + grow / 2}, {12 - grow, 34 + grow / 2}}, c);
            break;
        }
    });
    if (kind == Marker::Start) FillEllipse(img, 32, 42, 4.5, 4.5, dark);
    if (kind == Marker::Middle) {
        StrokeLine(img, {24, 38}, {32, 28}, 3, dark);
        StrokeLine(img, {32, 28}, {40, 38}, 3, dark);
    }
    return img;
}

}  // namespace

bool GeneratePictures(const GenContext& ctx)
{
    const std::string dir = ctx.programDir + "/resources";
    if (!MakeDirs(dir)) return false;
    TextRenderer bold(ctx.fontBold);
    if (!bold.Ok()) return false;
    bool ok = WriteBmp(BoardTexture(), dir + "/" + BOARD_TEXTURE);
    ok = ok && WriteBmp(PieceTexture({246, 240, 230}, 21, false), dir + "/" + PIECE_TEXTURE_1);
    ok = ok && WriteBmp(PieceTexture({242, 242, 240}, 22, true), dir + "/" + PIECE_TEXTURE_2);
    const Image shadow = ShadowTexture();
    ok = ok && WriteBmp(shadow, dir + "/" + SHADOW_TEXTURE_1) && WriteBmp(shadow, dir + "/" + SHADOW_TEXTURE_2);
    for (int rank = 0; rank <= 11 && ok; ++rank)
        ok = WriteBmp(RankFace(rank, bold), dir + "/" + std::to_string(rank) + ".res");
    ok = ok && WriteBmp(SaverImage(bold), dir + "/saver.res");
    ok = ok && WriteBmp(MenuBackdrop(), dir + "/ekr_men.res");
    ok = ok && WriteBmp(Background(), dir + "/Fon.res");
    ok = ok && WriteBmp(ComputerLabel(), dir + "/Yarlik_Komp.res");
    ok = ok && WriteBmp(TallyDigits(bold), dir + "/Number.res");
    ok = ok && WriteBmp(PathMarker(Marker::Start), dir + "/path_st.res");
    ok = ok && WriteBmp(PathMarker(Marker::Finish), dir + "/path_fin.res");
    ok = ok && WriteBmp(PathMarker(Marker::Middle), dir + "/path_ser.res");
    return ok;
}
