// Faces drawn from arrays against the same faces drawn vertex by vertex: whole frames read back
// on real models and the sample figure (posed with bones; textured from a file, or in RGB and
// RGBA on translucent materials; faces without UVs among faces with them; material maps that
// are not the identity) under every display switch, and again after the pose, the normals or
// the map changed.
#include "glsupport/HeapCounter.h"
#include "glsupport/OffscreenView.h"
#include "scene/CCentigrade.h"
#include "scene/DibStream.h"
#include "scene/Globals.h"
#include "support/Rigging.h"
#include "viewport/FaceArrays.h"
#include "viewport/SceneBuilders.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

// From arrays (long runs split into pieces unless `split` is off) or one by one.
std::vector<unsigned char> Frame(bool fromArrays, bool split = true)
{
    FaceArrays::SetEnabled(fromArrays);
    FaceArrays::SetSplitDraws(split);
    g_scene.RenderScene();
    FaceArrays::SetEnabled(true);
    FaceArrays::SetSplitDraws(true);
    std::vector<unsigned char> rgba(static_cast<std::size_t>(kWidth) * kHeight * 4);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

std::size_t PixelsDiffering(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i + 3 < a.size(); i += 4)
        count += a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2];
    return count;
}

std::size_t PixelsNotBackground(const std::vector<unsigned char>& rgba)
{
    const Rgb background = OffscreenView::ToRgb(g_scene.m_backgroundColor);
    std::size_t count = 0;
    for (std::size_t i = 0; i + 3 < rgba.size(); i += 4)
        count += Rgb{rgba[i], rgba[i + 1], rgba[i + 2]} != background;
    return count;
}

// A 16 x 16 checker texture (RGBA with half-transparent squares).
void GiveTexture(CMaterial& material, int channels)
{
    auto image = std::make_shared<DibStream>();
    image->m_width = image->m_height = 16;
    image->m_components = channels;
    for (int i = 0; i < 16 * 16; ++i) {
        const bool dark = ((i % 16) / 4 + i / 64) % 2;
        image->m_pixels.insert(image->m_pixels.end(), {std::uint8_t(dark ? 40 : 250), 180, std::uint8_t(i)});
        if (channels == 4)
            image->m_pixels.push_back(dark ? 128 : 255);
    }
    material.m_texture = "checker";
    material.m_image = image;
    material.m_channels = channels;
    material.m_pixelFormat = channels == 4 ? GL_RGBA : GL_RGB;
    material.m_textureUploadPending = true;
}

class FacesFromArrays : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(view.ok()); }

    // Reads a model (path under the source folder) from its own folder, as the document does.
    void Load(const std::string& path, float centreY, float zoom)
    {
        const std::filesystem::path file = std::filesystem::path(KMX_SOURCE_DIR) / path;
        const std::filesystem::path saved = std::filesystem::current_path();
        std::filesystem::current_path(file.parent_path());
        ASSERT_TRUE(g_scene.ImportMqo(file.string()));
        std::filesystem::current_path(saved);
        g_scene.ResetDeformedVertices();
        g_scene.RecomputeNormals();
        g_scene.m_camera.m_rotate = CVector(20, 30, 0);
        g_scene.m_camera.m_translate = CVector(0, -centreY * zoom / 100, -2000);
        g_scene.m_zoom = zoom;
    }

    // Every vertex bound to its nearest bone, two rings of weights, and every bone turned
    // in frame 0 and moved in frame 1.
    void BindAndPose()
    {
        ASSERT_GE(g_scene.m_bones.size(), 2u);
        testsupport::BindToNearestBones(g_scene);
        g_scene.SetWeightMapRange(2);
        for (CBone& bone : g_scene.m_bones) {
            bone.m_animations[0][0].m_rotate = CVector(12.0f * bone.m_id, 5, -8);
            bone.m_animations[0][1].m_translate = CVector(0, 4.0f * bone.m_id, 0);
        }
        g_scene.m_selectedBone = 1;
        g_scene.m_editMode = EditModeRotate;
    }

    // All switches on, each one off in turn, then the faces alone: drawn from arrays as
    // against one by one, or with the long runs of primitives in pieces as against whole.
    void ExpectSameFrames(const std::string& what, bool piecesOnly = false)
    {
        bool* switches[] = {&g_scene.m_showFaces, &g_scene.m_showEdges, &g_scene.m_showVertices,
                            &g_scene.m_showBones, &g_scene.m_showGrid};
        for (int off = -1; off <= 5; ++off) {
            for (int s = 0; s < 5; ++s)
                *switches[s] = off == 5 ? s == 0 : s != off;
            const std::vector<unsigned char> fromArrays = Frame(true);
            EXPECT_EQ(PixelsDiffering(fromArrays, piecesOnly ? Frame(true, false) : Frame(false)), 0u)
                << what << ", switch off: " << off;
            if (g_scene.m_showFaces) {  // the model fills a fair part of the view
                EXPECT_GT(PixelsNotBackground(fromArrays), 5000u) << what;
            }
        }
    }

    OffscreenView view{kWidth, kHeight};
};

TEST_F(FacesFromArrays, PosedModelsWithBonesAndWeights)
{
    Load("tests/data/viewport/ninja_bones.mqo", 100, 130);
    BindAndPose();
    ExpectSameFrames("frame 0");
    g_currentFrame = 1;
    ExpectSameFrames("frame 1");
    g_scene.m_smoothingAngle = 10.0f;
    for (CModel& model : g_scene.m_models)
        model.m_smoothingAngle = 10.0f;
    g_scene.RecomputeNormals();
    ExpectSameFrames("sharper normals");

    g_scene.ResetScene();
    g_currentFrame = 0;
    Load("resources/sample/figure.mqo", 80, 160);  // with its own texture file
    ASSERT_TRUE(g_scene.m_materials[0].HasTexture());
    BindAndPose();
    ExpectSameFrames("figure");
}

TEST_F(FacesFromArrays, TexturedTranslucentMaterialsMapsAndFacesWithoutUvs)
{
    Load("tests/data/corpus/devil-tamachan+MQShrinkWrap/test.mqo", 20, 110);
    ASSERT_GE(g_scene.m_materials.size(), 4u);
    GiveTexture(g_scene.m_materials[0], 4);
    GiveTexture(g_scene.m_materials[2], 3);
    CModel& model = g_scene.m_models[0];
    for (std::size_t f = 0; f < model.m_faces.size(); f += 7)  // these take the UV drawn before them
        model.m_faces[f].m_uvs.clear();
    model.FacesChanged();
    ExpectSameFrames("two textures");

    g_scene.ResetScene();
    Load("tests/data/corpus/garlic-flavor+mqo_loader/shodai_dsan.mqo", 0, 100);
    ASSERT_EQ(g_scene.m_materials.size(), 3u);
    GiveTexture(g_scene.m_materials[1], 3);
    g_scene.m_materials.push_back(g_scene.m_materials[1]);  // the same id: its faces drawn twice
    g_scene.m_materials.push_back(CMaterial(99));           // no face maps to it
    g_scene.m_materialMaps = {{2, 0, 1}, {1, 1, 1}};
    ExpectSameFrames("map 2 0 1");
    g_currentAnimation = 1;
    ExpectSameFrames("map 1 1 1");
}

// A model whose faces, edges and vertices make runs several pieces long: the textured and
// translucent one above, repeated a little deeper each time, with lines and faces that name
// missing vertices among them, in one material or in three.
TEST_F(FacesFromArrays, LongRunsInPieces)
{
    Load("tests/data/corpus/garlic-flavor+mqo_loader/shodai_dsan.mqo", 0, 100);
    GiveTexture(g_scene.m_materials[1], 4);
    CModel& model = g_scene.m_models[0];
    const CModel one = model;
    for (int copy = 1; copy < 48; ++copy) {
        const auto base = static_cast<std::int32_t>(model.m_vertices.size());
        for (CVector v : one.m_vertices) {
            v.m_z -= 0.75f * static_cast<float>(copy);
            model.m_vertices.push_back(v);
        }
        for (CFace face : one.m_faces) {
            for (std::int32_t& index : face.m_indices)
                index += base;
            if (copy % 5 == 0)
                face.m_uvs.clear();
            if (copy % 7 == 3)  // lines among the faces
                face.m_indices.resize(2);
            if (copy == 11)  // naming a vertex the model lacks: not drawn
                face.m_indices.back() = std::numeric_limits<std::int32_t>::max();
            model.m_faces.push_back(face);
        }
    }
    ASSERT_GT(4 * model.m_faces.size(), 4 * FaceArrays::PieceSize(4));
    ASSERT_GT(model.m_vertices.size(), FaceArrays::PieceSize(1));
    g_scene.ResetDeformedVertices();
    g_scene.RecomputeNormals();
    ExpectSameFrames("three materials", true);
    for (CFace& face : model.m_faces)
        face.m_material = 1;
    model.FacesChanged();
    ExpectSameFrames("one material", true);
}

// Drawing keeps no copy of a model: its first frame takes the order of the faces (4 bytes a
// face) and buffers of a fixed size, later frames nothing. Arrays of this model's corners
// (position, normal, texture coordinate) and edge ends would take over 20 MB.
TEST_F(FacesFromArrays, FramesOfALargeModelTakeLittleHeap)
{
    CModel grid = MakeGridModel(301, -150, 150, -150, 150, 0);
    for (std::size_t f = 0; f < grid.m_faces.size(); ++f) {
        grid.m_faces[f].m_material = static_cast<std::int32_t>(f % 3);
        grid.m_faces[f].m_uvs.resize(4);
    }
    g_scene.m_models.push_back(std::move(grid));
    g_scene.m_materials = {CMaterial(0), CMaterial(1), CMaterial(2)};
    ASSERT_EQ(g_scene.m_models[0].m_faces.size(), 90000u);
    for (int frame = 0; frame < 2; ++frame) {
        heapcounter::ResetPeak();
        const std::size_t before = heapcounter::Live();
        g_scene.RenderScene();
        EXPECT_LT(heapcounter::Peak() - before, frame == 0 ? std::size_t(4) << 20 : std::size_t(64) << 10) << frame;
    }
}

}  // namespace
