#include "link/server/location_apply.h"

#include <set>
#include <vector>

#include "link/driver_logs.h"
#include "link/records/location_record.h"

namespace {

CLocationNode NodeFromRecord(const LocationRecord& rec)
{
    CLocationNode node;
    node.id = rec.id;
    node.parentId = rec.parentId;
    node.name = rec.name;
    node.comment = rec.comment;
    node.contact = rec.contact;
    node.telephone = rec.telephone;
    node.mobile = rec.mobile;
    node.email = rec.email;
    node.mapId = rec.mapId;
    return node;
}

bool SameValues(const CLocationNode& a, const CLocationNode& b)
{
    return a.parentId == b.parentId && a.name == b.name && a.comment == b.comment && a.contact == b.contact &&
           a.telephone == b.telephone && a.mobile == b.mobile && a.email == b.email && a.mapId == b.mapId;
}

void TreeChanged(CAppData& app)
{
    app.MarkLocationTreeChanged();
    app.SetUserLocationScope(app.scopeLocationId);
}

} // namespace

void ApplyLocations(CServerApplyContext& context, const EmsMsg& msg)
{
    CAppData& app = context.App();
    const bool wholeTree = msg.requestCode == kReqLocation && IsQueryReply(msg);
    const std::optional<uint32_t> usable = UsableRecordCount(msg, kLocationRecordSize);
    if (!usable || (*usable == 0 && !wholeTree)) {
        return;
    }
    std::set<uint32_t> received;
    // The views rebuild the tree only when it changed: a tree read again as it was leaves them as they are.
    bool changed = false;
    for (uint32_t i = 0; i < *usable; ++i) {
        LocationRecord rec;
        DecodeRecord(EmsRecordAt(msg, i), kLocationRecordSize, &rec);
        const CLocationNode values = NodeFromRecord(rec);
        const CLocationNode* before = app.locations.FindLocation(rec.id);
        changed = changed || before == nullptr || !SameValues(*before, values);
        bool mapChanged = false;
        const LocationResult result = app.locations.UpsertLocation(values, &mapChanged);
        if (result != LocationResult::kOk) {
            WriteDriverLog(DriverLogKind::NetDrv, "dispatcher: location %lu (parent %lu) refused: %d",
                           static_cast<unsigned long>(rec.id), static_cast<unsigned long>(rec.parentId),
                           static_cast<int>(result));
            continue;
        }
        received.insert(rec.id);
        app.mapsChanged = app.mapsChanged || mapChanged;
    }
    if (wholeTree) {
        std::vector<uint32_t> gone;
        for (const CLocationNode* node = CLocationTree::NextInWalk(&app.locations.Root()); node != nullptr;
             node = CLocationTree::NextInWalk(node)) {
            if (received.count(node->id) == 0) {
                gone.push_back(node->id);
            }
        }
        for (uint32_t id : gone) {
            app.locations.RemoveLocation(id);
        }
        changed = changed || !gone.empty();
    }
    if (changed) {
        TreeChanged(app);
    } else {
        app.SetUserLocationScope(app.scopeLocationId);
    }
}

void ApplyLocationRemoval(CServerApplyContext& context, const EmsMsg& msg)
{
    CAppData& app = context.App();
    const uint32_t count = UsableRecordCount(msg, kLocationRecordSize).value_or(0);
    bool removed = false;
    for (uint32_t i = 0; i < count; ++i) {
        LocationRecord rec;
        DecodeRecord(EmsRecordAt(msg, i), kLocationRecordSize, &rec);
        removed = app.locations.RemoveLocation(rec.id) == LocationResult::kOk || removed;
    }
    if (removed) {
        TreeChanged(app);
    }
}
