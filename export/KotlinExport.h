// The Kotlin export: one ".kt" source declaring a model class of the orchidgrid engine. Its
// init block calls private methods that hand the engine's base class (Model3D, or
// BoneModel3D for bone models) the vertices, triangle indices, UVs per triangle corner and,
// for bone models, one baked world matrix per bone, animation and frame.
#pragma once

#include "export/ExportCommon.h"
#include "export/FileClassName.h"

#include <string>
#include <string_view>

class CCentigrade;
class TextWriter;

// Writes the class named after the output file, which is how the engine finds it: a file
// whose name is no Kotlin class name (KotlinClassName) is not written, and the error says
// why. Forms 0 and 1 write the same bone model, with the unassigned-vertex warning after the
// file; form 2 a static mesh.
ExportResult ExportKotlin(const CCentigrade& scene, float scale, const std::string& path, ExportAnimationForm form);

// The whole text of the file, for any writer. False when some vertex written with its bone
// has none.
bool WriteKotlinClass(const CCentigrade& scene, TextWriter& out, ExportAnimationForm form, float scale,
                      std::string_view className);

// The class name for a CP932 output path (ClassNameOfFile): its base name in UTF-8, refused
// when it is no Kotlin identifier, a hard keyword, one of the engine's class names or made
// of underscores only.
FileClassName KotlinClassName(const std::string& cp932Path);
