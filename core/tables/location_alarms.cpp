#include "core/tables/location_alarms.h"

#include "core/entity/entity_id.h"
#include "core/tables/app_data.h"
#include "core/util/severity.h"

#include <unordered_map>

namespace {

using NeAlarmsByLocation = std::unordered_map<uint32_t, AlarmRollUp>;

void Fold(AlarmRollUp& gravest, const AlarmRollUp& values)
{
    if (CompareSeverity(static_cast<int>(values.severity), static_cast<int>(gravest.severity)) > 0) {
        gravest.severity = values.severity;
    }
    if (CompareSecondaryStatus(static_cast<int>(values.secondaryStatus), static_cast<int>(gravest.secondaryStatus)) >
        0) {
        gravest.secondaryStatus = values.secondaryStatus;
    }
}

AlarmRollUp RollUp(CLocationNode& node, const NeAlarmsByLocation& neAlarms)
{
    AlarmRollUp gravest;
    for (CLocationNode* child = node.GetFirstChild(); child != nullptr; child = child->GetNextSibling()) {
        if (child->inScope != 0) {
            Fold(gravest, RollUp(*child, neAlarms));
        }
    }
    if (const auto it = neAlarms.find(node.id); it != neAlarms.end()) {
        Fold(gravest, it->second);
    }
    node.gravestSeverity = gravest.severity;
    node.gravestSecondaryStatus = gravest.secondaryStatus;
    return gravest;
}

} // namespace

CLocationNode& ScopeTopLocation(CLocationTree& locations, uint32_t scopeLocationId)
{
    if (scopeLocationId != 0) {
        if (const CLocationNode* scope = locations.FindLocation(scopeLocationId)) {
            if (CLocationNode* superior = locations.FindLocation(scope->parentId)) {
                return *superior;
            }
        }
    }
    return locations.Root();
}

AlarmRollUp RollUpLocationAlarms(CLocationTree& locations, const CNeTable& nes, CLocationNode& top)
{
    const uint32_t neLevel = EntityIdFromIndex(1, 0, 0, 0, 0);
    NeAlarmsByLocation neAlarms;
    AlarmRollUp atTop;
    for (const CNeRecord* ne = nes.ResolveNeRecord(nullptr); ne != nullptr; ne = ne->GetNext()) {
        if (ne->inScope != 1 || ne->planned != 0) {
            continue;
        }
        const AlarmRollUp values{ne->GetSeverityAt(neLevel), ne->GetSecondaryStatusAt(neLevel)};
        const CLocationNode* node = ne->locationId != 0 ? locations.FindLocation(ne->locationId) : nullptr;
        Fold(node == nullptr || node == &top ? atTop : neAlarms[node->id], values);
    }

    for (CLocationNode* node = &locations.Root(); node != nullptr; node = CLocationTree::NextInWalk(node)) {
        node->gravestSeverity = 0;
        node->gravestSecondaryStatus = 0;
    }
    AlarmRollUp treeWide = atTop;
    for (CLocationNode* node = top.GetFirstChild(); node != nullptr; node = node->GetNextSibling()) {
        if (node->inScope != 0) {
            Fold(treeWide, RollUp(*node, neAlarms));
        }
    }
    if (&top != &locations.Root()) {
        top.gravestSeverity = treeWide.severity;
        top.gravestSecondaryStatus = treeWide.secondaryStatus;
    }
    return treeWide;
}

AlarmRollUp RollUpLocationAlarms()
{
    CAppData& data = AppData();
    return RollUpLocationAlarms(data.locations, data.nes, ScopeTopLocation(data.locations, data.scopeLocationId));
}
