#include "platform/window_timers.h"

#include <QTimerEvent>

#include <algorithm>

CWindowTimers::CWindowTimers(Handler handler, QObject* parent) : QObject(parent), handler_(std::move(handler)) {}

CWindowTimers::~CWindowTimers()
{
    KillAll();
}

int CWindowTimers::SetTimer(int id, int milliseconds)
{
    if (id == 0)
        return 0;
    KillTimer(id);
    const int interval = std::max(milliseconds, 0);
    timers_[id] = Entry{startTimer(interval), interval};
    return id;
}

bool CWindowTimers::KillTimer(int id)
{
    auto found = timers_.find(id);
    if (found == timers_.end())
        return false;
    killTimer(found->second.qtId);
    timers_.erase(found);
    return true;
}

void CWindowTimers::KillAll()
{
    for (const auto& [id, entry] : timers_)
        killTimer(entry.qtId);
    timers_.clear();
}

std::optional<int> CWindowTimers::Interval(int id) const
{
    auto found = timers_.find(id);
    if (found == timers_.end())
        return std::nullopt;
    return found->second.milliseconds;
}

std::vector<int> CWindowTimers::ActiveIds() const
{
    std::vector<int> ids;
    for (const auto& [id, entry] : timers_)
        ids.push_back(id);
    return ids;
}

void CWindowTimers::timerEvent(QTimerEvent* event)
{
    for (const auto& [id, entry] : timers_) {
        if (entry.qtId == event->timerId()) {
            const int timerId = id; // the handler may kill or restart this very timer
            if (handler_)
                handler_(timerId);
            return;
        }
    }
    QObject::timerEvent(event);
}
