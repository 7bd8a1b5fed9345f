// The network driver base. Every request of the program goes through the current driver: the server driver, the
// SNMP driver or, before a successful login, the application's base driver (an instance of this class), whose
// connect and send do nothing.
//
// Threads: AgentRoutine owns the transport and serves the blocks that others post to it (connect, disconnect,
// send); receiving follows the transport's readiness. A request without the wait dialog runs RequestRoutine in the
// caller's thread. One with it does so too for a moment (kWaitDialogDelayMs), so that a quick reply shows no window;
// a reply that takes longer is waited for on the driver's request thread (one for the driver's life) while the
// caller's (UI) thread shows the dialog. A transport may let the requesting thread send its frame and read the reply
// itself (HandOver, ReceiveUntilDone), so that a round trip wakes no other thread of the driver.
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/util/mutex_lock.h"
#include "link/ems_msg.h"
#include "link/pdu_log.h"
#include "link/request_slot_table.h"
#include "link/request_thread.h"
#include "link/server_message_dispatcher.h"
#include "link/wakeup_event.h"

struct ConnectParams {
    std::array<uint8_t, 4> address{}; // IPv4, first number first
    uint16_t port = 0;
    std::string user;
    std::string password; // or the SNMP community
};

class CNetDrv {
public:
    static constexpr uint32_t kBusyWaitRounds = 100;
    static constexpr uint32_t kBusyWaitRoundMs = 10;
    static constexpr uint32_t kQuitRounds = 50;
    static constexpr uint32_t kQuitRoundMs = 10;
    static constexpr int32_t kDefaultTimeout = -2;
    static constexpr uint32_t kConnectLimitMs = 60000;
    // A request with the wait dialog shows it once its reply has taken this long.
    static constexpr uint32_t kWaitDialogDelayMs = 200;

    explicit CNetDrv(uint32_t defaultTimeoutMs = 35000);
    // A concrete driver calls Shutdown() in its own destructor, while its transport steps still exist.
    virtual ~CNetDrv();
    CNetDrv(const CNetDrv&) = delete;
    CNetDrv& operator=(const CNetDrv&) = delete;

    // Starts the driver's threads. The base driver has no transport and is never started.
    int Start();
    // Ends the request in progress and stops every thread of the driver (quit messages every 50 rounds of 10 ms
    // until they have ended). The driver cannot be started again.
    void Shutdown();
    bool IsInitialised() const { return initialised_.load(); }

    // Connects the transport (60000 ms limit inside the driver). 0 or a driver result code.
    int EmsConnect(const std::array<uint8_t, 4>& address, uint16_t port, const std::string& user,
                   const std::string& password);

    // Sends the request and waits for its reply. `timeoutMs` -2 (any negative) = GetTimeout(), 0 = send and do not
    // wait (the reply goes to the dispatcher), else milliseconds. 0 or a driver result code; *reply names the
    // driver's reply descriptor, valid until the next request through this driver (its count is 0 when no reply
    // came); a caller on another thread than the UI's gets one of its own, valid until its own next request, so
    // that it may request while the UI thread does too. A text reply returns 32028 with the reply handed back. On a
    // failure other than 32018 a message box shows the failure text (when not 0) with the error text.
    int RequestEmsMsg(EmsMsg* request, EmsMsg** reply, uint32_t failureTextId, int32_t timeoutMs, bool waitDialog);

    // Sends without waiting for the reply, which arrives through the dispatcher. `timeoutMs` bounds the hand-over
    // to the transport (0 does not wait for it, negative = GetTimeout()).
    int SendEmsMsg(EmsMsg* request, int32_t timeoutMs);

    // Ends the request in progress as cancelled by the operator (32018).
    void CancelRequest();

    virtual uint32_t GetTimeout() const { return defaultTimeoutMs_; }
    bool IsConnected() const { return connected_.load(); }
    bool IsInTransaction() const { return inTransaction_.load(); }
    void SetLoggedIn(bool loggedIn);
    bool IsLoggedIn() const { return loggedIn_.load(); }

    // From the application's idle hook: applies queued server messages when the dispatch lock is free.
    void OnAppIdle();

protected:
    struct SendParams {
        EmsMsg header; // records null: they are in `records`
        std::vector<uint8_t> records;
        bool opLog = false;
        // When the request began, read once for its deadline; the PDU logs take it for the frame's time (none: they
        // read the clock as it goes).
        std::chrono::steady_clock::time_point startedAt{};
    };

    // Transport steps, all on the AgentRoutine thread. Each returns 0 or a driver result code.
    virtual int AgentRoutine_Connect(const ConnectParams& params);
    virtual int AgentRoutine_Send(const SendParams& params);
    // The transport is readable (or closed): take what has come. A non-zero result drops the connection and ends the
    // waiting requests with it.
    virtual int AgentRoutine_Recv();
    virtual void AgentRoutine_Disconnect();
    // What AgentRoutine watches besides its wake-up event; -1 for nothing. The events it waits for there (none: the
    // descriptor is left out), and how long it sleeps at most with those watched (-1: until an event). When the
    // transport is writable (or the sleep ended) and AgentTransportEvents asked for POLLOUT, AgentRoutine_Flush sends
    // what waits; a non-zero result drops the connection. A sleep that ends while the transport is not watched for
    // POLLIN looks at it all the same (AgentRoutine_Recv).
    virtual int AgentTransportFd() const { return -1; }
    virtual short AgentTransportEvents() const;
    virtual int AgentPollTimeoutMs(short /*asked*/) const { return -1; }
    virtual int AgentRoutine_Flush() { return 0; }
    // Every round of AgentRoutine, after the transport's events: a look at what the transport's requesting threads
    // wait for.
    virtual void AgentRoutine_Look() {}

    // Sending from the requesting thread: the transport takes the frame (in the order frames are handed over) and
    // returns 0 or a driver result code, waiting until it is on its way when `waitUntil` is given (else it may be
    // queued for AgentRoutine). Nothing: the transport sends only from AgentRoutine (a Send block is posted).
    virtual std::optional<int> HandOver(const SendParams& params,
                                        std::optional<std::chrono::steady_clock::time_point> waitUntil);
    // The requesting thread may read the transport itself for the reply of `sequence`: TakeReading (before the
    // frame goes out, so that AgentRoutine is not woken for the reply) says whether it may; ReceiveUntilDone then
    // reads until the request has ended or `deadline` passes; ReleaseReading gives the reading back to AgentRoutine.
    virtual bool TakeReading(uint32_t sequence);
    virtual void ReceiveUntilDone(uint32_t sequence, std::chrono::steady_clock::time_point deadline);
    virtual void ReleaseReading(uint32_t sequence);
    // Wakes AgentRoutine, so that it looks at the transport's events again.
    void WakeAgent();
    // What AgentRoutine waits for on the transport: `events` (POLLIN, POLLOUT; 0 none) on `fd` (-1 none). Any
    // thread; it holds at once, also while AgentRoutine sleeps, which it wakes only when the transport is ready
    // already. A transport is left (fd -1) before it is closed. False when that was watched already.
    bool WatchTransport(int fd, short events);
    static constexpr uint64_t WatchWord(int fd, short events)
    {
        return (uint64_t{static_cast<uint32_t>(fd)} << 32) | static_cast<uint16_t>(events);
    }

    // Turns the copied request into what the transport sends; on the caller's thread. 0 or a driver result code.
    virtual int EncodeRequestBody(SendParams&) { return 0; }

    // The program has logged in (or out) through this driver: its login requests are done.
    virtual void OnLoggedInChanged(bool /*loggedIn*/) {}

    // Threads of a concrete driver besides AgentRoutine.
    virtual int StartDriverThreads() { return 0; }
    virtual void SignalDriverThreadsToQuit() {}
    virtual bool DriverThreadsEnded() const { return true; }
    virtual void JoinDriverThreads() {}

    // For transports and driver threads.
    // A received frame: the reply of a waiting request, a late reply (dropped) or a message for the dispatcher.
    // Non-zero when it breaks a continued reply: the connection must close with that code. `readFor`: the request
    // the reading thread waits for (0: none); on the UI thread, a message that comes while it still waits is applied
    // at once (ApplyDuringRequest).
    int DeliverFrame(const EmsMsg& msg, const uint8_t* records, size_t size, uint32_t readFor = 0);
    // A message for the dispatcher (of the connection, or a datagram), applied at once with `applyNow` where the
    // dispatcher may. False when the dispatcher's queue was at its limit and refused a datagram (it has logged that):
    // the message is lost.
    bool DeliverNotification(const EmsMsg& msg, const uint8_t* records, size_t size, ServerMessageOrigin origin,
                             bool applyNow = false);
    // Asks AgentRoutine to drop the connection; the waiting requests end with `reason`.
    void PostDisconnect(int reason);
    // Why the connection fails, in more words than the result code's text: requests that end with `code` until the
    // next connect say `text` instead.
    void NoteFailureText(int code, std::string text);
    // Sends the request of `sequence` (hands it over, or posts it to AgentRoutine); false when that failed, which
    // has ended the request.
    bool StartRequest(uint32_t sequence, SendParams& params);
    // One request through a slot of its own and the transport, waited for until `deadline`. Used by requests and
    // by the keep-alive (which is not a transaction).
    int RequestRoutine(uint32_t sequence, SendParams& params, std::chrono::steady_clock::time_point deadline,
                       ReplyData& reply);
    bool QuitRequested() const { return quit_.load(); }
    // Readable from the moment the driver shuts down: threads that sleep in poll() watch it.
    int QuitEventFd() const { return quitEvent_.Fd(); }
    CRequestSlotTable& Slots() { return slots_; }
    const CRequestSlotTable& Slots() const { return slots_; }
    bool CurrentOpLogFlag();

private:
    enum class BlockKind { Connect, Disconnect, Send };
    struct AgentBlock {
        BlockKind kind = BlockKind::Send;
        ConnectParams connect;
        SendParams send;
        uint32_t slotSequence = 0; // a send whose failure ends this request
        int reason = 0;            // why a disconnect was asked for

        std::mutex mutex;
        std::condition_variable doneCv;
        bool done = false;
        int result = 0;
        void Finish(int code);
        // False when `deadline` passed first.
        bool WaitDone(std::chrono::steady_clock::time_point deadline, int& code);
    };

    // RequestEmsMsg up to its message box; `errorText` gets the text of a text reply.
    int Transact(EmsMsg* request, EmsMsg** reply, int32_t timeoutMs, bool waitDialog, std::string& errorText);
    void AgentRoutine();
    void ServeBlock(AgentBlock& block);
    void DropConnection(int reason);
    int Post(const std::shared_ptr<AgentBlock>& block);
    int PrepareSend(const EmsMsg& request, SendParams& params);
    int SendWithoutWaiting(SendParams params, int32_t handOverMs);
    // The request under way with the wait dialog: waited for here until the dialog is due, then on the request
    // thread while the dialog shows.
    int WaitBehindDialog(uint32_t sequence, SendParams& params, uint32_t timeoutMs,
                         std::chrono::steady_clock::time_point start, std::chrono::steady_clock::time_point deadline,
                         ReplyData& reply);
    void CancelSequence(uint32_t sequence);
    bool AllThreadsEnded() const;
    void ClearReply();
    // Points a caller on another thread than the UI's at a copy of the reply of its own, made under the lock: it
    // reads the reply after the lock is free, when the UI thread may have begun a request of its own.
    void CopyReplyForThread(EmsMsg** reply);

    const uint32_t defaultTimeoutMs_;
    std::atomic<bool> initialised_{false};
    std::atomic<bool> quit_{false};
    std::atomic<bool> connected_{false};
    std::atomic<bool> inTransaction_{false};
    std::atomic<bool> loggedIn_{false};
    std::atomic<bool> opLog_{true};
    std::atomic<uint32_t> currentSequence_{0};
    std::atomic<int> activeCalls_{0};

    CRequestSlotTable slots_;
    CMutexLock requestLock_;   // the driver's lock: one request in flight
    SendParams requestParams_; // the request in flight, under requestLock_; its storage kept for the next
    CRequestThread requestThread_;

    std::thread agentThread_;
    std::atomic<bool> agentEnded_{true};
    CWakeupEvent agentWakeup_;
    int agentPoll_ = -1; // AgentRoutine's epoll set: its wake-up event always, the transport as watched
    std::mutex watchMutex_;
    int watchedFd_ = -1;
    short watchedEvents_ = 0;
    // The two above as one word, written with them and read without the lock: a request asks for the watch it
    // already has, and then takes no lock for it.
    std::atomic<uint64_t> watched_{WatchWord(-1, 0)};
    CWakeupEvent quitEvent_; // signalled once, never drained
    std::mutex failureNoteMutex_;
    int failureNoteCode_ = 0; // none
    std::string failureNoteText_;
    std::mutex blocksMutex_;
    std::deque<std::shared_ptr<AgentBlock>> blocks_;
    bool agentAccepting_ = false; // guarded by blocksMutex_

    // The reply handed to the caller of RequestEmsMsg on the UI thread (others get a copy); written only under
    // requestLock_.
    EmsMsg reply_;
    ReplyData replyData_;
    EmsMsg noReply_{}; // handed out when no reply came; never written
};
