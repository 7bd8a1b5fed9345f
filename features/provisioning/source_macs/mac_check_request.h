#pragma once
// The NE's check of a MAC address about to be put on a PVC (request 484), as the source MAC and static MAC dialogs
// ask it: the check written, its verdict read back, and the verdict told to the operator.

#include "features/provisioning/source_macs/source_mac_verdict.h"
#include "link/records/acl_check_rec.h"

#include <cstdint>
#include <optional>

class CADialog;

// Writes the check and reads the NE's answer, on the kind, port, VPI and VCI asked about; nullopt when a request
// failed (the driver has shown why).
std::optional<AclCheckRec> AskMacCheck(uint32_t neId, const AclCheckRec& check);

// A refusal on the dialog's message line at its control, a confirmation in a Yes/No box; true when the add goes on.
bool AcceptMacVerdict(CADialog& dialog, const SourceMacVerdict& verdict);
