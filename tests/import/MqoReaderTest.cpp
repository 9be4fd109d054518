// The main-model reader: header, chunks, materials, objects, face rows, skipping, errors,
// and what a failed read leaves in the scene; the background reader against it.
#include "import/LoaderBG.h"
#include "import/LoaderMQO.h"
#include "import/ModelFile.h"
#include "platform/Cp932.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "support/TempFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>
#include <utility>

using ::testing::ElementsAre;

namespace {

const std::string kHeader = "Metasequoia Document\r\nFormat Text Ver 1.0\r\n";

// An object chunk with the given vertex rows and face rows (each row one line).
std::string Object(const std::string& name, const std::vector<std::string>& vertices,
                   const std::vector<std::string>& faces, const std::string& settings = "")
{
    std::string text = "Object \"" + name + "\" {\r\n" + settings;
    text += "\tvertex " + std::to_string(vertices.size()) + " {\r\n";
    for (const std::string& v : vertices)
        text += "\t\t" + v + "\r\n";
    text += "\t}\r\n\tface " + std::to_string(faces.size()) + " {\r\n";
    for (const std::string& f : faces)
        text += "\t\t" + f + "\r\n";
    return text + "\t}\r\n}\r\n";
}

const std::vector<std::string> kFourVertices = {"0 0 0", "1 0 0", "1 1 0", "0 1 0"};

class MqoReader : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_scene.ResetScene();
        g_fileVersion = kVersion390;
        g_lastFrame = 100;
        g_currentAnimation = 0;
    }

    // Imports the text as a model file; returns the reader's code.
    std::int32_t Import(const std::string& text)
    {
        std::FILE* file = testsupport::StreamOf(text);
        const std::int32_t code = g_scene.ImportMqoStream(file);
        std::fclose(file);
        return code;
    }

    // The faces of the one model the read added, after a file with the four vertices and
    // the given face rows.
    std::vector<CFace> FacesOf(const std::vector<std::string>& rows, std::int32_t expectedCode = 0)
    {
        EXPECT_EQ(Import(kHeader + Object("obj", kFourVertices, rows)), expectedCode);
        return g_scene.m_models.empty() ? std::vector<CFace>() : g_scene.m_models.back().m_faces;
    }

    CapturingMessageSink m_messages;
};

// --- Header ----------------------------------------------------------------------------

struct HeaderCase {
    const char* text;
    std::int32_t code;
};

class MqoHeader : public MqoReader, public ::testing::WithParamInterface<HeaderCase> {};

TEST_P(MqoHeader, IsAcceptedOrRefused) { EXPECT_EQ(Import(GetParam().text), GetParam().code) << GetParam().text; }

INSTANTIATE_TEST_SUITE_P(
    Lines, MqoHeader,
    ::testing::Values(HeaderCase{"Metasequoia Document\nFormat Text Ver 1.0\n", 0},
                      HeaderCase{"metasequoia DOCUMENT\nformat TEXT ver 1.1 extra\n", 0},
                      HeaderCase{"Metasequoia Document\nFormat Text Ver 1.5\nEof\n", 0},
                      HeaderCase{"Metasequoia Document\nFormat Text Ver 0.9\n", MqoErrorFormat},
                      HeaderCase{"Metasequoia Document\nFormat Text Ver\n", MqoErrorFormat},
                      HeaderCase{"Metasequoia Document\nFormat Binary Ver 1.0\n", MqoErrorFormat},
                      HeaderCase{"Metasequoia Document\n\nFormat Text Ver 1.0\n", MqoErrorFormat},
                      HeaderCase{"Metasequoia Document\n", MqoErrorFormat},
                      HeaderCase{"Metasequoia\nFormat Text Ver 1.0\n", MqoErrorNotMetasequoia},
                      HeaderCase{"\nMetasequoia Document\nFormat Text Ver 1.0\n", MqoErrorNotMetasequoia},
                      HeaderCase{"Metasequoia Documents\nFormat Text Ver 1.0\n", MqoErrorNotMetasequoia},
                      HeaderCase{"", MqoErrorNotMetasequoia}));

TEST_F(MqoReader, HeaderOnlyGivesOneEmptyModelAndTheNumberedDefaultMaterial)
{
    g_scene.m_nextMaterialId = 4;
    EXPECT_FALSE(g_scene.ImportMqo("/nonexistent/folder/x.mqo"));
    EXPECT_FALSE(g_scene.ImportMqo(KMX_SOURCE_DIR));
    EXPECT_TRUE(g_scene.m_materials.empty());  // nothing happens when the file is not there
    EXPECT_EQ(Import(kHeader), 0);
    ASSERT_EQ(g_scene.m_models.size(), 1u);
    EXPECT_EQ(g_scene.m_models[0].m_name, "Model");
    EXPECT_TRUE(g_scene.m_models[0].m_vertices.empty());
    ASSERT_EQ(g_scene.m_materials.size(), 1u);
    EXPECT_EQ(g_scene.m_materials[0].m_name, "NoMaterial_4");
    EXPECT_EQ(g_scene.m_materials[0].m_id, 4);
    EXPECT_EQ(g_scene.m_nextMaterialId, 5);
    EXPECT_TRUE(m_messages.messages.empty());
}

TEST_F(MqoReader, HeaderErrorStillAddsTheDefaultMaterialAndNoModel)
{
    EXPECT_EQ(Import("Metasequoia Document\nFormat Text Ver 0.5\n"), MqoErrorFormat);
    EXPECT_TRUE(g_scene.m_models.empty());
    ASSERT_EQ(g_scene.m_materials.size(), 1u);
    EXPECT_EQ(g_scene.m_materials[0].m_name, "NoMaterial_0");
    // Colours are derived for every material by the import.
    EXPECT_FLOAT_EQ(g_scene.m_materials[0].m_glAmbient[0], 0.2f);
}

// --- Materials ---------------------------------------------------------------------------

TEST_F(MqoReader, MaterialRowsReadKnownItemsAndPassOverOthers)
{
    const std::string text = kHeader +
                             "Material 7 {\r\n"
                             "\t\"full\" shader(3) dbls(1) uid(9) col(0.1 0.2 0.3 0.4) dif(0.5) amb(0.6) spc(0.7) "
                             "emi(0.8) power(12.5) tex(\"tex\\a b.png\") aplane(\"al.png\") bump(\"bu.png\")\r\n"
                             "\tm shader(3) toon(1 1 1) col(1 0 0 1) dif(0.5)\r\n"
                             "\tm col(1 0 0 1) dif 0.5\r\n"
                             "\tm dif(0.5\r\n"
                             "\t\"single\"\r\n"
                             "\r\n"
                             "\tm COL(1 1 1 1 DIF(0.25)\r\n"
                             "\tm reflect(0.188) refract(1.300) vcol(1) spc(0.25)\r\n"
                             "}\r\n";
    ASSERT_EQ(Import(text), 0);
    const std::vector<CMaterial>& m = g_scene.m_materials;
    ASSERT_EQ(m.size(), 7u);
    EXPECT_EQ(m[0].m_name, "full");
    EXPECT_THAT(m[0].m_color, ElementsAre(0.1f, 0.2f, 0.3f, 0.4f));
    EXPECT_EQ(m[0].m_diffuse, 0.5f);
    EXPECT_EQ(m[0].m_ambient, 0.6f);
    EXPECT_EQ(m[0].m_specular, 0.7f);
    EXPECT_EQ(m[0].m_emissive, 0.8f);
    EXPECT_EQ(m[0].m_power, 12.5f);
    EXPECT_EQ(m[0].m_texture, "tex\\a b.png");
    EXPECT_EQ(m[0].m_alphaPlane, "al.png");
    EXPECT_EQ(m[0].m_bump, "bu.png");
    EXPECT_THAT(m[1].m_color, ElementsAre(1.0f, 0.0f, 0.0f, 1.0f));
    EXPECT_EQ(m[1].m_diffuse, 0.5f);
    EXPECT_THAT(m[2].m_color, ElementsAre(1.0f, 0.0f, 0.0f, 1.0f));
    EXPECT_EQ(m[2].m_diffuse, 1.0f);
    EXPECT_EQ(m[3].m_diffuse, 1.0f);
    EXPECT_EQ(m[4].m_name, "single");
    EXPECT_THAT(m[4].m_color, ElementsAre(0.8f, 0.8f, 0.8f, 1.0f));
    EXPECT_EQ(m[4].m_power, 5.0f);
    EXPECT_THAT(m[5].m_color, ElementsAre(0.8f, 0.8f, 0.8f, 1.0f));  // col without its ")" ends the row
    EXPECT_EQ(m[5].m_diffuse, 1.0f);
    EXPECT_EQ(m[6].m_specular, 0.25f);
    for (std::size_t i = 0; i < m.size(); ++i)
        EXPECT_EQ(m[i].m_id, static_cast<std::int32_t>(i));
    EXPECT_EQ(g_scene.m_nextMaterialId, 7);
    // Colours derived after the read: diffuse = colour x dif, alpha kept.
    EXPECT_THAT(m[0].m_glDiffuse, ElementsAre(0.1f * 0.5f, 0.2f * 0.5f, 0.3f * 0.5f, 0.4f));
    EXPECT_THAT(m[0].m_glSpecular, ElementsAre(0.7f, 0.7f, 0.7f, 0.4f));
}

TEST_F(MqoReader, SceneFilesOf392CarryTheirOwnMaterials)
{
    g_fileVersion = kVersion392;
    const std::string text = kHeader + "Material 2 {\r\n\t\"a\" col(1 0 0 1)\r\n\t\"b\" col(0 1 0 1)\r\n}\r\n" +
                             Object("obj", kFourVertices, {"3 V(0 1 2) M(1)"});
    EXPECT_EQ(Import(text), 0);
    ASSERT_EQ(g_scene.m_materials.size(), 1u);  // only the default one
    EXPECT_EQ(g_scene.m_materials[0].m_name, "NoMaterial_0");
    ASSERT_EQ(g_scene.m_models.size(), 1u);
    EXPECT_EQ(g_scene.m_models[0].m_faces.size(), 1u);
}

TEST_F(MqoReader, FacesOfASecondFileReferToItsOwnMaterials)
{
    const std::string file = kHeader + "Material 2 {\r\n\t\"a\"\r\n\t\"b\"\r\n}\r\n" +
                             Object("obj", kFourVertices, {"3 V(0 1 2) M(1)", "3 V(0 1 2)"});
    ASSERT_EQ(Import(file), 0);
    ASSERT_EQ(Import(file), 0);
    ASSERT_EQ(g_scene.m_materials.size(), 4u);
    EXPECT_EQ(g_scene.m_materials[3].m_id, 3);
    ASSERT_EQ(g_scene.m_models.size(), 2u);
    EXPECT_EQ(g_scene.m_models[1].m_faces[0].m_material, 3);
    EXPECT_EQ(g_scene.m_models[1].m_faces[1].m_material, 2);
}

// A material row costs a few bytes and makes a material of hundreds, a bone object's triangle
// a bone of as many samples as the current animation is long: both end where a scene does.
TEST_F(MqoReader, ModelsPastTheLimitsOfAScene)
{
    for (const int rows : {65536, 65537}) {
        SetUp();
        std::string text = kHeader + "Material 1 {\n";
        for (int i = 0; i < rows; ++i)
            text += "m\n";
        EXPECT_EQ(Import(text + "}\n"), rows > 65536 ? MqoErrorTooLarge : 0);
        EXPECT_EQ(g_scene.m_materials.size(), 65536u);  // a failed read keeps the rows read
    }
    EXPECT_EQ(mqo::ErrorText(MqoErrorTooLarge), "マテリアルかボーンが多すぎます（どちらも 65,536 までです）。");
    // Up to 1,024 bones at any length; more only within the samples padding may add
    // (1,048,576: 10,381 bones of 101 samples); never more than 65,536.
    for (const auto& [lastFrame, triangles, code] : {std::tuple(100, 1024, 0), std::tuple(100, 10382, -5),
                                                    std::tuple(100000, 1025, -5), std::tuple(0, 65537, -5)}) {
        SetUp();
        g_lastFrame = lastFrame;
        std::string text = kHeader + "Object \"bone\" {\nvertex 3 {\n0 0 0\n1 0 0\n0 10 0\n}\nface 1 {\n";
        for (int i = 0; i < triangles; ++i)
            text += "3 V(0 1 2)\n";
        EXPECT_EQ(Import(text + "}\n}\n"), code) << triangles;
        EXPECT_EQ(g_scene.m_bones.size(), code ? 0u : std::size_t(triangles)) << triangles;
    }
    g_lastFrame = 100;
}

// --- Face rows ---------------------------------------------------------------------------

TEST_F(MqoReader, FaceRowItems)
{
    g_scene.m_nextMaterialId = 10;  // the material base of this read
    const auto faces = FacesOf({
        "3 V(0 1 2) M(1) UV(0 0.5 1 0.25 1 1)",
        "3 V(0 1 2) UV(0 0 1 0 1 1)",
        "3 V(0 1 2) M(1) UID(5) UV(0 0 1 0 1 1)",
        "3 V[0 1 2]",  // dropped
        "5 V(0 1 2 3 1) M(0)",
        "4 V(3 2 1 0) M(2) COL(0xFFFFFFFF) UV(0 0 1 0 1 1 0 1)",
        "4 V(3 2 1 0) UV(0 0 1 0 1 1 0 1) M(2)",
        "3 V(0 1 2) M(1) UV(0 0 1 0 1)",  // too short a UV item: no UVs
        "3 V(0 1 2) M[1]",               // dropped
        "3 V(0 1 2) M(1) UID[5] UV(0 0 1 0 1 1)",  // dropped
        "3 V(0 1 2) M(1) UV(0 0 1 0 1 1]",          // dropped
        "2 V(0 3)",
        "0 V()",
    });
    ASSERT_EQ(faces.size(), 9u);
    EXPECT_THAT(faces[0].m_indices, ElementsAre(0, 1, 2));
    EXPECT_EQ(faces[0].m_material, 11);
    ASSERT_EQ(faces[0].m_uvs.size(), 3u);
    EXPECT_EQ(faces[0].m_uvs[1].m_u, 1.0f);
    EXPECT_EQ(faces[0].m_uvs[1].m_v, 0.25f);
    EXPECT_EQ(faces[1].m_material, 10);
    EXPECT_EQ(faces[1].m_uvs.size(), 3u);
    EXPECT_EQ(faces[2].m_material, 11);
    EXPECT_EQ(faces[2].m_uvs.size(), 3u);
    EXPECT_THAT(faces[3].m_indices, ElementsAre(0, 1, 2, 3));
    EXPECT_EQ(faces[3].m_material, 10);
    EXPECT_EQ(faces[4].m_material, 12);
    EXPECT_TRUE(faces[4].m_uvs.empty());  // an item out of order ends the row
    EXPECT_EQ(faces[5].m_material, 10);   // M after UV is not read
    EXPECT_EQ(faces[5].m_uvs.size(), 4u);
    EXPECT_EQ(faces[6].m_material, 11);
    EXPECT_TRUE(faces[6].m_uvs.empty());
    EXPECT_THAT(faces[7].m_indices, ElementsAre(0, 3));
    EXPECT_TRUE(faces[8].m_indices.empty());
    for (const CFace& face : faces)
        EXPECT_TRUE(face.m_cornerNormals.empty());
}

TEST_F(MqoReader, MalformedFaceRowsAreSyntaxErrors)
{
    for (const char* row : {"3 V 0 1 2", "4 V(0 1 2)", "3 X(0 1 2)", "3", "V(0 1 2)", "2147483647 V(0 1 2)"}) {
        SetUp();
        FacesOf({row}, MqoErrorSyntax);
        EXPECT_TRUE(g_scene.m_models.empty()) << row;
    }
}

TEST_F(MqoReader, FacesNamingMissingVerticesOrNegativeCornerCountsAreDropped)
{
    const auto faces = FacesOf({"3 V(0 1 4)", "3 V(0 -1 2)", "-1 V(0 1 2)", "-3 V", "-2147483648 V(0 1 2)",
                                "3 V(2147483647 1 2)", "3 V(3 2 1)"});
    ASSERT_EQ(faces.size(), 1u);
    EXPECT_THAT(faces[0].m_indices, ElementsAre(3, 2, 1));
}

TEST_F(MqoReader, FacesMayComeBeforeTheirVertices)
{
    const std::string text = kHeader + "Object \"o\" {\n face 1 {\n  3 V(0 1 2)\n }\n vertex 3 {\n  0 0 0\n"
                                       "  1 0 0\n  0 1 0\n }\n}\n";
    ASSERT_EQ(Import(text), 0);
    EXPECT_EQ(g_scene.m_models[0].m_faces.size(), 1u);
}

// --- Objects -------------------------------------------------------------------------------

TEST_F(MqoReader, OrdinaryObjectsMergeIntoOneModel)
{
    const std::string text = kHeader + Object("first", kFourVertices, {"4 V(0 1 2 3)"}, "\tfacet 30.5\r\n") +
                             Object("second", {"5 5 5", "6 6 6", "7 7 7"}, {"3 V(0 1 2) M(0)"});
    ASSERT_EQ(Import(text), 0);
    ASSERT_EQ(g_scene.m_models.size(), 1u);
    const CModel& model = g_scene.m_models[0];
    EXPECT_EQ(model.m_name, "second");
    EXPECT_EQ(model.m_smoothingAngle, 59.0f);  // the last object had no facet line
    ASSERT_EQ(model.m_vertices.size(), 7u);
    EXPECT_EQ(model.m_vertices[4].m_x, 5.0f);
    ASSERT_EQ(model.m_faces.size(), 2u);
    EXPECT_THAT(model.m_faces[1].m_indices, ElementsAre(4, 5, 6));
    EXPECT_EQ(model.m_mirrorAxis, 0);
}

TEST_F(MqoReader, LastObjectDecidesTheSmoothingAngleAndMirrorsApply)
{
    const std::string text = kHeader + Object("a", kFourVertices, {"3 V(0 1 2)"}, "\tmirror 1\r\n\tmirror_axis 1\r\n") +
                             Object("b", {"1 2 3"}, {}, "\tfacet 12.5\r\n\tmirror_axis 6\r\n");
    ASSERT_EQ(Import(text), 0);
    const CModel& model = g_scene.m_models[0];
    EXPECT_EQ(model.m_smoothingAngle, 12.5f);
    EXPECT_EQ(model.m_vertices.size(), 8u + 4u);
    EXPECT_EQ(model.m_faces.size(), 2u);
    EXPECT_THAT(model.m_faces[1].m_indices, ElementsAre(6, 5, 4));
    EXPECT_EQ(model.m_vertices[11].m_y, -2.0f);
    EXPECT_EQ(model.m_vertices[11].m_z, -3.0f);
}

TEST_F(MqoReader, ObjectNamePrefixesAreCaseSensitive)
{
    const std::string triangle = "3 V(0 1 2)";
    const std::vector<std::string> boneVertices = {"0 0 0", "1 0 0", "0 10 0"};
    const std::string text = kHeader + Object("bone1", boneVertices, {triangle}) +
                             Object("Bone1", kFourVertices, {triangle}) +
                             Object("anchor01", kFourVertices, {triangle, triangle}) + "Object {\r\n}\r\n";
    ASSERT_EQ(Import(text), 0);
    ASSERT_EQ(g_scene.m_bones.size(), 1u);
    const CModel& model = g_scene.m_models[0];
    EXPECT_EQ(model.m_vertices.size(), 4u);  // Bone1 only: the bone object and the anchor add nothing
    EXPECT_EQ(model.m_faces.size(), 1u);
    EXPECT_EQ(model.m_name, "");  // the nameless object came last
}

TEST_F(MqoReader, ObjectBodyLinesAreChecked)
{
    EXPECT_EQ(Import(kHeader + "Object \"o\"\r\n"), MqoErrorSyntax);
    SetUp();
    EXPECT_EQ(Import(kHeader + "Material 1\r\n"), MqoErrorSyntax);
    SetUp();
    EXPECT_EQ(Import(kHeader + "Object \"o\" {\r\n vertex 3 [\r\n"), MqoErrorSyntax);
    SetUp();
    EXPECT_EQ(Import(kHeader + "Object \"o\" {\r\n face 3\r\n}\r\n"), MqoErrorSyntax);
    SetUp();
    // "vertex" with fewer than three tokens is some other chunk, skipped whole.
    ASSERT_EQ(Import(kHeader + "Object \"o\" {\r\n vertex {\r\n 1 2 3\r\n }\r\n}\r\n"), 0);
    EXPECT_TRUE(g_scene.m_models[0].m_vertices.empty());
}

TEST_F(MqoReader, VertexRowsTakeThreeNumbers)
{
    ASSERT_EQ(Import(kHeader + Object("o", {"1 2", "1.5 -2.25 3e2 9 9", "x y z", "0x10 1e400 -.5"}, {})), 0);
    const std::vector<CVector>& v = g_scene.m_models[0].m_vertices;
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[0].m_x, 1.5f);
    EXPECT_EQ(v[0].m_z, 300.0f);
    EXPECT_EQ(v[0].m_weight, 1.0f);
    EXPECT_EQ(v[0].m_boneIndex, -1);
    EXPECT_EQ(v[1].m_x, 0.0f);
    EXPECT_EQ(v[2].m_x, 16.0f);
    EXPECT_EQ(v[2].m_y, 0.0f);  // beyond any float: read as 0 (below)
    EXPECT_EQ(v[2].m_z, -0.5f);
}

// --- Skipping ------------------------------------------------------------------------------

TEST_F(MqoReader, UnknownChunksAndBinaryBlocksAreSkipped)
{
    std::string binary(96, '\0');
    binary.replace(10, 6, "}\r\n{\n\"");
    std::string text = kHeader + "Scene {\r\n\tpos 0 0 1500\r\n\tdirlights 1 {\r\n\t\tlight {\r\n\t\t}\r\n\t}\r\n}\r\n" +
                       "IncludeXml \"x.mqx\"\r\n" + "Blob [ 4 ]\r\n" + std::string("}}}}") + "\r\n" +
                       "Object \"o\" {\r\n\tBVertex 8 {\r\n\t\tVector 8 [96]\r\n" + binary + "\r\n\t}\r\n" +
                       "\tvertexattr {\r\n\t\tweit {\r\n\t\t\t1 0.5\r\n\t\t}\r\n\t}\r\n" +
                       "\tvertex 1 {\r\n\t\t1 2 3\r\n\t}\r\n}\r\nEof\r\n";
    ASSERT_EQ(Import(text), 0);
    ASSERT_EQ(g_scene.m_models.size(), 1u);
    ASSERT_EQ(g_scene.m_models[0].m_vertices.size(), 1u);
    EXPECT_EQ(g_scene.m_models[0].m_vertices[0].m_z, 3.0f);
}

// Vertices kept only in binary BVertex blocks are skipped with the block: each read says so
// once, naming the first few objects (ordinary or bone objects; anchors are not read) and
// counting the rest.
TEST_F(MqoReader, ObjectsWhoseVerticesAreOnlyBinaryAreToldOncePerRead)
{
    const auto binary = [](const std::string& name, const std::string& text = "") {
        return "Object \"" + name + "\" {\r\n\tBVertex 1 {\r\n\t\tVector 1 [12]\r\n" + std::string(12, '\0') +
               "\r\n\t}\r\n" + text + "\tface 1 {\r\n\t\t3 V(0 0 0)\r\n\t}\r\n}\r\n";
    };
    std::string text = kHeader + binary("both", "\tvertex 1 {\r\n\t\t1 2 3\r\n\t}\r\n") + binary("anchor1");
    for (const char* name : {"\x95\x5C", "a", "b", "a", "c", "d", "bone", "e"})
        text += binary(name);
    ASSERT_EQ(Import(text), 0);
    EXPECT_EQ(g_scene.m_models[0].m_vertices.size(), 1u);
    EXPECT_THAT(m_messages.messages,
                ElementsAre("次のオブジェクトの頂点はバイナリ形式（BVertex）で保存されているため読み込めませんでした\n"
                            "表\na\nb\nc\nd\n（ほか 2 個、全部で 7 個のオブジェクト）"));

    m_messages.messages.clear();
    std::FILE* background = testsupport::StreamOf(kHeader + binary("bg"));
    EXPECT_EQ(ImportBackgroundMqoStream(background), 0);
    std::fclose(background);
    EXPECT_THAT(m_messages.messages,
                ElementsAre("次のオブジェクトの頂点はバイナリ形式（BVertex）で保存されているため読み込めませんでした\nbg"));
}

TEST_F(MqoReader, BinaryBlocksThatCannotBeSkippedEndTheRead)
{
    // A negative length would lead back onto the same line for ever.
    EXPECT_EQ(Import(kHeader + "Object \"o\" {\r\n\tBVertex 1 {\r\n\t\tVector 1 [ -30 ]\r\n\t}\r\n}\r\n"),
              MqoErrorSyntax);
    SetUp();
    EXPECT_EQ(Import(kHeader + "Blob [ -5 ]\r\n"), MqoErrorSyntax);
    SetUp();
    // Past the end of the file: the chunk cannot end.
    EXPECT_EQ(Import(kHeader + "Object \"o\" {\r\n\tBVertex 1 {\r\n\t\tVector 1 [ 999 ]\r\n\t}\r\n}\r\n"),
              MqoErrorEndOfFile);
}

// --- End of file and what a failed read leaves ---------------------------------------------

TEST_F(MqoReader, EndOfFileInsideChunks)
{
    for (const std::string& cut :
         {std::string("Object \"o\" {\r\n\tvertex 2 {\r\n\t\t1 2 3\r\n"), std::string("Object \"o\" {\r\n"),
          std::string("Object \"o\" {\r\n\tface 1 {\r\n"), std::string("Scene {\r\n\tsub {\r\n\t}\r\n"),
          std::string("Material 1 {\r\n")}) {
        SetUp();
        EXPECT_EQ(Import(kHeader + cut), MqoErrorEndOfFile) << cut;
        EXPECT_TRUE(g_scene.m_models.empty()) << cut;
    }
}

TEST_F(MqoReader, AFailedReadKeepsCompleteMaterialRowsAndBonesButNoModel)
{
    const std::string text = kHeader + "Material 3 {\r\n\t\"a\" col(1 0 0 1)\r\n\t\"b\"\r\n" + "";
    EXPECT_EQ(Import(text), MqoErrorEndOfFile);
    ASSERT_EQ(g_scene.m_materials.size(), 2u);
    EXPECT_EQ(g_scene.m_nextMaterialId, 2);

    SetUp();
    const std::string bones = kHeader + Object("bones", {"0 0 0", "1 0 0", "0 10 0"}, {"3 V(0 1 2)"}) +
                              Object("body", kFourVertices, {"3 V(0 1 2)"}) + "Object \"cut\" {\r\n\tvertex 1 {\r\n";
    EXPECT_EQ(Import(bones), MqoErrorEndOfFile);
    EXPECT_EQ(g_scene.m_bones.size(), 1u);
    EXPECT_TRUE(g_scene.m_models.empty());
    EXPECT_EQ(g_scene.m_materials.size(), 1u);  // the default material
}

TEST_F(MqoReader, CrLfAndLfFilesReadTheSame)
{
    std::string crlf = kHeader + "Material 1 {\r\n\t\"m\" col(1 0.5 0 1) tex(\"t.png\")\r\n}\r\n" +
                       Object("o", kFourVertices, {"4 V(0 1 2 3) M(0) UV(0 0 1 0 1 1 0 1)"}, "\tmirror_axis 3\r\n") +
                       "Eof\r\n";
    std::string lf = crlf;
    std::erase(lf, '\r');
    ASSERT_EQ(Import(crlf), 0);
    const CModel fromCrLf = g_scene.m_models[0];
    const CMaterial materialCrLf = g_scene.m_materials[0];
    SetUp();
    ASSERT_EQ(Import(lf), 0);
    const CModel& fromLf = g_scene.m_models[0];
    ASSERT_EQ(fromLf.m_vertices.size(), fromCrLf.m_vertices.size());
    for (std::size_t i = 0; i < fromLf.m_vertices.size(); ++i)
        EXPECT_EQ(std::tie(fromLf.m_vertices[i].m_x, fromLf.m_vertices[i].m_y, fromLf.m_vertices[i].m_z),
                  std::tie(fromCrLf.m_vertices[i].m_x, fromCrLf.m_vertices[i].m_y, fromCrLf.m_vertices[i].m_z));
    ASSERT_EQ(fromLf.m_faces.size(), fromCrLf.m_faces.size());
    for (std::size_t i = 0; i < fromLf.m_faces.size(); ++i)
        EXPECT_EQ(fromLf.m_faces[i].m_indices, fromCrLf.m_faces[i].m_indices);
    EXPECT_EQ(g_scene.m_materials[0].m_texture, materialCrLf.m_texture);
    EXPECT_EQ(g_scene.m_materials[0].m_color, materialCrLf.m_color);
}

TEST_F(MqoReader, Cp932NamesAreKeptByteForByte)
{
    // ソ表 (trail bytes 0x5C) and a name whose trail byte is a quote.
    const std::string so = "\x83\x5C\x95\x5C";
    const std::string quoteTrail = "\x81\x22";
    const std::string text = kHeader + "Material 1 {\r\n\t\"" + so + "\" tex(\"C:\\" + so + "\\t.png\")\r\n}\r\n" +
                             Object(so + "x" + quoteTrail, kFourVertices, {"3 V(0 1 2)"});
    ASSERT_EQ(Import(text), 0);
    EXPECT_EQ(g_scene.m_materials[0].m_name, so);
    EXPECT_EQ(g_scene.m_materials[0].m_texture, "C:\\" + so + "\\t.png");
    EXPECT_EQ(g_scene.m_models[0].m_name, so + "x" + quoteTrail);
}

TEST_F(MqoReader, ImportOpensCp932PathsWithEitherSeparator)
{
    testsupport::TempDir dir;
    const std::string folder = "\x83\x5C";  // ソ: its trail byte is a backslash
    dir.Write(cp932::ToUtf8(folder) + "/m.mqo", kHeader + Object("o", kFourVertices, {"3 V(0 1 2)"}));
    const std::string cp932Folder = cp932::FromUtf8(dir.Path());
    EXPECT_TRUE(g_scene.ImportMqo(cp932Folder + folder + "\\m.mqo"));
    EXPECT_TRUE(g_scene.ImportMqo(cp932Folder + folder + "/m.mqo"));
    EXPECT_EQ(g_scene.m_models.size(), 2u);
}

// --- Background reader: the same rules, each object a model of its own ----------------

const std::string kMaterials = "Material 2 {\r\n\t\"red\" dbls(1) uid(7) col(1 0 0 1)\r\n\t\"blue\" col(0 0 1 1)\r\n}\r\n";
const std::string kTriangle = "3 V(0 1 2) M(1) UID(1) UV(0 0 1 0 1 1)";

class BackgroundReader : public MqoReader {
protected:
    static std::int32_t Background(const std::string& text)
    {
        std::FILE* file = testsupport::StreamOf(text);
        const std::int32_t code = ImportBackgroundMqoStream(file);
        std::fclose(file);
        return code;
    }

    // What the main reader makes of the same text in a fresh scene; g_scene is kept.
    CCentigrade MainReaderScene(const std::string& text)
    {
        const CCentigrade kept = std::exchange(g_scene, CCentigrade());
        g_fileVersion = kVersion390;
        Import(text);
        return std::exchange(g_scene, kept);
    }
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

// Numbers that are not finite would reach every export ("nan" does not even compile there):
// both readers read them as 0, and say once per file that it held such numbers.
TEST_F(BackgroundReader, NonFiniteNumbersReadAsZeroAndAreReportedOnce)
{
    const std::string text = kHeader + "Material 1 {\r\n\t\"m\" col(nan 0.5 INF 1) dif(1e999)\r\n}\r\n" +
                             Object("o", {"nan -inf 3e38", "4e38 1 2", "-1e39 0 infinity"},
                                    {"3 V(0 1 2) UV(nan 0.5 1 -nan 0 0)"}, "\tfacet 1e400\r\n");
    const CCentigrade main = MainReaderScene(text);
    const CModel& model = main.m_models.at(0);
    EXPECT_EQ(Geometry(model), "0 0 3e+38;0 1 2;0 0 0;\n0: 0 1 2 0/0.5 1/0 0/0");
    EXPECT_EQ(model.m_smoothingAngle, 0.0f);
    EXPECT_EQ(main.m_materials.at(0).m_color, (std::array<float, 4>{0.0f, 0.5f, 0.0f, 1.0f}));
    EXPECT_EQ(main.m_materials[0].m_diffuse, 0.0f);
    ASSERT_EQ(Background(text), 0);
    EXPECT_EQ(Geometry(g_scene.m_backgroundModels.at(0)), Geometry(model));
    EXPECT_EQ(g_scene.m_backgroundMaterials.at(0).m_color, main.m_materials[0].m_color);
    const std::string message(mqo::kNonFiniteNumbersMessage);
    EXPECT_THAT(m_messages.messages, ElementsAre(message, message));

    m_messages.messages.clear();
    ASSERT_EQ(Import(kHeader + Object("o", kFourVertices, {})), 0);
    EXPECT_TRUE(m_messages.messages.empty());
}

TEST_F(BackgroundReader, AFileThatCannotBeOpenedChangesNothingAndTellsWhy)
{
    testsupport::TempDir dir;
    std::string before, after, reason;
    ASSERT_TRUE(fs_cp932::CurrentFolder(before));
    EXPECT_FALSE(ImportBackgroundMqo(dir.File("missing.mqo"), reason));
    EXPECT_EQ(reason, "ファイルが見つかりません。");
    EXPECT_FALSE(ImportBackgroundMqo(dir.Path(), reason));
    EXPECT_EQ(reason, "フォルダーです。");
    EXPECT_FALSE(ImportBackgroundMqo("/dev/zero", reason));  // endless: refused unread
    EXPECT_EQ(reason, "デバイスです。");
    EXPECT_TRUE(g_scene.m_backgroundMaterials.empty());
    ASSERT_TRUE(fs_cp932::CurrentFolder(after));
    EXPECT_EQ(after, before);
}

}  // namespace
