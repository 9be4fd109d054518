// What the three ActionScript exports share: the class name, the texture hand-over and which
// faces they write. The public class of an ActionScript file must be named as the file is, so
// the class name is the output file's base name; a file whose name is no class name is not
// written.
#pragma once

#include "export/ExportCommon.h"
#include "export/ExportableFace.h"
#include "export/FileClassName.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

class CMaterial;
class TextWriter;

// The class name for an output path (ClassNameOfFile): the file's base name in UTF-8, refused
// when it is no ActionScript identifier, a reserved word or a class name that the generated
// file itself uses (Model3D, Sprite, ...).
FileClassName ActionScriptClassName(const std::string& cp932Path);

// Writes one class file at the path: write(out, className) prints the class and returns false
// when it wrote a vertex without a bone; the unassigned-vertex warning follows the file. A
// refused class name fails the export before anything is written, with the refusal as error.
ExportResult ExportClassFile(const std::string& cp932Path,
                             const std::function<bool(TextWriter& out, const std::string& className)>& write);

// The material names a texture file (a texture name ending in a folder separator names none).
// Materials without one hand null to the engine.
bool HasTextureFile(const CMaterial& material);

// The generated texture class of a material for the Flash CS target: the texture file's base
// name made an identifier, then "Tex" (robot.png gives robotTex).
std::string TextureClassName(const CMaterial& material);

// The texture's file name without folders, in UTF-8, for an Embed line; empty without one.
std::string EmbedSourceName(const CMaterial& material);

// Width and height in pixels of the material's decoded texture; 0 and 0 when none was decoded.
struct TextureSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};
TextureSize DecodedTextureSize(const CMaterial& material);
