#pragma once
// What a login does once the link of its mode is connected. Server mode: the logon, then the tables the main window
// needs. Direct mode: the NE is taken into the NE table, asked for its record, communities and users, which decide the
// operator's role, and then has its clock and alarms synchronised. Window-free: the driver shows its own failure
// boxes (with the failure texts given here), everything else comes back as the result.

#include "core/util/ip_address.h"
#include "ui/framework/menus/context_menu_ids.h"

#include <cstdint>
#include <string>

class CAppData;
class CNetDrv;

// The logon waits this long for the server.
inline constexpr int32_t kLogonTimeoutMs = 10000;

// Letters of the rights tables in direct mode, and the NE's account kept in the NE record.
inline constexpr size_t kDirectRightsLength = 127;
inline constexpr char kDirectNeAccount[] = "qurim";

struct LoginEntry {
    bool direct = false;
    IpAddress address{};
    uint16_t port = 0;
    std::string userName;
    std::string password; // the password, or the community in direct mode
};

enum class LoginStep {
    kLoggedIn,
    kLogonRefused,  // server mode: the logon failed (the driver has shown kStrFailedToLogin)
    kTablesFailed,  // server mode: the link failed while the tables loaded; `code` says how
    kNeNotStored,   // direct mode: the NE's record could not be taken into the table
    kNeQueryFailed, // direct mode: a query of the NE failed (the driver has shown kStrFailToQuery or
                    // kStrFailToQuerySnmpCommunities)
    kUserIncorrect, // direct mode: the user is no account of the NE (show kStrUserNameIncorrect)
};

struct LoginResult {
    LoginStep step = LoginStep::kLoggedIn;
    int code = 0; // the driver's result of the failed request
    int listPopupMenuId = kListPopupMenuDirect;
    int entityMenuId = kEntityPopupMenuDirect;
};

struct DirectLoginOptions {
    bool syncNeTime = false;           // SYSTEM/SYNCNETIMEAFTERLOGIN
    uint32_t syncNeTimeMaxYear = 2000; // SYSTEM/SYNCNETIMEMAXYEAR
};

// The server logon and table loads. On every failure the tables are empty, the rights all '-' and the role none.
LoginResult RunServerLogin(CNetDrv& driver, CAppData& app, const LoginEntry& entry);

// The direct login to the NE of the entry. On every failure the NE table is empty.
LoginResult RunDirectLogin(CNetDrv& driver, CAppData& app, const LoginEntry& entry, const DirectLoginOptions& options);

// The NE clock (seconds since 1970) is set at login when its year, as local time, is not after the limit.
bool NeClockNeedsSync(uint32_t neClock, uint32_t maxYear);
// The workstation's offset from UTC at `when`, in whole hours, east positive.
int16_t UtcOffsetHours(int64_t when);
