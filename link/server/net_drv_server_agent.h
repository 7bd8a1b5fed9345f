// The server driver: one TCP connection to the management server for requests, replies and notifications, plus
// notifications as UDP datagrams on a local port of the connection's own address. PollRoutine keeps the connection
// alive and, when notifications were lost, reads again everything the login reads; TrapRoutine takes the datagrams.
// The server numbers its notifications (see notification_series.h): a number that does not come is a loss, told
// once, and the re-read covers every number missing until it has asked for the states again.
//
// While the dispatcher's queue is past its bound the connection is left unread (the server holds back what it has
// for this workstation) until the UI has applied what waits: by AgentRoutine, and by a requesting thread other than
// the UI's unless the UI has taken nothing for a while (it may wait for that very request). Nothing read from the
// connection is refused; datagrams are queued up to the queue's limit, and past it counted lost.
//
// A request's frame goes out from the requesting thread when no frame waits before it (else it waits its turn, and
// AgentRoutine sends it as the socket takes it), and the requesting thread then reads the connection itself until
// its reply is there, one such thread at a time, waiting in recv(); meanwhile AgentRoutine leaves
// the reading to it. A round trip so wakes no thread but the requester and costs it a send and a receive: from a
// request on until a moment after the last one (kLendMs), AgentRoutine does not watch the connection for reading but
// looks at it every kLentLookMs itself, so that the requests in between need not change what it watches. The
// requesting thread's recv() waits with no time-out of its own (one would arm a timer at every wait): at those looks
// AgentRoutine interrupts it with a signal once the request has ended otherwise (cancelled, failed), its wait is over
// or the driver quits; a dropped connection ends it at once.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <pthread.h>
#include <thread>
#include <vector>

#include "link/link_settings.h"
#include "link/net_drv.h"
#include "link/server/frame_codec.h"
#include "link/server/notification_series.h"
#include "link/server/notification_socket.h"
#include "link/wakeup_event.h"

class CNetDrvServerAgent : public CNetDrv {
public:
    static constexpr int kTrapPortTries = 100;
    static constexpr uint32_t kLendMs = 1000;
    static constexpr int kLentLookMs = 10;
    // A requesting thread other than the UI's reads on past the queue's bound once the UI has taken nothing for this
    // long.
    static constexpr uint32_t kUiStandsStillMs = 2000;

    explicit CNetDrvServerAgent(const LinkSettings& settings);
    ~CNetDrvServerAgent() override;

    // The UDP port notifications are taken on; 0 while not connected or when none could be bound.
    uint16_t GetTrapPort() const { return trapPort_.load(); }

    struct NotificationCounters : CNotificationSocket::Counters {
        uint64_t refused = 0; // datagrams that the dispatcher's queue could not take
        uint64_t missing = 0; // numbers of the server's series given up as lost
        uint64_t resyncs = 0; // everything read again after a loss
    };
    NotificationCounters GetNotificationCounters() const;

protected:
    int AgentRoutine_Connect(const ConnectParams& params) override;
    int AgentRoutine_Recv() override;
    void AgentRoutine_Disconnect() override;
    int AgentTransportFd() const override { return socket_; }
    short AgentTransportEvents() const override;
    int AgentPollTimeoutMs(short asked) const override;
    int AgentRoutine_Flush() override;
    void AgentRoutine_Look() override;
    int EncodeRequestBody(SendParams& params) override;
    std::optional<int> HandOver(const SendParams& params,
                                std::optional<std::chrono::steady_clock::time_point> waitUntil) override;
    bool TakeReading(uint32_t sequence) override;
    void ReceiveUntilDone(uint32_t sequence, std::chrono::steady_clock::time_point deadline) override;
    void ReleaseReading(uint32_t sequence) override;

    int StartDriverThreads() override;
    void SignalDriverThreadsToQuit() override;
    bool DriverThreadsEnded() const override;
    void JoinDriverThreads() override;

private:
    void PollRoutine();
    void TrapRoutine();
    // A request of the driver's own through a slot, not a transaction, so that the operator's requests go on. Its
    // reply goes to `reply` when given.
    int SendDriverRequest(uint8_t operation, uint16_t code, const std::vector<uint8_t>& body,
                          ReplyData* reply = nullptr);
    // Reads what the socket `fd` holds and delivers the frames; the caller holds recvMutex_. With `mayHoldBack` it
    // stops while the dispatcher's queue is past its bound. `readFor`: the request a requesting thread reads for,
    // whose first read waits for data up to the socket's receive time-out (0: AgentRoutine reads, without waiting).
    int ReceiveAvailable(int fd, bool mayHoldBack, uint32_t readFor = 0);
    // Whether a requesting thread leaves the connection unread a moment: past the queue's bound, off the UI thread,
    // while the UI takes what waits. `taken`/`takenChangedAt`: what the UI had taken when the thread last saw it move
    // (or first held back; none yet: the epoch).
    bool RequesterHoldsBack(uint64_t& taken, std::chrono::steady_clock::time_point& takenChangedAt) const;
    // Whether AgentRoutine leaves the connection unread: while no request waits for its reply, from the moment the
    // dispatcher's queue passes its bound until it has drained to half of it.
    bool LeavesConnectionUnread() const;
    // The queue's part of that, with its hysteresis.
    bool HoldsReadingBack() const;
    // A requesting thread reads the connection, or did a moment ago.
    bool ReadingLent() const;
    // The requesting thread's wait in recv() for its reply, from its first read to its last; the end takes a wake-up
    // signal still on its way, so that it interrupts nothing the thread does next.
    void BeginReaderWait(uint32_t sequence, std::chrono::steady_clock::time_point until);
    void EndReaderWait();
    // Writes from `*offset` on without waiting; 0 (with *offset short of the end when the socket is full) or a
    // driver result code.
    static int SendSome(int fd, const std::vector<uint8_t>& bytes, size_t* offset);
    // Hands a freshly bound notification socket (or -1) to TrapRoutine, which closes the one before.
    void OfferTrapSocket(int fd, uint16_t port);
    // True when TrapRoutine took a socket offered since it last looked.
    bool AdoptOfferedTrapSocket();
    // Waits until TrapRoutine has read its socket empty since the call, so that every datagram the server sent before
    // it is queued ahead of what a request sent now brings; false when that took longer than `limit`, or the driver
    // quits.
    bool WaitForDatagramsTaken(std::chrono::milliseconds limit);
    // TrapRoutine found its socket empty after the `asked`th such wait had begun.
    void NoteDatagramsTaken(uint64_t asked);
    // Asks PollRoutine for a resync; the first loss until it has run is told on the status line.
    void OnNotificationsLost(uint64_t count, const char* how);
    // Reads again what the login reads, the replies queued for the model in their places; false when it must be
    // tried again.
    bool Resynchronise();

    const LinkSettings settings_;

    // Set and closed by AgentRoutine only; other threads read it under sendMutex_.
    int socket_ = -1;

    // The sending side.
    struct UnsentFrame {
        std::vector<uint8_t> bytes;
        size_t offset = 0;
        uint64_t number = 0;
    };
    std::mutex sendMutex_; // socket_ for other threads, the frames that wait, the reader's hold on the socket
    std::condition_variable sentCv_;
    std::deque<UnsentFrame> unsent_;
    std::vector<uint8_t> sendFrame_; // the frame being sent, its storage kept for the next
    std::atomic<bool> hasUnsent_{false};
    uint64_t framesHandedOver_ = 0;
    uint64_t framesSent_ = 0; // every frame up to this number is on its way
    uint64_t connectionNumber_ = 0;
    std::chrono::steady_clock::time_point lastSendProgress_{};
    int heldSocket_ = -1; // the socket a requesting thread reads; closed when it lets go
    bool closeWhenLetGo_ = false;

    // The receiving side: AgentRoutine, or the one requesting thread that reads for its reply.
    std::mutex recvMutex_; // the decoder and the buffer
    CFrameDecoder decoder_;
    std::vector<uint8_t> receiveBuffer_;
    // Taken by the request that reads, from TakeReading to ReleaseReading (its thread may change in between).
    std::atomic<bool> readerTaken_{false};
    int readerSocket_ = -1; // the socket it reads
    std::atomic<bool> requesterReads_{false};
    // Readings ended so far, and of them those AgentRoutine has seen end; it times the loan's end from that look.
    std::atomic<uint64_t> readingsEnded_{0};
    mutable std::atomic<uint64_t> readingsEndedSeen_{0};
    mutable std::atomic<std::chrono::steady_clock::time_point> lentUntil_{};
    // The requesting thread that waits in recv(), for which request and until when; set before readerWaits_.
    std::atomic<pthread_t> readerThread_{};
    std::atomic<uint32_t> readerSequence_{0};
    std::atomic<std::chrono::steady_clock::time_point> readerUntil_{};
    std::atomic<bool> readerWaits_{false};
    // Wake-up signals sent to it, and taken by its handler (or given up unsent): its wait ends when they are equal.
    std::atomic<uint64_t> readerWakesSent_{0};
    std::atomic<uint64_t> readerWakesTaken_{0};

    // Datagrams are taken only from the server's address and service port (network order); 0 while not connected.
    std::atomic<uint32_t> serverAddress_{0};
    std::atomic<uint16_t> serverPort_{0};
    mutable std::atomic<bool> readingHeldBack_{false};
    std::atomic<uint64_t> refused_{0};
    std::atomic<uint16_t> trapPort_{0};
    CNotificationSocket notifications_; // TrapRoutine's own
    CWakeupEvent trapWakeup_;
    std::mutex trapOfferMutex_;
    int offeredTrapSocket_ = -1;
    bool trapSocketOffered_ = false;
    std::mutex datagramsTakenMutex_;
    std::condition_variable datagramsTakenCv_;
    std::atomic<uint64_t> takeAllAsked_{0}; // waits for TrapRoutine to read its socket empty, begun so far
    uint64_t takeAllDone_ = 0;              // of those, the last it answered; under datagramsTakenMutex_
    std::atomic<bool> resyncWanted_{false};
    std::atomic<bool> resyncRunning_{false};
    std::atomic<uint64_t> resyncs_{0};
    CNotificationSeries series_;
    std::atomic<uint64_t> missing_{0};

    std::thread pollThread_;
    std::thread trapThread_;
    std::atomic<bool> pollEnded_{true};
    std::atomic<bool> trapEnded_{true};
    std::mutex pollMutex_;
    std::condition_variable pollCv_;
};
