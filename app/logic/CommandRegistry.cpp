#include "app/logic/CommandRegistry.h"

#include "app/logic/CommandTable.h"

CCommandRegistry& CCommandRegistry::Instance()
{
    static CCommandRegistry registry;
    return registry;
}

void CCommandRegistry::Add(int id, CommandHandler handler, UpdateRule rule)
{
    m_entries[id] = CommandEntry{std::move(handler), std::move(rule)};
}

CommandEntry CCommandRegistry::Find(int id) const
{
    const auto it = m_entries.find(id);
    return it == m_entries.end() ? CommandEntry{} : it->second;
}

bool CCommandRegistry::HasHandler(int id) const
{
    const auto it = m_entries.find(id);
    return it != m_entries.end() && it->second.handler;
}

CommandState CCommandRegistry::State(int id) const
{
    const auto it = m_entries.find(id);
    if (it == m_entries.end() || !it->second.handler)
        return {false, false};
    return it->second.rule ? it->second.rule() : CommandState{};
}

bool CCommandRegistry::Execute(int id) const
{
    if (!State(id).enabled)
        return false;
    // The handler may register or replace commands; run a copy.
    const CommandHandler handler = m_entries.at(id).handler;
    handler();
    return true;
}

std::vector<int> CCommandRegistry::CommandsWithoutHandler() const
{
    std::vector<int> missing;
    for (const CommandInfo& command : Commands())
        if (!HasHandler(command.id))
            missing.push_back(command.id);
    return missing;
}
