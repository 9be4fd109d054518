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

// A triangle on bones 0, 1 and 2 and a quadrilateral whose fourth vertex has no bone.
CCentigrade ThreeBoneScene()
{
    CCentigrade scene;
    CModel model;
    model.m_vertices = {Vertex(1, 2, 3, 0), Vertex(4, 5, 6, 1), Vertex(7, 8, 9, 2), Vertex(-1, 0.5f, 0)};
    model.m_faces = {Face({0, 1, 2}, 0, {{0.25f, 0.75f}, {1, 0}, {0, 1}}), Face({1, 2}, 0),
                     Face({0, 1, 2, 3}, 1, {{0, 0}, {0.5f, 0}, {0.5f, 0.5f}, {0, 0.5f}})};
    scene.m_models = {model};
    scene.m_materials = {Textured("tex\\skin-01.png", 64, 32), CMaterial(1), Textured("eye.png", 8, 8)};
    scene.m_bones = {Bone(0, -1, CVector(0, 0, 0), 1, 2), Bone(1, 0, CVector(0, 0, 0), 1, 2),
                     Bone(2, 1, CVector(0, 0, 0), 1, 2)};
    scene.m_bones[0].m_animations[0][1].m_scale = CVector(1, 2, 1);
    scene.m_animationNames = {"Animation_0"};
    return scene;
}

const char* const kCorners[] = {
    "7.0000, 8.0000, 9.0000, 0.0000, 1.0000, 12, 0",  "4.0000, 5.0000, 6.0000, 1.0000, 0.0000, 8, 0",
    "1.0000, 2.0000, 3.0000, 0.2500, 0.7500, 4, 0",   "7.0000, 8.0000, 9.0000, 0.5000, 0.5000, 12, 1",
    "4.0000, 5.0000, 6.0000, 0.5000, 0.0000, 8, 1",   "1.0000, 2.0000, 3.0000, 0.0000, 0.0000, 4, 1",
    "1.0000, 2.0000, 3.0000, 0.0000, 0.0000, 4, 1",   "-1.0000, 0.5000, 0.0000, 0.0000, 0.5000, 4, 1",
    "7.0000, 8.0000, 9.0000, 0.5000, 0.5000, 12, 1"};

}  // namespace

// Bone model, Flash CS: corners 2, 1, 0 (quads then 0, 3, 2) with registers 4 * bone + 4 and
// bone 0's for the unbound vertex; matrices grouped by frame; one init per material, null
// for the one without a texture and a texture class named as an identifier.
TEST(Stage3DExport, MatricesFlashCs)
{
    const CCentigrade scene = ThreeBoneScene();
    std::string expected = "package models\n"
                           "{\n"
                           "\timport strataview3d.*;\n"
                           "\n"
                           "\tpublic class Robot extends BoneModel3D\n"
                           "\t{\n"
                           "\n"
                           "\t\tpublic function Robot(scene:Scene3D)\n"
                           "\t\t{\n"
                           "\t\t\tsuper(3);\n"
                           "\n";
    for (const char* corner : kCorners)
        expected += "\t\t\taddVertex(" + std::string(corner) + ");\n";
    const std::string identity = "\t\t\taddMatrix(1.0000, 0.0000, 0.0000, 0.0000, 0.0000, 1.0000, 0.0000, 0.0000, "
                                 "0.0000, 0.0000, 1.0000, 0.0000, 0.0000, 0.0000, 0.0000, 1.0000);\n";
    const std::string stretched = "\t\t\taddMatrix(1.0000, 0.0000, 0.0000, 0.0000, 0.0000, 2.0000, 0.0000, 0.0000, "
                                  "0.0000, 0.0000, 1.0000, 0.0000, 0.0000, 0.0000, 0.0000, 1.0000);\n";
    expected += "\n\t\t\taddMatrix3();\n\t\t\taddMatrix2();\n" + identity + identity + identity +
                "\t\t\taddMatrix2();\n" + stretched + stretched + stretched +
                "\n"
                "\t\t\tinit(scene._context3D,new skin_01Tex(64,32),0);\n"
                "\t\t\tinit(scene._context3D,null,1);\n"
                "\t\t\tinit(scene._context3D,new eyeTex(8,8),2);\n"
                "\t\t}\n"
                "\t}\n"
                "}\n";
    StringSink sink;
    {
        TextWriter out(sink);
        EXPECT_FALSE(WriteStage3D(scene, out, "Robot", AnimationFormMatrices, FlashTargetFlashCs, 1.0f));
    }
    EXPECT_EQ(sink.text, Crlf(expected));
}

// Static mesh, Flex SDK, through the file: register 4 everywhere, no matrices, Embed pairs
// only for the textured materials, no warning; the key-frame form gives the bone model.
TEST(Stage3DExport, StaticFlexSdkToFile)
{
    const CCentigrade scene = ThreeBoneScene();
    testsupport::TempDir folder;
    CapturingMessageSink messages;
    ASSERT_TRUE(ExportStage3D(scene, 2.0f, folder.File("Robot.as"), AnimationFormNone, FlashTargetFlexSdk).ok);
    EXPECT_TRUE(messages.messages.empty());
    const std::string text = testsupport::ReadFile(folder.File("Robot.as"));
    EXPECT_EQ(text.substr(0, text.find("\t\t\taddVertex(")),
              Crlf("package models\n"
                   "{\n"
                   "\timport flash.display.Bitmap;\n"
                   "\timport strataview3d.*;\n"
                   "\n"
                   "\tpublic class Robot extends Model3D\n"
                   "\t{\n"
                   "\t\t[Embed(source=\"skin-01.png\")]\n"
                   "\t\tprivate static var TextureImg0:Class;\n"
                   "\t\t[Embed(source=\"eye.png\")]\n"
                   "\t\tprivate static var TextureImg2:Class;\n"
                   "\n"
                   "\t\tpublic function Robot(scene:Scene3D)\n"
                   "\t\t{\n"
                   "\t\t\tsuper(3);\n"
                   "\n"));
    EXPECT_NE(text.find("\t\t\taddVertex(14.0000, 16.0000, 18.0000, 0.0000, 1.0000, 4, 0);\r\n"), std::string::npos);
    EXPECT_EQ(text.find("addMatrix"), std::string::npos);
    const std::string tail = Crlf("\t\t\taddVertex(14.0000, 16.0000, 18.0000, 0.5000, 0.5000, 4, 1);\n"
                                  "\n"
                                  "\t\t\tvar texture0:Bitmap = Bitmap(new TextureImg0());\n"
                                  "\t\t\tinit(scene._context3D,texture0.bitmapData,0);\n"
                                  "\t\t\tinit(scene._context3D,null,1);\n"
                                  "\t\t\tvar texture2:Bitmap = Bitmap(new TextureImg2());\n"
                                  "\t\t\tinit(scene._context3D,texture2.bitmapData,2);\n"
                                  "\t\t}\n"
                                  "\t}\n"
                                  "}\n");
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);

    ASSERT_TRUE(ExportStage3D(scene, 1.0f, folder.File("Robot.as"), AnimationFormKeyFrames, FlashTargetFlexSdk).ok);
    EXPECT_NE(testsupport::ReadFile(folder.File("Robot.as")).find("extends BoneModel3D"), std::string::npos);
    EXPECT_EQ(messages.messages, std::vector<std::string>{std::string(kUnassignedVerticesWarning)});
}
