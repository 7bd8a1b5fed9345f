#include "link/icmp/scripted_icmp_transport.h"

#include <algorithm>

class CScriptedIcmpTransport : public IcmpTransport {
public:
    explicit CScriptedIcmpTransport(CScriptedIcmpNetwork& network) : network_(network) {}

    int SendEcho(const PingAddress& destination, const IcmpEchoOptions& options, uint16_t sequence,
                 std::span<const uint8_t> data) override
    {
        return network_.Send(destination, options, sequence, data);
    }
    std::optional<IcmpReply> AwaitReply(uint16_t sequence, uint64_t deadlineMs) override
    {
        return network_.Await(sequence, deadlineMs);
    }
    uint64_t NowMs() const override { return network_.NowMs(); }

private:
    CScriptedIcmpNetwork& network_;
};

ScriptedEcho ScriptedEcho::Reply(uint32_t delayMs, uint8_t ttl)
{
    ScriptedEcho echo;
    echo.kind = Kind::kReply;
    echo.delayMs = delayMs;
    echo.ttl = ttl;
    return echo;
}

ScriptedEcho ScriptedEcho::Error(uint8_t type, uint8_t code, const PingAddress& from, uint32_t delayMs)
{
    ScriptedEcho echo;
    echo.kind = Kind::kError;
    echo.type = type;
    echo.code = code;
    echo.from = from;
    echo.delayMs = delayMs;
    return echo;
}

ScriptedEcho ScriptedEcho::Silence()
{
    return ScriptedEcho{};
}

ScriptedEcho ScriptedEcho::SendFailure(int sysError)
{
    ScriptedEcho echo;
    echo.kind = Kind::kSendFailure;
    echo.sendError = sysError;
    return echo;
}

void CScriptedIcmpNetwork::Push(ScriptedEcho echo)
{
    std::lock_guard lock(mutex_);
    script_.push_back(std::move(echo));
}

void CScriptedIcmpNetwork::FailOpen(std::string reason)
{
    std::lock_guard lock(mutex_);
    openFailure_ = std::move(reason);
}

void CScriptedIcmpNetwork::SetOnSend(std::function<void(const SentEcho&)> hook)
{
    std::lock_guard lock(mutex_);
    onSend_ = std::move(hook);
}

IcmpTransportOpener CScriptedIcmpNetwork::Opener()
{
    return [this](std::string* error) -> std::unique_ptr<IcmpTransport> {
        std::lock_guard lock(mutex_);
        if (openFailure_) {
            if (error != nullptr)
                *error = *openFailure_;
            return nullptr;
        }
        ++opened_;
        return std::make_unique<CScriptedIcmpTransport>(*this);
    };
}

std::vector<SentEcho> CScriptedIcmpNetwork::Sent() const
{
    std::lock_guard lock(mutex_);
    return sent_;
}

uint64_t CScriptedIcmpNetwork::NowMs() const
{
    std::lock_guard lock(mutex_);
    return now_;
}

int CScriptedIcmpNetwork::OpenCount() const
{
    std::lock_guard lock(mutex_);
    return opened_;
}

int CScriptedIcmpNetwork::Send(const PingAddress& destination, const IcmpEchoOptions& options, uint16_t sequence,
                               std::span<const uint8_t> data)
{
    SentEcho sent;
    std::function<void(const SentEcho&)> hook;
    int result = 0;
    {
        std::lock_guard lock(mutex_);
        ScriptedEcho echo;
        if (!script_.empty()) {
            echo = std::move(script_.front());
            script_.pop_front();
        }
        if (!echo.from)
            echo.from = destination;
        if (!echo.data)
            echo.data = std::vector<uint8_t>(data.begin(), data.end());
        sent = SentEcho{destination, options, sequence, {data.begin(), data.end()}, now_, now_};
        sent_.push_back(sent);
        if (echo.kind == ScriptedEcho::Kind::kSendFailure) {
            result = echo.sendError;
            pending_.reset();
        } else {
            pending_ = Pending{sequence, std::move(echo)};
        }
        hook = onSend_;
    }
    if (hook)
        hook(sent);
    return result;
}

std::optional<IcmpReply> CScriptedIcmpNetwork::Await(uint16_t sequence, uint64_t deadlineMs)
{
    std::lock_guard lock(mutex_);
    auto record = std::find_if(sent_.rbegin(), sent_.rend(), [&](const SentEcho& s) { return s.sequence == sequence; });
    bool answers = pending_ && pending_->sequence == sequence && pending_->echo.kind != ScriptedEcho::Kind::kSilence;
    if (answers && record != sent_.rend() && record->sentAtMs + pending_->echo.delayMs <= deadlineMs) {
        now_ = std::max(now_, record->sentAtMs + pending_->echo.delayMs);
        record->waitEndMs = now_;
        const ScriptedEcho& echo = pending_->echo;
        IcmpReply reply;
        reply.type = echo.kind == ScriptedEcho::Kind::kReply ? 0 : echo.type;
        reply.code = echo.kind == ScriptedEcho::Kind::kReply ? 0 : echo.code;
        reply.sequence = sequence;
        reply.from = *echo.from;
        reply.ttl = echo.ttl;
        if (echo.kind == ScriptedEcho::Kind::kReply)
            reply.data = *echo.data;
        pending_.reset();
        return reply;
    }
    now_ = std::max(now_, deadlineMs);
    if (record != sent_.rend())
        record->waitEndMs = now_;
    return std::nullopt;
}
