#include "export/JavaLikeExport.h"

#include "export/JvmScenes.h"
#include "export/TextWriter.h"

#include <gtest/gtest.h>

using namespace exporttest;

namespace {

std::string Write(const CCentigrade& scene, JavaLikeEngine engine, ExportAnimationForm form, float scale = 1.0f)
{
    return Written([&](TextWriter& out) {
        EXPECT_EQ(WriteJavaLikeClass(scene, engine, out, form, scale, "Robot"), form == AnimationFormNone);
    });
}

std::string Head(std::string_view engine, std::string_view base)
{
    return "package com.orchidgrid.models;\n\nimport com.orchidgrid." + std::string(engine) + "." +
           std::string(base) + ";\n\npublic class Robot extends " + std::string(base) +
           "\n{\n\tpublic Robot()\n\t{\n\t\tsuper();\n\n\t\taddVerteicesBones();\n\t\taddIndices();\n\t\taddUVs();\n";
}

// The rigged box's vertex and index methods: the line face gives no row.
const char* const kBody =
    "\tprivate void addVerteicesBones()\n\t{\n"
    "\t\taddB(0.000000, 0.000000, 0.000000, 0);\n\t\taddB(1.000000, 0.000000, 0.000000, 1);\n"
    "\t\taddB(1.000000, 1.000000, 0.000000, 0);\n\t\taddB(0.000000, 1.000000, -0.500000, 1);\n"
    "\t}\n\n"
    "\tprivate void addIndices()\n\t{\n\t\taddI(0, 2, 1);\n\t\taddI(0, 2, 1);\n\t\taddI(0, 3, 2);\n\t}\n\n"
    "\tprivate void addUVs()\n\t{\n";
// Corners 0, 2, 1 of the triangle, then six corners of the quad, which has no UVs.
const char* const kLumaFold3DUVs =
    "\t\taddUV(0.000, 0.000);\n\t\taddUV(1.000, 1.000);\n\t\taddUV(1.000, 0.000);\n"
    "\t\taddUV(0.000, 0.000);\n\t\taddUV(0.000, 0.000);\n\t\taddUV(0.000, 0.000);\n"
    "\t\taddUV(0.000, 0.000);\n\t\taddUV(0.000, 0.000);\n\t\taddUV(0.000, 0.000);\n";

std::string LumaFold3DMethod(const char* name, const char* matrix)
{
    const std::string row = std::string("\t\taddA(") + matrix + ");\n";
    return std::string("\n\tprivate void ") + name + "()\n\t{\n" + row + row + "\t}\n";
}

}  // namespace

// Two animations of three frames and two bones: one method per animation and frame with
// one matrix per bone. The key-frame form is the same class on the plain base. Vertex 2,
// without a bone or bound to one past the bone list, is written as bone 0 and reported.
TEST(JavaLikeExport, LumaFold3DBoneModel)
{
    const std::string calls =
        "\t\taddA3();\n\t\taddA2();\n\t\taddAnimations0_0();\n\t\taddA2();\n\t\taddAnimations0_1();\n"
        "\t\taddA2();\n\t\taddAnimations0_2();\n"
        "\t\taddA3();\n\t\taddA2();\n\t\taddAnimations1_0();\n\t\taddA2();\n\t\taddAnimations1_1();\n"
        "\t\taddA2();\n\t\taddAnimations1_2();\n"
        "\t\tinit();\n\t}\n\n";
    const std::string rest = calls + kBody + kLumaFold3DUVs + "\t}\n\n" +
                             LumaFold3DMethod("addAnimations0_0", kIdentity4) +
                             LumaFold3DMethod("addAnimations0_1", kMoved4) +
                             LumaFold3DMethod("addAnimations0_2", kIdentity4) +
                             LumaFold3DMethod("addAnimations1_0", kIdentity4) +
                             LumaFold3DMethod("addAnimations1_1", kIdentity4) +
                             LumaFold3DMethod("addAnimations1_2", kIdentity4) + "}\n";
    for (const std::int32_t unbound : {-1, 2}) {
        CCentigrade scene = RiggedBox();
        scene.m_models[0].m_vertices[2].m_boneIndex = unbound;
        EXPECT_EQ(Write(scene, JavaLikeEngine::LumaFold3D, AnimationFormMatrices),
                  Crlf(Head("lumafold3d", "BoneModel3D") + rest));
        EXPECT_EQ(Write(scene, JavaLikeEngine::LumaFold3D, AnimationFormKeyFrames),
                  Crlf(Head("lumafold3d", "Model3D") + rest));
    }
}

// One method per animation and bone with one matrix per frame, no blank line before them,
// "%f" for UVs and matrices; the key-frame form has no animation at all.
TEST(JavaLikeExport, VantaForm3DBoneModel)
{
    const std::string i = "\t\taddA(1.000000, 0.000000, 0.000000, 0.000000, 0.000000, 1.000000, 0.000000, 0.000000, "
                          "0.000000, 0.000000, 1.000000, 0.000000, 0.000000, 0.000000, 0.000000, 1.000000);\n";
    const std::string m = "\t\taddA(1.000000, 0.000000, 0.000000, 0.000000, 0.000000, 1.000000, 0.000000, 0.000000, "
                          "0.000000, 0.000000, 1.000000, 0.000000, 1.000000, 2.000000, 3.000000, 1.000000);\n";
    const std::string uvs = "\t\taddUV(0.000000, 0.000000);\n\t\taddUV(1.000000, 1.000000);\n"
                            "\t\taddUV(1.000000, 0.000000);\n\t\taddUV(0.000000, 0.000000);\n";
    const std::string body = kBody + uvs + "\t\taddUV(0.000000, 0.000000);\n\t\taddUV(0.000000, 0.000000);\n"
                                           "\t\taddUV(0.000000, 0.000000);\n\t\taddUV(0.000000, 0.000000);\n"
                                           "\t\taddUV(0.000000, 0.000000);\n\t}\n";
    const CCentigrade scene = RiggedBox();
    EXPECT_EQ(Write(scene, JavaLikeEngine::VantaForm3D, AnimationFormMatrices),
              Crlf(Head("vantaform3d", "BoneModel3D") +
                   "\t\taddA3();\n\t\taddA2();\n\t\taddAnimations0_0();\n\t\taddA2();\n\t\taddAnimations0_1();\n"
                   "\t\taddA3();\n\t\taddA2();\n\t\taddAnimations1_0();\n\t\taddA2();\n\t\taddAnimations1_1();\n"
                   "\t\tinit();\n\t}\n\n" +
                   body + "\n\tprivate void addAnimations0_0()\n\t{\n" + i + m + i + "\t}\n" +
                   "\n\tprivate void addAnimations0_1()\n\t{\n" + i + m + i + "\t}\n" +
                   "\n\tprivate void addAnimations1_0()\n\t{\n" + i + i + i + "\t}\n" +
                   "\n\tprivate void addAnimations1_1()\n\t{\n" + i + i + i + "\t}\n}\n"));
    EXPECT_EQ(Write(scene, JavaLikeEngine::VantaForm3D, AnimationFormKeyFrames),
              Crlf(Head("vantaform3d", "Model3D") + "\t\tinit();\n\t}\n\n" + body + "}\n"));
}

// The static form: plain vertices, no animation even with bones. A second model's indices
// count on from the first model's vertices; a corner beyond the face's UVs is 0, 0. Scale 2
// doubles positions only.
TEST(JavaLikeExport, StaticFormOfTwoModelsAtScaleTwo)
{
    CCentigrade scene = RiggedBox();
    CModel second;
    second.m_vertices = {Vertex(0.25f, -1.5f, 3.0f), Vertex(1, -1.5f, 3), Vertex(0.25f, 0, 0)};
    second.m_faces = {Face({0, 1, 2}, 0, {{0.5f, 0.25f}, {1, 1}})};
    scene.m_models.push_back(second);
    const std::string text = Write(scene, JavaLikeEngine::LumaFold3D, AnimationFormNone, 2.0f);
    EXPECT_TRUE(text.starts_with(Crlf("package com.orchidgrid.models;\n\nimport com.orchidgrid.lumafold3d.Model3D;\n\n"
                                      "public class Robot extends Model3D\n{\n\tpublic Robot()\n\t{\n\t\tsuper();\n\n"
                                      "\t\taddVerteices();\n\t\taddIndices();\n\t\taddUVs();\n\t\tinit();\n\t}\n\n"
                                      "\tprivate void addVerteices()\n\t{\n"
                                      "\t\taddV(0.000000, 0.000000, 0.000000);\n\t\taddV(2.000000, 0.000000, 0.000000);\n"
                                      "\t\taddV(2.000000, 2.000000, 0.000000);\n\t\taddV(0.000000, 2.000000, -1.000000);\n"
                                      "\t\taddV(0.500000, -3.000000, 6.000000);\n\t\taddV(2.000000, -3.000000, 6.000000);\n"
                                      "\t\taddV(0.500000, 0.000000, 0.000000);\n\t}\n\n")))
        << text;
    EXPECT_TRUE(text.ends_with(Crlf(std::string("\t\taddI(0, 3, 2);\n\t\taddI(4, 6, 5);\n\t}\n\n"
                                                "\tprivate void addUVs()\n\t{\n") +
                                    kLumaFold3DUVs +
                                    "\t\taddUV(0.500, 0.250);\n\t\taddUV(0.000, 0.000);\n\t\taddUV(1.000, 1.000);\n"
                                    "\t}\n}\n")))
        << text;
}

// The rows past what one method holds go into a nested class that the method calls at its
// end, extending a base whose forwarders hand the rows to the model; the constructor calls
// the methods as always.
TEST(JavaLikeExport, RowsPastOneMethodMoveIntoNestedClasses)
{
    CCentigrade scene = BoxScene();
    scene.m_models[0].m_vertices.assign(3750, Vertex(0.5f, 0.25f, 0, -1));
    scene.m_bones = {Bone(0, -1, CVector(0, 0, 0), 1, 1153)};
    scene.m_animationNames = {"Walk"};
    EXPECT_EQ(Write(scene, JavaLikeEngine::VantaForm3D, AnimationFormMatrices).find("Rows"), std::string::npos);

    scene.m_models[0].m_vertices.push_back(Vertex(1, 2, 3, -1));
    scene.m_bones[0].m_animations[0].emplace_back();
    const std::string cut = Write(scene, JavaLikeEngine::VantaForm3D, AnimationFormMatrices);
    EXPECT_NE(cut.find(Crlf("\t\taddVerteicesBones();\n\t\taddIndices();\n\t\taddUVs();\n"
                            "\t\taddA3();\n\t\taddA2();\n\t\taddAnimations0_0();\n\t\tinit();\n")),
              std::string::npos);
    // The nested class holds exactly the rows past the first 3,750.
    EXPECT_NE(cut.find(Crlf("\t\taddB(0.500000, 0.250000, 0.000000, 0);\n\t\tnew Rows1().rows();\n\t}\n\n"
                            "\tprivate final class Rows1 extends Rows { void rows() {\n"
                            "\t\taddB(1.000000, 2.000000, 3.000000, 0);\n\t} }\n\n\tprivate void addIndices()\n")),
              std::string::npos);
    const std::string matrix = "1.000000, 0.000000, 0.000000, 0.000000, 0.000000, 1.000000, 0.000000, 0.000000, "
                               "0.000000, 0.000000, 1.000000, 0.000000, 0.000000, 0.000000, 0.000000, 1.000000";
    EXPECT_TRUE(cut.ends_with(Crlf(
        "\t\taddA(" + matrix + ");\n\t\tnew Rows2().rows();\n\t}\n\n"
        "\tprivate final class Rows2 extends Rows { void rows() {\n\t\taddA(" + matrix + ");\n\t} }\n\n"
        "\tprivate abstract class Rows\n\t{\n"
        "\t\tfinal void addB(double x, double y, double z, int bone) { Robot.this.addB(x, y, z, bone); }\n"
        "\t\tfinal void addA(double m0, double m1, double m2, double m3, double m4, double m5, double m6, double m7,\n"
        "\t\t\tdouble m8, double m9, double m10, double m11, double m12, double m13, double m14, double m15)\n"
        "\t\t{\n\t\t\tRobot.this.addA(m0, m1, m2, m3, m4, m5, m6, m7, m8, m9, m10, m11, m12, m13, m14, m15);\n"
        "\t\t}\n\t}\n}\n")));
}
