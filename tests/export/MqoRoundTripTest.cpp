// Files written by the Metasequoia bone export read back through our own model reader:
// geometry, materials and UVs come back; bone rows and BoneAnimation chunks are passed over.
#include "export/MqoExport.h"

#include "export/ExportScenes.h"
#include "import/PathFunctions.h"
#include "platform/Messages.h"
#include "scene/Globals.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <cmath>

using namespace exporttest;

namespace {

// Values that six decimals hold exactly, so that they come back bit for bit.
CCentigrade RoundTripScene()
{
    CCentigrade scene;
    CMaterial wood(0);
    wood.m_name = "wood";
    wood.m_color = {1.0f, 0.5f, 0.25f, 0.75f};
    wood.m_diffuse = 0.5f;
    wood.m_ambient = 0.125f;
    wood.m_emissive = 0.0625f;
    wood.m_specular = 0.375f;
    wood.m_power = 12.5f;
    wood.m_texture = "C:\\textures\\wood.png";
    wood.m_toonTexture = "toon01.bmp";
    CMaterial plain(1);
    plain.m_name = "plain \x83\x5C";  // ソ: a trail byte 0x5C inside the quotes
    scene.m_materials = {wood, plain};
    scene.m_nextMaterialId = 2;

    CModel model;
    model.m_name = "body";
    model.m_smoothingAngle = 45.5f;
    model.m_vertices = {Vertex(0, 0, 0, 0), Vertex(1.5f, 0, 0, 1, 0.25f), Vertex(1.5f, 2.25f, 0, -1),
                        Vertex(0, 2.25f, -0.5f, 1), Vertex(-3.125f, 1, 0.75f, 0)};
    model.m_faces = {Face({0, 1, 2}, 0, {{0, 0}, {0.5f, 0}, {0.5f, 0.25f}}),
                     Face({0, 2, 3, 4}, 1, {{0, 1}, {0.25f, 1}, {0.75f, 0.5f}, {1, 1}}), Face({1, 2, 3, 4}, 1),
                     Face({3, 4}, 0)};
    scene.m_models = {model};
    scene.m_animationNames = {"Walk", "Idle"};
    scene.m_materialMaps = {{0, 1}, {}};
    scene.m_bones = {Bone(0, -1, CVector(0, 0, 0), 2, 3), Bone(1, 0, CVector(0, 1, 0), 2, 3)};
    scene.m_bones[1].m_animations[0][2].m_rotate = CVector(30, 0, 0);
    return scene;
}

bool ReadBack(const std::string& path, CCentigrade& scene)
{
    CapturingMessageSink messages;  // the texture files are not there
    const float savedVersion = g_fileVersion;
    g_fileVersion = kVersion390;  // a model opened directly: its materials are read
    const bool read = scene.ImportMqo(path);
    g_fileVersion = savedVersion;
    return read;
}

void ExpectSameMaterial(const CMaterial& back, const CMaterial& written)
{
    EXPECT_EQ(back.m_name, written.m_name);
    EXPECT_EQ(back.m_color, written.m_color);
    EXPECT_EQ(back.m_diffuse, written.m_diffuse);
    EXPECT_EQ(back.m_ambient, written.m_ambient);
    EXPECT_EQ(back.m_emissive, written.m_emissive);
    EXPECT_EQ(back.m_specular, written.m_specular);
    EXPECT_EQ(back.m_power, written.m_power);
}

// The model as the reader gives it back: positions scaled, no bone bindings, faces without
// two-corner lines.
void ExpectSameGeometry(const CModel& back, const CModel& written, float scale, std::size_t vertexOffset = 0,
                        std::size_t faceOffset = 0)
{
    for (std::size_t i = 0; i < written.m_vertices.size(); ++i) {
        const CVector& v = back.m_vertices.at(vertexOffset + i);
        EXPECT_EQ(v.m_x, written.m_vertices[i].m_x * scale) << i;
        EXPECT_EQ(v.m_y, written.m_vertices[i].m_y * scale) << i;
        EXPECT_EQ(v.m_z, written.m_vertices[i].m_z * scale) << i;
        EXPECT_EQ(v.m_boneIndex, -1);
        EXPECT_EQ(v.m_weight, 1.0f);
    }
    std::size_t f = faceOffset;
    for (const CFace& face : written.m_faces) {
        if (face.m_indices.size() != 3 && face.m_indices.size() != 4)
            continue;
        const CFace& read = back.m_faces.at(f++);
        std::vector<std::int32_t> expected = face.m_indices;
        for (auto& index : expected)
            index += static_cast<std::int32_t>(vertexOffset);
        EXPECT_EQ(read.m_indices, expected);
        EXPECT_EQ(read.m_material, face.m_material);
        ASSERT_EQ(read.m_uvs.size(), face.m_uvs.size());
        for (std::size_t c = 0; c < face.m_uvs.size(); ++c) {
            EXPECT_EQ(read.m_uvs[c].m_u, face.m_uvs[c].m_u);
            EXPECT_EQ(read.m_uvs[c].m_v, face.m_uvs[c].m_v);
        }
    }
}

}  // namespace

TEST(MqoRoundTrip, EveryFormReadsBackThroughTheModelReader)
{
    const CCentigrade scene = RoundTripScene();
    TempFolder folder;
    for (const ExportAnimationForm form : {AnimationFormKeyFrames, AnimationFormMatrices, AnimationFormNone}) {
        for (const float scale : {1.0f, 2.0f}) {
            const ExportResult result = ExportMqoWithBones(scene, folder.file("walk.zlba"), form, 1, scale);
            ASSERT_TRUE(result.ok) << result.error;
            CCentigrade back;
            ASSERT_TRUE(ReadBack(result.path, back)) << "form " << form;

            ASSERT_EQ(back.m_materials.size(), 2u);
            ExpectSameMaterial(back.m_materials[0], scene.m_materials[0]);
            ExpectSameMaterial(back.m_materials[1], scene.m_materials[1]);
            EXPECT_EQ(back.m_materials[0].m_texture, "wood.png");  // the file name only
            EXPECT_EQ(back.m_materials[1].m_texture, "");

            ASSERT_EQ(back.m_models.size(), 1u);
            const CModel& model = back.m_models[0];
            EXPECT_EQ(model.m_name, "body");
            EXPECT_EQ(model.m_smoothingAngle, 45.5f);
            ASSERT_EQ(model.m_vertices.size(), 5u);
            ASSERT_EQ(model.m_faces.size(), 3u);  // the two-corner line has no row
            ExpectSameGeometry(model, scene.m_models[0], scale);
            EXPECT_TRUE(back.m_bones.empty());  // bone rows and chunks make no bones
        }
    }
}

// Several models read back as one merged model, and names with quotes still parse.
TEST(MqoRoundTrip, SeveralModelsAndQuotedNamesReadBack)
{
    CCentigrade scene = RoundTripScene();
    scene.m_materials[0].m_name = "say \"hi\"";
    CModel second = scene.m_models[0];
    second.m_name = "arm \"left\"";
    scene.m_models.push_back(second);
    scene.m_animationNames[1] = "odd \"name\"";
    TempFolder folder;
    const ExportResult result = ExportMqoWithBones(scene, folder.file("two.zlba"), AnimationFormMatrices, 1, 1.0f);
    ASSERT_TRUE(result.ok) << result.error;
    CCentigrade back;
    ASSERT_TRUE(ReadBack(result.path, back));
    ASSERT_EQ(back.m_materials.size(), 2u);
    EXPECT_EQ(back.m_materials[0].m_name, "say 'hi'");
    ASSERT_EQ(back.m_models.size(), 1u);
    const CModel& merged = back.m_models[0];
    EXPECT_EQ(merged.m_name, "arm 'left'");
    ASSERT_EQ(merged.m_vertices.size(), 10u);
    ASSERT_EQ(merged.m_faces.size(), 6u);
    ExpectSameGeometry(merged, scene.m_models[0], 1.0f);
    ExpectSameGeometry(merged, second, 1.0f, 5, 3);
}

namespace {

// Real files carry values with seven decimals, which six decimals hold to within half a
// millionth (and the float read back rounds once more).
void ExpectClose(float back, float written)
{
    EXPECT_NEAR(back, written, 1e-6 + std::fabs(written) * 1.2e-7);
}

}  // namespace

// Real model files by other authors (tests/data/corpus): read, exported in the static and
// the bone form, read back: the same materials, vertices and faces (two-corner lines and
// faces without corners have no row and do not come back).
TEST(MqoRoundTrip, RealFilesReadBackAsTheyWereRead)
{
    const std::string dir = std::string(KMX_SOURCE_DIR) + "/tests/data/corpus/";
    const char* const files[] = {"nnn112358+GLUTMetaseq_forLinux/ninja.mqo", "devil-tamachan+MQShrinkWrap/test.mqo",
                                 "binzume+mqo-jsmacro-plugin/autocsg_sample.mqo",
                                 "garlic-flavor+mqo_loader/shodai_dsan.mqo",
                                 "nutti+blender-mqo/mirrored_multiple_axes.mqo",
                                 "nutti+blender-mqo/single_object_with_edge.mqo"};
    TempFolder folder;
    for (const char* file : files) {
        SCOPED_TRACE(file);
        CCentigrade scene;
        ASSERT_TRUE(ReadBack(dir + file, scene));
        scene.m_bones = {Bone(0, -1, CVector(0, 0, 0), 1, 2)};
        for (const ExportAnimationForm form : {AnimationFormMatrices, AnimationFormNone}) {
            const ExportResult result = ExportMqoWithBones(scene, folder.file("real.zlba"), form, 1, 1.0f);
            ASSERT_TRUE(result.ok) << result.error;
            CCentigrade back;
            ASSERT_TRUE(ReadBack(result.path, back));

            ASSERT_EQ(back.m_materials.size(), scene.m_materials.size());
            for (std::size_t m = 0; m < scene.m_materials.size(); ++m) {
                const CMaterial& a = scene.m_materials[m];
                const CMaterial& b = back.m_materials[m];
                EXPECT_EQ(b.m_name, a.m_name);
                for (int c = 0; c < 4; ++c)
                    ExpectClose(b.m_color[c], a.m_color[c]);
                ExpectClose(b.m_diffuse, a.m_diffuse);
                ExpectClose(b.m_power, a.m_power);
                std::string fileName;
                GetFileName(fileName, a.m_texture);
                EXPECT_EQ(b.m_texture, fileName);
            }

            const CModel& a = scene.m_models.at(0);
            const CModel& b = back.m_models.at(0);
            EXPECT_EQ(b.m_name, a.m_name);
            ASSERT_EQ(b.m_vertices.size(), a.m_vertices.size());
            for (std::size_t i = 0; i < a.m_vertices.size(); ++i) {
                ExpectClose(b.m_vertices[i].m_x, a.m_vertices[i].m_x);
                ExpectClose(b.m_vertices[i].m_y, a.m_vertices[i].m_y);
                ExpectClose(b.m_vertices[i].m_z, a.m_vertices[i].m_z);
            }
            std::size_t f = 0;
            for (const CFace& face : a.m_faces) {
                if (face.m_indices.size() != 3 && face.m_indices.size() != 4)
                    continue;
                const CFace& read = b.m_faces.at(f++);
                EXPECT_EQ(read.m_indices, face.m_indices);
                EXPECT_EQ(read.m_material, face.m_material);
                ASSERT_EQ(read.m_uvs.size(), face.m_uvs.size() >= face.m_indices.size() ? face.m_uvs.size() : 0);
                for (std::size_t c = 0; c < read.m_uvs.size(); ++c) {
                    ExpectClose(read.m_uvs[c].m_u, face.m_uvs[c].m_u);
                    ExpectClose(read.m_uvs[c].m_v, face.m_uvs[c].m_v);
                }
            }
            EXPECT_EQ(f, b.m_faces.size());
        }
    }
}
