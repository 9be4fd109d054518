// Every command of the table has a handler: nothing on a menu, toolbar or accelerator is dead.
#include "app/logic/CommandRegistry.h"
#include "app/logic/CommandTable.h"

#include <gtest/gtest.h>

TEST(CommandHandlers, EveryCommandHasAHandler)
{
    std::string names;
    for (int id : CCommandRegistry::Instance().CommandsWithoutHandler())
        names += std::string(" ") + FindCommand(id)->name;
    EXPECT_TRUE(names.empty()) << "without handler:" << names;
}
