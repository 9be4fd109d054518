// The background-model reader, checked against what the main reader makes of the same objects.
#include "import/LoaderBG.h"
#include "import/MqoText.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>
#include <utility>

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
        const CCentigrade kept = std::exchange(g_scene, CCentigrade());
        g_fileVersion = kVersion390;
        std::FILE* file = testsupport::StreamOf(text);
        g_scene.ImportMqoStream(file);
        std::fclose(file);
        return std::exchange(g_scene, kept);
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

TEST_F(BackgroundReader, EachObjectIsAModelOfItsOwnAsTheMainReaderMakesItAndBonesAreNotRead)
{
    const std::string first =
        Object("first", kFourVertices, {kTriangle, "4 V(0 1 2 3)"}, "\tfacet 30\r\n\tmirror_axis 1\r\n");
    const std::string second = Object("second", {"5 5 5", "6 6 6", "7 7 7"}, {"3 V(0 1 2) M(0)"});
    const std::string bones = Object("bone1", {"0 0 0", "1 0 0", "0 10 0"}, {"3 V(0 1 2)"}) +
                              Object("anchor1", kFourVertices, {kTriangle});
    const std::string mainFirst = Geometry(MainReaderScene(kHeader + first).m_models.at(0));
    const std::string mainSecond = Geometry(MainReaderScene(kHeader + second).m_models.at(0));
    g_scene.m_bones.resize(2);
    ASSERT_EQ(Background(kHeader + first + bones + second), 0);
    ASSERT_EQ(g_scene.m_backgroundModels.size(), 2u);
    const CModel& a = g_scene.m_backgroundModels[0];  // its UVs follow a UID item
    EXPECT_EQ(a.m_name, "first");
    EXPECT_EQ(g_scene.m_backgroundModels[1].m_name, "second");
    EXPECT_EQ(a.m_smoothingAngle, 59.0f);  // facet is not taken
    EXPECT_EQ(Geometry(a), mainFirst);
    EXPECT_EQ(Geometry(g_scene.m_backgroundModels[1]), mainSecond);
    EXPECT_EQ(MainReaderScene(kHeader + bones).m_bones.size(), 1u);
    EXPECT_EQ(g_scene.m_bones.size(), 2u);
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
    const std::array<float, 4> red = MainReaderScene(text).m_materials.at(0).m_color;
    EXPECT_EQ(g_scene.m_backgroundMaterials[2].m_color, red);
    EXPECT_EQ(g_scene.m_backgroundModels[0].m_faces[0].m_material, 1);
    EXPECT_EQ(g_scene.m_backgroundModels[1].m_faces[0].m_material, 3);
    EXPECT_EQ(g_scene.m_backgroundModels[1].m_faces[1].m_material, 2);
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

TEST_F(BackgroundReader, AFileThatCannotBeOpenedChangesNothingAndTellsWhy)
{
    testsupport::TempDir dir;
    std::string before, after, reason;
    ASSERT_TRUE(fs_cp932::CurrentFolder(before));
    EXPECT_FALSE(ImportBackgroundMqo(dir.File("missing.mqo"), reason));
    EXPECT_EQ(reason, "ファイルが見つかりません。");
    EXPECT_FALSE(ImportBackgroundMqo(dir.Path(), reason));
    EXPECT_EQ(reason, "ファイルではありません。");
    EXPECT_TRUE(g_scene.m_backgroundMaterials.empty());
    ASSERT_TRUE(fs_cp932::CurrentFolder(after));
    EXPECT_EQ(after, before);
}

}  // namespace
