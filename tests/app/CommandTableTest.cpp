// The command table as the menus, toolbars and accelerators are built from it, and the
// registry that runs the handlers.
#include "app/logic/CommandIds.h"
#include "app/logic/CommandRegistry.h"
#include "app/logic/CommandTable.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

std::string Describe(const Accelerator& a)
{
    return std::string(a.ctrl ? "Ctrl+" : "") + (a.alt ? "Alt+" : "") + (a.shift ? "Shift+" : "") + a.key;
}

// Every command id reached from a menu line list.
void CollectMenuIds(std::span<const MenuLine> lines, std::multiset<int>& ids)
{
    for (const MenuLine& line : lines)
        if (line.kind == MenuLine::Item)
            ids.insert(line.id);
}

}  // namespace

TEST(CommandTable, IdsAndAcceleratorsAreUniqueAndUsableByTheToolkit)
{
    std::set<int> ids;
    std::map<std::string, int> accelerators;
    for (const CommandInfo& command : Commands()) {
        EXPECT_TRUE(ids.insert(command.id).second) << command.name;
        // Window ids below 0x7FFF, clear of the toolkit's own 4999..5999 and of the material
        // list's number items.
        const int windowId = WindowIdOf(command.id);
        EXPECT_GT(windowId, 0) << command.name;
        EXPECT_LT(windowId, 0x7FFF) << command.name;
        EXPECT_FALSE(windowId >= 4999 && windowId <= 5999) << command.name;
        EXPECT_FALSE(command.id >= ID_MATERIAL_NUMBER_FIRST && command.id <= ID_MATERIAL_NUMBER_LAST) << command.name;
        for (const char* text : command.accelerators) {
            if (!text)
                continue;
            Accelerator accelerator;
            ASSERT_TRUE(ParseAccelerator(text, accelerator)) << command.name << " " << text;
            const auto [it, inserted] = accelerators.emplace(Describe(accelerator), command.id);
            EXPECT_TRUE(inserted) << text << " is taken by " << FindCommand(it->second)->name << " and " << command.name;
        }
    }
    EXPECT_EQ(accelerators.size(), 45u);
}

TEST(CommandTable, MenuTextsShowTheirCommandsOwnAccelerator)
{
    for (const CommandInfo& command : Commands()) {
        const MenuTextParts parts = SplitMenuText(command.menuText);
        if (!command.menuText)
            continue;
        EXPECT_EQ(parts.label.find('\t'), std::string::npos) << command.name;
        EXPECT_EQ(parts.accelerator.find("(&"), std::string::npos) << command.name;
        if (!parts.accelerator.empty()) {
            EXPECT_EQ(parts.accelerator, command.accelerators[0]) << command.name;
        }
    }
    const MenuTextParts open = SplitMenuText("開く...\tCtrl+O(&O)");
    EXPECT_EQ(open.label, "開く...(&O)");
    EXPECT_EQ(open.accelerator, "Ctrl+O");
    EXPECT_EQ(SplitMenuText("頂点選択(&V)\tCtrl+M").label, "頂点選択(&V)");
    EXPECT_EQ(SplitMenuText("名前を付けて保存(&A)...").accelerator, "");

    Accelerator a;
    EXPECT_FALSE(ParseAccelerator("Ctrl+", a));
    EXPECT_FALSE(ParseAccelerator("Ctrl+F13", a));
    EXPECT_FALSE(ParseAccelerator("Strg+N", a));
    EXPECT_FALSE(ParseAccelerator("Ctrl+Ctrl+N", a));
}

TEST(CommandTable, EveryCommandIsReachableAndEveryLayoutEntryIsACommand)
{
    std::multiset<int> menuIds;
    for (const MenuDef& menu : MenuBarLayout()) {
        CollectMenuIds(menu.lines, menuIds);
        int depth = 0;
        for (const MenuLine& line : menu.lines) {
            depth += line.kind == MenuLine::SubmenuBegin ? 1 : line.kind == MenuLine::SubmenuEnd ? -1 : 0;
            EXPECT_GE(depth, 0) << menu.title;
        }
        EXPECT_EQ(depth, 0) << menu.title;
    }
    for (PopupMenuId popup : {PopupMenuId::Material, PopupMenuId::Animation})
        CollectMenuIds(PopupMenuLayout(popup).lines, menuIds);
    for (int id : menuIds) {
        const CommandInfo* command = FindCommand(id);
        ASSERT_NE(command, nullptr) << id;
        EXPECT_NE(command->menuText, nullptr) << command->name;
        EXPECT_EQ(menuIds.count(id), 1u) << command->name;
    }
    std::set<int> toolIds;
    for (auto layout : {MainToolBarLayout(), ControlToolBarLayout()})
        for (const ToolDef& tool : layout)
            if (tool.id) {
                const CommandInfo* command = FindCommand(tool.id);
                ASSERT_NE(command, nullptr) << tool.label;
                EXPECT_FALSE(TooltipOf(*command).empty()) << command->name;
                toolIds.insert(tool.id);
            }
    EXPECT_EQ(toolIds.size(), 29u);

    // Reached by a menu, a button or a key, except the recent files after the first (the
    // list adds them) and the material rename, which nothing offers.
    const std::set<int> dynamic = {ID_FILE_MRU_FILE2, ID_FILE_MRU_FILE3, ID_FILE_MRU_FILE4, ID_MATERIAL_RENAME};
    for (const CommandInfo& command : Commands()) {
        const bool reachable = menuIds.count(command.id) || toolIds.count(command.id) || command.accelerators[0];
        EXPECT_NE(reachable, dynamic.count(command.id) > 0) << command.name;
    }
    EXPECT_EQ(PromptOf(*FindCommand(ID_EDIT_UNDO)), "直前に行った動作を元に戻す");
    EXPECT_EQ(TooltipOf(*FindCommand(ID_EDIT_UNDO)), "元に戻す");
    EXPECT_EQ(TooltipOf(*FindCommand(ID_SETTINGS_HERMITE)), "");
}

TEST(CommandRegistry, CommandsRunOnlyWhileEnabled)
{
    CCommandRegistry registry;
    int runs = 0;
    bool enabled = false;
    EXPECT_FALSE(registry.State(ID_CONTROL_PLAY).enabled);
    EXPECT_FALSE(registry.Execute(ID_CONTROL_PLAY));
    registry.Add(ID_CONTROL_PLAY, [&] { ++runs; }, [&] { return CommandState{enabled, true}; });
    EXPECT_FALSE(registry.Execute(ID_CONTROL_PLAY));
    enabled = true;
    EXPECT_TRUE(registry.Execute(ID_CONTROL_PLAY));
    EXPECT_TRUE(registry.State(ID_CONTROL_PLAY).checked);
    registry.Add(ID_CONTROL_STOP, [&] { runs += 10; });
    EXPECT_TRUE(registry.Execute(ID_CONTROL_STOP));
    EXPECT_EQ(runs, 11);
    const std::vector<int> missing = registry.CommandsWithoutHandler();
    EXPECT_EQ(missing.size(), Commands().size() - 2);
}
