#include "core/tables/app_data.h"

CAppData& AppData()
{
    static CAppData data;
    return data;
}

void SetUserLocationScope(uint32_t locationId)
{
    AppData().SetUserLocationScope(locationId);
}

void CAppData::SetLoginUserName(std::string_view text)
{
    loginUserName_ = std::string(text.substr(0, kLoginNameMax));
}

void CAppData::SetLoginPassword(std::string_view text)
{
    loginPassword_ = std::string(text.substr(0, kLoginPasswordMax));
}

uint32_t CAppData::GetAlarmSeverityCount(int severity) const
{
    if (severity < 1 || severity > 5) {
        return 0;
    }
    return severityCounts_[static_cast<size_t>(severity - 1)];
}

void CAppData::SetAlarmSeverityCount(int severity, uint32_t count)
{
    if (severity >= 1 && severity <= 5) {
        severityCounts_[static_cast<size_t>(severity - 1)] = count;
    }
}

void CAppData::SetUserLocationScope(uint32_t locationId)
{
    scopeLocationId = locationId;
    auto inScope = [this](uint32_t id) -> uint32_t {
        if (scopeLocationId == 0 || id == scopeLocationId) {
            return 1;
        }
        const CLocationNode* node = locations.FindLocation(id);
        return node != nullptr && node->HasAncestor(scopeLocationId) ? 1 : 0;
    };
    for (CLocationNode* node = &locations.Root(); node != nullptr; node = CLocationTree::NextInWalk(node)) {
        node->inScope = inScope(node->id);
    }
    for (CNeRecord* ne = nes.ResolveNeRecord(nullptr); ne != nullptr; ne = ne->GetNext()) {
        const uint32_t scoped = inScope(ne->locationId);
        if (scoped != ne->inScope) {
            ne->inScope = scoped;
            ++ne->changeCounter;
        }
    }
    for (CUserAccount* account = accounts.First(); account != nullptr; account = account->GetNext()) {
        account->inScope = inScope(account->locationId);
    }
}

void CAppData::MarkLocationTreeChanged()
{
    locationTreeChanged = true;
    ++treeChanges_;
}

void CAppData::MarkNeListChanged()
{
    neListChanged = true;
    ++treeChanges_;
}

void CAppData::Reset()
{
    nes.ClearNeTable();
    locations.Clear();
    locations.Root().name = std::string(CLocationTree::kRootName);
    locations.Root().inScope = 1;
    accounts.Clear();
    role = kRoleNone;
    scopeLocationId = 0;
    neListChanged = false;
    neNamesChanged = false;
    neAddressesChanged = false;
    locationTreeChanged = false;
    mapsChanged = false;
    loginUserName_.clear();
    loginPassword_.clear();
    severityCounts_.fill(0);
    ++alarmStateChanges_;
}
