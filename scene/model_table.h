// The model table: the five 3D models (board, the two sides of a piece, the
// two piece shadows) as the model reader leaves them and the drawers read them.
#pragma once

#include <vector>

#include "platform/strings.h"

constexpr int g_modelCount = 5;

// One model. Every per-vertex vector has vertexCount entries, zero until read.
struct ModelRecord {
    int vertexCount = 0;
    int textureCount = 0;
    // g_appDir + "/resources/" + the name in the file; empty when the name
    // line holds only its marker (no texture, no polygon points to it).
    std::vector<CString> textureNames;
    // On polygon-start vertices: texture of the polygon, 1-based into
    // textureNames, 0 = untextured (the texture loader later turns it into an
    // index of its unified table).
    std::vector<int> texSlot;
    std::vector<int> polyParamI;        // read, not used
    std::vector<double> polyParamD;     // read, not used
    std::vector<double> normalX, normalY, normalZ;
    std::vector<double> posX, posY, posZ;
    std::vector<double> colourR, colourG, colourB;
    std::vector<double> texS, texT;
    std::vector<int> polyStart;         // 1 = the vertex opens a polygon
};

// Board, piece face side, piece back side, own shadow, enemy shadow.
extern ModelRecord g_models[g_modelCount];
