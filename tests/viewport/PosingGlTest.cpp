// Posing on the CPU stack against the same steps done with OpenGL's own model-view stack,
// the way the view's context would compute them: bone matrices and skinned vertices must be
// the same bits.
#include "glsupport/EglContext.h"
#include "platform/MatrixStack.h"
#include "scene/CBone.h"
#include "scene/CModel.h"
#include "scene/Globals.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <random>
#include <vector>

namespace {

enum class Variant { Blended, Rigid, Mirrored, BonesOnly };

struct GlResult {
    std::vector<std::array<float, 16>> matrices;
    std::vector<CVector> deformed;
};

void Transform(const CVector& v, const float* m, CVector& out)
{
    out.m_x = v.m_x * m[0] + v.m_y * m[4] + v.m_z * m[8] + m[12];
    out.m_y = v.m_x * m[1] + v.m_y * m[5] + v.m_z * m[9] + m[13];
    out.m_z = v.m_x * m[2] + v.m_y * m[6] + v.m_z * m[10] + m[14];
}

// The posing recursion step by step on the GL stack.
void GlPose(Variant variant, const std::vector<CBone>& bones, const CModel& model, int key, float s, GlResult& out)
{
    for (const CBone& bone : bones) {
        if (bone.m_parent != key)
            continue;
        glPushMatrix();
        const CAnimation& p = bone.m_animations[0][0];
        const CVector& h = bone.m_head;
        const CVector& t = p.m_translate;
        const CVector& r = p.m_rotate;
        switch (variant) {
        case Variant::Blended:
            glTranslatef(s * t.m_x + s * h.m_x, s * t.m_y + s * h.m_y, s * t.m_z + s * h.m_z);
            break;
        case Variant::Mirrored:
            glTranslatef((h.m_x + t.m_x) * s, -(h.m_y + t.m_y) * s, -(h.m_z + t.m_z) * s);
            break;
        default:
            glTranslatef((h.m_x + t.m_x) * s, (h.m_y + t.m_y) * s, (h.m_z + t.m_z) * s);
            break;
        }
        const bool mirrored = variant == Variant::Mirrored;
        glRotatef(r.m_x, 1, 0, 0);
        glRotatef(mirrored ? -r.m_y : r.m_y, 0, 1, 0);
        glRotatef(mirrored ? -r.m_z : r.m_z, 0, 0, 1);
        glScalef(p.m_scale.m_x, p.m_scale.m_y, p.m_scale.m_z);
        switch (variant) {
        case Variant::Blended:
            glTranslatef(-s * h.m_x, -s * h.m_y, -s * h.m_z);
            break;
        case Variant::Mirrored:
            glTranslatef(-h.m_x * s, h.m_y * s, h.m_z * s);
            break;
        default:
            glTranslatef(-h.m_x * s, -h.m_y * s, -h.m_z * s);
            break;
        }
        float* own = out.matrices[bone.m_id].data();
        glGetFloatv(GL_MODELVIEW_MATRIX, own);
        if (variant != Variant::BonesOnly) {
            for (std::int32_t i : bone.m_boundVertices) {
                const CVector& v = model.m_vertices[i];
                const float w = v.m_weight;
                if (variant != Variant::Blended || w == 1.0f || key < 0) {
                    Transform(v, own, out.deformed[i]);
                } else {
                    float blend[16];
                    for (int k = 0; k < 16; ++k)
                        blend[k] = (1 - w) * own[k] + w * out.matrices[key][k];
                    Transform(v, blend, out.deformed[i]);
                }
            }
        }
        GlPose(variant, bones, model, bone.m_id, s, out);
        glPopMatrix();
    }
}

float Angle(std::mt19937& rng)
{
    static const float special[] = {0.0f, -0.0f, 90.0f, -90.0f, 180.0f, 45.0f, 30.0f, 360.0f};
    if (rng() % 3 == 0)
        return special[rng() % std::size(special)];
    return static_cast<float>(static_cast<int>(rng() % 72000) - 36000) / 100.0f;
}

float Value(std::mt19937& rng, float range)
{
    if (rng() % 5 == 0)
        return 0.0f;
    return static_cast<float>(static_cast<int>(rng() % 200001) - 100000) / 100000.0f * range;
}

float Factor(std::mt19937& rng)
{
    static const float special[] = {1.0f, 1.0f, 1.0f, 0.0f, -1.0f, 2.0f};
    if (rng() % 2 == 0)
        return special[rng() % std::size(special)];
    return static_cast<float>(rng() % 3000) / 1000.0f;
}

// A random tree (depth kept below Mesa's 32 matrices) with random samples and vertices.
void MakeScene(std::mt19937& rng, std::vector<CBone>& bones, CModel& model)
{
    const int count = 1 + static_cast<int>(rng() % 24);
    std::vector<int> depth;
    bones.assign(count, CBone());
    for (int i = 0; i < count; ++i) {
        CBone& bone = bones[i];
        bone.m_id = i;
        int parent = static_cast<int>(rng() % (i + 1)) - 1;
        if (parent >= 0 && depth[parent] >= 20)
            parent = -1;
        bone.m_parent = parent;
        depth.push_back(parent < 0 ? 1 : depth[parent] + 1);
        bone.m_head = CVector(Value(rng, 50), Value(rng, 50), Value(rng, 50));
        CAnimation& p = bone.m_animations[0][0];
        p.m_translate = CVector(Value(rng, 20), Value(rng, 20), Value(rng, 20));
        p.m_rotate = CVector(Angle(rng), Angle(rng), Angle(rng));
        p.m_scale = CVector(Factor(rng), Factor(rng), Factor(rng));
    }
    model.m_vertices.assign(200, CVector());
    for (CVector& v : model.m_vertices) {
        v = CVector(Value(rng, 100), Value(rng, 100), Value(rng, 100));
        v.m_boneIndex = static_cast<std::int32_t>(rng() % count);
        v.m_weight = rng() % 2 ? 1.0f : Value(rng, 1);
    }
    model.BuildBoneVertexLists(bones);
    model.ResetDeformedVertices();
}

bool SameBits(float a, float b) { return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b); }

}  // namespace

TEST(PosingAgainstOpenGl, AllVariantsGiveTheSameBits)
{
    EglContext context(16, 16);
    ASSERT_TRUE(context.ok());
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const std::int32_t savedLastFrame = g_lastFrame;
    g_lastFrame = 0;
    std::mt19937 rng(4242u);
    int compared = 0;
    for (int scene = 0; scene < 300; ++scene) {
        std::vector<CBone> bones;
        CModel model;
        MakeScene(rng, bones, model);
        const float s = rng() % 2 ? 1.0f : static_cast<float>(1 + rng() % 400) / 100.0f;
        for (Variant variant : {Variant::Blended, Variant::Rigid, Variant::Mirrored, Variant::BonesOnly}) {
            GlResult expected{std::vector<std::array<float, 16>>(bones.size()), model.m_deformedVertices};
            GlPose(variant, bones, model, -1, s, expected);

            MatrixStack stack;
            switch (variant) {
            case Variant::Blended:
                model.PoseAndSkin(stack, bones, -1, 0, 0, s);
                break;
            case Variant::Rigid:
                model.PoseAndSkinRigid(stack, bones, -1, 0, 0, s);
                break;
            case Variant::Mirrored:
                model.PoseAndSkinMirrored(stack, bones, -1, 0, 0, s);
                break;
            case Variant::BonesOnly:
                model.PoseBones(stack, bones, -1, 0, 0, s);
                break;
            }
            for (std::size_t b = 0; b < bones.size(); ++b)
                for (int k = 0; k < 16; ++k)
                    ASSERT_TRUE(SameBits(bones[b].m_matrix[k], expected.matrices[b][k]))
                        << "scene " << scene << " variant " << static_cast<int>(variant) << " bone " << b
                        << " element " << k << ": " << bones[b].m_matrix[k] << " vs " << expected.matrices[b][k];
            for (std::size_t v = 0; v < model.m_vertices.size(); ++v) {
                const CVector& got = model.m_deformedVertices[v];
                const CVector& want = expected.deformed[v];
                ASSERT_TRUE(SameBits(got.m_x, want.m_x) && SameBits(got.m_y, want.m_y) && SameBits(got.m_z, want.m_z))
                    << "scene " << scene << " variant " << static_cast<int>(variant) << " vertex " << v;
                ++compared;
            }
        }
    }
    g_lastFrame = savedLastFrame;
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_GT(compared, 200000);
}
