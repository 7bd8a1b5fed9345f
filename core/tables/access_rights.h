#pragma once
// What each operator role may do: one right letter per function of the program, as the management server sends them.
// A role's table holds 127 letters and a terminating zero, so functions 0..126 can be granted and 127 never is.
// Letters from the least to the most: 'q' query, 'm' modify, 'c' create, 'd' delete, 'a' all; anything else is no
// right. Window-free; used on the UI thread.

#include <array>
#include <cstddef>

inline constexpr size_t kRightsTableSize = 128;
inline constexpr int kRightsFunctionCount = 128;
inline constexpr int kRightsRoleCount = 3;

// Function indexes the framework, shell, fault and performance dialogs ask about.
inline constexpr int kRightNeOperations = 3;   // telnet 'q', resets and file actions 'x', delete NE 'd'
inline constexpr int kRightActiveAlarms = 9;   // active alarms and the trap log
inline constexpr int kRightHistoryAlarms = 10; // history alarms and events, statistics
inline constexpr int kRightPortRateStatus = 14;
inline constexpr int kRightCurrentPm = 15;
inline constexpr int kRightHistoryPm = 16;
inline constexpr int kRightLongTermPm = 17;
inline constexpr int kRightMembers = 18; // user accounts in the location tree
inline constexpr int kRightLocations = 21;
inline constexpr int kRightAlarmTriggers = 23; // alarm notification triggers
inline constexpr int kRightAlarmDefinitions = 24;
inline constexpr int kRightAlarmAcknowledge = 26;
inline constexpr int kRightNeAlarmInputs = 34;
inline constexpr int kRightBitsAllocation = 37;
inline constexpr int kRightLineTests = 39;          // loop monitoring, loop diagnosis and the single-ended loop test
inline constexpr int kRightHardwareMonitoring = 59; // hardware monitoring and thresholds
inline constexpr int kRightNeAlarmOutputs = 72;

using RightsTable = std::array<char, kRightsTableSize>;

// The role's table (0 Administrator, 1 Manager, 2 User); null for any other role. Every table starts empty: all
// rights '-'.
const RightsTable* GetRightsTable(int role);

// Fills the role's table with '-' and copies the text over its start (at most 127 letters). -1 for a bad role or a
// null text, else 0.
int SetUserRights(int role, const char* text);
// The three roles at once, as the server sends them: 0 (a null text leaves that table all '-').
int SetAllUserRights(const char* administrator, const char* manager, const char* user);
// All rights '-' in every role, as after start-up and logout.
void ClearUserRights();

// 1 when the role's stored letter at the function index grants the wanted letter ('q', 'm', 'c', 'd', or 'x' for
// execute, which only 'a' grants), else 0. Bad roles, indexes and wanted letters deny.
int CheckUserRight(int role, int function, char wanted);
