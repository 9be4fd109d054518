#include "viewport/SceneBuilders.h"

#include <cmath>

namespace {

CVector Normalised(float x, float y, float z)
{
    const float length = static_cast<float>(std::sqrt(static_cast<double>(x * x + y * y + z * z)));
    if (length == 0.0f)
        return CVector(0, 0, 1);
    return CVector(x / length, y / length, z / length);
}

}  // namespace

void SetFlatNormals(CModel& model)
{
    for (CFace& face : model.m_faces) {
        if (face.m_indices.size() < 3)
            continue;
        const CVector& a = model.m_vertices[face.m_indices[0]];
        const CVector& b = model.m_vertices[face.m_indices[1]];
        const CVector& c = model.m_vertices[face.m_indices[2]];
        const float ux = a.m_x - b.m_x, uy = a.m_y - b.m_y, uz = a.m_z - b.m_z;
        const float vx = a.m_x - c.m_x, vy = a.m_y - c.m_y, vz = a.m_z - c.m_z;
        face.m_normal = Normalised(uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx);
        face.m_cornerNormals.assign(face.m_indices.size(), CNormal());
        for (CNormal& n : face.m_cornerNormals) {
            n.m_x = face.m_normal.m_x;
            n.m_y = face.m_normal.m_y;
            n.m_z = face.m_normal.m_z;
        }
    }
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
