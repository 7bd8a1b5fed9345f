// The simulated management server's network side: a TCP listener on one port, a connection per workstation, and a
// UDP socket for notifications. One thread serves everything in a poll loop, so the data needs no locks. A frame
// that breaks the protocol closes only the connection it came on.
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
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include "link/server/frame_codec.h"
#include "sim/server/sim_request_handler.h"

struct SimServerOptions {
    std::array<uint8_t, 4> bindAddress{127, 0, 0, 1};
    uint16_t port = 19460;                     // 0 takes a free port
    double alarmRate = 0;                      // generated alarm events per second
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
    // Records of 60 bytes per notification datagram, well inside the largest datagram.
    static constexpr size_t kMaxDatagramPayload = 60000;

    CSimServer(CSimDatabase& database, SimServerOptions options);
    ~CSimServer();
    CSimServer(const CSimServer&) = delete;
    CSimServer& operator=(const CSimServer&) = delete;

    // Binds the sockets; 0 or an errno value.
    int Open();
    uint16_t Port() const { return port_; }
    // Serves until `stop` is set.
    void Run(const std::atomic<bool>& stop);

private:
    using Clock = std::chrono::steady_clock;

    struct Connection {
        int fd = -1;
        SimSession session;
        CFrameDecoder decoder;
        Clock::time_point accepted;
        std::optional<Clock::time_point> frameBegan; // the first byte of the frame not yet whole
        std::deque<std::vector<uint8_t>> pending;
        size_t pendingOffset = 0; // sent bytes of pending.front()
        size_t pendingBytes = 0;
        bool closeWhenSent = false;
        bool dead = false;
    };

    void Accept();
    void RefuseForLackOfDescriptors();
    void Receive(Connection& connection);
    void ServeBuffered(Connection& connection);
    void RefuseFrame(Connection& connection);
    bool Paused(const Connection& connection) const { return connection.pendingBytes > kPauseServingBytes; }
    void CloseLateConnections(Clock::time_point now);
    void Serve(Connection& connection, const Frame& request);
    void Flush(Connection& connection);
    void Queue(Connection& connection, const Frame& frame);
    void Deliver(const Connection* from, const SimNotice& notice);
    void SendDatagrams(const Connection& to, const SimNotice& notice);
    void GenerateAlarms();
    void Close(Connection& connection, const char* why);
    std::vector<SimSession> LoggedInSessions() const;

    CSimDatabase& db_;
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
};
