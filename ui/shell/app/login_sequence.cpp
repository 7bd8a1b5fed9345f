#include "ui/shell/app/login_sequence.h"

#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/util/md5.h"
#include "link/driver_result.h"
#include "link/net_drv.h"
#include "link/record_requests.h"
#include "link/records/alarm_def_rec.h"
#include "link/records/ne_snmp_community_record.h"
#include "link/records/ne_time_record.h"
#include "link/records/ne_user_account_record.h"
#include "link/records/word_record.h"
#include "link/server/server_login_reads.h"
#include "link/server_message_dispatcher.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/shell/app/app_tables.h"

#include <ctime>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr uint32_t kServerNeId = 0;
constexpr uint32_t kDirectNeId = 1;
constexpr size_t kLoginPasswordDigits = 10;

// The link is gone or the operator stopped: what was loaded so far is not the server's whole state.
bool IsLinkFailure(int code)
{
    switch (code) {
    case kDrvNotInitialised:
    case kDrvNotConnected:
    case kDrvConnectFailed:
    case kDrvConnectTimeout:
    case kDrvConnectionClosed:
    case kDrvSendFailed:
    case kDrvReceiveFailed:
    case kDrvCancelled:
    case kDrvTimeout:
        return true;
    default:
        return false;
    }
}

void ForgetServerLogin(CAppData& app)
{
    EmptyAppTables(app);
    ClearUserRights();
    app.role = kRoleNone;
}

LoginResult Failed(LoginStep step, int code)
{
    LoginResult result;
    result.step = step;
    result.code = code;
    return result;
}

void SetDirectRights()
{
    SetUserRights(kRoleAdministrator, std::string(kDirectRightsLength, 'a').c_str());
    SetUserRights(kRoleManager, std::string(kDirectRightsLength, 'm').c_str());
    SetUserRights(kRoleUser, std::string(kDirectRightsLength, 'q').c_str());
}

// Takes the NE into the table and marks the stored record as the NE of the direct login.
bool StoreDirectNe(CAppData& app, const LoginEntry& entry)
{
    CNeRecord ne;
    ne.neId = kDirectNeId;
    ne.locationId = 0;
    ne.address = entry.address;
    ne.port = entry.port;
    ne.name = FormatIpAddress(entry.address);
    ne.community = entry.password.substr(0, CNeRecord::kCommunityMax);
    ne.SetLoginUser(kDirectNeAccount);
    ne.SetLoginPassword(kDirectNeAccount);
    if (!LockDispatch(kTableLockWaitMs))
        return false;
    app.nes.AddNe(ne);
    app.MarkNeListChanged();
    CNeRecord* stored = app.nes.FindNeByAddress(entry.address, entry.port);
    if (stored != nullptr)
        stored->stateWord |= kNeStateDirectLogin;
    UnlockDispatch();
    return stored != nullptr;
}

// The role from the NE's communities: the first whose text is the one entered decides.
void ApplyCommunityRole(const std::vector<NeSnmpCommunityRecord>& communities, const std::string& community, int& role)
{
    for (const NeSnmpCommunityRecord& record : communities) {
        if (record.community == community) {
            if (record.permission == kNeAccessReadWrite)
                role = kRoleAdministrator;
            return;
        }
    }
}

// The role from the NE's users; false when the user is not among them.
bool ApplyUserRole(const std::vector<NeUserAccountRecord>& users, const std::string& userName, int& role)
{
    for (const NeUserAccountRecord& record : users) {
        if (record.userName == userName) {
            if (record.role != kNeUserLevelAdministrator)
                role = kRoleUser;
            return true;
        }
    }
    return false;
}

void SyncNeTime(const CRecordRequests& requests, const DirectLoginOptions& options)
{
    const auto reply = requests.Query<NeTimeRecord>(kReqNeTime, kDirectNeId);
    if (!reply.Ok() || reply.records.empty() || !NeClockNeedsSync(reply.records[0].neClock, options.syncNeTimeMaxYear))
        return;
    NeTimeRecord time = reply.records[0];
    const int64_t now = static_cast<int64_t>(std::time(nullptr));
    time.neClock = static_cast<uint32_t>(now);
    time.timeZone = UtcOffsetHours(now);
    requests.Modify(kReqNeTime, kDirectNeId, time);
}

} // namespace

bool NeClockNeedsSync(uint32_t neClock, uint32_t maxYear)
{
    const std::time_t clock = static_cast<std::time_t>(neClock);
    std::tm local{};
    if (localtime_r(&clock, &local) == nullptr)
        return false;
    return static_cast<uint32_t>(local.tm_year + 1900) <= maxYear;
}

int16_t UtcOffsetHours(int64_t when)
{
    const std::time_t t = static_cast<std::time_t>(when);
    std::tm local{};
    if (localtime_r(&t, &local) == nullptr)
        return 0;
    return static_cast<int16_t>(local.tm_gmtoff / 3600);
}

LoginResult RunServerLogin(CNetDrv& driver, CAppData& app, const LoginEntry& entry)
{
    // The server knows the password by the start of its digest only.
    app.SetLoginPassword(Md5HexString(entry.password).substr(0, kLoginPasswordDigits));
    ClearUserRights();
    app.role = kRoleNone;

    const CRecordRequests requests(DriverChannel(driver));
    if (const RequestOutcome logon =
            requests.Action(kReqLogon, kServerNeId, {.failureTextId = kStrFailedToLogin, .timeoutMs = kLogonTimeoutMs});
        !logon.Ok()) {
        return Failed(LoginStep::kLogonRefused, logon.result);
    }

    // Their replies reach the tables through the dispatcher before each request returns.
    const int tablesResult = std::apply(
        [&](auto... code) {
            int result = kDrvOk;
            ((result = IsLinkFailure(result) ? result : requests.Query(code, kServerNeId).result), ...);
            return result;
        },
        kServerLoginQueryCodes);
    if (IsLinkFailure(tablesResult)) {
        ForgetServerLogin(app);
        return Failed(LoginStep::kTablesFailed, tablesResult);
    }
    if (const RequestOutcome outcome = requests.Action(kReqNotificationsOn, kServerNeId, WordRecord{1});
        IsLinkFailure(outcome.result)) {
        ForgetServerLogin(app);
        return Failed(LoginStep::kTablesFailed, outcome.result);
    }

    if (LockDispatch(kTableLockWaitMs)) {
        if (const CUserAccount* account = app.accounts.FindUserAccount(app.GetLoginUserName()))
            app.SetUserLocationScope(account->locationId);
        UnlockDispatch();
    }
    driver.SetLoggedIn(true);
    LoginResult result;
    result.listPopupMenuId = kListPopupMenuServer;
    result.entityMenuId = kEntityPopupMenuServer;
    return result;
}

LoginResult RunDirectLogin(CNetDrv& driver, CAppData& app, const LoginEntry& entry, const DirectLoginOptions& options)
{
    SetDirectRights();
    app.role = kRoleUser;

    if (!StoreDirectNe(app, entry)) {
        EmptyNeTable(app);
        return Failed(LoginStep::kNeNotStored, 0);
    }

    const CRecordRequests requests(DriverChannel(driver));
    if (const RequestOutcome ne = requests.Query(kReqNeKey, kDirectNeId, {.failureTextId = kStrFailToQuery});
        !ne.Ok()) {
        EmptyNeTable(app);
        return Failed(LoginStep::kNeQueryFailed, ne.result);
    }

    int role = kRoleUser;
    const auto communities = requests.Query<NeSnmpCommunityRecord>(kReqNeSnmpCommunity, kDirectNeId,
                                                                   {.failureTextId = kStrFailToQuerySnmpCommunities});
    if (!communities.Ok()) {
        EmptyNeTable(app);
        return Failed(LoginStep::kNeQueryFailed, communities.result);
    }
    ApplyCommunityRole(communities.records, entry.password, role);

    const auto users = requests.Query<NeUserAccountRecord>(kReqNeUserAccount, kDirectNeId,
                                                           {.failureTextId = kStrFailToQuerySnmpCommunities});
    if (!users.Ok()) {
        EmptyNeTable(app);
        return Failed(LoginStep::kNeQueryFailed, users.result);
    }
    if (!ApplyUserRole(users.records, entry.userName, role)) {
        EmptyNeTable(app);
        return Failed(LoginStep::kUserIncorrect, 0);
    }
    app.role = role;

    if (options.syncNeTime)
        SyncNeTime(requests, options);

    requests.Query(kReqAlarmDef, kDirectNeId, AlarmDefRec{});
    requests.Action(kReqAlarmSync, kDirectNeId);
    requests.Query(kReqBoardSetting, kDirectNeId);

    driver.SetLoggedIn(true);
    return LoginResult{};
}
