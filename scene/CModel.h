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

    // Face geometry, normals and vertex binding. Faces naming a vertex the model lacks take
    // no part in smoothing and binding.
    // Face lists per vertex, face normals and the faces each corner averages (smoothing angle).
    void BuildSmoothingLists();
    // Corner normal := normalised sum of the normals of the faces in the corner's list.
    void ComputeCornerNormals();
    // Each vertex takes the corner normal of the last face (in face order) using it.
    void StoreVertexNormals();
    // Face list := source's faces with quadrilaterals split in two; other corner counts dropped.
    void TriangulateFrom(const CModel& source);
    // glVertex3f of the deformed positions of corners i and j of a face (viewport library).
    void EmitEdge(std::int32_t face, std::int32_t i, std::int32_t j) const;
    void ClearVertexMarks();
    // Binds every unmarked vertex connected through faces to the given vertex, marking it.
    void BindConnectedVertices(std::int32_t vertex, std::int32_t bone);
    void SetAllWeights(float value);
    // Parent-share weights in rings inward from the border between a bone and its parent.
    void BuildWeightGradient(std::int32_t rings, std::int32_t bone, std::int32_t parent);
};
