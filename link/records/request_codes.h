#pragma once
// The request codes of the whole system, each named once, after the record it carries or the action it asks for,
// with the record's type (request_code.h). A family's query/modify code has the plain name; its siblings add Add,
// Delete and DeleteAll and carry the family's record; its Count code carries the count. How the peers serve each code
// is in the request catalogue (request_catalogue.h). The records are declared here only: their headers hold them.

#include "link/records/request_code.h"

// The server and its operators.
struct AlarmTriggerRec;
struct BackupRecord;
struct CommandRecord;
struct DiscoveryRangeRec;
struct FoundNeRec;
struct LocationRecord;
struct NeKeyRecord;
struct OnlineUserRecord;
struct OpLogRecord;
struct OperatorMailRecord;
struct ProfileSyncRec;
struct ServerOptionRecord;
struct ServerResourceRecord;
struct ServerScheduleRecord;
struct UserAccountRecord;
struct UserRightsRecord;
struct WordRecord;
inline constexpr RequestCode<NoRecord> kReqKeepAlive{1};
inline constexpr RequestCode<CommandRecord> kReqNeCommand{2}; // a command line for an NE, through the server
inline constexpr RequestCode<ServerOptionRecord> kReqServerOption{3};
inline constexpr RequestCode<WordRecord> kReqServerTime{4};
inline constexpr RequestCode<ServerResourceRecord> kReqServerResource{7};
inline constexpr RequestCode<OperatorMailRecord> kReqOperatorMail{8};
inline constexpr RequestCode<UserAccountRecord> kReqUserAccount{10};
inline constexpr RequestCode<NoRecord> kReqLogon{11}; // the driver puts the logon record in
inline constexpr RequestCode<NoRecord> kReqLogoff{12};
inline constexpr RequestCode<UserAccountRecord> kReqUserAccountAdd{13};
inline constexpr RequestCode<UserAccountRecord> kReqUserAccountDelete{14};
inline constexpr RequestCode<UserRightsRecord> kReqUserRights{15};
inline constexpr RequestCode<OpLogRecord> kReqOpLog{16};
inline constexpr RequestCode<OnlineUserRecord> kReqOnlineUser{18};
inline constexpr RequestCode<LocationRecord> kReqLocation{20};
inline constexpr RequestCode<LocationRecord> kReqLocationAdd{21};
inline constexpr RequestCode<LocationRecord> kReqLocationDelete{22};
inline constexpr RequestCode<DiscoveryRangeRec> kReqDiscoveryRange{25};
inline constexpr RequestCode<DiscoveryRangeRec> kReqDiscoveryRangeAdd{26};
inline constexpr RequestCode<DiscoveryRangeRec> kReqDiscoveryRangeDelete{27};
inline constexpr RequestCode<FoundNeRec> kReqFoundNe{28};
inline constexpr RequestCode<FoundNeRec> kReqFoundNeDelete{29};
inline constexpr RequestCode<NeKeyRecord> kReqNeKey{30};
inline constexpr RequestCode<NeKeyRecord> kReqNeKeyAdd{31};
inline constexpr RequestCode<NeKeyRecord> kReqNeKeyDelete{32};
inline constexpr RequestCode<NeKeyRecord> kReqNeKeyAll{33}; // every NE record, at login
inline constexpr RequestCode<NoRecord> kReqLoginQuery{34};  // sent at login; its reply is the dispatcher's business
inline constexpr RequestCode<AlarmTriggerRec> kReqAlarmTrigger{35};
inline constexpr RequestCode<AlarmTriggerRec> kReqAlarmTriggerAdd{36};
inline constexpr RequestCode<AlarmTriggerRec> kReqAlarmTriggerDelete{37};
inline constexpr RequestCode<ServerScheduleRecord> kReqServerSchedule{40};
inline constexpr RequestCode<BackupRecord> kReqNeBackup{41};
inline constexpr RequestCode<BackupRecord> kReqNeBackupAdd{42};
inline constexpr RequestCode<BackupRecord> kReqNeBackupDelete{43};
inline constexpr RequestCode<BackupRecord> kReqNeBackupRestore{44};
inline constexpr RequestCode<BackupRecord> kReqDbBackup{45};
inline constexpr RequestCode<BackupRecord> kReqDbBackupAdd{46};
inline constexpr RequestCode<BackupRecord> kReqDbBackupDelete{47};
inline constexpr RequestCode<BackupRecord> kReqDbBackupRestore{48};
inline constexpr RequestCode<ProfileSyncRec> kReqConfigUpload{50}; // NE to server
// Server to NE; also synchronises NE profiles with templates.
inline constexpr RequestCode<ProfileSyncRec> kReqConfigDownload{51};
inline constexpr RequestCode<ProfileSyncRec> kReqConfigVerify{52};

// Long-term performance monitoring.
struct LongTermPmItemRec;
struct XdslPmIntervalRec;
inline constexpr RequestCode<LongTermPmItemRec> kReqLongTermPmItem{100};
inline constexpr RequestCode<LongTermPmItemRec> kReqLongTermPmItemAdd{101};
inline constexpr RequestCode<LongTermPmItemRec> kReqLongTermPmItemDelete{102};
inline constexpr RequestCode<XdslPmIntervalRec> kReqLongTermPmCo{110};
inline constexpr RequestCode<XdslPmIntervalRec> kReqLongTermPmRt{111};

// Profile templates on the server (NE 0).
struct AdslLineProfileRec;
struct AlarmDefRec;
struct IpTrafficProfileRec;
struct McChannelProfileRec;
struct McServiceProfileRec;
struct ShdslLineProfileRec;
struct ShdslPmThresholdProfileRec;
struct TrafficPolicingProfileRec;
struct XdslPmThresholdProfileRec;
inline constexpr RequestCode<AdslLineProfileRec> kReqAdslLineProfileTemplate{120};
inline constexpr RequestCode<AdslLineProfileRec> kReqAdslLineProfileTemplateAdd{121};
inline constexpr RequestCode<AdslLineProfileRec> kReqAdslLineProfileTemplateDelete{122};
inline constexpr RequestCode<AdslLineProfileRec> kReqAdslLineProfileTemplateDeleteAll{123};
inline constexpr RequestCode<XdslPmThresholdProfileRec> kReqPmThresholdProfileTemplate{124};
inline constexpr RequestCode<XdslPmThresholdProfileRec> kReqPmThresholdProfileTemplateAdd{125};
inline constexpr RequestCode<XdslPmThresholdProfileRec> kReqPmThresholdProfileTemplateDelete{126};
inline constexpr RequestCode<XdslPmThresholdProfileRec> kReqPmThresholdProfileTemplateDeleteAll{127};
inline constexpr RequestCode<IpTrafficProfileRec> kReqIpTrafficProfileTemplate{128};
inline constexpr RequestCode<IpTrafficProfileRec> kReqIpTrafficProfileTemplateAdd{129};
inline constexpr RequestCode<IpTrafficProfileRec> kReqIpTrafficProfileTemplateDelete{130};
inline constexpr RequestCode<IpTrafficProfileRec> kReqIpTrafficProfileTemplateDeleteAll{131};
inline constexpr RequestCode<McChannelProfileRec> kReqMcChannelProfileTemplate{132};
inline constexpr RequestCode<McChannelProfileRec> kReqMcChannelProfileTemplateAdd{133};
inline constexpr RequestCode<McChannelProfileRec> kReqMcChannelProfileTemplateDelete{134};
inline constexpr RequestCode<McChannelProfileRec> kReqMcChannelProfileTemplateDeleteAll{135};
inline constexpr RequestCode<McServiceProfileRec> kReqMcServiceProfileTemplate{136};
inline constexpr RequestCode<McServiceProfileRec> kReqMcServiceProfileTemplateAdd{137};
inline constexpr RequestCode<McServiceProfileRec> kReqMcServiceProfileTemplateDelete{138};
inline constexpr RequestCode<McServiceProfileRec> kReqMcServiceProfileTemplateDeleteAll{139};
inline constexpr RequestCode<TrafficPolicingProfileRec> kReqTrafficPolicingProfileTemplate{140};
inline constexpr RequestCode<TrafficPolicingProfileRec> kReqTrafficPolicingProfileTemplateAdd{141};
inline constexpr RequestCode<TrafficPolicingProfileRec> kReqTrafficPolicingProfileTemplateDelete{142};
inline constexpr RequestCode<TrafficPolicingProfileRec> kReqTrafficPolicingProfileTemplateDeleteAll{143};
inline constexpr RequestCode<AlarmDefRec> kReqAlarmDefTemplate{145};
inline constexpr RequestCode<ShdslLineProfileRec> kReqShdslLineProfileTemplate{150};
inline constexpr RequestCode<ShdslLineProfileRec> kReqShdslLineProfileTemplateAdd{151};
inline constexpr RequestCode<ShdslLineProfileRec> kReqShdslLineProfileTemplateDelete{152};
inline constexpr RequestCode<ShdslLineProfileRec> kReqShdslLineProfileTemplateDeleteAll{153};
inline constexpr RequestCode<ShdslPmThresholdProfileRec> kReqShdslPmThresholdProfileTemplate{154};
inline constexpr RequestCode<ShdslPmThresholdProfileRec> kReqShdslPmThresholdProfileTemplateAdd{155};
inline constexpr RequestCode<ShdslPmThresholdProfileRec> kReqShdslPmThresholdProfileTemplateDelete{156};
inline constexpr RequestCode<ShdslPmThresholdProfileRec> kReqShdslPmThresholdProfileTemplateDeleteAll{157};

// ARP proxy, cascaded management, remote NEs.
struct ArpProxyEntryRec;
struct ArpProxySettingRec;
struct CascadedMgmtRecord;
struct RemoteNeRecord;
inline constexpr RequestCode<ArpProxyEntryRec> kReqArpProxyEntry{158};
inline constexpr RequestCode<ArpProxySettingRec> kReqArpProxy{159};
inline constexpr RequestCode<CascadedMgmtRecord> kReqCascadedMgmt{161};
inline constexpr RequestCode<RemoteNeRecord> kReqRemoteNe{162};
inline constexpr RequestCode<RemoteNeRecord> kReqRemoteNeAdd{163};
inline constexpr RequestCode<RemoteNeRecord> kReqRemoteNeDelete{164};
inline constexpr RequestCode<RecordCount> kReqRemoteNeCount{165};

// The NE's own system functions.
struct AlarmAckRec;
struct AlarmEventRec;
struct AlarmStatRec;
struct BoardSettingRec;
struct BootPartitionRecord;
struct EntityStateRec;
struct HwMonRec;
struct HwMonThresholdRec;
struct NeAlarmInputRec;
struct NeAlarmLogRec;
struct NeAlarmOutputRec;
struct NeConfigRecord;
struct NeDnsServerRec;
struct NeFsCopyRecord;
struct NeFsFileRecord;
struct NeFwUpgradeRecord;
struct NeSnmpCommunityRecord;
struct NeSnmpManagerRecord;
struct NeTimeRecord;
struct NeTimeServerRecord;
struct NeUserAccountRecord;
struct OamLoopbackRec;
struct SecuredHostRecord;
struct StatePeriodRec;
inline constexpr RequestCode<NeTimeRecord> kReqNeTime{300};
inline constexpr RequestCode<NeFwUpgradeRecord> kReqNeFwUpgrade{301};
inline constexpr RequestCode<StatePeriodRec> kReqMacAging{302};
inline constexpr RequestCode<NeConfigRecord> kReqNeConfig{303};
inline constexpr RequestCode<NeSnmpManagerRecord> kReqNeSnmpManager{304};
inline constexpr RequestCode<NeSnmpManagerRecord> kReqNeSnmpManagerAdd{305};
inline constexpr RequestCode<NeSnmpManagerRecord> kReqNeSnmpManagerDelete{306};
inline constexpr RequestCode<NeSnmpCommunityRecord> kReqNeSnmpCommunity{307};
inline constexpr RequestCode<NeSnmpCommunityRecord> kReqNeSnmpCommunityAdd{308};
inline constexpr RequestCode<NeSnmpCommunityRecord> kReqNeSnmpCommunityDelete{309};
inline constexpr RequestCode<BootPartitionRecord> kReqNeBootPartition{310};
inline constexpr RequestCode<NeDnsServerRec> kReqNeDns{311};
inline constexpr RequestCode<NeTimeServerRecord> kReqNeTimeServer{312};
inline constexpr RequestCode<WordRecord> kReqNeTimeAdjust{313};
inline constexpr RequestCode<StatePeriodRec> kReqRedundancySync{314};
inline constexpr RequestCode<NoRecord> kReqRedundancySyncNow{315};
inline constexpr RequestCode<NeUserAccountRecord> kReqNeUserAccount{316};
inline constexpr RequestCode<NeUserAccountRecord> kReqNeUserAccountAdd{317};
inline constexpr RequestCode<NeUserAccountRecord> kReqNeUserAccountDelete{318};
inline constexpr RequestCode<SecuredHostRecord> kReqSecuredHost{319};
inline constexpr RequestCode<WordRecord> kReqSecuredHostState{320};
inline constexpr RequestCode<WordRecord> kReqNetBiosFilter{321};
inline constexpr RequestCode<WordRecord> kReqShdslCardUpgrade{322};
inline constexpr RequestCode<BoardSettingRec> kReqBoardSetting{323};
inline constexpr RequestCode<WordRecord> kReqTelnetTimeout{324};
inline constexpr RequestCode<EntityStateRec> kReqEntityState{325};
inline constexpr RequestCode<AlarmDefRec> kReqAlarmDef{327};
// Server: alarm and event query; direct: a page of the NE's alarm log.
inline constexpr RequestCode<AlarmEventRec> kReqAlarmEvent{328};
inline constexpr RequestCode<NeAlarmLogRec> kReqNeAlarmLog{329};         // direct: the first page of the NE's alarm log
inline constexpr RequestCode<EntityStateRec> kReqEntityStateChange{330}; // a notification only
inline constexpr RequestCode<AlarmStatRec> kReqAlarmStatistics{331};
inline constexpr RequestCode<NoRecord> kReqAlarmSync{332};
inline constexpr RequestCode<AlarmAckRec> kReqAlarmAck{333};
inline constexpr RequestCode<WordRecord> kReqNotificationsOn{334};
inline constexpr RequestCode<NeAlarmInputRec> kReqNeAlarmInput{336};
inline constexpr RequestCode<HwMonRec> kReqHwMonitor{337};
inline constexpr RequestCode<HwMonThresholdRec> kReqHwMonThreshold{338};
inline constexpr RequestCode<NeAlarmOutputRec> kReqNeAlarmOutput{339};
inline constexpr RequestCode<NoRecord> kReqNeReboot{340};
inline constexpr RequestCode<WordRecord> kReqCardReset{341};
inline constexpr RequestCode<WordRecord> kReqPortReset{342};
inline constexpr RequestCode<NoRecord> kReqFlashWrite{343};
inline constexpr RequestCode<OamLoopbackRec> kReqOamLoopback{344};
inline constexpr RequestCode<NoRecord> kReqNeSnmpCheck{345};
inline constexpr RequestCode<NoRecord> kReqNePing{346};
inline constexpr RequestCode<NoRecord> kReqFlashErase{347};
inline constexpr RequestCode<WordRecord> kReqNeFsFormat{360};
inline constexpr RequestCode<NeFsFileRecord> kReqNeFsFile{361};
inline constexpr RequestCode<NeFsCopyRecord> kReqNeFsCopy{362};
inline constexpr RequestCode<RecordCount> kReqNeUserAccountCount{363};
inline constexpr RequestCode<RecordCount> kReqNeSnmpManagerCount{364};
inline constexpr RequestCode<RecordCount> kReqNeSnmpCommunityCount{365};

// Subscribers, PVCs and the ATM layer.
struct NextHopRec;
struct PvcRec;
struct PvcRowStatusRec;
struct PvcRuleCheckRec;
struct PvcStaticIpEntry;
struct ServiceTypeCheckRec;
struct SubscriberRecord;
struct VlanSettingRec;
inline constexpr RequestCode<SubscriberRecord> kReqSubscriber{400};
inline constexpr RequestCode<SubscriberRecord> kReqSubscriberAdd{401};
inline constexpr RequestCode<SubscriberRecord> kReqSubscriberDelete{402};
inline constexpr RequestCode<PvcRec> kReqPvc{410};
inline constexpr RequestCode<PvcRec> kReqPvcAdd{411};
inline constexpr RequestCode<PvcRec> kReqPvcDelete{412};
inline constexpr RequestCode<PvcRuleCheckRec> kReqPvcRuleCheck{413};
inline constexpr RequestCode<PvcRuleCheckRec> kReqIpTrafficRuleCheck{414};
inline constexpr RequestCode<PvcRuleCheckRec> kReqTrafficPolicingRuleCheck{415};
inline constexpr RequestCode<VlanSettingRec> kReqVlanMacLimitCheck{416};
inline constexpr RequestCode<ServiceTypeCheckRec> kReqServiceTypeCheck{417};
inline constexpr RequestCode<PvcRowStatusRec> kReqPvcRowStatus{418};
inline constexpr RequestCode<PvcStaticIpEntry> kReqPvcStaticIp{420};
inline constexpr RequestCode<PvcStaticIpEntry> kReqPvcStaticIpAdd{421};
inline constexpr RequestCode<PvcStaticIpEntry> kReqPvcStaticIpDelete{422};
inline constexpr RequestCode<NextHopRec> kReqNextHop{425};
inline constexpr RequestCode<NextHopRec> kReqNextHopAdd{426};
inline constexpr RequestCode<NextHopRec> kReqNextHopDelete{427};
inline constexpr RequestCode<RecordCount> kReqNextHopCount{428};

// NE profiles.
inline constexpr RequestCode<IpTrafficProfileRec> kReqIpTrafficProfile{430};
inline constexpr RequestCode<IpTrafficProfileRec> kReqIpTrafficProfileAdd{431};
inline constexpr RequestCode<IpTrafficProfileRec> kReqIpTrafficProfileDelete{432};
inline constexpr RequestCode<RecordCount> kReqIpTrafficProfileCount{435};
inline constexpr RequestCode<McChannelProfileRec> kReqMcChannelProfile{440};
inline constexpr RequestCode<McChannelProfileRec> kReqMcChannelProfileAdd{441};
inline constexpr RequestCode<McChannelProfileRec> kReqMcChannelProfileDelete{442};
inline constexpr RequestCode<RecordCount> kReqMcChannelProfileCount{444};
inline constexpr RequestCode<McServiceProfileRec> kReqMcServiceProfile{450};
inline constexpr RequestCode<McServiceProfileRec> kReqMcServiceProfileAdd{451};
inline constexpr RequestCode<McServiceProfileRec> kReqMcServiceProfileDelete{452};
inline constexpr RequestCode<RecordCount> kReqMcServiceProfileCount{454};
inline constexpr RequestCode<TrafficPolicingProfileRec> kReqTrafficPolicingProfile{460};
inline constexpr RequestCode<TrafficPolicingProfileRec> kReqTrafficPolicingProfileAdd{461};
inline constexpr RequestCode<TrafficPolicingProfileRec> kReqTrafficPolicingProfileDelete{462};
inline constexpr RequestCode<RecordCount> kReqTrafficPolicingProfileCount{464};

// Multicast, bridging, DHCP, PPPoE, ACLs and VLANs.
struct AclCheckRec;
struct AclEntryRec;
struct DhcpAgentIdRec;
struct DhcpBroadcastControlRec;
struct DhcpRelayServerRec;
struct DhcpSettingRec;
struct DhcpTransactionRec;
struct FdbEntryRec;
struct IgmpProxyRec;
struct IgmpSettingRec;
struct IgmpSnoopingRec;
struct MacSpoofActionRec;
struct MacSpoofCheckRec;
struct MacSpoofRec;
struct McChannelRec;
struct McChannelStatusRec;
struct McGroupMemberRec;
struct PppoeSessionRec;
struct ProtocolVlanRec;
struct VlanMacLimitRec;
struct VlanMembershipRec;
inline constexpr RequestCode<McChannelRec> kReqMcChannel{470};
inline constexpr RequestCode<McChannelRec> kReqMcChannelAdd{471};
inline constexpr RequestCode<McChannelRec> kReqMcChannelDelete{472};
inline constexpr RequestCode<FdbEntryRec> kReqStaticFdb{478};
inline constexpr RequestCode<FdbEntryRec> kReqStaticFdbDelete{479};
inline constexpr RequestCode<FdbEntryRec> kReqFdb{480};
inline constexpr RequestCode<VlanMembershipRec> kReqVlanMembership{481};
inline constexpr RequestCode<FdbEntryRec> kReqStaticFdbAdd{482};
inline constexpr RequestCode<FdbEntryRec> kReqFdbDelete{483};
inline constexpr RequestCode<AclCheckRec> kReqAclCheck{484};
inline constexpr RequestCode<MacSpoofRec> kReqMacSpoof{485};
inline constexpr RequestCode<MacSpoofActionRec> kReqMacSpoofAction{486};
inline constexpr RequestCode<MacSpoofCheckRec> kReqMacSpoofCheck{487};
inline constexpr RequestCode<McGroupMemberRec> kReqMcGroupMember{490};
inline constexpr RequestCode<McChannelStatusRec> kReqMcChannelStatus{491};
inline constexpr RequestCode<IgmpSnoopingRec> kReqIgmpSnooping{493};
inline constexpr RequestCode<IgmpProxyRec> kReqIgmpProxy{494};
inline constexpr RequestCode<IgmpSettingRec> kReqIgmpSetting{495};
inline constexpr RequestCode<DhcpSettingRec> kReqDhcp{500};
inline constexpr RequestCode<DhcpAgentIdRec> kReqDhcpAgentId{501};
inline constexpr RequestCode<DhcpRelayServerRec> kReqDhcpRelayServer{502};
inline constexpr RequestCode<DhcpRelayServerRec> kReqDhcpRelayServerAdd{503};
inline constexpr RequestCode<DhcpRelayServerRec> kReqDhcpRelayServerDelete{504};
inline constexpr RequestCode<DhcpBroadcastControlRec> kReqDhcpBroadcast{505};
inline constexpr RequestCode<DhcpTransactionRec> kReqDhcpTransaction{506};
inline constexpr RequestCode<RecordCount> kReqDhcpRelayServerCount{507};
inline constexpr RequestCode<WordRecord> kReqPppoe{510};
inline constexpr RequestCode<PppoeSessionRec> kReqPppoeSession{511};
inline constexpr RequestCode<AclEntryRec> kReqAcl{520};
inline constexpr RequestCode<AclEntryRec> kReqAclAdd{521};
inline constexpr RequestCode<AclEntryRec> kReqAclDelete{522};
inline constexpr RequestCode<VlanMacLimitRec> kReqVlanMacLimit{530};
inline constexpr RequestCode<ProtocolVlanRec> kReqProtocolVlan{540};
inline constexpr RequestCode<ProtocolVlanRec> kReqProtocolVlanAdd{541};
inline constexpr RequestCode<ProtocolVlanRec> kReqProtocolVlanDelete{542};
inline constexpr RequestCode<WordRecord> kReqProtocolVlanState{543};

// ADSL lines and their profiles.
struct AdslCurrentPmRec;
struct AdslPortRec;
struct AdslBlockPmRec;
struct AdslPowerStateRec;
struct AdslRateStatusRec;
struct BitsAllocRec;
struct LineTestCtrlRec;
struct LoopDiagCtrlRec;
struct LoopDiagResultRec;
struct LoopMonResultRec;
struct PktFilterGroupRec;
struct PktFilterRec;
struct SeltResultRec;
struct VlanBitMapRec;
inline constexpr RequestCode<AdslCurrentPmRec> kReqAdslPmCo{600};
inline constexpr RequestCode<AdslCurrentPmRec> kReqAdslPmRt{601};
inline constexpr RequestCode<AdslBlockPmRec> kReqAdslBlockCo{602};
inline constexpr RequestCode<AdslBlockPmRec> kReqAdslBlockRt{603};
inline constexpr RequestCode<XdslPmIntervalRec> kReqAdslHistoryCo{616};
inline constexpr RequestCode<XdslPmIntervalRec> kReqAdslHistoryRt{617};
inline constexpr RequestCode<AdslPortRec> kReqAdslPort{630};
inline constexpr RequestCode<PktFilterRec> kReqPktFilter{635};
inline constexpr RequestCode<PktFilterGroupRec> kReqPktFilterGroup{636};
inline constexpr RequestCode<AdslLineProfileRec> kReqAdslLineProfile{640};
inline constexpr RequestCode<AdslLineProfileRec> kReqAdslLineProfileAdd{641};
inline constexpr RequestCode<AdslLineProfileRec> kReqAdslLineProfileDelete{642};
inline constexpr RequestCode<RecordCount> kReqAdslLineProfileCount{644};
inline constexpr RequestCode<XdslPmThresholdProfileRec> kReqPmThresholdProfile{650};
inline constexpr RequestCode<XdslPmThresholdProfileRec> kReqPmThresholdProfileAdd{651};
inline constexpr RequestCode<XdslPmThresholdProfileRec> kReqPmThresholdProfileDelete{652};
inline constexpr RequestCode<RecordCount> kReqPmThresholdProfileCount{654};
inline constexpr RequestCode<AdslRateStatusRec> kReqAdslRateStatus{661};
inline constexpr RequestCode<BitsAllocRec> kReqBitsAlloc{662};
inline constexpr RequestCode<LoopDiagCtrlRec> kReqLoopDiagCtrl{663};
inline constexpr RequestCode<LoopDiagResultRec> kReqLoopDiagResult{664};
inline constexpr RequestCode<LineTestCtrlRec> kReqLoopMonCtrl{665};
inline constexpr RequestCode<LoopMonResultRec> kReqLoopMonResult{666};
inline constexpr RequestCode<LineTestCtrlRec> kReqSeltCtrl{667};
inline constexpr RequestCode<SeltResultRec> kReqSeltResult{668};
inline constexpr RequestCode<AdslPowerStateRec> kReqAdslPowerState{669};
inline constexpr RequestCode<VlanBitMapRec> kReqBroadcastVlan{670};

// Trunk ports.
struct CosMappingRec;
struct LacpPortStatusRec;
struct LinkAggregationRec;
struct RstpBridgeRec;
struct RstpPortRec;
struct SfpInfoRec;
struct TrunkPmRec;
struct TrunkPortModeRec;
struct TrunkPortRec;
inline constexpr RequestCode<TrunkPmRec> kReqTrunkPm{700};
inline constexpr RequestCode<TrunkPortRec> kReqTrunkPort{710};
inline constexpr RequestCode<LinkAggregationRec> kReqLinkAggregation{711};
inline constexpr RequestCode<LacpPortStatusRec> kReqLacpStatus{712};
inline constexpr RequestCode<WordRecord> kReqStaticLinkAggregation{713};
inline constexpr RequestCode<RstpBridgeRec> kReqRstpBridge{714};
inline constexpr RequestCode<RstpPortRec> kReqRstpPort{715};
inline constexpr RequestCode<CosMappingRec> kReqCosMapping{716};
inline constexpr RequestCode<TrunkPortModeRec> kReqTrunkPortMode{717};
inline constexpr RequestCode<SfpInfoRec> kReqSfp{720};
inline constexpr RequestCode<VlanBitMapRec> kReqTrunkVlan{725};
inline constexpr RequestCode<VlanBitMapRec> kReqTrunkVlanMember{726};

// SHDSL lines and their profiles.
struct ShdslIntervalRec;
struct ShdslPmRec;
struct ShdslPortRec;
struct ShdslRateStatusRec;
inline constexpr RequestCode<ShdslLineProfileRec> kReqShdslLineProfile{800};
inline constexpr RequestCode<ShdslLineProfileRec> kReqShdslLineProfileAdd{801};
inline constexpr RequestCode<ShdslLineProfileRec> kReqShdslLineProfileDelete{802};
inline constexpr RequestCode<ShdslPmThresholdProfileRec> kReqShdslPmThresholdProfile{804};
inline constexpr RequestCode<ShdslPmThresholdProfileRec> kReqShdslPmThresholdProfileAdd{805};
inline constexpr RequestCode<ShdslPmThresholdProfileRec> kReqShdslPmThresholdProfileDelete{806};
inline constexpr RequestCode<ShdslPortRec> kReqShdslPort{808};
inline constexpr RequestCode<ShdslRateStatusRec> kReqShdslRateStatus{809};
inline constexpr RequestCode<ShdslPmRec> kReqShdslPm{810};
inline constexpr RequestCode<ShdslIntervalRec> kReqShdslHistory{811};
inline constexpr RequestCode<RecordCount> kReqShdslProfileCount{812}; // both SHDSL profile kinds

// The NE's network configuration and CLI prompt.
struct CliPromptRec;
struct NeNetworkConfigRec;
inline constexpr RequestCode<NeNetworkConfigRec> kReqNeNetworkConfig{900};
inline constexpr RequestCode<CliPromptRec> kReqCliPrompt{901};
inline constexpr RequestCode<CliPromptRec> kReqCliPromptDual{902};

// The simulated management server's test control (served with --test-control only); the program never sends it.
struct SimControlRec;
inline constexpr RequestCode<SimControlRec> kReqSimControl{9000};
