// Apply rules of the locations (requests 20, 21, 22).
#pragma once

#include "link/server/server_apply_context.h"

// 20 and 21: each record adds or replaces the location of its id; the reply to a query of 20 is the whole tree.
void ApplyLocations(CServerApplyContext& context, const EmsMsg& msg);
// 22: removes the locations named by id; their children move to their parents.
void ApplyLocationRemoval(CServerApplyContext& context, const EmsMsg& msg);
