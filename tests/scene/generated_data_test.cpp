// The data files the build generated into the program folder, loaded the way
// the start-up loader and the texture loader use them, checked against every
// rule the game's drawing, picking and text code relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <sys/stat.h>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/program_folder.h"
#include "scene/geo_model.h"
#include "tests/support/scene_files.h"
#include "tests/support/temp_folder.h"

namespace {

const std::string DIR = VELMONAR_PROGRAM_DIR;
const char* const MODEL_FILES[5] = {"Pole.geo", "F_i.geo", "F_k.geo", "F_i_t.geo", "F_k_t.geo"};
constexpr double PIECE_SCALE = 2.05;   // default piece-size option
constexpr double DEPTH_SCALE = 1.3;    // the board's depth stretch

struct Pixel {
    int r, g, b;
    bool operator==(const Pixel& o) const { return r == o.r && g == o.g && b == o.b; }
};
// x from the left, y from the bottom row.
Pixel At(const Picture& p, int x, int y)
{
    const unsigned char* d = p->data + (static_cast<size_t>(y) * p->sizeX + x) * 3;
    return {d[0], d[1], d[2]};
}
bool White(Pixel p) { return p.r == 255 && p.g == 255 && p.b == 255; }
bool BlueKey(Pixel p) { return p.r < 30 && p.g < 30 && p.b > 100; }
bool PowerOfTwo(int v) { return v > 0 && (v & (v - 1)) == 0; }
bool Between(double v, double low, double high) { return v >= low && v <= high; }
// Little-endian numbers of two and four bytes at a place in a file's bytes.
uint32_t U16(const std::string& b, size_t at)
{
    return static_cast<uint32_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}
uint32_t U32(const std::string& b, size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

Picture LoadPicture(const std::string& relative) { return Picture(auxDIBImageLoadA((DIR + relative).c_str())); }

// Polygons of a model as [first, last] vertex ranges.
std::vector<std::pair<int, int>> Polygons(const ModelRecord& m)
{
    std::vector<std::pair<int, int>> polys;
    for (int i = 0; i < m.vertexCount; ++i) {
        if (m.polyStart[i] == 1 || i == 0) polys.push_back({i, i});
        polys.back().second = i;
    }
    return polys;
}

// The models as the start-up loader leaves them: read, pieces scaled, board
// depth stretched, normals computed.
class Loaded : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        g_appDir = DIR.c_str();
        g_geoTextureTotal = 0;
        for (int n = 0; n < 5; ++n) LoadGeoModel(n, MODEL_FILES[n]);
        for (int n = 1; n < 5; ++n)
            for (auto* axis : {&g_models[n].posX, &g_models[n].posY, &g_models[n].posZ})
                for (double& v : *axis) v /= PIECE_SCALE;
        for (double& z : g_models[0].posZ) z *= DEPTH_SCALE;
        for (int n = 0; n < 5; ++n) ComputeModelNormals(n);
    }
};

// ---- board ----

struct BoardMeasures {
    double minX = 0, maxX = 0, minY = 0, maxY = 0, minZ = 0, maxZ = 0;
    double W = 0, s = 0, m = 0, d = 0;
};

// The smallest and the largest of a model's coordinates (0 and 0 for none).
std::pair<double, double> Range(const std::vector<double>& v)
{
    if (v.empty()) return {0.0, 0.0};
    const auto extremes = std::minmax_element(v.begin(), v.end());
    return {*extremes.first, *extremes.second};
}

BoardMeasures Measure()
{
    const ModelRecord& b = g_models[0];
    BoardMeasures r;
    std::tie(r.minX, r.maxX) = Range(b.posX);
    std::tie(r.minY, r.maxY) = Range(b.posY);
    std::tie(r.minZ, r.maxZ) = Range(b.posZ);
    r.W = r.maxX - r.minX;
    r.s = b.posX[2] - b.posX[1];
    r.m = (r.W - 10 * r.s) / 2;
    r.d = 1.3 * r.s;
    return r;
}

TEST_F(Loaded, BoardBoundsAndMeasures)
{
    const ModelRecord& b = g_models[0];
    ASSERT_GT(b.vertexCount, 404);
    const BoardMeasures r = Measure();
    EXPECT_NEAR(r.minX, 0, 1e-9);
    EXPECT_NEAR(r.maxZ, 0, 1e-9);
    EXPECT_NEAR(r.maxY, 0, 1e-9);  // pieces stand and the reflection mirrors at y 0
    EXPECT_LT(r.minY, 0);
    EXPECT_NEAR(r.minZ, -1.3 * r.W, 1e-6);
    EXPECT_GT(r.m, 0);
    EXPECT_LT(r.m, r.s / 3);       // the found centres stay within the tolerance (and the squares have a size)
    EXPECT_LE(r.s, 50);            // the tray in front of the board stays on screen
    EXPECT_EQ(b.polyStart[0], 1);
    EXPECT_NE(b.texSlot[0], 0);
    // Only whole quads: every polygon start k has k + 3 inside the model.
    for (const auto& p : Polygons(b)) EXPECT_EQ(p.second - p.first, 3) << p.first;
}

TEST_F(Loaded, SquareDetectionFindsEveryCentreOnce)
{
    const ModelRecord& b = g_models[0];
    const BoardMeasures r = Measure();
    const double t = r.s / 10;
    int found[10][10] = {};
    double centreX[10][10] = {}, centreZ[10][10] = {};
    int first[10][10] = {};
    for (int k = 0; k < b.vertexCount; ++k) {
        if (b.polyStart[k] != 1) continue;
        ASSERT_LT(k + 3, b.vertexCount);
        bool matched = false;
        for (int a = k; a <= k + 3 && !matched; ++a)
            for (int c = k; c <= k + 3 && !matched; ++c) {
                if (!(b.posX[a] > b.posX[c] && b.posZ[a] > b.posZ[c])) continue;
                const double dx = b.posX[a] - b.posX[c], dz = b.posZ[a] - b.posZ[c];
                if (!(std::fabs(1.3 * dx - dz) < t && std::fabs(dx - r.s) < t)) continue;
                const double cx = b.posX[c] + dx / 2, cz = b.posZ[c] + dz / 2;
                for (int i = 0; i < 10 && !matched; ++i)
                    for (int j = 0; j < 10 && !matched; ++j) {
                        const double ex = r.s / 2 + r.m + i * r.s, ez = -(r.d / 2 + r.m) - j * r.d;
                        if (std::fabs(cx - ex) < t && std::fabs(cz - ez) < t) {
                            ++found[i][j];
                            centreX[i][j] = cx;
                            centreZ[i][j] = cz;
                            first[i][j] = k;
                            matched = true;
                        }
                    }
            }
    }
    for (int i = 0; i < 10; ++i)
        for (int j = 0; j < 10; ++j) {
            ASSERT_EQ(found[i][j], 1) << "square " << i + 1 << "," << j + 1;
            // The true centre of square (i, j), row 1 nearest the player.
            EXPECT_NEAR(centreX[i][j], r.m + (i + 0.5) * r.s, 1e-6);
            EXPECT_NEAR(centreZ[i][j], -1.3 * (r.m + (j + 0.5) * r.s), 1e-6);
            // Vertex order far-left, near-left, near-right, far-right (counter-clockwise from above).
            const int k = first[i][j];
            EXPECT_LT(b.posX[k], b.posX[k + 2]);
            EXPECT_DOUBLE_EQ(b.posX[k], b.posX[k + 1]);
            EXPECT_DOUBLE_EQ(b.posX[k + 2], b.posX[k + 3]);
            EXPECT_LT(b.posZ[k], b.posZ[k + 1]);
            EXPECT_DOUBLE_EQ(b.posZ[k + 1], b.posZ[k + 2]);
            EXPECT_DOUBLE_EQ(b.posZ[k], b.posZ[k + 3]);
            EXPECT_GT(b.normalY[k], 0.99);
        }
}

TEST_F(Loaded, BoardTextureMappingEdgeQuadAndBands)
{
    const ModelRecord& b = g_models[0];
    const BoardMeasures r = Measure();
    const int n = b.vertexCount;
    for (int i = 0; i < n - 4; ++i) {
        EXPECT_NEAR(b.texS[i], b.posX[i] / r.W, 1e-6) << i;
        EXPECT_NEAR(b.texT[i], -b.posZ[i] / (1.3 * r.W), 1e-6) << i;
        EXPECT_NEAR(b.posY[i], 0, 1e-9) << "the textured board is its flat top";
    }
    // The last four vertices: the vertical front face, facing the player.
    for (int i = n - 4; i < n; ++i) {
        EXPECT_EQ(b.polyStart[i], i == n - 4 ? 1 : 0);
        EXPECT_NEAR(b.posZ[i], 0, 1e-9);
        EXPECT_GT(b.normalZ[i], 0.99);
    }
    // Grid bands (line * s to line * s + 2 m, the first a texel shorter) hold their
    // square edge at m + line * s inside the 1024 texels: the border is over a texel.
    EXPECT_GT(r.m * 1024 / r.W, 1.0);
}

// ---- unified texture list ----

std::vector<std::string> Unify(std::map<int, std::set<int>>& usedByModel)
{
    std::vector<std::string> unified(1);
    for (int n = 0; n < 5; ++n) {
        const ModelRecord& m = g_models[n];
        for (int i = 0; i < m.vertexCount; ++i) {
            if (m.polyStart[i] != 1 || m.texSlot[i] == 0) continue;
            const std::string name = m.textureNames[m.texSlot[i] - 1].str();
            auto at = std::find(unified.begin() + 1, unified.end(), name);
            const int index = static_cast<int>(at - unified.begin());
            if (at == unified.end()) unified.push_back(name);
            usedByModel[n].insert(index);
        }
    }
    return unified;
}

TEST_F(Loaded, UnifiedTextureOrderAndSizes)
{
    std::map<int, std::set<int>> used;
    const std::vector<std::string> unified = Unify(used);
    ASSERT_GE(unified.size(), 6u) << "at least five unified textures";
    EXPECT_EQ(used[0], std::set<int>{1});
    EXPECT_EQ(used[1], std::set<int>{2});
    EXPECT_EQ(used[2], std::set<int>{3});
    EXPECT_EQ(*used[3].begin(), 4);
    EXPECT_EQ(used[3].count(5), 0u);
    EXPECT_TRUE(used[4].count(5));
    EXPECT_EQ(g_models[0].textureNames[g_models[0].texSlot[0] - 1].str(), unified[1]);
    // Every drawn polygon of the pieces and shadows is textured (face quads included).
    for (int n = 1; n < 5; ++n)
        for (const auto& p : Polygons(g_models[n])) EXPECT_NE(g_models[n].texSlot[p.first], 0) << n << ":" << p.first;

    std::vector<Picture> pictures;
    for (size_t k = 1; k < unified.size(); ++k) {
        pictures.emplace_back(auxDIBImageLoadA(unified[k].c_str()));
        ASSERT_TRUE(pictures.back()) << unified[k];
        EXPECT_TRUE(PowerOfTwo(pictures.back()->sizeX) && PowerOfTwo(pictures.back()->sizeY)) << unified[k];
    }
    EXPECT_EQ(pictures[0]->sizeX, 1024);
    EXPECT_EQ(pictures[0]->sizeY, 1024);
    EXPECT_EQ(pictures[3]->sizeX, pictures[4]->sizeX);
    EXPECT_EQ(pictures[3]->sizeY, pictures[4]->sizeY);
    EXPECT_LE(pictures[3]->sizeX * pictures[3]->sizeY * 3, 409600);
    // Shadow maps: grey, white where nothing is darkened, something darker than white.
    for (int k : {3, 4}) {
        bool white = false, grey = false;
        for (int y = 0; y < pictures[k]->sizeY; ++y)
            for (int x = 0; x < pictures[k]->sizeX; ++x) {
                const Pixel p = At(pictures[k], x, y);
                ASSERT_TRUE(p.r == p.g && p.g == p.b);
                white |= White(p);
                grey |= p.r < 200;
            }
        EXPECT_TRUE(white && grey);
    }
    // Piece textures: light, and a plain lower part (the colour editor shows t 0..0.39).
    for (int k : {1, 2}) {
        const Picture& p = pictures[k];
        double sum = 0, sum2 = 0;
        int count = 0;
        for (int y = 0; y < p->sizeY * 39 / 100; ++y)
            for (int x = 0; x < p->sizeX; ++x) {
                const Pixel c = At(p, x, y);
                const double v = (c.r + c.g + c.b) / 3.0;
                sum += v;
                sum2 += v * v;
                ++count;
            }
        const double mean = sum / count, spread = std::sqrt(sum2 / count - mean * mean);
        EXPECT_GT(mean, 200);
        EXPECT_LT(spread, 15);
    }
}

TEST_F(Loaded, BoardTextureHasKeyedLakesAndNoPaintedLines)
{
    const Picture p = LoadPicture("/resources/Doska.res");
    ASSERT_TRUE(p);
    const BoardMeasures r = Measure();
    const double k = 1024 / r.W;
    auto inLake = [&](double x, double y) {
        const bool rows = y >= (r.m + 4 * r.s) * k && y <= (r.m + 6 * r.s) * k;
        const bool left = x >= (r.m + 2 * r.s) * k && x <= (r.m + 4 * r.s) * k;
        const bool right = x >= (r.m + 6 * r.s) * k && x <= (r.m + 8 * r.s) * k;
        return rows && (left || right);
    };
    // The grid band of line n runs from n * s for 2 m.
    auto inBand = [&](double v) { return std::fmod(v, r.s * k) < 2 * r.m * k; };
    double sum[2] = {0, 0};  // open wood, bands
    int count[2] = {0, 0};
    for (int y = 0; y < 1024; ++y)
        for (int x = 0; x < 1024; ++x) {
            const Pixel c = At(p, x, y);
            const double cx = x + 0.5, cy = y + 0.5;
            ASSERT_FALSE(c.r == 0 && c.g == 0 && c.b == 0) << x << "," << y;
            ASSERT_FALSE(White(c)) << x << "," << y;
            // Away from the lake edges (a texel of slack), water is exactly the key.
            const bool inside = inLake(cx - 1, cy - 1) && inLake(cx + 1, cy + 1);
            const bool outside = !inLake(cx - 1, cy - 1) && !inLake(cx + 1, cy + 1) &&
                                 !inLake(cx - 1, cy + 1) && !inLake(cx + 1, cy - 1);
            ASSERT_TRUE(!inside || BlueKey(c)) << x << "," << y;
            if (outside) {
                ASSERT_FALSE(BlueKey(c)) << x << "," << y;
                const int band = inBand(cx) || inBand(cy);
                sum[band] += (c.r + c.g + c.b) / 3.0;
                ++count[band];
            }
        }
    // The program paints the lines into the bands: the picture itself has none.
    EXPECT_NEAR(sum[1] / count[1], sum[0] / count[0], 6.0);
}

// ---- pieces ----

TEST_F(Loaded, PieceSidesAreOneModelTurnedAround)
{
    const ModelRecord& a = g_models[1];
    const ModelRecord& b = g_models[2];
    ASSERT_GT(a.vertexCount, 8);
    ASSERT_EQ(a.vertexCount, b.vertexCount);
    for (int i = 0; i < a.vertexCount; ++i) {
        ASSERT_EQ(a.polyStart[i], b.polyStart[i]);
        EXPECT_NEAR(b.posX[i], -a.posX[i], 1e-9);
        EXPECT_NEAR(b.posY[i], a.posY[i], 1e-9);
        EXPECT_NEAR(b.posZ[i], -a.posZ[i], 1e-9);
        EXPECT_GE(a.colourG[i], 0);  // green = 1 - shade
        EXPECT_LE(a.colourG[i], 1);
    }
}

TEST_F(Loaded, PieceSizeFaceQuadAndTallyDigit)
{
    const ModelRecord& m = g_models[1];
    const int n = m.vertexCount;
    const BoardMeasures r = Measure();
    ASSERT_GT(n, 4);
    const auto [minX, maxX] = Range(m.posX);
    const auto [minY, maxY] = Range(m.posY);
    const double bodyMaxZ = Range(std::vector<double>(m.posZ.begin(), m.posZ.end() - 4)).second;
    EXPECT_NEAR(minY, 0, 1e-9);           // stands on the board
    EXPECT_LT(maxX - minX, 0.85 * r.s);   // fits the tray spacing
    EXPECT_LE(maxY, 45);                  // fits the 64-pixel preview
    // Face quad: top-right, top-left, bottom-left, bottom-right, facing the player.
    EXPECT_EQ(m.polyStart[n - 4], 1);
    for (int i = n - 3; i < n; ++i) EXPECT_EQ(m.polyStart[i], 0);
    EXPECT_GT(m.posX[n - 4], m.posX[n - 3]);
    EXPECT_DOUBLE_EQ(m.posY[n - 4], m.posY[n - 3]);
    EXPECT_GT(m.posY[n - 3], m.posY[n - 2]);
    EXPECT_DOUBLE_EQ(m.posX[n - 3], m.posX[n - 2]);
    EXPECT_LT(m.posX[n - 2], m.posX[n - 1]);
    EXPECT_DOUBLE_EQ(m.posY[n - 2], m.posY[n - 1]);
    for (int i = n - 4; i < n; ++i) {
        EXPECT_GT(m.normalZ[i], 0.99);
        EXPECT_GT(m.posZ[i], bodyMaxZ);    // in front of the body, never hidden in it
        EXPECT_LT(g_models[2].normalZ[i], -0.99);  // the back side hides the rank
    }
    const double s[4] = {1, 0, 0, 1}, t[4] = {1, 1, 0, 0};
    for (int c = 0; c < 4; ++c) {
        EXPECT_DOUBLE_EQ(m.texS[n - 4 + c], s[c]);
        EXPECT_DOUBLE_EQ(m.texT[n - 4 + c], t[c]);
    }
    const double faceW = m.posX[n - 4] - m.posX[n - 3], faceH = m.posY[n - 4] - m.posY[n - 1];
    EXPECT_GT(faceW, 20);
    EXPECT_GT(faceH, 25);
    // The tally digit quad: corner 0 = BR + (9, 0), 1 = TR + (9, -25), 2 = TL + (29, -25), 3 = BL + (29, 0).
    const double cx[4] = {m.posX[n - 1] + 9, m.posX[n - 4] + 9, m.posX[n - 3] + 29, m.posX[n - 2] + 29};
    const double cy[4] = {m.posY[n - 1], m.posY[n - 4] - 25, m.posY[n - 3] - 25, m.posY[n - 2]};
    EXPECT_GT(cx[0] - cx[3], 5);   // a digit of some width, upright
    EXPECT_GT(cy[1] - cy[0], 5);
    EXPECT_DOUBLE_EQ(cx[0], cx[1]);
    EXPECT_DOUBLE_EQ(cy[1], cy[2]);
    // Every body polygon faces outward (the piece is convex around its axis).
    for (const auto& p : Polygons(m)) {
        const int i = p.first;
        const double ox = m.posX[i], oy = m.posY[i] - maxY / 2, oz = m.posZ[i];
        EXPECT_GT(m.normalX[i] * ox + m.normalY[i] * oy + m.normalZ[i] * oz, 0) << "polygon at " << i;
    }
}

// True when every vertex of the range lies in the plane of some polygon of the piece.
bool OnPiece(const ModelRecord& shadow, int first, int last, const ModelRecord& piece)
{
    for (const auto& p : Polygons(piece)) {
        const int k = p.first;
        const double nx = piece.normalX[k], ny = piece.normalY[k], nz = piece.normalZ[k];
        const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
        if (len < 1e-6) continue;
        bool all = true;
        for (int i = first; i <= last && all; ++i) {
            const double d = ((shadow.posX[i] - piece.posX[k]) * nx + (shadow.posY[i] - piece.posY[k]) * ny +
                              (shadow.posZ[i] - piece.posZ[k]) * nz) / len;
            all = std::fabs(d) < 1e-6;
        }
        if (all) return true;
    }
    return false;
}

TEST_F(Loaded, ShadowModelsKeepTheirFixedVertexRanges)
{
    const int firstPart[2] = {35, 45};
    for (int which = 0; which < 2; ++which) {
        const ModelRecord& m = g_models[3 + which];
        const ModelRecord& piece = g_models[1 + which];
        const int split = firstPart[which];
        ASSERT_GT(m.vertexCount, split + 2);
        EXPECT_EQ(m.polyStart[0], 1);
        EXPECT_EQ(m.polyStart[split], 1) << "the second part starts a polygon";
        for (const auto& p : Polygons(m)) {
            EXPECT_GE(p.second - p.first, 2);
            if (p.first < split) {
                EXPECT_LT(p.second, split) << "a polygon crosses the part boundary";
                EXPECT_TRUE(OnPiece(m, p.first, p.second, piece)) << "shading off the piece at " << p.first;
            } else {
                for (int i = p.first; i <= p.second; ++i) EXPECT_NEAR(m.posY[i], 0, 1e-9);  // on the board
            }
        }
    }
}

// ---- other pictures ----

TEST(GeneratedPictures, EveryPictureIsA24BitBottomUpBmp)
{
    std::vector<std::string> names = {"saver", "ekr_men", "Fon", "Yarlik_Komp", "Number", "path_st", "path_fin",
                                      "path_ser", "Doska", "Fishka_i", "Fishka_k", "Ten_i", "Ten_k"};
    for (int r = 0; r <= 11; ++r) names.push_back(std::to_string(r));
    for (const std::string& name : names) {
        const std::string bytes = FileText(DIR + "/resources/" + name + ".res");
        ASSERT_GE(bytes.size(), 54u) << name;
        EXPECT_EQ(bytes.substr(0, 2), "BM") << name;
        EXPECT_EQ(U32(bytes, 14), 40u) << name;
        EXPECT_GT(static_cast<int32_t>(U32(bytes, 22)), 0) << name << ": bottom-up";
        EXPECT_EQ(U16(bytes, 28), 24u) << name;
        EXPECT_EQ(U32(bytes, 30), 0u) << name;
        const Picture p = LoadPicture("/resources/" + name + ".res");
        ASSERT_TRUE(p) << name;
        EXPECT_TRUE(PowerOfTwo(p->sizeX) && PowerOfTwo(p->sizeY)) << name;
    }
}

TEST(GeneratedPictures, RankFacesAreLightWithADarkSymbolUpperLeft)
{
    for (int rank = 0; rank <= 11; ++rank) {
        const Picture p = LoadPicture("/resources/" + std::to_string(rank) + ".res");
        ASSERT_TRUE(p);
        const int w = p->sizeX, h = p->sizeY;
        int light = 0, dark = 0, darkUpperLeft = 0, darkUnderDigit = 0, underDigit = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const Pixel c = At(p, x, y);
                const int v = (c.r + c.g + c.b) / 3;
                light += v > 190;
                dark += v < 90;
                if (v < 90 && x < w * 0.7 && y > h * 0.4) ++darkUpperLeft;
                // The tray's tally digit covers the lower right of the face.
                if (x > w * 0.9 && y < h * 0.37 && x < w - 8 && y > 8) {
                    ++underDigit;
                    darkUnderDigit += v < 90;
                }
            }
        EXPECT_GT(light, w * h / 2) << rank;
        EXPECT_GT(dark, w * h / 50) << rank;
        EXPECT_GT(darkUpperLeft, dark / 3) << rank;
        EXPECT_LT(darkUnderDigit, underDigit / 20 + 1) << rank;
    }
}

TEST(GeneratedPictures, MenuBackdropKeyAndPreviewWindows)
{
    const Picture p = LoadPicture("/resources/ekr_men.res");
    ASSERT_TRUE(p);
    const int w = p->sizeX, h = p->sizeY;
    EXPECT_GE(w, 360);
    EXPECT_PRED3(Between, h, 460, 600);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)  // a white frame 10 pixels wide around it
            ASSERT_TRUE((x >= 10 && y >= 10 && x < w - 10 && y < h - 10) || At(p, x, y).r == 255) << x << "," << y;
    // The previews' windows: opaque (red below 255) and one uniform colour.
    const Pixel ref = At(p, 343 * w / 512, 172 * h / 512);
    EXPECT_PRED3(Between, ref.r, 151, 254);  // a light body, tinted by the panel colour
    for (int y = 172 * h / 512; y <= 323 * h / 512; ++y)
        for (int x = 343 * w / 512; x <= 415 * w / 512; ++x) ASSERT_EQ(At(p, x, y), ref) << x << "," << y;
    // The opaque body covers the largest panel.
    int across = 0, down = 0;
    for (int x = 0; x < w; ++x) across += At(p, x, h / 2).r < 255;
    for (int y = 0; y < h; ++y) down += At(p, w / 2, y).r < 255;
    EXPECT_GE(across, 360);
    EXPECT_GE(down, 460);
}

TEST(GeneratedPictures, TallyDigitsStayInTheirCells)
{
    const Picture p = LoadPicture("/resources/Number.res");
    ASSERT_TRUE(p);
    const int w = p->sizeX, h = p->sizeY;
    EXPECT_LE(w * h, 102400);
    int nearWhite[10] = {}, ink[10] = {};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Pixel c = At(p, x, y);
            if (White(c)) continue;
            const double s = (x + 0.5) / w;
            const int d = static_cast<int>(s * 10);
            ASSERT_PRED3(Between, s, d / 10.0 + 0.01, d / 10.0 + 0.085) << x;
            ++ink[d];
            nearWhite[d] += std::min({c.r, c.g, c.b}) >= 235;
        }
    for (int d = 0; d < 10; ++d) {
        EXPECT_GT(ink[d], 100) << d;
        EXPECT_GT(nearWhite[d], 50) << d;
    }
}

// Rows of a marker that hold ink, from the bottom row.
std::vector<int> InkPerRow(const Picture& p)
{
    std::vector<int> rows(p->sizeY, 0);
    for (int y = 0; y < p->sizeY; ++y)
        for (int x = 0; x < p->sizeX; ++x) rows[y] += !White(At(p, x, y));
    return rows;
}

TEST(GeneratedPictures, MoveMarkersPointToTheTop)
{
    const Picture start = LoadPicture("/resources/path_st.res");
    const Picture middle = LoadPicture("/resources/path_ser.res");
    const Picture finish = LoadPicture("/resources/path_fin.res");
    ASSERT_TRUE(start && middle && finish);
    const std::vector<int> s = InkPerRow(start), m = InkPerRow(middle), f = InkPerRow(finish);
    // The path leaves the start square at its top edge, crosses the middle
    // squares, and enters the target square from its bottom edge.
    EXPECT_GT(s.back(), 0);
    EXPECT_EQ(s[0], 0);
    EXPECT_GT(m[0], 0);
    EXPECT_GT(m.back(), 0);
    EXPECT_GT(f[0], 0);
    EXPECT_EQ(f.back(), 0);
    // The target's arrow head narrows toward the top.
    const auto widest = std::max_element(f.begin(), f.end());  // the first widest row
    const auto highest = std::find_if(f.rbegin(), f.rend(), [](int ink) { return ink > 0; });
    ASSERT_NE(highest, f.rend());
    EXPECT_GT(widest - f.begin(), static_cast<long>(f.size()) / 3);
    EXPECT_LT(*highest, *widest / 3);
    for (const Picture* p : {&start, &middle, &finish})
        EXPECT_TRUE(White(At(*p, 0, 0)) || White(At(*p, 0, (*p)->sizeY - 1)));
}

TEST(GeneratedPictures, BackgroundIconAndStartUpImage)
{
    const Picture fon = LoadPicture("/resources/Fon.res");
    ASSERT_TRUE(fon);
    double sum = 0;
    for (int y = 0; y < fon->sizeY; ++y)
        for (int x = 0; x < fon->sizeX; ++x) {
            const Pixel c = At(fon, x, y);
            sum += (c.r + c.g + c.b) / 3.0;
        }
    EXPECT_GT(sum / (fon->sizeX * fon->sizeY), 200);  // multiplied by the dark panel colour

    const Picture icon = LoadPicture("/resources/Yarlik_Komp.res");
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->sizeX, 64);
    EXPECT_EQ(icon->sizeY, 64);
    EXPECT_TRUE(White(At(icon, 0, 0)) && White(At(icon, 63, 63)));
    // The drawing's edge against the transparent white is dark (no light fringe).
    int edge = 0, darkEdge = 0;
    for (int y = 1; y < 63; ++y)
        for (int x = 1; x < 63; ++x) {
            const Pixel c = At(icon, x, y);
            if (White(c)) continue;
            if (White(At(icon, x - 1, y)) || White(At(icon, x + 1, y)) || White(At(icon, x, y - 1)) || White(At(icon, x, y + 1))) {
                ++edge;
                darkEdge += (c.r + c.g + c.b) / 3 < 160;
            }
        }
    EXPECT_GT(edge, 20);
    EXPECT_GT(darkEdge, edge * 7 / 10);

    const Picture saver = LoadPicture("/resources/saver.res");
    ASSERT_TRUE(saver);
    EXPECT_GE(saver->sizeX, saver->sizeY);
    std::set<int> tones;
    for (int y = 0; y < saver->sizeY; y += 7)
        for (int x = 0; x < saver->sizeX; x += 7) tones.insert(At(saver, x, y).r);
    EXPECT_GT(tones.size(), 64u);
}

// ---- font ----

struct Glyph {
    unsigned char c;
    int advance, yOffset;
    std::vector<std::pair<int, int>> points;
};

std::vector<Glyph> ReadFont()
{
    std::ifstream in(DIR + "/font.fnt", std::ios::binary);
    int count = 0;
    in >> count;
    std::vector<Glyph> glyphs(count > 0 ? count : 0);
    std::vector<int> pointCounts;
    for (Glyph& g : glyphs) {
        char c;
        int n;
        in >> c >> g.advance >> g.yOffset >> n;
        g.c = static_cast<unsigned char>(c);
        pointCounts.push_back(n);
    }
    for (size_t i = 0; i < glyphs.size(); ++i)
        for (int k = 0; k < pointCounts[i]; ++k) {
            int x, y;
            in >> x >> y;
            glyphs[i].points.push_back({x, y});
        }
    EXPECT_TRUE(in) << "the file holds every point it announces";
    std::string rest;
    in >> rest;
    EXPECT_TRUE(rest.empty()) << "nothing after the last point";
    return glyphs;
}

struct Extent {
    int minX = 1 << 20, maxX = -(1 << 20), minY = 1 << 20, maxY = -(1 << 20);
};
Extent Extents(const Glyph& g)
{
    Extent e;
    for (const auto& p : g.points) {
        e.minX = std::min(e.minX, p.first);
        e.maxX = std::max(e.maxX, p.first);
        e.minY = std::min(e.minY, p.second + g.yOffset);
        e.maxY = std::max(e.maxY, p.second + g.yOffset);
    }
    return e;
}

TEST(GeneratedFont, LimitsCoordinatesAndRequiredGlyphs)
{
    const std::vector<Glyph> glyphs = ReadFont();
    ASSERT_LE(glyphs.size(), 155u);
    std::map<unsigned char, const Glyph*> byChar;
    for (const Glyph& g : glyphs) {
        EXPECT_LE(g.points.size(), 920u);
        EXPECT_FALSE(g.points.empty());
        EXPECT_GT(g.c, ' ') << "glyph characters are non-blank bytes";
        EXPECT_FALSE(byChar.count(g.c)) << "a second glyph for " << int(g.c) << " would never be used";
        byChar[g.c] = &g;
        for (const auto& p : g.points) ASSERT_TRUE(p.first >= 0 && p.second + g.yOffset >= 0) << int(g.c);
        EXPECT_GT(g.advance, Extents(g).maxX - 1);
    }
    std::string required = "`*~?^&#0123456789-.:[]";
    for (char c = 'A'; c <= 'Z'; ++c) required += c;
    for (char c = 'a'; c <= 'z'; ++c) required += c;
    for (int c = 0xC0; c <= 0xFF; ++c) required += static_cast<char>(c);
    for (char c : required) EXPECT_TRUE(byChar.count(static_cast<unsigned char>(c))) << "missing glyph " << int(static_cast<unsigned char>(c));

    // Check boxes share their extents; caption icons and the knob have their sizes.
    const Extent empty = Extents(*byChar['^']), ticked = Extents(*byChar['&']);
    EXPECT_EQ(std::tie(empty.minX, empty.maxX, empty.minY, empty.maxY),
              std::tie(ticked.minX, ticked.maxX, ticked.minY, ticked.maxY));
    EXPECT_GT(byChar['&']->points.size(), byChar['^']->points.size());
    for (char c : std::string("`*~?^")) {
        const Extent e = Extents(*byChar[static_cast<unsigned char>(c)]);
        EXPECT_PRED3(Between, e.maxY + 1, 24, 30) << c;
        EXPECT_PRED3(Between, e.maxX + 1, 24, 30) << c;
    }
    const Extent knob = Extents(*byChar['#']);
    EXPECT_PRED3(Between, knob.maxX + 1, 4, 6);
    EXPECT_PRED3(Between, knob.maxY + 1, 16, 20);

    // Letters: capital top to descender bottom about 16-18 pixels, baselines aligned.
    const Extent H = Extents(*byChar['H']), g = Extents(*byChar['g']), ru = Extents(*byChar[0xF0]);  // 'р'
    EXPECT_PRED3(Between, g.maxY - H.minY + 1, 15, 19);
    EXPECT_EQ(g.maxY, ru.maxY);
    EXPECT_EQ(Extents(*byChar['x']).maxY, H.maxY);
    // The longest caption (99 of the widest glyph at the widest spacing) fits the work image.
    int widest = 0, lowest = 0;
    for (const Glyph& gl : glyphs)
        if (std::string("`*~?^&#").find(static_cast<char>(gl.c)) == std::string::npos) {
            widest = std::max(widest, gl.advance);
            lowest = std::max(lowest, Extents(gl).maxY);
        }
    EXPECT_LE(static_cast<long>(99 * (widest + 7) + 11) * (lowest + 11), 102400L);
}

// ---- sounds, dialog bitmaps, updater ----

TEST(GeneratedSounds, PcmWavesOfTheRightLengths)
{
    const struct {
        const char* name;
        double minSeconds, maxSeconds;
    } sounds[] = {{"H1", 0.02, 0.3}, {"H2", 0.1, 0.25}, {"H3", 0.05, 0.3}, {"boi", 0.3, 0.4},
                  {"komp_vig", 1.0, 3.0}, {"Pobed", 1.0, 3.0}, {"timbale", 0.5, 1.5}};
    for (const auto& s : sounds) {
        const std::string b = FileText(DIR + "/sound/" + s.name + ".wav");
        ASSERT_GE(b.size(), 44u) << s.name;
        EXPECT_EQ(b.substr(0, 4), "RIFF");
        EXPECT_EQ(U32(b, 4), b.size() - 8);
        EXPECT_EQ(b.substr(8, 8), "WAVEfmt ");
        EXPECT_EQ(U16(b, 20), 1u) << "PCM";
        const uint32_t channels = U16(b, 22), rate = U32(b, 24), bits = U16(b, 34);
        EXPECT_EQ(bits, 16u);
        EXPECT_EQ(b.substr(36, 4), "data");
        const uint32_t size = U32(b, 40);
        EXPECT_EQ(size, b.size() - 44);
        EXPECT_PRED3(Between, size / double(rate * channels * bits / 8), s.minSeconds, s.maxSeconds) << s.name;
        int peak = 0;
        for (size_t at = 44; at + 1 < b.size(); at += 2)
            peak = std::max(peak, std::abs(static_cast<int16_t>(U16(b, at))));
        EXPECT_GT(peak, 10000) << s.name;
    }
}

TEST(GeneratedDialogs, ButtonFacesAndIcon)
{
    const struct {
        int id, widthDlu;
    } buttons[] = {{131, 242}, {135, 164}, {136, 164}, {137, 73}, {138, 73}, {139, 74}, {140, 74}, {141, 141},
                   {142, 141}, {143, 141}, {144, 141}, {145, 80}, {146, 80}, {147, 77}, {148, 77}};
    std::vector<std::vector<unsigned char>> faces;
    for (const auto& b : buttons) {
        const Picture p = LoadPicture("/dialogs/" + std::to_string(b.id) + ".bmp");
        ASSERT_TRUE(p) << b.id;
        EXPECT_EQ(p->sizeX, static_cast<int>(std::lround(b.widthDlu * 1.5)) - 4) << b.id;
        EXPECT_EQ(p->sizeY, 19) << b.id;
        int bright = 0;
        for (int y = 1; y < p->sizeY - 1; ++y)
            for (int x = 1; x < p->sizeX - 1; ++x) bright += At(p, x, y).r > 200;
        EXPECT_GT(bright, 15) << b.id << ": white words on the black face";
        EXPECT_LT(At(p, 2, 2).r, 60) << b.id;
        faces.emplace_back(p->data, p->data + p->sizeX * p->sizeY * 3);
    }
    // Each Russian face differs from its English twin.
    for (size_t i = 1; i + 1 < faces.size(); i += 2) EXPECT_NE(faces[i], faces[i + 1]) << buttons[i].id;
    const Picture icon = LoadPicture("/dialogs/128.bmp");
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->sizeX, icon->sizeY);
}

TEST(GeneratedFiles, UpdaterOpensTheProductPageAndSucceeds)
{
    const std::string path = DIR + "/Update.exe";
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_TRUE(st.st_mode & S_IXUSR);
    // A fake browser opener, alone on PATH, records what it is given.
    TempFolder bin("velmonar-updater");
    ASSERT_FALSE(bin.Path().empty());
    const std::string record = bin.Path() + "/opened.txt";
    WriteFileText(bin.Path() + "/xdg-open", "#!/bin/sh\nprintf '%s|' \"$@\" > '" + record + "'\n");
    ASSERT_EQ(chmod((bin.Path() + "/xdg-open").c_str(), 0755), 0);
    const std::string run = "cd '" + bin.Path() + "' && PATH='" + bin.Path() + "' '" + path + "' > /dev/null";
    EXPECT_EQ(std::system(run.c_str()), 0);
    EXPECT_EQ(FileText(record), "https://velmonar.example/soft/Velmonar.php|") << "one argument: the product page";
    // It downloads and writes nothing: the folder holds only the opener and its record.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(bin.Path())) files += entry.is_regular_file();
    EXPECT_EQ(files, 2);
    // Without any opener it still ends with success.
    ASSERT_EQ(std::remove((bin.Path() + "/xdg-open").c_str()), 0);
    EXPECT_EQ(std::system(run.c_str()), 0);
}

TEST(GeneratedFiles, GeneratorIsDeterministic)
{
    const TempFolder out("velmonar-datagen");
    ASSERT_FALSE(out.Path().empty());
    // Every generated file comes out byte for byte the same (the program
    // folder may hold more files than the generator writes: compare its files only).
    const std::string generate =
        "'" VELMONAR_DATAGEN "' '" + out.Path() + "' '" VELMONAR_FONT_REGULAR "' '" VELMONAR_FONT_BOLD "'";
    const std::string compare = "cd '" + out.Path() + "' && test -s Pole.geo && find . -type f | while read f; do" +
                                " cmp -s \"$f\" '" + DIR + "'/\"$f\" || exit 1; done";
    EXPECT_EQ(std::system((generate + " && " + compare).c_str()), 0);
}

}  // namespace
