// Vertex binding through connected faces, and the weight gradient between a bone and its
// parent.
//
// Both walk the mesh through the per-vertex face lists built with the normals, so those must
// be current. Face or vertex indices that a model does not have are skipped.
#include "scene/CBone.h"
#include "scene/CCentigrade.h"
#include "scene/CFace.h"
#include "scene/CModel.h"
#include "scene/CVector.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <utility>
#include <vector>

namespace {

// Calls visit(face) for every face in the vertex's list (built with the normals), skipping
// vertices without a list and faces the model does not have.
template <typename Visit>
void ForEachFaceAt(const CModel& model, std::int32_t v, Visit&& visit)
{
    if (v < 0 || static_cast<std::size_t>(v) >= model.m_vertexNormals.size())
        return;
    for (std::int32_t f : model.m_vertexNormals[v].m_faces)
        if (f >= 0 && static_cast<std::size_t>(f) < model.m_faces.size())
            visit(model.m_faces[f]);
}

bool IsVertex(const CModel& model, std::int32_t v)
{
    return v >= 0 && static_cast<std::size_t>(v) < model.m_vertices.size();
}

// The gradient of one bone over the given vertices of that bone (ascending indices).
void ApplyWeightGradient(CModel& model, std::int32_t rings, std::int32_t bone, std::int32_t parent,
                         const std::vector<std::int32_t>& members)
{
    if (rings <= 0 || parent < 0)
        return;
    std::vector<CVector>& vertices = model.m_vertices;
    const float h = static_cast<float>(static_cast<std::int64_t>(rings) + 1);
    const float border = static_cast<float>(rings) / h;

    // Border ring: the vertices of the bone sharing a face with a vertex of the parent.
    for (std::int32_t j : members)
        ForEachFaceAt(model, j, [&](const CFace& face) {
            bool touchesParent = false;
            for (std::int32_t u : face.m_indices)
                if (IsVertex(model, u) && vertices[u].m_boneIndex == parent)
                    touchesParent = true;
            if (!touchesParent)
                return;
            for (std::int32_t u : face.m_indices)
                if (IsVertex(model, u) && vertices[u].m_boneIndex == bone)
                    vertices[u].m_weight = border;
        });

    // Inner rings. Ring f (f = rings, rings - 1, ..., 2) holds the vertices whose weight g
    // satisfies f/h <= g < (f+1)/h; its neighbours of the same bone still at 1.0 join ring
    // f - 1 with weight (f-1)/h. A pass only lowers weights from 1.0 to below f/h, so its
    // sources are fixed before it starts, and the order in which they are taken does not
    // matter. Rather than rescanning every vertex of the bone for each of possibly many
    // rings, each vertex is filed under the one ring whose range holds its weight, and a
    // pass walks only its own ring.
    const auto lower = [h](std::int64_t f) { return static_cast<float>(f) / h; };
    const auto upper = [h](std::int64_t f) { return (static_cast<float>(f) + 1.0f) / h; };
    const auto inRing = [&](float g, std::int64_t f) { return lower(f) <= g && g < upper(f); };
    std::map<std::int64_t, std::vector<std::int32_t>, std::greater<>> byRing;
    const auto file = [&](std::int32_t j) {
        const float g = vertices[j].m_weight;
        if (!(g < 1.0f))
            return;  // 1.0 (or more) lies in no ring: (rings+1)/h is exactly 1
        // The ring is floor(g * h) up to rounding; its neighbours are tried too.
        const double guess = std::floor(static_cast<double>(g) * static_cast<double>(h));
        if (!(guess >= 1.0 && guess <= static_cast<double>(rings) + 1.0))
            return;
        const std::int64_t middle = static_cast<std::int64_t>(guess);
        for (std::int64_t f = middle - 1; f <= middle + 1; ++f)
            if (f >= 2 && f <= rings && inRing(g, f)) {
                byRing[f].push_back(j);
                return;
            }
    };
    for (std::int32_t j : members)
        file(j);
    while (!byRing.empty()) {
        const auto ring = byRing.begin();
        const std::int64_t f = ring->first;
        const std::vector<std::int32_t> sources = std::move(ring->second);
        byRing.erase(ring);
        const float inner = (static_cast<float>(f) - 1.0f) / h;
        for (std::int32_t j : sources)
            ForEachFaceAt(model, j, [&](const CFace& face) {
                for (std::int32_t u : face.m_indices)
                    if (IsVertex(model, u) && vertices[u].m_boneIndex == bone && vertices[u].m_weight == 1.0f) {
                        vertices[u].m_weight = inner;
                        file(u);  // a source of the next pass, ring f - 1
                    }
            });
    }
}

}  // namespace

void CModel::ClearVertexMarks()
{
    for (CVector& v : m_vertices)
        v.m_mark = 0;
}

// Every vertex reached is bound, gets its deformed copy reset to its rest position with the
// new bone, and is marked. The walk keeps its own work list instead of recursing (a piece can
// be as deep as it has vertices) and goes breadth first, which keeps neighbouring vertices
// together in memory; any order reaches the same vertices, so the bindings are those of a
// depth-first walk.
void CModel::BindConnectedVertices(std::int32_t vertex, std::int32_t bone)
{
    std::vector<std::int32_t> pending;  // every vertex reached, in the order reached
    const auto reach = [&](std::int32_t u) {
        if (!IsVertex(*this, u) || m_vertices[u].m_mark)
            return;
        CVector& rest = m_vertices[u];
        rest.m_boneIndex = bone;
        if (static_cast<std::size_t>(u) < m_deformedVertices.size()) {
            CVector& deformed = m_deformedVertices[u];
            deformed.m_x = rest.m_x;
            deformed.m_y = rest.m_y;
            deformed.m_z = rest.m_z;
            deformed.m_weight = rest.m_weight;
            deformed.m_boneIndex = bone;
            deformed.m_mark = 0;
        }
        rest.m_mark = 1;
        pending.push_back(u);
    };
    const auto visitFacesOf = [&](std::int32_t v) {
        ForEachFaceAt(*this, v, [&](const CFace& face) {
            for (std::int32_t u : face.m_indices)
                reach(u);
        });
    };
    visitFacesOf(vertex);
    for (std::size_t next = 0; next < pending.size(); ++next)
        visitFacesOf(pending[next]);
}

void CModel::SetAllWeights(float value)
{
    for (CVector& v : m_vertices)
        v.m_weight = value;
}

void CModel::BuildWeightGradient(std::int32_t rings, std::int32_t bone, std::int32_t parent)
{
    if (rings <= 0 || parent < 0)
        return;
    std::vector<std::int32_t> members;
    for (std::size_t i = 0; i < m_vertices.size(); ++i)
        if (m_vertices[i].m_boneIndex == bone)
            members.push_back(static_cast<std::int32_t>(i));
    ApplyWeightGradient(*this, rings, bone, parent, members);
}

void CCentigrade::SetWeightMapRange(std::int32_t range)
{
    m_weightMapRange = range;
    for (CModel& model : m_models)
        model.SetAllWeights(1.0f);
    if (range <= 0)
        return;

    // The vertices of every bone, per model, gathered in one pass over each model rather
    // than one pass per bone.
    const std::size_t boneCount = m_bones.size();
    std::vector<std::vector<std::vector<std::int32_t>>> members(m_models.size());
    for (std::size_t m = 0; m < m_models.size(); ++m) {
        members[m].resize(boneCount);
        const std::vector<CVector>& vertices = m_models[m].m_vertices;
        for (std::size_t i = 0; i < vertices.size(); ++i) {
            const std::int32_t b = vertices[i].m_boneIndex;
            if (b >= 0 && static_cast<std::size_t>(b) < boneCount)
                members[m][b].push_back(static_cast<std::int32_t>(i));
        }
    }
    for (std::size_t k = 0; k < boneCount; ++k)
        for (std::size_t m = 0; m < m_models.size(); ++m)
            ApplyWeightGradient(m_models[m], range, static_cast<std::int32_t>(k), m_bones[k].m_parent, members[m][k]);
}
