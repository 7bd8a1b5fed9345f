#include "link/records/request_catalogue.h"

#include "link/records/acl_check_rec.h"
#include "link/records/acl_entry_rec.h"
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
#include "link/records/arp_proxy_entry_rec.h"
#include "link/records/arp_proxy_setting_rec.h"
#include "link/records/backup_record.h"
#include "link/records/bits_alloc_rec.h"
#include "link/records/board_setting_rec.h"
#include "link/records/boot_partition_record.h"
#include "link/records/cascaded_mgmt_record.h"
#include "link/records/cli_prompt_rec.h"
#include "link/records/command_record.h"
#include "link/records/cos_mapping_rec.h"
#include "link/records/dhcp_agent_id_rec.h"
#include "link/records/dhcp_broadcast_control_rec.h"
#include "link/records/dhcp_relay_server_rec.h"
#include "link/records/dhcp_setting_rec.h"
#include "link/records/dhcp_transaction_rec.h"
#include "link/records/discovery_range_rec.h"
#include "link/records/entity_state_rec.h"
#include "link/records/fdb_entry_rec.h"
#include "link/records/found_ne_rec.h"
#include "link/records/hw_mon_rec.h"
#include "link/records/hw_mon_threshold_rec.h"
#include "link/records/igmp_proxy_rec.h"
#include "link/records/igmp_setting_rec.h"
#include "link/records/igmp_snooping_rec.h"
#include "link/records/ip_traffic_profile_rec.h"
#include "link/records/lacp_port_status_rec.h"
#include "link/records/line_test_ctrl_rec.h"
#include "link/records/link_aggregation_rec.h"
#include "link/records/location_record.h"
#include "link/records/long_term_pm_item_rec.h"
#include "link/records/loop_diag_ctrl_rec.h"
#include "link/records/loop_diag_result_rec.h"
#include "link/records/loop_mon_result_rec.h"
#include "link/records/mac_spoof_action_rec.h"
#include "link/records/mac_spoof_check_rec.h"
#include "link/records/mac_spoof_rec.h"
#include "link/records/mc_channel_profile_rec.h"
#include "link/records/mc_channel_rec.h"
#include "link/records/mc_channel_status_rec.h"
#include "link/records/mc_group_member_rec.h"
#include "link/records/mc_service_profile_rec.h"
#include "link/records/ne_alarm_input_rec.h"
#include "link/records/ne_alarm_log_range_rec.h"
#include "link/records/ne_alarm_log_rec.h"
#include "link/records/ne_alarm_output_rec.h"
#include "link/records/ne_config_record.h"
#include "link/records/ne_dns_server_rec.h"
#include "link/records/ne_fs_copy_record.h"
#include "link/records/ne_fs_file_record.h"
#include "link/records/ne_fw_upgrade_record.h"
#include "link/records/ne_key_record.h"
#include "link/records/ne_network_config_rec.h"
#include "link/records/ne_snmp_community_record.h"
#include "link/records/ne_snmp_manager_record.h"
#include "link/records/ne_time_record.h"
#include "link/records/ne_time_server_record.h"
#include "link/records/ne_user_account_record.h"
#include "link/records/next_hop_rec.h"
#include "link/records/oam_loopback_rec.h"
#include "link/records/online_user_record.h"
#include "link/records/op_log_record.h"
#include "link/records/operator_mail_record.h"
#include "link/records/pkt_filter_group_rec.h"
#include "link/records/pkt_filter_rec.h"
#include "link/records/pppoe_session_rec.h"
#include "link/records/profile_sync_rec.h"
#include "link/records/protocol_vlan_rec.h"
#include "link/records/pvc_key_rec.h"
#include "link/records/pvc_rec.h"
#include "link/records/pvc_row_status_rec.h"
#include "link/records/pvc_rule_check_rec.h"
#include "link/records/pvc_static_ip_entry.h"
#include "link/records/remote_ne_record.h"
#include "link/records/rstp_bridge_rec.h"
#include "link/records/rstp_port_rec.h"
#include "link/records/secured_host_record.h"
#include "link/records/selt_result_rec.h"
#include "link/records/server_option_record.h"
#include "link/records/server_resource_record.h"
#include "link/records/server_schedule_record.h"
#include "link/records/service_type_check_rec.h"
#include "link/records/sfp_info_rec.h"
#include "link/records/shdsl_card_status_record.h"
#include "link/records/shdsl_interval_rec.h"
#include "link/records/shdsl_line_profile_rec.h"
#include "link/records/shdsl_pm_rec.h"
#include "link/records/shdsl_pm_threshold_profile_rec.h"
#include "link/records/shdsl_port_rec.h"
#include "link/records/shdsl_rate_status_rec.h"
#include "link/records/state_period_rec.h"
#include "link/records/subscriber_record.h"
#include "link/records/traffic_policing_profile_rec.h"
#include "link/records/trunk_pm_rec.h"
#include "link/records/trunk_port_mode_rec.h"
#include "link/records/trunk_port_rec.h"
#include "link/records/user_account_record.h"
#include "link/records/user_rights_record.h"
#include "link/records/vlan_bit_map_rec.h"
#include "link/records/vlan_mac_limit_rec.h"
#include "link/records/vlan_membership_rec.h"
#include "link/records/vlan_setting_rec.h"
#include "link/records/word_record.h"
#include "link/records/xdsl_pm_interval_rec.h"
#include "link/records/xdsl_pm_threshold_profile_rec.h"

#include <algorithm>
#include <array>
#include <concepts>
#include <iterator>
#include <vector>

namespace {

// The entry takes the record's size and key from the field table of the record its code carries.
template <typename Rec> constexpr RequestSpec Carrying(RequestSpec spec)
{
    if constexpr (TabledRecord<Rec>)
        return spec.Of<Rec>();
    else
        return spec;
}

// What the codes of a family carry, and what an action sends.
template <typename Rec>
concept FamilyRecord = TabledRecord<Rec> || std::same_as<Rec, NeSizedRecord>;
template <typename Rec>
concept ActionBody = TabledRecord<Rec> || std::same_as<Rec, NoRecord>;

// A family's siblings carry its record: a code of another record is refused by the compiler. Give `{}` for a
// sibling the family has not.
template <FamilyRecord Rec>
constexpr RequestSpec Family(RequestCode<Rec> code, RequestCode<Rec> add = {}, RequestCode<Rec> del = {},
                             RequestCode<Rec> delAll = {})
{
    RequestSpec spec;
    spec.code = code;
    spec.kind = RequestKind::kFamily;
    spec.addCode = add;
    spec.deleteCode = del;
    spec.deleteAllCode = delAll;
    return Carrying<Rec>(spec);
}

template <TabledRecord Rec> constexpr RequestSpec Single(RequestCode<Rec> code)
{
    RequestSpec spec;
    spec.code = code;
    spec.kind = RequestKind::kSingle;
    return Carrying<Rec>(spec);
}

template <ActionBody Rec> constexpr RequestSpec Action(RequestCode<Rec> code)
{
    RequestSpec spec;
    spec.code = code;
    spec.kind = RequestKind::kAction;
    return Carrying<Rec>(spec);
}

// A count request: operation 1 with a 2-byte body; the reply's first 16-bit word is the number of records.
template <TabledRecord Rec> constexpr RequestSpec Count(RequestCode<RecordCount> code, RequestCode<Rec> countOf)
{
    RequestSpec spec;
    spec.code = code;
    spec.kind = RequestKind::kCount;
    spec.countOf = countOf;
    spec.recordSize = 2;
    return spec;
}

template <TabledRecord Rec> constexpr RequestSpec Notification(RequestCode<Rec> code)
{
    RequestSpec spec;
    spec.code = code;
    spec.kind = RequestKind::kNotification;
    spec.server = false;
    return Carrying<Rec>(spec);
}

constexpr RequestSpec kCatalogue[] = {
    // The server and its operators.
    Action(kReqKeepAlive),
    Action(kReqNeCommand),
    Single(kReqServerOption).Query(1),
    Single(kReqServerTime),
    Single(kReqServerResource).Query(1),
    Action(kReqOperatorMail),
    Family(kReqUserAccount, kReqUserAccountAdd, kReqUserAccountDelete).Query(1),
    Action(kReqLogon),
    Action(kReqLogoff).Direct(DirectIgnored()),
    Single(kReqUserRights).Query(1),
    Family(kReqOpLog).QueryOf<OpLogCriteria>(),
    Family(kReqOnlineUser).Query(1),
    Family(kReqLocation, kReqLocationAdd, kReqLocationDelete).AutoId(),
    Family(kReqDiscoveryRange, kReqDiscoveryRangeAdd, kReqDiscoveryRangeDelete).Query(1),
    Family(kReqFoundNe, {}, kReqFoundNeDelete).Query(1),
    Family(kReqNeKey, kReqNeKeyAdd, kReqNeKeyDelete)
        .Query(1)
        .Direct(DirectScalars().Fixup(DirectFixup::kNeKeyFromSession)),
    Family(kReqNeKeyAll).Query(1),
    Action(kReqLoginQuery),
    // The server keeps the triggers of every NE in one list: a query names NE 0, an add the trigger's NE.
    Family(kReqAlarmTrigger, kReqAlarmTriggerAdd, kReqAlarmTriggerDelete)
        .QueryOf<AlarmTriggerQueryRec>()
        .AutoId()
        .ServerWide(),
    Single(kReqServerSchedule).Query(1),
    Family(kReqNeBackup, kReqNeBackupAdd, kReqNeBackupDelete),
    Action(kReqNeBackupRestore),
    Family(kReqDbBackup, kReqDbBackupAdd, kReqDbBackupDelete),
    Action(kReqDbBackupRestore),
    Action(kReqConfigUpload),
    Action(kReqConfigDownload),
    Single(kReqConfigVerify),

    // Long-term performance monitoring.
    Family(kReqLongTermPmItem, kReqLongTermPmItemAdd, kReqLongTermPmItemDelete).Query(1),
    Family(kReqLongTermPmCo).QueryOf<LongTermPmQueryRec>().QueryKey(4),
    Family(kReqLongTermPmRt).QueryOf<LongTermPmQueryRec>().QueryKey(4),

    // Profile templates on the server.
    Family(kReqAdslLineProfileTemplate, kReqAdslLineProfileTemplateAdd, kReqAdslLineProfileTemplateDelete,
           kReqAdslLineProfileTemplateDeleteAll)
        .QueryKey(kAdslLineProfileNameWidth),
    Family(kReqPmThresholdProfileTemplate, kReqPmThresholdProfileTemplateAdd, kReqPmThresholdProfileTemplateDelete,
           kReqPmThresholdProfileTemplateDeleteAll)
        .QueryKey(kXdslPmThresholdProfileNameWidth)
        .Query(kXdslPmThresholdProfileNameWidth),
    Family(kReqIpTrafficProfileTemplate, kReqIpTrafficProfileTemplateAdd, kReqIpTrafficProfileTemplateDelete,
           kReqIpTrafficProfileTemplateDeleteAll)
        .QueryKey(kIpTrafficProfileNameWidth),
    Family(kReqMcChannelProfileTemplate, kReqMcChannelProfileTemplateAdd, kReqMcChannelProfileTemplateDelete,
           kReqMcChannelProfileTemplateDeleteAll)
        .QueryKey(2)
        .Query(2),
    Family(kReqMcServiceProfileTemplate, kReqMcServiceProfileTemplateAdd, kReqMcServiceProfileTemplateDelete,
           kReqMcServiceProfileTemplateDeleteAll)
        .QueryKey(kMcServiceProfileNameWidth)
        .Query(kMcServiceProfileNameWidth),
    Family(kReqTrafficPolicingProfileTemplate, kReqTrafficPolicingProfileTemplateAdd,
           kReqTrafficPolicingProfileTemplateDelete, kReqTrafficPolicingProfileTemplateDeleteAll)
        .QueryKey(kTrafficPolicingProfileNameWidth)
        .Query(kTrafficPolicingProfileNameWidth),
    Family(kReqAlarmDefTemplate).Query(8),
    Family(kReqShdslLineProfileTemplate, kReqShdslLineProfileTemplateAdd, kReqShdslLineProfileTemplateDelete,
           kReqShdslLineProfileTemplateDeleteAll)
        .QueryKey(kShdslLineProfileNameWidth),
    Family(kReqShdslPmThresholdProfileTemplate, kReqShdslPmThresholdProfileTemplateAdd,
           kReqShdslPmThresholdProfileTemplateDelete, kReqShdslPmThresholdProfileTemplateDeleteAll)
        .QueryKey(kShdslPmThresholdProfileNameWidth)
        .Query(kShdslPmThresholdProfileNameWidth),

    // ARP proxy, cascaded management, remote NEs.
    // An entry query names a line card or a trunk port, not the leading bytes of the entries it selects.
    Family(kReqArpProxyEntry).QueryOf<ArpProxyEntryQueryRec>(),
    Single(kReqArpProxy),
    Single(kReqCascadedMgmt),
    Family(kReqRemoteNe, kReqRemoteNeAdd, kReqRemoteNeDelete).QueryKey(4).AutoId(),
    Count(kReqRemoteNeCount, kReqRemoteNe),

    // The NE's own system functions.
    Single(kReqNeTime).Direct(DirectScalars().Writable()),
    Family(kReqNeFwUpgrade).Query(1),
    Single(kReqMacAging),
    Single(kReqNeConfig).Direct(DirectScalars().Writable()),
    Family(kReqNeSnmpManager, kReqNeSnmpManagerAdd, kReqNeSnmpManagerDelete),
    Family(kReqNeSnmpCommunity, kReqNeSnmpCommunityAdd, kReqNeSnmpCommunityDelete)
        .Direct(DirectTable().Writable().RowStatus()),
    Single(kReqNeBootPartition),
    Single(kReqNeDns),
    Single(kReqNeTimeServer),
    Action(kReqNeTimeAdjust),
    Single(kReqRedundancySync),
    Action(kReqRedundancySyncNow),
    Family(kReqNeUserAccount, kReqNeUserAccountAdd, kReqNeUserAccountDelete)
        .Direct(DirectTable().Writable().RowStatus()),
    Single(kReqSecuredHost).StartsEmpty(),
    Single(kReqSecuredHostState),
    Single(kReqNetBiosFilter),
    Action(kReqShdslCardUpgrade).QueryOf<ShdslCardStatusRecord>(),
    Family(kReqBoardSetting).Query(1).Direct(DirectTable().Writable()),
    Single(kReqTelnetTimeout),
    Family(kReqEntityState).Query(4).Direct(DirectTable()),
    Family(kReqAlarmDef).Direct(DirectTable().Writable()),
    // The server answers an AlarmQueryRec with AlarmEventRecs (its own records converted by the link); the NE pages
    // its alarm log by record numbers.
    Family(kReqAlarmEvent)
        .QueryOf<AlarmQueryRec>()
        .Direct(DirectTable().Of<NeAlarmLogRec>().Range(DirectRange::kFirstLast)),
    Family(kReqNeAlarmLog)
        .QueryOf<NeAlarmLogRangeRec>()
        .DirectOnly()
        .Direct(DirectTable().Object(kReqAlarmEvent).Range(DirectRange::kFirstCount)),
    Notification(kReqEntityStateChange),
    Family(kReqAlarmStatistics).QueryOf<AlarmStatQueryRec>(),
    Action(kReqAlarmSync).Direct(DirectAction()),
    Family(kReqAlarmAck).QueryKey(4),
    Action(kReqNotificationsOn),
    Family(kReqNeAlarmInput),
    Family(kReqHwMonitor).QueryKey(4),
    Single(kReqHwMonThreshold),
    Family(kReqNeAlarmOutput),
    Action(kReqNeReboot),
    Action(kReqCardReset),
    Action(kReqPortReset),
    Action(kReqFlashWrite),
    Action(kReqOamLoopback),
    Action(kReqNeSnmpCheck),
    Action(kReqNePing),
    Action(kReqFlashErase),
    Action(kReqNeFsFormat),
    Single(kReqNeFsFile).StartsEmpty(),
    Single(kReqNeFsCopy),
    Count(kReqNeUserAccountCount, kReqNeUserAccount),
    Count(kReqNeSnmpManagerCount, kReqNeSnmpManager),
    Count(kReqNeSnmpCommunityCount, kReqNeSnmpCommunity),

    // Subscribers, PVCs and the ATM layer.
    Family(kReqSubscriber, kReqSubscriberAdd, kReqSubscriberDelete).QueryOf<SubscriberCriteria>(),
    Family(kReqPvc, kReqPvcAdd, kReqPvcDelete).QueryKey(4),
    Single(kReqPvcRuleCheck).StartsEmpty(),
    Single(kReqIpTrafficRuleCheck).StartsEmpty(),
    Single(kReqTrafficPolicingRuleCheck).StartsEmpty(),
    Single(kReqVlanMacLimitCheck).StartsEmpty(),
    Single(kReqServiceTypeCheck).StartsEmpty(),
    Family(kReqPvcRowStatus).QueryKey(8),
    Family(kReqPvcStaticIp, kReqPvcStaticIpAdd, kReqPvcStaticIpDelete).QueryKey(8),
    Family(kReqNextHop, kReqNextHopAdd, kReqNextHopDelete).Query(1),
    Count(kReqNextHopCount, kReqNextHop),

    // NE profiles.
    Family(kReqIpTrafficProfile, kReqIpTrafficProfileAdd, kReqIpTrafficProfileDelete),
    Count(kReqIpTrafficProfileCount, kReqIpTrafficProfile),
    Family(kReqMcChannelProfile, kReqMcChannelProfileAdd, kReqMcChannelProfileDelete).QueryKey(2).Query(2),
    Count(kReqMcChannelProfileCount, kReqMcChannelProfile),
    Family(kReqMcServiceProfile, kReqMcServiceProfileAdd, kReqMcServiceProfileDelete)
        .QueryKey(kMcServiceProfileNameWidth)
        .Query(kMcServiceProfileNameWidth),
    Count(kReqMcServiceProfileCount, kReqMcServiceProfile),
    Family(kReqTrafficPolicingProfile, kReqTrafficPolicingProfileAdd, kReqTrafficPolicingProfileDelete)
        .QueryKey(kTrafficPolicingProfileNameWidth)
        .Query(kTrafficPolicingProfileNameWidth),
    Count(kReqTrafficPolicingProfileCount, kReqTrafficPolicingProfile),

    // Multicast, bridging, DHCP, PPPoE, ACLs and VLANs.
    Family(kReqMcChannel, kReqMcChannelAdd, kReqMcChannelDelete).QueryKey(4).QueryOf<PvcKeyRec>(),
    Family(kReqStaticFdb, kReqStaticFdbAdd, kReqStaticFdbDelete).QueryKey(4).QueryOf<FdbQueryRec>(),
    Family(kReqFdb, {}, kReqFdbDelete).QueryKey(4).QueryOf<FdbQueryRec>(),
    Family(kReqVlanMembership).QueryKey(2).Query(2),
    Single(kReqAclCheck).StartsEmpty(),
    Single(kReqMacSpoof).Query(4),
    Action(kReqMacSpoofAction),
    Single(kReqMacSpoofCheck).StartsEmpty(),
    Family(kReqMcGroupMember).QueryOf<McGroupQueryRec>(),
    Family(kReqMcChannelStatus).QueryKey(4).QueryOf<McChannelStatusQueryRec>(),
    Single(kReqIgmpSnooping),
    Single(kReqIgmpProxy),
    Single(kReqIgmpSetting),
    Single(kReqDhcp),
    Family(kReqDhcpAgentId),
    Family(kReqDhcpRelayServer, kReqDhcpRelayServerAdd, kReqDhcpRelayServerDelete),
    Single(kReqDhcpBroadcast),
    Family(kReqDhcpTransaction),
    Count(kReqDhcpRelayServerCount, kReqDhcpRelayServer),
    Single(kReqPppoe),
    Family(kReqPppoeSession).QueryKey(4),
    Family(kReqAcl, kReqAclAdd, kReqAclDelete).QueryKey(4).QueryOf<WordRecord>(),
    Family(kReqVlanMacLimit).QueryKey(2),
    Family(kReqProtocolVlan, kReqProtocolVlanAdd, kReqProtocolVlanDelete).Query(1),
    Single(kReqProtocolVlanState),

    // ADSL lines and their profiles. The record sizes of the block counters and the rate status are the NE's own.
    Family(kReqAdslPmCo).QueryOf<WordRecord>().QueryKey(4),
    Family(kReqAdslPmRt).QueryOf<WordRecord>().QueryKey(4),
    Family(kReqAdslBlockCo).Key(4, 4).QueryOf<WordRecord>(),
    Family(kReqAdslBlockRt).Key(4, 4).QueryOf<WordRecord>(),
    Family(kReqAdslHistoryCo).QueryOf<AdslHistoryQueryRec>().QueryKey(4),
    Family(kReqAdslHistoryRt).QueryOf<AdslHistoryQueryRec>().QueryKey(4),
    Family(kReqAdslPort).QueryKey(4),
    // A query names the line card's slot only.
    Family(kReqPktFilter).QueryKey(1),
    Family(kReqPktFilterGroup).QueryKey(1),
    Family(kReqAdslLineProfile, kReqAdslLineProfileAdd, kReqAdslLineProfileDelete),
    Count(kReqAdslLineProfileCount, kReqAdslLineProfile),
    Family(kReqPmThresholdProfile, kReqPmThresholdProfileAdd, kReqPmThresholdProfileDelete)
        .QueryKey(kXdslPmThresholdProfileNameWidth)
        .Query(kXdslPmThresholdProfileNameWidth),
    Count(kReqPmThresholdProfileCount, kReqPmThresholdProfile),
    Family(kReqAdslRateStatus).Key(4, 4).QueryOf<WordRecord>(),
    Family(kReqBitsAlloc).QueryOf<WordRecord>().QueryKey(4),
    Family(kReqLoopDiagCtrl).QueryOf<WordRecord>().QueryKey(4),
    Family(kReqLoopDiagResult).QueryOf<WordRecord>().QueryKey(4),
    Family(kReqLoopMonCtrl).QueryOf<WordRecord>().QueryKey(4),
    Family(kReqLoopMonResult).QueryOf<WordRecord>().QueryKey(4),
    Family(kReqSeltCtrl).QueryOf<WordRecord>().QueryKey(4),
    Family(kReqSeltResult).QueryOf<WordRecord>().QueryKey(4),
    Action(kReqAdslPowerState),
    Family(kReqBroadcastVlan).QueryKey(4),

    // Trunk ports.
    Family(kReqTrunkPm).QueryOf<WordRecord>().QueryKey(4),
    Family(kReqTrunkPort),
    Single(kReqLinkAggregation).Query(1),
    Family(kReqLacpStatus).Query(1),
    Single(kReqStaticLinkAggregation),
    Single(kReqRstpBridge).Query(1),
    Family(kReqRstpPort).Query(1),
    Single(kReqCosMapping).Query(1),
    Family(kReqTrunkPortMode),
    Family(kReqSfp),
    Family(kReqTrunkVlan).QueryKey(4),
    Family(kReqTrunkVlanMember).QueryKey(4),

    // SHDSL lines and their profiles.
    Family(kReqShdslLineProfile, kReqShdslLineProfileAdd, kReqShdslLineProfileDelete),
    Family(kReqShdslPmThresholdProfile, kReqShdslPmThresholdProfileAdd, kReqShdslPmThresholdProfileDelete)
        .QueryKey(kShdslPmThresholdProfileNameWidth)
        .Query(kShdslPmThresholdProfileNameWidth),
    Family(kReqShdslPort).QueryKey(4),
    Family(kReqShdslRateStatus).QueryOf<WordRecord>().QueryKey(4),
    Family(kReqShdslPm).QueryOf<ShdslPmQueryRec>().QueryKey(8),
    Family(kReqShdslHistory).QueryOf<ShdslHistoryQueryRec>().QueryKey(12),
    Count(kReqShdslProfileCount, kReqShdslLineProfile),

    // The NE's network configuration and CLI prompt.
    Single(kReqNeNetworkConfig).Direct(DirectScalars()),
    Single(kReqCliPrompt),
    Single(kReqCliPromptDual),
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
