#pragma once
// The decisions of the ADSL port list and port dialog that do not depend on a window: which of the list's buttons the
// NE's state and the selection allow, and what the port dialog does with a traffic policing profile on a port whose
// PVCs carry PPPoE or transparent traffic.

#include <optional>

// How the port list's NE stands.
enum class PortListNe {
    kUnknown,      // not in the NE table: the buttons stay as they are
    kPlanned,      // planned only: nothing that needs the NE itself
    kDisconnected, // no link to it: nothing
    kConnected,
};

// Whether the button (its control id) is enabled; nullopt when it keeps its state. Buttons outside the rule (Export,
// Refresh, Subscriber) are always enabled.
std::optional<bool> PortListButtonEnabled(PortListNe ne, bool rowSelected, int buttonId);

// What OK does with the chosen traffic policing profile.
enum class PolicingVerdict {
    kWrite,        // write the port
    kRefuseDscp,   // 20147: a change-DSCP profile cannot apply
    kAskNoControl, // 10321: the card's service-type control is off; write only on Yes
};

// `conflictingPvc`: an enabled PPPoE-related or transparent PVC on the port; `changesDscp`: the profile's out-profile
// action changes DSCP; `serviceTypeControl`: the line card's service-type control is enabled.
PolicingVerdict JudgePolicing(bool conflictingPvc, bool changesDscp, bool serviceTypeControl);
