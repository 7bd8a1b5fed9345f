#include "ui/framework/commands/command_registry.h"

#include <algorithm>
#include <map>
#include <utility>

namespace {

std::vector<AreaCommands>& Areas()
{
    static std::vector<AreaCommands> areas;
    return areas;
}

// The typed classes of an area's declarations, each once.
std::map<std::string, RouteDialogOpener> BuiltClasses(const AreaCommands& area)
{
    std::map<std::string, RouteDialogOpener> classes;
    for (const CommandDeclaration& command : area.commands) {
        if (command.dialogClass && command.dialogClass->IsBuilt())
            classes.emplace(command.dialogClass->name, command.dialogClass->opener);
    }
    for (const DialogClassDeclaration& dialogClass : area.routerDialogs) {
        if (dialogClass.IsBuilt())
            classes.emplace(dialogClass.name, dialogClass.opener);
    }
    return classes;
}

} // namespace

void DeclareCommands(const std::string& area, const std::vector<Command>& commands,
                     std::vector<DialogClassDeclaration> routerDialogs)
{
    AreaCommands declared{area, {}, std::move(routerDialogs)};
    for (const Command& command : commands)
        declared.commands.push_back(command.Declaration());

    std::vector<AreaCommands>& areas = Areas();
    auto it = std::find_if(areas.begin(), areas.end(), [&](const AreaCommands& known) { return known.area == area; });
    if (it == areas.end()) {
        it = areas.insert(areas.end(), AreaCommands{area, {}, {}});
    } else {
        for (const auto& [name, opener] : BuiltClasses(*it))
            RegisterRouteDialog(name, {});
    }
    *it = std::move(declared);
    for (auto& [name, opener] : BuiltClasses(*it))
        RegisterRouteDialog(name, std::move(opener));
}

const std::vector<AreaCommands>& DeclaredAreas()
{
    return Areas();
}

const CommandDeclaration* FindDeclaredCommand(int commandId)
{
    for (const AreaCommands& area : Areas()) {
        for (const CommandDeclaration& command : area.commands) {
            if (command.id == commandId)
                return &command;
        }
    }
    return nullptr;
}

std::vector<const CommandDeclaration*> DeclaredCommands()
{
    std::vector<const CommandDeclaration*> commands;
    for (const AreaCommands& area : Areas()) {
        for (const CommandDeclaration& command : area.commands)
            commands.push_back(&command);
    }
    return commands;
}
