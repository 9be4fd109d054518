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
