// Apply rules of the NE table (requests 30, 31, 32, 33).
#pragma once

#include "link/records/ne_key_record.h"
#include "link/server/server_apply_context.h"

class CNeRecord;

// 30, 31 and 33: each record adds or updates the NE of its id (the message's NE id when the record's is 0). The
// reply to a query of 33, or of 30 sent to NE 0, is the whole table. An update keeps the NE's entity tree unless
// its NE model changed.
void ApplyNeRecords(CServerApplyContext& context, const EmsMsg& msg);
// 32: removes the NEs named (by the record's id, else the message's NE id).
void ApplyNeRemoval(CServerApplyContext& context, const EmsMsg& msg);

// The key record of an NE as the client keeps it, its place the working position the operator gave it on the map:
// what a change of the NE sends.
NeKeyRecord NeKeyRecordOf(const CNeRecord& ne);
