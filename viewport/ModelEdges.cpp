// Edges of a model's faces as OpenGL vertices (inside glBegin(GL_LINES)).
#include "scene/CModel.h"

#include <GL/gl.h>

#include <cstddef>
#include <cstdint>

namespace {

const CVector* DeformedCorner(const CModel& model, const CFace& face, std::int32_t corner)
{
    if (corner < 0 || static_cast<std::size_t>(corner) >= face.m_indices.size())
        return nullptr;
    const std::int32_t v = face.m_indices[corner];
    if (v < 0 || static_cast<std::size_t>(v) >= model.m_deformedVertices.size())
        return nullptr;
    return &model.m_deformedVertices[v];
}

}  // namespace

// Both ends or neither, so that the line pairs stay in step.
void CModel::EmitEdge(std::int32_t face, std::int32_t i, std::int32_t j) const
{
    if (face < 0 || static_cast<std::size_t>(face) >= m_faces.size())
        return;
    const CVector* a = DeformedCorner(*this, m_faces[face], i);
    const CVector* b = DeformedCorner(*this, m_faces[face], j);
    if (!a || !b)
        return;
    glVertex3f(a->m_x, a->m_y, a->m_z);
    glVertex3f(b->m_x, b->m_y, b->m_z);
}
