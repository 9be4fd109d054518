#include "export/KotlinExport.h"

#include "export/JvmScenes.h"
#include "export/TextWriter.h"

#include <gtest/gtest.h>

using namespace exporttest;

namespace {

std::string Write(const CCentigrade& scene, ExportAnimationForm form, bool expectAllBound)
{
    return Written([&](TextWriter& out) {
        EXPECT_EQ(WriteKotlinClass(scene, out, form, 1.0f, "Robot"), expectAllBound);
    });
}

std::string Method(const char* name, const char* matrix)
{
    const std::string row = std::string("\t\taddA(") + matrix + ")\n";
    return std::string("\n\tprivate fun ") + name + "() {\n" + row + row + "\t}\n";
}

// The box's index and UV methods: the line face gives no row, the quad without UVs six
// corners of 0, 0.
const char* const kIndicesAndUVs =
    "\tprivate fun addIndices() {\n\t\taddI(0, 2, 1)\n\t\taddI(0, 2, 1)\n\t\taddI(0, 3, 2)\n\t}\n\n"
    "\tprivate fun addUVs() {\n"
    "\t\taddUV(0.000, 0.000)\n\t\taddUV(1.000, 1.000)\n\t\taddUV(1.000, 0.000)\n"
    "\t\taddUV(0.000, 0.000)\n\t\taddUV(0.000, 0.000)\n\t\taddUV(0.000, 0.000)\n"
    "\t\taddUV(0.000, 0.000)\n\t\taddUV(0.000, 0.000)\n\t\taddUV(0.000, 0.000)\n\t}\n";

}  // namespace

// Forms 0 and 1 write the same bone model: indices first in the init block, no semicolons,
// one method per animation and frame with one matrix per bone.
TEST(KotlinExport, BoneModel)
{
    const std::string expected =
        std::string("package orchidgridengine\n\nclass Robot : BoneModel3D() {\n\tinit {\n"
                    "\t\taddIndices()\n\t\taddVerticesBones()\n\t\taddUVs()\n"
                    "\t\taddA3()\n\t\taddA2()\n\t\taddAnimations0_0()\n\t\taddA2()\n\t\taddAnimations0_1()\n"
                    "\t\taddA2()\n\t\taddAnimations0_2()\n"
                    "\t\taddA3()\n\t\taddA2()\n\t\taddAnimations1_0()\n\t\taddA2()\n\t\taddAnimations1_1()\n"
                    "\t\taddA2()\n\t\taddAnimations1_2()\n"
                    "\n\t\tnewModel3D()\n\t}\n\n"
                    "\tprivate fun addVerticesBones() {\n"
                    "\t\taddB(0.0000, 0.0000, 0.0000, 0)\n\t\taddB(1.0000, 0.0000, 0.0000, 1)\n"
                    "\t\taddB(1.0000, 1.0000, 0.0000, 0)\n\t\taddB(0.0000, 1.0000, -0.5000, 1)\n\t}\n\n") +
        kIndicesAndUVs + "\n" + Method("addAnimations0_0", kIdentity4) + Method("addAnimations0_1", kMoved4) +
        Method("addAnimations0_2", kIdentity4) + Method("addAnimations1_0", kIdentity4) +
        Method("addAnimations1_1", kIdentity4) + Method("addAnimations1_2", kIdentity4) + "}\n";
    const CCentigrade scene = RiggedBox();
    EXPECT_EQ(Write(scene, AnimationFormMatrices, false), Crlf(expected));
    EXPECT_EQ(Write(scene, AnimationFormKeyFrames, false), Crlf(expected));
}

// The static form: plain vertices on Model3D, no animation call.
TEST(KotlinExport, StaticForm)
{
    EXPECT_EQ(Write(BoxScene(), AnimationFormNone, true),
              Crlf(std::string("package orchidgridengine\n\nclass Robot : Model3D() {\n\tinit {\n"
                               "\t\taddIndices()\n\t\taddVertices()\n\t\taddUVs()\n\n\t\tnewModel3D()\n\t}\n\n"
                               "\tprivate fun addVertices() {\n"
                               "\t\taddV(0.0000, 0.0000, 0.0000)\n\t\taddV(1.0000, 0.0000, 0.0000)\n"
                               "\t\taddV(1.0000, 1.0000, 0.0000)\n\t\taddV(0.0000, 1.0000, -0.5000)\n\t}\n\n") +
                   kIndicesAndUVs + "}\n"));
}

// Rows stay in the class only while its constant pool has room for their numbers: a root
// bone moving to a new place in each of 4,000 frames fills it, and the later frames' rows go
// into nested classes. A class named Rows names them Data and Data1, Data2, ...
TEST(KotlinExport, RowsPastTheConstantPoolMoveIntoNestedClasses)
{
    CCentigrade scene = BoxScene();
    scene.m_animationNames = {"Walk"};
    scene.m_bones = {Bone(0, -1, CVector(0, 0, 0), 1, 4000)};
    for (std::size_t f = 0; f < 4000; ++f)
        scene.m_bones[0].m_animations[0][f].m_translate =
            CVector(0.5f * static_cast<float>(f), 0.25f * static_cast<float>(f) + 0.125f, -static_cast<float>(f));
    const std::string text = Written([&](TextWriter& out) { WriteKotlinClass(scene, out, AnimationFormMatrices, 1.0f, "Rows"); });

    EXPECT_NE(text.find(Crlf("\t\taddA2()\n\t\taddAnimations0_3999()\n\n\t\tnewModel3D()\n")), std::string::npos);
    EXPECT_NE(text.find(Crlf("\tprivate fun addAnimations0_0() {\n\t\taddA(")), std::string::npos);
    // The last frame's method only calls its nested class.
    const std::string lastHead = Crlf("\tprivate fun addAnimations0_3999() {\n\t\t");
    const std::size_t last = text.find(lastHead);
    ASSERT_NE(last, std::string::npos);
    const std::size_t name = last + lastHead.size();
    const std::string holder = text.substr(name, text.find("().rows()", name) - name);
    EXPECT_TRUE(holder.starts_with("Data")) << holder;
    EXPECT_NE(text.find(Crlf("\tprivate inner class " + holder + " : Data() { fun rows() {\n"
                             "\t\taddA(1.0000, 0.0000, 0.0000, 0.0000, 0.0000, 1.0000, 0.0000, 0.0000, "
                             "0.0000, 0.0000, 1.0000, 0.0000, 1999.5000, 999.8750, -3999.0000, 1.0000)\n\t} }\n"),
                        last),
              std::string::npos);
    EXPECT_TRUE(text.ends_with(Crlf(
        "\n\tprivate abstract inner class Data {\n"
        "\t\tfun addA(m0: Double, m1: Double, m2: Double, m3: Double, m4: Double, m5: Double, m6: Double, m7: Double,\n"
        "\t\t\tm8: Double, m9: Double, m10: Double, m11: Double, m12: Double, m13: Double, m14: Double, m15: Double) =\n"
        "\t\t\tthis@Rows.addA(m0, m1, m2, m3, m4, m5, m6, m7, m8, m9, m10, m11, m12, m13, m14, m15)\n\t}\n}\n")));
}
