// The background-model reader, checked against what the main reader makes of the same objects.
#include "import/LoaderBG.h"
#include "import/MqoText.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

using namespace mqotext;

namespace {

const std::string kMaterials = "Material 2 {\r\n\t\"red\" dbls(1) uid(7) col(1 0 0 1)\r\n\t\"blue\" col(0 0 1 1)\r\n}\r\n";
const std::string kTriangle = "3 V(0 1 2) M(1) UID(1) UV(0 0 1 0 1 1)";

class BackgroundReader : public ::testing::Test {
protected:
    void SetUp() override { g_scene.ResetScene(); }

    static std::int32_t Background(const std::string& text)
    {
        std::FILE* file = testsupport::StreamOf(text);
        const std::int32_t code = ImportBackgroundMqoStream(file);
        std::fclose(file);
        return code;
    }

    // What the main reader makes of the same text in a fresh scene; g_scene is kept.
    static CCentigrade MainReaderScene(const std::string& text)
    {
        const CCentigrade kept = g_scene;
        g_scene.ResetScene();
        g_fileVersion = kVersion390;
        std::FILE* file = testsupport::StreamOf(text);
        g_scene.ImportMqoStream(file);
        std::fclose(file);
        CCentigrade read = g_scene;
        g_scene = kept;
        return read;
    }

    CapturingMessageSink m_messages;
};

// Vertices, then each face's material, corners and UVs, as text.
std::string Geometry(const CModel& model)
{
    std::ostringstream out;
    for (const CVector& v : model.m_vertices)
        out << v.m_x << ' ' << v.m_y << ' ' << v.m_z << ';';
    for (const CFace& face : model.m_faces) {
        out << '\n' << face.m_material << ':';
        for (std::int32_t i : face.m_indices)
            out << ' ' << i;
        for (const CUV& uv : face.m_uvs)
            out << ' ' << uv.m_u << '/' << uv.m_v;
    }
    return out.str();
}

TEST_F(BackgroundReader, TakesOnlyFormatVersionOnePointZero)
{
    const std::string v11 = "Metasequoia Document\r\nFormat Text Ver 1.1\r\n";
    EXPECT_EQ(MainReaderScene(v11).m_models.size(), 1u);
    EXPECT_EQ(Background(v11), MqoErrorFormat);
    EXPECT_EQ(Background(kHeader), 0);
    // Header only: nothing but the one numbered default material, with its colours.
    EXPECT_TRUE(g_scene.m_backgroundModels.empty());
    ASSERT_EQ(g_scene.m_backgroundMaterials.size(), 1u);
    EXPECT_EQ(g_scene.m_backgroundMaterials[0].m_name, "NoMaterial_0");
    EXPECT_FLOAT_EQ(g_scene.m_backgroundMaterials[0].m_glAmbient[0], 0.2f);
}

TEST_F(BackgroundReader, EachObjectIsAModelOfItsOwnAsTheMainReaderMakesIt)
{
    const std::string first =
        Object("first", kFourVertices, {kTriangle, "4 V(0 1 2 3)"}, "\tfacet 30\r\n\tmirror_axis 1\r\n");
    const std::string second = Object("second", {"5 5 5", "6 6 6", "7 7 7"}, {"3 V(0 1 2) M(0)"});
    ASSERT_EQ(Background(kHeader + first + second), 0);
    ASSERT_EQ(g_scene.m_backgroundModels.size(), 2u);
    const CModel& a = g_scene.m_backgroundModels[0];
    EXPECT_EQ(a.m_name, "first");
    EXPECT_EQ(g_scene.m_backgroundModels[1].m_name, "second");
    EXPECT_EQ(a.m_vertices.size(), 8u);        // the object and its X copy
    EXPECT_EQ(a.m_faces[0].m_uvs.size(), 3u);  // a UID item keeps the UVs after it
    EXPECT_EQ(a.m_smoothingAngle, 59.0f);      // facet is not taken
    EXPECT_EQ(Geometry(a), Geometry(MainReaderScene(kHeader + first).m_models.at(0)));
    EXPECT_EQ(Geometry(g_scene.m_backgroundModels[1]), Geometry(MainReaderScene(kHeader + second).m_models.at(0)));
    EXPECT_TRUE(g_scene.m_models.empty());
}

TEST_F(BackgroundReader, EveryLoadAppendsModelsAndMaterialsWithIdsRunningOn)
{
    g_fileVersion = kVersion392;  // the scene file's version plays no part
    const std::string text = kHeader + kMaterials + Object("o", kFourVertices, {kTriangle, "3 V(0 1 2)"});
    ASSERT_EQ(Background(text), 0);
    ASSERT_EQ(Background(text), 0);
    ASSERT_EQ(g_scene.m_backgroundModels.size(), 2u);
    ASSERT_EQ(g_scene.m_backgroundMaterials.size(), 4u);
    EXPECT_EQ(g_scene.m_backgroundMaterials[3].m_id, 3);
    EXPECT_EQ(g_scene.m_backgroundMaterials[3].m_name, "blue");
    EXPECT_EQ(g_scene.m_backgroundMaterials[2].m_color, MainReaderScene(text).m_materials.at(0).m_color);
    EXPECT_EQ(g_scene.m_backgroundModels[0].m_faces[0].m_material, 1);
    EXPECT_EQ(g_scene.m_backgroundModels[1].m_faces[0].m_material, 3);
    EXPECT_EQ(g_scene.m_backgroundModels[1].m_faces[1].m_material, 2);
    EXPECT_TRUE(g_scene.m_materials.empty());
}

TEST_F(BackgroundReader, BoneAndAnchorObjectsAddNothing)
{
    g_scene.m_bones.resize(1);
    const std::string text = kHeader +
                             Object("bone1", {"0 0 0", "1 0 0", "0 10 0", "0 20 0"}, {"3 V(0 1 2)", "3 V(1 2 3)"}) +
                             Object("anchor1", kFourVertices, {kTriangle}) + Object("Bone1", kFourVertices, {kTriangle});
    EXPECT_EQ(MainReaderScene(text).m_bones.size(), 2u);
    ASSERT_EQ(Background(text), 0);
    ASSERT_EQ(g_scene.m_backgroundModels.size(), 1u);
    EXPECT_EQ(g_scene.m_backgroundModels[0].m_name, "Bone1");
    EXPECT_EQ(g_scene.m_bones.size(), 1u);
}

TEST_F(BackgroundReader, AFailedReadKeepsWhatWasComplete)
{
    const std::string complete = kHeader + kMaterials + Object("kept", kFourVertices, {kTriangle});
    EXPECT_EQ(Background(complete + "Object \"cut\" {\r\n\tvertex 1 {\r\n"), MqoErrorEndOfFile);
    EXPECT_EQ(Background(complete + Object("bad", kFourVertices, {"3 X(0 1 2)"})), MqoErrorSyntax);
    ASSERT_EQ(g_scene.m_backgroundModels.size(), 2u);
    EXPECT_EQ(g_scene.m_backgroundModels[1].m_name, "kept");
    EXPECT_EQ(g_scene.m_backgroundMaterials.size(), 4u);
}

TEST_F(BackgroundReader, FileEntryTellsWhyAndLoadsTexturesBesideTheFile)
{
    testsupport::TempDir dir;
    std::string before, reason;
    ASSERT_TRUE(fs_cp932::CurrentFolder(before));
    EXPECT_FALSE(ImportBackgroundMqo(dir.File("missing.mqo"), reason));
    EXPECT_EQ(reason, "ファイルが見つかりません。");
    EXPECT_FALSE(ImportBackgroundMqo(dir.Path(), reason));
    EXPECT_EQ(reason, "ファイルではありません。");
    EXPECT_TRUE(g_scene.m_backgroundMaterials.empty());  // nothing changed

    dir.Write("sub/wall.ppm", std::string("P6\n1 1\n255\n\xFF\x00\x00", 14));
    dir.Write("sub/wall.mqo", kHeader + "Material 1 {\r\n\t\"m\" tex(\"wall.ppm\")\r\n}\r\n");
    EXPECT_TRUE(ImportBackgroundMqo(dir.File("sub/wall.mqo"), reason));
    EXPECT_TRUE(g_scene.m_backgroundMaterials.at(0).HasTexture());
    EXPECT_TRUE(m_messages.messages.empty());
    fs_cp932::SetCurrentFolder(before);
}

}  // namespace
