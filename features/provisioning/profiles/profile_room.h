#pragma once
// Whether a profile table has room for one more profile, asked before an editor adds one: the kind's count request,
// sent to the NE the editor's target holds (for the templates too: an editor on the templates asks the NE of its
// target, the server when that is none), against the kind's limit. The two SHDSL kinds ask the same count (812),
// which the NE answers for both.
//
//     switch (CheckProfileRoom(GetProfileKind(ProfileKindId::kAdslLine), neId)) {
//     case ProfileRoom::kFull: ShowAlertTextById(kind.limitTextId); return;
//     case ProfileRoom::kUnknown: return; // the failure box has said why
//     ...

#include "features/provisioning/profiles/profile_kinds.h"
#include "link/record_requests.h"
#include "ui/framework/messages/string_ids.h"

#include <cstdint>

enum class ProfileRoom : uint8_t {
    kRoom,
    kFull,
    kUnknown, // the count could not be had
};

// The verdict for a table of `count` profiles of the kind.
inline ProfileRoom RoomFor(const ProfileKind& kind, size_t count)
{
    return count >= kind.limit ? ProfileRoom::kFull : ProfileRoom::kRoom;
}

// `neId` is the NE of the editor's target, whatever the table the add goes to.
inline ProfileRoom CheckProfileRoom(const ProfileKind& kind, uint32_t neId,
                                    const CRecordRequests& requests = CRecordRequests())
{
    const CountReply reply = requests.QueryCount(kind.countCode, neId, {.failureTextId = kStrFailToQuery});
    if (!reply.Ok() || !reply.count)
        return ProfileRoom::kUnknown;
    return RoomFor(kind, *reply.count);
}
