#include "scene/geo_model.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <unordered_map>

#include "platform/files.h"
#include "platform/program_folder.h"
#include "scene/frame_state.h"
#include "scene/fullscreen_image.h"

int g_geoTextureTotal = 0;

namespace {

// Counts above these are a damaged file, not a model: the model stays empty.
constexpr int MAX_VERTICES = 1000000;
constexpr int MAX_TEXTURES = 100000;

void Allocate(ModelRecord& m)
{
    const size_t n = static_cast<size_t>(m.vertexCount);
    m.textureNames.assign(static_cast<size_t>(m.textureCount), CString());
    for (auto* v : {&m.texSlot, &m.polyParamI, &m.polyStart}) v->assign(n, 0);
    for (auto* v : {&m.polyParamD, &m.normalX, &m.normalY, &m.normalZ, &m.posX, &m.posY, &m.posZ,
                    &m.colourR, &m.colourG, &m.colourB, &m.texS, &m.texT})
        v->assign(n, 0.0);
}

// Name lines: blanks (and the line end before them) skipped, one marker
// character dropped, the rest of the line is the file name under /resources/.
// A line with nothing after its marker names no texture: its name stays empty.
bool ReadTextureNames(std::istream& in, ModelRecord& m)
{
    for (int i = 0; i < m.textureCount; ++i) {
        in >> std::ws;
        if (in.get() == std::char_traits<char>::eof()) return false;
        std::string name;
        if (!ReadLimitedLine(in, name, std::string::npos)) name.clear();
        name.resize(std::strlen(name.c_str()));  // a name ends at a NUL byte, as in a C string
        if (!name.empty()) m.textureNames[i] = g_appDir + "/resources/" + name.c_str();
    }
    return true;
}

// One vertex record; false when the file ends or is damaged inside it.
bool ReadVertex(std::istream& in, ModelRecord& m, int n, size_t i)
{
    int start = 0;
    if (!ReadValue(in, start)) return false;
    m.polyStart[i] = start == 1 ? 1 : 0;
    if (start == 1) {
        int slot = 0;
        if (!ReadValue(in, slot) || !ReadValue(in, m.polyParamI[i]) ||
            !ReadValue(in, m.polyParamD[i]))
            return false;
        // A slot that names no texture of this model, or an empty name, is
        // drawn untextured.
        const bool named = slot >= 1 && slot <= m.textureCount && !m.textureNames[slot - 1].IsEmpty();
        m.texSlot[i] = named ? slot : 0;
    }
    if (!ReadValue(in, m.colourR[i]) || !ReadValue(in, m.colourG[i]) || !ReadValue(in, m.colourB[i]))
        return false;
    const bool position = ReadValue(in, m.posX[i]) && ReadValue(in, m.posY[i]) && ReadValue(in, m.posZ[i]);
    if (n == 0) {
        m.posX[i] /= 2.0;
        m.posY[i] = -m.posY[i] / 2.0;
        m.posZ[i] /= 2.0;
    } else {
        m.posY[i] = -m.posY[i];
    }
    return position && ReadValue(in, m.texS[i]) && ReadValue(in, m.texT[i]);
}

}  // namespace

void LoadGeoModel(int n, const char* fileName)
{
    if (n < 0 || n >= g_modelCount) return;
    DrawFullscreenImage(1, g_fadeLevel);

    ModelRecord& m = g_models[n];
    m = ModelRecord();
    std::ifstream in((g_appDir + "/" + (fileName ? fileName : "")).GetString());
    if (!in) return;
    int vertexCount = 0, textureCount = 0;
    if (!ReadValue(in, vertexCount) || !ReadValue(in, textureCount)) return;
    if (vertexCount < 0 || vertexCount > MAX_VERTICES || textureCount < 0 || textureCount > MAX_TEXTURES)
        return;

    m.vertexCount = vertexCount;
    m.textureCount = textureCount;
    g_geoTextureTotal += textureCount;
    Allocate(m);
    if (!ReadTextureNames(in, m)) return;
    for (size_t i = 0; i < static_cast<size_t>(vertexCount); ++i)
        if (!ReadVertex(in, m, n, i)) break;
}

namespace {

// Unit vector from a to b; a zero-length edge gives the zero vector.
void UnitEdge(const ModelRecord& m, size_t a, size_t b, double e[3])
{
    e[0] = m.posX[b] - m.posX[a];
    e[1] = m.posY[b] - m.posY[a];
    e[2] = m.posZ[b] - m.posZ[a];
    const double length = std::sqrt(e[0] * e[0] + e[1] * e[1] + e[2] * e[2]);
    if (!(length > 0.0)) {
        e[0] = e[1] = e[2] = 0.0;
        return;
    }
    for (int k = 0; k < 3; ++k) e[k] /= length;
}

void FaceNormals(ModelRecord& m)
{
    const size_t count = static_cast<size_t>(m.vertexCount);
    size_t first = 0;
    while (first < count) {
        size_t last = first;
        while (last + 1 < count && m.polyStart[last + 1] != 1) ++last;
        for (size_t t = first; t <= last; ++t) {
            const size_t prev = (t == first) ? last : t - 1;
            const size_t next = (t == last) ? first : t + 1;
            double e1[3], e2[3];
            UnitEdge(m, t, next, e1);
            UnitEdge(m, t, prev, e2);
            m.normalX[t] = e1[1] * e2[2] - e2[1] * e1[2];
            m.normalY[t] = e1[2] * e2[0] - e2[2] * e1[0];
            m.normalZ[t] = e1[0] * e2[1] - e2[0] * e1[1];
        }
        first = last + 1;
    }
}

// Smoothing key: red colour and position compared exactly (+0 and -0 alike).
struct Key {
    uint64_t bits[4];
    bool operator==(const Key& o) const { return std::memcmp(bits, o.bits, sizeof bits) == 0; }
};
struct KeyHash {
    size_t operator()(const Key& k) const
    {
        uint64_t h = 1469598103934665603ull;
        for (uint64_t b : k.bits) h = (h ^ b) * 1099511628211ull;
        return static_cast<size_t>(h);
    }
};

bool MakeKey(const ModelRecord& m, size_t i, Key& key)
{
    const double v[4] = {m.colourR[i], m.posX[i], m.posY[i], m.posZ[i]};
    for (int k = 0; k < 4; ++k) {
        if (std::isnan(v[k])) return false;  // NaN equals nothing, not even itself
        const double d = v[k] + 0.0;          // folds -0 into +0
        std::memcpy(&key.bits[k], &d, sizeof d);
    }
    return true;
}

}  // namespace

void ComputeModelNormals(int n)
{
    if (n < 0 || n >= g_modelCount) return;
    ModelRecord& m = g_models[n];
    if (m.vertexCount <= 0) return;
    FaceNormals(m);

    // Groups in order of their first vertex; members in vertex order, so the
    // sums come out as a pairwise scan would give them.
    std::unordered_map<Key, size_t, KeyHash> groupOf;
    std::vector<std::vector<size_t>> groups;
    for (size_t i = 0; i < static_cast<size_t>(m.vertexCount); ++i) {
        Key key;
        if (!MakeKey(m, i, key)) {
            groups.push_back({i});
            continue;
        }
        auto found = groupOf.emplace(key, groups.size());
        if (found.second) groups.emplace_back();
        groups[found.first->second].push_back(i);
    }
    for (const auto& group : groups) {
        double sum[3] = {0.0, 0.0, 0.0};
        for (size_t i : group) {
            sum[0] += m.normalX[i];
            sum[1] += m.normalY[i];
            sum[2] += m.normalZ[i];
        }
        const double members = static_cast<double>(group.size());
        for (size_t i : group) {
            m.normalX[i] = sum[0] / members;
            m.normalY[i] = sum[1] / members;
            m.normalZ[i] = sum[2] / members;
        }
    }
}
