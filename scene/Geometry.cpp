// Vector arithmetic, triangles of quadrilaterals and the smoothed normals of a model.
//
// All geometry is single precision; lengths take a double square root. The normals are
// computed from the rest vertices on load and on a change of the smoothing angle.
#include "scene/CCentigrade.h"
#include "scene/CFace.h"
#include "scene/CModel.h"
#include "scene/CNormal.h"
#include "scene/CVector.h"
#include "scene/SmoothingThreshold.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// --- CVector -------------------------------------------------------------------------

CVector CVector::Add(const CVector& other) const
{
    return CVector(m_x + other.m_x, m_y + other.m_y, m_z + other.m_z);
}

CVector CVector::Subtract(const CVector& other) const
{
    return CVector(m_x - other.m_x, m_y - other.m_y, m_z - other.m_z);
}

CVector& CVector::operator+=(const CVector& other)
{
    m_x += other.m_x;
    m_y += other.m_y;
    m_z += other.m_z;
    return *this;
}

float CVector::Dot(const CVector& a, const CVector& b)
{
    return a.m_x * b.m_x + a.m_y * b.m_y + a.m_z * b.m_z;
}

CVector& CVector::Cross(const CVector& a, const CVector& b)
{
    // a or b may be this vector.
    const float x = a.m_y * b.m_z - a.m_z * b.m_y;
    const float y = a.m_z * b.m_x - a.m_x * b.m_z;
    const float z = a.m_x * b.m_y - a.m_y * b.m_x;
    m_x = x;
    m_y = y;
    m_z = z;
    return *this;
}

CVector& CVector::Normalize()
{
    const float squares = m_x * m_x + m_y * m_y + m_z * m_z;
    const float length = static_cast<float>(std::sqrt(static_cast<double>(squares)));
    if (length == 0.0f) {
        m_x = 0.0f;
        m_y = 0.0f;
        m_z = 1.0f;
        return *this;
    }
    const float reciprocal = 1.0f / length;
    m_x *= reciprocal;
    m_y *= reciprocal;
    m_z *= reciprocal;
    return *this;
}

bool CVector::Equals(const CVector& other) const
{
    return m_x == other.m_x && m_y == other.m_y && m_z == other.m_z;
}

bool CVector::Compare(const CVector& other) const { return !Equals(other); }

// --- CFace -------------------------------------------------------------------------

namespace {

// This face := the source's corners at the given positions (those the source has), with
// their UVs when the source has any, the source's material and face normal. The corner
// normals stay as they are.
CFace FillTriangle(CFace& face, const CFace& source, const std::size_t (&corners)[3])
{
    face.m_material = source.m_material;
    face.m_normal = source.m_normal;
    face.m_indices.clear();
    face.m_uvs.clear();
    for (std::size_t c : corners) {
        if (c < source.m_indices.size())
            face.m_indices.push_back(source.m_indices[c]);
        if (c < source.m_uvs.size())
            face.m_uvs.push_back(source.m_uvs[c]);
    }
    return face;
}

}  // namespace

CFace CFace::MakeFirstTriangle(const CFace& source)
{
    static constexpr std::size_t kCorners[3] = {0, 1, 2};
    return FillTriangle(*this, source, kCorners);
}

CFace CFace::MakeSecondTriangle(const CFace& source)
{
    static constexpr std::size_t kCorners[3] = {0, 2, 3};
    return FillTriangle(*this, source, kCorners);
}

// --- CModel: normals ---------------------------------------------------------------

namespace {

bool CornersInRange(const CFace& face, std::size_t vertexCount)
{
    for (std::int32_t v : face.m_indices)
        if (v < 0 || static_cast<std::size_t>(v) >= vertexCount)
            return false;
    return true;
}

}  // namespace

void CModel::BuildSmoothingLists()
{
    const SmoothingThreshold threshold(m_smoothingAngle / 360.0f * 6.2831855f);
    const std::size_t vertexCount = m_vertices.size();
    const std::size_t faceCount = m_faces.size();

    // Faces naming a vertex the model lacks are left out of every list.
    std::vector<unsigned char> usable(faceCount);
    for (std::size_t j = 0; j < faceCount; ++j)
        usable[j] = CornersInRange(m_faces[j], vertexCount);

    // Face list of every vertex, each allocated once at its final size.
    m_vertexNormals.resize(vertexCount);
    {
        std::vector<std::int32_t> uses(vertexCount, 0);
        for (std::size_t j = 0; j < faceCount; ++j)
            if (usable[j])
                for (std::int32_t v : m_faces[j].m_indices)
                    ++uses[v];
        for (std::size_t v = 0; v < vertexCount; ++v) {
            FaceList& list = m_vertexNormals[v].m_faces;
            list.clear();
            list.reserve(uses[v]);
        }
    }
    for (std::size_t j = 0; j < faceCount; ++j)
        if (usable[j])
            for (std::int32_t v : m_faces[j].m_indices)
                m_vertexNormals[v].m_faces.push_back(static_cast<std::int32_t>(j));

    // Face normals: normalised (A - B) x (A - C) of the first three corners.
    for (std::size_t j = 0; j < faceCount; ++j) {
        CFace& face = m_faces[j];
        if (!usable[j] || face.m_indices.size() < 3)
            continue;
        const CVector& a = m_vertices[face.m_indices[0]];
        const CVector& b = m_vertices[face.m_indices[1]];
        const CVector& c = m_vertices[face.m_indices[2]];
        face.m_normal.Cross(a.Subtract(b), a.Subtract(c)).Normalize();
    }

    // A corner averages its own face and every face at its vertex whose normal lies within
    // the threshold; a dot product that rounds beyond +-1 has no angle, so that face is left
    // out. Each face's corner lists are emptied and refilled in turn, so that the corner
    // normals and lists of one face lie together in memory.
    for (std::size_t j = 0; j < faceCount; ++j) {
        CFace& face = m_faces[j];
        face.m_cornerNormals.resize(face.m_indices.size());
        for (CNormal& corner : face.m_cornerNormals)
            corner.m_faces.clear();
        if (!usable[j])
            continue;
        const CVector& normal = face.m_normal;
        const std::int32_t self = static_cast<std::int32_t>(j);
        for (std::size_t c = 0; c < face.m_indices.size(); ++c) {
            const FaceList& atVertex = m_vertexNormals[face.m_indices[c]].m_faces;
            FaceList& averaged = face.m_cornerNormals[c].m_faces;
            averaged.reserve(atVertex.size());
            for (std::int32_t k : atVertex) {
                if (k == self) {
                    averaged.push_back(k);
                    continue;
                }
                if (threshold.Passes(CVector::Dot(normal, m_faces[k].m_normal)))
                    averaged.push_back(k);
            }
        }
    }
    FacesChanged();
}

void CModel::ComputeCornerNormals()
{
    const std::size_t faceCount = m_faces.size();
    for (CFace& face : m_faces) {
        for (CNormal& corner : face.m_cornerNormals) {
            CVector sum(0.0f, 0.0f, 0.0f);
            for (std::int32_t k : corner.m_faces)
                if (k >= 0 && static_cast<std::size_t>(k) < faceCount)
                    sum += m_faces[k].m_normal;
            sum.Normalize();
            corner.m_x = sum.m_x;
            corner.m_y = sum.m_y;
            corner.m_z = sum.m_z;
        }
    }
    FacesChanged();
}

void CModel::StoreVertexNormals()
{
    // Faces left out of the smoothing lists give no vertex its normal either.
    const std::size_t vertexCount = std::min(m_vertices.size(), m_vertexNormals.size());
    for (const CFace& face : m_faces) {
        if (!CornersInRange(face, vertexCount))
            continue;
        const std::size_t corners = std::min(face.m_indices.size(), face.m_cornerNormals.size());
        for (std::size_t c = 0; c < corners; ++c) {
            const std::int32_t v = face.m_indices[c];
            const CNormal& corner = face.m_cornerNormals[c];
            CNormal& target = m_vertexNormals[v];
            target.m_x = corner.m_x;
            target.m_y = corner.m_y;
            target.m_z = corner.m_z;
        }
    }
}

void CModel::TriangulateFrom(const CModel& source)
{
    std::vector<CFace> triangles;
    std::size_t count = 0;
    for (const CFace& face : source.m_faces)
        count += face.m_indices.size() == 3 ? 1 : face.m_indices.size() == 4 ? 2 : 0;
    triangles.reserve(count);
    CFace scratch;
    for (const CFace& face : source.m_faces) {
        if (face.m_indices.size() == 3) {
            triangles.push_back(face);
        } else if (face.m_indices.size() == 4) {
            triangles.push_back(scratch.MakeFirstTriangle(face));
            triangles.push_back(scratch.MakeSecondTriangle(face));
        }
    }
    m_faces = std::move(triangles);
    FacesChanged();
}

std::uint64_t CModel::NewFaceRevision()
{
    static std::atomic<std::uint64_t> last{0};
    return ++last;
}

// --- CCentigrade -------------------------------------------------------------------

namespace {

void RecomputeModelNormals(std::vector<CModel>& models)
{
    for (CModel& model : models) {
        model.BuildSmoothingLists();
        model.ComputeCornerNormals();
        model.StoreVertexNormals();
    }
}

}  // namespace

void CCentigrade::RecomputeNormals() { RecomputeModelNormals(m_models); }

void CCentigrade::RecomputeBackgroundNormals() { RecomputeModelNormals(m_backgroundModels); }
