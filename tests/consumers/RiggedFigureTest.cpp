// The scenes the consumer tests export: what they hold is what the expected counts assume.
#include "consumers/ConsumerSupport.h"

#include <gtest/gtest.h>

TEST(RiggedFigure, HoldsBoundVerticesAndKeyedAnimations)
{
    const CCentigrade scene = consumers::RiggedFigure(21);
    const consumers::SceneCounts counts = consumers::Count(scene);
    EXPECT_EQ(counts.models, 1u);
    EXPECT_EQ(counts.vertices, 48u);
    EXPECT_EQ(counts.polygons, 36u);
    EXPECT_EQ(counts.triangles, 72u);
    EXPECT_EQ(counts.materials, 2u);
    EXPECT_EQ(counts.bones, 7u);
    ASSERT_EQ(counts.animations, 2u);
    ASSERT_EQ(scene.m_materialMaps.size(), 2u);
    EXPECT_FALSE(scene.m_materials[0].m_texture.empty());

    for (const CVector& vertex : scene.m_models[0].m_vertices)
        EXPECT_GE(vertex.m_boneIndex, 0);
    for (const CBone& bone : scene.m_bones) {
        ASSERT_EQ(bone.m_animations.size(), 2u);
        for (const std::vector<CAnimation>& samples : bone.m_animations) {
            ASSERT_EQ(samples.size(), 21u);
            EXPECT_TRUE(samples[0].m_key && samples[10].m_key && samples[20].m_key);
            EXPECT_FALSE(samples[5].m_key);
            // In-betweened: halfway to the middle key's turn.
            EXPECT_NE(samples[5].m_rotate.m_z, 0.0f);
        }
    }
    // The hierarchy of the bone object: hips, chest, head and arms chained, legs roots.
    EXPECT_EQ(scene.m_bones[0].m_parent, -1);
    EXPECT_EQ(scene.m_bones[1].m_parent, 0);
    EXPECT_EQ(scene.m_bones[2].m_parent, 1);
    EXPECT_EQ(scene.m_bones[3].m_parent, 1);
}
