#pragma once
// When a list that refreshes itself every period asks next: at the due time, one period after the last due time, so
// that the time a query takes does not push the refreshes later and later. A tick that comes more than a period late
// (or before its due time) starts the count anew from now. Window-free.

#include <cstdint>

struct RefreshStep {
    int64_t nextDueMs = 0; // the due time of the refresh after the one that ran
    int64_t delayMs = 0;   // from now until then
    bool operator==(const RefreshStep&) const = default;
};

// After the refresh due at `dueMs` ran and ended at `nowMs`.
RefreshStep NextRefresh(int64_t nowMs, int64_t dueMs, int64_t periodMs);
