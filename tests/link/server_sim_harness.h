#pragma once
// Helpers of the server link's integration tests: the simulated management server as a child process on a free
// port, a bare frame-level client for a second workstation, and a dispatch UI that records what it is asked to show.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/entity/entity_model_loader.h"
#include "core/util/md5.h"
#include "link/dispatch_effects.h"
#include "link/records/logon_rec.h"
#include "link/records/word_record.h"
#include "link/server/frame_codec.h"
#include "link/server_message_dispatcher.h"
#include "tarvik_test_paths.h"
#include "tests/link/snmp_test_support.h"

namespace server_test {

inline std::string WorldScenario()
{
    return std::string(TARVIK_TEST_DATA_DIR) + "/server/sim_world.ini";
}

inline std::string Digest(const std::string& password)
{
    return Md5HexString(password).substr(0, 10);
}

// Loads the sample entity models as the program's.
inline void LoadSampleModels()
{
    const std::string dir = std::string(TARVIK_RESOURCES_DIR) + "/EntConf/";
    EntityModelLoadResult loaded = LoadEntityModelSet(dir + "EntInfo.dat", dir + "EntAlm.dat", dir + "EntSkin.dat");
    ReplaceEntityModels(std::move(loaded.models));
}

// Polls `done` until it holds, applying queued server messages meanwhile (the UI thread's timer does that in the
// program). False when `limitMs` passed first.
inline bool DispatchUntil(const std::function<bool()>& done, int limitMs = 5000)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    for (;;) {
        DispatchServerMessage(nullptr);
        if (done()) {
            return true;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

// tarvik-sim-server, ended with this process.
class CSimServerProcess : public snmp_test::CPeerProcess {
public:
    CSimServerProcess()
        : CPeerProcess({(snmp_test::BuildDir() / "sim" / "tarvik-sim-server").string(), "--exit-with-parent"})
    {
    }
};

// A second workstation, speaking frames directly.
class CRawClient {
public:
    CRawClient() = default;
    CRawClient(const CRawClient&) = delete;
    CRawClient& operator=(const CRawClient&) = delete;
    ~CRawClient() { Close(); }

    // From 127.0.0.1 unless told another loopback address (any 127.x.y.z) to come from.
    bool Connect(uint16_t port, const char* from = nullptr)
    {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd_ < 0)
            return false;
        if (from != nullptr) {
            sockaddr_in own{};
            own.sin_family = AF_INET;
            if (::inet_pton(AF_INET, from, &own.sin_addr) != 1 ||
                ::bind(fd_, reinterpret_cast<sockaddr*>(&own), sizeof own) != 0)
                return false;
        }
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(port);
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return ::connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    }

    int Fd() const { return fd_; }

    void Close()
    {
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }

    bool SendBytes(const std::vector<uint8_t>& bytes)
    {
        return ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
    }

    // One request, in this side's protocol version unless told; returns its sequence.
    uint32_t Send(uint8_t operation, uint16_t code, uint32_t neId, const std::vector<uint8_t>& record,
                  uint32_t recordSize, uint32_t version = kFrameProtocolVersion)
    {
        FrameHeader header;
        header.operation = operation;
        header.requestCode = code;
        header.neId = neId;
        header.count = recordSize == 0 ? 0 : static_cast<uint32_t>(record.size() / recordSize);
        header.total = header.count;
        header.recordSize = recordSize;
        header.sequence = ++sequence_;
        header.version = version;
        SendBytes(EncodeFrame(header, record.data(), record.size()));
        return header.sequence;
    }

    // The next frame, or nullopt when none came in time or the server closed the connection.
    std::optional<Frame> Receive(int limitMs = 5000)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
        for (;;) {
            Frame frame;
            if (decoder_.Next(frame) == FrameStatus::Complete) {
                return frame;
            }
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            pollfd fd{fd_, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&fd, 1, static_cast<int>(left.count())) <= 0) {
                return std::nullopt;
            }
            uint8_t buffer[65536];
            const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
            if (n <= 0) {
                closedByPeer_ = true; // at its end, or reset
                return std::nullopt;
            }
            decoder_.Append(buffer, static_cast<size_t>(n));
        }
    }

    // The reply to `sequence`, skipping notifications (kept in Notifications()).
    std::optional<Frame> ReplyTo(uint32_t sequence, int limitMs = 5000)
    {
        for (;;) {
            std::optional<Frame> frame = Receive(limitMs);
            if (!frame || frame->header.sequence == sequence) {
                return frame;
            }
            notifications_.push_back(*frame);
        }
    }

    // Logs on; true when the server accepted.
    bool Logon(const std::string& user, const std::string& password)
    {
        LogonRec logon;
        logon.userName = user;
        logon.passwordDigest = Digest(password);
        const auto bytes = EncodeRecord(logon);
        const uint32_t sequence =
            Send(2, kReqLogon, 0, std::vector<uint8_t>(bytes.begin(), bytes.end()), kLogonRecSize);
        const std::optional<Frame> reply = ReplyTo(sequence);
        return reply && reply->header.status == 0;
    }

    // Asks to be told of what the other workstations change, as a logged-in program does; true when the server took
    // it. What the server sends at once (the state of every entity) is among the notifications that follow.
    bool TurnNotificationsOn()
    {
        const auto on = EncodeRecord(WordRecord{1});
        const std::optional<Frame> reply =
            ReplyTo(Send(2, kReqNotificationsOn, 0, std::vector<uint8_t>(on.begin(), on.end()), kWordRecordSize));
        return reply && reply->header.status == 0;
    }

    // Takes every frame that comes (kept in Notifications()) until the server ends the connection; false when it
    // is still open after `limitMs`.
    bool ClosedWithin(int limitMs)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
        while (!closedByPeer_ && std::chrono::steady_clock::now() < deadline) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (std::optional<Frame> frame = Receive(static_cast<int>(std::max<int64_t>(left.count(), 1)))) {
                notifications_.push_back(*frame);
            }
        }
        return closedByPeer_;
    }

    bool ClosedByPeer() const { return closedByPeer_; }
    std::vector<Frame>& Notifications() { return notifications_; }

private:
    int fd_ = -1;
    uint32_t sequence_ = 0;
    CFrameDecoder decoder_;
    bool closedByPeer_ = false;
    std::vector<Frame> notifications_;
};

// What the dispatcher asked the user interface to do, in order. Used on the UI thread only.
class CRecordingDispatchUi : public IDispatchUi {
public:
    struct TrapBatch {
        uint32_t neId = 0;
        std::vector<uint8_t> records;
        uint32_t count = 0;
    };

    void ShowOperatorMail(const OperatorMailNotice& mail) override { mails.push_back(mail); }
    void StartLogoutTimer(uint32_t periodMs) override { logoutTimers.push_back(periodMs); }
    int AddTrapLogRecords(uint32_t neId, const uint8_t* records, uint32_t count) override
    {
        TrapBatch batch;
        batch.neId = neId;
        batch.count = count;
        if (records != nullptr) {
            batch.records.assign(records, records + static_cast<size_t>(count) * 60);
        }
        trapBatches.push_back(std::move(batch));
        return static_cast<int>(count);
    }

    uint32_t TrapRecordCount() const
    {
        uint32_t n = 0;
        for (const TrapBatch& batch : trapBatches) {
            n += batch.count;
        }
        return n;
    }

    std::vector<OperatorMailNotice> mails;
    std::vector<uint32_t> logoutTimers;
    std::vector<TrapBatch> trapBatches;
};

} // namespace server_test
