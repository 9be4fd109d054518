// The scene the consumer tests export: what it holds is what their expected counts assume.
#include "consumers/ConsumerSupport.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(RiggedFigure, HoldsBoundVerticesAndKeyedAnimations)
{
    const CCentigrade scene = consumers::RiggedFigure(21);
    ASSERT_EQ(scene.m_models.size(), 1u);
    const CModel& model = scene.m_models[0];
    EXPECT_EQ(std::tuple(model.m_vertices.size(), model.m_faces.size(), scene.m_materials.size(),
                         scene.m_bones.size(), scene.m_animationNames.size(), scene.m_materialMaps.size()),
              std::tuple(48u, 36u, 2u, 7u, 2u, 2u));
    for (const CFace& face : model.m_faces)
        EXPECT_EQ(face.m_indices.size(), 4u);
    EXPECT_FALSE(scene.m_materials.at(0).m_texture.empty());
    EXPECT_TRUE(scene.m_materials.at(1).m_texture.empty());
    for (const CVector& vertex : model.m_vertices)
        EXPECT_GE(vertex.m_boneIndex, 0);
    for (const CBone& bone : scene.m_bones) {
        for (const std::vector<CAnimation>& samples : bone.m_animations) {
            ASSERT_EQ(samples.size(), 21u);
            EXPECT_TRUE(samples[10].m_key && samples[20].m_key && !samples[5].m_key);
            EXPECT_NE(samples[5].m_rotate.m_z, 0.0f);  // in-betweened
        }
    }
}
