// A model file through LoadGeoModel as the board model, then what the
// start-up does with the record: normals, the texture table, the board
// measures. The record must be consistent whatever the file held.
#include <vector>

#include "platform/program_folder.h"
#include "scene/board_geometry.h"
#include "scene/geo_model.h"
#include "scene/textures.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

void CheckRecord(const ModelRecord& m)
{
    FuzzCheck(m.vertexCount >= 0 && m.textureCount >= 0, "counts not negative");
    FuzzCheck(g_geoTextureTotal == m.textureCount, "the texture total counts this model");
    FuzzCheck(m.textureNames.size() == static_cast<size_t>(m.textureCount), "one name per texture");
    const size_t n = static_cast<size_t>(m.vertexCount);
    for (const auto* v : {&m.texSlot, &m.polyParamI, &m.polyStart})
        FuzzCheck(v->size() == n, "every int array has vertexCount entries");
    for (const auto* v : {&m.polyParamD, &m.normalX, &m.normalY, &m.normalZ, &m.posX, &m.posY, &m.posZ,
                          &m.colourR, &m.colourG, &m.colourB, &m.texS, &m.texT})
        FuzzCheck(v->size() == n, "every double array has vertexCount entries");

    const std::string folder = g_appDir.str() + "/resources/";
    for (const CString& name : m.textureNames) {
        if (name.IsEmpty()) continue;
        const std::string text = name.str();
        FuzzCheck(text.size() > folder.size() && text.compare(0, folder.size(), folder) == 0,
                  "a texture name is a file under /resources/, never the folder itself");
    }
    for (size_t i = 0; i < n; ++i) {
        FuzzCheck(m.polyStart[i] == 0 || m.polyStart[i] == 1, "polyStart is 0 or 1");
        const int slot = m.texSlot[i];
        FuzzCheck(slot >= 0 && slot <= m.textureCount, "texSlot names a texture of the model or none");
        FuzzCheck(slot == 0 || !m.textureNames[static_cast<size_t>(slot) - 1].IsEmpty(),
                  "no polygon is textured with an empty name");
    }
}

}  // namespace

int FuzzModel(const uint8_t* data, size_t size)
{
    EnterProgramFolder("model");
    WriteFuzzInput("fuzz.geo", data, size);
    for (ModelRecord& m : g_models) m = ModelRecord();
    g_geoTextureTotal = 0;
    LoadGeoModel(0, "fuzz.geo");
    const ModelRecord& board = g_models[0];
    CheckRecord(board);

    ComputeModelNormals(0);
    std::vector<const char*> names;
    const int unified = UnifyTextureNames(names);
    FuzzCheck(unified >= 0 && unified <= board.textureCount, "no more unified textures than names");
    for (size_t i = 0; i < static_cast<size_t>(board.vertexCount); ++i)
        FuzzCheck(board.texSlot[i] >= 0 && board.texSlot[i] <= unified, "texSlot points into the unified table");

    BoardMeasures measures{};
    if (MeasureBoard(measures)) ComputeGridLineBands(measures);
    return 0;
}
