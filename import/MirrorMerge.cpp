// Appending an object and its mirror copies to a model.
#include "scene/CFace.h"
#include "scene/CModel.h"

#include <algorithm>
#include <bit>
#include <iterator>

namespace {

std::int32_t Offset(std::int32_t index, std::int32_t offset)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(index) + static_cast<std::uint32_t>(offset));
}

// The mirror images an axis setting asks for (bit 1 X, 2 Y, 4 Z), in the order they are
// appended: the single axes, then the pairs, then all three.
std::vector<unsigned> MirrorCopies(std::int32_t mirrorAxis)
{
    std::vector<unsigned> copies;
    if (mirrorAxis < 1 || mirrorAxis > 7)
        return copies;
    for (int axes = 1; axes <= 3; ++axes)
        for (unsigned s = 1; s <= 7; ++s)
            if ((s & ~static_cast<unsigned>(mirrorAxis)) == 0 && std::popcount(s) == axes)
                copies.push_back(s);
    return copies;
}

// A face whose corners all name vertices of the object. Others are never merged: nothing
// later may index past the model's vertices.
bool HasItsVertices(const CFace& face, const CModel& object)
{
    const std::size_t count = object.m_vertices.size();
    return std::all_of(face.m_indices.begin(), face.m_indices.end(),
                       [count](std::int32_t i) { return i >= 0 && static_cast<std::size_t>(i) < count; });
}

void AppendMirrorCopies(CModel& target, const CModel& object)
{
    for (unsigned axes : MirrorCopies(object.m_mirrorAxis)) {
        const std::int32_t c = static_cast<std::int32_t>(target.m_vertices.size());
        for (const CVector& v : object.m_vertices)
            target.m_vertices.emplace_back(axes & 1 ? -v.m_x : v.m_x, axes & 2 ? -v.m_y : v.m_y,
                                           axes & 4 ? -v.m_z : v.m_z);
        // An odd number of reflections turns the faces inside out: reverse their corners.
        const bool reverse = std::popcount(axes) % 2 == 1;
        for (const CFace& face : object.m_faces)
            if (HasItsVertices(face, object))
                target.m_faces.push_back(reverse ? CFace::MakeMirroredCopy(face, c) : CFace::MakeOffsetCopy(face, c));
    }
}

}  // namespace

CFace CFace::MakeOffsetCopy(const CFace& source, std::int32_t offset)
{
    CFace face;
    face.m_material = source.m_material;
    face.m_indices.reserve(source.m_indices.size());
    for (std::int32_t i : source.m_indices)
        face.m_indices.push_back(Offset(i, offset));
    face.m_uvs = source.m_uvs;
    return face;
}

CFace CFace::MakeMirroredCopy(const CFace& source, std::int32_t offset)
{
    CFace face;
    face.m_material = source.m_material;
    face.m_indices.reserve(source.m_indices.size());
    for (auto i = source.m_indices.rbegin(); i != source.m_indices.rend(); ++i)
        face.m_indices.push_back(Offset(*i, offset));
    face.m_uvs.assign(source.m_uvs.rbegin(), source.m_uvs.rend());
    return face;
}

bool CModel::MergeObject(const CModel& object)
{
    if (&object == this) {
        const CModel copy = object;
        return MergeObject(copy);
    }
    m_smoothingAngle = object.m_smoothingAngle;
    const std::int32_t b = static_cast<std::int32_t>(m_vertices.size());
    m_vertices.insert(m_vertices.end(), object.m_vertices.begin(), object.m_vertices.end());
    for (const CFace& face : object.m_faces)
        if (HasItsVertices(face, object))
            m_faces.push_back(CFace::MakeOffsetCopy(face, b));
    AppendMirrorCopies(*this, object);
    FacesChanged();
    return !m_faces.empty();
}

bool CModel::MergeObject(CModel&& object)
{
    if (&object == this || !MirrorCopies(object.m_mirrorAxis).empty())
        return MergeObject(static_cast<const CModel&>(object));
    // No copies to make: the object's vertices and faces move over, the faces renumbered in
    // place, with the same result as copying them.
    m_smoothingAngle = object.m_smoothingAngle;
    std::erase_if(object.m_faces, [&object](const CFace& face) { return !HasItsVertices(face, object); });
    const std::int32_t b = static_cast<std::int32_t>(m_vertices.size());
    if (m_vertices.empty())
        m_vertices = std::move(object.m_vertices);
    else
        m_vertices.insert(m_vertices.end(), object.m_vertices.begin(), object.m_vertices.end());
    for (CFace& face : object.m_faces) {
        for (std::int32_t& i : face.m_indices)
            i = Offset(i, b);
        face.m_normal = CVector();
        face.m_cornerNormals.clear();
    }
    if (m_faces.empty())
        m_faces = std::move(object.m_faces);
    else
        m_faces.insert(m_faces.end(), std::make_move_iterator(object.m_faces.begin()),
                       std::make_move_iterator(object.m_faces.end()));
    FacesChanged();
    return !m_faces.empty();
}
