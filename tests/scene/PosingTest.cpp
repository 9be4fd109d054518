// Bone posing and vertex skinning.
#include "platform/MatrixStack.h"
#include "scene/CBone.h"
#include "scene/CModel.h"
#include "scene/Globals.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

namespace {

using Matrix = std::array<float, 16>;
constexpr Matrix kIdentity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

class Posing : public ::testing::Test {
protected:
    void SetUp() override { g_lastFrame = 10; }
    void TearDown() override { g_lastFrame = 100; }

    // Appends a bone with index and id i and the given parent and head; its frame-0 sample
    // is returned for the test to fill.
    CAnimation& AddBone(std::int32_t parent, CVector head = CVector())
    {
        CBone bone;
        bone.m_id = static_cast<std::int32_t>(bones.size());
        bone.m_parent = parent;
        bone.m_head = head;
        bones.push_back(bone);
        return bones.back().m_animations[0][0];
    }

    // Appends a rest vertex bound to a bone with a weight; returns its index.
    std::int32_t AddVertex(CVector at, std::int32_t bone, float weight)
    {
        at.m_boneIndex = bone;
        at.m_weight = weight;
        model.m_vertices.push_back(at);
        return static_cast<std::int32_t>(model.m_vertices.size() - 1);
    }

    void Bind()
    {
        model.BuildBoneVertexLists(bones);
        model.ResetDeformedVertices();
    }

    void Pose(float s = 1.0f)
    {
        MatrixStack stack;
        model.PoseAndSkin(stack, bones, -1, 0, 0, s);
    }

    std::vector<CBone> bones;
    CModel model;
};

bool SameBits(float a, float b) { return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b); }

void ExpectNear(const CVector& v, float x, float y, float z)
{
    EXPECT_NEAR(v.m_x, x, 1e-5f);
    EXPECT_NEAR(v.m_y, y, 1e-5f);
    EXPECT_NEAR(v.m_z, z, 1e-5f);
}

}  // namespace

// An identity sample gives the identity; a root bone's vertex follows it rigidly whatever its
// weight; the deformed copy always carries weight 1, bone -1 and mark 0.
TEST_F(Posing, RootBonesAreRigidAndDeformedVerticesAreClean)
{
    AddBone(-1);
    CAnimation& moved = AddBone(-1);
    moved.m_translate = CVector(1, 2, 3);
    const std::int32_t still = AddVertex(CVector(4, 5, 6), 0, 1.0f);
    const std::int32_t half = AddVertex(CVector(4, 5, 6), 1, 0.5f);
    const std::int32_t unbound = AddVertex(CVector(7, 8, 9), -1, 1.0f);
    Bind();
    model.m_deformedVertices[unbound] = CVector(-1, -1, -1);
    model.m_vertices[still].m_mark = 3;
    Pose();

    EXPECT_EQ(bones[0].m_matrix, kIdentity);
    const CVector& a = model.m_deformedVertices[still];
    EXPECT_EQ(a.m_x, 4.0f);
    EXPECT_EQ(a.m_y, 5.0f);
    EXPECT_EQ(a.m_z, 6.0f);
    EXPECT_EQ(a.m_weight, 1.0f);
    EXPECT_EQ(a.m_boneIndex, -1);
    EXPECT_EQ(a.m_mark, 0);
    const CVector& b = model.m_deformedVertices[half];
    EXPECT_EQ(b.m_x, 5.0f);
    EXPECT_EQ(b.m_y, 7.0f);
    EXPECT_EQ(b.m_z, 9.0f);
    EXPECT_EQ(b.m_weight, 1.0f);
    // A vertex no bone lists keeps its previous deformed value.
    EXPECT_EQ(model.m_deformedVertices[unbound].m_x, -1.0f);
}

// A child vertex of weight w below 1 follows (1 - w) * its own matrix + w * the parent's;
// weight 1 follows its own bone only.
TEST_F(Posing, WeightBlendsWithTheParentMatrix)
{
    AddBone(-1).m_translate = CVector(10, 0, 0);                   // parent: moved along X
    CAnimation& child = AddBone(0, CVector(0, 5, 0));              // child: turned about its head
    child.m_rotate = CVector(0, 0, 90);
    const std::int32_t blended = AddVertex(CVector(0, 6, 0), 1, 0.75f);
    const std::int32_t rigid = AddVertex(CVector(0, 6, 0), 1, 1.0f);
    Bind();
    Pose();

    // Own matrix: the point one unit above the child's head turns to one unit along -X.
    ExpectNear(model.m_deformedVertices[rigid], 9, 5, 0);
    // Parent matrix alone would give (10, 6, 0); a quarter of the own bone, three quarters
    // of the parent.
    ExpectNear(model.m_deformedVertices[blended], 0.25f * 9 + 0.75f * 10, 0.25f * 5 + 0.75f * 6, 0);

    // And bit for bit: the blend is element by element, (1 - w) * own + w * parent.
    Matrix blend{};
    for (int k = 0; k < 16; ++k)
        blend[k] = (1.0f - 0.75f) * bones[1].m_matrix[k] + 0.75f * bones[0].m_matrix[k];
    const CVector expected = model.m_vertices[blended].TransformPoint(blend);
    EXPECT_TRUE(SameBits(model.m_deformedVertices[blended].m_x, expected.m_x));
    EXPECT_TRUE(SameBits(model.m_deformedVertices[blended].m_y, expected.m_y));
    EXPECT_TRUE(SameBits(model.m_deformedVertices[blended].m_z, expected.m_z));
}

// Rotation (90, 90, 0) is Rx*Ry: a point turns about Y first, then about X.
TEST_F(Posing, RotationTurnsAboutZThenYThenX)
{
    AddBone(-1).m_rotate = CVector(90, 90, 0);
    const std::int32_t v = AddVertex(CVector(1, 0, 0), 0, 1.0f);
    Bind();
    Pose();
    // About Y: (1, 0, 0) -> (0, 0, -1); then about X: -> (0, 1, 0). The other order would
    // give (0, 0, -1).
    ExpectNear(model.m_deformedVertices[v], 0, 1, 0);
}

// The scale factor scales translations and the pivot, not the vertices; with no motion the
// pivot translation cancels exactly.
TEST_F(Posing, ScaleFactorCancelsAtThePivotAndScalesTranslations)
{
    AddBone(-1, CVector(1, 0, 0));
    CAnimation& moved = AddBone(-1, CVector(1, 0, 0));
    moved.m_translate = CVector(1, 0, 0);
    moved.m_scale = CVector(2, 2, 2);
    const std::int32_t v = AddVertex(CVector(5, 5, 5), 0, 1.0f);
    const std::int32_t w = AddVertex(CVector(1, 0, 0), 1, 1.0f);
    Bind();
    Pose(2.0f);
    EXPECT_EQ(bones[0].m_matrix, kIdentity);
    EXPECT_EQ(model.m_deformedVertices[v].m_x, 5.0f);
    // The head (1, 0, 0) maps to s*T + s*h = (4, 0, 0) and scales about s*h = (2, 0, 0).
    ExpectNear(model.m_deformedVertices[w], 4 + 2 * (1 - 2), 0, 0);
}

// The view's posing translates by s*T + s*h, the exporters' by (h + T)*s: two roundings
// that differ in the last bit for these values.
TEST_F(Posing, VariantsRoundTheTranslationTheirOwnWay)
{
    const float s = 3.0f, h = 0.2f, t = 2.3f;
    ASSERT_FALSE(SameBits(s * t + s * h, (h + t) * s));
    AddBone(-1, CVector(h, 0, 0)).m_translate = CVector(t, 0, 0);

    MatrixStack stack;
    model.PoseAndSkin(stack, bones, -1, 0, 0, s);
    EXPECT_TRUE(SameBits(bones[0].m_matrix[12], -s * h + (s * t + s * h)));
    model.PoseAndSkinRigid(stack, bones, -1, 0, 0, s);
    EXPECT_TRUE(SameBits(bones[0].m_matrix[12], -h * s + (h + t) * s));
    bones[0].m_matrix = kIdentity;
    model.PoseBones(stack, bones, -1, 0, 0, s);
    EXPECT_TRUE(SameBits(bones[0].m_matrix[12], -h * s + (h + t) * s));
}

// The mirrored variant negates Y and Z: the translation (0, 1, 0) becomes (0, -s, 0), a turn
// about Y goes the other way, and the pivot comes back with Y and Z positive.
TEST_F(Posing, MirroredVariantNegatesYAndZ)
{
    CAnimation& sample = AddBone(-1);
    sample.m_translate = CVector(0, 1, 0);
    sample.m_rotate = CVector(0, 30, 0);
    const float s = 1.5f;
    MatrixStack stack;
    model.PoseAndSkinMirrored(stack, bones, -1, 0, 0, s);
    const Matrix mirrored = bones[0].m_matrix;
    model.PoseAndSkinRigid(stack, bones, -1, 0, 0, s);
    const Matrix rigid = bones[0].m_matrix;
    EXPECT_EQ(mirrored[12], 0.0f);
    EXPECT_EQ(mirrored[13], -s);
    EXPECT_EQ(mirrored[14], 0.0f);
    EXPECT_NEAR(mirrored[8], -0.5f, 1e-6f);  // sin(-30 degrees) in row 0, column 2
    EXPECT_NEAR(rigid[8], 0.5f, 1e-6f);
    EXPECT_EQ(rigid[13], s);

    // Pivot: head (1, 2, 3), scale 2 about it, no motion: translate (s, -2s, -3s), scale,
    // translate (-s, 2s, 3s) scaled by 2.
    bones[0].m_head = CVector(1, 2, 3);
    sample.m_translate = CVector(0, 0, 0);
    sample.m_rotate = CVector(0, 0, 0);
    sample.m_scale = CVector(2, 2, 2);
    model.PoseAndSkinMirrored(stack, bones, -1, 0, 0, s);
    EXPECT_EQ(bones[0].m_matrix[12], s - 2 * s);
    EXPECT_EQ(bones[0].m_matrix[13], -2 * s + 4 * s);
    EXPECT_EQ(bones[0].m_matrix[14], -3 * s + 6 * s);
}

// The rigid variants ignore weights; PoseBones moves no vertex; every routine leaves the
// stack as it found it and composes on its top.
TEST_F(Posing, RigidVariantsIgnoreWeightsAndTheStackIsRestored)
{
    AddBone(-1).m_translate = CVector(10, 0, 0);
    AddBone(0).m_translate = CVector(0, 1, 0);
    const std::int32_t v = AddVertex(CVector(0, 0, 0), 1, 0.25f);
    Bind();

    MatrixStack stack;
    stack.Translate(100, 0, 0);
    const Matrix before = stack.Top();
    model.PoseAndSkinRigid(stack, bones, -1, 0, 0, 1.0f);
    EXPECT_EQ(stack.Depth(), 1u);
    EXPECT_EQ(stack.Top(), before);
    ExpectNear(model.m_deformedVertices[v], 110, 1, 0);  // own bone only, in the stack's space

    model.m_deformedVertices[v] = CVector(-7, -7, -7);
    model.PoseBones(stack, bones, -1, 0, 0, 1.0f);
    EXPECT_EQ(model.m_deformedVertices[v].m_x, -7.0f);
    EXPECT_EQ(bones[1].m_matrix[12], 110.0f);
}

// Bad hierarchies from old scene files: a parent cycle, a parent id that names no bone, a
// bone that is its own parent and duplicate ids are never entered twice and never posed
// when unreachable; their matrices keep their values.
TEST_F(Posing, UnreachableBonesAndCyclesAreLeftAlone)
{
    AddBone(-1).m_translate = CVector(1, 0, 0);
    AddBone(2).m_translate = CVector(5, 0, 0);   // 1 and 2: a cycle
    AddBone(1).m_translate = CVector(5, 0, 0);
    AddBone(99).m_translate = CVector(5, 0, 0);  // no such parent
    AddBone(4).m_translate = CVector(5, 0, 0);   // its own parent
    AddBone(0).m_translate = CVector(0, 1, 0);   // a real child of 0 ...
    bones[5].m_id = 0;                           // ... carrying a duplicate id
    const std::int32_t v = AddVertex(CVector(0, 0, 0), 2, 1.0f);
    Bind();
    model.m_deformedVertices[v] = CVector(-3, -3, -3);
    const Matrix marker{2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1};
    for (int i : {1, 2, 3, 4})
        bones[i].m_matrix = marker;
    Pose();
    for (int i : {1, 2, 3, 4})
        EXPECT_EQ(bones[i].m_matrix, marker) << "bone " << i;
    EXPECT_EQ(model.m_deformedVertices[v].m_x, -3.0f);
    EXPECT_EQ(bones[5].m_matrix[12], 1.0f);
    EXPECT_EQ(bones[5].m_matrix[13], 1.0f);

    // Starting below a bone of a cycle does not come back to it.
    MatrixStack stack;
    model.PoseBones(stack, bones, 1, 0, 0, 1.0f);
    EXPECT_EQ(bones[1].m_matrix, marker);
    EXPECT_EQ(bones[2].m_matrix[12], 5.0f);
}

// An animation or frame a bone does not hold, and bound indices beyond the model's
// vertices, change nothing and read nothing out of range.
TEST_F(Posing, MissingSamplesAndStaleIndicesChangeNothing)
{
    AddBone(-1).m_translate = CVector(1, 0, 0);
    AddBone(0).m_translate = CVector(1, 0, 0);
    const std::int32_t v = AddVertex(CVector(0, 0, 0), 1, 0.5f);
    Bind();
    bones[1].m_boundVertices.push_back(1000);
    bones[1].m_boundVertices.push_back(-5);
    model.m_deformedVertices[v] = CVector(-3, -3, -3);
    const Matrix marker{3, 0, 0, 0, 0, 3, 0, 0, 0, 0, 3, 0, 0, 0, 0, 1};
    bones[0].m_matrix = marker;
    bones[1].m_matrix = marker;

    MatrixStack stack;
    model.PoseAndSkin(stack, bones, -1, 1, 0, 1.0f);   // no animation 1
    model.PoseAndSkin(stack, bones, -1, 0, 11, 1.0f);  // frames 0..10 only
    model.PoseAndSkin(stack, bones, -1, -1, 0, 1.0f);
    EXPECT_EQ(bones[0].m_matrix, marker);
    EXPECT_EQ(bones[1].m_matrix, marker);
    EXPECT_EQ(model.m_deformedVertices[v].m_x, -3.0f);

    // A parent without the frame: the parent and its children stay as they were.
    bones[0].m_animations[0].resize(3);
    model.PoseAndSkin(stack, bones, -1, 0, 5, 1.0f);
    EXPECT_EQ(bones[1].m_matrix, marker);

    // A deformed copy shorter than the rest vertices is written only where it exists.
    model.m_deformedVertices.clear();
    model.PoseAndSkin(stack, bones, -1, 0, 0, 1.0f);
    EXPECT_TRUE(model.m_deformedVertices.empty());
    EXPECT_EQ(bones[1].m_matrix[12], 2.0f);
}

// A chain deeper than any OpenGL stack poses on the CPU stack without limit.
TEST_F(Posing, DeepChainHasNoDepthLimit)
{
    g_lastFrame = 0;
    constexpr int kDepth = 20000;
    for (int i = 0; i < kDepth; ++i)
        AddBone(i - 1).m_translate = CVector(1, 0, 0);
    MatrixStack stack;
    model.PoseBones(stack, bones, -1, 0, 0, 1.0f);
    EXPECT_EQ(bones.back().m_matrix[12], static_cast<float>(kDepth));
    EXPECT_EQ(stack.Depth(), 1u);
}

// TransformPoint ignores the fourth row: no division by w.
TEST(TransformPoint, IgnoresTheFourthRow)
{
    const std::array<float, 16> m{2, 0, 0, 7, 0, 3, 0, 7, 0, 0, 4, 7, 1, 2, 3, 9};
    CVector p(1, 1, 1);
    p.m_boneIndex = 5;
    p.m_weight = 0.5f;
    const CVector q = p.TransformPoint(m);
    EXPECT_EQ(q.m_x, 3.0f);
    EXPECT_EQ(q.m_y, 5.0f);
    EXPECT_EQ(q.m_z, 7.0f);
    EXPECT_EQ(q.m_weight, 1.0f);
    EXPECT_EQ(q.m_boneIndex, -1);
}
