#pragma once
// What the operator is told of the NE's check of a source MAC about to be put on a PVC (request 484): the MAC is
// refused with the reason at the control it concerns, the operator is asked first, or the add goes on.

#include "link/records/acl_check_rec.h"

#include <cstdint>
#include <optional>

inline constexpr uint32_t kAclStateDeny = 4;
inline constexpr uint32_t kAclStatePermit = 5;

enum class SourceMacAction : uint8_t { kGoOn, kRefuse, kConfirm };

struct SourceMacVerdict {
    SourceMacAction action = SourceMacAction::kGoOn;
    uint32_t messageId = 0;
    int controlId = 0; // kRefuse: where the reason shows
};

// Verdicts of the NE's check, and the filtering-database entry types its reply names.
namespace mac_check {
inline constexpr uint32_t kNeverRun = 0;
inline constexpr uint32_t kNoSuchPvc = 2;
inline constexpr uint32_t kReserved = 3;
inline constexpr uint32_t kInFilteringDatabase = 4;
inline constexpr uint32_t kListed = 5;
inline constexpr uint32_t kClearsEntries = 6;
inline constexpr uint32_t kPvcHoldsOthers = 7;
inline constexpr uint32_t kAtMacLimit = 8;
inline constexpr uint32_t kLearnedOnPvc = 9;

inline constexpr uint32_t kLearned = 1;
inline constexpr uint32_t kSpoofedActive = 2;
inline constexpr uint32_t kSpoofedInactive = 3;
inline constexpr uint32_t kStatic = 7;
inline constexpr uint32_t kLearnedNonAged = 8;
} // namespace mac_check

// `reply` is the check as the NE answered it, for the PVC and the new state of its request fields.
SourceMacVerdict JudgeSourceMacReply(const AclCheckRec& reply, int macControlId, int pvcControlId, int okControlId);

// What either check tells alike: a reserved MAC, one the NE learned or found spoofed, a PVC at its MAC limit, a
// learned entry the new one would overwrite; nullopt for a verdict each check tells its own way.
std::optional<SourceMacVerdict> SharedMacVerdict(const AclCheckRec& reply, int macControlId, int pvcControlId);

SourceMacVerdict RefuseMac(uint32_t messageId, int controlId);
SourceMacVerdict ConfirmMac(uint32_t messageId);
