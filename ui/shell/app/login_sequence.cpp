#include "ui/shell/app/login_sequence.h"

#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/util/md5.h"
#include "link/driver_result.h"
#include "link/ems_msg.h"
#include "link/net_drv.h"
#include "link/records/ne_snmp_community_record.h"
#include "link/records/ne_time_record.h"
#include "link/records/ne_user_account_record.h"
#include "link/server_message_dispatcher.h"
#include "ui/shell/app/app_tables.h"

#include <ctime>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kServerNeId = 0;
constexpr uint32_t kDirectNeId = 1;
constexpr size_t kLoginPasswordDigits = 10;
constexpr uint32_t kLocationRecordSize = 224;
constexpr uint32_t kNeAlarmDefRecordSize = 124;

// One request with a record of `size` bytes (zero unless given) through the driver.
int Request(CNetDrv& driver, uint8_t operation, uint16_t code, uint32_t neId, std::vector<uint8_t> record,
            uint32_t failureTextId, int32_t timeoutMs, bool waitDialog, EmsMsg** reply)
{
    EmsMsg msg;
    BuildEmsMsg(&msg, operation, code, static_cast<uint32_t>(record.size()), record.data(), neId);
    EmsMsg* ignored = nullptr;
    return driver.RequestEmsMsg(&msg, reply != nullptr ? reply : &ignored, failureTextId, timeoutMs, waitDialog);
}

int Query(CNetDrv& driver, uint16_t code, uint32_t neId, uint32_t size, uint32_t failureTextId, EmsMsg** reply)
{
    return Request(driver, kEmsOpQuery, code, neId, std::vector<uint8_t>(size, 0), failureTextId,
                   CNetDrv::kDefaultTimeout, true, reply);
}

// The reply answers the request with records of its own code.
bool IsAnswerTo(const EmsMsg* reply, uint16_t code)
{
    return reply != nullptr && reply->operation == kEmsOpReply && reply->requestCode == code && reply->count > 0;
}

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
    app.neListChanged = true;
    CNeRecord* stored = app.nes.FindNeByAddress(entry.address, entry.port);
    if (stored != nullptr)
        stored->stateWord |= kNeStateDirectLogin;
    UnlockDispatch();
    return stored != nullptr;
}

// The role from the NE's communities: the first whose text is the one entered decides.
void ApplyCommunityRole(const EmsMsg& reply, const std::string& community, int& role)
{
    for (uint32_t i = 0; i < static_cast<uint32_t>(reply.count); ++i) {
        NeSnmpCommunityRecord record;
        if (!DecodeNeSnmpCommunityRecord(EmsRecordAt(reply, i), reply.recordSize, &record))
            continue;
        if (record.community == community) {
            if (record.permission == kNeAccessReadWrite)
                role = kRoleAdministrator;
            return;
        }
    }
}

// The role from the NE's users; false when the user is not among them.
bool ApplyUserRole(const EmsMsg& reply, const std::string& userName, int& role)
{
    for (uint32_t i = 0; i < static_cast<uint32_t>(reply.count); ++i) {
        NeUserAccountRecord record;
        if (!DecodeNeUserAccountRecord(EmsRecordAt(reply, i), reply.recordSize, &record))
            continue;
        if (record.userName == userName) {
            if (record.role != kNeUserLevelAdministrator)
                role = kRoleUser;
            return true;
        }
    }
    return false;
}

void SyncNeTime(CNetDrv& driver, const DirectLoginOptions& options)
{
    EmsMsg* reply = nullptr;
    if (Query(driver, kReqNeTime, kDirectNeId, kNeTimeRecordSize, 0, &reply) != kDrvOk ||
        !IsAnswerTo(reply, kReqNeTime))
        return;
    NeTimeRecord time;
    if (!DecodeNeTimeRecord(EmsRecordAt(*reply, 0), reply->recordSize, &time))
        return;
    if (!NeClockNeedsSync(time.neClock, options.syncNeTimeMaxYear))
        return;
    const int64_t now = static_cast<int64_t>(std::time(nullptr));
    time.neClock = static_cast<uint32_t>(now);
    time.timeZone = UtcOffsetHours(now);
    const auto bytes = EncodeNeTimeRecord(time);
    Request(driver, kEmsOpModify, kReqNeTime, kDirectNeId, std::vector<uint8_t>(bytes.begin(), bytes.end()), 0,
            CNetDrv::kDefaultTimeout, true, nullptr);
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

    if (const int logon = Request(driver, kEmsOpModify, kEmsReqLogon, kServerNeId, std::vector<uint8_t>(1, 0),
                                  kStrFailedToLogin, kLogonTimeoutMs, true, nullptr);
        logon != kDrvOk) {
        return Failed(LoginStep::kLogonRefused, logon);
    }

    // Their replies reach the tables through the dispatcher before each request returns.
    const struct {
        uint8_t operation;
        uint16_t code;
        uint32_t size;
    } loads[] = {
        {kEmsOpQuery, kReqLocations, kLocationRecordSize},
        {kEmsOpQuery, kReqUserAccounts, 1},
        {kEmsOpQuery, kReqUserRights, 1},
        {kEmsOpQuery, kReqNeRecords, 1},
        {kEmsOpQuery, kReqLoginQuery34, 1},
        {kEmsOpModify, kReqNotificationsOn, 4},
    };
    for (const auto& load : loads) {
        std::vector<uint8_t> record(load.size, 0);
        if (load.code == kReqNotificationsOn)
            record[0] = 1;
        const int result = Request(driver, load.operation, load.code, kServerNeId, std::move(record), 0,
                                   CNetDrv::kDefaultTimeout, true, nullptr);
        if (IsLinkFailure(result)) {
            ForgetServerLogin(app);
            return Failed(LoginStep::kTablesFailed, result);
        }
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

    EmsMsg* reply = nullptr;
    if (const int code = Query(driver, kReqNeRecord, kDirectNeId, 1, kStrFailToQuery, &reply); code != kDrvOk) {
        EmptyNeTable(app);
        return Failed(LoginStep::kNeQueryFailed, code);
    }

    int role = kRoleUser;
    if (const int code = Query(driver, kReqNeCommunities, kDirectNeId, kNeSnmpCommunityRecordSize,
                               kStrFailToQueryCommunities, &reply);
        code != kDrvOk) {
        EmptyNeTable(app);
        return Failed(LoginStep::kNeQueryFailed, code);
    }
    if (IsAnswerTo(reply, kReqNeCommunities))
        ApplyCommunityRole(*reply, entry.password, role);

    if (const int code =
            Query(driver, kReqNeUsers, kDirectNeId, kNeUserAccountRecordSize, kStrFailToQueryCommunities, &reply);
        code != kDrvOk) {
        EmptyNeTable(app);
        return Failed(LoginStep::kNeQueryFailed, code);
    }
    if (!IsAnswerTo(reply, kReqNeUsers) || !ApplyUserRole(*reply, entry.userName, role)) {
        EmptyNeTable(app);
        return Failed(LoginStep::kUserIncorrect, 0);
    }
    app.role = role;

    if (options.syncNeTime)
        SyncNeTime(driver, options);

    Query(driver, kReqNeAlarmDefs, kDirectNeId, kNeAlarmDefRecordSize, 0, nullptr);
    Request(driver, kEmsOpModify, kReqAlarmSync, kDirectNeId, std::vector<uint8_t>(1, 0), 0, CNetDrv::kDefaultTimeout,
            true, nullptr);
    Query(driver, kReqBoards, kDirectNeId, 1, 0, nullptr);

    driver.SetLoggedIn(true);
    return LoginResult{};
}
