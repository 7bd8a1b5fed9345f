// Apply rule of the operator mails (request 8).
#pragma once

#include "link/dispatch_effects.h"
#include "link/server/server_apply_context.h"

// Each delivered mail is shown; the force-logout marker starts the forced logout (10 seconds). A reply to request 8
// answers this workstation's own sending and shows nothing.
void ApplyOperatorMail(const EmsMsg& msg, CDispatchEffects& effects);
