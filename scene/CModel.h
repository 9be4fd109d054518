// One mesh object.
#pragma once

#include "scene/CFace.h"
#include "scene/CNormal.h"
#include "scene/CVector.h"

#include <cstdint>
#include <string>
#include <vector>

class CArchive;
class CBone;
class CMaterial;

class CModel {
public:
    void Serialize(CArchive& ar);

    // Deformed vertices := an element-by-element copy of the rest vertices.
    void ResetDeformedVertices();
    // For every bone: its bound-vertex list := the ascending indices of this model's vertices
    // whose bone index equals the bone's id.
    void BuildBoneVertexLists(std::vector<CBone>& bones) const;

    std::int32_t m_legacyValue = 0;     // model number of old scene files
    std::string m_name = "Model";       // CP932
    float m_smoothingAngle = 59.0f;     // degrees
    std::int32_t m_mirrorAxis = 0;      // 1 X, 2 Y, 4 Z
    std::vector<CVector> m_vertices;            // rest vertices with bone index and weight
    std::vector<CVector> m_deformedVertices;    // posed vertices
    std::vector<CNormal> m_vertexNormals;       // one per vertex
    std::vector<CFace> m_faces;

    // Drawing. Defined by the viewport library (kmx_viewport), which needs a rendering
    // context; the core never calls them.
    void DrawFacesWithMaterialMap(const std::vector<CMaterial>& materials,
                                  const std::vector<std::int32_t>& materialMap) const;
    void DrawFaces(const std::vector<CMaterial>& materials) const;
    void DrawEdges() const;
    void DrawVertices(int selectedBone) const;
};
