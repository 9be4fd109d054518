// Key-frame in-betweening.
#include "scene/CBone.h"
#include "scene/Globals.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

namespace {

class Interpolation : public ::testing::Test {
protected:
    void SetUp() override { g_lastFrame = 30; }
    void TearDown() override { g_lastFrame = 100; }

    // Makes the given frames keys with the given translate x (frame 0 is a key already).
    void Key(std::initializer_list<std::pair<int, float>> keys, int animation = 0)
    {
        for (auto [frame, x] : keys) {
            CAnimation& sample = bone.m_animations[animation][frame];
            sample.m_key = true;
            sample.m_translate.m_x = x;
        }
    }
    float X(int frame, int animation = 0) const { return bone.m_animations[animation][frame].m_translate.m_x; }

    CBone bone;
};

}  // namespace

TEST_F(Interpolation, LinearBetweenKeysAndCopiedAfterTheLast)
{
    Key({{0, 0.0f}, {10, 10.0f}});
    bone.m_animations[0][10].m_rotate.m_mark = 7;
    bone.m_animations[0][10].m_scale.m_boneIndex = 4;
    bone.InterpolateLinear();
    EXPECT_EQ(X(3), 3.0f);
    for (int f = 11; f <= 30; ++f) {
        EXPECT_EQ(X(f), 10.0f);
        // Copies carry every field of the last key's vectors, but not its key flag.
        EXPECT_EQ(bone.m_animations[0][f].m_rotate.m_mark, 7);
        EXPECT_EQ(bone.m_animations[0][f].m_scale.m_boneIndex, 4);
        EXPECT_FALSE(bone.m_animations[0][f].m_key);
    }
}

// Frame 0 opens the first segment even when it is not a key.
TEST_F(Interpolation, LinearStartsAtFrameZeroEvenWhenItIsNoKey)
{
    bone.m_animations[0][0].m_key = false;
    bone.m_animations[0][0].m_translate.m_x = 8.0f;
    Key({{4, 0.0f}});
    bone.InterpolateLinear();
    EXPECT_EQ(X(1), 6.0f);
    EXPECT_EQ(X(2), 4.0f);
    EXPECT_EQ(X(3), 2.0f);
}

// v_f = v_j - (v_j - v_b) * (j - f) / (j - b), the product before the division: for these
// values other orders round differently.
TEST_F(Interpolation, LinearKeepsItsExpressionOrder)
{
    Key({{0, 0.1f}, {7, 0.7f}});
    bone.InterpolateLinear();
    const float vb = 0.1f, vj = 0.7f;
    for (int f = 1; f < 7; ++f) {
        const float expected = vj - (vj - vb) * static_cast<float>(7 - f) / 7.0f;
        EXPECT_EQ(X(f), expected) << "frame " << f;
    }
    bool orderMatters = false;
    for (int f = 1; f < 7; ++f)
        orderMatters |= X(f) != vb + (vj - vb) * (static_cast<float>(f) / 7.0f);
    EXPECT_TRUE(orderMatters);
}

// Two keys: the first segment's previous point is the last key and its next point frame 0,
// so both tangents vanish and the curve eases in and out through the exact midpoint.
TEST_F(Interpolation, HermiteWithTwoKeysEasesInAndOut)
{
    Key({{0, 0.0f}, {10, 10.0f}});
    bone.InterpolateHermite();
    EXPECT_EQ(X(5), 5.0f);
    EXPECT_NEAR(X(1), 10.0f * (3 * 0.01f - 2 * 0.001f), 1e-6f);
    EXPECT_LT(X(1), 1.0f);
    EXPECT_GT(X(9), 9.0f);
    EXPECT_EQ(X(20), 10.0f);
}

// Three keys (0, 10, 20 with values 0, 10, 4): the first segment takes key 20 as its previous
// point, the last one frame 0 as its next point. With t = 0.5 every step is exact:
// frame 5 = 0.5*(10 - 4)*0.125 + 0.5*(4 - 0)*(-0.125) + 0.5*10 = 5.125,
// frame 15 = 0.5*(4 - 0)*0.125 + 10*0.5 + 0.5*(0 - 10)*(-0.125) + 0.5*4 = 7.875.
TEST_F(Interpolation, HermiteWithThreeKeysWrapsAround)
{
    Key({{0, 0.0f}, {10, 10.0f}, {20, 4.0f}});
    bone.InterpolateHermite();
    EXPECT_EQ(X(5), 5.125f);
    EXPECT_EQ(X(15), 7.875f);
    EXPECT_EQ(X(10), 10.0f);
    EXPECT_EQ(X(25), 4.0f);
}

// Only frame 0 a key: every later frame copies it, under both methods. No key at all: the
// linear method copies frame 0, the Hermite method changes nothing.
TEST_F(Interpolation, OnlyFrameZeroOrNoKeyAtAll)
{
    bone.m_animations.resize(2, bone.m_animations[0]);
    bone.m_animations[0][0].m_translate.m_x = 3.0f;
    bone.m_animations[0][5].m_translate.m_x = 9.0f;
    bone.m_animations[1][0].m_key = false;
    bone.m_animations[1][0].m_translate.m_x = 2.0f;
    bone.m_animations[1][5].m_translate.m_x = 9.0f;
    CBone hermite = bone;
    bone.InterpolateLinear();
    hermite.InterpolateHermite();
    for (int f = 1; f <= 30; ++f) {
        EXPECT_EQ(X(f, 0), 3.0f);
        EXPECT_EQ(X(f, 1), 2.0f);
        EXPECT_EQ(hermite.m_animations[0][f].m_translate.m_x, 3.0f);
    }
    EXPECT_EQ(hermite.m_animations[1][5].m_translate.m_x, 9.0f);
    EXPECT_EQ(hermite.m_animations[1][1].m_translate.m_x, 0.0f);
}

// Every written sample ends with weight 1, bone -1, mark 0 in all three vectors and keeps
// its key flag; all nine values are interpolated, each on its own; each animation alone.
TEST_F(Interpolation, WrittenSamplesAreCleanAndKeepTheirKeyFlags)
{
    bone.m_animations.resize(2, bone.m_animations[0]);
    for (CAnimation& sample : bone.m_animations[0]) {
        for (CVector* v : {&sample.m_translate, &sample.m_rotate, &sample.m_scale}) {
            v->m_weight = 0.5f;
            v->m_boneIndex = 3;
            v->m_mark = 9;
        }
    }
    CAnimation& key = bone.m_animations[0][10];
    key.m_key = true;
    key.m_translate = CVector(10, 20, 30);
    key.m_rotate = CVector(40, 50, 60);
    key.m_scale = CVector(3, 5, 7);
    for (bool hermite : {false, true}) {
        CBone copy = bone;
        if (hermite)
            copy.InterpolateHermite();
        else
            copy.InterpolateLinear();
        const CAnimation& mid = copy.m_animations[0][5];
        EXPECT_EQ(mid.m_translate.m_y, 10.0f);
        EXPECT_EQ(mid.m_rotate.m_z, 30.0f);
        EXPECT_EQ(mid.m_scale.m_x, 2.0f);
        EXPECT_FALSE(mid.m_key);
        const int firstWritten = hermite ? 0 : 1;
        for (int f = firstWritten; f <= 30; ++f) {
            const CAnimation& sample = copy.m_animations[0][f];
            for (const CVector* v : {&sample.m_translate, &sample.m_rotate, &sample.m_scale}) {
                EXPECT_EQ(v->m_weight, 1.0f) << "frame " << f;
                EXPECT_EQ(v->m_boneIndex, -1);
                EXPECT_EQ(v->m_mark, 0);
            }
            EXPECT_EQ(sample.m_key, f == 0 || f == 10);
        }
        EXPECT_EQ(copy.m_animations[1][5].m_translate.m_y, 0.0f);  // the other animation has no key but 0
    }
}

TEST(HermitePoint, MatchesTheBoneCurve)
{
    g_lastFrame = 10;
    CBone bone;
    g_lastFrame = 100;
    bone.m_animations[0][4].m_key = true;
    bone.m_animations[0][4].m_translate = CVector(1.5f, -2.0f, 7.25f);
    bone.m_animations[0][9].m_key = true;
    bone.m_animations[0][9].m_translate = CVector(-3.0f, 0.3f, 1.0f);
    const std::vector<CAnimation> keys = bone.m_animations[0];
    bone.InterpolateHermite();
    // Segment 4..9: the previous point is key 0 (the start of the segment before), the next
    // point frame 0 (no key follows).
    for (int i = 0; i <= 5; ++i) {
        const CVector p = HermitePoint(keys[0].m_translate, keys[4].m_translate, keys[9].m_translate,
                                       keys[0].m_translate, static_cast<float>(i) / 5.0f);
        const CVector& q = bone.m_animations[0][4 + i].m_translate;
        EXPECT_EQ(p.m_x, q.m_x);
        EXPECT_EQ(p.m_y, q.m_y);
        EXPECT_EQ(p.m_z, q.m_z);
        EXPECT_EQ(p.m_weight, 1.0f);
        EXPECT_EQ(p.m_boneIndex, -1);
    }
}
