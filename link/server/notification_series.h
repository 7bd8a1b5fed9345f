// The numbers the server gives the notifications it sends this workstation, over the connection and as datagrams in
// one series (1, 2, 3, ... in the header's `total`): a number that has not come is lost once it is still missing a
// second later, or after 1,000 later numbers, since datagrams may come out of order. Meanwhile the connection may be
// behind the datagrams: while it is not read up to the moment (the driver holds its reading back, or more waits in
// it) a missing number may still be there, so its second and its later numbers count only from then on.
//
// Numbers are counted in 64 bits: the series goes on past what the 32-bit field holds when it wraps to 0 and 1.
//
// A number behind the next one expected that fills no gap says that the series may have run ahead of the server's (a
// datagram that only passed as the server's, numbered far ahead, opens a gap that is lost and read again). After
// everything is read again the series follows the server: from the highest such number that came since the last
// number past every other, or else from the next such number to come; so a loss after the re-read is seen again. A
// number still missing when the re-read ended may come late without counting as either.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>

class CNotificationSeries {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr auto kLateLimit = std::chrono::seconds(1);
    static constexpr uint64_t kLaterLimit = 1000;

    // A new connection: the series starts again at 1.
    void Reset();
    // A notification's number as it came; 0 (a server that numbers nothing) is passed by.
    void Note(uint32_t number, Clock::time_point now);
    // The connection is not read up to `now`: what is missing may still come on it.
    void Hold(Clock::time_point now);
    // The missing numbers given up at `now`, forgotten once told: how many.
    uint64_t TakeLost(Clock::time_point now);
    // Everything is read again, which covers every missing number: none of them is lost any more, and the series
    // follows the server's next number.
    void Forgive();
    // When the first missing number is given up unless it comes (or more come); none while nothing is missing.
    std::optional<Clock::time_point> NextDue() const;
    // Numbers missing now.
    uint64_t MissingCount() const;

private:
    struct Gap {
        uint64_t last = 0;       // the gap is the numbers from its key to this one
        Clock::time_point since; // when it was seen
        uint64_t receivedAt = 0; // received_ then
        bool forgiven = false;   // missing when everything was read again: never lost, only filled or forgotten
    };

    uint64_t Unwrapped(uint32_t number) const;
    // The caller holds mutex_.
    Clock::time_point StartOf(const Gap& gap) const;
    // Whether the number was in a gap.
    bool FillOne(uint64_t number);
    // The server's series stands at `number`: what is expected, and missing, past it goes.
    void FollowFrom(uint64_t number);

    mutable std::mutex mutex_;
    uint64_t next_ = 1;                // the number expected next
    uint64_t received_ = 0;            // numbers that came past every one before them
    bool following_ = false;           // since the last re-read no number has shown where the server's series stands
    std::optional<uint64_t> strayTop_; // the highest number in no gap behind next_ since next_ last moved
    Clock::time_point heldAt_{};
    uint64_t receivedAtHold_ = 0;
    std::map<uint64_t, Gap> missing_;
};
