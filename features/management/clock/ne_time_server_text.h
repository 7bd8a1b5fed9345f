#pragma once
// How the time server dialogs name the network timing protocol and the state of each time server.

#include <QString>

#include <cstdint>

inline constexpr uint32_t kTimingProtocolNone = 0;
inline constexpr uint32_t kTimingProtocolSntp = 1;

// "SNTP" for 1, "<none>" otherwise.
QString TimingProtocolText(uint32_t protocol);
// "not set", "network timing source", "in backup mode", "fail to resolve server name", "server no response", or
// "unknown" for another state.
QString TimeServerStateText(uint32_t state);
