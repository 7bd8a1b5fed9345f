// The UDP socket that the server's notifications arrive on, as the trap thread uses it. It is bound to the local
// address of the server connection with a receive buffer sized for bursts; it takes datagrams only from the server's
// service port (the address and TCP port the workstation connected to, which the server sends its notifications
// from) and counts what it refuses; and it notices the datagrams that the kernel dropped because the receive buffer
// was full.
#pragma once

#include <netinet/in.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>

#include "link/server/frame_codec.h"

// What becomes of one datagram.
enum class DatagramVerdict {
    kTaken,        // a notification of the server
    kForeign,      // not from the server's service port
    kInvalid,      // not a frame
    kOtherVersion, // a frame of another protocol version
};

// Judges a datagram from `from` against the server at `serverAddress`:`serverPort` (both in network order); a taken
// one is decoded into `frame`.
DatagramVerdict ExamineDatagram(const sockaddr_in& from, uint32_t serverAddress, uint16_t serverPort,
                                const uint8_t* data, size_t size, Frame& frame);

class CNotificationSocket {
public:
    struct Counters {
        uint64_t datagrams = 0; // taken from the server
        uint64_t bytes = 0;     // of those datagrams
        uint64_t records = 0;   // in those datagrams
        uint64_t foreign = 0;   // refused: not from the server
        uint64_t invalid = 0;   // refused: not a frame
        uint64_t kernelDrops = 0;
    };

    struct Opened {
        int fd = -1; // -1 when no port was free
        uint16_t port = 0;
        int bufferBytes = -1; // the receive buffer granted for data
    };

    CNotificationSocket() = default;
    ~CNotificationSocket();
    CNotificationSocket(const CNotificationSocket&) = delete;
    CNotificationSocket& operator=(const CNotificationSocket&) = delete;

    // A socket bound to `localAddress` (network order) on the first free port from `firstPort`, at most `tries`
    // ports, with a receive buffer of `bufferBytes`. Logs what it got. Any thread.
    static Opened Open(uint32_t localAddress, uint16_t firstPort, int tries, int bufferBytes);

    // Takes `fd` (or -1 for none) in place of the socket before, which it closes.
    void Adopt(int fd);
    int Fd() const { return fd_; }

    struct Taken {
        uint64_t kernelDrops = 0; // datagrams the kernel dropped since the last call
        uint64_t refused = 0;     // notifications `deliver` could not take
        bool emptied = false;     // the socket was read until nothing waited
    };
    // Reads the waiting datagrams (a bounded number) and hands those of the server at `serverAddress`:`serverPort`
    // (network order) to `deliver`, which says whether it took the notification.
    Taken TakeDatagrams(uint32_t serverAddress, uint16_t serverPort, const std::function<bool(const Frame&)>& deliver);

    // Any thread.
    Counters GetCounters() const;

private:
    int fd_ = -1;
    int64_t dropsSeen_ = 0;
    mutable std::mutex countersMutex_;
    Counters counters_;
};
