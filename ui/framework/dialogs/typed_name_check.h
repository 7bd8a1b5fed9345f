#pragma once
// The check of a name the operator types for an NE or the server (a login, a password, a community, a file name):
// trimmed of blanks at both ends it must not be empty, and each of its characters must be a name character
// (IsValidNameChar). The dialog shows the refusal on its message line and selects the first bad character in the
// edit, where the operator sees what to change:
//
//     if (const std::optional<TypedNameRefusal> refused = CheckTypedName(edit->text())) {
//         ShowAlertTextById(refused->stringId, kNameId);
//         SelectTypedNameFault(*this, kNameId, *refused);
//         return;
//     }

#include <QString>

#include <cstdint>
#include <optional>

class CDialog;

struct TypedNameRefusal {
    uint32_t stringId = 0; // "Data is blank", or "Valid characters are in ..."
    int position = -1;     // the bad character in the text as typed; -1 for a blank text
};

// Why the name as typed is refused, none when it passes. A blank text passes with `blankAllowed`.
std::optional<TypedNameRefusal> CheckTypedName(const QString& typed, bool blankAllowed = false);

// Selects the refused character in the edit.
void SelectTypedNameFault(CDialog& dialog, int editId, const TypedNameRefusal& refused);
