// Files written by the Metasequoia bone export read back through our own model reader:
// geometry, materials and UVs come back; bone rows and BoneAnimation chunks are passed over.
#include "export/MqoExport.h"

#include "export/ExportScenes.h"
#include "export/TextWriter.h"
#include "import/PathFunctions.h"
#include "platform/Messages.h"
#include "scene/Globals.h"
#include "support/TempFiles.h"

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

// Six decimals hold the values of RoundTripScene exactly; real files carry values with
// seven decimals, which come back to within half a millionth (and one more float rounding).
void ExpectClose(float back, float written, bool exact)
{
    if (exact)
        EXPECT_EQ(back, written);
    else
        EXPECT_NEAR(back, written, 1e-6 + std::fabs(written) * 1.2e-7);
}

// What the reader gives back for what was written: the materials (textures by file name
// only), one model merging the written ones with their positions scaled, no bone bindings,
// and the faces of three and four corners (two-corner lines have no row).
void ExpectReadBack(const CCentigrade& back, const CCentigrade& written, float scale, bool exact)
{
    ASSERT_EQ(back.m_materials.size(), written.m_materials.size());
    for (std::size_t m = 0; m < written.m_materials.size(); ++m) {
        const CMaterial& a = written.m_materials[m];
        const CMaterial& b = back.m_materials[m];
        EXPECT_EQ(b.m_name, QuotableText(a.m_name));
        for (int c = 0; c < 4; ++c)
            ExpectClose(b.m_color[c], a.m_color[c], exact);
        ExpectClose(b.m_diffuse, a.m_diffuse, exact);
        ExpectClose(b.m_ambient, a.m_ambient, exact);
        ExpectClose(b.m_emissive, a.m_emissive, exact);
        ExpectClose(b.m_specular, a.m_specular, exact);
        ExpectClose(b.m_power, a.m_power, exact);
        std::string fileName;
        GetFileName(fileName, a.m_texture);
        EXPECT_EQ(b.m_texture, fileName);
    }
    ASSERT_EQ(back.m_models.size(), 1u);
    const CModel& merged = back.m_models[0];
    EXPECT_EQ(merged.m_name, QuotableText(written.m_models.back().m_name));
    EXPECT_TRUE(back.m_bones.empty());
    std::size_t vertex = 0;
    std::size_t face = 0;
    for (const CModel& model : written.m_models) {
        for (const CVector& v : model.m_vertices) {
            const CVector& read = merged.m_vertices.at(vertex++);
            ExpectClose(read.m_x, v.m_x * scale, exact);
            ExpectClose(read.m_y, v.m_y * scale, exact);
            ExpectClose(read.m_z, v.m_z * scale, exact);
            EXPECT_EQ(read.m_boneIndex, -1);
            EXPECT_EQ(read.m_weight, 1.0f);
        }
        const auto offset = static_cast<std::int32_t>(vertex - model.m_vertices.size());
        for (const CFace& f : model.m_faces) {
            if (f.m_indices.size() != 3 && f.m_indices.size() != 4)
                continue;
            const CFace& read = merged.m_faces.at(face++);
            std::vector<std::int32_t> indices = f.m_indices;
            for (auto& index : indices)
                index += offset;
            EXPECT_EQ(read.m_indices, indices);
            EXPECT_EQ(read.m_material, f.m_material);
            ASSERT_EQ(read.m_uvs.size(), f.m_uvs.size() >= f.m_indices.size() ? f.m_uvs.size() : 0);
            for (std::size_t c = 0; c < read.m_uvs.size(); ++c) {
                ExpectClose(read.m_uvs[c].m_u, f.m_uvs[c].m_u, exact);
                ExpectClose(read.m_uvs[c].m_v, f.m_uvs[c].m_v, exact);
            }
        }
    }
    EXPECT_EQ(vertex, merged.m_vertices.size());
    EXPECT_EQ(face, merged.m_faces.size());
}

}  // namespace

TEST(MqoRoundTrip, EveryFormReadsBackThroughTheModelReader)
{
    const CCentigrade scene = RoundTripScene();
    testsupport::TempDir folder;
    for (const ExportAnimationForm form : {AnimationFormKeyFrames, AnimationFormMatrices, AnimationFormNone}) {
        for (const float scale : {1.0f, 2.0f}) {
            SCOPED_TRACE(testing::Message() << "form " << form << " scale " << scale);
            const ExportResult result = ExportMqoWithBones(scene, folder.File("walk.zlba"), form, 1, scale);
            ASSERT_TRUE(result.ok) << result.error;
            CCentigrade back;
            ASSERT_TRUE(ReadBack(result.path, back));
            ExpectReadBack(back, scene, scale, true);
            EXPECT_EQ(back.m_models[0].m_smoothingAngle, 45.5f);
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
    testsupport::TempDir folder;
    const ExportResult result = ExportMqoWithBones(scene, folder.File("two.zlba"), AnimationFormMatrices, 1, 1.0f);
    ASSERT_TRUE(result.ok) << result.error;
    CCentigrade back;
    ASSERT_TRUE(ReadBack(result.path, back));
    EXPECT_EQ(back.m_materials[0].m_name, "say 'hi'");
    EXPECT_EQ(back.m_models[0].m_name, "arm 'left'");
    ExpectReadBack(back, scene, 1.0f, true);
}

// Real model files by other authors (tests/data/corpus), read, exported in the bone and the
// static form and read back.
TEST(MqoRoundTrip, RealFilesReadBackAsTheyWereRead)
{
    const std::string dir = std::string(KMX_SOURCE_DIR) + "/tests/data/corpus/";
    const char* const files[] = {"nnn112358+GLUTMetaseq_forLinux/ninja.mqo", "devil-tamachan+MQShrinkWrap/test.mqo",
                                 "binzume+mqo-jsmacro-plugin/autocsg_sample.mqo",
                                 "garlic-flavor+mqo_loader/shodai_dsan.mqo",
                                 "nutti+blender-mqo/mirrored_multiple_axes.mqo",
                                 "nutti+blender-mqo/single_object_with_edge.mqo"};
    testsupport::TempDir folder;
    for (const char* file : files) {
        SCOPED_TRACE(file);
        CCentigrade scene;
        ASSERT_TRUE(ReadBack(dir + file, scene));
        scene.m_bones = {Bone(0, -1, CVector(0, 0, 0), 1, 2)};
        for (const ExportAnimationForm form : {AnimationFormMatrices, AnimationFormNone}) {
            const ExportResult result = ExportMqoWithBones(scene, folder.File("real.zlba"), form, 1, 1.0f);
            ASSERT_TRUE(result.ok) << result.error;
            CCentigrade back;
            ASSERT_TRUE(ReadBack(result.path, back));
            ExpectReadBack(back, scene, 1.0f, false);
        }
    }
}
