#include "app/logic/PaneRenames.h"

#include "platform/Cp932.h"
#include "platform/Messages.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <algorithm>

const char* const kUnconvertibleNameMessage = "名前に使えない文字が含まれています！";

namespace {

const char* const kDuplicateBone = "重複する名前があるで、ボーン名を変更できません！";
const char* const kDuplicateAnimation = "重複する名前があるので、アニメーション名を変更できません！";
const char* const kDuplicateMaterial = "マテリアル名が重複しています！";

template <typename Items, typename NameOf>
bool UsedByAnother(const Items& items, std::size_t self, const std::string& name, NameOf nameOf)
{
    for (std::size_t i = 0; i < items.size(); ++i)
        if (i != self && cp932::EqualsNoCase(nameOf(items[i]), name))
            return true;
    return false;
}

// The common steps; `target` is the stored name of the edited item.
template <typename Items, typename NameOf>
RenameResult Rename(Items& items, int index, const std::string& utf8, const char* duplicateMessage, NameOf nameOf)
{
    if (utf8.empty() || index < 0 || static_cast<std::size_t>(index) >= items.size())
        return RenameResult::Ignored;
    const std::optional<std::string> name = Cp932FromWidget(utf8);
    if (!name) {
        ShowMessage(kUnconvertibleNameMessage, MessageButtons::Ok, MessageIcon::Warning);
        return RenameResult::Refused;
    }
    if (UsedByAnother(items, static_cast<std::size_t>(index), *name, nameOf)) {
        ShowMessage(duplicateMessage, MessageButtons::Ok, MessageIcon::Warning);
        return RenameResult::Refused;
    }
    std::string& target = nameOf(items[index]);
    if (target == *name)
        return RenameResult::Unchanged;
    target = *name;
    return RenameResult::Renamed;
}

}  // namespace

std::optional<std::string> Cp932FromWidget(const std::string& utf8)
{
    // A character without a CP932 form comes back as '?': more of them than the text had
    // means one did not convert.
    std::string converted = cp932::FromUtf8(utf8);
    if (std::count(converted.begin(), converted.end(), '?') != std::count(utf8.begin(), utf8.end(), '?'))
        return std::nullopt;
    return converted;
}

RenameResult RenameBone(CCentigrade& scene, int bone, const std::string& utf8)
{
    if (g_currentAnimation < 0 || static_cast<std::size_t>(g_currentAnimation) >= scene.m_animationNames.size())
        return RenameResult::Ignored;
    return Rename(scene.m_bones, bone, utf8, kDuplicateBone, [](auto& b) -> auto& { return b.m_name; });
}

RenameResult RenameAnimation(CCentigrade& scene, int animation, const std::string& utf8)
{
    return Rename(scene.m_animationNames, animation, utf8, kDuplicateAnimation, [](auto& n) -> auto& { return n; });
}

RenameResult RenameMaterial(CCentigrade& scene, int material, const std::string& utf8)
{
    return Rename(scene.m_materials, material, utf8, kDuplicateMaterial, [](auto& m) -> auto& { return m.m_name; });
}
