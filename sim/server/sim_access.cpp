#include "sim/server/sim_access.h"

#include "core/tables/access_rights.h"
#include "core/tables/user_account.h"
#include "link/ems_msg.h"
#include "link/records/request_catalogue.h"
#include "link/records/request_codes.h"

#include <algorithm>
#include <array>

namespace {

// A query that needs a right of its own; other queries every logged-in operator may make (the accounts, the rights
// and the NEs are read at login by every role).
struct GuardedQuery {
    uint16_t code;
    SimRightNeed need;
};
constexpr GuardedQuery kGuardedQueries[] = {
    {kReqOpLog, {kRightOperationLog, 'q'}},
    {kReqOnlineUser, {kRightOnlineUsers, 'q'}},
    {kReqSubscriber, {kRightSubscribers, 'q'}},
};

// Requests that are writes but change nothing: the session's own steps, asking the NEs to tell their alarms again,
// the connection tests and the checks that are written to be read back with the NE's verdict.
constexpr uint16_t kChangingNothing[] = {
    kReqKeepAlive,
    kReqLogon,
    kReqLogoff,
    kReqLoginQuery,
    kReqNotificationsOn,
    kReqAlarmSync,
    kReqNeSnmpCheck,
    kReqNePing,
    kReqPvcRuleCheck,
    kReqIpTrafficRuleCheck,
    kReqTrafficPolicingRuleCheck,
    kReqVlanMacLimitCheck,
    kReqServiceTypeCheck,
    kReqAclCheck,
    kReqMacSpoofCheck,
};

// Only the Administrator role may make these changes.
constexpr uint16_t kAdministratorOnly[] = {kReqUserRights, kReqNeCommand};

constexpr size_t kMostFunctions = 6;

// The functions whose right a change of the family (named by its first code) needs, any one of them: the dialogs that
// send it check one of these. The letter is that of what the request does to its family unless one is given.
struct FamilyRights {
    uint16_t code;
    std::array<int, kMostFunctions> functions;
    char letter = 0;
};

constexpr int kNone = -1;

template <typename... Functions> constexpr std::array<int, kMostFunctions> Any(Functions... functions)
{
    std::array<int, kMostFunctions> all{};
    all.fill(kNone);
    size_t at = 0;
    ((all[at++] = functions), ...);
    return all;
}

constexpr FamilyRights kFamilyRights[] = {
    // The server, its operators and locations.
    {kReqServerOption, Any(kRightServerOptions)},
    {kReqServerTime, Any(kRightNeOperations)}, // sets every NE's clock too
    {kReqServerResource, Any(kRightServerOptions)},
    {kReqServerSchedule, Any(kRightServerOptions)},
    {kReqOperatorMail, Any(kRightOnlineUsers), 'x'},
    {kReqUserAccount, Any(kRightMembers)},
    {kReqOpLog, Any(kRightOperationLog)},
    {kReqOnlineUser, Any(kRightOnlineUsers)},
    {kReqLocation, Any(kRightLocations)},
    {kReqDiscoveryRange, Any(kRightNeAutoDiscovery)},
    {kReqFoundNe, Any(kRightNeAutoDiscovery)},
    // An NE is added from the NE dialog or from the NEs the discovery found.
    {kReqNeKey, Any(kRightNeOperations, kRightNeAutoDiscovery, kRightMcChannels)},
    {kReqNeKeyAll, Any(kRightNeOperations)},
    {kReqAlarmTrigger, Any(kRightAlarmTriggers)},
    {kReqNeBackup, Any(kRightNeConfigBackups), 'x'},
    {kReqNeBackupRestore, Any(kRightNeConfigBackups), 'x'},
    {kReqDbBackup, Any(kRightDatabaseBackups)},
    {kReqDbBackupRestore, Any(kRightDatabaseBackups), 'x'},
    {kReqConfigUpload, Any(kRightNeOperations), 'x'},
    {kReqConfigDownload, Any(kRightNeOperations, kRightConfigSynchronization)},
    {kReqConfigVerify, Any(kRightConfigVerification, kRightConfigSynchronization)},
    // Templates on the server.
    {kReqAdslLineProfileTemplate, Any(kRightLineProfiles)},
    {kReqPmThresholdProfileTemplate, Any(kRightPmThresholdProfiles)},
    {kReqIpTrafficProfileTemplate, Any(kRightIpTrafficProfiles)},
    {kReqMcChannelProfileTemplate, Any(kRightMcChannelProfiles)},
    {kReqMcServiceProfileTemplate, Any(kRightMcServiceProfiles)},
    {kReqTrafficPolicingProfileTemplate, Any(kRightTrafficPolicingProfiles)},
    {kReqAlarmDefTemplate, Any(kRightAlarmDefinitions)},
    {kReqShdslLineProfileTemplate, Any(kRightLineProfiles, kRightPmThresholdProfiles)},
    {kReqShdslPmThresholdProfileTemplate, Any(kRightPmThresholdProfiles)},
    // The NE, its clock, firmware, file system and management settings.
    {kReqNeTime, Any(kRightNeOperations)},
    {kReqNeConfig, Any(kRightNeOperations)},
    {kReqNeNetworkConfig, Any(kRightNeOperations, kRightCascadedManagement)},
    {kReqNeBootPartition, Any(kRightNeOperations)},
    {kReqEntityState, Any(kRightNeOperations)},
    {kReqNeReboot, Any(kRightNeOperations), 'x'},
    {kReqCardReset, Any(kRightNeOperations), 'x'},
    {kReqPortReset, Any(kRightNeOperations), 'x'},
    {kReqFlashWrite, Any(kRightNeOperations), 'x'},
    {kReqFlashErase, Any(kRightNeOperations), 'x'},
    {kReqNeFwUpgrade, Any(kRightFirmwareUpgrade), 'x'},
    {kReqShdslCardUpgrade, Any(kRightFirmwareUpgrade), 'x'},
    {kReqNeFsFormat, Any(kRightNeFileSystemFormat)},
    {kReqNeFsFile, Any(kRightNeFileSystemFiles), 'd'}, // a file is deleted by writing its record
    {kReqNeFsCopy, Any(kRightNeFileSystemCopy), 'c'},
    {kReqCascadedMgmt, Any(kRightCascadedManagement)},
    {kReqRemoteNe, Any(kRightRemoteNes)},
    {kReqMacAging, Any(kRightMacAging)},
    {kReqNeSnmpManager, Any(kRightNeSnmpManagers)},
    {kReqNeSnmpCommunity, Any(kRightNeSnmpCommunities)},
    {kReqNeUserAccount, Any(kRightNeUserAccounts)},
    {kReqNeDns, Any(kRightNeDnsServers)},
    {kReqNeTimeServer, Any(kRightNeTimeServers)},
    {kReqNeTimeAdjust, Any(kRightNeTimeServers)},
    {kReqRedundancySync, Any(kRightRedundancy)},
    {kReqRedundancySyncNow, Any(kRightRedundancy)},
    {kReqSecuredHost, Any(kRightSecuredHosts)},
    {kReqSecuredHostState, Any(kRightSecuredHosts)},
    {kReqNetBiosFilter, Any(kRightPacketFilters)},
    {kReqTelnetTimeout, Any(kRightTelnetTimeout)},
    {kReqCliPrompt, Any(kRightCliPrompt)},
    {kReqCliPromptDual, Any(kRightCliPrompt)},
    // Alarms.
    {kReqAlarmDef, Any(kRightAlarmDefinitions)},
    {kReqAlarmEvent, Any(kRightActiveAlarms, kRightHistoryAlarms)},
    {kReqNeAlarmLog, Any(kRightHistoryAlarms)},
    {kReqAlarmStatistics, Any(kRightHistoryAlarms)},
    {kReqAlarmAck, Any(kRightAlarmAcknowledge)},
    {kReqNeAlarmInput, Any(kRightNeAlarmInputs)},
    {kReqNeAlarmOutput, Any(kRightNeAlarmOutputs)},
    {kReqHwMonitor, Any(kRightHardwareMonitoring)},
    {kReqHwMonThreshold, Any(kRightHardwareMonitoring)},
    // Performance monitoring and line tests.
    {kReqLongTermPmItem, Any(kRightLongTermPm)},
    {kReqLongTermPmCo, Any(kRightLongTermPm)},
    {kReqLongTermPmRt, Any(kRightLongTermPm)},
    {kReqAdslPmCo, Any(kRightCurrentPm)},
    {kReqAdslPmRt, Any(kRightCurrentPm)},
    {kReqAdslBlockCo, Any(kRightCurrentPm)},
    {kReqAdslBlockRt, Any(kRightCurrentPm)},
    {kReqAdslHistoryCo, Any(kRightHistoryPm)},
    {kReqAdslHistoryRt, Any(kRightHistoryPm)},
    {kReqShdslPm, Any(kRightCurrentPm)},
    {kReqShdslHistory, Any(kRightHistoryPm)},
    {kReqTrunkPm, Any(kRightTrunkPortPm)},
    {kReqAdslRateStatus, Any(kRightRateStatus)},
    {kReqShdslRateStatus, Any(kRightRateStatus)},
    {kReqAdslPowerState, Any(kRightRateStatus)},
    {kReqBitsAlloc, Any(kRightBitsAllocation)},
    {kReqLoopDiagCtrl, Any(kRightLoopTests)},
    {kReqLoopDiagResult, Any(kRightLoopTests)},
    {kReqLoopMonCtrl, Any(kRightLoopTests)},
    {kReqLoopMonResult, Any(kRightLoopTests)},
    {kReqSeltCtrl, Any(kRightLoopTests)},
    {kReqSeltResult, Any(kRightLoopTests)},
    {kReqOamLoopback, Any(kRightVlanMembership, kRightMcChannels), 'x'},
    // Subscribers, ports, PVCs and what they use.
    {kReqSubscriber, Any(kRightSubscribers)},
    {kReqAdslPort, Any(kRightXdslPorts, kRightFastProvisioning, kRightLoopTests)},
    {kReqShdslPort, Any(kRightXdslPorts, kRightFastProvisioning)},
    {kReqBoardSetting, Any(kRightBoardSettings, kRightXdslPorts, kRightVlanMembership, kRightFastProvisioning)},
    {kReqPvc, Any(kRightVlanMembership, kRightXdslPorts, kRightFastProvisioning, kRightMcChannels,
                  kRightMcFastProvisioning, kRightSourceMacAcl)},
    {kReqPvcRowStatus,
     Any(kRightVlanMembership, kRightXdslPorts, kRightFastProvisioning, kRightMcChannels, kRightMcFastProvisioning)},
    {kReqPvcStaticIp, Any(kRightVlanMembership, kRightXdslPorts, kRightFastProvisioning)},
    {kReqNextHop, Any(kRightIpoaNextHops, kRightFastProvisioning, kRightVlanMembership)},
    {kReqAdslLineProfile, Any(kRightLineProfiles, kRightFastProvisioning, kRightXdslPorts)},
    {kReqPmThresholdProfile, Any(kRightPmThresholdProfiles, kRightFastProvisioning, kRightXdslPorts)},
    {kReqShdslLineProfile, Any(kRightLineProfiles, kRightPmThresholdProfiles, kRightFastProvisioning, kRightXdslPorts)},
    {kReqShdslPmThresholdProfile, Any(kRightPmThresholdProfiles, kRightFastProvisioning, kRightXdslPorts)},
    {kReqIpTrafficProfile, Any(kRightIpTrafficProfiles, kRightFastProvisioning, kRightVlanMembership)},
    {kReqMcChannelProfile, Any(kRightMcChannelProfiles)},
    {kReqMcServiceProfile, Any(kRightMcServiceProfiles, kRightMcChannels, kRightMcFastProvisioning)},
    {kReqTrafficPolicingProfile, Any(kRightTrafficPolicingProfiles, kRightFastProvisioning, kRightXdslPorts)},
    {kReqMcChannel, Any(kRightMcChannels, kRightMcFastProvisioning, kRightVlanMembership)},
    {kReqMcGroupMember, Any(kRightMcChannels)},
    {kReqMcChannelStatus, Any(kRightMcChannels)},
    {kReqStaticFdb, Any(kRightFilteringDatabase, kRightVlanMembership)},
    {kReqFdb, Any(kRightFilteringDatabase)},
    {kReqVlanMembership, Any(kRightVlanMembership)},
    {kReqBroadcastVlan, Any(kRightVlanMembership)},
    {kReqVlanMacLimit, Any(kRightVlanMacLimits, kRightXdslPorts, kRightVlanMembership, kRightMcChannels)},
    {kReqProtocolVlan, Any(kRightProtocolVlans)},
    {kReqProtocolVlanState, Any(kRightProtocolVlans)},
    {kReqMacSpoof, Any(kRightMacSpoofing)},
    {kReqMacSpoofAction, Any(kRightMacSpoofing)},
    {kReqAcl, Any(kRightSourceMacAcl)},
    {kReqPktFilter, Any(kRightPacketFilters)},
    {kReqPktFilterGroup, Any(kRightPacketFilters, kRightXdslPorts)},
    {kReqArpProxy, Any(kRightArpProxySetting, kRightArpProxyLists)},
    {kReqArpProxyEntry, Any(kRightArpProxyLists)},
    {kReqIgmpSnooping, Any(kRightIgmp)},
    {kReqIgmpProxy, Any(kRightIgmp)},
    {kReqIgmpSetting, Any(kRightIgmp)},
    {kReqDhcp, Any(kRightDhcp)},
    {kReqDhcpAgentId, Any(kRightDhcp)},
    {kReqDhcpRelayServer, Any(kRightDhcp)},
    {kReqDhcpBroadcast, Any(kRightDhcp)},
    {kReqDhcpTransaction, Any(kRightDhcpTransactions)},
    {kReqPppoe, Any(kRightPppoeSetting)},
    {kReqPppoeSession, Any(kRightPppoeSessions)},
    // Trunk ports.
    {kReqTrunkPort, Any(kRightTrunkPorts)},
    {kReqTrunkPortMode, Any(kRightTrunkPorts)},
    {kReqLinkAggregation, Any(kRightLinkAggregation, kRightTrunkPorts)},
    {kReqStaticLinkAggregation, Any(kRightLinkAggregation)},
    {kReqLacpStatus, Any(kRightLinkAggregation)},
    {kReqRstpBridge, Any(kRightSpanningTree, kRightTrunkPorts)},
    {kReqRstpPort, Any(kRightSpanningTree)},
    {kReqCosMapping, Any(kRightCosMapping)},
    {kReqSfp, Any(kRightSfpInfo)},
    {kReqTrunkVlan, Any(kRightTrunkVlans)},
    {kReqTrunkVlanMember, Any(kRightTrunkVlans)},
};

template <size_t N> bool Listed(const uint16_t (&codes)[N], uint16_t code)
{
    return std::find(std::begin(codes), std::end(codes), code) != std::end(codes);
}

char LetterOf(RequestRole role)
{
    switch (role) {
    case RequestRole::kAdd:
        return 'c';
    case RequestRole::kDelete:
    case RequestRole::kDeleteAll:
        return 'd';
    case RequestRole::kQueryModify:
        break;
    }
    return 'm';
}

} // namespace

SimAccessRule AccessRuleOf(uint16_t code, uint8_t operation)
{
    SimAccessRule rule;
    if (operation == kEmsOpQuery) {
        for (const GuardedQuery& guarded : kGuardedQueries) {
            if (guarded.code == code)
                rule.anyOf.push_back(guarded.need);
        }
        return rule;
    }
    // A subscriber's add changes the port's subscriber when it has one: the subscriber store judges it.
    if (operation != kEmsOpModify || Listed(kChangingNothing, code) || code == kReqSubscriberAdd) {
        return rule;
    }
    if (Listed(kAdministratorOnly, code)) {
        rule.administratorOnly = true;
        return rule;
    }
    const RequestEntry entry = FindRequest(code);
    if (entry.spec == nullptr || entry.spec->kind == RequestKind::kCount ||
        entry.spec->kind == RequestKind::kNotification) {
        return rule; // what the server does not keep it refuses as such
    }
    const auto family = std::find_if(std::begin(kFamilyRights), std::end(kFamilyRights),
                                     [&](const FamilyRights& rights) { return rights.code == entry.spec->code; });
    if (family == std::end(kFamilyRights)) {
        // A change no right is named for is the Administrator's alone.
        rule.administratorOnly = true;
        return rule;
    }
    const char letter = family->letter != 0 ? family->letter : LetterOf(entry.role);
    for (const int function : family->functions) {
        if (function != kNone)
            rule.anyOf.push_back({function, letter});
    }
    return rule;
}

bool RoleHolds(const UserRightsRecord& rights, int role, SimRightNeed need)
{
    if (role < 0 || role >= static_cast<int>(rights.rights.size()) || need.function < 0 ||
        need.function >= kRightsFunctionCount - 1) {
        return false;
    }
    const std::string& letters = rights.rights[static_cast<size_t>(role)];
    const size_t at = static_cast<size_t>(need.function);
    return at < letters.size() && RightLetterGrants(letters[at], need.letter);
}

bool RolePermitted(const UserRightsRecord& rights, int role, const SimAccessRule& rule)
{
    if (rule.administratorOnly)
        return role == kRoleAdministrator;
    return rule.anyOf.empty() || std::any_of(rule.anyOf.begin(), rule.anyOf.end(),
                                             [&](SimRightNeed need) { return RoleHolds(rights, role, need); });
}
