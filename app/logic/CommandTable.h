// Every command of the program as data: its menu text, accelerators, status-bar prompt and
// tooltip, and the layout of the menu bar, the pop-up menus and the two toolbars. Menus,
// toolbars and the accelerator table are built from these tables; handlers and update rules
// are registered separately, by id (CCommandRegistry).
#pragma once

#include <span>
#include <string>

enum class CommandKind { Normal, Check };

struct CommandInfo {
    int id;
    const char* name;             // the identifier's name, "ID_FILE_NEW"
    const char* menuText;         // the menu item as shown, "新規作成\tCtrl+N(&N)"; null: none
    const char* accelerators[2];  // "Ctrl+N", "Alt+Backspace"; null when unused
    const char* prompt;           // "status-bar prompt\ntooltip" (tooltip optional); null: none
    CommandKind kind;
};

// One line of a menu: an item, a separator, or the start or end of a sub-menu.
struct MenuLine {
    enum Kind { Item, Separator, SubmenuBegin, SubmenuEnd } kind;
    int id;             // Item
    const char* title;  // SubmenuBegin
};

struct MenuDef {
    const char* title;
    std::span<const MenuLine> lines;
};

// One toolbar button; id 0 is a separator.
struct ToolDef {
    int id;
    const char* label;
};

enum class PopupMenuId { Material, Animation };

std::span<const CommandInfo> Commands();
// The command's row, or null for an id that is no command.
const CommandInfo* FindCommand(int id);

std::span<const MenuDef> MenuBarLayout();
const MenuDef& PopupMenuLayout(PopupMenuId which);
std::span<const ToolDef> MainToolBarLayout();
std::span<const ToolDef> ControlToolBarLayout();

// A menu text split for a toolkit menu: the label with its mnemonic ("新規作成(&N)") and the
// accelerator shown beside it ("Ctrl+N", empty when none). The tables keep the text as the
// menus show it, where the mnemonic may follow the accelerator ("開く...\tCtrl+O(&O)").
struct MenuTextParts {
    std::string label;
    std::string accelerator;
};
MenuTextParts SplitMenuText(const char* menuText);

// The status-bar prompt (before the line break) and the tooltip (after it; empty when the
// text has none) of a command's prompt text. Both empty for a null prompt.
std::string PromptOf(const CommandInfo& command);
std::string TooltipOf(const CommandInfo& command);

// An accelerator key as the tables write it: modifiers "Ctrl+", "Alt+", "Shift+" and one key
// (a letter, a digit, F1 to F12, Backspace, Insert or Delete).
struct Accelerator {
    bool ctrl = false;
    bool alt = false;
    bool shift = false;
    std::string key;  // "N", "F4", "Backspace"

    bool operator==(const Accelerator&) const = default;
};
// False for text that is no accelerator of that form.
bool ParseAccelerator(const char* text, Accelerator& out);

// The toolkit takes window and menu ids only below 0x7FFF: a command's window id is its
// command id less this offset (menus, toolbars, accelerators and command events use window
// ids; the tables and the registry use command ids).
inline constexpr int kWindowIdOffset = 30000;
constexpr int WindowIdOf(int commandId) { return commandId - kWindowIdOffset; }
constexpr int CommandIdOf(int windowId) { return windowId + kWindowIdOffset; }
