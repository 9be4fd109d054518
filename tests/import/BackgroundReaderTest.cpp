// The background-model reader, checked against what the main reader makes of the same objects.
#include "import/LoaderBG.h"
#include "import/MqoText.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <string>

using namespace mqotext;

namespace {

const std::string kMaterials =
    "Material 2 {\r\n\t\"red\" shader(3) dbls(1) uid(7) col(1 0 0 1) dif(0.5) spc(0.3)\r\n\t\"blue\" col(0 0 1 1)\r\n}\r\n";
const std::string kTriangle = "3 V(0 1 2) M(1) UID(1) UV(0 0 1 0 1 1)";

class BackgroundReader : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_scene.ResetScene();
        g_fileVersion = kVersion390;
    }

    static std::int32_t Background(const std::string& text)
    {
        std::FILE* file = testsupport::StreamOf(text);
        const std::int32_t code = ImportBackgroundMqoStream(file);
        std::fclose(file);
        return code;
    }

    // The main reader's scene for the same text, read into a fresh scene; g_scene is kept.
    static CCentigrade MainReaderScene(const std::string& text, std::int32_t* code = nullptr)
    {
        const CCentigrade kept = g_scene;
        g_scene.ResetScene();
        std::FILE* file = testsupport::StreamOf(text);
        const std::int32_t result = g_scene.ImportMqoStream(file);
        std::fclose(file);
        if (code)
            *code = result;
        CCentigrade read = g_scene;
        g_scene = kept;
        return read;
    }

    CapturingMessageSink m_messages;
};

void ExpectSameGeometry(const CModel& background, const CModel& main)
{
    ASSERT_EQ(background.m_vertices.size(), main.m_vertices.size());
    for (std::size_t i = 0; i < main.m_vertices.size(); ++i)
        EXPECT_TRUE(background.m_vertices[i].Equals(main.m_vertices[i])) << i;
    ASSERT_EQ(background.m_faces.size(), main.m_faces.size());
    for (std::size_t f = 0; f < main.m_faces.size(); ++f) {
        const CFace& a = background.m_faces[f];
        const CFace& b = main.m_faces[f];
        EXPECT_EQ(a.m_indices, b.m_indices) << f;
        EXPECT_EQ(a.m_material, b.m_material) << f;
        ASSERT_EQ(a.m_uvs.size(), b.m_uvs.size()) << f;
        for (std::size_t k = 0; k < b.m_uvs.size(); ++k)
            EXPECT_TRUE(a.m_uvs[k].m_u == b.m_uvs[k].m_u && a.m_uvs[k].m_v == b.m_uvs[k].m_v) << f;
    }
}

TEST_F(BackgroundReader, TakesOnlyFormatVersionOnePointZero)
{
    std::int32_t mainCode = 0;
    const std::string v11 = "Metasequoia Document\r\nFormat Text Ver 1.1\r\n";
    MainReaderScene(v11, &mainCode);
    EXPECT_EQ(mainCode, 0);
    EXPECT_EQ(Background(v11), MqoErrorFormat);
    EXPECT_EQ(Background("Metasequoia Document\r\nFormat Text Ver 0.9\r\n"), MqoErrorFormat);
    EXPECT_EQ(Background("Metasequoia Document\r\nFormat Text Ver\r\n"), MqoErrorFormat);
    EXPECT_EQ(Background("Metasequoia\r\n"), MqoErrorNotMetasequoia);
    EXPECT_EQ(Background("Metasequoia Document\r\nFormat Text Ver 1.00\r\n"), 0);
    // Refused headers added nothing but the one numbered default material.
    EXPECT_TRUE(g_scene.m_backgroundModels.empty());
    ASSERT_EQ(g_scene.m_backgroundMaterials.size(), 1u);
    EXPECT_EQ(g_scene.m_backgroundMaterials[0].m_name, "NoMaterial_0");
    EXPECT_FLOAT_EQ(g_scene.m_backgroundMaterials[0].m_glAmbient[0], 0.2f);  // colours derived
    EXPECT_EQ(g_scene.m_nextBackgroundMaterialId, 1);
    EXPECT_TRUE(g_scene.m_models.empty());
    EXPECT_TRUE(g_scene.m_materials.empty());
}

TEST_F(BackgroundReader, EachObjectIsAModelOfItsOwnAsTheMainReaderMakesIt)
{
    const std::string first =
        Object("first", kFourVertices, {kTriangle, "4 V(0 1 2 3)"}, "\tfacet 30\r\n\tmirror_axis 1\r\n");
    const std::string second = Object("second", {"5 5 5", "6 6 6", "7 7 7"}, {"3 V(0 1 2) M(0)"});
    ASSERT_EQ(Background(kHeader + first + second), 0);
    ASSERT_EQ(g_scene.m_backgroundModels.size(), 2u);
    const CModel& a = g_scene.m_backgroundModels[0];
    const CModel& b = g_scene.m_backgroundModels[1];
    EXPECT_EQ(a.m_name, "first");
    EXPECT_EQ(b.m_name, "second");
    EXPECT_EQ(a.m_vertices.size(), 8u);  // the object and its X copy
    EXPECT_EQ(a.m_faces[0].m_uvs.size(), 3u);  // a UID item keeps the UVs after it
    EXPECT_EQ(a.m_smoothingAngle, 59.0f);  // facet is not taken
    ExpectSameGeometry(a, MainReaderScene(kHeader + first).m_models.at(0));
    ExpectSameGeometry(b, MainReaderScene(kHeader + second).m_models.at(0));
    EXPECT_TRUE(g_scene.m_models.empty());
}

TEST_F(BackgroundReader, EveryLoadAppendsModelsAndMaterialsWithIdsRunningOn)
{
    g_fileVersion = kVersion392;  // the scene file's version plays no part
    g_scene.m_materials.emplace_back(0);
    const std::string text = kHeader + kMaterials + Object("o", kFourVertices, {kTriangle, "3 V(0 1 2)"});
    ASSERT_EQ(Background(text), 0);
    ASSERT_EQ(Background(text), 0);
    ASSERT_EQ(g_scene.m_backgroundModels.size(), 2u);
    ASSERT_EQ(g_scene.m_backgroundMaterials.size(), 4u);
    for (std::int32_t id = 0; id < 4; ++id)
        EXPECT_EQ(g_scene.m_backgroundMaterials[id].m_id, id);
    EXPECT_EQ(g_scene.m_backgroundMaterials[3].m_name, "blue");
    EXPECT_EQ(g_scene.m_backgroundModels[0].m_faces[0].m_material, 1);
    EXPECT_EQ(g_scene.m_backgroundModels[1].m_faces[0].m_material, 3);
    EXPECT_EQ(g_scene.m_backgroundModels[1].m_faces[1].m_material, 2);
    EXPECT_EQ(g_scene.m_nextBackgroundMaterialId, 4);

    // The same rows as the main reader reads them (at a version that reads materials).
    g_fileVersion = kVersion390;
    const CCentigrade main = MainReaderScene(text);
    for (std::size_t m = 0; m < 2; ++m) {
        const CMaterial& a = g_scene.m_backgroundMaterials[2 + m];
        const CMaterial& b = main.m_materials.at(m);
        EXPECT_EQ(a.m_name, b.m_name);
        EXPECT_EQ(a.m_color, b.m_color);
        EXPECT_EQ(a.m_glDiffuse, b.m_glDiffuse);
        EXPECT_EQ(a.m_glSpecular, b.m_glSpecular);
    }
    EXPECT_EQ(g_scene.m_materials.size(), 1u);  // main lists untouched
    EXPECT_TRUE(g_scene.m_models.empty());
}

TEST_F(BackgroundReader, BoneAndAnchorObjectsAddNothing)
{
    const std::vector<std::string> triangle = {"0 0 0", "1 0 0", "0 10 0"};
    std::FILE* file = testsupport::StreamOf(kHeader + Object("bones", triangle, {"3 V(0 1 2)"}));
    ASSERT_EQ(g_scene.ImportMqoStream(file), 0);
    std::fclose(file);
    ASSERT_EQ(g_scene.m_bones.size(), 1u);

    const std::string twoBones = Object("bone1", {"0 0 0", "1 0 0", "0 10 0", "0 20 0"}, {"3 V(0 1 2)", "3 V(1 2 3)"});
    ASSERT_EQ(Background(kHeader + twoBones + Object("anchor1", kFourVertices, {kTriangle}) +
                         Object("Bone1", kFourVertices, {kTriangle})),
              0);
    ASSERT_EQ(g_scene.m_backgroundModels.size(), 1u);
    EXPECT_EQ(g_scene.m_backgroundModels[0].m_name, "Bone1");
    EXPECT_EQ(g_scene.m_bones.size(), 1u);
    EXPECT_EQ(g_scene.m_models.size(), 1u);
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
    std::string before;
    ASSERT_TRUE(fs_cp932::CurrentFolder(before));
    std::string reason;
    EXPECT_FALSE(ImportBackgroundMqo(dir.File("missing.mqo"), reason));
    EXPECT_EQ(reason, "ファイルが見つかりません。");
    EXPECT_FALSE(ImportBackgroundMqo(dir.Path(), reason));
    EXPECT_EQ(reason, "ファイルではありません。");
    EXPECT_TRUE(g_scene.m_backgroundMaterials.empty());  // nothing changed
    std::string now;
    ASSERT_TRUE(fs_cp932::CurrentFolder(now));
    EXPECT_EQ(now, before);

    dir.Write("v11.mqo", "Metasequoia Document\r\nFormat Text Ver 1.1\r\n");
    EXPECT_FALSE(ImportBackgroundMqo(dir.File("v11.mqo"), reason));
    EXPECT_EQ(reason, "対応していない形式のファイルです。");

    dir.Write("sub/wall.ppm", std::string("P6\n1 1\n255\n\xFF\x00\x00", 14));
    dir.Write("sub/wall.mqo", kHeader + "Material 1 {\r\n\t\"m\" tex(\"wall.ppm\")\r\n}\r\n");
    EXPECT_TRUE(ImportBackgroundMqo(dir.File("sub/wall.mqo"), reason));
    EXPECT_EQ(reason, "");
    ASSERT_TRUE(fs_cp932::CurrentFolder(now));
    EXPECT_EQ(now, dir.Path() + "sub/");
    ASSERT_EQ(g_scene.m_backgroundMaterials.size(), 2u);
    EXPECT_TRUE(g_scene.m_backgroundMaterials[1].HasTexture());
    EXPECT_TRUE(m_messages.messages.empty());
    fs_cp932::SetCurrentFolder(before);
}

}  // namespace
