#pragma once
// Keeps the alarm summary's counts of active critical, major and minor alarms (the application's severity counts)
// true from login on, whichever list the operator opened. In server mode each is the server's number of active
// alarms of the severity in the whole network, asked for as the summary's Detail asks for its list (request 328,
// without records), so that the list it opens shows as many. In direct mode each is the number of the NE's entities
// whose alarms are of the severity, as the active alarm list that Detail opens there shows them. The counts are made
// at login and again after the alarm state changed (entity states came), at most every two seconds, never while a
// request of the operator waits for its reply; other changes of an NE or of the NE table ask nothing.

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

class CAlarmSummaryCounts {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    static constexpr std::chrono::milliseconds kRecountInterval{2000};
    // A count query waits no longer for its reply.
    static constexpr int32_t kQueryTimeoutMs = 5000;

    explicit CAlarmSummaryCounts(Clock clock = std::chrono::steady_clock::now) : clock_(std::move(clock)) {}

    // Counts again when the state changed since the last count and the interval has passed.
    void Update();

private:
    // The server's totals; false when a query failed (the counts are made again at the next update).
    bool CountOnServer();
    void CountInTree();

    Clock clock_;
    // The change count of the alarm state the counts were made for.
    std::optional<uint32_t> counted_;
    std::chrono::steady_clock::time_point lastCount_{};
};
