// The skeleton from a bone object: heads and tails, names, ids, parents, and refitting the
// bones a scene already has.
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "scene/SceneFile.h"
#include "support/TempFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

CFace Face(std::vector<std::int32_t> indices)
{
    CFace face;
    face.m_indices = std::move(indices);
    return face;
}

class Bones : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_scene.ResetScene();
        g_lastFrame = 100;
    }

public:
    // An object of the given vertices and faces.
    static CModel Object(std::vector<CVector> vertices, std::vector<CFace> faces)
    {
        CModel object;
        object.m_vertices = std::move(vertices);
        object.m_faces = std::move(faces);
        return object;
    }

protected:
    std::vector<std::int32_t> Parents() const
    {
        std::vector<std::int32_t> parents;
        for (const CBone& bone : g_scene.m_bones)
            parents.push_back(bone.m_parent);
        return parents;
    }
};

TEST_F(Bones, HeadAndTailFromTheShortestEdge)
{
    struct Case {
        CVector a, b, c;
        std::int32_t head, tail;
    };
    const Case cases[] = {
        {CVector(0, 0, 0), CVector(1, 0, 0), CVector(0, 10, 0), 0, 2},  // AB shortest, CA < BC: head A
        {CVector(0, 0, 0), CVector(2, 0, 0), CVector(1, 10, 0), 1, 2},  // AB shortest, CA = BC: head B
        {CVector(0, 10, 0), CVector(0, 0, 0), CVector(1, 0, 0), 1, 0},  // BC shortest, AB < CA: head B
        {CVector(1, 10, 0), CVector(0, 0, 0), CVector(2, 0, 0), 2, 0},  // BC shortest, AB = CA: head C
        {CVector(1, 0, 0), CVector(0, 10, 0), CVector(0, 0, 0), 2, 1},  // CA shortest, BC < AB: head C
        {CVector(2, 0, 0), CVector(1, 10, 0), CVector(0, 0, 0), 0, 1},  // CA shortest, AB = BC: head A
    };
    for (const Case& c : cases) {
        SetUp();
        g_scene.CreateBonesFromObject(Object({c.a, c.b, c.c}, {Face({0, 1, 2})}));
        ASSERT_EQ(g_scene.m_bones.size(), 1u);
        const CBone& bone = g_scene.m_bones[0];
        EXPECT_EQ(bone.m_headVertex, c.head);
        EXPECT_EQ(bone.m_tailVertex, c.tail);
        const CVector& head = bone.m_headVertex == 0 ? c.a : bone.m_headVertex == 1 ? c.b : c.c;
        EXPECT_EQ(bone.m_head.m_x, head.m_x);
        EXPECT_EQ(bone.m_head.m_y, head.m_y);
        EXPECT_EQ(bone.m_parent, -1);
        EXPECT_EQ(bone.m_name, "Bone0");
    }
}

TEST_F(Bones, TrianglesWithoutOneShortestEdgeStillMakeValidBones)
{
    const float nan = std::nanf("");
    const CModel object = Object({CVector(0, 0, 0), CVector(1, 0, 0), CVector(0.5f, 0.8660254f, 0), CVector(nan, 0, 0),
                                  CVector(5, 5, 5)},
                                 {Face({0, 1, 2}), Face({3, 1, 2}), Face({4, 4, 4})});
    g_scene.CreateBonesFromObject(object);
    ASSERT_EQ(g_scene.m_bones.size(), 3u);
    for (const CBone& bone : g_scene.m_bones) {
        EXPECT_GE(bone.m_headVertex, 0);
        EXPECT_LT(bone.m_headVertex, 5);
        EXPECT_GE(bone.m_tailVertex, 0);
        EXPECT_LT(bone.m_tailVertex, 5);
    }
}

TEST_F(Bones, NamesCountEveryFaceIdsOnlyTriangles)
{
    const std::vector<CVector> v = {CVector(0, 0, 0), CVector(1, 0, 0), CVector(0, 10, 0), CVector(0, 20, 0)};
    g_scene.CreateBonesFromObject(Object(v, {Face({0, 1, 2}), Face({2, 3}), Face({2, 1, 3})}));
    ASSERT_EQ(g_scene.m_bones.size(), 2u);
    EXPECT_EQ(g_scene.m_bones[0].m_name, "Bone0");
    EXPECT_EQ(g_scene.m_bones[1].m_name, "Bone2");
    EXPECT_EQ(g_scene.m_bones[1].m_id, 1);

    SetUp();
    g_scene.CreateBonesFromObject(Object(v, {Face({0, 1, 2, 3}), Face({0, 1, 2})}));
    ASSERT_EQ(g_scene.m_bones.size(), 1u);
    EXPECT_EQ(g_scene.m_bones[0].m_name, "Bone1");
    EXPECT_EQ(g_scene.m_bones[0].m_id, 0);

    // Triangles naming vertices the object does not have still make their bones, on the
    // corners that exist; one without any joins nothing and sits at the origin.
    SetUp();
    g_scene.CreateBonesFromObject(
        Object(v, {Face({0, 2, 9}), Face({-1, 1, 3}), Face({7, 8, 9}), Face({0, 1, 2}), Face({-1, 2})}));
    ASSERT_EQ(g_scene.m_bones.size(), 4u);
    EXPECT_EQ(g_scene.m_bones[3].m_name, "Bone3");
    EXPECT_EQ(g_scene.m_bones[3].m_id, 3);
    EXPECT_EQ(g_scene.m_bones[0].m_headVertex, 0);
    EXPECT_EQ(g_scene.m_bones[0].m_tailVertex, 2);
    EXPECT_EQ(g_scene.m_bones[1].m_headVertex, 1);
    EXPECT_EQ(g_scene.m_bones[1].m_tailVertex, 3);
    EXPECT_EQ(g_scene.m_bones[1].m_tail.m_y, 20.0f);
    EXPECT_EQ(g_scene.m_bones[2].m_headVertex, -1);
    EXPECT_EQ(g_scene.m_bones[2].m_head.m_x, 0.0f);
    EXPECT_THAT(Parents(), ::testing::ElementsAre(-1, -1, -1, -1));  // no line from a missing vertex

    g_scene.CreateBonesFromObject(Object(v, {Face({0, 1})}));
    EXPECT_TRUE(g_scene.m_bones.empty());
}

// A chain: bone 0 (tail at vertex 2), bone 1 whose head is vertex 2, bone 2 far away joined
// to bone 1's tail by a line, and bone 3 joined by a line that meets only a head.
CModel Skeleton()
{
    const std::vector<CVector> v = {
        CVector(0, 0, 0),   CVector(1, 0, 0),   CVector(0, 10, 0),   // bone 0: head 0, tail 2
        CVector(1, 10, 0),  CVector(0, 20, 0),                       // bone 1: head 2, tail 4
        CVector(50, 0, 0),  CVector(51, 0, 0),  CVector(50, 10, 0),  // bone 2: head 5, tail 7
        CVector(80, 0, 0),  CVector(81, 0, 0),  CVector(80, 10, 0),  // bone 3: head 8, tail 10
    };
    return Bones::Object(v, {Face({0, 1, 2}), Face({2, 3, 4}), Face({8, 0}), Face({5, 6, 7}), Face({4, 5}),
                             Face({8, 9, 10})});
}

TEST_F(Bones, ParentsFromSharedVerticesThenLines)
{
    g_scene.CreateBonesFromObject(Skeleton());
    ASSERT_EQ(g_scene.m_bones.size(), 4u);
    EXPECT_EQ(g_scene.m_bones[1].m_headVertex, 2);
    EXPECT_EQ(g_scene.m_bones[2].m_headVertex, 5);
    // Bone 1 touches bone 0; bone 2 hangs from bone 1 by the line 4-5; the line 8-0 joins
    // bone 3's head to bone 0's head, which is nobody's tail: bone 3 stays a root.
    EXPECT_THAT(Parents(), ::testing::ElementsAre(-1, 0, 1, -1));
    EXPECT_EQ(g_scene.m_bones[3].m_name, "Bone5");
}

TEST_F(Bones, LineWrittenEitherWayRound)
{
    CModel object = Skeleton();
    object.m_faces[4] = Face({5, 4});
    g_scene.CreateBonesFromObject(object);
    EXPECT_EQ(g_scene.m_bones[2].m_parent, 1);
}

TEST_F(Bones, ABoneIsNeverItsOwnParent)
{
    // A triangle whose head vertex is also its own tail cannot occur, but a line from a
    // bone's head to its own tail must not make it its own parent.
    const std::vector<CVector> v = {CVector(0, 0, 0), CVector(1, 0, 0), CVector(0, 10, 0)};
    g_scene.CreateBonesFromObject(Object(v, {Face({0, 1, 2}), Face({0, 2})}));
    EXPECT_EQ(g_scene.m_bones[0].m_parent, -1);
}

TEST_F(Bones, RefittingKeepsNamesAndAnimationsOfExistingBones)
{
    g_scene.m_animationNames = {"walk", "run"};
    for (int i = 0; i < 2; ++i) {
        CBone bone;
        bone.m_name = i == 0 ? "root" : "";
        bone.m_animations.resize(2);
        bone.m_animations[0].resize(11);
        bone.m_animations[1].resize(31);
        bone.m_animations[1][5].m_key = true;
        bone.m_animations[1][5].m_rotate = CVector(0, 45, 0);
        bone.m_boundVertices = {1, 2};
        g_scene.m_bones.push_back(bone);
    }
    g_scene.CreateBonesFromObject(Skeleton());
    ASSERT_EQ(g_scene.m_bones.size(), 4u);
    EXPECT_EQ(g_scene.m_bones[0].m_name, "root");
    EXPECT_EQ(g_scene.m_bones[1].m_name, "Bone1");  // its name was empty
    EXPECT_EQ(g_scene.m_bones[2].m_name, "Bone3");
    EXPECT_EQ(g_scene.m_bones[0].m_animations[1][5].m_rotate.m_y, 45.0f);
    EXPECT_THAT(g_scene.m_bones[0].m_boundVertices, ::testing::ElementsAre(1, 2));
    EXPECT_EQ(g_scene.m_bones[1].m_headVertex, 2);
    // Added bones have every animation, as long as the existing bones'.
    for (std::size_t i = 2; i < 4; ++i) {
        const CBone& added = g_scene.m_bones[i];
        ASSERT_EQ(added.m_animations.size(), 2u);
        EXPECT_EQ(added.m_animations[0].size(), 11u);
        EXPECT_EQ(added.m_animations[1].size(), 31u);
        EXPECT_TRUE(added.m_animations[1][0].m_key);
        EXPECT_FALSE(added.m_animations[1][5].m_key);
    }
    // Fewer triangles: the surplus bones go with their animations.
    CModel fewer = Skeleton();
    fewer.m_faces.resize(2);
    g_scene.CreateBonesFromObject(fewer);
    ASSERT_EQ(g_scene.m_bones.size(), 2u);
    EXPECT_EQ(g_scene.m_bones[0].m_name, "root");
}

TEST_F(Bones, NewBonesOfANewSceneHaveOneAnimation)
{
    g_scene.CreateBonesFromObject(Skeleton());
    for (const CBone& bone : g_scene.m_bones) {
        ASSERT_EQ(bone.m_animations.size(), 1u);
        EXPECT_EQ(bone.m_animations[0].size(), 101u);
        EXPECT_TRUE(bone.m_animations[0][0].m_key);
        EXPECT_EQ(bone.m_animations[0][50].m_scale.m_x, 1.0f);
    }
}

TEST_F(Bones, BoneObjectInAModelFileWithTrianglesAndLines)
{
    // A model file with a bone object: the hierarchy, names and parents it gives.
    const std::string text =
        "Metasequoia Document\nFormat Text Ver 1.0\n"
        "Object \"bone\" {\n\tvertex 8 {\n"
        "\t\t0 0 0\n\t\t2 0 0\n\t\t1 20 0\n"      // 0..2 hip: head 0 or 1, tail 2
        "\t\t2 20 0\n\t\t1 40 0\n"                // 3..4 spine from the hip's tail
        "\t\t30 40 0\n\t\t31 40 0\n\t\t30 60 0\n"  // 5..7 arm, away from the spine
        "\t}\n\tface 4 {\n\t\t3 V(0 1 2)\n\t\t3 V(2 3 4)\n\t\t2 V(4 5)\n\t\t3 V(5 6 7)\n\t}\n}\n"
        "Object \"body\" {\n\tvertex 3 {\n\t\t0 0 0\n\t\t1 0 0\n\t\t0 1 0\n\t}\n\tface 1 {\n\t\t3 V(0 1 2)\n\t}\n}\n"
        "Eof\n";
    std::FILE* file = testsupport::StreamOf(text);
    EXPECT_EQ(g_scene.ImportMqoStream(file), 0);
    std::fclose(file);
    ASSERT_EQ(g_scene.m_bones.size(), 3u);
    EXPECT_EQ(g_scene.m_bones[0].m_name, "Bone0");
    EXPECT_EQ(g_scene.m_bones[1].m_name, "Bone1");
    EXPECT_EQ(g_scene.m_bones[2].m_name, "Bone3");
    EXPECT_THAT(Parents(), ::testing::ElementsAre(-1, 0, 1));
    EXPECT_EQ(g_scene.m_bones[1].m_head.m_y, 20.0f);
    EXPECT_EQ(g_scene.m_bones[1].m_tail.m_y, 40.0f);
    // The bone object adds no geometry.
    ASSERT_EQ(g_scene.m_models.size(), 1u);
    EXPECT_EQ(g_scene.m_models[0].m_vertices.size(), 3u);
}

// A scene stores bones by position and bindings by bone number: a triangle naming a missing
// vertex must not shift the bones after it when the scene is opened again.
TEST_F(Bones, SceneOverABoneObjectWithMissingVerticesReopensWithEverythingInPlace)
{
    const std::string model = "Metasequoia Document\nFormat Text Ver 1.0\n"
                              "Object \"bone\" {\n\tvertex 3 {\n\t\t0 0 0\n\t\t1 0 0\n\t\t0 10 0\n\t}\n"
                              "\tface 3 {\n\t\t3 V(0 1 2)\n\t\t3 V(0 1 7)\n\t\t3 V(2 1 0)\n\t}\n}\n"
                              "Object \"body\" {\n\tvertex 3 {\n\t\t0 0 0\n\t\t1 0 0\n\t\t0 1 0\n\t}\n}\n";
    const testsupport::TempDir folder;
    const std::string modelPath = folder.Write("m.mqo", model);
    ASSERT_TRUE(g_scene.ImportMqo(modelPath));
    ASSERT_EQ(g_scene.m_bones.size(), 3u);
    const std::vector<std::string> names{"hip", "gap", "foot"};
    for (std::size_t b = 0; b < 3; ++b) {
        g_scene.m_bones[b].m_name = names[b];
        g_scene.m_bones[b].m_animations[0][7].m_rotate.m_z = 10.0f * static_cast<float>(b);
    }
    g_scene.m_models[0].m_vertices[1].m_boneIndex = 2;
    g_scene.m_models[0].m_vertices[2].m_boneIndex = 0;
    g_scene.m_modelPath = modelPath;
    const std::vector<std::uint8_t> saved = scenefile::WriteSceneBytes();

    g_scene.ResetScene();
    std::string error;
    ASSERT_TRUE(scenefile::ReadSceneBytes(saved.data(), saved.size(), error)) << error;
    ASSERT_TRUE(g_scene.ImportMqo(g_scene.m_modelPath));
    g_scene.RestoreVertexBindings();
    ASSERT_EQ(g_scene.m_bones.size(), 3u);
    for (std::size_t b = 0; b < 3; ++b) {
        EXPECT_EQ(g_scene.m_bones[b].m_name, names[b]);
        EXPECT_EQ(g_scene.m_bones[b].m_animations[0][7].m_rotate.m_z, 10.0f * static_cast<float>(b));
    }
    EXPECT_THAT(g_scene.m_bones[2].m_boundVertices, ::testing::ElementsAre(1));
    EXPECT_THAT(g_scene.m_bones[0].m_boundVertices, ::testing::ElementsAre(2));
}

TEST_F(Bones, ImportRebuildsBoundListsForTheModelItRead)
{
    CBone bone;
    bone.m_id = 0;
    bone.m_boundVertices = {500, 900};  // from a larger model read before
    g_scene.m_bones.push_back(bone);
    std::FILE* file = testsupport::StreamOf("Metasequoia Document\nFormat Text Ver 1.0\n"
                                            "Object \"o\" {\n\tvertex 1 {\n\t\t0 0 0\n\t}\n}\n");
    EXPECT_EQ(g_scene.ImportMqoStream(file), 0);
    std::fclose(file);
    EXPECT_TRUE(g_scene.m_bones[0].m_boundVertices.empty());
}

}  // namespace
