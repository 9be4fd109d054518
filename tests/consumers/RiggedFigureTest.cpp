// The scene the consumer tests export: what it holds is what their expected counts assume.
#include "consumers/ConsumerSupport.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(RiggedFigure, HoldsBoundVerticesAndKeyedAnimations)
{
    const CCentigrade scene = consumers::RiggedFigure(21);
    const consumers::SceneCounts n = consumers::Count(scene);
    EXPECT_EQ(std::tuple(n.models, n.vertices, n.triangles, n.materials, n.bones, n.animations,
                         scene.m_materialMaps.size()),
              std::tuple(1u, 48u, 72u, 2u, 7u, 2u, 2u));
    EXPECT_FALSE(scene.m_materials.at(0).m_texture.empty());
    for (const CVector& vertex : scene.m_models.at(0).m_vertices)
        EXPECT_GE(vertex.m_boneIndex, 0);
    for (const CBone& bone : scene.m_bones) {
        for (const std::vector<CAnimation>& samples : bone.m_animations) {
            ASSERT_EQ(samples.size(), 21u);
            EXPECT_TRUE(samples[10].m_key && samples[20].m_key && !samples[5].m_key);
            EXPECT_NE(samples[5].m_rotate.m_z, 0.0f);  // in-betweened
        }
    }
}
