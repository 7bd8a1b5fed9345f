// The simulated NE's clock, NE-wide and layer-2 settings: the values it has before anything is written, the ranges it
// keeps them in (sim/seed/ne_setting_rules.h), the states of its time servers, a limit for every VLAN, and the units a
// VLAN's PVCs and channels have taken of its limit as the scenario gives them.

#include "sim/ne_agent/ne_agent_mib.h"

#include "core/entity/entity_index.h"
#include "core/entity/line_card_slots.h"
#include "core/util/vlan_id.h"
#include "link/records/ne_time_server_record.h"
#include "link/records/request_codes.h"
#include "link/records/vlan_mac_limit_rec.h"
#include "link/records/vlan_setting_rec.h"
#include "sim/seed/ne_setting_rules.h"

#include <cstring>

namespace {

constexpr uint32_t kLimitDisabled = 2;

template <typename Rec, typename Change> void UpdateRecord(std::vector<uint8_t>& bytes, Change change)
{
    Rec rec;
    if (!DecodeRecord(bytes.data(), bytes.size(), &rec))
        return;
    change(rec);
    EncodeRecord(rec, bytes.data());
}

} // namespace

void CNeAgentMib::SetSettingDefaults()
{
    for (const NeSettingDefault& setting : NeSettingDefaults())
        scalarRecords_[setting.code] = setting.record;
    highestMacLimit_ = models_ != nullptr ? HighestVlanMacLimit(*models_, neModel_) : 0;
}

void CNeAgentMib::TakeSettingRows(const NeAgentScenario& scenario)
{
    // The units each VLAN's PVCs and channels have taken, as the limit check reports them for the VLAN written.
    for (const NeAgentRow& row : scenario.rows) {
        VlanSettingRec committed;
        if (row.code == kReqVlanMacLimitCheck && DecodeRecord(row.record.data(), row.record.size(), &committed))
            committedUnits_[committed.vlanId] = committed.committedUnits;
    }
    scalarRecords_[kReqVlanMacLimitCheck].assign(kVlanSettingRecSize, 0);
    // Every VLAN has a MAC limit; those the scenario does not give are off at the highest limit, made when read.
    Table& limits = tables_[kReqVlanMacLimit];
    if (limits.entry == nullptr)
        return;
    limits.madeFirst = kFirstVlanId;
    limits.madeLast = kLastVlanId;
}

std::vector<uint8_t> CNeAgentMib::MadeRow(uint16_t code, uint32_t index) const
{
    if (code != kReqVlanMacLimit)
        return {};
    const auto bytes = EncodeRecord(VlanMacLimitRec{static_cast<uint16_t>(index), highestMacLimit_, kLimitDisabled});
    return {bytes.begin(), bytes.end()};
}

void CNeAgentMib::RefreshSettings()
{
    RefreshPvcChecks();
    UpdateRecord<NeTimeServerRecord>(scalarRecords_[kReqNeTimeServer], SetTimeServerStates);
    UpdateRecord<VlanSettingRec>(scalarRecords_[kReqVlanMacLimitCheck], [&](VlanSettingRec& check) {
        const auto committed = committedUnits_.find(check.vlanId);
        check.committedUnits = committed != committedUnits_.end() ? committed->second : 0;
    });
}

std::optional<uint16_t>
CNeAgentMib::RefusedSetting(const std::map<uint16_t, std::map<CSnmpOid, std::optional<std::vector<uint8_t>>>>& rows,
                            const std::map<uint16_t, std::vector<uint8_t>>& scalars) const
{
    const NeSettingLimits limits{highestMacLimit_};
    const auto refused = [&](uint16_t code, const std::vector<uint8_t>& record) {
        return !NeSettingRefusal(code, record.data(), static_cast<uint32_t>(record.size()), limits).empty();
    };
    for (const auto& [code, record] : scalars) {
        if (refused(code, record))
            return code;
    }
    for (const auto& [code, changes] : rows) {
        for (const auto& [index, record] : changes) {
            if (record && refused(code, *record))
                return code;
        }
    }
    return std::nullopt;
}

bool CNeAgentMib::HasLinePort(uint32_t entityId) const
{
    for (const uint16_t code : {kReqAdslPort.value, kReqShdslPort.value}) {
        const auto table = tables_.find(code);
        if (table == tables_.end())
            continue;
        for (const auto& [index, record] : table->second.rows) {
            uint32_t id = 0;
            if (record.size() >= sizeof id && (std::memcpy(&id, record.data(), sizeof id), id == entityId))
                return true;
        }
    }
    return false;
}

bool CNeAgentMib::ActionPossible(uint16_t code) const
{
    if (code == kReqRedundancySyncNow)
        return !CwmModuleIndex(2, neModel_).IsEmpty();
    if (code == kReqNeTimeAdjust) {
        // Only a time server that serves as the timing source gives the NE its time (the states are those of the
        // request's start).
        NeTimeServerRecord servers;
        const auto bytes = scalarRecords_.find(kReqNeTimeServer);
        return bytes != scalarRecords_.end() && DecodeRecord(bytes->second.data(), bytes->second.size(), &servers) &&
               (servers.firstServerState == 1 || servers.secondServerState == 1 || servers.thirdServerState == 1);
    }
    return true;
}
