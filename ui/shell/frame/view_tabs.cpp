#include "ui/shell/frame/view_tabs.h"
#include "ui/framework/messages/string_ids.h"

#include <cstddef>

namespace {

const ViewTabDef kRackTab{kViewRack, kStrRack, "Rack"};
const ViewTabDef kGeographicsTab{kViewGeographics, kStrGeographics, "Geographics"};
const ViewTabDef kTrapLogTab{kViewTrapLog, kStrTrapLog, "Trap Log"};

} // namespace

std::vector<ViewTabDef> ViewTabsForKind(int kind, bool directMode)
{
    std::vector<ViewTabDef> tabs;
    switch (kind) {
    case 4:
    case 6:
        tabs.push_back(kRackTab);
        break;
    case 0:
    case 1:
    case 2:
    case 3:
    case 5:
        break;
    default:
        return tabs;
    }
    if (!directMode)
        tabs.push_back(kGeographicsTab);
    tabs.push_back(kTrapLogTab);
    return tabs;
}

int ViewCodeOfTab(const ViewTabTable& table, int tabIndex)
{
    if (tabIndex < 0 || tabIndex > kMaxViewTabs - 2)
        tabIndex = kMaxViewTabs - 1;
    return table[static_cast<size_t>(tabIndex)];
}

int RightViewCodeFor(int code)
{
    switch (code) {
    case kViewAbout:
    case kViewRack:
    case kViewGeographics:
    case kViewTopology:
    case kViewAlarmSummary:
    case kViewTrapLog:
        return code;
    default:
        return kViewAbout;
    }
}
