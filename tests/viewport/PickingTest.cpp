// Picking through the selection buffer on an offscreen context.
#include "glsupport/OffscreenView.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "viewport/GizmoTables.h"
#include "viewport/SceneBuilders.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class Picking : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(view.ok()); }

    std::array<int, 2> At(double x, double y, double z)
    {
        const auto p = view.Project(x, y, z);
        return {static_cast<int>(std::lround(p[0])), static_cast<int>(std::lround(p[1]))};
    }

    bool PickAt(double x, double y, double z)
    {
        const auto p = At(x, y, z);
        return g_scene.Pick(p[0], p[1]);
    }

    OffscreenView view;
};

TEST_F(Picking, EachGizmoHandleIsPickedInItsEditMode)
{
    g_scene.m_bones.push_back(MakeBone(0, -1, CVector(0, 0, 0), CVector(0, 50, 0)));
    g_scene.m_showBones = false;  // the gizmo alone
    g_scene.m_selectedBone = 0;
    const double s = 0.6;  // 60 / zoom model units per gizmo unit
    const double r = 83 * 0.70710678 * s;  // on a ring, between two of its sections

    struct Case {
        std::int32_t mode;
        double x, y, z;
        std::int32_t handle;
    };
    const Case cases[] = {
        {EditModeTranslate, 90 * s, 0, 0, GizmoHandleX},
        {EditModeTranslate, 0, 90 * s, 0, GizmoHandleY},
        {EditModeTranslate, 0, 0, 90 * s, GizmoHandleZ},
        {EditModeTranslate, 0, 0, 0, GizmoHandleCenter},
        {EditModeRotate, 0, -r, r, GizmoHandleX},
        {EditModeRotate, r, 0, r, GizmoHandleY},
        {EditModeRotate, -r, -r, 0, GizmoHandleZ},
        {EditModeRotate, 0, 0, 0, GizmoHandleCenter},
        {EditModeScale, 85 * s, 0, 0, GizmoHandleX},
        {EditModeScale, 0, 85 * s, 0, GizmoHandleY},
        {EditModeScale, 0, 0, 85 * s, GizmoHandleZ},
        {EditModeScale, 0, 0, 0, GizmoHandleCenter},
    };
    for (const Case& c : cases) {
        g_scene.m_editMode = c.mode;
        g_scene.m_activeHandle = GizmoHandleNone;
        g_scene.RenderScene();
        EXPECT_TRUE(PickAt(c.x, c.y, c.z)) << c.mode << " " << c.handle;
        EXPECT_EQ(g_scene.m_activeHandle, c.handle) << "mode " << c.mode;
        EXPECT_EQ(g_scene.m_selectedBone, 0);
    }
    // Empty space: no hit, nothing selected, no handle.
    EXPECT_FALSE(PickAt(400, 0, 0));
    EXPECT_EQ(g_scene.m_activeHandle, GizmoHandleNone);
    EXPECT_EQ(g_scene.m_selectedBone, 0);
}

TEST_F(Picking, ABonePickSelectsTheBoneWithTheCentreHandle)
{
    g_scene.m_bones.push_back(MakeBone(0, -1, CVector(-80, 0, 0), CVector(-20, 0, 0)));
    g_scene.m_bones.push_back(MakeBone(1, -1, CVector(40, 20, 0), CVector(90, 40, 0)));
    g_scene.m_editMode = EditModeTranslate;
    g_scene.m_selectedBone = 0;
    g_scene.RenderScene();
    EXPECT_TRUE(PickAt(65, 30, 0));  // the middle of bone 1's segment
    EXPECT_EQ(g_scene.m_selectedBone, 1);
    EXPECT_EQ(g_scene.m_activeHandle, GizmoHandleCenter);

    // In rubber-band mode bones are not pickable.
    g_scene.m_editMode = EditModeRubberBand;
    const auto p = At(-50, 0, 0);
    g_scene.m_selectionRect = {p[0], p[1], p[0], p[1]};
    EXPECT_FALSE(g_scene.Pick(p[0], p[1]));
    EXPECT_EQ(g_scene.m_selectedBone, 1);
}

TEST_F(Picking, AJointSeenFromAboveCanBeClickedAnywhere)
{
    // Looking straight down the Y axis at a bone lying along X; a narrow field of view makes
    // the joint large enough to click beside its line.
    g_scene.m_camera.m_rotate = CVector(90, 0, 0);
    g_scene.m_fieldOfView = 2.0f;
    g_scene.m_bones.push_back(MakeBone(0, -1, CVector(0, 0, 0), CVector(100, 0, 0)));
    g_scene.m_editMode = EditModeTranslate;
    g_scene.RenderScene();
    const auto head = At(0, 0, 0);
    const auto joint = At(-4.5, 0, 0);  // radius 6 model units; the line runs the other way
    ASSERT_GE(head[0] - joint[0], 12);
    for (const auto& offset : {std::array<int, 2>{0, 0}, std::array<int, 2>{0, 5}, std::array<int, 2>{0, -5}}) {
        g_scene.m_selectedBone = -1;
        EXPECT_TRUE(g_scene.Pick(joint[0] + offset[0], joint[1] + offset[1]));
        EXPECT_EQ(g_scene.m_selectedBone, 0);
        EXPECT_EQ(g_scene.m_activeHandle, GizmoHandleCenter);
    }
}

TEST_F(Picking, AClickBindsTheNearestVertexOrUnbindsItWithShift)
{
    CModel model = MakeQuadModel(0, 0, 0, 100, true);
    model.m_vertices.emplace_back(0, 0, 100);  // in front of the bone's joint
    model.ResetDeformedVertices();
    g_scene.m_models.push_back(model);
    g_scene.m_bones.push_back(MakeBone(0, -1, CVector(0, 0, 0), CVector(0, 30, 0)));
    g_scene.m_bones.push_back(MakeBone(1, -1, CVector(200, 0, 0), CVector(200, 30, 0)));
    g_scene.m_selectedBone = 1;
    g_scene.m_editMode = EditModeVertexSelect;
    g_scene.RenderScene();

    EXPECT_TRUE(PickAt(50, 50, 0));
    std::vector<CVector>& rest = g_scene.m_models[0].m_vertices;
    EXPECT_EQ(rest[1].m_boneIndex, 1);
    EXPECT_EQ(g_scene.m_models[0].m_deformedVertices[1].m_boneIndex, 1);
    EXPECT_EQ(g_scene.m_bones[1].m_boundVertices, (std::vector<std::int32_t>{1}));
    EXPECT_EQ(rest[0].m_boneIndex, -1);

    g_scene.m_shiftDown = true;
    EXPECT_TRUE(PickAt(50, 50, 0));
    EXPECT_EQ(rest[1].m_boneIndex, -1);
    EXPECT_TRUE(g_scene.m_bones[1].m_boundVertices.empty());
    g_scene.m_shiftDown = false;

    // A bone hit beats a nearer vertex; with bones hidden the vertex is bound.
    EXPECT_TRUE(PickAt(0, 0, 0));
    EXPECT_EQ(g_scene.m_selectedBone, 0);
    EXPECT_EQ(rest[4].m_boneIndex, -1);
    g_scene.m_showBones = false;
    g_scene.RenderScene();
    EXPECT_TRUE(PickAt(0, 0, 100));
    EXPECT_EQ(rest[4].m_boneIndex, 0);
}

TEST_F(Picking, ARubberBandBindsManyThousandsOfVertices)
{
    // 150 x 150 vertices inside the band and a ring of vertices outside it: far more hit
    // records than a fixed buffer of 100000 words holds.
    const int n = 150;
    CModel grid = MakeGridModel(n, -60, 60, -60, 60, 0);
    const std::size_t inside = grid.m_vertices.size();
    for (int k = 0; k < 40; ++k) {
        const double a = k * 2 * M_PI / 40;
        grid.m_vertices.emplace_back(static_cast<float>(130 * std::cos(a)), static_cast<float>(130 * std::sin(a)), 0.0f);
    }
    grid.ResetDeformedVertices();
    g_scene.m_models.push_back(grid);
    g_scene.m_bones.push_back(MakeBone(0, -1, CVector(0, 0, 0), CVector(0, 30, 0)));
    g_scene.m_selectedBone = 0;
    g_scene.m_editMode = EditModeRubberBand;
    g_scene.RenderScene();

    const auto topLeft = At(-80, 80, 0);
    const auto bottomRight = At(80, -80, 0);
    g_scene.m_selectionRect = {bottomRight[0], bottomRight[1], topLeft[0], topLeft[1]};
    EXPECT_TRUE(g_scene.Pick(0, 0));
    EXPECT_EQ(g_scene.m_selectionRect, (std::array<std::int32_t, 4>{topLeft[0], topLeft[1], bottomRight[0], bottomRight[1]}));
    const std::vector<CVector>& rest = g_scene.m_models[0].m_vertices;
    std::size_t bound = 0;
    for (std::size_t i = 0; i < rest.size(); ++i)
        if (rest[i].m_boneIndex == 0) {
            ++bound;
            EXPECT_LT(i, inside);
        }
    EXPECT_EQ(bound, inside);
    EXPECT_EQ(g_scene.m_bones[0].m_boundVertices.size(), inside);

    // The same band drawn the other way with Shift unbinds them again.
    g_scene.m_shiftDown = true;
    g_scene.m_selectionRect = {topLeft[0], topLeft[1], bottomRight[0], bottomRight[1]};
    EXPECT_TRUE(g_scene.Pick(0, 0));
    for (const CVector& v : rest)
        EXPECT_EQ(v.m_boneIndex, -1);
}

TEST_F(Picking, AZeroSizeBandPicksWithOnePixel)
{
    CModel model;
    model.m_vertices = {CVector(0, 0, 0), CVector(3, 0, 0)};
    model.ResetDeformedVertices();
    g_scene.m_models.push_back(model);
    g_scene.m_selectedBone = 2;
    g_scene.m_editMode = EditModeRubberBand;
    g_scene.RenderScene();
    const auto p = At(0, 0, 0);
    g_scene.m_selectionRect = {p[0], p[1], p[0], p[1]};
    EXPECT_TRUE(g_scene.Pick(p[0], p[1]));
    EXPECT_EQ(g_scene.m_models[0].m_vertices[0].m_boneIndex, 2);
    EXPECT_EQ(g_scene.m_models[0].m_vertices[1].m_boneIndex, -1);
}

TEST_F(Picking, VerticesArePickedWhereThePoseHasMovedThem)
{
    CModel model;
    model.m_vertices = {CVector(0, 50, 0)};
    model.m_vertices[0].m_boneIndex = 0;
    model.ResetDeformedVertices();
    g_scene.m_models.push_back(model);
    g_scene.m_bones.push_back(MakeBone(0, -1, CVector(-100, 0, 0), CVector(-100, 30, 0)));
    g_scene.m_bones.push_back(MakeBone(1, -1, CVector(100, -100, 0), CVector(100, -70, 0)));
    g_scene.m_bones[0].m_animations[0][0].m_translate = CVector(60, 0, 0);
    g_scene.BuildBoneVertexLists();
    g_scene.m_selectedBone = 1;
    g_scene.RenderScene();
    EXPECT_FLOAT_EQ(g_scene.m_models[0].m_deformedVertices[0].m_x, 60.0f);

    EXPECT_FALSE(PickAt(0, 50, 0));  // the rest position is empty
    EXPECT_EQ(g_scene.m_models[0].m_vertices[0].m_boneIndex, 0);
    EXPECT_TRUE(PickAt(60, 50, 0));
    EXPECT_EQ(g_scene.m_models[0].m_vertices[0].m_boneIndex, 1);
}

TEST_F(Picking, ConnectedSelectBindsThePiecesOfThePickedVertexOnly)
{
    CModel model = MakeQuadModel(-50, 0, 0, 40, true);
    const CModel other = MakeQuadModel(50, 0, 0, 40, true);
    for (CFace face : other.m_faces) {
        for (std::int32_t& i : face.m_indices)
            i += 4;
        model.m_faces.push_back(face);
    }
    model.m_vertices.insert(model.m_vertices.end(), other.m_vertices.begin(), other.m_vertices.end());
    model.m_vertices.emplace_back(0, 60, 0);  // a vertex of no face
    SetFlatNormals(model);
    model.ResetDeformedVertices();
    g_scene.m_models.push_back(model);
    g_scene.m_bones.push_back(MakeBone(0, -1, CVector(0, -100, 0), CVector(0, -70, 0)));
    g_scene.m_selectedBone = 0;
    g_scene.m_editMode = EditModeConnectedSelect;
    g_scene.m_shiftDown = true;  // plays no part here
    g_scene.RenderScene();

    EXPECT_TRUE(PickAt(-30, 20, 0));
    const std::vector<CVector>& rest = g_scene.m_models[0].m_vertices;
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(rest[i].m_boneIndex, i < 4 ? 0 : -1) << i;
    EXPECT_EQ(g_scene.m_bones[0].m_boundVertices, (std::vector<std::int32_t>{0, 1, 2, 3}));
    EXPECT_TRUE(PickAt(0, 60, 0));
    EXPECT_EQ(rest[8].m_boneIndex, -1);
}

// Hit records are read by their own name counts and never past the end of the buffer.
TEST(PickHits, RecordsAreParsedByTheirNameCountsWithinTheBuffer)
{
    g_scene.ResetScene();
    g_scene.m_bones.push_back(MakeBone(0, -1, CVector(), CVector(0, 1, 0)));
    g_scene.m_bones.push_back(MakeBone(1, -1, CVector(), CVector(0, 1, 0)));
    CModel model;
    model.m_vertices.resize(3);
    model.ResetDeformedVertices();
    g_scene.m_models.push_back(model);
    g_scene.m_editMode = EditModeVertexSelect;
    g_scene.m_selectedBone = 1;
    g_scene.m_shiftDown = false;
    const unsigned near = 0x10000000u, far = 0x20000000u;

    // A record with one name (not ours), then a bone hit, then a nearer vertex hit of four names.
    const unsigned buffer[] = {1, near, near, 7,
                               3, far, far, PickNameBone, PickNameBone, 0,
                               4, near, near, PickNameVertex, 0, 2, 99};
    g_scene.ProcessPickHits(3, buffer, std::size(buffer));
    EXPECT_EQ(g_scene.m_selectedBone, 0);  // a bone hit decides even when a vertex is nearer
    EXPECT_EQ(g_scene.m_activeHandle, GizmoHandleCenter);

    // A vertex record cut short by the end of the buffer is ignored.
    g_scene.m_selectedBone = 1;
    const unsigned truncated[] = {3, near, near, PickNameVertex, 0, 1, 3, near, near, PickNameVertex, 0};
    g_scene.ProcessPickHits(2, truncated, std::size(truncated));
    EXPECT_EQ(g_scene.m_models[0].m_vertices[1].m_boneIndex, 1);
    EXPECT_EQ(g_scene.m_models[0].m_vertices[2].m_boneIndex, -1);

    // Names of vertices and models that do not exist change nothing.
    const unsigned stray[] = {3, near, near, PickNameVertex, 5, 0, 3, near, near, PickNameVertex, 0, 70000};
    g_scene.ProcessPickHits(2, stray, std::size(stray));
    g_scene.m_editMode = EditModeRubberBand;
    g_scene.ProcessPickHits(2, stray, std::size(stray));
    EXPECT_EQ(g_scene.m_models[0].m_vertices[0].m_boneIndex, -1);

    // More hits claimed than the buffer holds.
    g_scene.ProcessPickHits(1000, truncated, 2);
}

}  // namespace
