#include "export/ActionScriptCommon.h"

#include "export/ExportFile.h"
#include "export/SourceIdentifier.h"
#include "export/TextWriter.h"
#include "import/PathFunctions.h"
#include "platform/Cp932.h"
#include "scene/CMaterial.h"
#include "scene/DibStream.h"

#include <array>
#include <string_view>

namespace {

// Reserved and syntactic words of ActionScript 2 and 3, the words kept for later versions,
// and the classes the generated files name (a class of the same name would hide them).
constexpr auto kReservedNames = std::to_array<std::string_view>({
    "abstract", "add", "and", "Array", "as", "Bitmap", "boolean", "BoneModel3D", "break", "byte", "case", "cast",
    "catch", "char", "class", "Class", "const", "continue", "debugger", "default", "delete", "do", "double",
    "dynamic", "each", "else", "enum", "eq", "export", "extends", "false", "final", "finally", "float", "for",
    "function", "ge", "get", "goto", "gt", "HierarchyModel3D", "if", "ifFrameLoaded", "implements", "import", "in",
    "include", "instanceof", "interface", "internal", "intrinsic", "is", "le", "long", "lt", "Model3D",
    "namespace", "native", "ne", "new", "not", "null", "on", "onClipEvent", "or", "override", "package", "private",
    "protected", "prototype", "public", "return", "Scene3D", "set", "short", "Sprite", "static", "super", "switch",
    "synchronized", "tellTarget", "this", "throw", "throws", "to", "transient", "true", "try", "type", "typeof",
    "use", "var", "virtual", "void", "volatile", "while", "with"});

std::string BaseName(const std::string& cp932Path)
{
    std::string name;
    GetFileBaseName(name, cp932Path);
    return name;
}

}  // namespace

FileClassName ActionScriptClassName(const std::string& cp932Path)
{
    return ClassNameOfFile(cp932Path, SourceLanguage::ActionScript, kReservedNames);
}

ExportResult ExportClassFile(const std::string& cp932Path,
                             const std::function<bool(TextWriter& out, const std::string& className)>& write)
{
    const FileClassName className = ActionScriptClassName(cp932Path);
    if (!className.refusal.empty())
        return RefusedExport(cp932Path, className.refusal);
    ExportFile file(cp932Path);
    if (file.IsOpen() && !write(file.Writer(), className.name))
        file.NoteUnassignedVertices();
    return file.Finish();
}

bool HasTextureFile(const CMaterial& material)
{
    std::string name;
    return GetFileName(name, material.m_texture) != 0;
}

std::string TextureClassName(const CMaterial& material)
{
    const std::string base = BaseName(material.m_texture);
    return (base.empty() ? std::string() : SourceIdentifier(base, {}, "$")) + "Tex";
}

std::string EmbedSourceName(const CMaterial& material)
{
    std::string name;
    if (!GetFileName(name, material.m_texture))
        return {};
    return cp932::ToUtf8(QuotableText(name));
}

TextureSize DecodedTextureSize(const CMaterial& material)
{
    if (!material.m_image || material.m_image->m_pixels.empty())
        return {};
    return {material.m_image->m_width, material.m_image->m_height};
}
