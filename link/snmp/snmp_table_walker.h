#pragma once
// Reads the rows of a conceptual table column by column with GET-NEXT (v1) or GETBULK (v2c).

#include "link/snmp/snmp_session.h"

#include <cstddef>
#include <optional>
#include <vector>

struct SnmpWalkRow {
    CSnmpOid index;
    std::vector<std::optional<SnmpValue>> values; // one per column, in the order the columns were given
};

struct SnmpWalkOptions {
    CSnmpOid startAfter;               // the walk returns indexes above this one (empty: from the first row)
    std::optional<CSnmpOid> lastIndex; // and not above this one
    size_t maxRows = 0;                // 0: no limit; otherwise the first maxRows rows
    bool useBulk = false;
    int32_t maxRepetitions = 0; // 0: chosen from the number of columns
};

struct SnmpWalkStats {
    uint32_t requests = 0;
    uint32_t tooBigHalvings = 0;
    int32_t finalMaxRepetitions = 0;
};

// Walks `columns` (column OIDs without instance). 0 with the rows in index order, or a driver result code: the
// error-status of a response other than the end of the view, kDrvSnmpTooBig when even one repetition is too big,
// kDrvSnmpDecodeError for a response that does not advance.
int WalkSnmpTable(CSnmpSession& session, const std::vector<CSnmpOid>& columns, const SnmpWalkOptions& options,
                  std::vector<SnmpWalkRow>* rows, SnmpWalkStats* stats = nullptr);
