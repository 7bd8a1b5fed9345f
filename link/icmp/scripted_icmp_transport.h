#pragma once
// A scripted network for tests of the engine and of its users: each echo sent takes the next scripted outcome (a
// reply, an error answer, silence or a failed send; silence once the script is used up). Time is virtual: waiting
// moves the network's clock instead of sleeping.

#include "link/icmp/icmp_transport.h"

#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

struct ScriptedEcho {
    enum class Kind { kReply, kError, kSilence, kSendFailure };
    Kind kind = Kind::kSilence;
    uint32_t delayMs = 0; // round trip of a reply or error answer
    uint8_t type = 0;     // ICMP type and code of an error answer
    uint8_t code = 0;
    std::optional<PingAddress> from;          // source of the answer; the destination when not given
    uint8_t ttl = 64;                         // TTL of the answer
    int sendError = 0;                        // system error code of a failed send
    std::optional<std::vector<uint8_t>> data; // echoed data; what was sent when not given

    static ScriptedEcho Reply(uint32_t delayMs, uint8_t ttl = 64);
    static ScriptedEcho Error(uint8_t type, uint8_t code, const PingAddress& from, uint32_t delayMs = 1);
    static ScriptedEcho Silence();
    static ScriptedEcho SendFailure(int sysError);
};

// One echo as the engine handed it to the network.
struct SentEcho {
    PingAddress destination{};
    IcmpEchoOptions options;
    uint16_t sequence = 0;
    std::vector<uint8_t> data;
    uint64_t sentAtMs = 0;
    uint64_t waitEndMs = 0; // virtual time when the engine last stopped waiting for this echo
};

class CScriptedIcmpNetwork {
public:
    static constexpr uint64_t kStartMs = 1000000;

    void Push(ScriptedEcho echo);
    // Opening a transport fails from now on, with this reason.
    void FailOpen(std::string reason);
    // Called on the sending thread after each echo is handed over, e.g. to take a newer id mid-run.
    void SetOnSend(std::function<void(const SentEcho&)> hook);

    IcmpTransportOpener Opener();

    std::vector<SentEcho> Sent() const;
    uint64_t NowMs() const;
    int OpenCount() const;

private:
    friend class CScriptedIcmpTransport;
    struct Pending {
        uint16_t sequence = 0;
        ScriptedEcho echo;
    };

    int Send(const PingAddress& destination, const IcmpEchoOptions& options, uint16_t sequence,
             std::span<const uint8_t> data);
    std::optional<IcmpReply> Await(uint16_t sequence, uint64_t deadlineMs);

    mutable std::mutex mutex_;
    std::deque<ScriptedEcho> script_;
    std::vector<SentEcho> sent_;
    std::optional<Pending> pending_;
    std::optional<std::string> openFailure_;
    std::function<void(const SentEcho&)> onSend_;
    uint64_t now_ = kStartMs;
    int opened_ = 0;
};
