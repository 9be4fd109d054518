// What the three ActionScript exports share: the class name, the texture hand-over and which
// faces they write. The public class of an ActionScript file must be named as the file is, so
// the class name comes from the output file's name; where that name is no identifier the
// class gets a sanitised one and the user is told to rename the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class CFace;
class CMaterial;

// The class name for an output path: the file's base name (ExportClassName) with every
// character that cannot stand in an identifier (a blank, a hyphen, any non-ASCII character)
// replaced by '_', a '_' before a leading digit and after a reserved word or a class name
// that the generated file itself uses (Model3D, Sprite, ...). Valid names stay unchanged.
std::string ActionScriptClassName(const std::string& cp932Path);

// Tells the user, once, when the class name differs from the file's base name: the file must
// be renamed before an ActionScript compiler accepts it. Does nothing when they match.
void ReportClassNameMismatch(const std::string& cp932Path, const std::string& className);

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

// A face the exports write: three or four corners, each naming a vertex of the model. Lines
// (two corners), larger polygons and faces naming a missing vertex are skipped everywhere.
bool IsExportableFace(const CFace& face, std::size_t vertexCount);
