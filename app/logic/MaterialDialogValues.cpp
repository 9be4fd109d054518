#include "app/logic/MaterialDialogValues.h"

#include "app/logic/PaneRenames.h"
#include "import/PathFunctions.h"
#include "platform/Cp932.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "scene/CCentigrade.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

const char* const kDuplicateMaterial = "マテリアル名が重複しています！";

}  // namespace

bool IsUnscaledValue(int value)
{
    return value == ValuePower;
}

namespace {

int ClampedPosition(double scaled)
{
    if (!(scaled > 0.0))
        return 0;
    if (scaled >= 100.0)
        return 100;
    return static_cast<int>(std::trunc(scaled));
}

}  // namespace

int SliderPosition(int value, float number)
{
    return ClampedPosition(IsUnscaledValue(value) ? number : static_cast<double>(number) * 100.0);
}

int SliderPositionForText(int value, const std::string& text)
{
    // strtol and strtod read as atoi and atof do, and stay defined for numbers out of range.
    if (IsUnscaledValue(value))
        return ClampedPosition(static_cast<double>(std::strtol(text.c_str(), nullptr, 10)));
    return ClampedPosition(std::strtod(text.c_str(), nullptr) * 100.0);
}

float SliderValue(int value, int position)
{
    return IsUnscaledValue(value) ? static_cast<float>(position) : static_cast<float>(position / 100.0);
}

std::string InitialValueText(float number)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.6g", static_cast<double>(number));
    return text;
}

MaterialDialogValues MaterialDialogValues::From(const CMaterial& material)
{
    MaterialDialogValues values;
    values.name = cp932::ToUtf8(material.m_name);
    values.numbers = {material.m_color[0],     material.m_color[1],     material.m_color[2],  material.m_color[3],
                      material.m_toonColor[0], material.m_toonColor[1], material.m_toonColor[2],
                      material.m_diffuse,      material.m_emissive,     material.m_specular,  material.m_power,
                      material.m_ambient};
    values.texture = cp932::ToUtf8(material.m_texture);
    values.toonTexture = cp932::ToUtf8(material.m_toonTexture);
    return values;
}

namespace {

template <typename T>
bool Assign(T& target, const T& value)
{
    if (target == value)
        return false;
    target = value;
    return true;
}

bool AssignText(std::string& target, const std::string& utf8)
{
    const std::optional<std::string> text = Cp932FromWidget(utf8);
    return text && Assign(target, *text);
}

}  // namespace

bool WriteBackMaterial(CCentigrade& scene, int index, const MaterialDialogValues& values)
{
    if (index < 0 || static_cast<std::size_t>(index) >= scene.m_materials.size())
        return false;
    CMaterial& material = scene.m_materials[index];
    const auto& n = values.numbers;
    bool changed = Assign(material.m_color, {n[ValueRed], n[ValueGreen], n[ValueBlue], n[ValueAlpha]});
    changed |= AssignText(material.m_texture, values.texture);
    changed |= Assign(material.m_ambient, n[ValueAmbient]);
    changed |= Assign(material.m_diffuse, n[ValueDiffuse]);
    changed |= Assign(material.m_emissive, n[ValueEmissive]);
    changed |= Assign(material.m_toonColor, {n[ValueToonRed], n[ValueToonGreen], n[ValueToonBlue]});
    changed |= AssignText(material.m_toonTexture, values.toonTexture);

    // The duplicate test is the one of the list's rename, against every other material.
    const std::optional<std::string> name = Cp932FromWidget(values.name);
    bool taken = false;
    for (std::size_t i = 0; name && i < scene.m_materials.size(); ++i)
        taken |= i != static_cast<std::size_t>(index) && cp932::EqualsNoCase(scene.m_materials[i].m_name, *name);
    if (!name)
        ShowMessage(kUnconvertibleNameMessage, MessageButtons::Ok, MessageIcon::Warning);
    else if (taken)
        ShowMessage(kDuplicateMaterial, MessageButtons::Ok, MessageIcon::Warning);
    else if (material.m_name != *name) {
        material.SetName(*name);
        changed = true;
    }

    changed |= Assign(material.m_power, n[ValuePower]);
    changed |= Assign(material.m_specular, n[ValueSpecular]);
    return changed;
}

std::vector<std::string> TextureFolders()
{
    const std::string program = fs_cp932::ToFileSystem(GetModuleFolder());
    return {program + "TEXTURE", program + "../share/kinemorphix/TEXTURE"};
}

std::string TextureNameForFile(const std::string& chosenPath, const std::vector<std::string>& textureFolders)
{
    namespace fs = std::filesystem;
    const fs::path file = fs::path(chosenPath).lexically_normal();
    for (const std::string& folderText : textureFolders) {
        fs::path folder = fs::path(folderText).lexically_normal();
        if (!folder.has_filename())
            folder = folder.parent_path();  // a trailing separator
        // Whole components: /prog/TEXTURE2/a.png is not inside /prog/TEXTURE.
        auto f = folder.begin();
        auto p = file.begin();
        for (; f != folder.end() && p != file.end() && *f == *p; ++f, ++p) {
        }
        if (f != folder.end() || p == file.end())
            continue;
        fs::path below;
        for (; p != file.end(); ++p)
            below /= *p;
        return below.generic_string();
    }
    return file.filename().generic_string();
}
