// The render pass on an offscreen context: pixels at points projected from known geometry.
#include "glsupport/OffscreenView.h"
#include "import/LoaderBG.h"
#include "platform/FileSystem.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "support/TempFiles.h"
#include "viewport/SceneBuilders.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const Rgb kBackground{30, 65, 90};
const Rgb kLitGrey{227, 227, 227};  // default material, light along the view axis

class RenderPass : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(view.ok());
        // Look straight down -Z; the origin sits in the middle of the view.
        g_scene.m_camera.m_rotate = CVector(0, 0, 0);
        g_scene.m_materials.emplace_back();
    }

    void ShowOnly(bool faces, bool edges, bool vertices, bool bones, bool grid)
    {
        g_scene.m_showFaces = faces;
        g_scene.m_showEdges = edges;
        g_scene.m_showVertices = vertices;
        g_scene.m_showBones = bones;
        g_scene.m_showGrid = grid;
    }

    Rgb PixelAt(double x, double y, double z, const float* model = nullptr)
    {
        const auto p = view.Project(x, y, z, model);
        return view.Pixel(static_cast<int>(p[0]), static_cast<int>(p[1]));
    }

    bool ColourNear(double x, double y, double z, Rgb colour, int radius = 2)
    {
        const auto p = view.Project(x, y, z);
        return view.ColourNear(static_cast<int>(p[0]), static_cast<int>(p[1]), colour, radius);
    }

    OffscreenView view;
};

bool Near(Rgb a, Rgb b, int tolerance = 2)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

TEST_F(RenderPass, AxesAndGridUnderTheDefaultCamera)
{
    g_scene.ResetCamera();
    ShowOnly(false, false, false, false, true);
    g_scene.RenderScene();
    EXPECT_TRUE(ColourNear(150, 0, 0, {255, 0, 0}));
    EXPECT_TRUE(ColourNear(0, 120, 0, {0, 255, 0}));
    EXPECT_TRUE(ColourNear(0, 0, 150, {0, 0, 255}));
    EXPECT_TRUE(ColourNear(-100, 0, 0, {91, 105, 91}));  // grey negative X half
    EXPECT_TRUE(ColourNear(0, 0, -100, {91, 105, 91}));  // grey negative Z half
    EXPECT_EQ(view.Pixel(2, 2), kBackground);
    // Seen edge-on, the ground plane is one line; there is no negative Y half below it.
    g_scene.m_camera.m_rotate = CVector(0, 0, 0);
    g_scene.RenderScene();
    EXPECT_TRUE(ColourNear(0, 120, 0, {0, 255, 0}));
    EXPECT_EQ(PixelAt(0, -120, 0), kBackground);
}

TEST_F(RenderPass, FacesAreLitTowardsTheViewerAndTheOtherWindingIsCulled)
{
    ShowOnly(true, false, false, false, false);
    g_scene.m_models.push_back(MakeQuadModel(-40, 0, 0, 60, true));
    g_scene.m_models.push_back(MakeQuadModel(40, 0, 0, 60, false));
    g_scene.RenderScene();
    EXPECT_TRUE(Near(PixelAt(-40, 0, 0), kLitGrey)) << PixelAt(-40, 0, 0).r;
    EXPECT_EQ(PixelAt(40, 0, 0), kBackground);
}

TEST_F(RenderPass, FacesTakeTheirMaterialThroughTheCurrentAnimationsMap)
{
    ShowOnly(true, false, false, false, false);
    CMaterial red(1);
    red.m_color = {1.0f, 0.0f, 0.0f, 1.0f};
    red.UpdateGlColors();
    g_scene.m_materials.push_back(red);
    g_scene.m_models.push_back(MakeQuadModel(-40, 0, 0, 30, true, 0));
    g_scene.m_models.push_back(MakeQuadModel(40, 0, 0, 30, true, 5));  // index beyond the map
    g_scene.m_materialMaps = {{1, 0}};
    g_scene.RenderScene();
    // ambient 0.2 * 0.25 + 0.25 * 0.25 and full diffuse: 1.1125 of red, clamped.
    EXPECT_TRUE(Near(PixelAt(-40, 0, 0), {255, 0, 0})) << PixelAt(-40, 0, 0).g;
    EXPECT_EQ(PixelAt(40, 0, 0), kBackground);  // identity entry: material 5, which does not exist

    g_scene.m_models[1].m_faces[0].m_material = 2;  // beyond the map: drawn as material id 2
    g_scene.m_materials[0].m_id = 2;
    g_scene.RenderScene();
    EXPECT_TRUE(Near(PixelAt(40, 0, 0), kLitGrey));

    // An animation without a map falls back to the identity: index 0 gets material id 0.
    g_scene.m_materials[0].m_id = 0;
    g_currentAnimation = 3;
    g_scene.RenderScene();
    EXPECT_TRUE(Near(PixelAt(-40, 0, 0), kLitGrey));
}

TEST_F(RenderPass, BackgroundModelsAreDrawnFromTheirListEvenWithFacesHidden)
{
    ShowOnly(false, false, false, false, false);
    CMaterial red(4);
    red.m_color = {1.0f, 0.0f, 0.0f, 1.0f};
    red.UpdateGlColors();
    g_scene.m_backgroundMaterials.push_back(red);
    g_scene.m_backgroundModels.push_back(MakeQuadModel(-40, 0, 0, 30, true, 4));
    g_scene.m_backgroundModels.back().m_deformedVertices.clear();  // as the reader leaves them
    g_scene.m_backgroundModels.push_back(MakeQuadModel(40, 0, 0, 30, true, 0));  // no such material
    g_scene.CompileBackgroundList();
    g_scene.RenderScene();
    EXPECT_TRUE(Near(PixelAt(-40, 0, 0), {255, 0, 0}));
    EXPECT_EQ(PixelAt(40, 0, 0), kBackground);

    // The list keeps what it was compiled from until it is compiled again.
    g_scene.m_backgroundModels.clear();
    g_scene.m_backgroundModels.push_back(MakeQuadModel(40, 0, 0, 30, true, 4));
    g_scene.RenderScene();
    EXPECT_EQ(PixelAt(40, 0, 0), kBackground);
    EXPECT_TRUE(Near(PixelAt(-40, 0, 0), {255, 0, 0}));
    g_scene.CompileBackgroundList();
    g_scene.RenderScene();
    EXPECT_EQ(PixelAt(-40, 0, 0), kBackground);
    EXPECT_TRUE(Near(PixelAt(40, 0, 0), {255, 0, 0}));
}

TEST_F(RenderPass, ALoadedBackgroundFileIsDrawnWithItsTextureMapped)
{
    ShowOnly(false, false, false, false, false);
    testsupport::TempDir dir;
    dir.Write("two.ppm", std::string("P6\n2 1\n255\n\xFF\x00\x00\x00\x00\xFF", 17));  // red, then blue
    // A quad facing the viewer whose UVs follow a UID item: red on the left, blue on the right.
    dir.Write("wall.mqo", "Metasequoia Document\nFormat Text Ver 1.0\nMaterial 1 {\n\"m\" col(1 1 1 1) tex(\"two.ppm\")\n}\n"
                          "Object \"wall\" {\nvertex 4 {\n-30 30 0\n30 30 0\n30 -30 0\n-30 -30 0\n}\n"
                          "face 1 {\n4 V(0 1 2 3) M(0) UID(9) UV(0 0 1 0 1 1 0 1)\n}\n}\n");
    std::string folder;
    ASSERT_TRUE(fs_cp932::CurrentFolder(folder));
    EXPECT_TRUE(ImportBackgroundMqo(dir.File("wall.mqo")));
    fs_cp932::SetCurrentFolder(folder);
    g_scene.RecomputeBackgroundNormals();
    g_scene.CompileBackgroundList();
    g_scene.RenderScene();
    // Texel centres; filtering may blend in a few steps of the other texel.
    EXPECT_TRUE(Near(PixelAt(-15, 0, 0), {255, 0, 0}, 12));
    EXPECT_TRUE(Near(PixelAt(15, 0, 0), {0, 0, 255}, 12));
    EXPECT_EQ(PixelAt(45, 0, 0), kBackground);
}

TEST_F(RenderPass, VerticesAreColouredByTheirBinding)
{
    ShowOnly(false, false, true, false, false);
    CModel model;
    model.m_vertices = {CVector(-60, 0, 0), CVector(0, 0, 0), CVector(60, 0, 0)};
    model.m_vertices[0].m_boneIndex = 0;
    model.m_vertices[1].m_boneIndex = 0;
    model.m_vertices[1].m_weight = 0.5f;
    model.m_vertices[2].m_boneIndex = 1;
    model.ResetDeformedVertices();
    g_scene.m_models.push_back(model);
    g_scene.m_selectedBone = 0;
    g_scene.RenderScene();
    EXPECT_EQ(PixelAt(-60, 0, 0), OffscreenView::ToRgb(g_scene.m_selectedLineColor));
    EXPECT_TRUE(Near(PixelAt(0, 0, 0), {128, 128, 128}, 1));
    EXPECT_EQ(PixelAt(60, 0, 0), OffscreenView::ToRgb(g_scene.m_lineColor));

    g_scene.m_selectedBone = 1;
    g_scene.RenderScene();
    EXPECT_EQ(PixelAt(-60, 0, 0), OffscreenView::ToRgb(g_scene.m_lineColor));
    EXPECT_EQ(PixelAt(60, 0, 0), OffscreenView::ToRgb(g_scene.m_selectedLineColor));
}

TEST_F(RenderPass, BonesAreDrawnOverFacesInFrontOfThem)
{
    ShowOnly(true, false, false, true, false);
    g_scene.m_models.push_back(MakeQuadModel(0, 0, 100, 150, true));  // nearer than the bone
    g_scene.m_bones.push_back(MakeBone(0, -1, CVector(-60, -40, 0), CVector(60, -40, 0)));
    g_scene.m_bones.push_back(MakeBone(1, -1, CVector(-60, 40, 0), CVector(60, 40, 0)));
    g_scene.m_selectedBone = 1;
    g_scene.RenderScene();
    EXPECT_TRUE(ColourNear(0, -40, 0, {255, 255, 0}, 1));
    EXPECT_TRUE(ColourNear(0, 40, 0, {255, 0, 0}, 1));
    EXPECT_TRUE(Near(PixelAt(0, 0, 0), kLitGrey));
}

TEST_F(RenderPass, TheSelectedBonesGizmoFollowsTheEditModeEvenWithBonesHidden)
{
    ShowOnly(false, false, false, false, false);
    g_scene.m_bones.push_back(MakeBone(0, -1, CVector(0, 0, 0), CVector(0, 50, 0)));
    g_scene.m_selectedBone = 0;
    // Gizmo units are 60 / zoom model units: the X arrow head spans 80..100, the box 80..90.
    const float s = 0.6f;
    for (std::int32_t mode : {EditModeVertexSelect, EditModeTranslate, EditModeRotate, EditModeScale}) {
        g_scene.m_editMode = mode;
        g_scene.RenderScene();
        const Rgb xHandle = PixelAt(86 * s, 0, 0);
        const Rgb yHandle = PixelAt(0, 86 * s, 0);
        if (mode == EditModeVertexSelect) {
            EXPECT_EQ(xHandle, kBackground);
            EXPECT_EQ(yHandle, kBackground);
        } else if (mode == EditModeRotate) {
            // Seen along Z, the Z ring is a band from radius 80 to 87.5.
            const float d = 83 * 0.7071f * s;
            EXPECT_TRUE(ColourNear(-d, -d, 0, {0, 0, 255}, 1));
            EXPECT_TRUE(ColourNear(d, d, 0, {0, 0, 255}, 1));
        } else {
            EXPECT_EQ(xHandle, (Rgb{255, 0, 0})) << mode;
            EXPECT_EQ(yHandle, (Rgb{0, 255, 0})) << mode;
        }
    }
}

TEST_F(RenderPass, RubberBandIsAnXorRectangle)
{
    ShowOnly(false, false, false, false, false);
    g_scene.m_editMode = EditModeRubberBand;
    g_scene.m_selectionRect = {200, 180, 60, 40};  // drawn from lower right to upper left
    g_scene.RenderScene();
    const Rgb expected{30 ^ 77, 65 ^ 191, 90 ^ 217};
    EXPECT_TRUE(view.ColourNear(60, 110, expected, 1, 0));
    EXPECT_TRUE(view.ColourNear(200, 110, expected, 1, 0));
    EXPECT_TRUE(view.ColourNear(130, 40, expected, 1, 0));
    EXPECT_TRUE(view.ColourNear(130, 180, expected, 1, 0));
    EXPECT_EQ(view.Pixel(130, 110), kBackground);
}

TEST_F(RenderPass, NothingIsDrawnWithoutAnAreaAndTheZoomStaysAtLeastOne)
{
    g_scene.m_models.push_back(MakeQuadModel(0, 0, 0, 100, true));
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    g_scene.m_viewHeight = 0;
    g_scene.m_zoom = 0;
    g_scene.RenderScene();
    EXPECT_EQ(view.Pixel(128, 128), (Rgb{0, 0, 0}));
    EXPECT_FALSE(g_scene.Pick(128, 128));
    EXPECT_EQ(g_scene.m_zoom, 1.0f);

    g_scene.m_viewHeight = static_cast<float>(view.height());
    g_scene.m_zoom = -50;
    g_scene.RenderScene();
    EXPECT_EQ(g_scene.m_zoom, 1.0f);
    EXPECT_NE(view.Pixel(128, 128), (Rgb{0, 0, 0}));
}

}  // namespace
