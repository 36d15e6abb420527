// The colour keys and the image work of the texture loader on small
// hand-made pictures, and the naming of the model textures.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "scene/geo_model.h"
#include "scene/textures.h"

namespace {

using Pixel = std::array<int, 4>;

// A picture of w x h pixels of one colour, RGB bottom row first.
struct Picture {
    int w, h;
    std::vector<unsigned char> rgb;
    Picture(int width, int height, int r, int g, int b) : w(width), h(height), rgb(3 * width * height)
    {
        for (int i = 0; i < w * h; ++i) Set(i % w, i / w, r, g, b);
    }
    void Set(int x, int y, int r, int g, int b)
    {
        unsigned char* p = &rgb[3 * (y * w + x)];
        p[0] = static_cast<unsigned char>(r);
        p[1] = static_cast<unsigned char>(g);
        p[2] = static_cast<unsigned char>(b);
    }
    Pixel Rgb(int x, int y) const
    {
        const unsigned char* p = &rgb[3 * (y * w + x)];
        return {p[0], p[1], p[2], -1};
    }
};

Pixel Rgba(const std::vector<unsigned char>& image, int w, int x, int y)
{
    const unsigned char* p = &image[4 * (y * w + x)];
    return {p[0], p[1], p[2], p[3]};
}

TEST(WhiteKey, OnlyPureWhiteBecomesTransparent)
{
    Picture p(3, 1, 255, 255, 255);
    p.Set(1, 0, 255, 255, 254);
    p.Set(2, 0, 10, 20, 30);
    std::vector<unsigned char> keep(12), clear(12);
    WhiteKeyedRgba(p.rgb.data(), 3, false, keep.data());
    WhiteKeyedRgba(p.rgb.data(), 3, true, clear.data());
    EXPECT_EQ(Rgba(keep, 3, 0, 0), (Pixel{255, 255, 255, 0}));  // marker and digit pictures
    EXPECT_EQ(Rgba(clear, 3, 0, 0), (Pixel{0, 0, 0, 0}));       // the computer label
    EXPECT_EQ(Rgba(keep, 3, 1, 0), (Pixel{255, 255, 254, 255}));
    EXPECT_EQ(Rgba(clear, 3, 2, 0), (Pixel{10, 20, 30, 255}));
}

TEST(MenuBackdrop, RedKeyTakesThePanelColourAndTheEdgesGetBevels)
{
    // Opaque grey with a keyed hole from (15, 15) to (24, 24).
    Picture p(40, 40, 100, 100, 100);
    for (int x = 15; x < 25; ++x)
        for (int y = 15; y < 25; ++y) p.Set(x, y, 255, 7, 9);
    p.Set(5, 5, 255, 0, 0);
    p.Set(6, 5, 254, 0, 0);
    const unsigned char panel[3] = {31, 76, 58};
    std::vector<unsigned char> rgba(40 * 40 * 4), edge(40 * 40 * 4);
    BuildMenuBackdrop(p.rgb.data(), 40, 40, panel, rgba.data(), edge.data());

    // Outside the bevel pass's reach: the keys alone.
    EXPECT_EQ(Rgba(rgba, 40, 5, 5), (Pixel{31, 76, 58, 0}));
    EXPECT_EQ(Rgba(rgba, 40, 6, 5), (Pixel{254, 0, 0, 255}));
    // Inside the hole: transparent panel colour.
    EXPECT_EQ(Rgba(rgba, 40, 20, 20), (Pixel{31, 76, 58, 0}));
    // The hole's lower-left rim is lit (white, 254), its upper-right rim
    // shaded black (253) with a softer black (254) next to it.
    EXPECT_EQ(Rgba(rgba, 40, 15, 15), (Pixel{255, 255, 255, 254}));
    EXPECT_EQ(Rgba(rgba, 40, 24, 24), (Pixel{0, 0, 0, 253}));
    EXPECT_EQ(Rgba(rgba, 40, 23, 23), (Pixel{0, 0, 0, 254}));
    // The edge layer keeps only the bevels: 254 opaque, 253 faint.
    EXPECT_EQ(Rgba(edge, 40, 15, 15)[3], 255);
    EXPECT_EQ(Rgba(edge, 40, 24, 24)[3], 35);
    EXPECT_EQ(Rgba(edge, 40, 23, 23)[3], 255);
    EXPECT_EQ(Rgba(edge, 40, 30, 30)[3], 0);
    EXPECT_EQ(Rgba(edge, 40, 20, 20)[3], 0);
}

class BoardImage : public ::testing::Test {
protected:
    // Bands of lines 0, 3 and 10 inside a 64 x 64 picture; the other lines
    // lie beyond it.
    void SetUp() override
    {
        for (int k = 0; k < 11; ++k) {
            start[k] = 1000.0 + k;
            end[k] = 1000.5 + k;
        }
        start[0] = 0.0, end[0] = 2.0;      // border line at the left and bottom edges
        start[3] = 30.0, end[3] = 35.0;    // columns and rows 30 .. 34; first 31, last 35 (outside)
        start[10] = 62.0, end[10] = 64.0;  // border line at the right and top edges
    }
    // A 64 x 64 wood picture with the given texels (x, y, r, g, b) set, through the board pass into grid.
    Picture Processed(std::initializer_list<std::array<int, 5>> texels)
    {
        Picture p(64, 64, 200, 150, 100);
        for (const auto& t : texels) p.Set(t[0], t[1], t[2], t[3], t[4]);
        ProcessBoardImage(p.rgb.data(), 64, 64, start, end, grid.data());
        return p;
    }
    double start[11], end[11];
    std::vector<unsigned char> grid = std::vector<unsigned char>(64 * 64 * 4);
};

TEST_F(BoardImage, BandsShadeKeysAndWoodPaintTheBorderLightTheLastColumnAndRimTheBlueKey)
{
    // Blue keys on the band's first column and inside the band.
    const Picture p = Processed({{31, 50, 20, 20, 120}, {33, 50, 20, 20, 120}});

    EXPECT_EQ(p.Rgb(31, 50), (Pixel{38, 38, 100, -1}));
    EXPECT_EQ(Rgba(grid, 64, 31, 50), (Pixel{38, 38, 100, 200}));
    EXPECT_EQ(Rgba(grid, 64, 33, 50), (Pixel{58, 58, 100, 200}));
    // Wood: darker by 70 on the first column, by 50 inside.
    EXPECT_EQ(Rgba(grid, 64, 31, 45), (Pixel{130, 80, 30, 100}));
    EXPECT_EQ(Rgba(grid, 64, 32, 45), (Pixel{150, 100, 50, 100}));
    EXPECT_EQ(p.Rgb(32, 45), (Pixel{150, 100, 50, -1}));
    // Outside every band: wood stays and is not part of the grid layer.
    EXPECT_EQ(p.Rgb(20, 45), (Pixel{200, 150, 100, -1}));
    EXPECT_EQ(Rgba(grid, 64, 20, 45)[3], 0);
    // Where the band's column and row cross, the pixel is shaded once for
    // that band.
    EXPECT_EQ(Rgba(grid, 64, 32, 32), (Pixel{150, 100, 50, 100}));
    // The border bands are painted opaque in the line colour.
    EXPECT_EQ(Rgba(grid, 64, 1, 40), (Pixel{80, 20, 20, 255}));
    EXPECT_EQ(Rgba(grid, 64, 40, 63), (Pixel{80, 20, 20, 255}));
    EXPECT_EQ(p.Rgb(0, 0), (Pixel{80, 20, 20, -1}));

    // The edge pass: dark and light rims beside the blue key.
    const Picture rim = Processed({{20, 20, 10, 10, 200}});
    EXPECT_EQ(rim.Rgb(19, 19), (Pixel{0, 0, 0, -1}));
    EXPECT_EQ(rim.Rgb(21, 21), (Pixel{255, 255, 255, -1}));
    EXPECT_EQ(Rgba(grid, 64, 19, 19)[3], 170);
    EXPECT_EQ(Rgba(grid, 64, 21, 21)[3], 170);
    EXPECT_EQ(Rgba(grid, 64, 20, 20), (Pixel{10, 10, 200, 170}));
    // Within 10 texels of the picture's edge there is no edge pass.
    const Picture nearEdge = Processed({{10, 20, 10, 10, 200}});
    EXPECT_EQ(nearEdge.Rgb(9, 19), (Pixel{200, 150, 100, -1}));

    // The last column is lighter, and crossings are shaded per band.
    start[3] = 30.0, end[3] = 34.0;  // last column 34 is outside [30, 34): never lit
    start[4] = 33.0, end[4] = 37.0;  // overlaps line 3: column 33 lies in both bands
    const Picture crossed = Processed({});
    // Column 33: inside band 3 (-50), then inside band 4 too (-50 again).
    EXPECT_EQ(crossed.Rgb(33, 45), (Pixel{100, 50, 0, -1}));
    // Column 34: first column of band 4 (start 33 + 1): -70.
    EXPECT_EQ(crossed.Rgb(34, 45), (Pixel{130, 80, 30, -1}));
    // Column 37 is band 4's end, outside [33, 37): untouched.
    EXPECT_EQ(crossed.Rgb(37, 45), (Pixel{200, 150, 100, -1}));
    // A last column inside its band: band [40, 45.5) has last column 45.
    start[5] = 40.0, end[5] = 45.5;
    const Picture q = Processed({{45, 20, 20, 20, 120}});
    EXPECT_EQ(q.Rgb(45, 45), (Pixel{210, 160, 110, -1}));
    EXPECT_EQ(Rgba(grid, 64, 45, 20), (Pixel{70, 70, 100, 200}));
}

TEST(PieceBrightness, ByteMapping)
{
    const int cases[][3] = {  // byte, brightness, recoloured byte
        {255, 60, 255}, {250, 60, 255} /* 300 capped */, {100, 60, 100}, {0, 60, 0}, {241, 0, 231},
        {240, 0, 220} /* not above 240: offset 20 */,    {181, 0, 141},  {161, 0, 111}, {30, 0, 0} /* floored */,
        {254, 100, 255},
    };
    for (const auto& c : cases) EXPECT_EQ(RecolourPieceByte(c[0], c[1]), c[2]) << c[0] << " at " << c[1];
}

void MakeModel(int n, std::vector<const char*> names, std::vector<int> slots)
{
    ModelRecord& m = g_models[n];
    m = ModelRecord();
    m.textureCount = static_cast<int>(names.size());
    for (const char* name : names) m.textureNames.push_back(CString(name));
    m.vertexCount = static_cast<int>(slots.size()) * 4;
    m.polyStart.assign(static_cast<size_t>(m.vertexCount), 0);
    m.texSlot.assign(static_cast<size_t>(m.vertexCount), 0);
    for (size_t p = 0; p < slots.size(); ++p) {
        m.polyStart[4 * p] = 1;
        m.texSlot[4 * p] = slots[p];
    }
}

TEST(TextureNames, SharedNamesShareOneEntryAndUnusedOnesGetNone)
{
    MakeModel(0, {"/r/Board.res"}, {1, 0});
    MakeModel(1, {"/r/Unused.res", "/r/Side.res"}, {2, 2});
    MakeModel(2, {"/r/Side.res", "/r/Other.res"}, {2, 1});
    MakeModel(3, {"/r/Shade.res"}, {1});
    MakeModel(4, {}, {0});
    std::vector<const char*> names;
    ASSERT_EQ(UnifyTextureNames(names), 4);
    EXPECT_EQ(names[0], nullptr);
    EXPECT_STREQ(names[1], "/r/Board.res");
    EXPECT_STREQ(names[2], "/r/Side.res");
    EXPECT_STREQ(names[3], "/r/Other.res");
    EXPECT_STREQ(names[4], "/r/Shade.res");
    EXPECT_EQ(g_models[0].texSlot[0], 1);
    EXPECT_EQ(g_models[0].texSlot[4], 0);  // untextured stays untextured
    EXPECT_EQ(g_models[1].texSlot[0], 2);
    EXPECT_EQ(g_models[2].texSlot[0], 3);
    EXPECT_EQ(g_models[2].texSlot[4], 2);  // the same file as model 1's
    EXPECT_EQ(g_models[3].texSlot[0], 4);
    for (ModelRecord& m : g_models) m = ModelRecord();
}

// 100,000 distinct names, each used by one polygon of the board and, in
// reverse order, by one of a piece model: one entry each, in order of first
// use. Comparing every name with every other would take half a minute here.
TEST(TextureNames, AHundredThousandNamesAreNumberedByFirstUse)
{
    constexpr int COUNT = 100000;
    std::vector<std::string> files;
    for (int i = 0; i < COUNT; ++i) files.push_back("/r/t" + std::to_string(i) + ".res");
    std::vector<const char*> boardNames, pieceNames;
    std::vector<int> boardSlots, pieceSlots;
    for (int i = 0; i < COUNT; ++i) {
        boardNames.push_back(files[static_cast<size_t>(i)].c_str());
        boardSlots.push_back(i + 1);
        pieceNames.push_back(files[static_cast<size_t>(COUNT - 1 - i)].c_str());
        pieceSlots.push_back(i + 1);
    }
    MakeModel(0, boardNames, boardSlots);
    MakeModel(1, pieceNames, pieceSlots);
    for (int n = 2; n < g_modelCount; ++n) MakeModel(n, {}, {});
    std::vector<const char*> names;
    ASSERT_EQ(UnifyTextureNames(names), COUNT);
    for (int i : {0, 1, 4567, COUNT - 1}) {
        EXPECT_STREQ(names[static_cast<size_t>(i) + 1], files[static_cast<size_t>(i)].c_str());
        EXPECT_EQ(g_models[0].texSlot[4 * static_cast<size_t>(i)], i + 1);
        // Piece polygon i names file COUNT - 1 - i, met earlier on the board.
        EXPECT_EQ(g_models[1].texSlot[4 * static_cast<size_t>(i)], COUNT - i);
    }
    for (ModelRecord& m : g_models) m = ModelRecord();
}

}  // namespace
