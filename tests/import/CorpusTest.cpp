// Real model files by other authors (tests/data/corpus, licences in SOURCES.tsv): each one
// imports whole, with the vertex and face counts its objects and mirror settings give.
#include "platform/Cp932.h"
#include "platform/Messages.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct CorpusFile {
    const char* path;             // under tests/data/corpus
    std::size_t vertices;         // of the merged model
    std::size_t faces;
    std::size_t materials;        // the numbered default one when the file has none
    const char* modelNameUtf8;    // the last ordinary object's name
    const char* firstMaterialUtf8;
    const char* toldUtf8 = nullptr;  // the one message of the import, if any
};

std::ostream& operator<<(std::ostream& out, const CorpusFile& file) { return out << file.path; }

class Corpus : public ::testing::TestWithParam<CorpusFile> {
protected:
    void SetUp() override
    {
        g_scene.ResetScene();
        g_fileVersion = kVersion390;
    }
    CapturingMessageSink m_messages;
};

TEST_P(Corpus, ImportsWithTheCountsOfItsObjects)
{
    const CorpusFile& file = GetParam();
    const std::string path = std::string(KMX_SOURCE_DIR) + "/tests/data/corpus/" + file.path;
    std::FILE* stream = std::fopen(path.c_str(), "rb");
    ASSERT_NE(stream, nullptr) << path;
    const std::int32_t code = g_scene.ImportMqoStream(stream);
    std::fclose(stream);
    EXPECT_EQ(code, 0);
    ASSERT_EQ(g_scene.m_models.size(), 1u);
    const CModel& model = g_scene.m_models[0];
    EXPECT_EQ(model.m_vertices.size(), file.vertices);
    EXPECT_EQ(model.m_faces.size(), file.faces);
    EXPECT_EQ(cp932::ToUtf8(model.m_name), file.modelNameUtf8);
    ASSERT_EQ(g_scene.m_materials.size(), file.materials);
    EXPECT_EQ(cp932::ToUtf8(g_scene.m_materials[0].m_name), file.firstMaterialUtf8);
    EXPECT_TRUE(g_scene.m_bones.empty());
    for (const CFace& face : model.m_faces)
        for (std::int32_t i : face.m_indices)
            ASSERT_TRUE(i >= 0 && static_cast<std::size_t>(i) < model.m_vertices.size());
    if (file.toldUtf8)
        EXPECT_EQ(m_messages.messages, std::vector<std::string>{file.toldUtf8});
    else
        EXPECT_TRUE(m_messages.messages.empty());
    // The open road goes on to the normals of the model just read.
    g_scene.RecomputeNormals();
    EXPECT_EQ(g_scene.m_models[0].m_vertexNormals.size(), file.vertices);
}

// Counts: the vertex and face rows of every ordinary object, times 1 + the number of mirror
// copies its mirror_axis asks for. The BVertex file's vertices are binary and not read, so
// its faces name no vertex and are dropped, and the user is told.
INSTANTIATE_TEST_SUITE_P(
    Files, Corpus,
    ::testing::Values(
        CorpusFile{"nnn112358+GLUTMetaseq_forLinux/ninja.mqo", 6567, 10518, 8, "tail", "mat1"},
        CorpusFile{"devil-tamachan+MQShrinkWrap/test.mqo", 1105, 977, 4, "obj1", "mat1"},
        CorpusFile{"binzume+mqo-jsmacro-plugin/autocsg_sample.mqo", 608, 494, 2, "sub3:CYLINDER", "mat1"},
        CorpusFile{"nutti+blender-mqo/simple.mqo", 0, 0, 1, "Model", "NoMaterial_0"},
        CorpusFile{"nutti+blender-mqo/single_object_with_bvertex.mqo", 0, 0, 1, "obj1", "NoMaterial_0",
                   "次のオブジェクトの頂点はバイナリ形式（BVertex）で保存されているため読み込めませんでした\nobj1"},
        CorpusFile{"nutti+blender-mqo/single_object_with_edge.mqo", 11, 8, 1, "obj1", "NoMaterial_0"},
        CorpusFile{"nutti+blender-mqo/single_material_with_materialex2.mqo", 8, 6, 1, "obj1", "mat1"},
        CorpusFile{"nutti+blender-mqo/vertexattr.mqo", 8, 6, 1, "obj1", "NoMaterial_0"},
        CorpusFile{"nutti+blender-mqo/mirrored_multiple_axes.mqo", 16, 4, 1, "obj1", "NoMaterial_0"},
        CorpusFile{"garlic-flavor+mqo_loader/shodai_dsan.mqo", 448, 448, 3, "obj7", "material1"}),
    [](const ::testing::TestParamInfo<CorpusFile>& info) {
        std::string name = info.param.path;
        name = name.substr(name.find('/') + 1);
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

TEST(CorpusDetails, JapaneseObjectNamesAndMaterialValues)
{
    CapturingMessageSink messages;
    g_scene.ResetScene();
    g_fileVersion = kVersion390;
    const std::string dir = std::string(KMX_SOURCE_DIR) + "/tests/data/corpus/";
    // The first object of this file has a Japanese name: read it as the only object.
    const std::string text = testsupport::ReadFile(dir + "devil-tamachan+MQShrinkWrap/test.mqo");
    const std::size_t second = text.find("Object \"obj2\"");
    ASSERT_NE(second, std::string::npos);
    std::FILE* stream = testsupport::StreamOf(text.substr(0, second));
    EXPECT_EQ(g_scene.ImportMqoStream(stream), 0);  // no Eof line and no closing of the file: fine
    std::fclose(stream);
    EXPECT_EQ(cp932::ToUtf8(g_scene.m_models[0].m_name), "でかいほう");
    const CMaterial& mat3 = g_scene.m_materials[2];
    EXPECT_EQ(mat3.m_color[1], 0.682f);
    EXPECT_EQ(mat3.m_color[3], 0.775f);
    EXPECT_EQ(mat3.m_ambient, 0.6f);

    // The mirrored file: object vertex 0 (100, -28.1565781, 100), then its X, Y and XY copies.
    g_scene.ResetScene();
    ASSERT_TRUE(g_scene.ImportMqo(dir + "nutti+blender-mqo/mirrored_multiple_axes.mqo"));
    const std::vector<CVector>& v = g_scene.m_models[0].m_vertices;
    EXPECT_EQ(v[4].m_x, -100.0f);
    EXPECT_EQ(v[8].m_y, 28.1565781f);
    EXPECT_EQ(v[12].m_x, -100.0f);
    EXPECT_EQ(v[12].m_y, 28.1565781f);
    const std::vector<CFace>& f = g_scene.m_models[0].m_faces;
    EXPECT_EQ(f[0].m_indices, (std::vector<std::int32_t>{0, 2, 3, 1}));
    EXPECT_EQ(f[1].m_indices, (std::vector<std::int32_t>{5, 7, 6, 4}));
    EXPECT_EQ(f[3].m_indices, (std::vector<std::int32_t>{12, 14, 15, 13}));
}

}  // namespace
