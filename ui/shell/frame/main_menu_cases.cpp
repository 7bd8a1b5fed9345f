#include "ui/shell/frame/main_menu_cases.h"

#include "core/tables/ne_record.h"

#include <algorithm>
#include <initializer_list>

const std::array<uint16_t, 51> kNeCommandSet = {
    33001, 33021, 33042, 33044, 33070, 33072, 33075, 33076, 33078, 33085, 33088, 33092, 33100,
    33103, 33115, 33117, 33118, 33119, 33120, 33124, 33127, 33147, 33155, 33158, 33159, 33160,
    33161, 33162, 33163, 33165, 33166, 33167, 33170, 33171, 33178, 33179, 33180, 33181, 33182,
    33183, 33184, 33185, 33188, 33189, 33190, 33195, 33196, 33197, 33218, 33219, 33220};

namespace {

std::vector<uint16_t> HiddenIds(bool withNeSet, std::initializer_list<uint16_t> extra)
{
    std::vector<uint16_t> ids(extra);
    if (withNeSet)
        ids.insert(ids.end(), kNeCommandSet.begin(), kNeCommandSet.end());
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

MainMenuChoice Choice(int menuCase, int entityMenuId, std::vector<uint16_t> hidden)
{
    MainMenuChoice choice;
    choice.menuCase = menuCase;
    choice.menuResourceId = kMainMenuResourceIds[static_cast<size_t>(menuCase)];
    choice.entityMenuId = entityMenuId;
    choice.hiddenToolbarIds = std::move(hidden);
    return choice;
}

} // namespace

bool IsNeConnected(const CNeRecord& ne)
{
    return ne.root != nullptr && ne.root->IsConnected();
}

bool IsNeTypeMismatch(const CNeRecord& ne)
{
    return ne.root != nullptr && ne.root->GetPlanState() == kPlanStateMismatch;
}

MainMenuChoice SelectMainMenuCase(bool directMode, const CNeRecord* ne, bool noOfflineMenu)
{
    if (directMode) {
        if (ne != nullptr)
            return Choice(kMainMenuDirectNe, kEntityMenuDirect,
                          HiddenIds(false, {33030, 33035, 33047, 33111, 33001, 33002, 33100}));
        return Choice(kMainMenuDirectNoNe, kEntityMenuDirect,
                      HiddenIds(true, {33002, 33029, 33030, 33031, 33034, 33035, 33047, 33080, 33081, 33111}));
    }
    if (ne == nullptr)
        return Choice(kMainMenuServerNoNe, kEntityMenuServer, HiddenIds(true, {33029, 33031, 33034, 33080, 33081}));
    if (ne->planned == 1)
        return Choice(kMainMenuServerPlannedNe, kEntityMenuPlanned, HiddenIds(true, {33029, 33030, 33035, 33077}));
    const bool online = IsNeConnected(*ne) && ne->root->GetPlanState() == kPlanStateAsPlanned;
    if (online || noOfflineMenu)
        return Choice(kMainMenuServerOnlineNe, kEntityMenuOnline, HiddenIds(false, {33030, 33035}));
    return Choice(kMainMenuServerOtherNe, kEntityMenuServer, HiddenIds(true, {33030, 33031, 33035, 33080, 33081}));
}
