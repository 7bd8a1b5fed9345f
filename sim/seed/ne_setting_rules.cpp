#include "sim/seed/ne_setting_rules.h"

#include "core/util/ip_address.h"
#include "core/util/names.h"
#include "core/util/vlan_id.h"
#include "link/records/cli_prompt_rec.h"
#include "link/records/igmp_proxy_rec.h"
#include "link/records/igmp_setting_rec.h"
#include "link/records/igmp_snooping_rec.h"
#include "link/records/ne_dns_server_rec.h"
#include "link/records/ne_time_record.h"
#include "link/records/ne_time_server_record.h"
#include "link/records/protocol_vlan_rec.h"
#include "link/records/request_codes.h"
#include "link/records/state_period_rec.h"
#include "link/records/vlan_mac_limit_rec.h"
#include "link/records/vlan_setting_rec.h"
#include "link/records/word_record.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace {

constexpr uint32_t kIgmpVersion2 = 2;
constexpr uint32_t kIgmpVersion3 = 3;
constexpr uint32_t kIgmpVersionAuto = 100;

// Collects the first broken rule.
class CRules {
public:
    void Range(int64_t value, int64_t low, int64_t high, const char* what)
    {
        if (reason_.empty() && (value < low || value > high))
            reason_ = std::string(what) + " out of range";
    }
    void OneOf(uint32_t value, std::initializer_list<uint32_t> allowed, const char* what)
    {
        if (reason_.empty() && std::find(allowed.begin(), allowed.end(), value) == allowed.end())
            reason_ = std::string("Invalid ") + what;
    }
    void Require(bool holds, const char* reason)
    {
        if (reason_.empty() && !holds)
            reason_ = reason;
    }
    std::string Take() { return std::move(reason_); }

private:
    std::string reason_;
};

bool IsValidName(const std::string& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), IsValidNameChar);
}

template <typename Rec, typename Check> std::string Checked(const uint8_t* record, uint32_t size, Check check)
{
    Rec rec;
    if (!DecodeRecord(record, size, &rec))
        return "Invalid record";
    CRules rules;
    check(rec, rules);
    return rules.Take();
}

std::string OnOff(const uint8_t* record, uint32_t size, const char* what)
{
    return Checked<WordRecord>(record, size, [&](const WordRecord& rec, CRules& rules) {
        rules.OneOf(rec.value, {0, 1}, what);
    });
}

// `whileEnabled`: the time is held to its range only while the state is enabled (the NE keeps it unused otherwise).
std::string StatePeriod(const uint8_t* record, uint32_t size, int64_t low, int64_t high, const char* what,
                        bool whileEnabled = false)
{
    return Checked<StatePeriodRec>(record, size, [&](const StatePeriodRec& rec, CRules& rules) {
        rules.OneOf(rec.state, {0, 1}, "state");
        if (!whileEnabled || rec.state == 1)
            rules.Range(rec.seconds, low, high, what);
    });
}

} // namespace

std::string NeSettingRefusal(uint16_t code, const uint8_t* record, uint32_t size, const NeSettingLimits& limits)
{
    switch (code) {
    case kReqNeTime:
        return Checked<NeTimeRecord>(record, size, [](const NeTimeRecord& rec, CRules& rules) {
            rules.Range(rec.timeZone, -12, 13, "Time zone");
        });
    case kReqMacAging:
        return StatePeriod(record, size, 10, 1000, "Aging time", true);
    case kReqRedundancySync:
        return StatePeriod(record, size, 30, 3600, "Synchronization period");
    case kReqNeDns:
        return Checked<NeDnsServerRec>(record, size, [](const NeDnsServerRec& rec, CRules& rules) {
            for (const IpAddress& server : {rec.first, rec.second, rec.third})
                rules.Require(IsValidHostIpAddress(server, kHostIpAllowZero), "Invalid DNS server address");
        });
    case kReqNeTimeServer:
        return Checked<NeTimeServerRecord>(record, size, [](const NeTimeServerRecord& rec, CRules& rules) {
            rules.OneOf(rec.protocol, {0, 1}, "network timing protocol");
            rules.Range(rec.periodMinutes, 1, 1440, "Update period");
        });
    case kReqNetBiosFilter:
        return OnOff(record, size, "NetBIOS handling");
    case kReqTelnetTimeout:
        return Checked<WordRecord>(record, size, [](const WordRecord& rec, CRules& rules) {
            rules.Range(rec.value, 1, 1440, "Telnet time-out");
        });
    case kReqCliPrompt:
        return Checked<CliPromptRec>(record, size, [](const CliPromptRec& rec, CRules& rules) {
            rules.Require(IsValidName(rec.masterPrompt), "Invalid CLI prompt");
        });
    case kReqCliPromptDual:
        return Checked<CliPromptRec>(record, size, [](const CliPromptRec& rec, CRules& rules) {
            rules.Require(IsValidName(rec.masterPrompt) && IsValidName(rec.slavePrompt), "Invalid CLI prompt");
        });
    case kReqIgmpSnooping:
        return Checked<IgmpSnoopingRec>(record, size, [](const IgmpSnoopingRec& rec, CRules& rules) {
            rules.OneOf(rec.adminState, {0, 1}, "administrative state");
            rules.Range(rec.agingTime, 1, 600, "Aging time");
        });
    case kReqIgmpProxy:
        return Checked<IgmpProxyRec>(record, size, [](const IgmpProxyRec& rec, CRules& rules) {
            rules.OneOf(rec.adminState, {0, 1}, "administrative state");
            rules.Range(rec.robustness, 1, 5, "Robustness");
            rules.Range(rec.queryResponseInterval, 1, 255, "Query response interval");
            rules.OneOf(rec.immediateLeave, {0, 1}, "immediate leave");
        });
    case kReqIgmpSetting:
        return Checked<IgmpSettingRec>(record, size, [](const IgmpSettingRec& rec, CRules& rules) {
            rules.Range(rec.mode, 1, 3, "IGMP mode");
            rules.Range(rec.snoopingAgingTime, 1, 600, "Aging time");
            rules.Range(rec.snoopingQueryRetries, 1, 5, "Query retries");
            rules.Range(rec.proxyQueryRetries, 1, 5, "Query retries");
            rules.Range(rec.snoopingQueryResponseInterval, 1, 6000, "Query response interval");
            rules.Range(rec.proxyQueryResponseInterval, 1, 6000, "Query response interval");
            rules.OneOf(rec.snoopingImmediateLeave, {0, 1}, "immediate leave");
            rules.OneOf(rec.proxyImmediateLeave, {0, 1}, "immediate leave");
            rules.OneOf(rec.queryVersion, {kIgmpVersion2, kIgmpVersion3, kIgmpVersionAuto}, "query version");
            rules.OneOf(rec.reportVersion, {kIgmpVersion2, kIgmpVersion3, kIgmpVersionAuto}, "report version");
        });
    case kReqPppoe:
        return OnOff(record, size, "PPPoE sub-option state");
    case kReqProtocolVlanState:
        return OnOff(record, size, "protocol-based VLAN state");
    case kReqVlanMacLimit:
        return Checked<VlanMacLimitRec>(record, size, [&](const VlanMacLimitRec& rec, CRules& rules) {
            rules.Range(rec.vlanId, kFirstVlanId, kLastVlanId, "VLAN ID");
            rules.OneOf(rec.state, {1, 2}, "state");
            rules.Range(rec.macLimit, 1, limits.highestMacLimit, "MAC limit");
        });
    case kReqVlanMacLimitCheck:
        return Checked<VlanSettingRec>(record, size, [](const VlanSettingRec& rec, CRules& rules) {
            rules.Range(rec.vlanId, kFirstVlanId, kLastVlanId, "VLAN ID");
        });
    case kReqProtocolVlan:
    case kReqProtocolVlanAdd:
        return Checked<ProtocolVlanRec>(record, size, [](const ProtocolVlanRec& rec, CRules& rules) {
            rules.Require(!rec.name.empty(), "Protocol-based VLAN name is blank");
            rules.Range(rec.vlanId, kFirstVlanId, kLastVlanId, "VLAN ID");
            rules.OneOf(rec.state, {1, 2}, "state");
        });
    default:
        return {};
    }
}

void SetTimeServerStates(NeTimeServerRecord& rec)
{
    constexpr uint32_t kNotSet = 0, kTimingSource = 1, kBackup = 2, kUnresolved = 3;
    constexpr std::string_view kUnresolvable = ".invalid";
    std::array<uint32_t, 3> states{};
    bool sourceFound = false;
    for (size_t i = 0; i < rec.servers.size(); ++i) {
        const std::string& server = rec.servers[i];
        if (rec.protocol != 1 || server.empty()) {
            states[i] = kNotSet;
        } else if (server.size() > kUnresolvable.size() && server.ends_with(kUnresolvable)) {
            states[i] = kUnresolved;
        } else {
            states[i] = sourceFound ? kBackup : kTimingSource;
            sourceFound = true;
        }
    }
    rec.firstServerState = states[0];
    rec.secondServerState = states[1];
    rec.thirdServerState = states[2];
}

namespace {

template <typename Rec> NeSettingDefault Default(RequestCode<Rec> code, const Rec& rec)
{
    const auto bytes = EncodeRecord(rec);
    return {code, {bytes.begin(), bytes.end()}};
}

} // namespace

std::vector<NeSettingDefault> NeSettingDefaults()
{
    NeTimeServerRecord timeServers;
    timeServers.periodMinutes = 720;
    IgmpSettingRec igmp;
    igmp.mode = 1;
    igmp.snoopingAgingTime = 30;
    igmp.snoopingQueryRetries = 2;
    igmp.proxyQueryRetries = 2;
    igmp.snoopingQueryResponseInterval = 100;
    igmp.proxyQueryResponseInterval = 100;
    igmp.snoopingImmediateLeave = 1;
    igmp.proxyImmediateLeave = 1;
    igmp.queryVersion = kIgmpVersion2;
    igmp.reportVersion = kIgmpVersion2;
    return {
        Default(kReqMacAging, StatePeriodRec{1, 300}),
        Default(kReqNeTimeServer, timeServers),
        Default(kReqRedundancySync, StatePeriodRec{1, 300}),
        Default(kReqNetBiosFilter, WordRecord{1}),
        Default(kReqTelnetTimeout, WordRecord{10}),
        Default(kReqCliPrompt, CliPromptRec{"IPD", ""}),
        Default(kReqCliPromptDual, CliPromptRec{"IPD-M", "IPD-S"}),
        Default(kReqIgmpSnooping, IgmpSnoopingRec{1, 30}),
        Default(kReqIgmpProxy, IgmpProxyRec{0, 2, 100, 1}),
        Default(kReqIgmpSetting, igmp),
        Default(kReqPppoe, WordRecord{0}),
        Default(kReqProtocolVlanState, WordRecord{0}),
    };
}
