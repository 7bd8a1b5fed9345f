// Writes main_menus.menu from the commands the program declares, and hands make_context_menus.py the command sets the
// entity popups are made with; so that the menu files follow the declarations, as the generated tests check.
//
//     tarvik_make_menus <folder>          writes <folder>/main_menus.menu
//     tarvik_make_menus --command-sets    prints the sets, one a line: a name, then the command ids

#include "app/program_parts.h"
#include "tools/generators/main_menu_writer.h"
#include "ui/framework/commands/command_registry.h"
#include "ui/shell/frame/main_menu_cases.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

void PrintSet(const char* name, const std::vector<uint16_t>& ids)
{
    std::printf("%s", name);
    for (uint16_t id : ids)
        std::printf(" %u", static_cast<unsigned>(id));
    std::printf("\n");
}

std::vector<uint16_t> ServerOnlyCommands()
{
    std::vector<uint16_t> ids;
    for (const CommandDeclaration* command : DeclaredCommands()) {
        if (command->modes == LinkModes::Server)
            ids.push_back(static_cast<uint16_t>(command->id));
    }
    return ids;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder> | --command-sets\n", argv[0]);
        return 2;
    }
    DeclareProgramCommands();
    const std::string argument = argv[1];
    if (argument == "--command-sets") {
        PrintSet("ne_set", NeCommandSet());
        PrintSet("hidden_planned_ne", HiddenCommandIds(kMainMenuServerPlannedNe));
        PrintSet("server_only", ServerOnlyCommands());
        return 0;
    }
    std::filesystem::create_directories(argument);
    const std::filesystem::path path = std::filesystem::path(argument) / "main_menus.menu";
    std::ofstream file(path, std::ios::binary);
    file << WriteMainMenus();
    if (!file) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}
