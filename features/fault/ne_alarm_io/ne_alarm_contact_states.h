#pragma once
// The states of an NE's alarm contacts as their records carry them, and the texts the lists show of them.

#include <QString>

#include <cstdint>

inline constexpr uint32_t kContactOpened = 1;
inline constexpr uint32_t kContactClosed = 2;
inline constexpr uint32_t kAdminEnabled = 1;
inline constexpr uint32_t kAdminDisabled = 2;

// "Opened" for 1, "Closed" for 2, nothing for other values.
QString NormalStateText(uint32_t state);
// "Enabled" for 1, else "Disabled".
QString AdminStateText(uint32_t state);
// What a contact senses now: "N/A" unless it is enabled; then `onText` for 1, else `offText`.
QString CurrentStateText(uint32_t adminState, uint32_t currentState, const QString& onText, const QString& offText);
