#pragma once
// The ticks of a batch that a dialog runs row by row on a window timer: each tick is asked for once the last one has
// done its work, so that a slow peer never has ticks pile up, and none runs once the batch has stopped.
//
//     CBatchTicks ticks_{*this, kTickTimer, kTickMs, [this] { Tick(); }};
//     Go:                  ticks_.Start();
//     Stop, OnDestroy:     ticks_.Stop();
//     end of a Tick:       ticks_.Next();
//     OnTimer(id):         if (!ticks_.OnTimer(id)) CRecordListDlg::OnTimer(id);

#include "platform/dialog.h"

#include <functional>
#include <utility>

class CBatchTicks {
public:
    CBatchTicks(CDialog& dialog, int timerId, int intervalMs, std::function<void()> tick)
        : dialog_(dialog), timerId_(timerId), intervalMs_(intervalMs), tick_(std::move(tick))
    {
    }

    void Start()
    {
        running_ = true;
        dialog_.SetTimer(timerId_, intervalMs_);
    }
    void Stop()
    {
        dialog_.KillTimer(timerId_);
        running_ = false;
    }
    // The next tick, while the batch runs.
    void Next()
    {
        if (running_)
            dialog_.SetTimer(timerId_, intervalMs_);
    }
    bool Running() const { return running_; }

    // True when the timer is the batch's: its tick has run, if the batch still runs.
    bool OnTimer(int timerId)
    {
        if (timerId != timerId_)
            return false;
        dialog_.KillTimer(timerId_);
        if (running_)
            tick_();
        return true;
    }

private:
    CDialog& dialog_;
    int timerId_;
    int intervalMs_;
    std::function<void()> tick_;
    bool running_ = false;
};
