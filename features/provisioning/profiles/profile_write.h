#pragma once
// What every profile editor does around its write, for its kind's templates (NE 0) or an NE's profiles:
//   - a profile not given is read by its name; one the table does not have says "No data" and ends the editor;
//   - an add asks first whether the table has room (profile_room.h: the count of the NE the editor's target holds)
//     and is refused at the kind's limit;
//   - the name as typed must pass CheckTypedName; a changed profile keeps its name, so only a blank one is refused;
//   - the write is an add or a modify of the family, its failure shown in the failure box.
//
//     if (!CheckProfileRoomAndName(*this, kind, targetNeId, IsAdding(), name_, kNameId)) return;
//     ... the editor's own checks and question ...
//     if (!WriteProfile(code, neId, rec, IsAdding())) return;

#include "features/provisioning/profiles/profile_kinds.h"
#include "features/provisioning/profiles/profile_room.h"
#include "link/record_requests.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/messages/string_ids.h"

#include <QString>

#include <cstdint>
#include <vector>

// The name as typed; false with the refusal shown at the name's edit.
bool CheckProfileName(CADialog& editor, const QString& name, int nameId, bool adding);

// Room for an add, counted by the NE `targetNeId`; false with the refusal shown (a count that failed: in the failure
// box).
inline bool CheckProfileRoomForAdd(CADialog& editor, const ProfileKind& kind, uint32_t targetNeId, bool adding)
{
    if (!adding)
        return true;
    const ProfileRoom room = CheckProfileRoom(kind, targetNeId);
    if (room == ProfileRoom::kFull)
        editor.ShowAlertTextById(kind.limitTextId);
    return room == ProfileRoom::kRoom;
}

// Room for an add, then the name; false with the refusal shown (a count that failed: in the failure box).
inline bool CheckProfileRoomAndName(CADialog& editor, const ProfileKind& kind, uint32_t targetNeId, bool adding,
                                    const QString& name, int nameId)
{
    return CheckProfileRoomForAdd(editor, kind, targetNeId, adding) && CheckProfileName(editor, name, nameId, adding);
}

// Adds or modifies the profile; false when the request failed.
template <TabledRecord Rec> bool WriteProfile(RequestCode<Rec> code, uint32_t neId, const Rec& rec, bool adding)
{
    const CRecordRequests requests;
    return adding ? requests.Add(code, neId, rec, {.failureTextId = kStrAddingNewDataFailed}).Ok()
                  : requests.Modify(code, neId, rec, {.failureTextId = kStrFailToUpdateData}).Ok();
}

// The profile of `profile`'s name among those read, taken into it; none: "No data", the editor ends and false.
template <class Rec> bool TakeProfileNamed(CADialog& editor, const std::vector<Rec>& read, Rec& profile)
{
    for (const Rec& rec : read) {
        if (rec.name == profile.name) {
            profile = rec;
            return true;
        }
    }
    editor.ShowAlertTextById(kStrNoData);
    editor.EndDialog(IDCANCEL);
    return false;
}
