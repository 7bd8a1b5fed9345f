#pragma once
// Window timers keyed by the numbers the handlers know them by: SetTimer(27594, 10) starts (or restarts) timer 27594,
// each expiry calls the handler with 27594 until KillTimer(27594). Tests call the window's OnTimer(id) directly and
// ask the table which timers are set.

#include <QObject>

#include <functional>
#include <map>
#include <optional>
#include <vector>

class CWindowTimers : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(int id)>;
    explicit CWindowTimers(Handler handler, QObject* parent = nullptr);
    ~CWindowTimers() override;

    // Starts the timer, replacing one of the same id; returns the id (0 for id 0, which names no timer).
    int SetTimer(int id, int milliseconds);
    // False when no timer of that id was set.
    bool KillTimer(int id);
    void KillAll();

    bool IsSet(int id) const { return timers_.count(id) != 0; }
    std::optional<int> Interval(int id) const;
    std::vector<int> ActiveIds() const;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    struct Entry {
        int qtId;
        int milliseconds;
    };
    Handler handler_;
    std::map<int, Entry> timers_;
};
