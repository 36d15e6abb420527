// The model reader and the normals on small model files written here.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "platform/program_folder.h"
#include "scene/geo_model.h"
#include "scene/textures.h"
#include "tests/support/temp_folder.h"

namespace {

class GeoModel : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(m_folder.Path().empty());
        m_savedDir = g_appDir;
        g_appDir = m_folder.Path().c_str();
        g_geoTextureTotal = 0;
        for (auto& m : g_models) m = ModelRecord();
    }
    void TearDown() override { g_appDir = m_savedDir; }

    void Write(const std::string& name, const std::string& text) { WriteFileText(m_folder.Path() + "/" + name, text); }
    // The name a texture file of the program folder is read as.
    std::string Resource(const std::string& name) const { return m_folder.Path() + "/resources/" + name; }

    TempFolder m_folder{"velmonar-geo"};
    CString m_savedDir;
};

// A unit square in the x-z plane, counter-clockwise seen from +y.
const char* SQUARE =
    "4 1\n*t.res\n"
    "1 1 0 0  0.5 1 1  0 0 -2  0 1\n"
    "0  0.5 1 1  0 0 0  0 0\n"
    "0  0.5 1 1  2 0 0  1 0\n"
    "0  0.5 1 1  2 0 -2  1 1\n";

TEST_F(GeoModel, ReadsNamesWholeRecordsAndTheTransforms)
{
    Write("board.geo",
          "2 2\n   #Doska.res\n\t*sub dir/x.res\r\n"
          "1 2 7 1.5  0.1 0.2 0.3  10 4 -6  0.25 0.75\n"
          "0  0.4 0.5 0.6  1 2 3  1 0\n");
    LoadGeoModel(0, "board.geo");
    const ModelRecord& m = g_models[0];
    ASSERT_EQ(m.vertexCount, 2);
    ASSERT_EQ(m.textureCount, 2);
    EXPECT_EQ(m.textureNames[0], CString(Resource("Doska.res").c_str()));
    EXPECT_EQ(m.textureNames[1], CString(Resource("sub dir/x.res").c_str()));
    EXPECT_EQ(m.polyStart[0], 1);
    EXPECT_EQ(m.texSlot[0], 2);
    EXPECT_EQ(m.polyParamI[0], 7);
    EXPECT_DOUBLE_EQ(m.polyParamD[0], 1.5);
    EXPECT_DOUBLE_EQ(m.colourB[0], 0.3);
    EXPECT_DOUBLE_EQ(m.posX[0], 5);
    EXPECT_DOUBLE_EQ(m.posY[0], -2);
    EXPECT_DOUBLE_EQ(m.posZ[0], -3);
    EXPECT_DOUBLE_EQ(m.texS[0], 0.25);
    EXPECT_DOUBLE_EQ(m.texT[0], 0.75);
    // A continuation vertex carries 8 values only.
    EXPECT_EQ(m.polyStart[1], 0);
    EXPECT_DOUBLE_EQ(m.colourR[1], 0.4);
    EXPECT_DOUBLE_EQ(m.posY[1], -1);
    EXPECT_DOUBLE_EQ(m.texS[1], 1);
    EXPECT_EQ(g_geoTextureTotal, 2);

    Write("piece.geo", "1 0\n1 0 0 0  1 1 1  10 4 -6  0 0\n");
    LoadGeoModel(1, "piece.geo");
    EXPECT_DOUBLE_EQ(g_models[1].posX[0], 10);
    EXPECT_DOUBLE_EQ(g_models[1].posY[0], -4);
    EXPECT_DOUBLE_EQ(g_models[1].posZ[0], -6);
    EXPECT_EQ(g_models[1].texSlot[0], 0);

    // A long name is kept whole.
    const std::string name(300, 'n');
    Write("long.geo", "0 1\n*" + name + ".res\n");
    LoadGeoModel(2, "long.geo");
    ASSERT_EQ(g_models[2].textureCount, 1);
    EXPECT_EQ(g_models[2].textureNames[0], CString(Resource(name + ".res").c_str()));
}

TEST_F(GeoModel, MissingAndDamagedFilesGiveEmptyModelsAndALaterOneLoadsWithNormalsOutOfItsFaces)
{
    const char* const damaged[] = {"-4 1\n*a.res\n", "2000000000 1\n*a.res\n", "3 -1\n", "many textures\n"};
    LoadGeoModel(0, "nothing_here.geo");
    for (int n = 1; n < 5; ++n) {
        Write("damaged.geo", damaged[n - 1]);
        LoadGeoModel(n, "damaged.geo");
    }
    for (int n = 0; n < 5; ++n) {
        EXPECT_EQ(g_models[n].vertexCount, 0) << n;
        EXPECT_EQ(g_models[n].textureCount, 0) << n;
        EXPECT_TRUE(g_models[n].posX.empty()) << n;
        ComputeModelNormals(n);  // nothing to do, nothing to break
    }
    EXPECT_EQ(g_geoTextureTotal, 0);
    Write("ok.geo", SQUARE);
    LoadGeoModel(4, "ok.geo");
    EXPECT_EQ(g_models[4].vertexCount, 4);
    EXPECT_EQ(g_geoTextureTotal, 1);

    // Counter-clockwise seen from +y: every normal points up.
    ComputeModelNormals(4);
    const ModelRecord& m = g_models[4];
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(m.normalX[i], 0, 1e-12);
        EXPECT_NEAR(m.normalY[i], 1, 1e-12) << i;
        EXPECT_NEAR(m.normalZ[i], 0, 1e-12);
    }
}

TEST_F(GeoModel, ShortFilesLeaveZerosAndBadSlotsAreUntextured)
{
    Write("short.geo",
          "5 1\n*a.res\n"
          "1 7 0 0  1 1 1  2 2 2  0 0\n"   // slot 7 of 1 name
          "1 -1 0 0  1 1 1  4 4 4  0 0\n"  // slot -1
          "1 1 0 0  1 1 1  6 x\n");        // damaged inside the third vertex
    LoadGeoModel(1, "short.geo");
    const ModelRecord& m = g_models[1];
    ASSERT_EQ(m.vertexCount, 5);
    EXPECT_EQ(m.texSlot[0], 0);
    EXPECT_EQ(m.texSlot[1], 0);
    EXPECT_EQ(m.texSlot[2], 1);
    EXPECT_DOUBLE_EQ(m.posX[2], 6);
    EXPECT_DOUBLE_EQ(m.posY[2], 0);   // the failed read did not store anything
    for (size_t i = 3; i < 5; ++i) {
        EXPECT_EQ(m.polyStart[i], 0);
        EXPECT_DOUBLE_EQ(m.posX[i], 0);
        EXPECT_DOUBLE_EQ(m.colourR[i], 0);
        EXPECT_DOUBLE_EQ(m.texT[i], 0);
    }
}

// A name line that holds only its marker names no texture, not the resources
// folder: polygons pointing to it are untextured, and the texture table
// leaves it out.
TEST_F(GeoModel, AMarkerWithoutANameIsNoTexture)
{
    Write("marks.geo",
          "9 4\n*a.res\n#\n  *\r\n*c.res\n"
          "1 1 0 0  1 1 1  0 0 0  0 0\n0  1 1 1  1 0 0  0 0\n0  1 1 1  1 0 1  0 0\n"
          "1 2 0 0  1 1 1  0 0 0  0 0\n0  1 1 1  1 0 0  0 0\n0  1 1 1  1 0 1  0 0\n"
          "1 3 0 0  1 1 1  0 0 0  0 0\n1 4 0 0  1 1 1  1 0 0  0 0\n0  1 1 1  1 0 1  0 0\n");
    LoadGeoModel(0, "marks.geo");
    const ModelRecord& m = g_models[0];
    ASSERT_EQ(m.vertexCount, 9);
    ASSERT_EQ(m.textureCount, 4);
    EXPECT_EQ(g_geoTextureTotal, 4);
    EXPECT_EQ(m.textureNames[0], CString(Resource("a.res").c_str()));
    EXPECT_TRUE(m.textureNames[1].IsEmpty());
    EXPECT_TRUE(m.textureNames[2].IsEmpty());
    EXPECT_EQ(m.textureNames[3], CString(Resource("c.res").c_str()));
    EXPECT_EQ(m.texSlot[0], 1);
    EXPECT_EQ(m.texSlot[3], 0);
    EXPECT_EQ(m.texSlot[6], 0);
    EXPECT_EQ(m.texSlot[7], 4);
    EXPECT_DOUBLE_EQ(m.posZ[8], 0.5);  // the vertices after the empty names still read

    std::vector<const char*> names;
    ASSERT_EQ(UnifyTextureNames(names), 2);
    EXPECT_STREQ(names[1], Resource("a.res").c_str());
    EXPECT_STREQ(names[2], Resource("c.res").c_str());
    EXPECT_EQ(g_models[0].texSlot[7], 2);
}

TEST_F(GeoModel, SmoothingJoinsEqualRedAndPositionOnly)
{
    // Two triangles meeting at a hard edge along x = 0 (a roof ridge), then
    // the same shape with a different red tag on the second triangle.
    const std::string roof =
        "1 0 0 0  R1 1 1  0 0 0  0 0\n0  R1 1 1  -1 -1 0  0 0\n0  R1 1 1  0 0 -1  0 0\n"
        "1 0 0 0  R2 1 1  0 0 0  0 0\n0  R2 1 1  0 0 -1  0 0\n0  R2 1 1  1 -1 0  0 0\n";
    auto with = [&](const std::string& r1, const std::string& r2) {
        std::string s = roof;
        for (size_t at; (at = s.find("R1")) != std::string::npos;) s.replace(at, 2, r1);
        for (size_t at; (at = s.find("R2")) != std::string::npos;) s.replace(at, 2, r2);
        return "6 0\n" + s;
    };
    Write("same.geo", with("0.5", "0.5"));
    Write("split.geo", with("0.5", "0.6"));
    LoadGeoModel(3, "same.geo");
    LoadGeoModel(4, "split.geo");
    ComputeModelNormals(3);
    ComputeModelNormals(4);
    const ModelRecord& same = g_models[3];
    const ModelRecord& split = g_models[4];
    // Shared apex: averaged in the same group, separate across red tags.
    EXPECT_DOUBLE_EQ(same.normalX[0], same.normalX[3]);
    EXPECT_DOUBLE_EQ(same.normalY[0], same.normalY[3]);
    EXPECT_NEAR(same.normalX[0], 0, 1e-12);
    EXPECT_NE(split.normalX[0], split.normalX[3]);
    EXPECT_LT(split.normalX[0] * split.normalX[3], 0);
    // A vertex alone in its group keeps its own face normal.
    EXPECT_DOUBLE_EQ(split.normalX[1], same.normalX[1]);
}

TEST_F(GeoModel, DegenerateAndCrowdedModelsStayFinite)
{
    // A triangle with a repeated vertex, then 1500 triangles sharing one apex.
    std::string text = "1503 0\n"
                       "1 0 0 0  0.5 1 1  0 0 0  0 0\n0  0.5 1 1  0 0 0  0 0\n0  0.5 1 1  1 0 0  0 0\n";
    for (int k = 0; k < 500; ++k) {
        const double a = k * 0.01;
        char line[256];
        std::snprintf(line, sizeof line, "1 0 0 0  0.7 1 1  0 5 0  0 0\n0  0.7 1 1  %.4f 0 %.4f  0 0\n0  0.7 1 1  %.4f 0 %.4f  0 0\n",
                      std::cos(a), std::sin(a), std::cos(a + 0.01), std::sin(a + 0.01));
        text += line;
    }
    Write("crowd.geo", text);
    LoadGeoModel(2, "crowd.geo");
    ASSERT_EQ(g_models[2].vertexCount, 1503);
    ComputeModelNormals(2);
    const ModelRecord& m = g_models[2];
    for (int i = 0; i < m.vertexCount; ++i) {
        ASSERT_TRUE(std::isfinite(m.normalX[i]) && std::isfinite(m.normalY[i]) && std::isfinite(m.normalZ[i])) << i;
    }
    // The repeated vertex has a zero-length edge: its normal is zero, not NaN.
    EXPECT_DOUBLE_EQ(m.normalX[0], 0);
    EXPECT_DOUBLE_EQ(m.normalY[0], 0);
    // All 500 apexes share one averaged normal.
    EXPECT_DOUBLE_EQ(m.normalY[3], m.normalY[1500]);
    EXPECT_DOUBLE_EQ(m.normalX[3], m.normalX[3 + 3 * 250]);
}

TEST_F(GeoModel, GarbageFilesGiveDefinedModels)
{
    uint32_t seed = 99;
    auto next = [&] { return seed = seed * 1103515245u + 12345u; };
    const std::string alphabet = "0123456789 -.\n*e+x";
    for (int round = 0; round < 200; ++round) {
        std::string text = std::to_string(next() % 40) + " " + std::to_string(next() % 3) + "\n";
        const size_t length = next() % 400;
        for (size_t i = 0; i < length; ++i) text += alphabet[next() % alphabet.size()];
        Write("garbage.geo", text);
        LoadGeoModel(round % 5, "garbage.geo");
        const ModelRecord& m = g_models[round % 5];
        ASSERT_EQ(m.posX.size(), static_cast<size_t>(m.vertexCount));
        ASSERT_EQ(m.textureNames.size(), static_cast<size_t>(m.textureCount));
        for (int i = 0; i < m.vertexCount; ++i) {
            ASSERT_TRUE(m.polyStart[i] == 0 || m.polyStart[i] == 1);
            ASSERT_TRUE(m.texSlot[i] >= 0 && m.texSlot[i] <= m.textureCount);
        }
        ComputeModelNormals(round % 5);
    }
}

}  // namespace
