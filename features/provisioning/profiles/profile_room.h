#pragma once
// Whether a profile table has room for one more profile, asked before an editor adds one: the table's count against
// its kind's limit. What is counted is the table the add goes to:
//   - an NE's own profiles by the kind's count request to that NE;
//   - the server's templates by a query of them (NE 0): the server counts no templates, and an NE's count says
//     nothing of them;
//   - an NE's profiles of a kind without a count of its own (the NE counts both SHDSL kinds as one) by a query of
//     them, so that a full table of one kind does not refuse an add of the other.
//
//     switch (CheckProfileRoom(GetProfileKind(ProfileKindId::kAdslLine), code, neId)) {
//     case ProfileRoom::kFull: ShowAlertTextById(kind.limitTextId); return;
//     case ProfileRoom::kUnknown: return; // the failure box has said why
//     ...

#include "features/provisioning/profiles/profile_kinds.h"
#include "link/record_requests.h"
#include "link/records/request_codes.h"
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

// `code` is the family the add goes to (the kind's template or NE family), `neId` its NE (0 for the templates).
template <TabledRecord Rec>
ProfileRoom CheckProfileRoom(const ProfileKind& kind, RequestCode<Rec> code, uint32_t neId,
                             const CRecordRequests& requests = CRecordRequests())
{
    const RequestOptions options{.failureTextId = kStrFailToQuery};
    const bool byCountRequest = code == kind.neCode && kind.countCode.value != 0 && neId != 0;
    if (byCountRequest) {
        const CountReply reply = requests.QueryCount(kind.countCode, neId, options);
        if (!reply.Ok() || !reply.count)
            return ProfileRoom::kUnknown;
        return RoomFor(kind, *reply.count);
    }
    const RecordReply<Rec> reply = requests.Query<Rec>(code, neId, options);
    return reply.Ok() ? RoomFor(kind, reply.records.size()) : ProfileRoom::kUnknown;
}
