// The skeleton from a bone object: one bone per triangle, parents from shared vertices and
// from lines.
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "scene/SceneFile.h"
#include "scene/SceneLimits.h"

#include <algorithm>
#include <array>
#include <string>
#include <unordered_map>

namespace {

// Bones a bone object may always add at the current length, however long that is: more
// than any real skeleton has. Beyond them the added bones' samples count as padding does.
constexpr std::uint64_t kBonesOfAnyLength = 1024;

struct MadeBone {
    std::int32_t head = 0;
    std::int32_t tail = 0;
    std::size_t faceNumber = 0;
};

float SquaredDistance(const CVector& a, const CVector& b)
{
    const float dx = a.m_x - b.m_x, dy = a.m_y - b.m_y, dz = a.m_z - b.m_z;
    return (dx * dx + dy * dy) + dz * dz;
}

bool IsVertex(const CModel& object, std::int32_t i)
{
    return i >= 0 && static_cast<std::size_t>(i) < object.m_vertices.size();
}

// Tail: the corner opposite the shortest edge; head: the end of that edge nearer to the
// tail. A triangle without one strictly shortest edge (equal sides, or not a number) takes
// the first of its shortest edges in the order AB, BC, CA.
MadeBone BoneOfTriangle(const CModel& object, std::int32_t a, std::int32_t b, std::int32_t c)
{
    const CVector& A = object.m_vertices[a];
    const CVector& B = object.m_vertices[b];
    const CVector& C = object.m_vertices[c];
    const float ab = SquaredDistance(A, B), bc = SquaredDistance(B, C), ca = SquaredDistance(C, A);
    MadeBone bone;
    if (ab <= bc && ab <= ca) {
        bone.tail = c;
        bone.head = ca < bc ? a : b;
    } else if (bc <= ca) {
        bone.tail = a;
        bone.head = ab < ca ? b : c;
    } else {
        bone.tail = b;
        bone.head = bc < ab ? c : a;
    }
    return bone;
}

// A corner naming a vertex the object does not have is stood in for by the triangle's first
// corner that exists, which makes the triangle degenerate but keeps its bone. A triangle with
// no such corner makes a bone at the origin that joins no other (head and tail -1).
MadeBone BoneOfCorners(const CModel& object, std::array<std::int32_t, 3> corners)
{
    const auto valid = std::find_if(corners.begin(), corners.end(), [&](std::int32_t i) { return IsVertex(object, i); });
    if (valid == corners.end())
        return MadeBone{-1, -1, 0};
    const std::int32_t standIn = *valid;
    for (std::int32_t& corner : corners)
        if (!IsVertex(object, corner))
            corner = standIn;
    return BoneOfTriangle(object, corners[0], corners[1], corners[2]);
}

CVector CornerOf(const CModel& object, std::int32_t i) { return IsVertex(object, i) ? object.m_vertices[i] : CVector(); }

}  // namespace

bool CCentigrade::CreateBonesFromObject(const CModel& object)
{
    // 1. One bone per triangle; every face uses up a number. Every triangle makes a bone, so
    //    that the bones keep their numbers (a scene file stores bones by position and
    //    bindings by bone number).
    std::vector<MadeBone> made;
    for (std::size_t f = 0; f < object.m_faces.size(); ++f) {
        const std::vector<std::int32_t>& corners = object.m_faces[f].m_indices;
        if (corners.size() != 3)
            continue;
        MadeBone bone = BoneOfCorners(object, {corners[0], corners[1], corners[2]});
        bone.faceNumber = f;
        made.push_back(bone);
        if (made.size() > static_cast<std::size_t>(kMaxBones))
            return false;
    }

    // 2. Fit the bone list: existing bones keep names, animations, matrices and bound
    //    vertices. Added bones get one animation per animation name, as long as the
    //    existing bones' (so every bone of an animation has the same number of samples).
    if (m_bones.size() > made.size()) {
        m_bones.resize(made.size());
    } else {
        const std::vector<std::size_t> lengths =
            scenefile::FittedLengths(*this, std::max<std::size_t>(m_animationNames.size(), 1));
        std::uint64_t perBone = 0;
        for (const std::size_t length : lengths)
            perBone += length;
        // The added bones' samples may cost no more than padding a scene file's bones may
        // (scene/SceneFile.h); beyond that they stay plain and the fitting after the import
        // refuses the scene.
        const std::uint64_t added = made.size() - m_bones.size();
        const bool stored = !m_bones.empty() && !m_bones[0].m_animations.empty();
        const std::uint64_t allowance = scenefile::PaddingAllowance(scenefile::HeldSamples(*this));
        const bool padded = (m_animationNames.size() > 1 || stored) && (added == 0 || perBone <= allowance / added);
        // Plain bones take the current length each. A file can ask for many of them with a few
        // bytes a triangle, so past the bones any real skeleton has they are bound as padding.
        const std::uint64_t plainSamples = static_cast<std::uint64_t>(std::max(g_lastFrame, 0)) + 1;
        if (!padded && added > kBonesOfAnyLength && plainSamples > allowance / added)
            return false;
        m_bones.reserve(made.size());
        while (m_bones.size() < made.size()) {
            if (!padded) {
                m_bones.emplace_back();
                continue;
            }
            CBone& bone = m_bones.emplace_back(1);
            bone.m_animations.resize(lengths.size());
            for (std::size_t a = 0; a < lengths.size(); ++a) {
                bone.m_animations[a].assign(lengths[a], CAnimation());
                bone.m_animations[a][0].m_key = true;
            }
        }
    }
    for (std::size_t i = 0; i < made.size(); ++i) {
        CBone& bone = m_bones[i];
        bone.m_headVertex = made[i].head;
        bone.m_tailVertex = made[i].tail;
        bone.m_head = CornerOf(object, made[i].head);
        bone.m_tail = CornerOf(object, made[i].tail);
        bone.m_id = static_cast<std::int32_t>(i);
        bone.m_parent = -1;
        if (bone.m_name.empty())
            bone.m_name = "Bone" + std::to_string(made[i].faceNumber);
    }

    // 3. Parents. Bones by tail vertex, in list order; lines by the vertices they join.
    std::unordered_map<std::int32_t, std::vector<std::int32_t>> bonesByTail;
    for (const CBone& bone : m_bones)
        if (bone.m_tailVertex >= 0)
            bonesByTail[bone.m_tailVertex].push_back(bone.m_id);
    std::unordered_map<std::int32_t, std::vector<std::size_t>> linesByVertex;
    for (std::size_t f = 0; f < object.m_faces.size(); ++f) {
        const std::vector<std::int32_t>& corners = object.m_faces[f].m_indices;
        if (corners.size() != 2)
            continue;
        linesByVertex[corners[0]].push_back(f);
        if (corners[1] != corners[0])
            linesByVertex[corners[1]].push_back(f);
    }
    // The first bone other than self whose tail is the vertex; -1 when none.
    auto otherWithTail = [&](std::int32_t vertex, std::int32_t self) {
        const auto found = bonesByTail.find(vertex);
        if (found != bonesByTail.end())
            for (std::int32_t id : found->second)
                if (id != self)
                    return id;
        return -1;
    };
    for (CBone& bone : m_bones) {
        std::int32_t parent = otherWithTail(bone.m_headVertex, bone.m_id);
        if (parent < 0 && bone.m_headVertex >= 0) {
            const auto lines = linesByVertex.find(bone.m_headVertex);
            if (lines != linesByVertex.end()) {
                for (std::size_t f : lines->second) {
                    const std::vector<std::int32_t>& line = object.m_faces[f].m_indices;
                    parent = line[0] == bone.m_headVertex ? otherWithTail(line[1], bone.m_id)
                                                          : otherWithTail(line[0], bone.m_id);
                    if (parent >= 0)
                        break;
                }
            }
        }
        bone.m_parent = parent;
    }
    return true;
}
