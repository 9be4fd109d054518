#include "viewport/FaceArrays.h"

#include "scene/CFace.h"
#include "scene/CMaterial.h"
#include "scene/CModel.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstddef>
#include <type_traits>
#include <unordered_map>

namespace {

constexpr GLbitfield kAllAttributes = 0xFFFFF;

bool g_arraysEnabled = true;

// The id of the material that draws faces of this material index. A face whose material
// index has no entry in the map is drawn with the material of that index, as under the
// identity map.
std::int32_t DrawnMaterialId(const std::vector<std::int32_t>* map, std::int32_t index)
{
    if (map && index >= 0 && static_cast<std::size_t>(index) < map->size())
        return (*map)[index];
    return index;
}

// Faces of 3 and 4 corners, each naming a vertex the model has, are drawn.
bool IsDrawn(const CFace& face, std::size_t vertexCount)
{
    const std::size_t corners = face.m_indices.size();
    return (corners == 3 || corners == 4) &&
           std::all_of(face.m_indices.begin(), face.m_indices.end(), [&](std::int32_t i) {
               return i >= 0 && static_cast<std::size_t>(i) < vertexCount;
           });
}

// The normal a corner is drawn with: its corner normal (the face normal when it has none),
// negated to go with the culling of front faces.
void CornerNormal(const CFace& face, std::size_t k, float normal[3])
{
    const CVector& n = k < face.m_cornerNormals.size() ? face.m_cornerNormals[k] : face.m_normal;
    normal[0] = -n.m_x;
    normal[1] = -n.m_y;
    normal[2] = -n.m_z;
}

// Lighting on and polygons filled around the faces, every other state as it was.
template <typename Draw>
void WithFaceState(Draw draw)
{
    glPushAttrib(kAllAttributes);
    glEnable(GL_LIGHTING);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    draw();
    glPopAttrib();
}

}  // namespace

static_assert(std::is_standard_layout_v<CVector> && offsetof(CVector, m_x) == 0 && offsetof(CVector, m_y) == 4 &&
                  offsetof(CVector, m_z) == 8,
              "positions are copied from the deformed vertices' x, y, z");

void FaceArrays::SetEnabled(bool enabled) { g_arraysEnabled = enabled; }

bool FaceArrays::Enabled() { return g_arraysEnabled; }

bool FaceArrays::IsCurrent(const CModel& model, const std::vector<std::int32_t>* map,
                           const std::vector<CMaterial>& materials) const
{
    if (!m_built || m_faceRevision != model.m_faceRevision || m_faceData != model.m_faces.data() ||
        m_faceCount != model.m_faces.size() || m_vertexCount != model.m_deformedVertices.size() ||
        m_mapped != (map != nullptr) || (map && m_map != *map) || m_materialIds.size() != materials.size())
        return false;
    for (std::size_t m = 0; m < materials.size(); ++m)
        if (m_materialIds[m] != materials[m].m_id)
            return false;
    return true;
}

void FaceArrays::Build(const CModel& model, const std::vector<std::int32_t>* map,
                       const std::vector<CMaterial>& materials)
{
    m_built = true;
    m_faceRevision = model.m_faceRevision;
    m_faceData = model.m_faces.data();
    m_faceCount = model.m_faces.size();
    m_vertexCount = model.m_deformedVertices.size();
    m_mapped = map != nullptr;
    m_map = map ? *map : std::vector<std::int32_t>();
    m_materialIds.clear();
    for (const CMaterial& material : materials)
        m_materialIds.push_back(material.m_id);
    m_cornerVertices.clear();
    m_normals.clear();
    m_texCoords.clear();
    m_positions.clear();
    m_runs.clear();
    m_firstRun.assign(1, 0);

    // The drawn faces of every material id, in face order; faces no material draws are left
    // out.
    std::unordered_map<std::int32_t, std::size_t> bucketOfId;
    for (const CMaterial& material : materials)
        bucketOfId.try_emplace(material.m_id, bucketOfId.size());
    std::vector<std::vector<std::int32_t>> buckets(bucketOfId.size());
    std::vector<std::size_t> bucketCorners(bucketOfId.size(), 0);
    bool anyTexCoords = false;
    for (std::size_t f = 0; f < model.m_faces.size(); ++f) {
        const CFace& face = model.m_faces[f];
        if (!IsDrawn(face, m_vertexCount))
            continue;
        const auto bucket = bucketOfId.find(DrawnMaterialId(map, face.m_material));
        if (bucket == bucketOfId.end())
            continue;
        buckets[bucket->second].push_back(static_cast<std::int32_t>(f));
        bucketCorners[bucket->second] += face.m_indices.size();
        anyTexCoords = anyTexCoords || !face.m_uvs.empty();
    }
    std::size_t corners = 0;
    for (const CMaterial& material : materials)
        corners += bucketCorners[bucketOfId.at(material.m_id)];
    m_cornerVertices.reserve(corners);
    m_normals.reserve(3 * corners);
    if (anyTexCoords)
        m_texCoords.reserve(2 * corners);

    // Every corner in drawing order. A corner without a UV of its own is drawn with the texture
    // coordinate the corner before it set (from the start of the pass, 0, 0).
    float texCoord[2] = {0.0f, 0.0f};
    for (const CMaterial& material : materials) {
        bool open = false;
        for (std::int32_t f : buckets[bucketOfId.at(material.m_id)]) {
            const CFace& face = model.m_faces[f];
            const std::size_t count = face.m_indices.size();
            const std::uint32_t mode = count == 3 ? GL_TRIANGLES : GL_QUADS;
            if (!open || m_runs.back().mode != mode) {
                m_runs.push_back({mode, static_cast<std::uint32_t>(m_cornerVertices.size()), 0});
                open = true;
            }
            m_runs.back().count += static_cast<std::uint32_t>(count);
            for (std::size_t k = 0; k < count; ++k) {
                if (k < face.m_uvs.size()) {
                    texCoord[0] = face.m_uvs[k].m_u;
                    texCoord[1] = face.m_uvs[k].m_v;
                }
                float normal[3];
                CornerNormal(face, k, normal);
                m_cornerVertices.push_back(face.m_indices[k]);
                m_normals.insert(m_normals.end(), normal, normal + 3);
                if (anyTexCoords)
                    m_texCoords.insert(m_texCoords.end(), texCoord, texCoord + 2);
            }
        }
        m_firstRun.push_back(m_runs.size());
    }
}

void FaceArrays::Draw(const CModel& model, std::vector<CMaterial>& materials)
{
    const CVector* deformed = model.m_deformedVertices.data();
    m_positions.resize(3 * m_cornerVertices.size());
    float* out = m_positions.data();
    for (std::int32_t v : m_cornerVertices) {
        const CVector& p = deformed[v];
        out[0] = p.m_x;
        out[1] = p.m_y;
        out[2] = p.m_z;
        out += 3;
    }
    WithFaceState([&] {
        glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, m_positions.data());
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, 0, m_normals.data());
        if (!m_texCoords.empty()) {
            glEnableClientState(GL_TEXTURE_COORD_ARRAY);
            glTexCoordPointer(2, GL_FLOAT, 0, m_texCoords.data());
        }
        for (std::size_t m = 0; m < materials.size(); ++m) {
            materials[m].Apply();
            for (std::size_t r = m_firstRun[m]; r < m_firstRun[m + 1]; ++r) {
                const Run& run = m_runs[r];
                glDrawArrays(run.mode, static_cast<GLint>(run.first), static_cast<GLsizei>(run.count));
            }
        }
        glPopClientAttrib();
    });
}

void FaceArrays::DrawOneByOne(const CModel& model, std::vector<CMaterial>& materials,
                              const std::vector<std::int32_t>* map)
{
    const std::vector<CVector>& positions = model.m_deformedVertices;
    WithFaceState([&] {
        for (CMaterial& material : materials) {
            material.Apply();
            GLenum open = 0;
            for (const CFace& face : model.m_faces) {
                if (!IsDrawn(face, positions.size()) || DrawnMaterialId(map, face.m_material) != material.m_id)
                    continue;
                const std::size_t corners = face.m_indices.size();
                const GLenum mode = corners == 3 ? GL_TRIANGLES : GL_QUADS;
                if (mode != open) {
                    if (open)
                        glEnd();
                    glBegin(mode);
                    open = mode;
                }
                for (std::size_t k = 0; k < corners; ++k) {
                    if (face.m_uvs.size() > k)
                        glTexCoord2f(face.m_uvs[k].m_u, face.m_uvs[k].m_v);
                    float normal[3];
                    CornerNormal(face, k, normal);
                    glNormal3fv(normal);
                    const CVector& p = positions[face.m_indices[k]];
                    glVertex3f(p.m_x, p.m_y, p.m_z);
                }
            }
            if (open)
                glEnd();
        }
    });
}
