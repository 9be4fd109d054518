#include "export/JavaLikeExport.h"

#include "export/ExportFile.h"
#include "export/JvmClassWriter.h"
#include "scene/CCentigrade.h"

#include <array>

namespace {

// The nested classes that hold the rows a model class has no room for, and their base.
constexpr std::string_view kHolderCall = "\t\tnew %s().rows();\n";
constexpr std::string_view kHolderHead = "\n\tprivate final class %s extends %s { void rows() {\n";
constexpr std::string_view kBaseHead = "\n\tprivate abstract class %s\n\t{\n";
constexpr std::string_view kVertexForwarder =
    "\t\tfinal void addV(double x, double y, double z) { %s.this.addV(x, y, z); }\n";
constexpr std::string_view kBoneVertexForwarder =
    "\t\tfinal void addB(double x, double y, double z, int bone) { %s.this.addB(x, y, z, bone); }\n";
constexpr std::string_view kIndexForwarder =
    "\t\tfinal void addI(int i0, int i1, int i2) { %s.this.addI(i0, i1, i2); }\n";
constexpr std::string_view kUVForwarder = "\t\tfinal void addUV(double u, double v) { %s.this.addUV(u, v); }\n";
constexpr std::string_view kMatrixForwarder =
    "\t\tfinal void addA(double m0, double m1, double m2, double m3, double m4, double m5, double m6, double m7,\n"
    "\t\t\tdouble m8, double m9, double m10, double m11, double m12, double m13, double m14, double m15)\n"
    "\t\t{\n"
    "\t\t\t%s.this.addA(m0, m1, m2, m3, m4, m5, m6, m7, m8, m9, m10, m11, m12, m13, m14, m15);\n"
    "\t\t}\n";

struct EngineTable {
    std::string_view packageWord;      // in the import line
    bool keyFramesAnimated;            // form 0 writes the animation calls and methods too
    MatrixGrouping grouping;
    bool blankBeforeAnimations;        // one more blank line before the animation methods
    JvmDialect dialect;
};

constexpr EngineTable kLumaFold3D{
    "lumafold3d",
    true,
    MatrixGrouping::ByFrame,
    true,
    {"\t\t%s();\n", "\tprivate void %s()\n\t{\n", kHolderCall, kHolderHead, kBaseHead,
     kVertexForwarder, kBoneVertexForwarder, kIndexForwarder, kUVForwarder, kMatrixForwarder,
     "\t\taddV(%f, %f, %f);\n", "\t\taddB(%f, %f, %f, %d);\n", "\t\taddI(%d, %d, %d);\n", "\t\taddUV(%.3f, %.3f);\n",
     "\t\taddA(%.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f);\n"},
};

constexpr EngineTable kVantaForm3D{
    "vantaform3d",
    false,
    MatrixGrouping::ByBone,
    false,
    {"\t\t%s();\n", "\tprivate void %s()\n\t{\n", kHolderCall, kHolderHead, kBaseHead,
     kVertexForwarder, kBoneVertexForwarder, kIndexForwarder, kUVForwarder, kMatrixForwarder,
     "\t\taddV(%f, %f, %f);\n", "\t\taddB(%f, %f, %f, %d);\n", "\t\taddI(%d, %d, %d);\n", "\t\taddUV(%f, %f);\n",
     "\t\taddA(%f, %f, %f, %f, %f, %f, %f, %f, %f, %f, %f, %f, %f, %f, %f, %f);\n"},
};

const EngineTable& TableOf(JavaLikeEngine engine)
{
    return engine == JavaLikeEngine::LumaFold3D ? kLumaFold3D : kVantaForm3D;
}

// Java's keywords and literals, the names it reserves for types, and the engine's classes
// that the file imports or extends.
constexpr auto kReservedClassNames = std::to_array<std::string_view>({
    "abstract", "assert",     "boolean",   "break",     "byte",     "case",         "catch",     "char",
    "class",    "const",      "continue",  "default",   "do",       "double",       "else",      "enum",
    "extends",  "final",      "finally",   "float",     "for",      "goto",         "if",        "implements",
    "import",   "instanceof", "int",       "interface", "long",     "native",       "new",       "package",
    "private",  "protected",  "public",    "return",    "short",    "static",       "strictfp",  "super",
    "switch",   "synchronized", "this",    "throw",     "throws",   "transient",    "try",       "void",
    "volatile", "while",      "true",      "false",     "null",     "_",            "var",       "yield",
    "record",   "sealed",     "permits",   "Model3D",   "BoneModel3D",
});

ExportResult ExportJavaLike(const CCentigrade& scene, JavaLikeEngine engine, float scale, const std::string& path,
                            ExportAnimationForm form)
{
    const FileClassName className = JavaClassName(path);
    if (!className.refusal.empty())
        return RefusedExport(path, className.refusal);
    ExportFile file(path);
    if (file.IsOpen() && !WriteJavaLikeClass(scene, engine, file.Writer(), form, scale, className.name))
        file.NoteUnassignedVertices();
    return file.Finish();
}

}  // namespace

FileClassName JavaClassName(const std::string& cp932Path)
{
    return ClassNameOfFile(cp932Path, SourceLanguage::Java, kReservedClassNames);
}

bool WriteJavaLikeClass(const CCentigrade& scene, JavaLikeEngine engine, TextWriter& out, ExportAnimationForm form,
                        float scale, std::string_view className)
{
    const EngineTable& table = TableOf(engine);
    const bool bones = form == AnimationFormKeyFrames || form == AnimationFormMatrices;
    const bool animated = form == AnimationFormMatrices || (form == AnimationFormKeyFrames && table.keyFramesAnimated);
    const std::string_view base = form == AnimationFormMatrices ? "BoneModel3D" : "Model3D";
    const std::string_view vertexMethod = bones ? "addVerteicesBones" : "addVerteices";
    JvmClassWriter writer(scene, table.dialect, out, scale, className);

    out.Print("package %s.models;\n\n", kJavaLikePackagePrefix);
    out.Print("import %s.%s.%s;\n\n", kJavaLikePackagePrefix, table.packageWord, base);
    out.Print("public class %s extends %s\n", className, base);
    out.Text("{\n");
    out.Print("\tpublic %s()\n", className);
    out.Text("\t{\n\t\tsuper();\n\n");
    writer.CallMethod(vertexMethod);
    writer.CallMethod("addIndices");
    writer.CallMethod("addUVs");
    if (animated)
        writer.CallAnimationMethods(table.grouping);
    out.Text("\t\tinit();\n\t}\n\n");

    const bool allBound = writer.WriteMeshMethods(vertexMethod, bones);
    if (animated && !scene.m_bones.empty()) {
        if (table.blankBeforeAnimations)
            out.Text("\n");
        writer.WriteAnimationMethods(table.grouping);
    }
    writer.WriteNestedBase();
    out.Text("}\n");
    return allBound;
}

ExportResult ExportLumaFold3D(const CCentigrade& scene, float scale, const std::string& path, ExportAnimationForm form)
{
    return ExportJavaLike(scene, JavaLikeEngine::LumaFold3D, scale, path, form);
}

ExportResult ExportVantaForm3D(const CCentigrade& scene, float scale, const std::string& path, ExportAnimationForm form)
{
    return ExportJavaLike(scene, JavaLikeEngine::VantaForm3D, scale, path, form);
}
