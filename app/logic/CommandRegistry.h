// Handlers and update rules of the commands, registered by id. Each area of the program (the
// application, the document's file commands, the frame, the panes...) registers its own in
// its own source file through a CCommandArea; the window code only looks them up here.
//
//     void RegisterMyCommands(CCommandRegistry& registry)
//     {
//         registry.Add(ID_EDIT_UNDO, [] { DoUndo(); }, [] { return EnabledIf(CanUndo(g_scene)); });
//     }
//     const CCommandArea myArea(RegisterMyCommands);
#pragma once

#include <functional>
#include <map>
#include <vector>

// What an update rule decides: greyed or not, check mark or not.
struct CommandState {
    bool enabled = true;
    bool checked = false;
};

inline CommandState EnabledIf(bool enabled) { return {enabled, false}; }
inline CommandState CheckedIf(bool checked) { return {true, checked}; }

using CommandHandler = std::function<void()>;
using UpdateRule = std::function<CommandState()>;

struct CommandEntry {
    CommandHandler handler;
    UpdateRule rule;
};

class CCommandRegistry {
public:
    // The one registry of the program.
    static CCommandRegistry& Instance();

    // Registers the handler and the rule of a command (no rule: always enabled, no check
    // mark). A second registration of the same id replaces the first.
    void Add(int id, CommandHandler handler, UpdateRule rule = {});
    // What is registered for the id (empty when nothing is); Add(id, entry) puts it back.
    CommandEntry Find(int id) const;
    void Add(int id, CommandEntry entry) { Add(id, std::move(entry.handler), std::move(entry.rule)); }

    bool HasHandler(int id) const;
    // Disabled for a command without handler, else what its rule says.
    CommandState State(int id) const;
    // Runs the handler when the command is enabled; false when it did not run. A command's
    // accelerator thus does nothing while its menu item is greyed.
    bool Execute(int id) const;

    // The ids of the commands in the command table that have no handler yet.
    std::vector<int> CommandsWithoutHandler() const;

private:
    std::map<int, CommandEntry> m_entries;
};

// Registers an area's commands when the program starts (a namespace-scope object in the
// area's source file).
class CCommandArea {
public:
    explicit CCommandArea(void (*registerCommands)(CCommandRegistry&))
    {
        registerCommands(CCommandRegistry::Instance());
    }
};
