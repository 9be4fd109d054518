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
class MatrixStack;

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
    // Renewed whenever what the faces draw changes (corners, materials, UVs, normals): a
    // number no earlier state of any model had, so the view can tell when arrays it built
    // from the faces are out of date. A copy keeps it along with the faces it describes.
    std::uint64_t m_faceRevision = NewFaceRevision();

    // Posing and skinning
    //
    // Each routine poses the bones whose parent is key (-1: the roots) and, below each of
    // them, its descendants, for one animation and frame, composing every bone's transform
    // on the stack's top: push, the bone transform of its sample, m_matrix := the top, skin
    // its bound vertices, the same for its children (by bone index), pop. s is the scale
    // factor: 1 for the view, the export scale for exporters; it scales the translations
    // and pivots, not the vertices. The stack is left as it was found.
    //
    // The usual call poses in model space from the identity:
    //     MatrixStack stack;
    //     model.PoseAndSkin(stack, g_scene.m_bones, -1, animation, frame, 1.0f);
    // after which every reached bone's m_matrix and the model's m_deformedVertices hold the
    // pose. The view draws m_deformedVertices as they are and multiplies by a bone's
    // m_matrix (glMultMatrixf) to draw in that bone's space.
    //
    // Each bone is posed at most once per call. A bone no root reaches (a bad parent id, a
    // parent cycle) is not posed: its m_matrix keeps its value, the identity if it was never
    // posed. A bone without a sample at [animation][frame] is skipped with its descendants.
    // Bound-vertex indices beyond m_vertices or m_deformedVertices are skipped. Deformed
    // vertices get the posed x, y, z, weight 1, bone -1 and mark 0; vertices no posed bone
    // lists keep their previous deformed values.

    // The view's and the Metasequoia export's posing: translate by s*T + s*head. A vertex of
    // weight 1, or of a root bone, follows its bone; a vertex of weight w below 1 follows
    // (1 - w) * its bone's matrix + w * the parent's matrix.
    void PoseAndSkin(MatrixStack& stack, std::vector<CBone>& bones, std::int32_t key, std::int32_t animation,
                     std::int32_t frame, float s);
    // As PoseAndSkin, but translating by (head + T)*s and every vertex following its own bone
    // whatever its weight.
    void PoseAndSkinRigid(MatrixStack& stack, std::vector<CBone>& bones, std::int32_t key, std::int32_t animation,
                          std::int32_t frame, float s);
    // As PoseAndSkinRigid with the Y and Z axes mirrored (CAnimation::ApplyTransformMirrored);
    // the rest vertices are transformed as they are.
    void PoseAndSkinMirrored(MatrixStack& stack, std::vector<CBone>& bones, std::int32_t key,
                             std::int32_t animation, std::int32_t frame, float s);
    // The bone matrices of PoseAndSkinRigid only; no vertex is touched.
    void PoseBones(MatrixStack& stack, std::vector<CBone>& bones, std::int32_t key, std::int32_t animation,
                   std::int32_t frame, float s) const;

    // Renews m_faceRevision. The functions below that change faces call it; code that edits
    // m_faces in place calls it too.
    void FacesChanged() { m_faceRevision = NewFaceRevision(); }
    static std::uint64_t NewFaceRevision();

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

    // Object merge with mirror copies
    // Appends the object's vertices and faces, then one copy for every mirror image its
    // m_mirrorAxis asks for; takes its smoothing angle. Faces naming a vertex the object does
    // not have are left out. True when this model has a face.
    bool MergeObject(const CModel& object);
    // The same, taking the object's storage where no copy is needed.
    bool MergeObject(CModel&& object);

    // Drawing. Defined by the viewport library (kmx_viewport), which needs a rendering
    // context; the core never calls them. The materials are applied in turn (which may upload
    // a texture waiting for a context).
    void DrawFacesWithMaterialMap(std::vector<CMaterial>& materials,
                                  const std::vector<std::int32_t>& materialMap) const;
    void DrawFaces(std::vector<CMaterial>& materials) const;
    void DrawEdges() const;
    void DrawVertices(int selectedBone) const;
};
