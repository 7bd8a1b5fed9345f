// Apply rules of the operator accounts (requests 10, 13, 14) and the access rights (request 15).
#pragma once

#include "link/server/server_apply_context.h"

// 10 and 13: each record adds or replaces the account of its name; the reply to a query of 10 is the whole list.
// The logged-in operator's own account sets the application's role.
void ApplyUserAccounts(CServerApplyContext& context, const EmsMsg& msg);
// 14: removes the accounts named.
void ApplyUserAccountRemoval(CServerApplyContext& context, const EmsMsg& msg);
// 15: the three rights texts go to the shell's SetAllUserRights.
void ApplyUserRights(CServerApplyContext& context, const EmsMsg& msg);
