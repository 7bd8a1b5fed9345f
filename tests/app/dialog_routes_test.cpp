// The program as it is put together: each dialog class a command opens is registered by its area, or still marked
// as not built, so that no menu entry opens a dialog that does not exist and none says "not available yet" for one
// that does.

#include "app/program_parts.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/shell/routing/command_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace {

// The classes whose dialogs are still to come; a class leaves the list when its area registers it.
const std::set<std::string> kNotYetBuilt = {
    "CActiveAlarmDlg", "CAdslArpProxyListDlg", "CAdslCurrentPmDlg", "CAdslHistoryPmDlg", "CAdslPortListDlg",
    "CAdslRateStatusDlg", "CAlarmCriteriaDlg", "CAlarmDefListDlg", "CAlarmStatCriteriaDlg",
    "CArpProxySettingDlg", "CBoardSettingListDlg", "CCascadedMgmtDlg", "CCheckNeSnmpDlg", "CClientOptionsDlg",
    "CCommandDlg", "CConfigVerifyDlg", "CCosMappingDlg", "CDbBackupListDlg", "CDhcpBroadcastControlDlg",
    "CDhcpRelayServerListDlg", "CDhcpSettingDlg", "CDhcpTransactionListDlg", "CFastProvDlg", "CHistoryAlarmListDlg",
    "CHwMonThresholdDlg", "CHwMonitorListDlg", "CIgmpProxyDlg", "CIgmpSnoopProxyDlg", "CIgmpSnoopingDlg",
    "CInventoryDlg", "CIpoaNextHopListDlg", "CLinkAggSettingDlg", "CLinkAggStatusDlg", "CMacAgingDlg", "CManualVlanDlg", "CMcFastProvDlg", "CMulticastChannelStatusDlg",
    "CMulticastGroupMemberDlg", "CNeAlarmInputListDlg", "CNeAlarmOutputListDlg", "CNeAutoDiscoveryDlg",
    "CNeBootPartitionDlg", "CNeCliPromptDlg", "CNeCliPromptDualDlg", "CNeConfigBackupListDlg",
    "CNeConfigBackupRestoreDlg", "CNeDlg", "CNeDnsServerDlg", "CNeFsFormatDlg", "CNeFsListDlg",
    "CNeFwUpgradeBackupDlg", "CNeFwUpgradeDlg", "CNeListDlg", "CNeShdslFwUpgradeDlg", "CNeSnmpCommunityListDlg",
    "CNeSnmpManagerListDlg", "CNeSystemTimeDlg", "CNeTimeServerStatusDlg", "CNeUserAccountListDlg",
    "CPacketFilterDlg", "CPingFromClientDlg", "CPingFromServerDlg", "CPppoeSessionListDlg", "CPppoeSettingDlg",
    "CProfileListDlg", "CProtocolVlanListDlg", "CRedundancyCtrlDlg", "CRemoteNeListDlg", "CRstpSettingDlg",
    "CRstpStatusDlg", "CSecuredHostListDlg", "CServerManagementDlg", "CServerMonitorDlg", "CServerTimeDlg",
    "CSfpInfoDlg", "CShdslCurPmDlg", "CShdslHisPmDlg", "CShdslPortListDlg", "CShdslRateStatusDlg",
    "CStaticLinkAggDlg", "CSubscriberSelectDlg", "CTelnetTimeoutDlg", "CTemplateSyncDlg", "CTracerouteDlg",
    "CTrunkArpProxyListDlg", "CTrunkPortDlg", "CTrunkPortListDlg", "CTrunkPortPmDlg", "CTrunkVlanListDlg",
    "CUserAclDlg", "CUserDataDlg", "CUserListDlg", "CUserOnlineListDlg", "CUserOpLogCriteriaDlg",
    "CVlanMacLimitListDlg", "CVlanMembershipListDlg", "CXdslAclListDlg", "CXdslBitsAllocationDlg",
    "CXdslBroadcastFilterDlg", "CXdslFdbConfigListDlg", "CXdslFdbListDlg", "CXdslLongTermPmListDlg",
    "CXdslLoopDiagnosisDlg", "CXdslLoopMonitoringDlg", "CXdslMacSpoofStatusListDlg", "CXdslMcChannelListDlg",
    "CXdslPktFilterDlg", "CXdslPktFilterGroupDlg", "CXdslPortAgentIdListDlg", "CXdslPortSelDlg", "CXdslSeltDlg",
    "CXdslSlotSelectionDlg", "CXdslVcVlanListDlg",
};

TEST(DialogRoutesTest, EveryRoutedClassIsRegisteredOrMarkedNotYetBuilt)
{
    RegisterProgramParts();
    const std::vector<std::string> routed = RoutedDialogClasses();
    for (const std::string& name : routed) {
        if (kNotYetBuilt.count(name) != 0)
            EXPECT_FALSE(HasRouteDialog(name)) << name << " is registered: take it off the not-built list";
        else
            EXPECT_TRUE(HasRouteDialog(name)) << name << " is routed but neither registered nor marked not built";
    }
    for (const std::string& name : RegisteredRouteDialogs())
        EXPECT_TRUE(std::binary_search(routed.begin(), routed.end(), name)) << name << " is registered but no route opens it";
    for (const std::string& name : kNotYetBuilt)
        EXPECT_TRUE(std::binary_search(routed.begin(), routed.end(), name)) << name << " is marked but no route opens it";
}

} // namespace
