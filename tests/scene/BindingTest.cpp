// Connected-vertex binding and the weight gradient between a bone and its parent.
#include "scene/CBone.h"
#include "scene/CCentigrade.h"
#include "scene/CModel.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

CFace MakeFace(std::vector<std::int32_t> indices)
{
    CFace face;
    face.m_indices = std::move(indices);
    return face;
}

// A grid of quads, `columns` x `rows` vertices, vertex index row * columns + column, with
// its face lists built.
CModel MakeGrid(std::int32_t columns, std::int32_t rows)
{
    CModel model;
    model.m_vertices.reserve(static_cast<std::size_t>(columns) * rows);
    for (std::int32_t r = 0; r < rows; ++r)
        for (std::int32_t c = 0; c < columns; ++c)
            model.m_vertices.emplace_back(static_cast<float>(c), 0.0f, static_cast<float>(r));
    model.m_faces.reserve(static_cast<std::size_t>(columns - 1) * (rows - 1));
    for (std::int32_t r = 0; r + 1 < rows; ++r)
        for (std::int32_t c = 0; c + 1 < columns; ++c) {
            const std::int32_t v = r * columns + c;
            model.m_faces.push_back(MakeFace({v, v + columns, v + columns + 1, v + 1}));
        }
    model.BuildSmoothingLists();
    model.ResetDeformedVertices();
    return model;
}

void BindRows(CModel& model, std::int32_t columns, std::int32_t firstRow, std::int32_t lastRow, std::int32_t bone)
{
    for (std::int32_t r = firstRow; r <= lastRow; ++r)
        for (std::int32_t c = 0; c < columns; ++c)
            model.m_vertices[r * columns + c].m_boneIndex = bone;
}

float RowWeight(const CModel& model, std::int32_t columns, std::int32_t row)
{
    const float w = model.m_vertices[row * columns].m_weight;
    for (std::int32_t c = 1; c < columns; ++c)
        EXPECT_EQ(model.m_vertices[row * columns + c].m_weight, w) << "row " << row << " column " << c;
    return w;
}

// A scene of one strip: rows 0-1 bone 0 (A, a root), the rest as given per row.
struct StripScene {
    static constexpr std::int32_t kColumns = 4;
    CCentigrade scene;

    explicit StripScene(const std::vector<std::int32_t>& rowBones, const std::vector<std::int32_t>& parents)
    {
        scene.m_models.push_back(MakeGrid(kColumns, static_cast<std::int32_t>(rowBones.size())));
        for (std::size_t r = 0; r < rowBones.size(); ++r)
            BindRows(model(), kColumns, static_cast<std::int32_t>(r), static_cast<std::int32_t>(r), rowBones[r]);
        for (std::size_t b = 0; b < parents.size(); ++b) {
            scene.m_bones.emplace_back();
            scene.m_bones.back().m_id = static_cast<std::int32_t>(b);
            scene.m_bones.back().m_parent = parents[b];
        }
    }
    CModel& model() { return scene.m_models[0]; }
    float row(std::int32_t r) { return RowWeight(model(), kColumns, r); }
};

// The gradient as literally described: rescan every vertex of the bone for every ring.
void ReferenceGradient(CModel& model, std::int32_t n, std::int32_t k, std::int32_t p)
{
    if (n <= 0 || p < 0)
        return;
    std::vector<CVector>& v = model.m_vertices;
    const float h = static_cast<float>(n + 1);
    for (std::size_t j = 0; j < v.size(); ++j) {
        if (v[j].m_boneIndex != k)
            continue;
        for (std::int32_t f : model.m_vertexNormals[j].m_faces) {
            bool parent = false;
            for (std::int32_t u : model.m_faces[f].m_indices)
                parent = parent || v[u].m_boneIndex == p;
            if (parent)
                for (std::int32_t u : model.m_faces[f].m_indices)
                    if (v[u].m_boneIndex == k)
                        v[u].m_weight = static_cast<float>(n) / h;
        }
    }
    for (float f = static_cast<float>(n); f >= 2.0f; f -= 1.0f)
        for (std::size_t j = 0; j < v.size(); ++j) {
            const float g = v[j].m_weight;
            if (v[j].m_boneIndex != k || !(f / h <= g && g < (f + 1) / h))
                continue;
            for (std::int32_t face : model.m_vertexNormals[j].m_faces)
                for (std::int32_t u : model.m_faces[face].m_indices)
                    if (v[u].m_boneIndex == k && v[u].m_weight == 1.0f)
                        v[u].m_weight = (f - 1) / h;
        }
}

}  // namespace

TEST(WeightGradient, RingsRunInwardFromTheParent)
{
    // Rows 0-1 bone A (root), rows 2-7 bone B (child of A).
    const std::vector<std::int32_t> rows = {0, 0, 1, 1, 1, 1, 1, 1};
    StripScene strip(rows, {-1, 0});

    strip.scene.SetWeightMapRange(2);
    EXPECT_EQ(strip.scene.m_weightMapRange, 2);
    EXPECT_EQ(strip.row(0), 1.0f);
    EXPECT_EQ(strip.row(1), 1.0f);  // a root's vertices stay rigid
    EXPECT_EQ(strip.row(2), 2.0f / 3.0f);
    EXPECT_EQ(strip.row(3), 1.0f / 3.0f);
    for (std::int32_t r = 4; r < 8; ++r)
        EXPECT_EQ(strip.row(r), 1.0f);

    strip.scene.SetWeightMapRange(3);
    EXPECT_EQ(strip.row(2), 0.75f);
    EXPECT_EQ(strip.row(3), 0.5f);
    EXPECT_EQ(strip.row(4), 0.25f);
    EXPECT_EQ(strip.row(5), 1.0f);

    strip.scene.SetWeightMapRange(1);
    EXPECT_EQ(strip.row(2), 0.5f);
    EXPECT_EQ(strip.row(3), 1.0f);

    // Range 0 (or less) leaves every weight at 1, whatever was there before.
    strip.scene.SetWeightMapRange(3);
    strip.scene.SetWeightMapRange(0);
    for (std::int32_t r = 0; r < 8; ++r)
        EXPECT_EQ(strip.row(r), 1.0f);
    strip.scene.SetWeightMapRange(-2);
    EXPECT_EQ(strip.row(2), 1.0f);

    // More rings than rows: every row of B gets one.
    strip.scene.SetWeightMapRange(10);
    EXPECT_EQ(strip.row(2), 10.0f / 11.0f);
    EXPECT_EQ(strip.row(7), 5.0f / 11.0f);

    // An absurd range finishes at once; its rings are so thin that they round to 1.
    strip.scene.SetWeightMapRange(std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(strip.row(2), 1.0f);
}

TEST(WeightGradient, RootBonesAndBonesReachedOnlyThroughOthersStayRigid)
{
    // Rows: A A B C B B, with B and C both children of A. B's rows 4-5 touch B's border row 2
    // only through C's row 3; C touches no vertex of A.
    StripScene strip({0, 0, 1, 2, 1, 1}, {-1, 0, 0});
    strip.scene.SetWeightMapRange(3);
    EXPECT_EQ(strip.row(2), 0.75f);
    EXPECT_EQ(strip.row(3), 1.0f);
    EXPECT_EQ(strip.row(4), 1.0f);
    EXPECT_EQ(strip.row(5), 1.0f);

    // A bone whose parent is -1 keeps 1.0 even beside another bone.
    StripScene roots({0, 0, 1, 1}, {-1, -1});
    roots.scene.SetWeightMapRange(2);
    EXPECT_EQ(roots.row(2), 1.0f);
}

TEST(WeightGradient, SceneCoversEveryModelAndIgnoresUnknownBones)
{
    CCentigrade scene;
    for (int m = 0; m < 2; ++m) {
        scene.m_models.push_back(MakeGrid(3, 4));
        BindRows(scene.m_models.back(), 3, 0, 0, 0);
        BindRows(scene.m_models.back(), 3, 1, 3, 1);
    }
    scene.m_models[1].m_vertices[5].m_boneIndex = 7;  // a bone id no bone has: ignored
    scene.m_bones.resize(2);
    scene.m_bones[1].m_id = 1;
    scene.m_bones[0].m_parent = -1;
    scene.m_bones[1].m_parent = 0;
    scene.SetWeightMapRange(2);
    for (const CModel& model : scene.m_models) {
        EXPECT_EQ(model.m_vertices[3].m_weight, 2.0f / 3.0f);
        EXPECT_EQ(model.m_vertices[6].m_weight, 1.0f / 3.0f);
        EXPECT_EQ(model.m_vertices[9].m_weight, 1.0f);
    }

}

TEST(WeightGradient, MatchesTheRingByRingScanOnRandomBindings)
{
    std::mt19937 random(42);
    std::uniform_int_distribution<int> boneOf(0, 3);
    std::uniform_int_distribution<int> percent(0, 99);
    constexpr std::int32_t kSide = 14;
    for (int round = 0; round < 60; ++round) {
        CModel model = MakeGrid(kSide, kSide);
        // Some triangles and lines over the grid's vertices, for irregular neighbourhoods.
        std::uniform_int_distribution<int> vertex(0, kSide * kSide - 1);
        for (int t = 0; t < 8; ++t) {
            if (percent(random) < 50)
                model.m_faces.push_back(MakeFace({vertex(random), vertex(random), vertex(random)}));
            else
                model.m_faces.push_back(MakeFace({vertex(random), vertex(random)}));
        }
        model.BuildSmoothingLists();
        // Slanted bands of bones a few vertices wide, so that rings form, with stray vertices
        // of other bones and weights left over from elsewhere, many of them exactly on a ring.
        const std::int32_t rings = 1 + round % 7;
        const std::int32_t width = 2 + round % 5;
        const std::int32_t slant = round % 3;
        for (std::int32_t r = 0; r < kSide; ++r)
            for (std::int32_t c = 0; c < kSide; ++c) {
                CVector& v = model.m_vertices[r * kSide + c];
                v.m_boneIndex = percent(random) < 8 ? boneOf(random) : ((r + slant * c / 2) / width) % 4;
                v.m_weight = 1.0f;
                if (percent(random) < 10)
                    v.m_weight = static_cast<float>(percent(random) % (rings + 2)) / static_cast<float>(rings + 1);
            }
        const std::int32_t bone = boneOf(random);
        const std::int32_t parent = round % 9 == 0 ? bone : (bone + 3) % 4;
        CModel expected = model;
        ReferenceGradient(expected, rings, bone, parent);
        model.BuildWeightGradient(rings, bone, parent);
        for (std::size_t i = 0; i < model.m_vertices.size(); ++i)
            ASSERT_EQ(model.m_vertices[i].m_weight, expected.m_vertices[i].m_weight) << "round " << round << " vertex " << i;
    }
}

TEST(ConnectedBinding, BindsOnlyThePieceOfTheStartVertex)
{
    // Two separate quads side by side (vertices 0-3 and 4-7) and a lone vertex 8.
    CModel model;
    for (int i = 0; i < 9; ++i)
        model.m_vertices.emplace_back(static_cast<float>(i), 1.0f, 2.0f);
    model.m_vertices[1].m_weight = 0.25f;
    model.m_faces = {MakeFace({0, 1, 2}), MakeFace({0, 2, 3}), MakeFace({4, 5, 6, 7})};
    model.BuildSmoothingLists();
    model.ResetDeformedVertices();
    model.m_deformedVertices[1] = CVector(9, 9, 9);  // posed somewhere else

    model.ClearVertexMarks();
    model.BindConnectedVertices(3, 5);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(model.m_vertices[i].m_boneIndex, 5);
        EXPECT_EQ(model.m_vertices[i].m_mark, 1);  // marks stay for the caller to clear
        EXPECT_EQ(model.m_deformedVertices[i].m_boneIndex, 5);
        EXPECT_EQ(model.m_deformedVertices[i].m_mark, 0);
    }
    EXPECT_EQ(model.m_deformedVertices[1].m_x, 1.0f);  // back to its rest position and weight
    EXPECT_EQ(model.m_deformedVertices[1].m_weight, 0.25f);
    for (int i = 4; i < 9; ++i) {
        EXPECT_EQ(model.m_vertices[i].m_boneIndex, -1);
        EXPECT_EQ(model.m_vertices[i].m_mark, 0);
    }

    // A vertex without faces binds nothing, not even itself; nor does one the model lacks.
    model.BindConnectedVertices(8, 6);
    model.BindConnectedVertices(-1, 6);
    model.BindConnectedVertices(9, 6);
    EXPECT_EQ(model.m_vertices[8].m_boneIndex, -1);

    // Marked vertices are passed over and the walk does not go through them.
    model.ClearVertexMarks();
    model.m_vertices[0].m_mark = 1;
    model.m_vertices[2].m_mark = 1;
    model.BindConnectedVertices(1, 7);
    EXPECT_EQ(model.m_vertices[1].m_boneIndex, 7);
    EXPECT_EQ(model.m_vertices[3].m_boneIndex, 5);
}

TEST(ConnectedBinding, DeepPieceNeedsNoDeepCallStack)
{
    // A strip two vertices wide and 500,000 long: the walk goes a million vertices deep.
    constexpr std::int32_t kLength = 500000;
    CModel model = MakeGrid(2, kLength);
    model.ClearVertexMarks();
    model.BindConnectedVertices(0, 1);
    std::size_t bound = 0;
    for (const CVector& v : model.m_vertices)
        bound += v.m_boneIndex == 1;
    EXPECT_EQ(bound, model.m_vertices.size());
    EXPECT_EQ(model.m_deformedVertices.back().m_boneIndex, 1);
}

TEST(ConnectedBinding, MissingVerticesAndStaleFaceListsAreSkipped)
{
    CModel model = MakeGrid(3, 3);
    model.m_faces[0].m_indices = {0, 1, 99, -4};  // names vertices the model lacks
    model.m_vertexNormals[4].m_faces.push_back(1000);  // a face list out of date
    model.m_deformedVertices.resize(2);  // deformed copy shorter than the rest vertices
    model.ClearVertexMarks();
    model.BindConnectedVertices(4, 2);
    for (std::size_t i = 0; i < model.m_vertices.size(); ++i)
        EXPECT_EQ(model.m_vertices[i].m_boneIndex, 2) << i;
    EXPECT_EQ(model.m_deformedVertices[1].m_boneIndex, 2);

    // The gradient walks the same lists.
    for (std::size_t i = 0; i < 3; ++i)
        model.m_vertices[i].m_boneIndex = 0;
    model.SetAllWeights(1.0f);
    model.BuildWeightGradient(2, 2, 0);
    EXPECT_EQ(model.m_vertices[4].m_weight, 2.0f / 3.0f);
    EXPECT_EQ(model.m_vertices[7].m_weight, 1.0f / 3.0f);
}

TEST(BoneVertexLists, UnknownBoneIdsAreInNoListAndEachModelReplacesTheLast)
{
    CCentigrade scene;
    scene.m_bones.resize(2);
    scene.m_bones[1].m_id = 1;
    scene.m_models.resize(2);
    scene.m_models[0].m_vertices.resize(3);
    scene.m_models[0].m_vertices[0].m_boneIndex = 1;
    scene.m_models[0].m_vertices[1].m_boneIndex = 9;  // no bone has id 9
    scene.m_models[0].m_vertices[2].m_boneIndex = 1;
    scene.m_models[1].m_vertices.resize(1);
    scene.m_models[1].m_vertices[0].m_boneIndex = 0;

    scene.m_models[0].BuildBoneVertexLists(scene.m_bones);
    EXPECT_TRUE(scene.m_bones[0].m_boundVertices.empty());
    EXPECT_EQ(scene.m_bones[1].m_boundVertices, (std::vector<std::int32_t>{0, 2}));
    scene.BuildBoneVertexLists();  // every model in turn: the last one's lists remain
    EXPECT_EQ(scene.m_bones[0].m_boundVertices, (std::vector<std::int32_t>{0}));
    EXPECT_TRUE(scene.m_bones[1].m_boundVertices.empty());
}

// The one-pass lists equal the per-bone scan on a real model with its own bones, bound at
// random, also to ids no bone has; then with bones whose ids are shared, negative (-1 takes
// the unbound vertices) or beyond the bone count.
TEST(BoneVertexLists, OnePassGivesTheListsOfTheScanPerBone)
{
    CCentigrade scene;
    ASSERT_TRUE(scene.ImportMqo(std::string(KMX_TEST_DATA_DIR) + "/viewport/ninja_bones.mqo"));
    ASSERT_EQ(scene.m_models.size(), 1u);
    ASSERT_GE(scene.m_bones.size(), 6u);
    CModel& model = scene.m_models[0];
    const std::int32_t bones = static_cast<std::int32_t>(scene.m_bones.size());
    std::mt19937 random(15);
    std::uniform_int_distribution<std::int32_t> pick(-2, bones + 1);
    for (CVector& v : model.m_vertices)
        v.m_boneIndex = pick(random);

    const auto expectSameLists = [&] {
        model.BuildBoneVertexLists(scene.m_bones);
        for (const CBone& bone : scene.m_bones) {
            std::vector<std::int32_t> scanned;  // every vertex whose bone index is the bone's id
            for (std::size_t i = 0; i < model.m_vertices.size(); ++i)
                if (model.m_vertices[i].m_boneIndex == bone.m_id)
                    scanned.push_back(static_cast<std::int32_t>(i));
            EXPECT_EQ(bone.m_boundVertices, scanned) << bone.m_name;
        }
    };
    expectSameLists();
    scene.m_bones[1].m_id = 3;        // shares id 3 with bone 3
    scene.m_bones[2].m_id = -1;       // the unbound vertices
    scene.m_bones[4].m_id = bones + 1;
    scene.m_bones[5].m_id = std::numeric_limits<std::int32_t>::min();
    expectSameLists();
    EXPECT_FALSE(scene.m_bones[2].m_boundVertices.empty());
    EXPECT_EQ(scene.m_bones[1].m_boundVertices, scene.m_bones[3].m_boundVertices);
}
