// The UDP socket that the server's notifications arrive on, as the trap thread uses it. It is bound to the local
// address of the server connection with a receive buffer sized for bursts; it takes datagrams only from the server
// (its address, and the port its first notification came from) and counts what it refuses; and it notices the
// datagrams that the kernel dropped because the receive buffer was full.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>

#include "link/server/frame_codec.h"

class CNotificationSocket {
public:
    // As much as a burst of some 70,000 state records; the kernel may grant less (net.core.rmem_max).
    static constexpr int kReceiveBufferBytes = 4 * 1024 * 1024;

    struct Counters {
        uint64_t datagrams = 0; // taken from the server
        uint64_t bytes = 0;     // of those datagrams
        uint64_t records = 0;   // in those datagrams
        uint64_t foreign = 0;   // refused: not from the server
        uint64_t invalid = 0;   // refused: not a frame
        uint64_t kernelDrops = 0;
    };

    CNotificationSocket() = default;
    ~CNotificationSocket();
    CNotificationSocket(const CNotificationSocket&) = delete;
    CNotificationSocket& operator=(const CNotificationSocket&) = delete;

    // A socket bound to `localAddress` (network order) on the first free port from `firstPort`, at most `tries`
    // ports, with the burst-sized receive buffer; -1 with *port 0 when none. Logs what it got. Any thread.
    static int Open(uint32_t localAddress, uint16_t firstPort, int tries, uint16_t* port);

    // Takes `fd` (or -1 for none) in place of the socket before, which it closes; the server's port is learnt
    // anew.
    void Adopt(int fd);
    int Fd() const { return fd_; }

    struct Taken {
        uint64_t kernelDrops = 0; // datagrams the kernel dropped since the last call
        bool drained = false;     // nothing waits any more
    };
    // Reads the waiting datagrams (a bounded number) and hands those of the server at `serverAddress` (network
    // order) to `deliver`.
    Taken TakeDatagrams(uint32_t serverAddress, const std::function<void(const Frame&)>& deliver);

    // Any thread.
    Counters GetCounters() const;

private:
    int fd_ = -1;
    uint16_t serverPort_ = 0; // network order; 0 until the server's first notification
    int64_t dropsSeen_ = 0;
    mutable std::mutex countersMutex_;
    Counters counters_;
};
