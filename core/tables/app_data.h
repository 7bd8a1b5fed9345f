#pragma once
// The application object's window-free state: the NE, location and account tables, the logged-in operator, the
// location scope, the alarm summary counts and the change flags that tell the views what to refresh. One instance
// serves the program (AppData()); the server message dispatcher changes it under the dispatch lock.

#include "core/tables/account_list.h"
#include "core/tables/location_tree.h"
#include "core/tables/ne_table.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class CAppData {
public:
    static constexpr size_t kLoginNameMax = 10;
    static constexpr size_t kLoginPasswordMax = 10;

    CNeTable nes;
    CLocationTree locations;
    CAccountList accounts;

    int role = kRoleNone;         // the logged-in operator's role
    uint32_t scopeLocationId = 0; // 0 = no restriction

    // Set when the tables change; the frame clears them after it has refreshed its views.
    bool neListChanged = false;
    bool neNamesChanged = false;
    bool neAddressesChanged = false;
    bool locationTreeChanged = false;
    bool mapsChanged = false;

    CAppData() = default;
    CAppData(const CAppData&) = delete;
    CAppData& operator=(const CAppData&) = delete;

    // Each cut to 10 characters.
    void SetLoginUserName(std::string_view text);
    void SetLoginPassword(std::string_view text);
    const std::string& GetLoginUserName() const { return loginUserName_; }
    const std::string& GetLoginPassword() const { return loginPassword_; }

    // Active alarms of a severity 1..5 for the alarm summary; 0 for other severities, whose stores are ignored.
    uint32_t GetAlarmSeverityCount(int severity) const;
    void SetAlarmSeverityCount(int severity, uint32_t count);

    // Raise the flag of a changed location tree or NE list and count the change: a view that built itself from the
    // tables since the last change can tell that a flag still up is older than what it shows.
    void MarkLocationTreeChanged();
    void MarkNeListChanged();
    uint32_t TreeChangeCount() const { return treeChanges_; }

    // Counts the dispatch passes that changed the alarm state of an NE, so that what sums the alarms up can tell
    // that its sums are older than the state.
    void MarkAlarmStateChanged() { ++alarmStateChanges_; }
    uint32_t AlarmStateChangeCount() const { return alarmStateChanges_; }

    // Keeps the scope and marks the in-scope flag of every location, NE and account: in scope is the scope location
    // and everything below it, or everything when the scope is 0.
    void SetUserLocationScope(uint32_t locationId);

    // Back to the state of a program that has not logged in: empty tables, no operator, no scope, no flags.
    void Reset();

private:
    uint32_t treeChanges_ = 0;
    uint32_t alarmStateChanges_ = 0;
    std::string loginUserName_;
    std::string loginPassword_;
    std::array<uint32_t, 5> severityCounts_{};
};

// The program's application data.
CAppData& AppData();

// SetUserLocationScope on the program's application data.
void SetUserLocationScope(uint32_t locationId);
