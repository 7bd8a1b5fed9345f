#include "ui/framework/commands/command_builder.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <utility>

std::string DialogClassName(const std::type_info& type)
{
    int status = 0;
    const std::unique_ptr<char, decltype(&std::free)> name(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                           &std::free);
    return status == 0 && name ? std::string(name.get()) : std::string(type.name());
}

DialogClassDeclaration NotBuilt(std::string className)
{
    return {std::move(className), {}};
}

Command::Command(int id)
{
    declaration_.id = id;
}

Command& Command::Menu(std::string popupPath, std::string text, int order)
{
    declaration_.placements.push_back({std::move(popupPath), std::move(text), order, LinkModes::Both});
    entryHasModes_.push_back(false);
    return *this;
}

Command& Command::Menu(std::string popupPath, std::string text, int order, LinkModes modes)
{
    declaration_.placements.push_back({std::move(popupPath), std::move(text), order, modes});
    entryHasModes_.push_back(true);
    return *this;
}

Command& Command::Menu(std::string popupPath, std::string text, int order, std::initializer_list<MainMenuCase> cases)
{
    MenuPlacement placement{std::move(popupPath), std::move(text), order, LinkModes::Both};
    uint8_t modes = 0;
    for (MainMenuCase menuCase : cases) {
        placement.cases |= static_cast<uint8_t>(1U << static_cast<unsigned>(menuCase));
        const bool direct = menuCase == MainMenuCase::DirectNe || menuCase == MainMenuCase::DirectNoNe;
        modes |= static_cast<uint8_t>(direct ? LinkModes::Direct : LinkModes::Server);
    }
    placement.modes = static_cast<LinkModes>(modes);
    declaration_.placements.push_back(std::move(placement));
    entryHasModes_.push_back(true);
    return *this;
}

Command& Command::Server()
{
    declaration_.modes = LinkModes::Server;
    return *this;
}

Command& Command::NeAny()
{
    declaration_.need = NeNeed::Any;
    return *this;
}

Command& Command::NeOnline()
{
    declaration_.need = NeNeed::Online;
    return *this;
}

Command& Command::InNeSet()
{
    declaration_.inNeSet = true;
    declaration_.need = NeNeed::Online;
    return *this;
}

Command& Command::HideIn(std::initializer_list<MainMenuCase> cases)
{
    for (MainMenuCase menuCase : cases)
        declaration_.hiddenCases |= static_cast<uint8_t>(1U << static_cast<unsigned>(menuCase));
    return *this;
}

Command& Command::HideButtonIn(std::initializer_list<MainMenuCase> cases)
{
    for (MainMenuCase menuCase : cases)
        declaration_.buttonHiddenCases |= static_cast<uint8_t>(1U << static_cast<unsigned>(menuCase));
    return *this;
}

Command& Command::Right(int function, char letter)
{
    Route().right = {function, letter};
    return *this;
}

Command& Command::Dialog(DialogClassDeclaration dialogClass, uint8_t targetForm)
{
    return Opens(RouteKind::Dialog, std::move(dialogClass), targetForm);
}

Command& Command::Port(DialogClassDeclaration portDialog, int selectionMode)
{
    Route().portSelMode = selectionMode;
    return Opens(RouteKind::Port, std::move(portDialog), kTargetNeEntity);
}

Command& Command::Slot(DialogClassDeclaration filterDialog)
{
    return Opens(RouteKind::Slot, std::move(filterDialog), kTargetNone);
}

Command& Command::ByMode(DialogClassDeclaration directModeDialog, uint8_t targetForm)
{
    return Opens(RouteKind::Mode, std::move(directModeDialog), targetForm);
}

Command& Command::Check(DialogClassDeclaration dialogClass, uint8_t targetForm)
{
    return Opens(RouteKind::Check, std::move(dialogClass), targetForm);
}

Command& Command::Check(std::string handler, uint8_t targetForm)
{
    return Handles(RouteKind::Check, std::move(handler), targetForm);
}

Command& Command::Request(std::string handler)
{
    return Handles(RouteKind::Request, std::move(handler), kTargetNone);
}

Command& Command::Toggle(std::string handler)
{
    return Handles(RouteKind::Toggle, std::move(handler), kTargetNone);
}

Command& Command::Window(std::string handler)
{
    return Handles(RouteKind::Window, std::move(handler), kTargetNone);
}

Command& Command::Stop(std::string handler)
{
    return Handles(RouteKind::Stop, std::move(handler), kTargetNone);
}

Command& Command::Outside(std::string handler)
{
    return Handles(RouteKind::Outside, std::move(handler), kTargetNone);
}

Command& Command::Ignored()
{
    return Handles(RouteKind::None, {}, kTargetNone);
}

Command& Command::Location()
{
    Route().location = true;
    return *this;
}

Command& Command::Member()
{
    Route().member = true;
    return *this;
}

Command& Command::Access(uint8_t accessMode)
{
    Route().accessMode = accessMode;
    return *this;
}

Command& Command::TemplateMode(int mode)
{
    Route().templateMode = mode;
    return *this;
}

Command& Command::ProfileGroup(int group)
{
    Route().profileGroup = group;
    return *this;
}

CommandDeclaration Command::Declaration() const
{
    CommandDeclaration declaration = declaration_;
    for (size_t i = 0; i < declaration.placements.size(); ++i) {
        if (!entryHasModes_[i])
            declaration.placements[i].modes = declaration.modes;
    }
    return declaration;
}

Command& Command::Opens(RouteKind kind, DialogClassDeclaration dialogClass, uint8_t targetForm)
{
    Handles(kind, dialogClass.name, targetForm);
    declaration_.dialogClass = std::move(dialogClass);
    return *this;
}

Command& Command::Handles(RouteKind kind, std::string handler, uint8_t targetForm)
{
    CommandRoute& route = Route();
    route.kind = kind;
    route.target = std::move(handler);
    route.targetForm = targetForm;
    return *this;
}

CommandRoute& Command::Route()
{
    if (!declaration_.route) {
        declaration_.route.emplace();
        declaration_.route->id = declaration_.id;
    }
    return *declaration_.route;
}
