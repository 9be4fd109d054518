#include "export/KotlinExport.h"

#include "export/ExportFile.h"
#include "export/JvmClassWriter.h"
#include "scene/CCentigrade.h"

#include <array>

namespace {

constexpr JvmDialect kKotlin{
    "\t\t%s()\n",
    "\tprivate fun %s() {\n",
    "\t\t%s().rows()\n",
    "\n\tprivate inner class %s : %s() { fun rows() {\n",
    "\n\tprivate abstract inner class %s {\n",
    "\t\tfun addV(x: Double, y: Double, z: Double) = this@%s.addV(x, y, z)\n",
    "\t\tfun addB(x: Double, y: Double, z: Double, bone: Int) = this@%s.addB(x, y, z, bone)\n",
    "\t\tfun addI(i0: Int, i1: Int, i2: Int) = this@%s.addI(i0, i1, i2)\n",
    "\t\tfun addUV(u: Double, v: Double) = this@%s.addUV(u, v)\n",
    "\t\tfun addA(m0: Double, m1: Double, m2: Double, m3: Double, m4: Double, m5: Double, m6: Double, m7: Double,\n"
    "\t\t\tm8: Double, m9: Double, m10: Double, m11: Double, m12: Double, m13: Double, m14: Double, m15: Double) =\n"
    "\t\t\tthis@%s.addA(m0, m1, m2, m3, m4, m5, m6, m7, m8, m9, m10, m11, m12, m13, m14, m15)\n",
    "\t\taddV(%.4f, %.4f, %.4f)\n",
    "\t\taddB(%.4f, %.4f, %.4f, %d)\n",
    "\t\taddI(%d, %d, %d)\n",
    "\t\taddUV(%.3f, %.3f)\n",
    "\t\taddA(%.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f)\n",
};

// Kotlin's hard keywords, and the engine's classes in the package the class is declared in.
constexpr auto kReservedClassNames = std::to_array<std::string_view>({
    "as",    "break", "class", "continue", "do",      "else",      "false",  "for",     "fun",     "if",
    "in",    "interface", "is", "null",    "object",  "package",   "return", "super",   "this",    "throw",
    "true",  "try",   "typealias", "typeof", "val",   "var",       "when",   "while",   "Model3D", "BoneModel3D",
});

}  // namespace

FileClassName KotlinClassName(const std::string& cp932Path)
{
    return ClassNameOfFile(cp932Path, SourceLanguage::Kotlin, kReservedClassNames);
}

bool WriteKotlinClass(const CCentigrade& scene, TextWriter& out, ExportAnimationForm form, float scale,
                      std::string_view className)
{
    const bool bones = form == AnimationFormKeyFrames || form == AnimationFormMatrices;
    const std::string_view vertexMethod = bones ? "addVerticesBones" : "addVertices";
    JvmClassWriter writer(scene, kKotlin, out, scale, className);

    out.Text("package orchidgridengine\n\n");
    out.Print("class %s : %s() {\n", className, bones ? "BoneModel3D" : "Model3D");
    out.Text("\tinit {\n");
    writer.CallMethod("addIndices");
    writer.CallMethod(vertexMethod);
    writer.CallMethod("addUVs");
    if (bones)
        writer.CallAnimationMethods(MatrixGrouping::ByFrame);
    out.Text("\n\t\tnewModel3D()\n\t}\n\n");

    const bool allBound = writer.WriteMeshMethods(vertexMethod, bones);
    if (bones && !scene.m_bones.empty()) {
        out.Text("\n");
        writer.WriteAnimationMethods(MatrixGrouping::ByFrame);
    }
    writer.WriteNestedBase();
    out.Text("}\n");
    return allBound;
}

ExportResult ExportKotlin(const CCentigrade& scene, float scale, const std::string& path, ExportAnimationForm form)
{
    const FileClassName className = KotlinClassName(path);
    if (!className.refusal.empty())
        return RefusedExport(path, className.refusal);
    ExportFile file(path);
    if (file.IsOpen() && !WriteKotlinClass(scene, file.Writer(), form, scale, className.name))
        file.NoteUnassignedVertices();
    return file.Finish();
}
