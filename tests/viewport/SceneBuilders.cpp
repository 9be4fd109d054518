#include "viewport/SceneBuilders.h"


void SetFlatNormals(CModel& model)
{
    model.BuildSmoothingLists();
    model.ComputeCornerNormals();
    model.StoreVertexNormals();
}

CModel MakeQuadModel(float cx, float cy, float z, float size, bool facingViewer, std::int32_t material)
{
    CModel model;
    const float h = size / 2;
    // Clockwise as seen from +Z: top left, top right, bottom right, bottom left.
    model.m_vertices = {CVector(cx - h, cy + h, z), CVector(cx + h, cy + h, z), CVector(cx + h, cy - h, z),
                        CVector(cx - h, cy - h, z)};
    CFace face;
    face.m_material = material;
    face.m_indices = facingViewer ? std::vector<std::int32_t>{0, 1, 2, 3} : std::vector<std::int32_t>{3, 2, 1, 0};
    model.m_faces.push_back(face);
    SetFlatNormals(model);
    model.ResetDeformedVertices();
    return model;
}

CModel MakeGridModel(int n, float x0, float x1, float y0, float y1, float z)
{
    CModel model;
    model.m_vertices.reserve(static_cast<std::size_t>(n) * n);
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            const float x = x0 + (x1 - x0) * static_cast<float>(i) / static_cast<float>(n - 1);
            const float y = y1 - (y1 - y0) * static_cast<float>(j) / static_cast<float>(n - 1);
            model.m_vertices.emplace_back(x, y, z);
        }
    for (int j = 0; j + 1 < n; ++j)
        for (int i = 0; i + 1 < n; ++i) {
            CFace face;
            const std::int32_t v = j * n + i;
            face.m_indices = {v, v + 1, v + 1 + n, v + n};
            model.m_faces.push_back(face);
        }
    SetFlatNormals(model);
    model.ResetDeformedVertices();
    return model;
}

CBone MakeBone(std::int32_t id, std::int32_t parent, CVector head, CVector tail)
{
    CBone bone;
    bone.m_name = "Bone" + std::to_string(id);
    bone.m_id = id;
    bone.m_parent = parent;
    bone.m_head = head;
    bone.m_tail = tail;
    return bone;
}
