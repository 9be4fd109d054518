#include "app/logic/SaveAsRules.h"

#include "app/logic/CSceneDocument.h"
#include "export/Exporters.h"
#include "import/PathFunctions.h"

#include <charconv>
#include <cmath>

namespace rules {
namespace {

constexpr std::string_view kSceneLabel = "Zelvo Kinemorphixファイル(*.zlkx)";
constexpr std::string_view kScenePattern = "*.zlkx";

bool OffersFlashTarget(std::int32_t type)
{
    const ExporterInfo* info = FindExporter(type);
    return info && info->flashOptions;
}

}  // namespace

bool IsExportType(std::int32_t type)
{
    return type == ExportTypeScene || FindExporter(type) != nullptr;
}

std::string SaveAsFilter()
{
    std::string filter;
    filter.append(kSceneLabel).append("|").append(kScenePattern).append("|");
    for (const ExporterInfo& info : Exporters())
        filter.append(info.label).append("|").append(info.pattern).append("|");
    return filter + "|";
}

std::string TypeExtension(std::int32_t type)
{
    std::string_view pattern;
    if (type == ExportTypeScene)
        pattern = kScenePattern;
    else if (const ExporterInfo* info = FindExporter(type))
        pattern = info->pattern;
    const std::size_t dot = pattern.rfind('.');
    return dot == std::string_view::npos ? std::string() : std::string(pattern.substr(dot + 1));
}

std::string WithTypeExtension(const std::string& cp932Path, std::int32_t type)
{
    const std::string extension = TypeExtension(type);
    std::string name, present;
    if (extension.empty() || !GetFileName(name, cp932Path))
        return cp932Path;
    GetFileExtension(present, cp932Path);
    if (!present.empty())
        return cp932Path;
    return cp932Path + (name.back() == '.' ? "" : ".") + extension;
}

std::string ExportedFilePath(std::int32_t type, const std::string& cp932Path, std::int32_t form)
{
    if (type != ExportTypeBoneAnimation || form != AnimationFormNone)
        return cp932Path;
    std::string path;
    MakeMqoPath(path, cp932Path);
    return path;
}

ExportDialogValues PresetExportOptions(CSceneDocument& doc, std::int32_t type)
{
    const ExporterInfo* info = FindExporter(type);
    if (type == ExportTypeFbx)
        doc.m_exportAnimationForm = AnimationFormNone;
    ExportDialogValues values;
    values.restriction = info ? info->restriction : 0;
    values.flashEnabled = info && info->flashOptions;
    values.animationForm = type == ExportTypeActionScript2 ? AnimationFormNone : doc.m_exportAnimationForm;
    values.scale = doc.m_exportScale;
    // Greyed for the other types, the Flash radios still show the remembered target.
    values.flashTarget = doc.m_flashTarget;
    return values;
}

void StoreExportOptions(CSceneDocument& doc, std::int32_t type, const ExportDialogValues& values)
{
    doc.m_exportAnimationForm = type == ExportTypeActionScript2 ? AnimationFormNone : values.animationForm;
    doc.m_exportScale = values.scale;
    if (OffersFlashTarget(type))
        doc.m_flashTarget = values.flashTarget;
}

ExportOptions RememberedExportOptions(const CSceneDocument& doc)
{
    ExportOptions options;
    options.scale = doc.m_exportScale;
    options.form = static_cast<ExportAnimationForm>(doc.m_exportAnimationForm);
    options.flashTarget = static_cast<FlashTarget>(doc.m_flashTarget);
    return options;
}

bool CanOverwriteExport(const CSceneDocument& doc)
{
    return !doc.m_exportPath.empty();
}

bool ParseExportScale(std::string_view text, float& scale, std::string& message)
{
    const auto isSpace = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    float value = 0.0f;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        message = "拡大率には数値を入力してください。";
        return false;
    }
    if (!(value > 0.0f)) {
        message = "拡大率には 0 より大きい数値を入力してください。";
        return false;
    }
    scale = value;
    return true;
}

std::string FormatExportScale(float scale)
{
    std::string text(32, '\0');  // room for any float's shortest form
    const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), scale);
    if (error != std::errc())
        return "1";
    text.resize(static_cast<std::size_t>(end - text.data()));
    return text;
}

}  // namespace rules
