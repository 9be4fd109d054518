// The Java-like engine exports: one ".java" source declaring a model class for the
// LumaFold3D or the VantaForm3D engine. Its constructor calls private methods that hand the
// engine's base class (Model3D, or BoneModel3D for bone models) the vertices, the triangle
// indices, the UVs per triangle corner and, for bone models, one baked world matrix per
// bone, animation and frame. The twins differ only in number formats and in how matrices
// are grouped into methods (LumaFold3D per frame, VantaForm3D per bone).
#pragma once

#include "export/ExportCommon.h"
#include "export/FileClassName.h"

#include <string>
#include <string_view>

class CCentigrade;
class TextWriter;

enum class JavaLikeEngine { LumaFold3D, VantaForm3D };

// The package the classes are declared in (prefix + ".models") and import their base class
// from (prefix + ".lumafold3d" or ".vantaform3d").
inline constexpr std::string_view kJavaLikePackagePrefix = "com.orchidgrid";

// Write the class named after the output file (javac accepts a public class only in a file
// of its name): a file whose name is no Java class name (JavaClassName) is not written, and
// the error says why. The unassigned-vertex warning follows the file in the bone forms (0
// and 1).
ExportResult ExportLumaFold3D(const CCentigrade& scene, float scale, const std::string& path,
                              ExportAnimationForm form);
ExportResult ExportVantaForm3D(const CCentigrade& scene, float scale, const std::string& path,
                               ExportAnimationForm form);

// The whole text of the file, for any writer. False when some vertex written with its bone
// has none.
bool WriteJavaLikeClass(const CCentigrade& scene, JavaLikeEngine engine, TextWriter& out, ExportAnimationForm form,
                        float scale, std::string_view className);

// The class name for a CP932 output path (ClassNameOfFile): its base name in UTF-8, refused
// when it is no Java identifier, a keyword or one of the engine's class names.
FileClassName JavaClassName(const std::string& cp932Path);
