#pragma once
// Alarm severities, secondary status codes and alarm classes, and the orders of gravity between them.

inline constexpr int kSeverityCleared = 0; // none or cleared
inline constexpr int kSeverityCritical = 1;
inline constexpr int kSeverityMajor = 2;
inline constexpr int kSeverityMinor = 3;
inline constexpr int kSeverityWarning = 4;
inline constexpr int kSeverityInfo = 5;
// The cleared mark of the server's records and notifications.
inline constexpr int kSeverityServerCleared = 99;

inline constexpr int kAlarmClassNone = 0;
inline constexpr int kAlarmClassEquipment = 1;
inline constexpr int kAlarmClassCommunication = 2;
inline constexpr int kAlarmClassEnvironment = 3;

// 1 when a is graver, 0 when equal, -1 when lower; -2 when either lies outside 0..5. Critical (1) is the gravest,
// then 2..5, then 0 (none) the lowest.
int CompareSeverity(int a, int b);

// 1, 0 or -1 by the order 1 (highest), then 2 and 99 (equal), then 0; -2 when either is another value.
int CompareSecondaryStatus(int a, int b);

// A severity as received, made storable: 99 (cleared) becomes 0, 0..5 stay, a negative value or one above 5
// becomes 5.
int NormalizeSeverity(int severity);

// "equipment", "communication", "environment", "other" for another non-zero class, and an empty text for 0.
const char* AlarmClassText(int alarmClass);
