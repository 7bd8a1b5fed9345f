#include "features/provisioning/provisioning_commands.h"

#include "features/provisioning/arp_proxy/adsl_arp_proxy_list_dlg.h"
#include "features/provisioning/arp_proxy/arp_proxy_setting_dlg.h"
#include "features/provisioning/arp_proxy/trunk_arp_proxy_list_dlg.h"
#include "features/provisioning/boards/board_setting_list_dlg.h"
#include "features/provisioning/cos/cos_mapping_dlg.h"
#include "features/provisioning/dhcp/dhcp_broadcast_control_dlg.h"
#include "features/provisioning/dhcp/dhcp_relay_server_list_dlg.h"
#include "features/provisioning/dhcp/dhcp_setting_dlg.h"
#include "features/provisioning/dhcp/xdsl_port_agent_id_list_dlg.h"
#include "features/provisioning/fast_prov/fast_prov_dlg.h"
#include "features/provisioning/igmp/igmp_proxy_dlg.h"
#include "features/provisioning/igmp/igmp_snoop_proxy_dlg.h"
#include "features/provisioning/igmp/igmp_snooping_dlg.h"
#include "features/provisioning/link_agg/link_agg_setting_dlg.h"
#include "features/provisioning/link_agg/link_agg_status_dlg.h"
#include "features/provisioning/link_agg/static_link_agg_dlg.h"
#include "features/provisioning/multicast/mc_fast_prov_dlg.h"
#include "features/provisioning/multicast/xdsl_mc_channel_list_dlg.h"
#include "features/provisioning/next_hops/ipoa_next_hop_dlg.h"
#include "features/provisioning/next_hops/ipoa_next_hop_list_dlg.h"
#include "features/provisioning/packet_filters/xdsl_pkt_filter_dlg.h"
#include "features/provisioning/packet_filters/xdsl_pkt_filter_group_dlg.h"
#include "features/provisioning/ports/adsl_port_list_dlg.h"
#include "features/provisioning/pppoe/pppoe_session_list_dlg.h"
#include "features/provisioning/pppoe/pppoe_setting_dlg.h"
#include "features/provisioning/profiles/adsl_line_profile_dlg.h"
#include "features/provisioning/profiles/profile_list_dlg.h"
#include "features/provisioning/profiles/shdsl_line_profile_dlg.h"
#include "features/provisioning/profiles/shdsl_pm_threshold_profile_dlg.h"
#include "features/provisioning/profiles/xdsl_ip_traffic_profile_dlg.h"
#include "features/provisioning/profiles/xdsl_mc_service_profile_dlg.h"
#include "features/provisioning/profiles/xdsl_pm_threshold_profile_dlg.h"
#include "features/provisioning/profiles/xdsl_traffic_policing_profile_dlg.h"
#include "features/provisioning/pvcs/xdsl_vc_vlan_list_dlg.h"
#include "features/provisioning/rstp/rstp_setting_dlg.h"
#include "features/provisioning/rstp/rstp_status_dlg.h"
#include "features/provisioning/sfp/sfp_info_dlg.h"
#include "features/provisioning/shdsl/shdsl_port_list_dlg.h"
#include "features/provisioning/slot_selection/xdsl_slot_selection_dlg.h"
#include "features/provisioning/source_macs/xdsl_acl_list_dlg.h"
#include "features/provisioning/static_macs/xdsl_fdb_config_list_dlg.h"
#include "features/provisioning/templates/config_verify_dlg.h"
#include "features/provisioning/templates/template_download_dlg.h"
#include "features/provisioning/templates/template_sync_dlg.h"
#include "features/provisioning/trunk/manual_vlan_dlg.h"
#include "features/provisioning/trunk/trunk_port_dlg.h"
#include "features/provisioning/trunk/trunk_port_list_dlg.h"
#include "features/provisioning/trunk/trunk_vlan_list_dlg.h"
#include "features/provisioning/vlans/protocol_vlan_list_dlg.h"
#include "features/provisioning/vlans/vlan_mac_limit_list_dlg.h"
#include "features/provisioning/vlans/vlan_membership_list_dlg.h"
#include "ui/framework/commands/command_registry.h"
#include "ui/framework/dialogs/dialog_request.h"

namespace {

// Popups of the main menus.
constexpr char kXdsl[] = "Configuration/xDSL";
constexpr char kDhcp[] = "Configuration/xDSL/DHCP";
constexpr char kPppoe[] = "Configuration/xDSL/PPPoE";
constexpr char kFastProvision[] = "Configuration/xDSL/Fast Provision";
constexpr char kPacketFilter[] = "Configuration/xDSL/Packet Filter";
constexpr char kArp[] = "Configuration/xDSL/ARP";
constexpr char kTrunk[] = "Configuration/Trunk";
constexpr char kProfile[] = "Configuration/Profile";
constexpr char kTemplate[] = "Configuration/Template";
constexpr char kDiagnosis[] = "Diagnosis";
constexpr char kXdslStatus[] = "Diagnosis/xDSL Current Status";
constexpr char kTrunkStatus[] = "Diagnosis/Trunk Current Status";

std::vector<Command> Commands()
{
    return {
        Command(33130).Menu(kXdsl, "ADSL Port Setting...", 10).NeOnline().Dialog<CAdslPortListDlg>(kTargetNeEntity),
        Command(33177).Menu(kXdsl, "SHDSL Port Setting...", 20).NeOnline().Dialog<CShdslPortListDlg>(kTargetNeEntity),
        Command(33022).Menu(kXdsl, "VC-to-VLAN...", 40).NeOnline().Dialog<CXdslVcVlanListDlg>(kTargetNeEntity),
        Command(33121)
            .Menu(kXdsl, "Multicast Channel...", 50)
            .NeOnline()
            .Dialog<CXdslMcChannelListDlg>(kTargetNeEntity),
        Command(33053)
            .Menu(kXdsl, "Next-hop Info for IP over ATM...", 60)
            .NeOnline()
            .Dialog<CIpoaNextHopListDlg>(kTargetNeEntity),
        Command(33171)
            .Menu(kXdsl, "IGMP Snooping / Proxy...", 70)
            .InNeSet()
            .Dialog<CIgmpSnoopProxyDlg>(kTargetNeEntity)
            .Access(kAccessModify),
        Command(33158)
            .Menu(kDhcp, "DHCP Setting...", 10)
            .InNeSet()
            .Dialog<CDhcpSettingDlg>(kTargetNeEntity)
            .Access(kAccessModify),
        Command(33159)
            .Menu(kDhcp, "DHCP Server for DHCP Relay...", 20)
            .InNeSet()
            .Dialog<CDhcpRelayServerListDlg>(kTargetNeEntity),
        Command(33182)
            .Menu(kDhcp, "DHCP Broadcast Control...", 30)
            .InNeSet()
            .Dialog<CDhcpBroadcastControlDlg>(kTargetNeOnly)
            .Access(kAccessModify),
        Command(33160).Menu(kXdsl, "Port Agent ID...", 90).InNeSet().Dialog<CXdslPortAgentIdListDlg>(kTargetNeEntity),
        Command(33185)
            .Menu(kPppoe, "PPPoE Setting...", 10)
            .InNeSet()
            .Dialog<CPppoeSettingDlg>(kTargetNeEntity)
            .Access(kAccessModify),
        Command(33116)
            .Menu(kFastProvision, "Port && VC-to-VLAN...", 10)
            .NeOnline()
            .Dialog<CFastProvDlg>(kTargetNeEntity),
        Command(33122)
            .Menu(kFastProvision, "Multicast Channel...", 20)
            .NeOnline()
            .Dialog<CMcFastProvDlg>(kTargetNeEntity),
        Command(33211)
            .Menu(kXdsl, "Bridge Filtering Database...", 130)
            .NeOnline()
            .Dialog<CXdslFdbConfigListDlg>(kTargetNeEntity),
        Command(33167).Menu(kXdsl, "Access Control List...", 140).InNeSet().Dialog<CXdslAclListDlg>(kTargetNeEntity),
        Command(33181).Menu(kXdsl, "VLAN MAC Limit...", 150).InNeSet().Dialog<CVlanMacLimitListDlg>(kTargetNeOnly),
        Command(33215)
            .Menu(kPacketFilter, "Packet Filter...", 20)
            .Server()
            .NeOnline()
            .Slot<CXdslPktFilterDlg>()
            .Access(kAccessModify),
        Command(33216)
            .Menu(kPacketFilter, "Packet Filter Group...", 30)
            .Server()
            .NeOnline()
            .Slot<CXdslPktFilterGroupDlg>()
            .Access(kAccessModify),
        Command(33220)
            .Menu(kArp, "ARP Proxy Setting...", 10)
            .Menu(kTrunk, "ARP Proxy Setting...", 70, LinkModes::Server)
            .InNeSet()
            .Dialog<CArpProxySettingDlg>(kTargetNeSelection),
        Command(33173).Menu(kTrunk, "Port Setting...", 10).NeOnline().Dialog<CTrunkPortListDlg>(kTargetNeEntity),
        Command(33161)
            .Menu(kTrunk, "LACP...", 20, LinkModes::Server)
            .Menu(kTrunk, "Link Aggregation...", 30, LinkModes::Direct)
            .InNeSet()
            .Dialog<CLinkAggSettingDlg>(kTargetNeEntity)
            .Access(kAccessModify),
        Command(33183)
            .Menu(kTrunk, "Static Link Aggregation...", 40)
            .InNeSet()
            .Dialog<CStaticLinkAggDlg>(kTargetNeOnly),
        Command(33166)
            .Menu(kTrunk, "RSTP...", 50)
            .InNeSet()
            .Dialog<CRstpSettingDlg>(kTargetNeEntity)
            .Access(kAccessModify),
        Command(33169).Menu(kTrunk, "CoS Mapping...", 60).NeOnline().Dialog<CCosMappingDlg>(kTargetNeEntity),
        Command(33200).Menu(kTrunk, "Manual VLAN Setting...", 80).NeOnline().Dialog<CManualVlanDlg>(kTargetNeOnly),
        Command(33080)
            .Menu(kProfile, "ADSL Profile...", 10)
            .NeAny()
            .HideIn({MainMenuCase::ServerNoNe, MainMenuCase::ServerOtherNe, MainMenuCase::DirectNoNe})
            .Dialog<CProfileListDlg>(kTargetNeOnly)
            .TemplateMode(0)
            .ProfileGroup(0),
        Command(33081)
            .Menu(kProfile, "SHDSL Profile...", 20)
            .NeAny()
            .HideIn({MainMenuCase::ServerNoNe, MainMenuCase::ServerOtherNe, MainMenuCase::DirectNoNe})
            .Dialog<CProfileListDlg>(kTargetNeOnly)
            .TemplateMode(0)
            .ProfileGroup(1),
        Command(33175)
            .Menu(kProfile, "VLAN Profile...", 30)
            .NeAny()
            .Dialog<CProfileListDlg>(kTargetNeOnly)
            .TemplateMode(0)
            .ProfileGroup(2),
        Command(33142)
            .Menu(kTemplate, "ADSL Profile Template...", 10)
            .Server()
            .Dialog<CProfileListDlg>(kTargetNeOnly)
            .Location()
            .TemplateMode(1)
            .ProfileGroup(0),
        Command(33176)
            .Menu(kTemplate, "SHDSL Profile Template...", 20)
            .Server()
            .Dialog<CProfileListDlg>(kTargetNeOnly)
            .Location()
            .TemplateMode(1)
            .ProfileGroup(1),
        Command(33174)
            .Menu(kTemplate, "VLAN Profile Template...", 30)
            .Server()
            .Dialog<CProfileListDlg>(kTargetNeOnly)
            .Location()
            .TemplateMode(1)
            .ProfileGroup(2),
        Command(33144)
            .Menu(kTemplate, "Synchronize NE Profiles...", 60)
            .Server()
            .Dialog<CTemplateSyncDlg>(kTargetNeOnly)
            .Location(),
        Command(33127)
            .Menu(kXdslStatus, "VLAN Membership...", 30)
            .InNeSet()
            .Dialog<CVlanMembershipListDlg>(kTargetNeEntity),
        Command(33218)
            .Menu(kXdslStatus, "ARP Proxy Table...", 140)
            .InNeSet()
            .Dialog<CAdslArpProxyListDlg>(kTargetNeSelection),
        Command(33210)
            .Menu(kXdslStatus, "PPPoE Session Information...", 160)
            .NeOnline()
            .Dialog<CPppoeSessionListDlg>(kTargetNeEntity),
        Command(33163)
            .Menu(kTrunkStatus, "Link Aggregation Status...", 10)
            .InNeSet()
            .Dialog<CLinkAggStatusDlg>(kTargetNeEntity),
        Command(33165).Menu(kTrunkStatus, "RSTP Status...", 20).InNeSet().Dialog<CRstpStatusDlg>(kTargetNeEntity),
        Command(33219)
            .Menu(kTrunkStatus, "ARP Proxy Table...", 30)
            .InNeSet()
            .Dialog<CTrunkArpProxyListDlg>(kTargetNeSelection),
        Command(33199).Menu(kTrunkStatus, "SFP Information...", 40).NeOnline().Dialog<CSfpInfoDlg>(kTargetNeEntity),
        Command(33201).Menu(kTrunkStatus, "UGE VLAN Status...", 50).NeOnline().Dialog<CTrunkVlanListDlg>(kTargetNeOnly),
        Command(33162)
            .Menu(kDiagnosis, "&Board Setting...", 70)
            .InNeSet()
            .Dialog<CBoardSettingListDlg>(kTargetNeEntity),
        // Only in the entity popups.
        Command(33155).InNeSet().Dialog<CIgmpProxyDlg>(kTargetNeEntity).Access(kAccessModify),
        // In no menu.
        Command(33070).InNeSet().Dialog<CIgmpSnoopingDlg>(kTargetNeEntity).Access(kAccessModify),
        Command(33100).InNeSet().HideIn({MainMenuCase::DirectNe}).Dialog<CConfigVerifyDlg>(kTargetNeEntity),
        Command(33164).Dialog<CTrunkPortDlg>(kTargetNeEntity),
        Command(33191).Dialog<CProtocolVlanListDlg>(kTargetNeEntity),
    };
}

// Opened by the router itself: the slot selection of the packet filter commands. Opened by other areas' dialogs: the
// template download, and the ADSL line profile of a loop diagnosis's Show. Opened by the pages of the VC-to-VLAN
// setting: an IP traffic profile and a next hop by name. Opened by the ADSL port dialog: a traffic policing profile.
// Opened by the SHDSL port: its line and PM threshold profiles. Opened by the port setting page of fast provisioning:
// the line, PM threshold and traffic policing profiles by name.
std::vector<DialogClassDeclaration> RouterDialogs()
{
    return {BuiltDialog<CXdslSlotSelectionDlg>(), BuiltDialog<CTemplateDownloadDlg>(),
            BuiltDialog<CAdslLineProfileDlg>(), BuiltDialog<CXdslPmThresholdProfileDlg>(),
            BuiltDialog<CXdslIpTrafficProfileDlg>(), BuiltDialog<CIpoaNextHopDlg>(),
            BuiltDialog<CXdslTrafficPolicingProfileDlg>(),
            // The SHDSL port's Show of its profiles.
            BuiltDialog<CShdslLineProfileDlg>(), BuiltDialog<CShdslPmThresholdProfileDlg>(),
            // The multicast channel pages' Show of a service profile.
            BuiltDialog<CXdslMcServiceProfileDlg>()};
}

} // namespace

void DeclareProvisioningCommands()
{
    DeclareCommands("provisioning", Commands(), RouterDialogs());
}
