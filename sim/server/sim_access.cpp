#include "sim/server/sim_access.h"

#include "core/tables/access_rights.h"
#include "link/ems_msg.h"
#include "link/records/request_codes.h"

namespace {

struct GuardedRequest {
    uint16_t code;
    uint8_t operation;
    SimRightNeed need;
};

// The accounts' own query and the rights' query are read at login by every role; so is the account list.
constexpr GuardedRequest kGuarded[] = {
    {kReqOperatorMail, kEmsOpModify, {kRightOnlineUsers, 'x'}},
    {kReqUserAccount, kEmsOpModify, {kRightMembers, 'm'}},
    {kReqUserAccountAdd, kEmsOpModify, {kRightMembers, 'c'}},
    {kReqUserAccountDelete, kEmsOpModify, {kRightMembers, 'd'}},
    {kReqOpLog, kEmsOpQuery, {kRightOperationLog, 'q'}},
    {kReqOnlineUser, kEmsOpQuery, {kRightOnlineUsers, 'q'}},
    {kReqSubscriber, kEmsOpQuery, {kRightSubscribers, 'q'}},
    {kReqSubscriberDelete, kEmsOpModify, {kRightSubscribers, 'd'}},
    // Changes of the server itself: its options and schedules, its clock (set as an NE operation, since it sets
    // every NE's too) and its database backups.
    {kReqServerOption, kEmsOpModify, {kRightServerOptions, 'm'}},
    {kReqServerSchedule, kEmsOpModify, {kRightServerOptions, 'm'}},
    {kReqServerTime, kEmsOpModify, {kRightNeOperations, 'm'}},
    {kReqDbBackupAdd, kEmsOpModify, {kRightDatabaseBackups, 'c'}},
    {kReqDbBackupDelete, kEmsOpModify, {kRightDatabaseBackups, 'd'}},
    {kReqDbBackupRestore, kEmsOpModify, {kRightDatabaseBackups, 'x'}},
    // The NE's clock, NE-wide and layer-2 settings.
    {kReqNeTime, kEmsOpModify, {kRightNeOperations, 'm'}},
    {kReqMacAging, kEmsOpModify, {kRightMacAging, 'm'}},
    {kReqNeDns, kEmsOpModify, {kRightNeDnsServers, 'm'}},
    {kReqNeTimeServer, kEmsOpModify, {kRightNeTimeServers, 'm'}},
    {kReqNeTimeAdjust, kEmsOpModify, {kRightNeTimeServers, 'm'}},
    {kReqRedundancySync, kEmsOpModify, {kRightRedundancy, 'm'}},
    {kReqRedundancySyncNow, kEmsOpModify, {kRightRedundancy, 'm'}},
    {kReqNetBiosFilter, kEmsOpModify, {kRightPacketFilters, 'm'}},
    {kReqTelnetTimeout, kEmsOpModify, {kRightTelnetTimeout, 'm'}},
    {kReqCliPrompt, kEmsOpModify, {kRightCliPrompt, 'm'}},
    {kReqCliPromptDual, kEmsOpModify, {kRightCliPrompt, 'm'}},
    {kReqIgmpSnooping, kEmsOpModify, {kRightIgmp, 'm'}},
    {kReqIgmpProxy, kEmsOpModify, {kRightIgmp, 'm'}},
    {kReqIgmpSetting, kEmsOpModify, {kRightIgmp, 'm'}},
    {kReqPppoe, kEmsOpModify, {kRightPppoeSetting, 'm'}},
    {kReqVlanMacLimit, kEmsOpModify, {kRightXdslPorts, 'm'}},
    {kReqProtocolVlan, kEmsOpModify, {kRightProtocolVlans, 'm'}},
    {kReqProtocolVlanAdd, kEmsOpModify, {kRightProtocolVlans, 'c'}},
    {kReqProtocolVlanDelete, kEmsOpModify, {kRightProtocolVlans, 'd'}},
    {kReqProtocolVlanState, kEmsOpModify, {kRightProtocolVlans, 'm'}},
    // The line tests and the power state of an ADSL line.
    {kReqLoopDiagCtrl, kEmsOpModify, {kRightLoopTests, 'm'}},
    {kReqLoopMonCtrl, kEmsOpModify, {kRightLoopTests, 'm'}},
    {kReqSeltCtrl, kEmsOpModify, {kRightLoopTests, 'm'}},
    {kReqAdslPowerState, kEmsOpModify, {kRightRateStatus, 'm'}},
};

} // namespace

std::optional<SimRightNeed> RightNeededBy(uint16_t code, uint8_t operation)
{
    for (const GuardedRequest& guarded : kGuarded) {
        if (guarded.code == code && guarded.operation == operation) {
            return guarded.need;
        }
    }
    return std::nullopt;
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
