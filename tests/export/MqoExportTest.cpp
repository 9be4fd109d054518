#include "export/MqoExport.h"

#include "export/ExportScenes.h"
#include "export/TextWriter.h"
#include "platform/MatrixStack.h"
#include "platform/Messages.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>

using namespace exporttest;

namespace {

std::string Write(const CCentigrade& scene, ExportAnimationForm form, float scale = 1.0f)
{
    StringSink sink;
    {
        TextWriter out(sink);
        EXPECT_TRUE(WriteMqoWithBones(scene, out, form, scale));
    }
    return sink.text;
}

std::string ReadText(const std::string& path)
{
    const auto bytes = testsupport::ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

const char* const kHeader =
    "Metasequoia Document\n"
    "Format Text Ver 1.0\n"
    "\n"
    "Scene {\n"
    "\tpos 0.0000 0.0000 1500.0000\n"
    "\tlookat 0.0000 0.0000 0.0000\n"
    "\thead -0.5236\n"
    "\tpich 0.5236\n"
    "\tortho 0\n"
    "\tzoom2 5.0000\n"
    "\tamb 0.250 0.250 0.250\n"
    "}\n";

const char* const kBoxMaterials =
    "Material 1 {\n"
    "\t\"mat1\" shader(3) col(0.800000 0.800000 0.800000 1.000000) dif(1.000000) amb(0.250000) emi(0.000000) "
    "spc(0.000000) power(5.000000) tex(\"wood.png\") toontex(\"t.bmp\") toon(0.800000 0.800000 0.800000)\n"
    "}\n";

const char* const kObjectHead =
    "\tvisible 15\n"
    "\tlocking 1\n"
    "\tshading 1\n"
    "\tfacet 59.000000\n"
    "\tcolor 0.898 0.498 0.698\n"
    "\tcolor_type 0\n";

// The faces of the box: the two-corner line counts but gets no row; the quad has no UVs.
const char* const kBoxFaces =
    "\tface 3 {\n"
    "\t\t3 V(0 1 2) M(0) UV(0.000000 0.000000 1.000000 0.000000 1.000000 1.000000)\n"
    "\t\t4 V(0 1 2 3) M(0)\n"
    "\t}\n";

}  // namespace

TEST(MqoExport, SceneWithoutBonesInTheAnimatedForms)
{
    const CCentigrade scene = BoxScene();
    const std::string expected = Crlf(std::string(kHeader) + kBoxMaterials + "Object \"Box\" {\n" + kObjectHead +
                                      "\tvertex 4 {\n"
                                      "\t\t0.000000 0.000000 0.000000\n"
                                      "\t\t1.000000 0.000000 0.000000\n"
                                      "\t\t1.000000 1.000000 0.000000\n"
                                      "\t\t0.000000 1.000000 -0.500000\n"
                                      "\t}\n" +
                                      kBoxFaces +
                                      "}\n"
                                      // One chunk per animation, holding only its materials.
                                      "BoneAnimation \"Animation_0\" {\n"
                                      "\tmaterials {\n"
                                      "\t\t0 \n"
                                      "\t}\n"
                                      "}\n"
                                      "BoneAnimation \"Walk\" {\n"
                                      "\tmaterials {\n"
                                      "\t\t\n"
                                      "\t}\n"
                                      "}\n"
                                      "Eof\n");
    EXPECT_EQ(Write(scene, AnimationFormMatrices), expected);
    EXPECT_EQ(Write(scene, AnimationFormKeyFrames), expected);
}

TEST(MqoExport, StaticFormHasNoAnimationChunks)
{
    const CCentigrade scene = BoxScene();
    const std::string text = Write(scene, AnimationFormNone);
    EXPECT_EQ(text.find("BoneAnimation"), std::string::npos);
    EXPECT_TRUE(text.ends_with(Crlf(std::string(kBoxFaces) + "}\nEof\n")));
}

// Without materials every face is written with M(-1), no material: its number names none.
TEST(MqoExport, NoMaterialsAndSeveralModelsAtScaleTwo)
{
    CCentigrade scene = BoxScene();
    scene.m_materials.clear();
    CModel second;
    second.m_name = "Second";
    second.m_smoothingAngle = 30.5f;
    second.m_vertices = {Vertex(0.25f, -1.5f, 3.0f)};
    second.m_faces = {Face({0, 0, 0}, 2, {{0.5f, 0.25f}, {1, 1}})};  // too few UVs: none written
    scene.m_models.push_back(second);
    const std::string expected = Crlf(std::string(kHeader) +
                                      "Material 0 {\n"
                                      "}\n"
                                      "Object \"Box\" {\n" +
                                      kObjectHead +
                                      "\tvertex 4 {\n"
                                      "\t\t0.000000 0.000000 0.000000\n"
                                      "\t\t2.000000 0.000000 0.000000\n"
                                      "\t\t2.000000 2.000000 0.000000\n"
                                      "\t\t0.000000 2.000000 -1.000000\n"
                                      "\t}\n"
                                      "\tface 3 {\n"
                                      "\t\t3 V(0 1 2) M(-1) UV(0.000000 0.000000 1.000000 0.000000 1.000000 1.000000)\n"
                                      "\t\t4 V(0 1 2 3) M(-1)\n"
                                      "\t}\n"  // UVs are not scaled
                                      "}\n"
                                      "Object \"Second\" {\n"
                                      "\tvisible 15\n"
                                      "\tlocking 1\n"
                                      "\tshading 1\n"
                                      "\tfacet 30.500000\n"  // nor is the smoothing angle
                                      "\tcolor 0.898 0.498 0.698\n"
                                      "\tcolor_type 0\n"
                                      "\tvertex 1 {\n"
                                      "\t\t0.500000 -3.000000 6.000000\n"
                                      "\t}\n"
                                      "\tface 1 {\n"
                                      "\t\t3 V(0 0 0) M(-1)\n"
                                      "\t}\n"
                                      "}\n"
                                      "Eof\n");
    EXPECT_EQ(Write(scene, AnimationFormNone, 2.0f), expected);
}

// With a bone every vertex row carries B, P and W, also in the static form. A vertex
// without a bone, or with an index that names no bone, is written unbound: B(-1) P(-1).
TEST(MqoExport, VertexRowsCarryBoneParentAndWeight)
{
    CCentigrade scene = BoxScene();
    scene.m_bones = {Bone(0, -1, CVector(0, 0, 0), 2, 3), Bone(1, 0, CVector(0, 1, 0), 2, 3)};
    scene.m_models[0].m_vertices = {Vertex(0, 0, 0, 0), Vertex(1, 0, 0, 1, 0.25f), Vertex(1, 1, 0, -1),
                                    Vertex(0, 1, -0.5f, 7)};
    const std::string body = "\tvertex 4 {\n"
                             "\t\t0.000000 0.000000 0.000000 B(0) P(-1) W(1.000000)\n"
                             "\t\t1.000000 0.000000 0.000000 B(1) P(0) W(0.250000)\n"
                             "\t\t1.000000 1.000000 0.000000 B(-1) P(-1) W(1.000000)\n"
                             "\t\t0.000000 1.000000 -0.500000 B(-1) P(-1) W(1.000000)\n"
                             "\t}\n";
    const std::string staticText = Write(scene, AnimationFormNone);
    EXPECT_NE(staticText.find(Crlf(body)), std::string::npos) << staticText;
    EXPECT_EQ(staticText.find("BoneAnimation"), std::string::npos);
}

// Names that hold a double quote or a line end still give one quoted token each.
TEST(MqoExport, NamesCannotBreakTheQuotes)
{
    CCentigrade scene = BoxScene();
    scene.m_models[0].m_name = "my \"box\"";
    scene.m_materials[0].m_name = "red\nmetal";
    scene.m_materials[0].m_texture = "tex\\\"odd\".png";
    scene.m_animationNames[0] = "say \"go\"";
    const std::string text = Write(scene, AnimationFormMatrices);
    EXPECT_NE(text.find("Object \"my 'box'\" {\r\n"), std::string::npos);
    EXPECT_NE(text.find("\t\"red metal\" shader(3)"), std::string::npos);
    EXPECT_NE(text.find(" tex(\"'odd'.png\")"), std::string::npos);
    EXPECT_NE(text.find("BoneAnimation \"say 'go'\" {\r\n"), std::string::npos);
}

TEST(MqoExport, ExportWritesTheFileWithCrLf)
{
    testsupport::TempDir folder;
    const std::string path = folder.File("walk.zlba");
    const CCentigrade scene = BoxScene();
    CapturingMessageSink messages;
    const ExportResult result = ExportMqoWithBones(scene, path, AnimationFormMatrices, 1, 1.0f);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.path, path);
    EXPECT_EQ(ReadText(path), Write(scene, AnimationFormMatrices));
    EXPECT_TRUE(messages.messages.empty());  // this export never warns
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Folder()), {}), 1);
}

TEST(MqoExport, StaticFormWritesAnMqoPath)
{
    testsupport::TempDir folder;
    std::filesystem::create_directory(folder.Folder() / "v1.2");
    const CCentigrade scene = BoxScene();
    const struct {
        std::string given, written;
    } cases[] = {
        {folder.File("robot.zlba"), folder.File("robot.mqo")},
        {folder.File("v1.2/robot"), folder.File("v1.2/robot.mqo")},  // a dot in a folder name is no extension
        {folder.File("a.b.zlba"), folder.File("a.b.mqo")},
    };
    for (const auto& c : cases) {
        const ExportResult result = ExportMqoWithBones(scene, c.given, AnimationFormNone, 1, 1.0f);
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(result.path, c.written);
        EXPECT_TRUE(std::filesystem::exists(c.written)) << c.written;
        EXPECT_FALSE(std::filesystem::exists(c.given)) << c.given;
    }
}

TEST(MqoExport, SceneWithoutModelIsRefusedAndLeavesTheFileAlone)
{
    testsupport::TempDir folder;
    const std::string path = folder.File("old.zlba");
    testsupport::WriteBytes(path, {'o', 'l', 'd'});
    CCentigrade scene = BoxScene();
    scene.m_models.clear();
    const ExportResult result = ExportMqoWithBones(scene, path, AnimationFormMatrices, 1, 1.0f);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(ReadText(path), "old");
    EXPECT_FALSE(ExportMqoWithBones(scene, folder.File("new.zlba"), AnimationFormMatrices, 1, 1.0f).ok);
    EXPECT_FALSE(std::filesystem::exists(folder.File("new.zlba")));
}

// A disk that fills up during the export: failure, and the old file stays as it was.
TEST(MqoExport, FullDeviceFailsAndKeepsTheOldFile)
{
    testsupport::TempDir folder;
    const std::string path = folder.File("scene.zlba");
    testsupport::WriteBytes(path, {'o', 'l', 'd'});
    CCentigrade scene = BoxScene();
    scene.m_models[0].m_vertices.resize(20000);
    ExportResult result;
    {
        struct rlimit saved {};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = saved;
        small.rlim_cur = 4096;
        ::setrlimit(RLIMIT_FSIZE, &small);
        result = ExportMqoWithBones(scene, path, AnimationFormMatrices, 1, 1.0f);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, handler);
    }
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(ReadText(path), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Folder()), {}), 1);
}

namespace {

// Two bones: root bone 0 at the origin, moved by (1, 2, 3) in frame 1; bone 1, its child
// with the pivot (0, 1, 0), turned 90 degrees about Z in frame 1. Animation "Walk" has two
// frames, "Run" none for bone 1 and one for bone 0.
CCentigrade TwoBoneScene()
{
    CCentigrade scene = BoxScene();
    scene.m_animationNames = {"Walk", "Run"};
    scene.m_materialMaps = {{0}, {0}};
    scene.m_bones = {Bone(0, -1, CVector(0, 0, 0), 2, 2), Bone(1, 0, CVector(0, 1, 0), 2, 2)};
    scene.m_bones[0].m_animations[0][1].m_translate = CVector(1, 2, 3);
    scene.m_bones[1].m_animations[0][1].m_rotate = CVector(0, 0, 90);
    scene.m_bones[0].m_animations[1].resize(1);
    scene.m_bones[1].m_animations[1].clear();
    scene.m_models[0].m_vertices = {Vertex(0, 0, 0, 0), Vertex(1, 0, 0, 1, 0.5f), Vertex(1, 1, 0, 1),
                                    Vertex(0, 1, -0.5f, 1)};
    return scene;
}

const char* const kIdentityRow =
    "\t\t1.000000 0.000000 0.000000 0.000000 0.000000 1.000000 0.000000 0.000000 "
    "0.000000 0.000000 1.000000 0.000000 0.000000 0.000000 0.000000 1.000000\n";

}  // namespace

// The matrices are column-major with the translation in elements 12 to 14; a turn of 90
// degrees leaves cos as a tiny negative float, printed "-0.000000". Scale 2 doubles every
// translation and nothing else.
TEST(MqoExport, BoneAnimationChunksHoldOneMatrixPerBoneAndFrame)
{
    const CCentigrade scene = TwoBoneScene();
    for (const float scale : {1.0f, 2.0f}) {
        const std::string text = Write(scene, AnimationFormMatrices, scale);
        const std::string animations =
            std::string("BoneAnimation \"Walk\" {\n"
                        "\tmaterials {\n"
                        "\t\t0 \n"
                        "\t}\n"
                        "\tbone {\n") +
            kIdentityRow +
            (scale == 1.0f ? "\t\t1.000000 0.000000 0.000000 0.000000 0.000000 1.000000 0.000000 0.000000 "
                             "0.000000 0.000000 1.000000 0.000000 1.000000 2.000000 3.000000 1.000000\n"
                           : "\t\t1.000000 0.000000 0.000000 0.000000 0.000000 1.000000 0.000000 0.000000 "
                             "0.000000 0.000000 1.000000 0.000000 2.000000 4.000000 6.000000 1.000000\n") +
            "\t}\n"
            "\tbone {\n" +
            kIdentityRow +
            (scale == 1.0f ? "\t\t-0.000000 1.000000 0.000000 0.000000 -1.000000 -0.000000 0.000000 0.000000 "
                             "0.000000 0.000000 1.000000 0.000000 2.000000 3.000000 3.000000 1.000000\n"
                           : "\t\t-0.000000 1.000000 0.000000 0.000000 -1.000000 -0.000000 0.000000 0.000000 "
                             "0.000000 0.000000 1.000000 0.000000 4.000000 6.000000 6.000000 1.000000\n") +
            "\t}\n"
            "}\n"
            "BoneAnimation \"Run\" {\n"
            "\tmaterials {\n"
            "\t\t0 \n"
            "\t}\n"
            "\tbone {\n" +
            kIdentityRow +
            "\t}\n"
            "\tbone {\n"
            "\t}\n"
            "}\n"
            "Eof\n";
        EXPECT_TRUE(text.ends_with(Crlf(animations))) << text;
        const std::string vertices = scale == 1.0f ? "\t\t1.000000 0.000000 0.000000 B(1) P(0) W(0.500000)\n"
                                                   : "\t\t2.000000 0.000000 0.000000 B(1) P(0) W(0.500000)\n";
        EXPECT_NE(text.find(Crlf(vertices)), std::string::npos);
        EXPECT_EQ(Write(scene, AnimationFormKeyFrames, scale), text);
    }
}

// An export poses a copy: the view's bone matrices and deformed vertices stay as they were.
TEST(MqoExport, ExportLeavesTheSceneAsItWas)
{
    CCentigrade scene = TwoBoneScene();
    scene.BuildBoneVertexLists();
    scene.ResetDeformedVertices();
    scene.m_bones[1].m_matrix[12] = 42.0f;
    scene.m_models[0].m_deformedVertices[1].m_x = -7.0f;
    const CCentigrade before = scene;
    testsupport::TempDir folder;
    ASSERT_TRUE(ExportMqoWithBones(scene, folder.File("a.zlba"), AnimationFormMatrices, 1, 2.0f).ok);
    for (std::size_t b = 0; b < scene.m_bones.size(); ++b) {
        EXPECT_EQ(scene.m_bones[b].m_matrix, before.m_bones[b].m_matrix);
        EXPECT_EQ(scene.m_bones[b].m_boundVertices, before.m_bones[b].m_boundVertices);
    }
    ASSERT_EQ(scene.m_models[0].m_deformedVertices.size(), before.m_models[0].m_deformedVertices.size());
    for (std::size_t i = 0; i < scene.m_models[0].m_deformedVertices.size(); ++i) {
        const CVector& now = scene.m_models[0].m_deformedVertices[i];
        const CVector& then = before.m_models[0].m_deformedVertices[i];
        EXPECT_EQ(now.m_x, then.m_x);
        EXPECT_EQ(now.m_y, then.m_y);
        EXPECT_EQ(now.m_z, then.m_z);
    }
}

// Posing once per frame gives the text of posing the whole skeleton anew for every bone and
// frame, on the scene's own first model, as the export was first described.
TEST(MqoExport, MatricesEqualThoseOfPosingPerBoneAndFrame)
{
    CCentigrade scene = BoxScene();
    scene.m_animationNames = {"A", "B"};
    scene.m_materialMaps = {{0}, {0}};
    const std::int32_t parents[] = {-1, 0, 1, 0, -1, 4, 5};
    std::uint32_t seed = 12345;
    auto next = [&seed](float range) {
        seed = seed * 1664525u + 1013904223u;
        return (static_cast<float>(seed >> 8) / 16777216.0f - 0.5f) * range;
    };
    for (std::int32_t b = 0; b < 7; ++b) {
        CBone bone = Bone(b, parents[b], CVector(next(4), next(4), next(4)), 2, 4);
        for (auto& samples : bone.m_animations)
            for (CAnimation& s : samples) {
                s.m_translate = CVector(next(2), next(2), next(2));
                s.m_rotate = CVector(next(360), next(360), next(360));
                s.m_scale = CVector(1 + next(1), 1 + next(1), 1 + next(1));
            }
        scene.m_bones.push_back(bone);
    }
    for (CVector& v : scene.m_models[0].m_vertices) {
        v.m_boneIndex = 2;
        v.m_weight = 0.5f;
    }
    scene.BuildBoneVertexLists();
    scene.ResetDeformedVertices();

    const float scale = 1.75f;
    StringSink naive;
    {
        TextWriter out(naive);
        CCentigrade work = scene;
        MatrixStack stack;
        for (std::int32_t a = 0; a < 2; ++a) {
            out.Print("BoneAnimation \"%s\" {\n\tmaterials {\n\t\t0 \n\t}\n", work.m_animationNames[a]);
            for (const CBone& bone : scene.m_bones) {
                out.Text("\tbone {\n");
                for (std::int32_t f = 0; f < 4; ++f) {
                    stack.Push();
                    stack.LoadIdentity();
                    work.m_models[0].PoseAndSkin(stack, work.m_bones, -1, a, f, scale);
                    const auto& m = work.m_bones[static_cast<std::size_t>(bone.m_id)].m_matrix;
                    out.Print("\t\t%f %f %f %f %f %f %f %f %f %f %f %f %f %f %f %f\n", m[0], m[1], m[2], m[3], m[4],
                              m[5], m[6], m[7], m[8], m[9], m[10], m[11], m[12], m[13], m[14], m[15]);
                    stack.Pop();
                }
                out.Text("\t}\n");
            }
            out.Text("}\n");
        }
        out.Text("Eof\n");
    }
    const std::string text = Write(scene, AnimationFormMatrices, scale);
    const std::size_t chunks = text.find("BoneAnimation");
    ASSERT_NE(chunks, std::string::npos);
    EXPECT_EQ(text.substr(chunks), naive.text);
}
