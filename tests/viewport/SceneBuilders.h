// Small scenes for the viewport tests and benchmarks.
#pragma once

#include "scene/CBone.h"
#include "scene/CMaterial.h"
#include "scene/CModel.h"

#include <cstdint>

// A model of one quad in the plane z = `z`, centred on (cx, cy), `size` wide. `facingViewer`
// winds it so that it is seen from +Z (the model file's winding); otherwise the other way.
CModel MakeQuadModel(float cx, float cy, float z, float size, bool facingViewer, std::int32_t material = 0);

// A grid of n x n vertices (and (n-1)^2 quads facing +Z) spanning [x0, x1] x [y0, y1] at z.
CModel MakeGridModel(int n, float x0, float x1, float y0, float y1, float z);

// A root bone from head to tail with one animation of g_lastFrame + 1 samples.
CBone MakeBone(std::int32_t id, std::int32_t parent, CVector head, CVector tail);

// Face lists, face normals and corner normals from the rest positions.
void SetFlatNormals(CModel& model);
