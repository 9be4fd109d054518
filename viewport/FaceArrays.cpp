#include "viewport/FaceArrays.h"

#include "scene/CFace.h"
#include "scene/CMaterial.h"
#include "scene/CModel.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>
#include <unordered_map>

namespace {

constexpr GLbitfield kAllAttributes = 0xFFFFF;

bool g_arraysEnabled = true;
bool g_splitDraws = true;

// Mesa's software rasterizer cuts a draw call into segments of 4,096 vertices, trimmed to whole
// primitives, and sets every segment up on its own (how it pairs triangles, for one, depends
// on the segment): pieces of whole segments give it what one draw call would. Draw calls of a
// few vertices can come out a shade different.
constexpr std::size_t kRasterizerSegment = 4096;
constexpr std::size_t kSegmentsPerPiece = 4;

// It also holds every triangle handed to it until the rasterizer threads take them, which is
// at a flush or when its queue is full: handed on about every half million vertices, a large
// model's triangles take a fraction of that memory. Flushing more often saves little more
// memory and costs time: into a window, a flush waits for the rasterizer. A frame of a few
// million vertices is held whole, as a flush in it would cost it more time than its memory
// is worth; only larger frames are handed on in parts.
constexpr std::size_t kVerticesPerFlush = 32 * kSegmentsPerPiece * kRasterizerSegment;
constexpr std::size_t kVerticesHeldWhole = 4 * kVerticesPerFlush;
std::size_t g_verticesThisFrame = 0;
std::size_t g_verticesSinceFlush = 0;

// Faces ahead of the one gathered whose arrays are fetched into the cache.
constexpr std::size_t kPrefetchDistance = 8;

// The id of the material that draws faces of this material index. A face whose material
// index has no entry in the map is drawn with the material of that index, as under the
// identity map.
std::int32_t DrawnMaterialId(const std::vector<std::int32_t>* map, std::int32_t index)
{
    if (map && index >= 0 && static_cast<std::size_t>(index) < map->size())
        return (*map)[index];
    return index;
}

bool CornersValid(const CFace& face, std::size_t vertexCount)
{
    return std::all_of(face.m_indices.begin(), face.m_indices.end(), [&](std::int32_t i) {
        return i >= 0 && static_cast<std::size_t>(i) < vertexCount;
    });
}

// Faces of 3 and 4 corners, each naming a vertex the model has, are drawn.
bool IsDrawn(const CFace& face, std::size_t vertexCount)
{
    const std::size_t corners = face.m_indices.size();
    return (corners == 3 || corners == 4) && CornersValid(face, vertexCount);
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

// Corners of faces gathered for draw calls: one call per run of faces of one material with the
// same corner count, or per piece of a long run. Shared by every model; its storage is kept
// from frame to frame.
class CornerBatch {
public:
    // Sizes the buffers for `corners` corners in all (room for two pieces at most) and points
    // the client arrays at them.
    void Begin(std::size_t corners, bool texCoords)
    {
        const std::size_t piece = std::max(FaceArrays::PieceSize(3), FaceArrays::PieceSize(4));
        const std::size_t room = piece > std::numeric_limits<std::size_t>::max() / 2 ? corners : 2 * piece;
        m_capacity = std::max<std::size_t>(std::min(corners, room), 4);
        m_pieces[0] = FaceArrays::PieceSize(3);
        m_pieces[1] = FaceArrays::PieceSize(4);
        m_positions.resize(3 * m_capacity);
        m_normals.resize(3 * m_capacity);
        m_texCoords.resize(texCoords ? 2 * m_capacity : 0);
        m_corners = 0;
        m_runs.clear();
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, m_positions.data());
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, 0, m_normals.data());
        if (texCoords) {
            glEnableClientState(GL_TEXTURE_COORD_ARRAY);
            glTexCoordPointer(2, GL_FLOAT, 0, m_texCoords.data());
        }
    }

    // Adds a drawn face. A corner without a UV of its own takes the texture coordinate the
    // corner before it had (texCoord, carried from face to face).
    void Add(const CFace& face, const std::vector<CVector>& deformed, float texCoord[2])
    {
        const std::size_t count = face.m_indices.size();
        const GLenum mode = count == 3 ? GL_TRIANGLES : GL_QUADS;
        const std::size_t piece = m_pieces[count == 3 ? 0 : 1];
        if (m_runs.empty() || m_runs.back().mode != mode) {
            // A run starts where a whole piece still fits.
            if (m_capacity - m_corners < std::min(piece, m_capacity))
                Flush();
            m_runs.push_back({mode, m_corners, 0});
        } else if (m_runs.back().count == piece) {
            // The run goes on in a draw call of its own.
            Flush();
            m_runs.push_back({mode, 0, 0});
        }
        m_runs.back().count += count;
        const std::int32_t* indices = face.m_indices.data();
        float* position = &m_positions[3 * m_corners];
        float* normal = &m_normals[3 * m_corners];
        for (std::size_t k = 0; k < count; ++k, position += 3, normal += 3) {
            const CVector& p = deformed[indices[k]];
            position[0] = p.m_x;
            position[1] = p.m_y;
            position[2] = p.m_z;
            CornerNormal(face, k, normal);
        }
        if (!m_texCoords.empty()) {
            float* out = &m_texCoords[2 * m_corners];
            for (std::size_t k = 0; k < count; ++k, out += 2) {
                if (k < face.m_uvs.size()) {
                    texCoord[0] = face.m_uvs[k].m_u;
                    texCoord[1] = face.m_uvs[k].m_v;
                }
                out[0] = texCoord[0];
                out[1] = texCoord[1];
            }
        }
        m_corners += count;
    }

    // Draws what was added; the next face starts a run.
    void Flush()
    {
        for (const Run& run : m_runs)
            FaceArrays::DrawPiece(run.mode, run.first, run.count);
        m_runs.clear();
        m_corners = 0;
    }

private:
    struct Run {
        GLenum mode;
        std::size_t first;
        std::size_t count;
    };
    std::size_t m_capacity = 0;
    std::size_t m_corners = 0;
    std::array<std::size_t, 2> m_pieces{};  // of triangles, of quadrilaterals
    std::vector<float> m_positions;
    std::vector<float> m_normals;
    std::vector<float> m_texCoords;
    std::vector<Run> m_runs;
};

CornerBatch& TheCornerBatch()
{
    static CornerBatch batch;
    return batch;
}

}  // namespace

void FaceArrays::SetEnabled(bool enabled) { g_arraysEnabled = enabled; }

bool FaceArrays::Enabled() { return g_arraysEnabled; }

std::size_t FaceArrays::PieceSize(std::size_t verticesPerPrimitive)
{
    if (!g_splitDraws)
        return std::numeric_limits<std::size_t>::max();
    const std::size_t n = std::max<std::size_t>(verticesPerPrimitive, 1);
    return kSegmentsPerPiece * (kRasterizerSegment - kRasterizerSegment % n);
}

void FaceArrays::SetSplitDraws(bool split) { g_splitDraws = split; }

void FaceArrays::DrawPiece(std::uint32_t mode, std::size_t first, std::size_t count)
{
    glDrawArrays(mode, static_cast<GLint>(first), static_cast<GLsizei>(count));
    g_verticesThisFrame += count;
    g_verticesSinceFlush += count;
    if (g_verticesThisFrame > kVerticesHeldWhole && g_verticesSinceFlush >= kVerticesPerFlush) {
        glFlush();
        g_verticesSinceFlush = 0;
    }
}

void FaceArrays::FrameStarted()
{
    g_verticesThisFrame = 0;
    g_verticesSinceFlush = 0;
}

FaceArrays::FaceState FaceArrays::StateOf(const CModel& model)
{
    return {model.m_faceRevision, model.m_faces.data(), model.m_faces.size(), model.m_deformedVertices.size()};
}

bool FaceArrays::IsCurrent(const CModel& model, const std::vector<std::int32_t>* map,
                           const std::vector<CMaterial>& materials) const
{
    if (!m_built || !(m_faces == StateOf(model)) || m_mapped != (map != nullptr) || (map && m_map != *map) ||
        m_materialIds.size() != materials.size())
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
    m_faces = StateOf(model);
    m_mapped = map != nullptr;
    m_map = map ? *map : std::vector<std::int32_t>();
    m_materialIds.clear();
    for (const CMaterial& material : materials)
        m_materialIds.push_back(material.m_id);

    // Every material id draws one bucket of faces; materials sharing an id draw the same one.
    std::unordered_map<std::int32_t, std::size_t> bucketOfId;
    for (const CMaterial& material : materials)
        bucketOfId.try_emplace(material.m_id, bucketOfId.size());
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    const auto bucketOf = [&](std::int32_t id) {
        const auto found = bucketOfId.find(id);
        return found == bucketOfId.end() ? kNone : found->second;
    };
    // The bucket of every material index the map names, looked up once.
    std::vector<std::size_t> bucketOfIndex(map ? map->size() : materials.size());
    for (std::size_t i = 0; i < bucketOfIndex.size(); ++i)
        bucketOfIndex[i] = bucketOf(DrawnMaterialId(map, static_cast<std::int32_t>(i)));
    const auto bucketOfFace = [&](const CFace& face) {
        const std::int32_t index = face.m_material;
        if (index >= 0 && static_cast<std::size_t>(index) < bucketOfIndex.size())
            return bucketOfIndex[index];
        return bucketOf(DrawnMaterialId(map, index));
    };

    // The drawn faces of every bucket in face order (a counting sort); faces no material
    // draws are left out.
    std::vector<std::size_t> bucketStart(bucketOfId.size() + 1, 0);
    m_anyTexCoords = false;
    for (const CFace& face : model.m_faces) {
        if (!IsDrawn(face, m_faces.vertexCount))
            continue;
        const std::size_t bucket = bucketOfFace(face);
        if (bucket == kNone)
            continue;
        ++bucketStart[bucket + 1];
        m_anyTexCoords = m_anyTexCoords || !face.m_uvs.empty();
    }
    for (std::size_t b = 0; b + 1 < bucketStart.size(); ++b)
        bucketStart[b + 1] += bucketStart[b];
    std::vector<std::int32_t> byBucket(bucketStart.back());
    {
        std::vector<std::size_t> next(bucketStart.begin(), bucketStart.end() - 1);
        for (std::size_t f = 0; f < model.m_faces.size(); ++f) {
            const CFace& face = model.m_faces[f];
            if (!IsDrawn(face, m_faces.vertexCount))
                continue;
            const std::size_t bucket = bucketOfFace(face);
            if (bucket != kNone)
                byBucket[next[bucket]++] = static_cast<std::int32_t>(f);
        }
    }

    // Material by material; a bucket is repeated for every material of its id.
    m_order.clear();
    m_firstFace.assign(1, 0);
    if (bucketOfId.size() == materials.size()) {
        m_order = std::move(byBucket);  // every material has a bucket of its own, in order
        for (std::size_t b = 1; b < bucketStart.size(); ++b)
            m_firstFace.push_back(bucketStart[b]);
    } else {
        for (const CMaterial& material : materials) {
            const std::size_t bucket = bucketOfId.at(material.m_id);
            m_order.insert(m_order.end(), byBucket.begin() + static_cast<std::ptrdiff_t>(bucketStart[bucket]),
                           byBucket.begin() + static_cast<std::ptrdiff_t>(bucketStart[bucket + 1]));
            m_firstFace.push_back(m_order.size());
        }
    }
    m_corners = 0;
    for (std::int32_t f : m_order)
        m_corners += model.m_faces[f].m_indices.size();
}

void FaceArrays::Draw(const CModel& model, std::vector<CMaterial>& materials) const
{
    WithFaceState([&] {
        glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
        CornerBatch& batch = TheCornerBatch();
        batch.Begin(m_corners, m_anyTexCoords);
        // From the start of the pass, the texture coordinate before the first UV is 0, 0.
        float texCoord[2] = {0.0f, 0.0f};
        for (std::size_t m = 0; m < materials.size(); ++m) {
            materials[m].Apply();
            const std::size_t end = m_firstFace[m + 1];
            for (std::size_t i = m_firstFace[m]; i < end; ++i) {
                if (i + kPrefetchDistance < end) {
                    // A face's corners, normals and UVs lie elsewhere on the heap: asked for
                    // early, they arrive while the faces before them are gathered.
                    const CFace& ahead = model.m_faces[m_order[i + kPrefetchDistance]];
                    __builtin_prefetch(ahead.m_indices.data());
                    __builtin_prefetch(ahead.m_cornerNormals.data());
                    __builtin_prefetch(ahead.m_cornerNormals.data() + 2);
                    __builtin_prefetch(ahead.m_uvs.data());
                }
                batch.Add(model.m_faces[m_order[i]], model.m_deformedVertices, texCoord);
            }
            batch.Flush();
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
