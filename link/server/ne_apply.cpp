#include "link/server/ne_apply.h"

#include <set>
#include <vector>

#include "core/tables/entity_node.h"
#include "link/driver_logs.h"
#include "link/records/ne_key_record.h"

namespace {

uint32_t NeIdOf(const NeKeyRecord& rec, const EmsMsg& msg)
{
    return rec.neId != 0 ? rec.neId : msg.neId;
}

void MarkNewOrMoved(CNeRecord& ne, const NeKeyRecord& rec)
{
    ne.longitude = rec.longitude;
    ne.latitude = rec.latitude;
    ne.storedLongitude = rec.longitude;
    ne.storedLatitude = rec.latitude;
    if (ne.savePending == 0) {
        ne.workLongitude = rec.longitude;
        ne.workLatitude = rec.latitude;
    }
    ne.newOrMoved = 1;
    if (ne.root != nullptr) {
        ne.root->componentFlags |= kComponentNewOrMoved;
    }
}

// The fields that are no keys of the table. True when one of them changed.
bool CopyValues(CNeRecord& ne, const NeKeyRecord& rec)
{
    CNeRecord before;
    before.planned = ne.planned;
    before.loginUser = ne.loginUser;
    before.loginPassword = ne.loginPassword;
    before.locationId = ne.locationId;
    before.secondAddress = ne.secondAddress;
    before.thirdAddress = ne.thirdAddress;
    before.community = ne.community;
    before.snmpVersion = ne.snmpVersion;
    before.autoSync = ne.autoSync;

    ne.SetPlanned(rec.plannedFlag);
    ne.SetLoginUser(rec.ftpUser);
    ne.SetLoginPassword(rec.ftpPassword);
    ne.locationId = rec.locationId;
    ne.secondAddress = rec.secondIp;
    ne.thirdAddress = rec.thirdIp;
    ne.community = rec.snmpCommunity.substr(0, CNeRecord::kCommunityMax);
    ne.snmpVersion = rec.snmpVersion;
    ne.autoSync = rec.autoSync;
    return before.planned != ne.planned || before.loginUser != ne.loginUser ||
           before.loginPassword != ne.loginPassword || before.locationId != ne.locationId ||
           before.secondAddress != ne.secondAddress || before.thirdAddress != ne.thirdAddress ||
           before.community != ne.community || before.snmpVersion != ne.snmpVersion || before.autoSync != ne.autoSync;
}

// The server's record wins: another NE that still holds the name or address is out of date and goes.
void DropHolderOfKey(CAppData& app, uint32_t neId, const NeKeyRecord& rec)
{
    const CNeRecord* byName = app.nes.FindNeByName(rec.neName.substr(0, CNeRecord::kNameMax));
    if (byName != nullptr && byName->neId != neId) {
        WriteDriverLog(DriverLogKind::NetDrv, "dispatcher: NE %lu drops out of date NE %lu of the same name",
                       static_cast<unsigned long>(neId), static_cast<unsigned long>(byName->neId));
        app.nes.RemoveNe(byName->neId);
    }
    const CNeRecord* byAddress = app.nes.FindNeByAddress(rec.ipAddress, rec.port);
    if (byAddress != nullptr && byAddress->neId != neId) {
        WriteDriverLog(DriverLogKind::NetDrv, "dispatcher: NE %lu drops out of date NE %lu of the same address",
                       static_cast<unsigned long>(neId), static_cast<unsigned long>(byAddress->neId));
        app.nes.RemoveNe(byAddress->neId);
    }
}

void AddNewNe(CServerApplyContext& context, uint32_t neId, const NeKeyRecord& rec)
{
    CAppData& app = context.App();
    CNeRecord values;
    values.neId = neId;
    values.name = rec.neName;
    values.address = rec.ipAddress;
    values.port = rec.port;
    values.neModelId = rec.modelId;
    CopyValues(values, rec);
    DropHolderOfKey(app, neId, rec);
    CNeRecord* added = nullptr;
    const NeResult result = app.nes.AddNe(values, &added);
    if (result != NeResult::kOk || added == nullptr) {
        WriteDriverLog(DriverLogKind::NetDrv, "dispatcher: NE %lu not added: %d", static_cast<unsigned long>(neId),
                       static_cast<int>(result));
        return;
    }
    MarkNewOrMoved(*added, rec);
    added->changeCounter = 1;
    context.TouchNe(neId);
}

// True when the NE changed.
bool UpdateNe(CServerApplyContext& context, CNeRecord& ne, const NeKeyRecord& rec)
{
    CAppData& app = context.App();
    bool changed = CopyValues(ne, rec);
    const std::string name = rec.neName.substr(0, CNeRecord::kNameMax);
    if (name != ne.name) {
        DropHolderOfKey(app, ne.neId, rec);
        if (app.nes.RenameNe(ne.neId, name) == NeResult::kOk) {
            app.neNamesChanged = true;
            changed = true;
        }
    }
    if (rec.ipAddress != ne.address || rec.port != ne.port) {
        DropHolderOfKey(app, ne.neId, rec);
        if (app.nes.SetNeAddress(ne.neId, rec.ipAddress, rec.port) == NeResult::kOk) {
            app.neAddressesChanged = true;
            changed = true;
        }
    }
    if (rec.modelId != ne.neModelId) {
        ne.neModelId = rec.modelId;
        ne.BuildEntityTree();
        context.TouchNe(ne.neId);
        changed = true;
    }
    if (rec.longitude != ne.storedLongitude || rec.latitude != ne.storedLatitude) {
        MarkNewOrMoved(ne, rec);
        changed = true;
    }
    if (changed) {
        ++ne.changeCounter;
    }
    return changed;
}

} // namespace

void ApplyNeRecords(CServerApplyContext& context, const EmsMsg& msg)
{
    CAppData& app = context.App();
    const bool wholeTable =
        IsQueryReply(msg) && (msg.requestCode == kReqNeKeyAll || (msg.requestCode == kReqNeKey && msg.neId == 0));
    const std::optional<uint32_t> usable = UsableRecordCount(msg, kNeKeyRecordSize);
    if (!usable || (*usable == 0 && !wholeTable)) {
        return;
    }
    std::set<uint32_t> received;
    // The views rebuild what shows the NEs only when the table changed: a table read again as it was (a re-read after
    // lost notifications) leaves them as they are.
    bool listChanged = false;
    for (uint32_t i = 0; i < *usable; ++i) {
        NeKeyRecord rec;
        DecodeRecord(EmsRecordAt(msg, i), kNeKeyRecordSize, &rec);
        const uint32_t neId = NeIdOf(rec, msg);
        if (neId == 0) {
            WriteDriverLog(DriverLogKind::NetDrv, "dispatcher: NE record without an NE id ignored");
            continue;
        }
        received.insert(neId);
        if (CNeRecord* ne = app.nes.FindNeById(neId); ne != nullptr) {
            listChanged = UpdateNe(context, *ne, rec) || listChanged;
        } else {
            AddNewNe(context, neId, rec);
            listChanged = true;
        }
    }
    if (wholeTable) {
        std::vector<uint32_t> gone;
        for (const CNeRecord* ne = app.nes.ResolveNeRecord(nullptr); ne != nullptr; ne = ne->GetNext()) {
            if (received.count(ne->neId) == 0) {
                gone.push_back(ne->neId);
            }
        }
        for (uint32_t id : gone) {
            app.nes.RemoveNe(id);
        }
        listChanged = listChanged || !gone.empty();
    }
    if (listChanged) {
        app.MarkNeListChanged();
    }
    app.SetUserLocationScope(app.scopeLocationId);
}

NeKeyRecord NeKeyRecordOf(const CNeRecord& ne)
{
    NeKeyRecord rec;
    rec.neId = ne.neId;
    rec.plannedFlag = ne.planned;
    rec.neName = ne.name;
    rec.ftpUser = ne.loginUser;
    rec.ftpPassword = ne.loginPassword;
    rec.locationId = ne.locationId;
    rec.modelId = ne.neModelId;
    rec.ipAddress = ne.address;
    rec.port = ne.port;
    rec.secondIp = ne.secondAddress;
    rec.thirdIp = ne.thirdAddress;
    rec.snmpCommunity = ne.community;
    rec.snmpVersion = ne.snmpVersion;
    rec.longitude = ne.workLongitude;
    rec.latitude = ne.workLatitude;
    rec.autoSync = ne.autoSync;
    return rec;
}

void ApplyNeRemoval(CServerApplyContext& context, const EmsMsg& msg)
{
    CAppData& app = context.App();
    const uint32_t count = UsableRecordCount(msg, kNeKeyRecordSize).value_or(0);
    bool removed = false;
    for (uint32_t i = 0; i < count; ++i) {
        NeKeyRecord rec;
        DecodeRecord(EmsRecordAt(msg, i), kNeKeyRecordSize, &rec);
        removed = app.nes.RemoveNe(NeIdOf(rec, msg)) == NeResult::kOk || removed;
    }
    if (removed) {
        app.MarkNeListChanged();
    }
}
