// The five 3D models (board, the two sides of a piece, the two piece shadows)
// read from the text model files (".geo") in the program folder.
#pragma once

#include "scene/model_table.h"

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
