// The program as it is put together: each dialog class a command opens is declared by an area, by its type once it is
// built (and then registered) or as not built yet, so that no menu entry opens a dialog that does not exist and none
// says "not available yet" for one that does.

#include "app/program_parts.h"
#include "ui/framework/commands/command_registry.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/shell/routing/command_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

namespace {

// Each declared class with the forms it was declared in: built (by type) or not.
std::map<std::string, std::set<bool>> DeclaredClasses()
{
    std::map<std::string, std::set<bool>> classes;
    for (const AreaCommands& area : DeclaredAreas()) {
        for (const CommandDeclaration& command : area.commands) {
            if (command.dialogClass)
                classes[command.dialogClass->name].insert(command.dialogClass->IsBuilt());
        }
        for (const DialogClassDeclaration& dialogClass : area.routerDialogs)
            classes[dialogClass.name].insert(dialogClass.IsBuilt());
    }
    return classes;
}

TEST(DialogRoutesTest, EveryRoutedClassIsRegisteredOrDeclaredNotBuilt)
{
    RegisterProgramParts();
    const std::vector<std::string> routed = RoutedDialogClasses();
    const std::map<std::string, std::set<bool>> declared = DeclaredClasses();
    for (const std::string& name : routed) {
        const auto it = declared.find(name);
        if (it == declared.end()) {
            ADD_FAILURE() << name << " is routed but no area declares it";
        } else if (it->second.size() > 1) {
            ADD_FAILURE() << name << " is declared by its type and as not built: declare it by its type everywhere";
        } else if (*it->second.begin()) {
            EXPECT_TRUE(HasRouteDialog(name)) << name << " is declared by its type but not registered";
        } else {
            EXPECT_FALSE(HasRouteDialog(name)) << name << " is registered: declare it by its type";
        }
    }
    for (const std::string& name : RegisteredRouteDialogs())
        EXPECT_TRUE(std::binary_search(routed.begin(), routed.end(), name))
            << name << " is registered but no route opens it";
    for (const auto& [name, forms] : declared)
        EXPECT_TRUE(std::binary_search(routed.begin(), routed.end(), name))
            << name << " is declared but no route opens it";
}

} // namespace
