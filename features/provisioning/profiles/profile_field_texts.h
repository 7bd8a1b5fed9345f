#pragma once
// The texts of the coded fields of the IP traffic, traffic policing and multicast profiles, as their lists and
// editors show them. The editors' choices hold every code in order; a list shows a code beyond the last choice as
// the list's own last word ("highest" for a queue, "drop" for a policing action).

#include <cstdint>
#include <string>
#include <vector>

inline constexpr uint8_t kQueueChoices = 4;        // low, medium, high, urgent
inline constexpr uint8_t kUpstreamRateChoices = 8; // no limit, then 32 .. 768 Kbps
inline constexpr uint32_t kPolicingActionChoices = 16;
inline constexpr uint32_t kBroadcastDrop = 2;
inline constexpr uint32_t kBroadcastForward = 3;
// Actions from this code on re-mark the DSCP code.
inline constexpr uint32_t kPolicingFirstDscpAction = 2;

// The choices of the editors, in code order.
std::vector<std::string> QueueChoices();
std::vector<std::string> UpstreamRateChoices();
std::vector<std::string> PolicingActionChoices();
std::vector<std::string> BroadcastChoices(); // drop, forward

// The lists' cells.
std::string QueueText(uint32_t queue);
std::string UpstreamRateText(uint32_t index);
std::string PolicingActionText(uint32_t action);
