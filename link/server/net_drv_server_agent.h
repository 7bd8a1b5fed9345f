// The server driver: one TCP connection to the management server for requests, replies and notifications, plus
// notifications as UDP datagrams on a local port of the connection's own address. PollRoutine keeps the connection
// alive and reads the entity states again when datagrams were lost; TrapRoutine takes the datagrams.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "link/link_settings.h"
#include "link/net_drv.h"
#include "link/server/frame_codec.h"
#include "link/server/notification_socket.h"
#include "link/wakeup_event.h"

class CNetDrvServerAgent : public CNetDrv {
public:
    static constexpr int kTrapPortTries = 100;

    explicit CNetDrvServerAgent(const LinkSettings& settings);
    ~CNetDrvServerAgent() override;

    // The UDP port notifications are taken on; 0 while not connected or when none could be bound.
    uint16_t GetTrapPort() const { return trapPort_.load(); }

    struct NotificationCounters : CNotificationSocket::Counters {
        uint64_t resyncs = 0; // entity states read again after a loss
    };
    NotificationCounters GetNotificationCounters() const;

protected:
    int AgentRoutine_Connect(const ConnectParams& params) override;
    int AgentRoutine_Send(const SendParams& params) override;
    int AgentRoutine_Recv() override;
    void AgentRoutine_Disconnect() override;
    int AgentTransportFd() const override { return socket_; }
    int EncodeRequestBody(SendParams& params) override;

    int StartDriverThreads() override;
    void SignalDriverThreadsToQuit() override;
    bool DriverThreadsEnded() const override;
    void JoinDriverThreads() override;

private:
    void PollRoutine();
    void TrapRoutine();
    // A request of the driver's own through a slot, not a transaction, so that the operator's requests go on.
    int SendDriverRequest(uint8_t operation, uint16_t code, const std::vector<uint8_t>& record);
    int DeliverDecodedFrames();
    // Hands a freshly bound notification socket (or -1) to TrapRoutine, which closes the one before.
    void OfferTrapSocket(int fd, uint16_t port);
    void AdoptOfferedTrapSocket();
    void OnNotificationsLost(uint64_t datagrams);
    void ResynchroniseEntityStates();

    const LinkSettings settings_;

    // AgentRoutine's own.
    int socket_ = -1;
    CFrameDecoder decoder_;
    std::vector<uint8_t> receiveBuffer_;

    // Datagrams are taken only from the server's address (network order); 0 while not connected.
    std::atomic<uint32_t> serverAddress_{0};
    std::atomic<uint16_t> trapPort_{0};
    CNotificationSocket notifications_; // TrapRoutine's own
    CWakeupEvent trapWakeup_;
    std::mutex trapOfferMutex_;
    int offeredTrapSocket_ = -1;
    bool trapSocketOffered_ = false;
    std::atomic<bool> resyncWanted_{false};
    std::atomic<uint64_t> resyncs_{0};

    std::thread pollThread_;
    std::thread trapThread_;
    std::atomic<bool> pollEnded_{true};
    std::atomic<bool> trapEnded_{true};
    std::mutex pollMutex_;
    std::condition_variable pollCv_;
};
