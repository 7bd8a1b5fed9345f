#include "link/records/request_catalogue.h"

#include "link/records/adsl_current_pm_rec.h"
#include "link/records/adsl_line_profile_rec.h"
#include "link/records/adsl_port_rec.h"
#include "link/records/adsl_power_state_rec.h"
#include "link/records/alarm_ack_rec.h"
#include "link/records/alarm_def_rec.h"
#include "link/records/alarm_event_rec.h"
#include "link/records/alarm_query_rec.h"
#include "link/records/alarm_stat_query_rec.h"
#include "link/records/alarm_stat_rec.h"
#include "link/records/alarm_trigger_rec.h"
#include "link/records/bits_alloc_rec.h"
#include "link/records/board_setting_rec.h"
#include "link/records/cos_mapping_rec.h"
#include "link/records/entity_state_rec.h"
#include "link/records/igmp_setting_rec.h"
#include "link/records/lacp_port_status_rec.h"
#include "link/records/line_test_ctrl_rec.h"
#include "link/records/link_aggregation_rec.h"
#include "link/records/location_record.h"
#include "link/records/long_term_pm_item_rec.h"
#include "link/records/loop_diag_ctrl_rec.h"
#include "link/records/loop_diag_result_rec.h"
#include "link/records/loop_mon_result_rec.h"
#include "link/records/ne_alarm_log_range_rec.h"
#include "link/records/ne_alarm_log_rec.h"
#include "link/records/ne_key_record.h"
#include "link/records/ne_snmp_community_record.h"
#include "link/records/ne_time_record.h"
#include "link/records/ne_user_account_record.h"
#include "link/records/online_user_record.h"
#include "link/records/operator_mail_record.h"
#include "link/records/pkt_filter_group_rec.h"
#include "link/records/pkt_filter_rec.h"
#include "link/records/profile_sync_rec.h"
#include "link/records/rstp_bridge_rec.h"
#include "link/records/rstp_port_rec.h"
#include "link/records/selt_result_rec.h"
#include "link/records/sfp_info_rec.h"
#include "link/records/shdsl_interval_rec.h"
#include "link/records/shdsl_line_profile_rec.h"
#include "link/records/shdsl_pm_rec.h"
#include "link/records/shdsl_pm_threshold_profile_rec.h"
#include "link/records/shdsl_port_rec.h"
#include "link/records/shdsl_rate_status_rec.h"
#include "link/records/trunk_pm_rec.h"
#include "link/records/trunk_port_mode_rec.h"
#include "link/records/trunk_port_rec.h"
#include "link/records/user_account_record.h"
#include "link/records/user_rights_record.h"
#include "link/records/vlan_bit_map_rec.h"
#include "link/records/word_record.h"
#include "link/records/xdsl_pm_interval_rec.h"
#include "link/records/xdsl_pm_threshold_profile_rec.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <vector>

namespace {

constexpr RequestSpec Family(uint16_t code, uint16_t add = 0, uint16_t del = 0, uint16_t delAll = 0)
{
    RequestSpec spec;
    spec.code = code;
    spec.kind = RequestKind::kFamily;
    spec.addCode = add;
    spec.deleteCode = del;
    spec.deleteAllCode = delAll;
    return spec;
}

constexpr RequestSpec Single(uint16_t code)
{
    RequestSpec spec;
    spec.code = code;
    spec.kind = RequestKind::kSingle;
    return spec;
}

constexpr RequestSpec Action(uint16_t code)
{
    RequestSpec spec;
    spec.code = code;
    spec.kind = RequestKind::kAction;
    return spec;
}

// A count request: operation 1 with a 2-byte body; the reply's first 16-bit word is the number of records.
constexpr RequestSpec Count(uint16_t code, uint16_t countOf)
{
    RequestSpec spec;
    spec.code = code;
    spec.kind = RequestKind::kCount;
    spec.countOf = countOf;
    spec.recordSize = 2;
    return spec;
}

constexpr RequestSpec Notification(uint16_t code)
{
    RequestSpec spec;
    spec.code = code;
    spec.kind = RequestKind::kNotification;
    spec.server = false;
    return spec;
}

// Names (profiles, next hops) lead their records as zero-terminated texts of 33 bytes.
constexpr uint16_t kName = 33;

constexpr RequestSpec kCatalogue[] = {
    // The server and its operators.
    Action(kReqKeepAlive),
    Action(kReqNeCommand).Size(1024),
    Single(kReqServerOption).Size(208).Query(1),
    Single(kReqServerTime).Size(4),
    Single(kReqServerResource).Size(9).Query(1),
    Action(kReqOperatorMail).Of<OperatorMailRecord>(),
    Family(kReqUserAccount, kReqUserAccountAdd, kReqUserAccountDelete).Of<UserAccountRecord>().Query(1),
    Action(kReqLogon),
    Action(kReqLogoff).Direct(DirectIgnored()),
    Single(kReqUserRights).Of<UserRightsRecord>().Query(1),
    Family(kReqOpLog).Size(152).Key(4).Query(28),
    Family(kReqOnlineUser).Of<OnlineUserRecord>().Query(1),
    Family(kReqLocation, kReqLocationAdd, kReqLocationDelete).Of<LocationRecord>().AutoId(),
    Family(kReqDiscoveryRange, kReqDiscoveryRangeAdd, kReqDiscoveryRangeDelete).Size(40).Key(8).Query(1),
    Family(kReqFoundNe, 0, kReqFoundNeDelete).Size(264).Key(4).Query(1),
    Family(kReqNeKey, kReqNeKeyAdd, kReqNeKeyDelete)
        .Of<NeKeyRecord>()
        .Query(1)
        .Direct(DirectScalars().Fixup(DirectFixup::kNeKeyFromSession)),
    Family(kReqNeKeyAll).Of<NeKeyRecord>().Query(1),
    Action(kReqLoginQuery),
    // The server keeps the triggers of every NE in one list: a query names NE 0, an add the trigger's NE.
    Family(kReqAlarmTrigger, kReqAlarmTriggerAdd, kReqAlarmTriggerDelete)
        .Of<AlarmTriggerRec>()
        .QueryOf<AlarmTriggerQueryRec>()
        .AutoId()
        .ServerWide(),
    Single(kReqServerSchedule).Size(24).Query(1),
    Family(kReqNeBackup, kReqNeBackupAdd, kReqNeBackupDelete).Size(72).Key(61),
    Action(kReqNeBackupRestore).Size(72),
    Family(kReqDbBackup, kReqDbBackupAdd, kReqDbBackupDelete).Size(72).Key(61),
    Action(kReqDbBackupRestore).Size(72),
    Action(kReqConfigUpload).Of<ProfileSyncRec>(),
    Action(kReqConfigDownload).Of<ProfileSyncRec>(),
    Single(kReqConfigVerify).Of<ProfileSyncRec>(),

    // Long-term performance monitoring.
    Family(kReqLongTermPmItem, kReqLongTermPmItemAdd, kReqLongTermPmItemDelete).Of<LongTermPmItemRec>().Query(1),
    Family(kReqLongTermPmCo).Of<XdslPmIntervalRec>().QueryOf<LongTermPmQueryRec>().QueryKey(4),
    Family(kReqLongTermPmRt).Of<XdslPmIntervalRec>().QueryOf<LongTermPmQueryRec>().QueryKey(4),

    // Profile templates on the server.
    Family(kReqAdslLineProfileTemplate, kReqAdslLineProfileTemplateAdd, kReqAdslLineProfileTemplateDelete,
           kReqAdslLineProfileTemplateDeleteAll)
        .Of<AdslLineProfileRec>()
        .QueryKey(kName),
    Family(kReqPmThresholdProfileTemplate, kReqPmThresholdProfileTemplateAdd, kReqPmThresholdProfileTemplateDelete,
           kReqPmThresholdProfileTemplateDeleteAll)
        .Of<XdslPmThresholdProfileRec>()
        .QueryKey(kName)
        .Query(kName),
    Family(kReqIpTrafficProfileTemplate, kReqIpTrafficProfileTemplateAdd, kReqIpTrafficProfileTemplateDelete,
           kReqIpTrafficProfileTemplateDeleteAll)
        .Size(52)
        .Key(kName, kName),
    Family(kReqMcChannelProfileTemplate, kReqMcChannelProfileTemplateAdd, kReqMcChannelProfileTemplateDelete,
           kReqMcChannelProfileTemplateDeleteAll)
        .Size(52)
        .Key(2, 2)
        .Query(2),
    Family(kReqMcServiceProfileTemplate, kReqMcServiceProfileTemplateAdd, kReqMcServiceProfileTemplateDelete,
           kReqMcServiceProfileTemplateDeleteAll)
        .Size(140)
        .Key(kName, kName)
        .Query(kName),
    Family(kReqTrafficPolicingProfileTemplate, kReqTrafficPolicingProfileTemplateAdd,
           kReqTrafficPolicingProfileTemplateDelete, kReqTrafficPolicingProfileTemplateDeleteAll)
        .Size(48)
        .Key(kName, kName)
        .Query(kName),
    Family(kReqAlarmDefTemplate).Of<AlarmDefRec>().Query(8),
    Family(kReqShdslLineProfileTemplate, kReqShdslLineProfileTemplateAdd, kReqShdslLineProfileTemplateDelete,
           kReqShdslLineProfileTemplateDeleteAll)
        .Of<ShdslLineProfileRec>()
        .QueryKey(kName),
    Family(kReqShdslPmThresholdProfileTemplate, kReqShdslPmThresholdProfileTemplateAdd,
           kReqShdslPmThresholdProfileTemplateDelete, kReqShdslPmThresholdProfileTemplateDeleteAll)
        .Of<ShdslPmThresholdProfileRec>()
        .QueryKey(kName)
        .Query(kName),

    // ARP proxy, cascaded management, remote NEs.
    Family(kReqArpProxyEntry).Size(32).Key(16, 16).Query(16),
    Single(kReqArpProxy).Size(12),
    Single(kReqCascadedMgmt).Size(20),
    Family(kReqRemoteNe, kReqRemoteNeAdd, kReqRemoteNeDelete).Size(200).Key(4, 4).AutoId(),
    Count(kReqRemoteNeCount, kReqRemoteNe),

    // The NE's own system functions.
    Single(kReqNeTime).Of<NeTimeRecord>().Direct(DirectScalars().Writable()),
    Family(kReqNeFwUpgrade).Size(104).Key(4).Query(1),
    Single(kReqMacAging).Size(8),
    Single(kReqNeConfig).Size(1320),
    Family(kReqNeSnmpManager, kReqNeSnmpManagerAdd, kReqNeSnmpManagerDelete).Size(36).Key(4),
    Family(kReqNeSnmpCommunity, kReqNeSnmpCommunityAdd, kReqNeSnmpCommunityDelete)
        .Of<NeSnmpCommunityRecord>()
        .Direct(DirectTable().Writable().RowStatus()),
    Single(kReqNeBootPartition).Size(8),
    Single(kReqNeDns).Size(12),
    Single(kReqNeTimeServer).Size(212),
    Action(kReqNeTimeAdjust).Size(4),
    Single(kReqRedundancySync).Size(8),
    Action(kReqRedundancySyncNow),
    Family(kReqNeUserAccount, kReqNeUserAccountAdd, kReqNeUserAccountDelete)
        .Of<NeUserAccountRecord>()
        .Direct(DirectTable().Writable().RowStatus()),
    Single(kReqSecuredHost).Size(16).StartsEmpty(),
    Single(kReqSecuredHostState).Size(4),
    Single(kReqNetBiosFilter).Size(4),
    Action(kReqShdslCardUpgrade).Size(4).Query(12),
    Family(kReqBoardSetting).Of<BoardSettingRec>().Query(1).Direct(DirectTable().Writable()),
    Single(kReqTelnetTimeout).Size(4),
    Family(kReqEntityState).Of<EntityStateRec>().Query(4).Direct(DirectTable()),
    Family(kReqAlarmDef).Of<AlarmDefRec>().Direct(DirectTable().Writable()),
    // The server answers an AlarmQueryRec with AlarmEventRecs (its own records converted by the link); the NE pages
    // its alarm log by record numbers.
    Family(kReqAlarmEvent)
        .Of<AlarmEventRec>()
        .QueryOf<AlarmQueryRec>()
        .Direct(DirectTable().Of<NeAlarmLogRec>().Range(DirectRange::kFirstLast)),
    Family(kReqNeAlarmLog)
        .Of<NeAlarmLogRec>()
        .QueryOf<NeAlarmLogRangeRec>()
        .DirectOnly()
        .Direct(DirectTable().Object(kReqAlarmEvent).Range(DirectRange::kFirstCount)),
    Notification(kReqEntityStateChange).Of<EntityStateRec>(),
    Family(kReqAlarmStatistics).Of<AlarmStatRec>().QueryOf<AlarmStatQueryRec>(),
    Action(kReqAlarmSync).Direct(DirectAction()),
    Family(kReqAlarmAck).Of<AlarmAckRec>().QueryKey(4),
    Action(kReqNotificationsOn).Of<WordRecord>(),
    Family(kReqNeAlarmInput).Size(52).Key(4),
    Family(kReqHwMonitor).Size(284).Key(4, 4),
    Single(kReqHwMonThreshold).Size(8),
    Family(kReqNeAlarmOutput).Size(48).Key(4),
    Action(kReqNeReboot),
    Action(kReqCardReset).Of<WordRecord>(),
    Action(kReqPortReset).Of<WordRecord>(),
    Action(kReqFlashWrite),
    Action(kReqOamLoopback).Size(16),
    Action(kReqNeSnmpCheck),
    Action(kReqNePing),
    Action(kReqFlashErase),
    Action(kReqNeFsFormat).Size(4),
    Single(kReqNeFsFile).Size(64).StartsEmpty(),
    Single(kReqNeFsCopy).Size(88),
    Count(kReqNeUserAccountCount, kReqNeUserAccount),
    Count(kReqNeSnmpManagerCount, kReqNeSnmpManager),
    Count(kReqNeSnmpCommunityCount, kReqNeSnmpCommunity),

    // Subscribers, PVCs and the ATM layer.
    Family(kReqSubscriber, kReqSubscriberAdd, kReqSubscriberDelete).Size(288).Key(32).Query(56),
    Family(kReqPvc, kReqPvcAdd, kReqPvcDelete).Size(112).Key(8, 4),
    Single(kReqPvcRuleCheck).Size(196).StartsEmpty(),
    Single(kReqIpTrafficRuleCheck).Size(196).StartsEmpty(),
    Single(kReqTrafficPolicingRuleCheck).Size(196).StartsEmpty(),
    Single(kReqVlanMacLimitCheck).Size(196).StartsEmpty(),
    Single(kReqServiceTypeCheck).Size(196).StartsEmpty(),
    Family(kReqPvcRowStatus).Size(12).Key(8, 8),
    Family(kReqPvcStaticIp, kReqPvcStaticIpAdd, kReqPvcStaticIpDelete).Size(16).Key(16, 8),
    Family(kReqNextHop, kReqNextHopAdd, kReqNextHopDelete).Size(52).Key(kName).Query(1),
    Count(kReqNextHopCount, kReqNextHop),

    // NE profiles.
    Family(kReqIpTrafficProfile, kReqIpTrafficProfileAdd, kReqIpTrafficProfileDelete).Size(52).Key(kName),
    Count(kReqIpTrafficProfileCount, kReqIpTrafficProfile),
    Family(kReqMcChannelProfile, kReqMcChannelProfileAdd, kReqMcChannelProfileDelete).Size(52).Key(2, 2).Query(2),
    Count(kReqMcChannelProfileCount, kReqMcChannelProfile),
    Family(kReqMcServiceProfile, kReqMcServiceProfileAdd, kReqMcServiceProfileDelete)
        .Size(140)
        .Key(kName, kName)
        .Query(kName),
    Count(kReqMcServiceProfileCount, kReqMcServiceProfile),
    Family(kReqTrafficPolicingProfile, kReqTrafficPolicingProfileAdd, kReqTrafficPolicingProfileDelete)
        .Size(48)
        .Key(kName, kName)
        .Query(kName),
    Count(kReqTrafficPolicingProfileCount, kReqTrafficPolicingProfile),

    // Multicast, bridging, DHCP, PPPoE, ACLs and VLANs.
    Family(kReqMcChannel, kReqMcChannelAdd, kReqMcChannelDelete).Size(48).Key(8, 8).Query(8),
    Family(kReqStaticFdb, kReqStaticFdbAdd, kReqStaticFdbDelete).Size(28).Key(16, 4).Query(16),
    Family(kReqFdb, 0, kReqFdbDelete).Size(28).Key(4, 4).Query(16),
    Family(kReqVlanMembership).Size(90).Key(2, 2).Query(2),
    Single(kReqAclCheck).Size(48).StartsEmpty(),
    Single(kReqMacSpoof).Size(24).Query(4),
    Action(kReqMacSpoofAction).Size(16),
    Single(kReqMacSpoofCheck).Size(48).StartsEmpty(),
    Family(kReqMcGroupMember).Size(112).Key(4).Query(6),
    Family(kReqMcChannelStatus).Size(24).Key(4, 4).Query(16),
    Single(kReqIgmpSnooping).Size(20),
    Single(kReqIgmpProxy).Size(12),
    Single(kReqIgmpSetting).Of<IgmpSettingRec>(),
    Single(kReqDhcp).Size(8),
    Family(kReqDhcpAgentId).Size(152).Key(4),
    Family(kReqDhcpRelayServer, kReqDhcpRelayServerAdd, kReqDhcpRelayServerDelete).Size(16).Key(4),
    Single(kReqDhcpBroadcast).Size(12),
    Family(kReqDhcpTransaction).Size(32).Key(4),
    Count(kReqDhcpRelayServerCount, kReqDhcpRelayServer),
    Single(kReqPppoe).Size(4),
    Family(kReqPppoeSession).Size(28).Key(4, 4),
    Family(kReqAcl, kReqAclAdd, kReqAclDelete).Size(20).Key(10, 4).Query(4),
    Family(kReqVlanMacLimit).Size(12).Key(2, 2),
    Family(kReqProtocolVlan, kReqProtocolVlanAdd, kReqProtocolVlanDelete).Size(44).Key(2).Query(1),
    Single(kReqProtocolVlanState).Size(4),

    // ADSL lines and their profiles. The record sizes of the block counters and the rate status are the NE's own.
    Family(kReqAdslPmCo).Of<AdslCurrentPmRec>().QueryOf<WordRecord>().QueryKey(4),
    Family(kReqAdslPmRt).Of<AdslCurrentPmRec>().QueryOf<WordRecord>().QueryKey(4),
    Family(kReqAdslBlockCo).Key(4, 4).QueryOf<WordRecord>(),
    Family(kReqAdslBlockRt).Key(4, 4).QueryOf<WordRecord>(),
    Family(kReqAdslHistoryCo).Of<XdslPmIntervalRec>().QueryOf<AdslHistoryQueryRec>().QueryKey(4),
    Family(kReqAdslHistoryRt).Of<XdslPmIntervalRec>().QueryOf<AdslHistoryQueryRec>().QueryKey(4),
    Family(kReqAdslPort).Of<AdslPortRec>().QueryKey(4),
    // A query names the line card's slot only.
    Family(kReqPktFilter).Of<PktFilterRec>().QueryKey(1),
    Family(kReqPktFilterGroup).Of<PktFilterGroupRec>().QueryKey(1),
    Family(kReqAdslLineProfile, kReqAdslLineProfileAdd, kReqAdslLineProfileDelete).Of<AdslLineProfileRec>(),
    Count(kReqAdslLineProfileCount, kReqAdslLineProfile),
    Family(kReqPmThresholdProfile, kReqPmThresholdProfileAdd, kReqPmThresholdProfileDelete)
        .Of<XdslPmThresholdProfileRec>()
        .QueryKey(kName)
        .Query(kName),
    Count(kReqPmThresholdProfileCount, kReqPmThresholdProfile),
    Family(kReqAdslRateStatus).Key(4, 4).QueryOf<WordRecord>(),
    Family(kReqBitsAlloc).Of<BitsAllocRec>().QueryOf<WordRecord>().QueryKey(4),
    Family(kReqLoopDiagCtrl).Of<LoopDiagCtrlRec>().QueryOf<WordRecord>().QueryKey(4),
    Family(kReqLoopDiagResult).Of<LoopDiagResultRec>().QueryOf<WordRecord>().QueryKey(4),
    Family(kReqLoopMonCtrl).Of<LineTestCtrlRec>().QueryOf<WordRecord>().QueryKey(4),
    Family(kReqLoopMonResult).Of<LoopMonResultRec>().QueryOf<WordRecord>().QueryKey(4),
    Family(kReqSeltCtrl).Of<LineTestCtrlRec>().QueryOf<WordRecord>().QueryKey(4),
    Family(kReqSeltResult).Of<SeltResultRec>().QueryOf<WordRecord>().QueryKey(4),
    Action(kReqAdslPowerState).Of<AdslPowerStateRec>(),
    Family(kReqBroadcastVlan).Of<VlanBitMapRec>().QueryKey(4),

    // Trunk ports.
    Family(kReqTrunkPm).Of<TrunkPmRec>().QueryOf<WordRecord>().QueryKey(4),
    Family(kReqTrunkPort).Of<TrunkPortRec>(),
    Single(kReqLinkAggregation).Of<LinkAggregationRec>().Query(1),
    Family(kReqLacpStatus).Of<LacpPortStatusRec>().Query(1),
    Single(kReqStaticLinkAggregation).Of<WordRecord>(),
    Single(kReqRstpBridge).Of<RstpBridgeRec>().Query(1),
    Family(kReqRstpPort).Of<RstpPortRec>().Query(1),
    Single(kReqCosMapping).Of<CosMappingRec>().Query(1),
    Family(kReqTrunkPortMode).Of<TrunkPortModeRec>(),
    Family(kReqSfp).Of<SfpInfoRec>(),
    Family(kReqTrunkVlan).Of<VlanBitMapRec>().QueryKey(4),
    Family(kReqTrunkVlanMember).Of<VlanBitMapRec>().QueryKey(4),

    // SHDSL lines and their profiles.
    Family(kReqShdslLineProfile, kReqShdslLineProfileAdd, kReqShdslLineProfileDelete).Of<ShdslLineProfileRec>(),
    Family(kReqShdslPmThresholdProfile, kReqShdslPmThresholdProfileAdd, kReqShdslPmThresholdProfileDelete)
        .Of<ShdslPmThresholdProfileRec>()
        .QueryKey(kName)
        .Query(kName),
    Family(kReqShdslPort).Of<ShdslPortRec>().QueryKey(4),
    Family(kReqShdslRateStatus).Of<ShdslRateStatusRec>().QueryOf<WordRecord>().QueryKey(4),
    Family(kReqShdslPm).Of<ShdslPmRec>().QueryOf<ShdslPmQueryRec>().QueryKey(8),
    Family(kReqShdslHistory).Of<ShdslIntervalRec>().QueryOf<ShdslHistoryQueryRec>().QueryKey(12),
    Count(kReqShdslProfileCount, kReqShdslLineProfile),

    // The NE's network configuration and CLI prompt.
    Single(kReqNeNetworkConfig).Size(28),
    Single(kReqCliPrompt).Size(22),
    Single(kReqCliPromptDual).Size(22),
};

// Every code belongs to one entry only; every family keeps its records by a key; a table in the NE's MIB has an INDEX
// column for every key field of its record.
constexpr bool CatalogueIsSound()
{
    std::array<uint16_t, 4 * std::size(kCatalogue)> codes{};
    size_t n = 0;
    for (const RequestSpec& spec : kCatalogue) {
        for (uint16_t code : {spec.code, spec.addCode, spec.deleteCode, spec.deleteAllCode}) {
            if (code == 0)
                continue;
            for (size_t i = 0; i < n; ++i) {
                if (codes[i] == code)
                    return false;
            }
            codes[n++] = code;
        }
        if (spec.kind == RequestKind::kFamily && spec.keyLength == 0)
            return false;
        const RecordLayout* direct = spec.direct.record != nullptr ? spec.direct.record : spec.record;
        if (spec.direct.access == DirectAccess::kTable) {
            if (direct == nullptr || direct->KeyLength() == 0)
                return false;
            for (const RecordField& field : direct->fields) {
                if (field.key && field.column.number == 0)
                    return false;
            }
        }
    }
    return true;
}
static_assert(CatalogueIsSound(), "a code is in the catalogue twice, a family has no key, or a table no INDEX");

} // namespace

std::span<const RequestSpec> RequestCatalogue()
{
    return kCatalogue;
}

RequestEntry FindRequest(uint16_t code)
{
    static const std::vector<std::pair<uint16_t, RequestEntry>> index = [] {
        std::vector<std::pair<uint16_t, RequestEntry>> entries;
        for (const RequestSpec& spec : kCatalogue) {
            entries.push_back({spec.code, {&spec, RequestRole::kQueryModify}});
            if (spec.addCode != 0)
                entries.push_back({spec.addCode, {&spec, RequestRole::kAdd}});
            if (spec.deleteCode != 0)
                entries.push_back({spec.deleteCode, {&spec, RequestRole::kDelete}});
            if (spec.deleteAllCode != 0)
                entries.push_back({spec.deleteAllCode, {&spec, RequestRole::kDeleteAll}});
        }
        std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        return entries;
    }();
    auto it = std::lower_bound(index.begin(), index.end(), code,
                               [](const auto& entry, uint16_t value) { return entry.first < value; });
    if (it == index.end() || it->first != code)
        return {};
    return it->second;
}
