// Appending objects with their mirror copies to a model.
#include "scene/CModel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

using ::testing::ElementsAre;

namespace {

CFace Face(std::vector<std::int32_t> indices, std::int32_t material = 0, std::vector<CUV> uvs = {})
{
    CFace face;
    face.m_indices = std::move(indices);
    face.m_material = material;
    face.m_uvs = std::move(uvs);
    return face;
}

// Four vertices, a triangle with UVs and a line; the first vertex carries a binding.
CModel Quad(std::int32_t mirrorAxis)
{
    CModel object;
    object.m_mirrorAxis = mirrorAxis;
    object.m_smoothingAngle = 33.0f;
    object.m_vertices = {CVector(0, 1, 2), CVector(3, 4, 5), CVector(6, 7, 8), CVector(-1, -2, -3)};
    object.m_vertices[0].m_weight = 0.5f;
    object.m_vertices[0].m_boneIndex = 2;
    object.m_vertices[0].m_mark = 1;
    CUV a, b, c;
    a.m_u = 0.1f;
    b.m_u = 0.2f;
    c.m_u = 0.3f;
    object.m_faces = {Face({0, 1, 2}, 7, {a, b, c}), Face({1, 3}, 2)};
    return object;
}

// Target with 10 vertices and one face already.
CModel Target()
{
    CModel target;
    target.m_vertices.resize(10);
    target.m_faces = {Face({0, 1, 2})};
    target.m_mirrorAxis = 5;
    return target;
}

TEST(MirrorMerge, CopyCountsFollowTheAxisBits)
{
    const std::pair<std::int32_t, std::size_t> cases[] = {{0, 1}, {1, 2}, {2, 2}, {3, 4}, {4, 2}, {5, 4},
                                                          {6, 4}, {7, 8}, {8, 1}, {-1, 1}, {15, 1}};
    for (auto [axis, blocks] : cases) {
        for (bool moved : {false, true}) {
            CModel target = Target();
            CModel object = Quad(axis);
            if (moved)
                target.MergeObject(std::move(object));
            else
                target.MergeObject(object);
            EXPECT_EQ(target.m_vertices.size(), 10 + 4 * blocks) << axis;
            EXPECT_EQ(target.m_faces.size(), 1 + 2 * blocks) << axis;
            EXPECT_EQ(target.m_smoothingAngle, 33.0f);
            EXPECT_EQ(target.m_mirrorAxis, 5);  // never changed
        }
    }
}

TEST(MirrorMerge, OffsetsAndReversedCornersWithTheirUvs)
{
    CModel target = Target();
    EXPECT_TRUE(target.MergeObject(Quad(1)));
    ASSERT_EQ(target.m_faces.size(), 5u);
    EXPECT_THAT(target.m_faces[1].m_indices, ElementsAre(10, 11, 12));
    EXPECT_EQ(target.m_faces[1].m_material, 7);
    EXPECT_THAT(target.m_faces[3].m_indices, ElementsAre(16, 15, 14));
    EXPECT_EQ(target.m_faces[3].m_material, 7);
    ASSERT_EQ(target.m_faces[3].m_uvs.size(), 3u);
    EXPECT_EQ(target.m_faces[3].m_uvs[0].m_u, 0.3f);
    EXPECT_EQ(target.m_faces[3].m_uvs[2].m_u, 0.1f);
    EXPECT_THAT(target.m_faces[4].m_indices, ElementsAre(17, 15));  // a line swaps its ends
}

TEST(MirrorMerge, AxisSevenOrderAndWinding)
{
    CModel target;
    target.MergeObject(Quad(7));
    // Blocks: object, X, Y, Z, XY, XZ, YZ, XYZ.
    const float signs[8][3] = {{1, 1, 1}, {-1, 1, 1}, {1, -1, 1}, {1, 1, -1}, {-1, -1, 1}, {-1, 1, -1},
                               {1, -1, -1}, {-1, -1, -1}};
    const bool reversed[8] = {false, true, true, true, false, false, false, true};
    for (int block = 0; block < 8; ++block) {
        const CVector& v = target.m_vertices[block * 4 + 1];  // (3, 4, 5)
        EXPECT_EQ(v.m_x, 3 * signs[block][0]) << block;
        EXPECT_EQ(v.m_y, 4 * signs[block][1]) << block;
        EXPECT_EQ(v.m_z, 5 * signs[block][2]) << block;
        const std::int32_t c = block * 4;
        const std::vector<std::int32_t> expected =
            reversed[block] ? std::vector<std::int32_t>{c + 2, c + 1, c} : std::vector<std::int32_t>{c, c + 1, c + 2};
        EXPECT_EQ(target.m_faces[block * 2].m_indices, expected) << block;
    }
}

TEST(MirrorMerge, MirroredVerticesAreNewAndNotWelded)
{
    CModel target;
    target.MergeObject(Quad(1));
    const CVector& own = target.m_vertices[0];
    EXPECT_EQ(own.m_weight, 0.5f);
    EXPECT_EQ(own.m_boneIndex, 2);
    EXPECT_EQ(own.m_mark, 1);
    const CVector& copy = target.m_vertices[4];
    EXPECT_EQ(copy.m_x, 0.0f);
    EXPECT_TRUE(std::signbit(copy.m_x));  // x = 0 becomes -0
    EXPECT_EQ(copy.m_weight, 1.0f);
    EXPECT_EQ(copy.m_boneIndex, -1);
    EXPECT_EQ(copy.m_mark, 0);
}

TEST(MirrorMerge, EmptyObjectChangesOnlyTheSmoothingAngle)
{
    CModel target = Target();
    CModel empty;
    empty.m_smoothingAngle = 1.0f;
    empty.m_mirrorAxis = 7;
    EXPECT_TRUE(target.MergeObject(empty));
    EXPECT_EQ(target.m_vertices.size(), 10u);
    EXPECT_EQ(target.m_faces.size(), 1u);
    EXPECT_EQ(target.m_smoothingAngle, 1.0f);
    CModel nothing;
    EXPECT_FALSE(nothing.MergeObject(empty));
}

TEST(MirrorMerge, FaceCopiesHaveFreshNormals)
{
    CFace source = Face({4, 5, 6}, 3);
    source.m_normal = CVector(0, 0, 1);
    source.m_cornerNormals.resize(3);
    const CFace offset = CFace::MakeOffsetCopy(source, 100);
    EXPECT_THAT(offset.m_indices, ElementsAre(104, 105, 106));
    EXPECT_EQ(offset.m_normal.m_z, 0.0f);
    EXPECT_TRUE(offset.m_cornerNormals.empty());
    const CFace mirrored = CFace::MakeMirroredCopy(source, -4);
    EXPECT_THAT(mirrored.m_indices, ElementsAre(2, 1, 0));
    EXPECT_EQ(mirrored.m_material, 3);
    EXPECT_TRUE(mirrored.m_cornerNormals.empty());

    CModel target = Target();
    CModel object = Quad(0);
    object.m_faces[0].m_normal = CVector(0, 0, 1);
    object.m_faces[0].m_cornerNormals.resize(3);
    target.MergeObject(std::move(object));
    EXPECT_EQ(target.m_faces[1].m_normal.m_z, 0.0f);
    EXPECT_TRUE(target.m_faces[1].m_cornerNormals.empty());
}

TEST(MirrorMerge, FacesNamingMissingVerticesAreLeftOut)
{
    for (bool moved : {false, true}) {
        for (std::int32_t axis : {0, 3}) {
            CModel object = Quad(axis);
            object.m_faces.push_back(Face({0, 1, 4}));
            object.m_faces.push_back(Face({-1, 1, 2}));
            CModel target = Target();
            if (moved)
                target.MergeObject(std::move(object));
            else
                target.MergeObject(object);
            const std::size_t blocks = axis == 0 ? 1 : 4;
            EXPECT_EQ(target.m_faces.size(), 1 + 2 * blocks);
            for (const CFace& face : target.m_faces)
                for (std::int32_t i : face.m_indices)
                    EXPECT_LT(static_cast<std::size_t>(i), target.m_vertices.size());
        }
    }
}

TEST(MirrorMerge, MergingAModelIntoItselfCopiesItOnce)
{
    CModel model = Quad(1);
    model.MergeObject(model);
    EXPECT_EQ(model.m_vertices.size(), 4u + 8u);
    EXPECT_EQ(model.m_faces.size(), 2u + 4u);
}

}  // namespace
