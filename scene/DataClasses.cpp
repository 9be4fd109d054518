// Construction, copies and the scene-file records of the small data classes.
#include "platform/Archive.h"
#include "scene/CAnimation.h"
#include "scene/CBone.h"
#include "scene/CFace.h"
#include "scene/CMaterial.h"
#include "scene/CModel.h"
#include "scene/CUV.h"
#include "scene/CVector.h"
#include "scene/Globals.h"
#include "scene/SceneFile.h"
#include "scene/SceneLimits.h"

#include <cstdio>
#include <unordered_map>

namespace {

// Smallest number of bytes one record takes in the file being read, so that a count can be
// checked against what is left before anything is allocated.
std::size_t VectorRecordBytes()
{
    if (g_fileVersion > kVersion331)
        return 8;
    return g_fileVersion >= kVersion300 ? 20 : 16;
}

// Samples an animation stored without any is read with.
constexpr std::size_t kSamplesOfAnEmptyAnimation = 10;

std::size_t AnimationRecordBytes()
{
    return g_fileVersion < kVersion331 ? 3 * VectorRecordBytes() + 1 : 37;
}

}  // namespace

// --- CVector -------------------------------------------------------------------------

void CVector::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_boneIndex << m_weight;
        return;
    }
    if (g_fileVersion <= kVersion331)
        ar >> m_x >> m_y >> m_z;
    ar >> m_boneIndex;
    if (g_fileVersion >= kVersion300)
        ar >> m_weight;
}

// --- CUV ---------------------------------------------------------------------------

void CUV::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_u << m_v;
    else
        ar >> m_u >> m_v;
}

// --- CFace -------------------------------------------------------------------------

void CFace::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_material << static_cast<std::int32_t>(m_indices.size());
        for (std::int32_t i : m_indices)
            ar << i;
        ar << static_cast<std::int32_t>(m_uvs.size());
        for (CUV& uv : m_uvs)
            uv.Serialize(ar);
        return;
    }
    ar >> m_material;
    m_indices.assign(ar.ReadCount(4), 0);
    for (std::int32_t& i : m_indices)
        ar >> i;
    m_uvs.assign(ar.ReadCount(8), CUV());
    for (CUV& uv : m_uvs)
        uv.Serialize(ar);
}

// --- CAnimation --------------------------------------------------------------------

void CAnimation::Reset()
{
    m_translate = CVector(0, 0, 0);
    m_rotate = CVector(0, 0, 0);
    m_scale = CVector(1, 1, 1);
    m_key = false;
}

void CAnimation::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_translate.m_x << m_translate.m_y << m_translate.m_z;
        ar << m_rotate.m_x << m_rotate.m_y << m_rotate.m_z;
        ar << m_scale.m_x << m_scale.m_y << m_scale.m_z;
        ar << m_key;
        return;
    }
    if (g_fileVersion < kVersion331) {
        m_translate.Serialize(ar);
        m_rotate.Serialize(ar);
        m_scale.Serialize(ar);
    } else {
        ar >> m_translate.m_x >> m_translate.m_y >> m_translate.m_z;
        ar >> m_rotate.m_x >> m_rotate.m_y >> m_rotate.m_z;
        ar >> m_scale.m_x >> m_scale.m_y >> m_scale.m_z;
    }
    ar >> m_key;
}

// --- CBone -------------------------------------------------------------------------

CBone::CBone() : CBone(static_cast<std::size_t>(g_lastFrame < 0 ? 0 : g_lastFrame) + 1) {}

CBone::CBone(std::size_t samples)
{
    m_animations.resize(1);
    m_animations[0].resize(samples > 0 ? samples : 1);
    m_animations[0][0].m_key = true;
}

void CBone::FitAnimationLength(std::int32_t animation, std::int32_t firstFrame)
{
    if (animation < 0 || static_cast<std::size_t>(animation) >= m_animations.size() || g_lastFrame < 0)
        return;
    std::vector<CAnimation>& samples = m_animations[animation];
    samples.resize(static_cast<std::size_t>(g_lastFrame) + 1);
    for (std::int32_t f = firstFrame < 0 ? 0 : firstFrame; f <= g_lastFrame; ++f)
        samples[f].Reset();
    samples[0].m_key = true;
}

void CBone::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_name << static_cast<std::int32_t>(m_animations.size());
        for (std::vector<CAnimation>& samples : m_animations) {
            ar << static_cast<std::int32_t>(samples.size());
            for (CAnimation& sample : samples)
                sample.Serialize(ar);
        }
        return;
    }
    const bool old = g_fileVersion <= kVersion331;
    ar >> m_name;
    if (old)
        ar >> m_id >> m_parent >> m_headVertex >> m_tailVertex;
    m_animations.resize(ar.ReadCount(4, kMaxAnimationsPerBone));
    for (std::vector<CAnimation>& samples : m_animations) {
        std::int32_t count = 0;
        ar >> count;
        if (count <= 0) {
            // Nothing stored: the animation keeps what it had, at ten samples. Those the file
            // does not hold cost as padding does, and may never be more than padding could
            // be allowed for the samples the whole file can hold.
            samples.resize(kSamplesOfAnEmptyAnimation);
            ar.CountMadeUp(kSamplesOfAnEmptyAnimation);
            const std::uint64_t fileBytes = ar.Position() + ar.BytesLeft();
            if (ar.MadeUp() > scenefile::PaddingAllowance(fileBytes / AnimationRecordBytes()))
                ar.Fail("the bones' animations would be padded beyond the limit");
            continue;
        }
        if (static_cast<std::size_t>(count) > ar.BytesLeft() / AnimationRecordBytes())
            ar.Fail("sample count larger than the data left");
        samples.resize(count);
        for (CAnimation& sample : samples)
            sample.Serialize(ar);
    }
    if (old) {
        m_head.Serialize(ar);
        m_tail.Serialize(ar);
    }
}

// --- CModel ------------------------------------------------------------------------

void CModel::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<std::int32_t>(m_vertices.size());
        for (CVector& v : m_vertices)
            v.Serialize(ar);
        return;
    }
    const bool old = g_fileVersion <= kVersion331;
    std::int32_t vertexCount = 0, faceCount = 0;
    if (old) {
        ar >> m_legacyValue >> m_name;
        vertexCount = ar.ReadCount(VectorRecordBytes());
        faceCount = ar.ReadCount(12);
        ar >> m_mirrorAxis >> m_smoothingAngle;
    } else {
        vertexCount = ar.ReadCount(VectorRecordBytes());
    }
    if (static_cast<std::size_t>(vertexCount) > ar.BytesLeft() / VectorRecordBytes())
        ar.Fail("vertex count larger than the data left");
    m_vertices.assign(vertexCount, CVector());
    for (CVector& v : m_vertices)
        v.Serialize(ar);
    if (old) {
        m_faces.clear();
        // Old files carry the faces; the model file supplies them again, so they are read
        // one at a time and dropped.
        for (std::int32_t i = 0; i < faceCount; ++i) {
            CFace face;
            face.Serialize(ar);
        }
    }
}

void CModel::ResetDeformedVertices() { m_deformedVertices = m_vertices; }

// One pass over the vertices, whatever the number of bones: each vertex goes to the list of
// the first bone with its id, and bones that share an id then copy that list. Ids are
// normally the bones' indices and are found by index; any other id (negative, too large) is
// looked up.
void CModel::BuildBoneVertexLists(std::vector<CBone>& bones) const
{
    const std::size_t count = bones.size();
    std::vector<std::int32_t> ownerByIndexId(count, -1);
    std::unordered_map<std::int32_t, std::int32_t> ownerByOtherId;
    std::vector<std::int32_t> owners(count);
    for (std::size_t b = 0; b < count; ++b) {
        bones[b].m_boundVertices.clear();
        const std::int32_t id = bones[b].m_id;
        std::int32_t& owner = id >= 0 && static_cast<std::size_t>(id) < count
                                  ? ownerByIndexId[id]
                                  : ownerByOtherId.try_emplace(id, -1).first->second;
        if (owner < 0)
            owner = static_cast<std::int32_t>(b);
        owners[b] = owner;
    }
    for (std::size_t i = 0; i < m_vertices.size(); ++i) {
        const std::int32_t id = m_vertices[i].m_boneIndex;
        std::int32_t owner = -1;
        if (id >= 0 && static_cast<std::size_t>(id) < count) {
            owner = ownerByIndexId[id];
        } else if (!ownerByOtherId.empty()) {
            const auto found = ownerByOtherId.find(id);
            if (found != ownerByOtherId.end())
                owner = found->second;
        }
        if (owner >= 0)
            bones[owner].m_boundVertices.push_back(static_cast<std::int32_t>(i));
    }
    for (std::size_t b = 0; b < count; ++b)
        if (owners[b] != static_cast<std::int32_t>(b))
            bones[b].m_boundVertices = bones[owners[b]].m_boundVertices;
}

// --- CMaterial ---------------------------------------------------------------------

CMaterial::CMaterial() { UpdateGlColors(); }

CMaterial::CMaterial(std::int32_t id) : m_id(id)
{
    char name[32];
    std::snprintf(name, sizeof name, "NoMaterial_%d", static_cast<int>(id));
    m_name = name;
    UpdateGlColors();
}

void CMaterial::UpdateGlColors()
{
    const float r = m_color[0], g = m_color[1], b = m_color[2], a = m_color[3];
    m_glDiffuse = {r * m_diffuse, g * m_diffuse, b * m_diffuse, a};
    m_glAmbient = {m_ambient * r, m_ambient * g, m_ambient * b, a};
    m_glSpecular = {m_specular, m_specular, m_specular, a};
    m_glEmission = {m_emissive * r, m_emissive * g, m_emissive * b, a};
}

void CMaterial::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_id << m_name;
        for (float c : m_color)
            ar << c;
        ar << m_diffuse << m_ambient << m_emissive << m_specular << m_power;
        ar << m_texture << m_alphaPlane << m_bump;
        for (float c : m_toonColor)
            ar << c;
        ar << m_toonTexture;
        return;
    }
    ar >> m_id >> m_name;
    for (float& c : m_color)
        ar >> c;
    ar >> m_diffuse >> m_ambient >> m_emissive >> m_specular >> m_power;
    ar >> m_texture >> m_alphaPlane >> m_bump;
    if (g_fileVersion >= kVersion392) {
        for (float& c : m_toonColor)
            ar >> c;
        ar >> m_toonTexture;
    }
}
