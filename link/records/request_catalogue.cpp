#include "link/records/request_catalogue.h"

#include "link/records/acl_check_rec.h"
#include "link/records/acl_entry_rec.h"
#include "link/records/adsl_block_pm_rec.h"
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

constexpr RequestSpec kCatalogue[] = {
    // The server and its operators.
    Action(kReqKeepAlive),
    Action(kReqNeCommand).Of<CommandRecord>(),
    Single(kReqServerOption).Of<ServerOptionRecord>().Query(1),
    Single(kReqServerTime).Of<WordRecord>(),
    Single(kReqServerResource).Of<ServerResourceRecord>().Query(1),
    Action(kReqOperatorMail).Of<OperatorMailRecord>(),
    Family(kReqUserAccount, kReqUserAccountAdd, kReqUserAccountDelete).Of<UserAccountRecord>().Query(1),
    Action(kReqLogon),
    Action(kReqLogoff).Direct(DirectIgnored()),
    Single(kReqUserRights).Of<UserRightsRecord>().Query(1),
    Family(kReqOpLog).Of<OpLogRecord>().QueryOf<OpLogCriteria>(),
    Family(kReqOnlineUser).Of<OnlineUserRecord>().Query(1),
    Family(kReqLocation, kReqLocationAdd, kReqLocationDelete).Of<LocationRecord>().AutoId(),
    Family(kReqDiscoveryRange, kReqDiscoveryRangeAdd, kReqDiscoveryRangeDelete).Of<DiscoveryRangeRec>().Query(1),
    Family(kReqFoundNe, 0, kReqFoundNeDelete).Of<FoundNeRec>().Query(1),
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
    Single(kReqServerSchedule).Of<ServerScheduleRecord>().Query(1),
    Family(kReqNeBackup, kReqNeBackupAdd, kReqNeBackupDelete).Of<BackupRecord>(),
    Action(kReqNeBackupRestore).Of<BackupRecord>(),
    Family(kReqDbBackup, kReqDbBackupAdd, kReqDbBackupDelete).Of<BackupRecord>(),
    Action(kReqDbBackupRestore).Of<BackupRecord>(),
    Action(kReqConfigUpload).Of<ProfileSyncRec>(),
    Action(kReqConfigDownload).Of<ProfileSyncRec>(),
    Single(kReqConfigVerify).Of<ProfileSyncRec>(),

    // Long-term performance monitoring.
    // Long-term performance monitoring: the NE collects the records of its items' ports, named by port and creation
    // time, and a query names the port and a range of creation times.
    Family(kReqLongTermPmItem, kReqLongTermPmItemAdd, kReqLongTermPmItemDelete)
        .Of<LongTermPmItemRec>()
        .Query(1)
        .Direct(DirectTable().Writable().RowStatus()),
    Family(kReqLongTermPmCo)
        .Of<XdslPmIntervalRec>()
        .QueryOf<LongTermPmQueryRec>()
        .QueryKey(4)
        .Direct(DirectTable().Range(DirectRange::kKeyRange)),
    Family(kReqLongTermPmRt)
        .Of<XdslPmIntervalRec>()
        .QueryOf<LongTermPmQueryRec>()
        .QueryKey(4)
        .Direct(DirectTable().Range(DirectRange::kKeyRange)),

    // Profile templates on the server.
    Family(kReqAdslLineProfileTemplate, kReqAdslLineProfileTemplateAdd, kReqAdslLineProfileTemplateDelete,
           kReqAdslLineProfileTemplateDeleteAll)
        .Of<AdslLineProfileRec>()
        .QueryKey(kAdslLineProfileNameWidth),
    Family(kReqPmThresholdProfileTemplate, kReqPmThresholdProfileTemplateAdd, kReqPmThresholdProfileTemplateDelete,
           kReqPmThresholdProfileTemplateDeleteAll)
        .Of<XdslPmThresholdProfileRec>()
        .QueryKey(kXdslPmThresholdProfileNameWidth)
        .Query(kXdslPmThresholdProfileNameWidth),
    Family(kReqIpTrafficProfileTemplate, kReqIpTrafficProfileTemplateAdd, kReqIpTrafficProfileTemplateDelete,
           kReqIpTrafficProfileTemplateDeleteAll)
        .Of<IpTrafficProfileRec>()
        .QueryKey(kIpTrafficProfileNameWidth),
    Family(kReqMcChannelProfileTemplate, kReqMcChannelProfileTemplateAdd, kReqMcChannelProfileTemplateDelete,
           kReqMcChannelProfileTemplateDeleteAll)
        .Of<McChannelProfileRec>()
        .QueryKey(2)
        .Query(2),
    Family(kReqMcServiceProfileTemplate, kReqMcServiceProfileTemplateAdd, kReqMcServiceProfileTemplateDelete,
           kReqMcServiceProfileTemplateDeleteAll)
        .Of<McServiceProfileRec>()
        .QueryKey(kMcServiceProfileNameWidth)
        .Query(kMcServiceProfileNameWidth),
    Family(kReqTrafficPolicingProfileTemplate, kReqTrafficPolicingProfileTemplateAdd,
           kReqTrafficPolicingProfileTemplateDelete, kReqTrafficPolicingProfileTemplateDeleteAll)
        .Of<TrafficPolicingProfileRec>()
        .QueryKey(kTrafficPolicingProfileNameWidth)
        .Query(kTrafficPolicingProfileNameWidth),
    Family(kReqAlarmDefTemplate).Of<AlarmDefRec>().Query(8),
    Family(kReqShdslLineProfileTemplate, kReqShdslLineProfileTemplateAdd, kReqShdslLineProfileTemplateDelete,
           kReqShdslLineProfileTemplateDeleteAll)
        .Of<ShdslLineProfileRec>()
        .QueryKey(kShdslLineProfileNameWidth),
    Family(kReqShdslPmThresholdProfileTemplate, kReqShdslPmThresholdProfileTemplateAdd,
           kReqShdslPmThresholdProfileTemplateDelete, kReqShdslPmThresholdProfileTemplateDeleteAll)
        .Of<ShdslPmThresholdProfileRec>()
        .QueryKey(kShdslPmThresholdProfileNameWidth)
        .Query(kShdslPmThresholdProfileNameWidth),

    // ARP proxy, cascaded management, remote NEs.
    // An entry query names a line card or a trunk port, not the leading bytes of the entries it selects.
    Family(kReqArpProxyEntry).Of<ArpProxyEntryRec>().QueryOf<ArpProxyEntryQueryRec>(),
    Single(kReqArpProxy).Of<ArpProxySettingRec>(),
    Single(kReqCascadedMgmt).Of<CascadedMgmtRecord>(),
    Family(kReqRemoteNe, kReqRemoteNeAdd, kReqRemoteNeDelete).Of<RemoteNeRecord>().QueryKey(4).AutoId(),
    Count(kReqRemoteNeCount, kReqRemoteNe),

    // The NE's own system functions.
    Single(kReqNeTime).Of<NeTimeRecord>().Direct(DirectScalars().Writable()),
    Family(kReqNeFwUpgrade).Of<NeFwUpgradeRecord>().Query(1),
    Single(kReqMacAging).Of<StatePeriodRec>(),
    Single(kReqNeConfig).Of<NeConfigRecord>(),
    Family(kReqNeSnmpManager, kReqNeSnmpManagerAdd, kReqNeSnmpManagerDelete).Of<NeSnmpManagerRecord>(),
    Family(kReqNeSnmpCommunity, kReqNeSnmpCommunityAdd, kReqNeSnmpCommunityDelete)
        .Of<NeSnmpCommunityRecord>()
        .Direct(DirectTable().Writable().RowStatus()),
    Single(kReqNeBootPartition).Of<BootPartitionRecord>(),
    Single(kReqNeDns).Of<NeDnsServerRec>(),
    Single(kReqNeTimeServer).Of<NeTimeServerRecord>(),
    Action(kReqNeTimeAdjust).Of<WordRecord>(),
    Single(kReqRedundancySync).Of<StatePeriodRec>(),
    Action(kReqRedundancySyncNow),
    Family(kReqNeUserAccount, kReqNeUserAccountAdd, kReqNeUserAccountDelete)
        .Of<NeUserAccountRecord>()
        .Direct(DirectTable().Writable().RowStatus()),
    Single(kReqSecuredHost).Of<SecuredHostRecord>().StartsEmpty(),
    Single(kReqSecuredHostState).Of<WordRecord>(),
    Single(kReqNetBiosFilter).Of<WordRecord>(),
    Action(kReqShdslCardUpgrade).Of<WordRecord>().QueryOf<ShdslCardStatusRecord>(),
    Family(kReqBoardSetting).Of<BoardSettingRec>().Query(1).Direct(DirectTable().Writable()),
    Single(kReqTelnetTimeout).Of<WordRecord>(),
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
    Family(kReqNeAlarmInput).Of<NeAlarmInputRec>(),
    Family(kReqHwMonitor).Of<HwMonRec>().QueryKey(4),
    Single(kReqHwMonThreshold).Of<HwMonThresholdRec>(),
    Family(kReqNeAlarmOutput).Of<NeAlarmOutputRec>(),
    Action(kReqNeReboot),
    Action(kReqCardReset).Of<WordRecord>(),
    Action(kReqPortReset).Of<WordRecord>(),
    Action(kReqFlashWrite),
    Action(kReqOamLoopback).Of<OamLoopbackRec>(),
    Action(kReqNeSnmpCheck),
    Action(kReqNePing),
    Action(kReqFlashErase),
    Action(kReqNeFsFormat).Of<WordRecord>(),
    Single(kReqNeFsFile).Of<NeFsFileRecord>().StartsEmpty(),
    Single(kReqNeFsCopy).Of<NeFsCopyRecord>(),
    Count(kReqNeUserAccountCount, kReqNeUserAccount),
    Count(kReqNeSnmpManagerCount, kReqNeSnmpManager),
    Count(kReqNeSnmpCommunityCount, kReqNeSnmpCommunity),

    // Subscribers, PVCs and the ATM layer.
    Family(kReqSubscriber, kReqSubscriberAdd, kReqSubscriberDelete)
        .Of<SubscriberRecord>()
        .QueryOf<SubscriberCriteria>(),
    Family(kReqPvc, kReqPvcAdd, kReqPvcDelete).Of<PvcRec>().QueryKey(4),
    Single(kReqPvcRuleCheck).Of<PvcRuleCheckRec>().StartsEmpty(),
    Single(kReqIpTrafficRuleCheck).Of<PvcRuleCheckRec>().StartsEmpty(),
    Single(kReqTrafficPolicingRuleCheck).Of<PvcRuleCheckRec>().StartsEmpty(),
    Single(kReqVlanMacLimitCheck).Of<VlanSettingRec>().StartsEmpty(),
    Single(kReqServiceTypeCheck).Of<ServiceTypeCheckRec>().StartsEmpty(),
    Family(kReqPvcRowStatus).Of<PvcRowStatusRec>().QueryKey(8),
    Family(kReqPvcStaticIp, kReqPvcStaticIpAdd, kReqPvcStaticIpDelete).Of<PvcStaticIpEntry>().QueryKey(8),
    Family(kReqNextHop, kReqNextHopAdd, kReqNextHopDelete).Of<NextHopRec>().Query(1),
    Count(kReqNextHopCount, kReqNextHop),

    // NE profiles.
    Family(kReqIpTrafficProfile, kReqIpTrafficProfileAdd, kReqIpTrafficProfileDelete).Of<IpTrafficProfileRec>(),
    Count(kReqIpTrafficProfileCount, kReqIpTrafficProfile),
    Family(kReqMcChannelProfile, kReqMcChannelProfileAdd, kReqMcChannelProfileDelete)
        .Of<McChannelProfileRec>()
        .QueryKey(2)
        .Query(2),
    Count(kReqMcChannelProfileCount, kReqMcChannelProfile),
    Family(kReqMcServiceProfile, kReqMcServiceProfileAdd, kReqMcServiceProfileDelete)
        .Of<McServiceProfileRec>()
        .QueryKey(kMcServiceProfileNameWidth)
        .Query(kMcServiceProfileNameWidth),
    Count(kReqMcServiceProfileCount, kReqMcServiceProfile),
    Family(kReqTrafficPolicingProfile, kReqTrafficPolicingProfileAdd, kReqTrafficPolicingProfileDelete)
        .Of<TrafficPolicingProfileRec>()
        .QueryKey(kTrafficPolicingProfileNameWidth)
        .Query(kTrafficPolicingProfileNameWidth),
    Count(kReqTrafficPolicingProfileCount, kReqTrafficPolicingProfile),

    // Multicast, bridging, DHCP, PPPoE, ACLs and VLANs.
    Family(kReqMcChannel, kReqMcChannelAdd, kReqMcChannelDelete).Of<McChannelRec>().QueryKey(4).QueryOf<PvcKeyRec>(),
    Family(kReqStaticFdb, kReqStaticFdbAdd, kReqStaticFdbDelete).Of<FdbEntryRec>().QueryKey(4).QueryOf<FdbQueryRec>(),
    Family(kReqFdb, 0, kReqFdbDelete).Of<FdbEntryRec>().QueryKey(4).QueryOf<FdbQueryRec>(),
    Family(kReqVlanMembership).Of<VlanMembershipRec>().QueryKey(2).Query(2),
    Single(kReqAclCheck).Of<AclCheckRec>().StartsEmpty(),
    Single(kReqMacSpoof).Of<MacSpoofRec>().Query(4),
    Action(kReqMacSpoofAction).Of<MacSpoofActionRec>(),
    Single(kReqMacSpoofCheck).Of<MacSpoofCheckRec>().StartsEmpty(),
    Family(kReqMcGroupMember).Of<McGroupMemberRec>().QueryOf<McGroupQueryRec>(),
    Family(kReqMcChannelStatus).Of<McChannelStatusRec>().QueryKey(4).QueryOf<McChannelStatusQueryRec>(),
    Single(kReqIgmpSnooping).Of<IgmpSnoopingRec>(),
    Single(kReqIgmpProxy).Of<IgmpProxyRec>(),
    Single(kReqIgmpSetting).Of<IgmpSettingRec>(),
    Single(kReqDhcp).Of<DhcpSettingRec>(),
    Family(kReqDhcpAgentId).Of<DhcpAgentIdRec>(),
    Family(kReqDhcpRelayServer, kReqDhcpRelayServerAdd, kReqDhcpRelayServerDelete).Of<DhcpRelayServerRec>(),
    Single(kReqDhcpBroadcast).Of<DhcpBroadcastControlRec>(),
    Family(kReqDhcpTransaction).Of<DhcpTransactionRec>(),
    Count(kReqDhcpRelayServerCount, kReqDhcpRelayServer),
    Single(kReqPppoe).Of<WordRecord>(),
    Family(kReqPppoeSession).Of<PppoeSessionRec>().QueryKey(4),
    Family(kReqAcl, kReqAclAdd, kReqAclDelete).Of<AclEntryRec>().QueryKey(4).QueryOf<WordRecord>(),
    Family(kReqVlanMacLimit).Of<VlanMacLimitRec>().QueryKey(2),
    Family(kReqProtocolVlan, kReqProtocolVlanAdd, kReqProtocolVlanDelete).Of<ProtocolVlanRec>().Query(1),
    Single(kReqProtocolVlanState).Of<WordRecord>(),

    // ADSL lines and their profiles. The record size of the rate status is the NE's own. The PM of a port is its
    // rows in the NE's tables: a query names the port.
    Family(kReqAdslPmCo)
        .Of<AdslCurrentPmRec>()
        .QueryOf<WordRecord>()
        .QueryKey(4)
        .Direct(DirectTable().Range(DirectRange::kKeyPrefix)),
    Family(kReqAdslPmRt)
        .Of<AdslCurrentPmRec>()
        .QueryOf<WordRecord>()
        .QueryKey(4)
        .Direct(DirectTable().Range(DirectRange::kKeyPrefix)),
    Family(kReqAdslBlockCo)
        .Of<AdslBlockPmRec>()
        .QueryOf<WordRecord>()
        .QueryKey(4)
        .Direct(DirectTable().Range(DirectRange::kKeyPrefix)),
    Family(kReqAdslBlockRt)
        .Of<AdslBlockPmRec>()
        .QueryOf<WordRecord>()
        .QueryKey(4)
        .Direct(DirectTable().Range(DirectRange::kKeyPrefix)),
    Family(kReqAdslHistoryCo)
        .Of<XdslPmIntervalRec>()
        .QueryOf<AdslHistoryQueryRec>()
        .QueryKey(4)
        .Direct(DirectTable().Range(DirectRange::kKeyPrefix)),
    Family(kReqAdslHistoryRt)
        .Of<XdslPmIntervalRec>()
        .QueryOf<AdslHistoryQueryRec>()
        .QueryKey(4)
        .Direct(DirectTable().Range(DirectRange::kKeyPrefix)),
    Family(kReqAdslPort).Of<AdslPortRec>().QueryKey(4),
    // A query names the line card's slot only.
    Family(kReqPktFilter).Of<PktFilterRec>().QueryKey(1),
    Family(kReqPktFilterGroup).Of<PktFilterGroupRec>().QueryKey(1),
    Family(kReqAdslLineProfile, kReqAdslLineProfileAdd, kReqAdslLineProfileDelete).Of<AdslLineProfileRec>(),
    Count(kReqAdslLineProfileCount, kReqAdslLineProfile),
    Family(kReqPmThresholdProfile, kReqPmThresholdProfileAdd, kReqPmThresholdProfileDelete)
        .Of<XdslPmThresholdProfileRec>()
        .QueryKey(kXdslPmThresholdProfileNameWidth)
        .Query(kXdslPmThresholdProfileNameWidth),
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
        .QueryKey(kShdslPmThresholdProfileNameWidth)
        .Query(kShdslPmThresholdProfileNameWidth),
    Family(kReqShdslPort).Of<ShdslPortRec>().QueryKey(4),
    Family(kReqShdslRateStatus).Of<ShdslRateStatusRec>().QueryOf<WordRecord>().QueryKey(4),
    Family(kReqShdslPm).Of<ShdslPmRec>().QueryOf<ShdslPmQueryRec>().QueryKey(8),
    Family(kReqShdslHistory).Of<ShdslIntervalRec>().QueryOf<ShdslHistoryQueryRec>().QueryKey(12),
    Count(kReqShdslProfileCount, kReqShdslLineProfile),

    // The NE's network configuration and CLI prompt.
    Single(kReqNeNetworkConfig).Of<NeNetworkConfigRec>(),
    Single(kReqCliPrompt).Of<CliPromptRec>(),
    Single(kReqCliPromptDual).Of<CliPromptRec>(),
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
