#pragma once
// What the operator is told of the NE's check of a source MAC about to be put on a PVC (request 484): the MAC is
// refused with the reason at the control it concerns, the operator is asked first, or the add goes on.

#include "link/records/acl_check_rec.h"

#include <cstdint>

inline constexpr uint32_t kAclStateDeny = 4;
inline constexpr uint32_t kAclStatePermit = 5;

enum class SourceMacAction : uint8_t { kGoOn, kRefuse, kConfirm };

struct SourceMacVerdict {
    SourceMacAction action = SourceMacAction::kGoOn;
    uint32_t messageId = 0;
    int controlId = 0; // kRefuse: where the reason shows
};

// `reply` is the check as the NE answered it, for the PVC and the new state of its request fields.
SourceMacVerdict JudgeSourceMacReply(const AclCheckRec& reply, int macControlId, int pvcControlId, int okControlId);
