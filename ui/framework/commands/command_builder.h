#pragma once
// Writes a command's declaration in one expression, as an area lists its commands:
//
//     Command(33041)
//         .Menu("Diagnosis/NE Alarm", "Alarm &Notification...", 60)
//         .Server()
//         .NeOnline()
//         .Dialog<CAlarmTriggerListDlg>(kTargetNeEntity),
//     Command(33029)
//         .Menu("Diagnosis/NE Alarm", "&Active Alarm...", 10)
//         .NeAny()
//         .Dialog(NotBuilt("CActiveAlarmDlg"), kTargetNeEntity),
//
// A class given by its type is registered with the command routing (its opener builds it, applies the request and
// runs it); a class not built yet is named with NotBuilt and says "not available yet" until its type replaces the
// name. A route's class is the one opened directly; the classes the router chooses by itself (the port and slot
// selections, the server mode's class of a mode route, the dialogs after a check) are declared beside the commands
// (command_registry.h).

#include "ui/framework/commands/command_declaration.h"
#include "ui/framework/dialogs/dialog_registry.h"

#include <initializer_list>
#include <string>
#include <typeinfo>
#include <vector>

// The name of a class as the routes know it: its C++ name.
std::string DialogClassName(const std::type_info& type);

template <class DialogClass> DialogClassDeclaration BuiltDialog()
{
    return {DialogClassName(typeid(DialogClass)), DialogClassOpener<DialogClass>()};
}

// A class still to be built, by its name.
DialogClassDeclaration NotBuilt(std::string className);

class Command {
public:
    explicit Command(int id);

    // An entry in the main menus, in the command's link modes or in its own.
    Command& Menu(std::string popupPath, std::string text, int order);
    Command& Menu(std::string popupPath, std::string text, int order, LinkModes modes);
    // An entry that only the named menu cases show: the variant of a command the menus name differently.
    Command& Menu(std::string popupPath, std::string text, int order, std::initializer_list<MainMenuCase> cases);

    // Only the server offers it (its menu entries, its entity popups).
    Command& Server();
    Command& NeAny();
    Command& NeOnline();
    // One of the NE set (needs an NE that can be configured, and hides its toolbar button without one).
    Command& InNeSet();
    // Menu cases that hide its toolbar button and leave it out of their menu besides the NE set's.
    Command& HideIn(std::initializer_list<MainMenuCase> cases);
    // Menu cases that hide its toolbar button while their menu keeps the entry.
    Command& HideButtonIn(std::initializer_list<MainMenuCase> cases);
    // The right the router checks before the command does anything.
    Command& Right(int function, char letter);

    // The route, one of these.
    Command& Dialog(DialogClassDeclaration dialogClass, uint8_t targetForm = kTargetNone);
    Command& Port(DialogClassDeclaration portDialog, int selectionMode);
    Command& Slot(DialogClassDeclaration filterDialog);
    Command& ByMode(DialogClassDeclaration directModeDialog, uint8_t targetForm);
    Command& Check(DialogClassDeclaration dialogClass, uint8_t targetForm);
    Command& Check(std::string handler, uint8_t targetForm);
    Command& Request(std::string handler);
    Command& Toggle(std::string handler);
    Command& Window(std::string handler);
    Command& Stop(std::string handler);
    Command& Outside(std::string handler);
    Command& Ignored(); // handled, does nothing

    template <class DialogClass> Command& Dialog(uint8_t targetForm = kTargetNone)
    {
        return Dialog(BuiltDialog<DialogClass>(), targetForm);
    }
    template <class DialogClass> Command& Port(int selectionMode)
    {
        return Port(BuiltDialog<DialogClass>(), selectionMode);
    }
    template <class DialogClass> Command& Slot() { return Slot(BuiltDialog<DialogClass>()); }
    template <class DialogClass> Command& ByMode(uint8_t targetForm)
    {
        return ByMode(BuiltDialog<DialogClass>(), targetForm);
    }
    template <class DialogClass> Command& Check(uint8_t targetForm)
    {
        return Check(BuiltDialog<DialogClass>(), targetForm);
    }

    // What the route's dialog is handed besides its target.
    Command& Location();
    Command& Member();
    Command& Access(uint8_t accessMode);
    Command& TemplateMode(int mode);
    Command& ProfileGroup(int group);

    // The declaration, the menu entries without modes of their own taking the command's.
    CommandDeclaration Declaration() const;

private:
    Command& Opens(RouteKind kind, DialogClassDeclaration dialogClass, uint8_t targetForm);
    Command& Handles(RouteKind kind, std::string handler, uint8_t targetForm);
    CommandRoute& Route();

    CommandDeclaration declaration_;
    std::vector<bool> entryHasModes_;
};
