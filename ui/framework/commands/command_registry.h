#pragma once
// The main window's commands as the areas declare them, collected at start-up: the program's composition root has
// each area declare its commands once (app/program_parts.cpp), and the route table, the frame's NE set and menu cases
// and the menu files are made from what is collected here.
//
//     void DeclareFaultCommands()
//     {
//         DeclareCommands("fault", {Command(33041).Menu(...).Dialog<CAlarmTriggerListDlg>(kTargetNeEntity), ...},
//                         {NotBuilt("CAlarmCriteriaDlg")}); // a class the router opens by its own choice
//     }
//
// The classes of the declarations given by type are registered with the dialog registry, each once.

#include "ui/framework/commands/command_builder.h"
#include "ui/framework/commands/command_declaration.h"

#include <string>
#include <vector>

struct AreaCommands {
    std::string area;
    std::vector<CommandDeclaration> commands;
    // The classes the router opens by its own choice (not named by a route), that this area owns.
    std::vector<DialogClassDeclaration> routerDialogs;
};

// Replaces what the area declared before, its dialog classes included.
void DeclareCommands(const std::string& area, const std::vector<Command>& commands,
                     std::vector<DialogClassDeclaration> routerDialogs = {});

// Every area's declarations, in the order the areas were first declared.
const std::vector<AreaCommands>& DeclaredAreas();

// The declaration of a command id, null when no area declares it.
const CommandDeclaration* FindDeclaredCommand(int commandId);

// Every declaration of every area.
std::vector<const CommandDeclaration*> DeclaredCommands();
