// The five 3D models (board, the two sides of a piece, the two piece shadows)
// read from the text model files (".geo") in the program folder.
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

// Sum of textureCount over every model read so far.
extern int g_geoTextureTotal;

// Reads g_appDir + "/" + fileName into record n (0..4), applying that model's
// transform (board: x/2, -y/2, z/2; pieces and shadows: y negated). A missing
// or damaged file leaves an empty model, or the vertices read before the
// damage with zeros after them.
void LoadGeoModel(int n, const char* fileName);

// Fills the normals of record n: per vertex the cross product of the unit
// edges to its successor and predecessor in its polygon, then averaged over
// the vertices that share position and red colour exactly.
void ComputeModelNormals(int n);
