#include "link/records/request_catalogue.h"

#include "link/records/acl_check_rec.h"
#include "link/records/acl_entry_rec.h"
#include "link/records/adsl_block_pm_rec.h"
#include "link/records/adsl_current_pm_rec.h"
#include "link/records/adsl_line_profile_rec.h"
#include "link/records/adsl_port_rec.h"
#include "link/records/adsl_power_state_rec.h"
#include "link/records/adsl_rate_status_rec.h"
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
concept ActionBody = TabledRecord<Rec> || std::same_as<Rec, NoRecord>;

// A family's siblings carry its record: a code of another record is refused by the compiler. Give `{}` for a
// sibling the family has not.
template <TabledRecord Rec>
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
    Family(kReqDbBackup, kReqDbBackupAdd, kReqDbBackupDelete).ServerWide(),
    Action(kReqDbBackupRestore),
    Action(kReqConfigUpload),
    Action(kReqConfigDownload),
    Single(kReqConfigVerify),

    // Long-term performance monitoring. The NE collects the records of its items' ports, named by port and creation
    // time, and a query names the port
    // and a range of creation times.
    Family(kReqLongTermPmItem, kReqLongTermPmItemAdd, kReqLongTermPmItemDelete)
        .Query(1)
        .Direct(DirectTable().Writable().RowStatus()),
    Family(kReqLongTermPmCo)
        .QueryOf<LongTermPmQueryRec>()
        .QueryKey(4)
        .Direct(DirectTable().Range(DirectRange::kKeyRange)),
    Family(kReqLongTermPmRt)
        .QueryOf<LongTermPmQueryRec>()
        .QueryKey(4)
        .Direct(DirectTable().Range(DirectRange::kKeyRange)),

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
    // An entry query names the selector of the entries it lists in its second word.
    Family(kReqArpProxyEntry)
        .QueryOf<ArpProxyEntryQueryRec>()
        .QueryKey(4)
        .QueryKeyAt(4)
        .Direct(DirectTable().Range(DirectRange::kKeyPrefix)),
    Single(kReqArpProxy).Direct(DirectScalars().Writable()),
    Single(kReqCascadedMgmt).Direct(DirectScalars().Writable()),
    Family(kReqRemoteNe, kReqRemoteNeAdd, kReqRemoteNeDelete)
        .QueryKey(4)
        .AutoId()
        .Direct(DirectTable().Writable().RowStatus()),
    Count(kReqRemoteNeCount, kReqRemoteNe).Direct(DirectCount()),

    // The NE's own system functions.
    Single(kReqNeTime).Direct(DirectScalars().Writable()),
    Family(kReqNeFwUpgrade).Query(1),
    Single(kReqMacAging).Direct(DirectScalars().Writable()),
    Single(kReqNeConfig).Direct(DirectScalars().Writable()),
    Family(kReqNeSnmpManager, kReqNeSnmpManagerAdd, kReqNeSnmpManagerDelete).Direct(DirectTable().RowStatus()),
    Family(kReqNeSnmpCommunity, kReqNeSnmpCommunityAdd, kReqNeSnmpCommunityDelete)
        .Direct(DirectTable().Writable().RowStatus()),
    Single(kReqNeBootPartition).Direct(DirectScalars().Writable()),
    Single(kReqNeDns).Direct(DirectScalars().Writable()),
    Single(kReqNeTimeServer).Direct(DirectScalars().Writable()),
    Action(kReqNeTimeAdjust).Direct(DirectAction()),
    Single(kReqRedundancySync).Direct(DirectScalars().Writable()),
    Action(kReqRedundancySyncNow).Direct(DirectAction()),
    Family(kReqNeUserAccount, kReqNeUserAccountAdd, kReqNeUserAccountDelete)
        .Direct(DirectTable().Writable().RowStatus()),
    // The NE has a fixed set of sections, each changed by its index.
    Family(kReqSecuredHost).Direct(DirectTable().Writable()),
    Single(kReqSecuredHostState).Direct(DirectScalars().Writable()),
    Single(kReqNetBiosFilter).Direct(DirectScalars().Writable()),
    // The NE lists its SHDSL line cards' upgrade states; an upgrade names one card.
    Action(kReqShdslCardUpgrade)
        .QueryOf<ShdslCardStatusRecord>()
        .ReplyOf<ShdslCardStatusRecord>()
        .Direct(DirectTable().Of<ShdslCardStatusRecord>().Trigger()),
    Family(kReqBoardSetting).Query(1).Direct(DirectTable().Writable()),
    Single(kReqTelnetTimeout).Direct(DirectScalars().Writable()),
    Family(kReqEntityState).Query(4).Direct(DirectTable()),
    Family(kReqAlarmDef).Query(8).Direct(DirectTable().Writable()),
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
    Family(kReqNeAlarmInput).Direct(DirectTable().Writable()),
    // A query names the entity whose readings it wants; the NE answers every reading, and the dialog keeps those of
    // the entity and below it.
    Family(kReqHwMonitor).QueryKey(4).Direct(DirectTable()),
    Single(kReqHwMonThreshold).Direct(DirectScalars().Writable()),
    Family(kReqNeAlarmOutput).Direct(DirectTable().Writable()),
    Action(kReqNeReboot),
    Action(kReqCardReset),
    // The NE resets the line port its entity id names: R.342.0 is set to that id.
    Action(kReqPortReset).Direct(DirectAction().Trigger()),
    Action(kReqFlashWrite).Direct(DirectAction()),
    Action(kReqOamLoopback).Direct(DirectScalars().Writable()),
    Action(kReqNeSnmpCheck).Direct(DirectAction()),
    Action(kReqNePing),
    Action(kReqFlashErase),
    // The partition to format is the written word; a file is deleted by writing its record with the action 1.
    Action(kReqNeFsFormat).Direct(DirectScalars().Writable()),
    Single(kReqNeFsFile).StartsEmpty().Direct(DirectTable().Writable()),
    Single(kReqNeFsCopy).Direct(DirectScalars().Writable()),
    Count(kReqNeUserAccountCount, kReqNeUserAccount).Direct(DirectCount()),
    Count(kReqNeSnmpManagerCount, kReqNeSnmpManager).Direct(DirectCount()),
    Count(kReqNeSnmpCommunityCount, kReqNeSnmpCommunity).Direct(DirectCount()),

    // Subscribers, PVCs and the ATM layer.
    Family(kReqSubscriber, kReqSubscriberAdd, kReqSubscriberDelete).QueryOf<SubscriberCriteria>(),
    // A query names a port, a card, a shelf or the NE; a write of a PVC the NE lacks creates it.
    Family(kReqPvc, kReqPvcAdd, kReqPvcDelete)
        .QueryKey(4)
        .Direct(DirectTable().Writable().RowStatus().Range(DirectRange::kEntityKey)),
    // Written, then read: the NE's verdict follows in the record.
    Single(kReqPvcRuleCheck).StartsEmpty().Direct(DirectScalars().Writable()),
    Single(kReqIpTrafficRuleCheck).StartsEmpty().Direct(DirectScalars().Writable()),
    Single(kReqTrafficPolicingRuleCheck).StartsEmpty().Direct(DirectScalars().Writable()),
    // Written with the VLAN ID, then read: the units the VLAN's PVCs and channels have committed.
    Single(kReqVlanMacLimitCheck).StartsEmpty().Direct(DirectScalars().Writable()),
    Single(kReqServiceTypeCheck).StartsEmpty().Direct(DirectScalars().Writable()),
    Family(kReqPvcRowStatus).QueryKey(8).Direct(DirectTable().Writable().Range(DirectRange::kKeyPrefix)),
    Family(kReqPvcStaticIp, kReqPvcStaticIpAdd, kReqPvcStaticIpDelete)
        .QueryKey(8)
        .Direct(DirectTable().Writable().RowStatus().Range(DirectRange::kKeyPrefix)),
    Family(kReqNextHop, kReqNextHopAdd, kReqNextHopDelete).Query(1).Direct(DirectTable().Writable().RowStatus()),
    Count(kReqNextHopCount, kReqNextHop).Direct(DirectCount()),

    // NE profiles.
    Family(kReqIpTrafficProfile, kReqIpTrafficProfileAdd, kReqIpTrafficProfileDelete)
        .Direct(DirectTable().Writable().RowStatus()),
    Count(kReqIpTrafficProfileCount, kReqIpTrafficProfile).Direct(DirectCount()),
    Family(kReqMcChannelProfile, kReqMcChannelProfileAdd, kReqMcChannelProfileDelete)
        .QueryKey(2)
        .Query(2)
        .Direct(DirectTable().Writable().RowStatus()),
    Count(kReqMcChannelProfileCount, kReqMcChannelProfile).Direct(DirectCount()),
    Family(kReqMcServiceProfile, kReqMcServiceProfileAdd, kReqMcServiceProfileDelete)
        .QueryKey(kMcServiceProfileNameWidth)
        .Query(kMcServiceProfileNameWidth)
        .Direct(DirectTable().Writable().RowStatus()),
    Count(kReqMcServiceProfileCount, kReqMcServiceProfile).Direct(DirectCount()),
    Family(kReqTrafficPolicingProfile, kReqTrafficPolicingProfileAdd, kReqTrafficPolicingProfileDelete)
        .QueryKey(kTrafficPolicingProfileNameWidth)
        .Query(kTrafficPolicingProfileNameWidth)
        .Direct(DirectTable().Writable().RowStatus()),
    Count(kReqTrafficPolicingProfileCount, kReqTrafficPolicingProfile).Direct(DirectCount()),

    // Multicast, bridging, DHCP, PPPoE, ACLs and VLANs.
    // A query names a port, a card, a shelf or the NE.
    Family(kReqMcChannel, kReqMcChannelAdd, kReqMcChannelDelete)
        .QueryKey(4)
        .QueryOf<PvcKeyRec>()
        .Direct(DirectTable().Writable().RowStatus().Range(DirectRange::kEntityKey)),
    // A query names a port, a card, a shelf or the NE.
    Family(kReqStaticFdb, kReqStaticFdbAdd, kReqStaticFdbDelete)
        .QueryKey(4)
        .QueryOf<FdbQueryRec>()
        .Direct(DirectTable().RowStatus().Range(DirectRange::kEntityKey)),
    // A query names a port, a card or the NE; a delete destroys the entry's row.
    Family(kReqFdb, {}, kReqFdbDelete)
        .QueryKey(4)
        .QueryOf<FdbQueryRec>()
        .Direct(DirectTable().RowStatus().Range(DirectRange::kEntityKey)),
    Family(kReqVlanMembership).QueryKey(2).Query(2).Direct(DirectTable()),
    Single(kReqAclCheck).StartsEmpty().Direct(DirectScalars().Writable()),
    // The NE's spoofing table; an action and a check are writes of their scalars.
    Single(kReqMacSpoof).Query(4).Direct(DirectTable()),
    Action(kReqMacSpoofAction).Direct(DirectScalars().Writable()),
    Single(kReqMacSpoofCheck).StartsEmpty().Direct(DirectScalars().Writable()),
    Family(kReqMcGroupMember).QueryOf<McGroupQueryRec>().Direct(DirectTable()),
    // A query names the line card.
    Family(kReqMcChannelStatus)
        .QueryKey(4)
        .QueryOf<McChannelStatusQueryRec>()
        .Direct(DirectTable().Range(DirectRange::kEntityKey)),
    Single(kReqIgmpSnooping).Direct(DirectScalars().Writable()),
    Single(kReqIgmpProxy).Direct(DirectScalars().Writable()),
    Single(kReqIgmpSetting).Direct(DirectScalars().Writable()),
    Single(kReqDhcp).Direct(DirectScalars().Writable()),
    // A query names a port, a card or the NE.
    Family(kReqDhcpAgentId).Direct(DirectTable().Writable().Range(DirectRange::kEntityKey)),
    // The workstation changes a relay server with an add of its address.
    Family(kReqDhcpRelayServer, kReqDhcpRelayServerAdd, kReqDhcpRelayServerDelete)
        .Direct(DirectTable().Writable().RowStatus().AddChanges()),
    Single(kReqDhcpBroadcast).Direct(DirectScalars().Writable()),
    Family(kReqDhcpTransaction).Direct(DirectTable().Range(DirectRange::kEntityKey)),
    Count(kReqDhcpRelayServerCount, kReqDhcpRelayServer).Direct(DirectCount()),
    Single(kReqPppoe).Direct(DirectScalars().Writable()),
    // A query names a port or a slot; the NE lists its sessions and the workstation keeps those below the entity.
    Family(kReqPppoeSession).QueryKey(4).Direct(DirectTable()),
    // A query names a port, a card, a shelf or the NE.
    Family(kReqAcl, kReqAclAdd, kReqAclDelete)
        .QueryKey(4)
        .QueryOf<WordRecord>()
        .Direct(DirectTable().Writable().RowStatus().Range(DirectRange::kEntityKey)),
    // A query names one VLAN.
    Family(kReqVlanMacLimit).QueryKey(2).Direct(DirectTable().Writable().Range(DirectRange::kKeyPrefix)),
    Family(kReqProtocolVlan, kReqProtocolVlanAdd, kReqProtocolVlanDelete)
        .Query(1)
        .Direct(DirectTable().Writable().RowStatus()),
    Single(kReqProtocolVlanState).Direct(DirectScalars().Writable()),

    // ADSL lines and their profiles. The PM of a port is its rows in the NE's tables: a query names the port.
    Family(kReqAdslPmCo).QueryOf<WordRecord>().QueryKey(4).Direct(DirectTable().Range(DirectRange::kKeyPrefix)),
    Family(kReqAdslPmRt).QueryOf<WordRecord>().QueryKey(4).Direct(DirectTable().Range(DirectRange::kKeyPrefix)),
    Family(kReqAdslBlockCo).QueryOf<WordRecord>().QueryKey(4).Direct(DirectTable().Range(DirectRange::kKeyPrefix)),
    Family(kReqAdslBlockRt).QueryOf<WordRecord>().QueryKey(4).Direct(DirectTable().Range(DirectRange::kKeyPrefix)),
    Family(kReqAdslHistoryCo)
        .QueryOf<AdslHistoryQueryRec>()
        .QueryKey(4)
        .Direct(DirectTable().Range(DirectRange::kKeyPrefix)),
    Family(kReqAdslHistoryRt)
        .QueryOf<AdslHistoryQueryRec>()
        .QueryKey(4)
        .Direct(DirectTable().Range(DirectRange::kKeyPrefix)),
    Family(kReqAdslPort).QueryKey(4).Direct(DirectTable().Writable().Range(DirectRange::kEntityKey)),
    // A query names the line card's slot only.
    Family(kReqPktFilter).QueryKey(1).Direct(DirectTable().Writable().Range(DirectRange::kKeyPrefix)),
    Family(kReqPktFilterGroup).QueryKey(1).Direct(DirectTable().Writable().Range(DirectRange::kKeyPrefix)),
    // The NE's profiles, a table indexed by the profile's name in direct mode.
    Family(kReqAdslLineProfile, kReqAdslLineProfileAdd, kReqAdslLineProfileDelete)
        .Direct(DirectTable().Writable().RowStatus()),
    Count(kReqAdslLineProfileCount, kReqAdslLineProfile).Direct(DirectCount()),
    Family(kReqPmThresholdProfile, kReqPmThresholdProfileAdd, kReqPmThresholdProfileDelete)
        .QueryKey(kXdslPmThresholdProfileNameWidth)
        .Query(kXdslPmThresholdProfileNameWidth)
        .Direct(DirectTable().Writable().RowStatus()),
    Count(kReqPmThresholdProfileCount, kReqPmThresholdProfile).Direct(DirectCount()),
    // The line status, bits allocation and line tests of a port are its rows in the NE's tables: a query names the
    // port. A test is started and stopped by a write of its command to the port's control row; a power state by a
    // write of the target to the port's row.
    Family(kReqAdslRateStatus).QueryOf<WordRecord>().QueryKey(4).Direct(DirectTable().Range(DirectRange::kKeyPrefix)),
    Family(kReqBitsAlloc).QueryOf<WordRecord>().QueryKey(4).Direct(DirectTable().Range(DirectRange::kKeyPrefix)),
    Family(kReqLoopDiagCtrl)
        .QueryOf<WordRecord>()
        .QueryKey(4)
        .Direct(DirectTable().Writable().Range(DirectRange::kKeyPrefix)),
    Family(kReqLoopDiagResult).QueryOf<WordRecord>().QueryKey(4).Direct(DirectTable().Range(DirectRange::kKeyPrefix)),
    Family(kReqLoopMonCtrl)
        .QueryOf<WordRecord>()
        .QueryKey(4)
        .Direct(DirectTable().Writable().Range(DirectRange::kKeyPrefix)),
    Family(kReqLoopMonResult).QueryOf<WordRecord>().QueryKey(4).Direct(DirectTable().Range(DirectRange::kKeyPrefix)),
    Family(kReqSeltCtrl)
        .QueryOf<WordRecord>()
        .QueryKey(4)
        .Direct(DirectTable().Writable().Range(DirectRange::kKeyPrefix)),
    Family(kReqSeltResult).QueryOf<WordRecord>().QueryKey(4).Direct(DirectTable().Range(DirectRange::kKeyPrefix)),
    Action(kReqAdslPowerState).Direct(DirectTable().Writable()),
    // A query names the line card; the NE answers with its row.
    Family(kReqBroadcastVlan).QueryKey(4).Direct(DirectTable().Range(DirectRange::kKeyPrefix)),

    // Trunk ports. The traffic counters of a port are its row in the NE's table: a query names the port. The NE keeps
    // one VLAN map per trunk port: the manual VLAN setting is trunk port 2's, which the membership query reads too.
    Family(kReqTrunkPm).QueryOf<WordRecord>().QueryKey(4).Direct(DirectTable().Range(DirectRange::kKeyPrefix)),
    Family(kReqTrunkPort).KeepsReadOnly().Direct(DirectTable().Writable()),
    Single(kReqLinkAggregation).Query(1).Direct(DirectScalars().Writable()),
    Family(kReqLacpStatus).Query(1).Direct(DirectTable()),
    Single(kReqStaticLinkAggregation).Direct(DirectScalars().Writable()),
    Single(kReqRstpBridge).Query(1).KeepsReadOnly().Direct(DirectScalars().Writable()),
    Family(kReqRstpPort).Query(1).KeepsReadOnly().Direct(DirectTable().Writable()),
    Single(kReqCosMapping).Query(1).Direct(DirectScalars().Writable()),
    Family(kReqTrunkPortMode).Direct(DirectTable().Writable()),
    Family(kReqSfp).Direct(DirectTable()),
    Family(kReqTrunkVlan).QueryKey(4).Direct(DirectTable().Writable().Range(DirectRange::kKeyPrefix)),
    Family(kReqTrunkVlanMember).QueryKey(4).Direct(DirectTable().Object(kReqTrunkVlan).Range(DirectRange::kKeyPrefix)),

    // SHDSL lines and their profiles. In direct mode the NE's profiles are tables indexed by their names, its ports a
    // table whose query names the entity the ports lie below, and a port's rates its row.
    Family(kReqShdslLineProfile, kReqShdslLineProfileAdd, kReqShdslLineProfileDelete)
        .Direct(DirectTable().Writable().RowStatus()),
    Family(kReqShdslPmThresholdProfile, kReqShdslPmThresholdProfileAdd, kReqShdslPmThresholdProfileDelete)
        .QueryKey(kShdslPmThresholdProfileNameWidth)
        .Query(kShdslPmThresholdProfileNameWidth)
        .Direct(DirectTable().Writable().RowStatus()),
    Family(kReqShdslPort).QueryKey(4).Direct(DirectTable().Writable().Range(DirectRange::kEntityKey)),
    Family(kReqShdslRateStatus).QueryOf<WordRecord>().QueryKey(4).Direct(DirectTable().Range(DirectRange::kKeyPrefix)),
    // The PM of a port is its rows of each side: a query names the port and the side.
    Family(kReqShdslPm).QueryOf<ShdslPmQueryRec>().QueryKey(8).Direct(DirectTable().Range(DirectRange::kKeyPair)),
    Family(kReqShdslHistory)
        .QueryOf<ShdslHistoryQueryRec>()
        .QueryKey(12)
        .Direct(DirectTable().Range(DirectRange::kKeyPair)),
    Count(kReqShdslProfileCount, kReqShdslLineProfile).Direct(DirectCount()),

    // The NE's network configuration and CLI prompt.
    Single(kReqNeNetworkConfig).Direct(DirectScalars()),
    Single(kReqCliPrompt).Direct(DirectScalars().Writable()),
    Single(kReqCliPromptDual).Direct(DirectScalars().Writable()),
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
