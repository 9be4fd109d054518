#include "export/ActionScript3Export.h"

#include "export/ExportScenes.h"
#include "export/TextWriter.h"
#include "platform/Messages.h"
#include "scene/DibStream.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <memory>

using namespace exporttest;

namespace {

std::string Write(const CCentigrade& scene, ExportAnimationForm form, FlashTarget target, float scale,
                  bool expectAllBound = true)
{
    StringSink sink;
    {
        TextWriter out(sink);
        EXPECT_EQ(WriteActionScript3(scene, out, "Robot", form, target, scale), expectAllBound);
    }
    return sink.text;
}

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

std::string Repeat(const std::string& row, int times)
{
    std::string rows;
    for (int i = 0; i < times; ++i)
        rows += row;
    return rows;
}

const char* const kIdentity = "1.000000, 0.000000, 0.000000, 0.000000, 0.000000, 1.000000, 0.000000, 0.000000, "
                              "0.000000, 0.000000, 1.000000, 0.000000, 0.000000, 0.000000, 0.000000, 1.000000";

}  // namespace

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

    EXPECT_EQ(Write(scene, AnimationFormMatrices, FlashTargetFlexSdk, 2.0f, false),
              Crlf(std::string("package models\n"
                               "{\n"
                               "\timport flash.display.Sprite;\n"
                               "\timport flash.display.Bitmap;\n"
                               "\timport quillspace3d.*;\n"
                               "\n"
                               "\tpublic class Robot extends BoneModel3D\n"
                               "\t{\n"
                               "\t\t//テクスチャ画像\n"
                               "\t\t[Embed(source=\"robot.png\")]\n"
                               "\t\tprivate static var TextureImg:Class;\n"
                               "\n"
                               "\t\tpublic function Robot(sprite:Sprite = null)\n"
                               "\t\t{\n"
                               "\t\t\tsuper(sprite);\n"
                               "\n"
                               "\t\t\t//頂点\n"
                               "\t\t\taddVertexBone(2.000000, -4.000000, -6.000000, 0);\n"
                               "\t\t\taddVertexBone(0.000000, -2.000000, -0.000000, 0);\n"
                               "\t\t\taddVertexBone(2.000000, -0.000000, -0.000000, 0);\n"
                               "\t\t\taddVertexBone(0.000000, -0.000000, -2.000000, 0);\n"
                               "\n"
                               "\t\t\t//インデックス\n"
                               "\t\t\taddIndex(0, 2, 1);\n"
                               "\t\t\taddIndex(0, 2, 1);\n"
                               "\t\t\taddIndex(0, 3, 2);\n"
                               "\n"
                               "\t\t\t//テクスチャUV座標\n"
                               "\t\t\taddUV(0.000000, 0.000000);\n"
                               "\t\t\taddUV(1.000000, 1.000000);\n"
                               "\t\t\taddUV(1.000000, 0.000000);\n") +
                   Repeat("\t\t\taddUV(0.000000, 0.000000);\n", 6) +
                   "\n"
                         "\t\t\t//アニメーション\n"
                         "\t\t\taddMatrix3();\n"
                         "\t\t\taddMatrix2();\n"
                         "\t\t\taddMatrix(" + kIdentity + ");\n"
                         "\t\t\taddMatrix(1.000000, 0.000000, 0.000000, 0.000000, 0.000000, 2.000000, 0.000000, "
                         "0.000000, 0.000000, 0.000000, 1.000000, 0.000000, 0.000000, 0.000000, 0.000000, 1.000000);\n"
                         "\n"
                         "\t\t\t//初期化\n"
                         "\t\t\tvar texture:Bitmap = Bitmap(new TextureImg());\n"
                         "\t\t\tinit(texture.bitmapData);\n"
                         "\t\t}\n"
                         "\t}\n"
                         "}\n"));
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
    samples[0].m_key = true;
    samples[2].m_key = true;
    samples[2].m_translate = CVector(0.5f, 1, -1);
    samples[2].m_rotate = CVector(10, 20, -30);
    samples[2].m_scale = CVector(1, 1.5f, 2);
    scene.m_animationNames = {"Animation_0"};

    const std::string text = Write(scene, AnimationFormKeyFrames, FlashTargetFlashCs, 2.0f);
    const std::string rest = "0.000000, -0.000000, -0.000000, 0.000000, -0.000000, -0.000000, 1.000000, 1.000000, "
                             "1.000000);\n";
    const std::string tail = Crlf("\t\t\taddIndex(0, 2, 1);\n"
                                  "\n"
                                  "\t\t\t//テクスチャUV座標\n"
                                  "\t\t\taddUV(0.500000, 0.250000);\n"
                                  "\t\t\taddUV(0.000000, 1.000000);\n"
                                  "\t\t\taddUV(1.000000, 0.000000);\n"
                                  "\n"
                                  "\t\t\t//親子関係・中心点\n"
                                  "\t\t\taddPivot(-1, 2.000000, -4.000000, -6.000000);\n"
                                  "\n"
                                  "\t\t\t//アニメーション\n"
                                  "\t\t\taddAnimation3();\n"
                                  "\t\t\taddAnimation2();\n"
                                  "\t\t\taddAnimation(0, " + rest +
                                  "\t\t\taddAnimation(2, 1.000000, -2.000000, 2.000000, 10.000000, -20.000000, "
                                  "30.000000, 1.000000, 1.500000, 2.000000);\n"
                                  "\t\t\taddAnimation(4, " + rest +
                                  "\n"
                                  "\t\t\t//初期化\n"
                                  "\t\t\tinit(new robotTex(256,128));\n"
                                  "\t\t}\n"
                                  "\t}\n"
                                  "}\n");
    EXPECT_NE(text.find("\tpublic class Robot extends HierarchyModel3D\r\n\t{\r\n\t\tpublic function Robot("),
              std::string::npos);
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
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

    const std::string v0 = "1.000000, -0.000000, -0.000000", v1 = "0.000000, -1.000000, -0.000000",
                      v2 = "0.000000, -0.000000, -1.000000", v3 = "1.000000, -1.000000, -1.000000";
    std::string expected = "package models\n"
                           "{\n"
                           "\timport flash.display.Sprite;\n"
                           "\timport flash.display.Bitmap;\n"
                           "\timport quillspace3d.*;\n"
                           "\n"
                           "\tpublic class Robot extends Model3D\n"
                           "\t{\n"
                           "\t\tpublic function Robot(sprite:Sprite = null)\n"
                           "\t\t{\n"
                           "\t\t\tsuper(sprite);\n"
                           "\n"
                           "\t\t\t//頂点\n";
    for (const std::string& v : {v0, v1, v2, v2, v3, v0, v3, v2, v1})
        expected += "\t\t\taddVertex(" + v + ");\n";
    expected += "\n\t\t\t//テクスチャUV座標\n";
    for (const char* uv : {"0.000000, 0.000000", "1.000000, 0.000000", "1.000000, 1.000000", "1.000000, 1.000000",
                           "0.000000, 1.000000", "0.000000, 0.000000"})
        expected += "\t\t\taddUV(" + std::string(uv) + ");\n";
    expected += Repeat("\t\t\taddUV(0.000000, 0.000000);\n", 3) +
                "\n"
                "\t\t\t//初期化\n"
                "\t\t\tinit(null);\n"
                "\t\t}\n"
                "\t}\n"
                "}\n";
    EXPECT_EQ(Write(scene, AnimationFormNone, FlashTargetFlexSdk, 1.0f), Crlf(expected));
}
