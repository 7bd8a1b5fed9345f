#pragma once
// The rules of the access control list's letters: the text of a letter in the list, the check boxes a text ticks, how
// the boxes stay cumulative when one is clicked, the letter the boxes give, and the rights a save sends. Window-free.

#include "link/records/user_rights_record.h"

#include <array>
#include <string>

// The ACL edits the letters of functions 0..59; the higher ones keep what the server sent.
inline constexpr int kAclEditedItems = 60;

// The boxes, in the order of their letters q, m, c, d, a.
enum AclBox { kAclQuery, kAclModify, kAclCreate, kAclDelete, kAclAll, kAclBoxCount };
using AclBoxes = std::array<bool, kAclBoxCount>;

// "q", "q + m", "q + m + c", "q + m + c + d" or "a"; empty for any other letter.
std::string AclLetterText(char letter);
// The boxes a list text ticks: Query for "q", up to Modify for "m", Create for "c", Delete for "d", all for "a".
AclBoxes AclBoxesOfText(const std::string& text);
// The boxes after one was clicked to `ticked`, kept cumulative: a ticked box ticks the boxes before it, an unticked
// one unticks those after it; ALL ticks or unticks all five.
AclBoxes ClickAclBox(AclBoxes boxes, AclBox box, bool ticked);
// The letter of the highest ticked box: 'a', 'd', 'c', 'm' or 'q'; '-' when none is.
char AclLetterOfBoxes(const AclBoxes& boxes);

// The rights a save sends for the three roles: the edited letters of functions 0..59 and the letters of the higher
// functions as they were loaded, so that a save never takes away rights the list does not show.
UserRightsRecord AclSaveRecord(const std::array<std::string, 3>& loaded, const std::array<std::string, 3>& edited);
