// The simulated management server's network side: a TCP listener on one port, a connection per workstation, and a
// UDP socket for notifications on the same port, which the workstations take datagrams from. One thread serves
// everything in a poll loop, so the data needs no locks. A frame that breaks the protocol closes only the connection it
// came on.
//
// A connection costs the server little until it has logged on: it gets the answer to its logon, or one refusal, and
// nothing more; one that does not log on in time, or leaves a frame half-sent, is closed. A connection's requests
// wait in its socket while much of what it was sent is still unread, and one that lets too much pile up is dropped.
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <poll.h>
#include <random>
#include <vector>

#include "link/server/frame_codec.h"
#include "sim/server/sim_request_handler.h"

struct SimServerOptions {
    std::array<uint8_t, 4> bindAddress{127, 0, 0, 1};
    uint16_t port = 19460;                     // 0 takes a free port
    double alarmRate = 0;                      // generated alarm events per second
    uint32_t datagramRate = 8000;              // notification datagrams per second to one workstation; 0 = at once
    bool exitWithParent = false;               // end when the process that started it ends
    uint32_t frameTimeoutMs = 30000;           // a frame that has begun must be whole within this
    uint32_t logonTimeoutMs = 60000;           // a new connection must have logged on within this
    size_t maxUnsentBytes = 64u * 1024 * 1024; // a connection with more than this waiting for it is dropped
    SimHandlerOptions handler;
};

class CSimServer {
public:
    // No further request of a connection is served while more than this waits to be sent to it.
    static constexpr size_t kPauseServingBytes = 1024 * 1024;
    // What a series of notifications (SimHandled::laterNotices) may add to a connection's queue at a go, and how
    // many connections' series go on in one round of the loop.
    static constexpr size_t kSeriesSliceBytes = 512 * 1024;
    static constexpr size_t kSeriesSlicesPerRound = 2;
    // In rounds that served requests, the series take one slice every so many.
    static constexpr size_t kBusyRoundsPerSlice = 8;
    // A notification datagram fits one Ethernet frame (1,500 bytes less the IP and UDP headers), so that it is
    // never fragmented: 23 records of 60 bytes.
    static constexpr size_t kMaxDatagramBytes = 1472;
    // Datagrams one workstation may get at once before the pace holds the rest back.
    static constexpr double kDatagramBurst = 64;
    // Datagrams that may wait for one workstation; more are lost.
    static constexpr size_t kMaxQueuedDatagrams = 50000;

    CSimServer(CSimDatabase& database, SimServerOptions options);
    ~CSimServer();
    CSimServer(const CSimServer&) = delete;
    CSimServer& operator=(const CSimServer&) = delete;

    // Binds the sockets: TCP for the workstations' connections and UDP for their notifications, on the same port
    // (with port 0, one free for both). 0 or an errno value.
    int Open();
    uint16_t Port() const { return port_; }
    // Serves until `stop` is set. Whoever sets it calls WakeToStop() afterwards, so that an idle wait, which has no
    // time-out, ends; with exitWithParent the end of the parent comes as SIGTERM.
    void Run(const std::atomic<bool>& stop);
    // Safe in a signal handler.
    void WakeToStop();

private:
    using Clock = std::chrono::steady_clock;

    // Bytes waiting to be sent: a stretch of a buffer that other connections may be sent too.
    struct Chunk {
        std::shared_ptr<const std::vector<uint8_t>> owner;
        const uint8_t* data = nullptr;
        size_t size = 0;
        bool ownFrame = false; // `owner` is a frame this server encoded, no one else's once sent
    };

    struct Connection {
        int fd = -1;
        SimSession session;
        CFrameDecoder decoder;
        Clock::time_point accepted;
        std::optional<Clock::time_point> frameBegan; // the first byte of the frame not yet whole
        std::deque<Chunk> pending;                   // frames or parts of them
        size_t pendingOffset = 0;                    // sent bytes of pending.front()
        size_t pendingBytes = 0;
        bool closeWhenSent = false;
        bool holdFlush = false; // frames queued meanwhile go out together afterwards
        bool dead = false;
        // A series of notifications for this connection alone, made as it takes them (SimHandled::laterNotices).
        std::function<bool(const std::function<void(const SimNotice&)>&)> laterNotices;
        // Notification datagrams waiting for the pace, and the replies that must follow them.
        std::deque<std::vector<uint8_t>> datagrams;
        std::vector<Frame> afterDatagrams;
        double datagramCredit = kDatagramBurst;
        // The number of the last notification sent (or lost here), over TCP and UDP in one series from 1; it skips 0
        // when it wraps.
        uint32_t notificationNumber = 0;
    };

    int OpenOn(uint16_t port);
    void Accept();
    void RefuseForLackOfDescriptors();
    void Receive(Connection& connection);
    void ServeBuffered(Connection& connection);
    void RefuseFrame(Connection& connection);
    // The connection's next request waits while much of what it was sent is unread, or while a series goes on.
    bool Paused(const Connection& connection) const
    {
        return connection.pendingBytes > kPauseServingBytes || connection.laterNotices != nullptr;
    }
    void CloseLateConnections(Clock::time_point now);
    void Serve(Connection& connection, const Frame& request);
    void Flush(Connection& connection);
    // Keeps the storage of a frame sent for the next one queued, when it is this server's own and no one else holds it.
    void KeepSpareFrame(Chunk& sent);
    void Queue(Connection& connection, const Frame& frame);
    void QueueBytes(Connection& connection, std::shared_ptr<const std::vector<uint8_t>> bytes);
    void QueueChunk(Connection& connection, Chunk chunk);
    // Each frame's header of its own, its records a stretch of the shared ones.
    void QueueShared(Connection& connection, const SimSharedReply& reply);
    void Deliver(const Connection* from, const SimNotice& notice);
    void Send(Connection& to, const SimNotice& notice);
    // Makes the connection's series on while it has room for them, then serves what waited behind it.
    void ContinueLaterNotices(Connection& connection);
    void QueueDatagrams(Connection& to, const SimNotice& notice);
    static uint32_t NumberAfter(uint32_t number) { return number == UINT32_MAX ? 1 : number + 1; }
    // Queues frames encoded already (a shared notification), each with the connection's next number.
    void QueueNumberedCopy(Connection& to, const std::shared_ptr<const std::vector<uint8_t>>& encoded);
    // Sends what the pace allows after `seconds`; true while datagrams still wait.
    bool SendPacedDatagrams(double seconds);
    void GenerateAlarms();
    void Close(Connection& connection, const char* why);
    std::vector<SimSession> LoggedInSessions() const;

    SimServerOptions options_;
    CSimRequestHandler handler_;
    int listenFd_ = -1;
    int udpFd_ = -1;
    int reserveFd_ = -1; // given up for a moment to turn away a connection when descriptors run out
    Clock::time_point acceptPausedUntil_;
    uint16_t port_ = 0;
    uint64_t nextSessionId_ = 1;
    std::map<uint64_t, std::unique_ptr<Connection>> connections_;
    std::mt19937 random_{12345};
    double alarmCredit_ = 0;
    size_t seriesTurn_ = 0;              // the connection whose series goes first in the next round
    std::vector<uint8_t> receiveBuffer_; // made once, not at every read
    Frame servedFrame_;                  // the request being served, its payload's storage kept for the next
    // The storage of a frame sent, for the next one queued: an answer costs no allocation for its bytes.
    std::shared_ptr<std::vector<uint8_t>> spareFrame_;
    // The reply frames of the last answer, emptied, for the next; only while few.
    std::vector<Frame> spareReplies_;
    static constexpr size_t kSpareReplyFrames = 8;
    size_t requestsServed_ = 0;
    size_t busyRounds_ = 0;          // rounds that served a request
    bool datagramsQueued_ = false;   // since the clock was last read
    bool connectionsClosed_ = false; // since the dead were last taken out
    // What a round of Run waits for, kept from round to round.
    std::vector<pollfd> pollFds_;
    std::vector<Connection*> polledConnections_;
};
