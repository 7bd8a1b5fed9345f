#include "ui/shell/frame/main_menu_cases.h"

#include "core/tables/ne_record.h"
#include "ui/framework/commands/command_registry.h"

#include <algorithm>

namespace {

MainMenuChoice Choice(int menuCase)
{
    const MainMenuCaseTraits& traits = kMainMenuCases[static_cast<size_t>(menuCase)];
    MainMenuChoice choice;
    choice.menuCase = menuCase;
    choice.menuResourceId = traits.menuResourceId;
    choice.entityMenuId = traits.entityMenuId;
    choice.hiddenToolbarIds = HiddenCommandIds(menuCase);
    return choice;
}

std::vector<uint16_t> SortedUnique(std::vector<uint16_t> ids)
{
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

} // namespace

std::vector<uint16_t> NeCommandSet()
{
    std::vector<uint16_t> ids;
    for (const CommandDeclaration* command : DeclaredCommands()) {
        if (command->inNeSet)
            ids.push_back(static_cast<uint16_t>(command->id));
    }
    return SortedUnique(std::move(ids));
}

std::vector<uint16_t> HiddenCommandIds(int menuCase)
{
    const bool hidesNeSet = !kMainMenuCases[static_cast<size_t>(menuCase)].withConfigurableNe;
    std::vector<uint16_t> ids;
    for (const CommandDeclaration* command : DeclaredCommands()) {
        if ((command->inNeSet && hidesNeSet) || command->IsButtonHiddenIn(static_cast<MainMenuCase>(menuCase)))
            ids.push_back(static_cast<uint16_t>(command->id));
    }
    return SortedUnique(std::move(ids));
}

std::vector<uint16_t> MenuHiddenCommandIds(int menuCase)
{
    const bool hidesNeSet = !kMainMenuCases[static_cast<size_t>(menuCase)].withConfigurableNe;
    std::vector<uint16_t> ids;
    for (const CommandDeclaration* command : DeclaredCommands()) {
        if ((command->inNeSet && hidesNeSet) || command->IsHiddenIn(static_cast<MainMenuCase>(menuCase)))
            ids.push_back(static_cast<uint16_t>(command->id));
    }
    return SortedUnique(std::move(ids));
}

bool IsNeTypeMismatch(const CNeRecord& ne)
{
    return ne.root != nullptr && ne.root->GetPlanState() == kPlanStateMismatch;
}

MainMenuChoice SelectMainMenuCase(bool directMode, const CNeRecord* ne, bool noOfflineMenu)
{
    if (directMode)
        return Choice(ne != nullptr ? kMainMenuDirectNe : kMainMenuDirectNoNe);
    if (ne == nullptr)
        return Choice(kMainMenuServerNoNe);
    if (ne->planned == 1)
        return Choice(kMainMenuServerPlannedNe);
    const bool online = IsNeConnected(*ne) && ne->root->GetPlanState() == kPlanStateAsPlanned;
    if (online || noOfflineMenu)
        return Choice(kMainMenuServerOnlineNe);
    return Choice(kMainMenuServerOtherNe);
}
