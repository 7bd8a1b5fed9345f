#pragma once
// The auto-refresh rule of the current-PM dialogs (ADSL, SHDSL and trunk ports): a refresh every period
// (DIALOG/DIALOGREFRESHTIME seconds, 1..60, 2 by default), each due one period after the one before. The timer fires
// once per refresh and is set again after the refresh for what is left of the period, so that the time a refresh
// takes does not add up; a refresh that ends more than a period late starts a new period from then.
//
//     autoRefresh_.Start();                          // switched on: the first refresh a period from now
//     SetTimer(kTimer, autoRefresh_.PeriodMs());
//     ... OnTimer(kTimer): KillTimer(kTimer); if (Refresh()) SetTimer(kTimer, autoRefresh_.Rearm());
//
// The clock is given, so that a test sets the time.

#include "core/util/time_record.h"

#include <functional>

// DIALOG/DIALOGREFRESHTIME in milliseconds.
int DialogRefreshPeriodMs();

class CPmAutoRefresh {
public:
    using Clock = std::function<TimeRec()>;

    explicit CPmAutoRefresh(Clock clock = GetCurrentUtcTime) : clock_(std::move(clock)) {}

    void SetPeriodMs(int periodMs) { periodMs_ = periodMs; }
    int PeriodMs() const { return periodMs_; }
    // The next refresh is due a period from now.
    void Start();
    // After a refresh: the milliseconds to the next one, which becomes due a period after this one, or a period
    // from now when this one ended more than a period late.
    int Rearm();
    const TimeRec& Due() const { return due_; }

private:
    Clock clock_;
    int periodMs_ = 2000;
    TimeRec due_;
};
