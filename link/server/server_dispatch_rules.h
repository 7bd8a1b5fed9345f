// The apply rules of what the server sends, registered with the server message dispatcher: operator mail (8),
// accounts (10, 13, 14), rights (15), locations (20, 21, 22), NEs (30, 31, 32, 33), boards (323), entity states
// (325, 330), alarm definitions (327) and acknowledgements (333). After each dispatch pass the NE-level severity of
// every NE whose state changed is recomputed. Other codes are left to the callers that read their replies.
#pragma once

#include "core/tables/app_data.h"
#include "link/server/server_apply_context.h"

// Registers the rules on `app` (which must outlive them) and the batch hook; replaces rules registered before.
void InstallServerDispatchRules(CAppData& app, ServerDispatchOptions options = {});
// Unregisters them.
void RemoveServerDispatchRules();
