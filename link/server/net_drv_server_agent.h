// The server driver: one TCP connection to the management server for requests, replies and notifications, plus
// notifications as UDP datagrams on a local port. PollRoutine keeps the connection alive; TrapRoutine takes the
// datagrams.
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

class CNetDrvServerAgent : public CNetDrv {
public:
    static constexpr int kTrapPortTries = 100;

    explicit CNetDrvServerAgent(const LinkSettings& settings);
    ~CNetDrvServerAgent() override;

    // The UDP port notifications are taken on; 0 when none could be bound.
    uint16_t GetTrapPort() const { return trapPort_.load(); }

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
    int SendKeepAlive();
    int DeliverDecodedFrames();
    void TakeDatagrams();

    const LinkSettings settings_;

    // AgentRoutine's own.
    int socket_ = -1;
    CFrameDecoder decoder_;
    std::vector<uint8_t> receiveBuffer_;

    // Datagrams are taken only from the server's address (network order); 0 while not connected.
    std::atomic<uint32_t> serverAddress_{0};
    int trapSocket_ = -1;
    std::atomic<uint16_t> trapPort_{0};

    std::thread pollThread_;
    std::thread trapThread_;
    std::atomic<bool> pollEnded_{true};
    std::atomic<bool> trapEnded_{true};
    std::mutex pollMutex_;
    std::condition_variable pollCv_;
};
