// The ActionScript 2, ActionScript 3 and Stage3D classes of small scenes, byte for byte.
#include "export/ActionScript2Export.h"
#include "export/ActionScript3Export.h"
#include "export/ActionScriptCommon.h"
#include "export/Stage3DExport.h"

#include "export/ExportScenes.h"
#include "export/TextWriter.h"
#include "platform/Messages.h"
#include "scene/DibStream.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <memory>

using namespace exporttest;

namespace {

CMaterial Textured(const char* texture, std::int32_t width, std::int32_t height)
{
    CMaterial material(0);
    material.m_texture = texture;
    material.m_image = std::make_shared<DibStream>();
    material.m_image->m_pixels.resize(1);
    material.m_image->m_width = width;
    material.m_image->m_height = height;
    return material;
}

std::string Rows(const std::string& call, std::initializer_list<const char*> arguments)
{
    std::string rows;
    for (const char* argument : arguments)
        rows += "\t\t\t" + call + "(" + argument + ");\n";
    return rows;
}

std::string As3(const CCentigrade& scene, ExportAnimationForm form, FlashTarget target, float scale, bool allBound)
{
    return Written([&](TextWriter& out) {
        EXPECT_EQ(WriteActionScript3(scene, out, "Robot", form, target, scale), allBound);
    });
}

const char* const kZeroUV = "0.000000, 0.000000";
const char* const kIdentity = "1.000000, 0.000000, 0.000000, 0.000000, 0.000000, 1.000000, 0.000000, 0.000000, "
                              "0.000000, 0.000000, 1.000000, 0.000000, 0.000000, 0.000000, 0.000000, 1.000000";
const char* const kStretched = "1.000000, 0.000000, 0.000000, 0.000000, 0.000000, 2.000000, 0.000000, 0.000000, "
                               "0.000000, 0.000000, 1.000000, 0.000000, 0.000000, 0.000000, 0.000000, 1.000000";

// A triangle on bones 0, 1 and 2 and a quadrilateral whose fourth vertex has no bone; three
// materials, the second without a texture, the third with a Japanese file name; frame 1
// stretches every bone.
CCentigrade ThreeBoneScene()
{
    CCentigrade scene;
    CModel model;
    model.m_vertices = {Vertex(1, 2, 3, 0), Vertex(4, 5, 6, 1), Vertex(7, 8, 9, 2), Vertex(-1, 0.5f, 0)};
    model.m_faces = {Face({0, 1, 2}, 0, {{0.25f, 0.75f}, {1, 0}, {0, 1}}), Face({1, 2}, 0),
                     Face({0, 1, 2, 3}, 1, {{0, 0}, {0.5f, 0}, {0.5f, 0.5f}, {0, 0.5f}})};
    scene.m_models = {model};
    scene.m_materials = {Textured("tex\\skin-01.png", 64, 32), CMaterial(1), Textured("\x96\xda.png", 8, 8)};
    scene.m_bones = {Bone(0, -1, CVector(0, 0, 0), 1, 2), Bone(1, 0, CVector(0, 0, 0), 1, 2),
                     Bone(2, 1, CVector(0, 0, 0), 1, 2)};
    scene.m_bones[0].m_animations[0][1].m_scale = CVector(1, 2, 1);
    scene.m_animationNames = {"Animation_0"};
    return scene;
}

}  // namespace

// Colours and positions truncated toward zero after the sign change; a second model's faces
// count from its first vertex in the one vertex list; lines and faces naming a missing vertex
// are skipped.
TEST(ActionScript2Export, WritesTheStaticMeshOfEveryModel)
{
    CCentigrade scene;
    CModel a;
    a.m_vertices = {Vertex(1.26f, 2.5f, -3.99f), Vertex(0, 0, 0), Vertex(1, 0, 0), Vertex(0.5f, 0.25f, 0)};
    a.m_faces = {Face({0, 1, 2}, 0), Face({0, 1, 2, 3}, 1), Face({2, 3}, 0), Face({0, 1, 9}, 0)};
    CModel b;
    b.m_vertices = {Vertex(2, 0, 0), Vertex(0, 2, 0), Vertex(0, 0, 2)};
    b.m_faces = {Face({0, 1, 2}, 1)};
    scene.m_models = {a, b};
    scene.m_materials = {CMaterial(0), CMaterial(1)};
    scene.m_materials[0].m_color = {1.0f, 0.5f, 0.0f, 1.0f};

    const std::string text = Written([&](TextWriter& out) { WriteActionScript2(scene, out, "Robot", 10.0f); });
    EXPECT_EQ(text, Crlf("import pellix3d.*;\n\nclass models.Robot extends Model3D\n{\n"
                         "\tpublic function Robot()\n\t{\n\t\tsuper();\n\n"
                         "\t\t_material = new Array();\n"
                         "\t\taddM(255,127,0);\n"
                         "\t\taddM(204,204,204);\n"
                         "\n\t\t_world = new Array();\n"
                         "\t\taddV(12, -25, 39);\n"
                         "\t\taddV(0, 0, 0);\n"
                         "\t\taddV(10, 0, 0);\n"
                         "\t\taddV(5, -2, 0);\n"
                         "\t\taddV(20, 0, 0);\n"
                         "\t\taddV(0, -20, 0);\n"
                         "\t\taddV(0, 0, -20);\n"
                         "\n\t\t_face = new Array();\n"
                         "\t\taddF(new Array(0, 1, 2),0);\n"
                         "\t\taddF(new Array(0, 1, 2,3),1);\n"
                         "\t\taddF(new Array(4, 5, 6),1);\n"
                         "\n\t\tinit();\n\t}\n}\n"));
}

// Bone model, Flex SDK: the texture embedded; an unbound vertex written with bone 0; quads
// indexed 0, 2, 1 and 0, 3, 2 with the UVs in index order; one matrix per bone and frame.
TEST(ActionScript3Export, MatricesFlexSdk)
{
    CCentigrade scene;
    CModel model;
    model.m_vertices = {Vertex(1, 2, 3, 0), Vertex(0, 1, 0), Vertex(1, 0, 0, 0), Vertex(0, 0, 1, 0)};
    model.m_faces = {Face({0, 1, 2}, 0, {{0, 0}, {1, 0}, {1, 1}}), Face({0, 1, 2, 3}, 1), Face({1, 2}, 0)};
    scene.m_models = {model};
    scene.m_materials = {Textured("C:\\tex\\robot.png", 4, 4), CMaterial(1)};
    scene.m_bones = {Bone(0, -1, CVector(0, 0, 0), 1, 2)};
    scene.m_bones[0].m_animations[0][1].m_scale = CVector(1, 2, 1);
    scene.m_animationNames = {"Animation_0"};

    EXPECT_EQ(As3(scene, AnimationFormMatrices, FlashTargetFlexSdk, 2.0f, false),
              Crlf("package models\n{\n"
                   "\timport flash.display.Sprite;\n\timport flash.display.Bitmap;\n\timport quillspace3d.*;\n\n"
                   "\tpublic class Robot extends BoneModel3D\n\t{\n"
                   "\t\t//テクスチャ画像\n"
                   "\t\t[Embed(source=\"robot.png\")]\n"
                   "\t\tprivate static var TextureImg:Class;\n\n"
                   "\t\tpublic function Robot(sprite:Sprite = null)\n\t\t{\n\t\t\tsuper(sprite);\n\n"
                   "\t\t\t//頂点\n" +
                   Rows("addVertexBone", {"2.000000, -4.000000, -6.000000, 0", "0.000000, -2.000000, -0.000000, 0",
                                          "2.000000, -0.000000, -0.000000, 0", "0.000000, -0.000000, -2.000000, 0"}) +
                   "\n\t\t\t//インデックス\n" + Rows("addIndex", {"0, 2, 1", "0, 2, 1", "0, 3, 2"}) +
                   "\n\t\t\t//テクスチャUV座標\n" +
                   Rows("addUV", {kZeroUV, "1.000000, 1.000000", "1.000000, 0.000000", kZeroUV, kZeroUV, kZeroUV,
                                  kZeroUV, kZeroUV, kZeroUV}) +
                   "\n\t\t\t//アニメーション\n\t\t\taddMatrix3();\n\t\t\taddMatrix2();\n" +
                   Rows("addMatrix", {kIdentity, kStretched}) +
                   "\n\t\t\t//初期化\n"
                   "\t\t\tvar texture:Bitmap = Bitmap(new TextureImg());\n"
                   "\t\t\tinit(texture.bitmapData);\n"
                   "\t\t}\n\t}\n}\n"));
}

// Key frames, Flash CS: pivots and the keyed samples plus the last one, translations and
// rotations with Y and Z negated, scales as stored; the texture through its class.
TEST(ActionScript3Export, KeyFramesFlashCs)
{
    CCentigrade scene;
    CModel model;
    model.m_vertices = {Vertex(0, 0, 0, 0), Vertex(1, 0, 0, 0), Vertex(0, 1, 0, 0)};
    model.m_faces = {Face({0, 1, 2}, 0, {{0.5f, 0.25f}, {1, 0}, {0, 1}})};
    scene.m_models = {model};
    scene.m_materials = {Textured("textures/robot.png", 256, 128)};
    scene.m_bones = {Bone(0, -1, CVector(1, 2, 3), 1, 5)};
    std::vector<CAnimation>& samples = scene.m_bones[0].m_animations[0];
    samples[0].m_key = samples[2].m_key = true;
    samples[2].m_translate = CVector(0.5f, 1, -1);
    samples[2].m_rotate = CVector(10, 20, -30);
    samples[2].m_scale = CVector(1, 1.5f, 2);
    scene.m_animationNames = {"Animation_0"};

    const std::string text = As3(scene, AnimationFormKeyFrames, FlashTargetFlashCs, 2.0f, true);
    const char* const rest = "0.000000, -0.000000, -0.000000, 0.000000, -0.000000, -0.000000, 1.000000, 1.000000, "
                             "1.000000";
    const std::string tail =
        Crlf("\t\t\taddIndex(0, 2, 1);\n\n\t\t\t//テクスチャUV座標\n" +
             Rows("addUV", {"0.500000, 0.250000", "0.000000, 1.000000", "1.000000, 0.000000"}) +
             "\n\t\t\t//親子関係・中心点\n\t\t\taddPivot(-1, 2.000000, -4.000000, -6.000000);\n"
             "\n\t\t\t//アニメーション\n\t\t\taddAnimation3();\n\t\t\taddAnimation2();\n" +
             Rows("addAnimation", {(std::string("0, ") + rest).c_str(),
                                   "2, 1.000000, -2.000000, 2.000000, 10.000000, -20.000000, 30.000000, 1.000000, "
                                   "1.500000, 2.000000",
                                   (std::string("4, ") + rest).c_str()}) +
             "\n\t\t\t//初期化\n\t\t\tinit(new robotTex(256,128));\n\t\t}\n\t}\n}\n");
    EXPECT_NE(text.find("\tpublic class Robot extends HierarchyModel3D\r\n"), std::string::npos);
    EXPECT_TRUE(text.ends_with(tail)) << text;
}

// Static mesh, Flex SDK, first material without a texture: no Embed line and init(null);
// corners unindexed (quads 0, 1, 2, 2, 3, 0) with their UVs; lines skipped in both lists;
// no warning for unbound vertices.
TEST(ActionScript3Export, StaticWithoutTexture)
{
    CCentigrade scene;
    CModel model;
    model.m_vertices = {Vertex(1, 0, 0), Vertex(0, 1, 0), Vertex(0, 0, 1), Vertex(1, 1, 1)};
    model.m_faces = {Face({0, 1, 2, 3}, 0, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}), Face({0, 1}, 0), Face({3, 2, 1}, 1)};
    scene.m_models = {model};
    scene.m_materials = {CMaterial(0), Textured("robot.png", 8, 8)};
    scene.m_materials[0].m_texture = "textures/";  // a folder, no file

    const char* const v0 = "1.000000, -0.000000, -0.000000";
    const char* const v1 = "0.000000, -1.000000, -0.000000";
    const char* const v2 = "0.000000, -0.000000, -1.000000";
    const char* const v3 = "1.000000, -1.000000, -1.000000";
    EXPECT_EQ(As3(scene, AnimationFormNone, FlashTargetFlexSdk, 1.0f, true),
              Crlf("package models\n{\n"
                   "\timport flash.display.Sprite;\n\timport flash.display.Bitmap;\n\timport quillspace3d.*;\n\n"
                   "\tpublic class Robot extends Model3D\n\t{\n"
                   "\t\tpublic function Robot(sprite:Sprite = null)\n\t\t{\n\t\t\tsuper(sprite);\n\n"
                   "\t\t\t//頂点\n" +
                   Rows("addVertex", {v0, v1, v2, v2, v3, v0, v3, v2, v1}) + "\n\t\t\t//テクスチャUV座標\n" +
                   Rows("addUV", {kZeroUV, "1.000000, 0.000000", "1.000000, 1.000000", "1.000000, 1.000000",
                                  "0.000000, 1.000000", kZeroUV, kZeroUV, kZeroUV, kZeroUV}) +
                   "\n\t\t\t//初期化\n\t\t\tinit(null);\n\t\t}\n\t}\n}\n"));
}

// Bone model, Flash CS: corners 2, 1, 0 (quads then 0, 3, 2) with registers 4 * bone + 4 and
// bone 0's for the unbound vertex; matrices grouped by frame; one init per material, null
// for the one without a texture, and texture classes named as identifiers.
TEST(Stage3DExport, MatricesFlashCs)
{
    const CCentigrade scene = ThreeBoneScene();
    const std::string text = Written([&](TextWriter& out) {
        EXPECT_FALSE(WriteStage3D(scene, out, "Robot", AnimationFormMatrices, FlashTargetFlashCs, 1.0f));
    });
    const char* const identity = "1.0000, 0.0000, 0.0000, 0.0000, 0.0000, 1.0000, 0.0000, 0.0000, 0.0000, 0.0000, "
                                 "1.0000, 0.0000, 0.0000, 0.0000, 0.0000, 1.0000";
    const char* const stretched = "1.0000, 0.0000, 0.0000, 0.0000, 0.0000, 2.0000, 0.0000, 0.0000, 0.0000, 0.0000, "
                                  "1.0000, 0.0000, 0.0000, 0.0000, 0.0000, 1.0000";
    EXPECT_EQ(text,
              Crlf("package models\n{\n\timport strataview3d.*;\n\n"
                   "\tpublic class Robot extends BoneModel3D\n\t{\n"
                   "\n\t\tpublic function Robot(scene:Scene3D)\n\t\t{\n\t\t\tsuper(3);\n\n" +
                   Rows("addVertex", {"7.0000, 8.0000, 9.0000, 0.0000, 1.0000, 12, 0",
                                      "4.0000, 5.0000, 6.0000, 1.0000, 0.0000, 8, 0",
                                      "1.0000, 2.0000, 3.0000, 0.2500, 0.7500, 4, 0",
                                      "7.0000, 8.0000, 9.0000, 0.5000, 0.5000, 12, 1",
                                      "4.0000, 5.0000, 6.0000, 0.5000, 0.0000, 8, 1",
                                      "1.0000, 2.0000, 3.0000, 0.0000, 0.0000, 4, 1",
                                      "1.0000, 2.0000, 3.0000, 0.0000, 0.0000, 4, 1",
                                      "-1.0000, 0.5000, 0.0000, 0.0000, 0.5000, 4, 1",
                                      "7.0000, 8.0000, 9.0000, 0.5000, 0.5000, 12, 1"}) +
                   "\n\t\t\taddMatrix3();\n\t\t\taddMatrix2();\n" + Rows("addMatrix", {identity, identity, identity}) +
                   "\t\t\taddMatrix2();\n" + Rows("addMatrix", {stretched, stretched, stretched}) +
                   "\n\t\t\tinit(scene._context3D,new skin_01Tex(64,32),0);\n"
                   "\t\t\tinit(scene._context3D,null,1);\n"
                   "\t\t\tinit(scene._context3D,new _Tex(8,8),2);\n"
                   "\t\t}\n\t}\n}\n"));
}

// Static mesh, Flex SDK, through the file: register 4 everywhere, no matrices, Embed pairs
// only for the textured materials, no warning; the key-frame form gives the bone model and
// the warning once.
TEST(Stage3DExport, StaticFlexSdkToFile)
{
    const CCentigrade scene = ThreeBoneScene();
    testsupport::TempDir folder;
    CapturingMessageSink messages;
    ASSERT_TRUE(ExportStage3D(scene, 2.0f, folder.File("Robot.as"), AnimationFormNone, FlashTargetFlexSdk).ok);
    EXPECT_TRUE(messages.messages.empty());
    const std::string text = testsupport::ReadFile(folder.File("Robot.as"));
    EXPECT_EQ(text.substr(0, text.find("\t\t\taddVertex(")),
              Crlf("package models\n{\n\timport flash.display.Bitmap;\n\timport strataview3d.*;\n\n"
                   "\tpublic class Robot extends Model3D\n\t{\n"
                   "\t\t[Embed(source=\"skin-01.png\")]\n\t\tprivate static var TextureImg0:Class;\n"
                   "\t\t[Embed(source=\"目.png\")]\n\t\tprivate static var TextureImg2:Class;\n"
                   "\n\t\tpublic function Robot(scene:Scene3D)\n\t\t{\n\t\t\tsuper(3);\n\n"));
    EXPECT_EQ(text.find("addMatrix"), std::string::npos);
    const std::string tail = Crlf("\t\t\taddVertex(14.0000, 16.0000, 18.0000, 0.5000, 0.5000, 4, 1);\n\n"
                                  "\t\t\tvar texture0:Bitmap = Bitmap(new TextureImg0());\n"
                                  "\t\t\tinit(scene._context3D,texture0.bitmapData,0);\n"
                                  "\t\t\tinit(scene._context3D,null,1);\n"
                                  "\t\t\tvar texture2:Bitmap = Bitmap(new TextureImg2());\n"
                                  "\t\t\tinit(scene._context3D,texture2.bitmapData,2);\n"
                                  "\t\t}\n\t}\n}\n");
    EXPECT_TRUE(text.ends_with(tail)) << text;

    ASSERT_TRUE(ExportStage3D(scene, 1.0f, folder.File("Robot.as"), AnimationFormKeyFrames, FlashTargetFlexSdk).ok);
    EXPECT_NE(testsupport::ReadFile(folder.File("Robot.as")).find("extends BoneModel3D"), std::string::npos);
    EXPECT_EQ(messages.messages, std::vector<std::string>{std::string(kUnassignedVerticesWarning)});
}

// Numbers no list names: a face without a material and one past the list use a default
// material after the list (ActionScript 2 adds its colour row, Stage3D counts it and hands it
// null); a vertex bound to a bone past the list is unbound (bone 0, register 4) and warns.
TEST(ActionScriptExport, StrayMaterialAndBoneNumbers)
{
    CCentigrade scene = ThreeBoneScene();
    CModel& model = scene.m_models[0];
    model.m_faces[0].m_material = -1;
    model.m_faces[2].m_material = 7;
    model.m_vertices[1].m_boneIndex = 3;

    const std::string as2 = Written([&](TextWriter& out) { WriteActionScript2(scene, out, "Robot", 1.0f); });
    EXPECT_NE(as2.find("\t\taddM(204,204,204);\r\n\t\taddM(204,204,204);\r\n\t\taddM(204,204,204);\r\n"
                       "\t\taddM(204,204,204);\r\n\r\n"),
              std::string::npos)
        << as2;
    EXPECT_NE(as2.find("\t\taddF(new Array(0, 1, 2),3);\r\n\t\taddF(new Array(0, 1, 2,3),3);\r\n"), std::string::npos);

    const std::string stage = Written([&](TextWriter& out) {
        EXPECT_FALSE(WriteStage3D(scene, out, "Robot", AnimationFormMatrices, FlashTargetFlexSdk, 1.0f));
    });
    EXPECT_NE(stage.find("\t\t\tsuper(4);\r\n"), std::string::npos);
    EXPECT_NE(stage.find("\t\t\taddVertex(4.0000, 5.0000, 6.0000, 1.0000, 0.0000, 4, 3);\r\n"), std::string::npos);
    EXPECT_TRUE(stage.ends_with("\t\t\tinit(scene._context3D,texture2.bitmapData,2);\r\n"
                                "\t\t\tinit(scene._context3D,null,3);\r\n\t\t}\r\n\t}\r\n}\r\n"))
        << stage;

    const std::string as3 = As3(scene, AnimationFormMatrices, FlashTargetFlexSdk, 1.0f, false);
    EXPECT_NE(as3.find("\t\t\taddVertexBone(4.000000, -5.000000, -6.000000, 0);\r\n"), std::string::npos);
}

// Flash CS hands the engine the first material's texture class; without any material there
// is none to hand over and no init call.
TEST(ActionScript3Export, FlashCsWithoutMaterialsCallsNoInit)
{
    CCentigrade scene = ThreeBoneScene();
    scene.m_materials.clear();
    EXPECT_TRUE(As3(scene, AnimationFormNone, FlashTargetFlashCs, 1.0f, true)
                    .ends_with("\r\n\t\t\t//初期化\r\n\t\t}\r\n\t}\r\n}\r\n"));
    EXPECT_TRUE(As3(scene, AnimationFormNone, FlashTargetFlexSdk, 1.0f, true)
                    .ends_with("\r\n\t\t\t//初期化\r\n\t\t\tinit(null);\r\n\t\t}\r\n\t}\r\n}\r\n"));
}
