// Bone posing and vertex skinning on the CPU matrix stack.
#include "platform/MatrixStack.h"
#include "scene/CAnimation.h"
#include "scene/CBone.h"
#include "scene/CModel.h"
#include "scene/CVector.h"

#include <cstddef>
#include <vector>

namespace {

enum class Variant { Blended, Rigid, Mirrored, BonesOnly };

// The deformed copy of rest vertex v moved by the column-major matrix m.
inline void WritePosed(const CVector& v, const float* m, CVector& out)
{
    const float x = v.m_x, y = v.m_y, z = v.m_z;
    out.m_x = x * m[0] + y * m[4] + z * m[8] + m[12];
    out.m_y = x * m[1] + y * m[5] + z * m[9] + m[13];
    out.m_z = x * m[2] + y * m[6] + z * m[10] + m[14];
    out.m_weight = 1.0f;
    out.m_boneIndex = -1;
    out.m_mark = 0;
}

// The elements of a matrix that a point transform reads (the fourth row never is).
constexpr int kUsed[12] = {0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14};

// Moves the bound vertices of one bone. parent is null for a root bone or a rigid variant.
void SkinBone(const std::vector<std::int32_t>& bound, const float* own, const float* parent,
              const std::vector<CVector>& rest, std::vector<CVector>& deformed)
{
    const std::size_t limit = rest.size() < deformed.size() ? rest.size() : deformed.size();
    const CVector* in = rest.data();
    CVector* out = deformed.data();
    if (!parent) {
        for (std::int32_t i : bound)
            if (static_cast<std::size_t>(i) < limit)
                WritePosed(in[i], own, out[i]);
        return;
    }
    float blend[16] = {};
    for (std::int32_t i : bound) {
        if (static_cast<std::size_t>(i) >= limit)
            continue;
        const CVector& v = in[i];
        const float w = v.m_weight;
        if (w == 1.0f) {
            WritePosed(v, own, out[i]);
            continue;
        }
        // (1 - w) * own + w * parent, element by element.
        const float keep = 1.0f - w;
        for (int k : kUsed)
            blend[k] = keep * own[k] + w * parent[k];
        WritePosed(v, blend, out[i]);
    }
}

bool HasSample(const CBone& bone, std::int32_t animation, std::int32_t frame)
{
    return animation >= 0 && static_cast<std::size_t>(animation) < bone.m_animations.size() && frame >= 0 &&
           static_cast<std::size_t>(frame) < bone.m_animations[animation].size();
}

// Translation by (head + T) * s, then rotation, scale and the pivot back by (-head) * s.
void ApplyRigidTransform(MatrixStack& stack, const CAnimation& sample, const CVector& head, float s)
{
    const CVector& t = sample.m_translate;
    stack.Translate((head.m_x + t.m_x) * s, (head.m_y + t.m_y) * s, (head.m_z + t.m_z) * s);
    sample.m_rotate.ApplyRotation(stack);
    stack.Scale(sample.m_scale.m_x, sample.m_scale.m_y, sample.m_scale.m_z);
    stack.Translate(-head.m_x * s, -head.m_y * s, -head.m_z * s);
}

// The walk shared by the four routines: depth first, children in index order, each bone at
// most once, on an explicit stack (a deep hierarchy cannot exhaust the call stack).
void PoseWalk(Variant variant, MatrixStack& stack, std::vector<CBone>& bones, std::int32_t key,
              std::int32_t animation, std::int32_t frame, float s, const std::vector<CVector>* rest,
              std::vector<CVector>* deformed)
{
    const std::size_t count = bones.size();
    if (count == 0)
        return;
    auto inRange = [count](std::int32_t index) { return index >= 0 && static_cast<std::size_t>(index) < count; };

    // Children of every bone by parent index, in index order.
    std::vector<std::int32_t> first(count + 1, 0);
    for (const CBone& bone : bones)
        if (inRange(bone.m_parent))
            ++first[bone.m_parent + 1];
    for (std::size_t i = 0; i < count; ++i)
        first[i + 1] += first[i];
    std::vector<std::int32_t> children(first[count]);
    {
        std::vector<std::int32_t> fill(first.begin(), first.end() - 1);
        for (std::size_t i = 0; i < count; ++i)
            if (inRange(bones[i].m_parent))
                children[fill[bones[i].m_parent]++] = static_cast<std::int32_t>(i);
    }
    // The top level: the children of key, or the bones whose parent is key (-1: the roots).
    std::vector<std::int32_t> top;
    if (inRange(key)) {
        top.assign(children.begin() + first[key], children.begin() + first[key + 1]);
    } else {
        for (std::size_t i = 0; i < count; ++i)
            if (bones[i].m_parent == key)
                top.push_back(static_cast<std::int32_t>(i));
    }

    std::vector<char> visited(count, 0);
    if (inRange(key))
        visited[key] = 1;  // a cycle back to the starting bone is not entered

    struct Level {
        std::int32_t parent;  // the bone whose children these are (key at the top)
        const std::int32_t* next;
        const std::int32_t* end;
    };
    std::vector<Level> path;
    path.push_back({key, top.data(), top.data() + top.size()});
    while (!path.empty()) {
        Level& level = path.back();
        if (level.next == level.end) {
            if (path.size() > 1)
                stack.Pop();
            path.pop_back();
            continue;
        }
        const std::int32_t index = *level.next++;
        const std::int32_t parent = level.parent;
        if (visited[index])
            continue;
        visited[index] = 1;
        CBone& bone = bones[index];
        if (!HasSample(bone, animation, frame))
            continue;

        const CAnimation& sample = bone.m_animations[animation][frame];
        stack.Push();
        if (variant == Variant::Blended)
            sample.ApplyTransform(stack, bone.m_head, s);
        else if (variant == Variant::Mirrored)
            sample.ApplyTransformMirrored(stack, bone.m_head, s);
        else
            ApplyRigidTransform(stack, sample, bone.m_head, s);
        bone.m_matrix = stack.Top();

        if (variant != Variant::BonesOnly) {
            const float* parentMatrix =
                variant == Variant::Blended && inRange(parent) ? bones[parent].m_matrix.data() : nullptr;
            SkinBone(bone.m_boundVertices, bone.m_matrix.data(), parentMatrix, *rest, *deformed);
        }
        path.push_back({index, children.data() + first[index], children.data() + first[index + 1]});
    }
}

}  // namespace

void CVector::ApplyRotation(MatrixStack& stack) const
{
    stack.Rotate(m_x, 1.0f, 0.0f, 0.0f);
    stack.Rotate(m_y, 0.0f, 1.0f, 0.0f);
    stack.Rotate(m_z, 0.0f, 0.0f, 1.0f);
}

CVector CVector::TransformPoint(const std::array<float, 16>& m) const
{
    CVector result;
    WritePosed(*this, m.data(), result);
    return result;
}

void CAnimation::ApplyTransform(MatrixStack& stack, const CVector& head, float s) const
{
    const CVector& t = m_translate;
    stack.Translate(s * t.m_x + s * head.m_x, s * t.m_y + s * head.m_y, s * t.m_z + s * head.m_z);
    m_rotate.ApplyRotation(stack);
    stack.Scale(m_scale.m_x, m_scale.m_y, m_scale.m_z);
    stack.Translate(-s * head.m_x, -s * head.m_y, -s * head.m_z);
}

void CAnimation::ApplyTransformMirrored(MatrixStack& stack, const CVector& head, float s) const
{
    const CVector& t = m_translate;
    stack.Translate((head.m_x + t.m_x) * s, -(head.m_y + t.m_y) * s, -(head.m_z + t.m_z) * s);
    CVector(m_rotate.m_x, -m_rotate.m_y, -m_rotate.m_z).ApplyRotation(stack);
    stack.Scale(m_scale.m_x, m_scale.m_y, m_scale.m_z);
    stack.Translate(-head.m_x * s, head.m_y * s, head.m_z * s);
}

void CAnimation::CopyPose(const CAnimation& other)
{
    m_translate = other.m_translate;
    m_rotate = other.m_rotate;
    m_scale = other.m_scale;
}

void CModel::PoseAndSkin(MatrixStack& stack, std::vector<CBone>& bones, std::int32_t key, std::int32_t animation,
                         std::int32_t frame, float s)
{
    PoseWalk(Variant::Blended, stack, bones, key, animation, frame, s, &m_vertices, &m_deformedVertices);
}

void CModel::PoseAndSkinRigid(MatrixStack& stack, std::vector<CBone>& bones, std::int32_t key,
                              std::int32_t animation, std::int32_t frame, float s)
{
    PoseWalk(Variant::Rigid, stack, bones, key, animation, frame, s, &m_vertices, &m_deformedVertices);
}

void CModel::PoseAndSkinMirrored(MatrixStack& stack, std::vector<CBone>& bones, std::int32_t key,
                                 std::int32_t animation, std::int32_t frame, float s)
{
    PoseWalk(Variant::Mirrored, stack, bones, key, animation, frame, s, &m_vertices, &m_deformedVertices);
}

void CModel::PoseBones(MatrixStack& stack, std::vector<CBone>& bones, std::int32_t key, std::int32_t animation,
                       std::int32_t frame, float s) const
{
    PoseWalk(Variant::BonesOnly, stack, bones, key, animation, frame, s, nullptr, nullptr);
}
