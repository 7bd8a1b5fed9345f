#pragma once
// The SNMP driver of the direct link: every request code of the request-code map becomes SNMP get, get-next,
// getbulk or set operations on one NE, and the reply records come back as the server link's would. PollRoutine
// polls the NE; TrapRoutine takes its v1 and v2c notifications and informs.
//
// Threads: AgentRoutine carries out one request at a time on its own session; PollRoutine has a session of its own;
// TrapRoutine owns the notification socket. What they learn reaches the model only through the dispatcher; the
// entity states that PollRoutine and TrapRoutine dispatch pass the one state memory under its lock.
//
// A request's time-out and retries bound each of its SNMP exchanges: a query that walks a table of many rows lasts
// as long as the NE keeps answering.

#include "link/net_drv.h"
#include "link/records/entity_state_rec.h"
#include "link/snmp/snmp_entity_state_memory.h"
#include "link/snmp/snmp_link_settings.h"
#include "link/snmp/snmp_reachability.h"
#include "link/snmp/snmp_request_executor.h"
#include "link/snmp/snmp_request_map.h"
#include "link/snmp/snmp_session.h"
#include "link/snmp/snmp_trap_receiver.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

// Every notification and reply of the direct link names this NE.
inline constexpr uint32_t kDirectNeId = 1;

class CNetDrvSnmpAgent : public CNetDrv {
public:
    // An empty echo check uses the ICMP engine.
    explicit CNetDrvSnmpAgent(const SnmpLinkSettings& settings, SnmpEchoCheck echo = {},
                              const CSnmpRequestMap& map = DefaultSnmpRequestMap());
    ~CNetDrvSnmpAgent() override;

    // A request's default time-out covers every attempt of its exchange: LINK/SNMPWAIT x (LINK/SNMPRETRY + 1).
    uint32_t GetTimeout() const override;

    // The notification port as bound; 0 while none is (then GetTrapPortError() gives the errno of the bind).
    uint16_t GetTrapPort() const { return trapPort_.load(); }
    int GetTrapPortError() const { return trapPortError_.load(); }
    SnmpTrapReceiverStats GetTrapStats() const;
    // Polls that found the NE silent since the last that reached it.
    uint32_t GetFailedPollCount() const { return failedPolls_.load(); }
    uint32_t GetPollCount() const { return polls_.load(); }
    // Asks PollRoutine for a poll now; with boards also for a 323 query.
    void RequestPoll(bool boards);

protected:
    int AgentRoutine_Connect(const ConnectParams& params) override;
    int AgentRoutine_Send(const SendParams& params) override;
    void AgentRoutine_Disconnect() override;

    void OnLoggedInChanged(bool loggedIn) override;

    int StartDriverThreads() override;
    void SignalDriverThreadsToQuit() override;
    bool DriverThreadsEnded() const override;
    void JoinDriverThreads() override;

private:
    struct Target {
        SnmpSessionConfig session;
        std::array<uint8_t, 4> address{};
    };

    int CheckEcho(const std::array<uint8_t, 4>& address);
    void PollRoutine();
    void TrapRoutine();
    void PollOnce(CSnmpSession& session, const Target& target, bool boards);
    void DispatchRecords(uint16_t code, const uint8_t* records, uint32_t count, uint32_t recordSize);
    // Completes the states from the state memory and dispatches them, in that order under one lock.
    void DispatchStates(uint16_t code, std::vector<EntityStateRec> states, uint32_t columns);
    void OnTrap(const SnmpTrapEvent& event);
    std::optional<Target> CurrentTarget();

    const SnmpLinkSettings settings_;
    SnmpEchoCheck echo_;
    const CSnmpRequestMap& map_;

    // AgentRoutine's own.
    CSnmpSession session_;
    std::unique_ptr<CSnmpRequestExecutor> executor_;

    // The NE that PollRoutine and TrapRoutine serve; set by the first successful connect.
    std::mutex targetMutex_;
    std::optional<Target> target_;

    std::thread pollThread_;
    std::thread trapThread_;
    std::atomic<bool> pollEnded_{true};
    std::atomic<bool> trapEnded_{true};
    std::mutex pollMutex_;
    std::condition_variable pollCv_;
    bool pollNow_ = false;    // guarded by pollMutex_
    bool pollBoards_ = false; // guarded by pollMutex_
    bool pollStop_ = false;   // guarded by pollMutex_

    // PollRoutine's own.
    std::optional<uint32_t> lastUpTime_;
    bool neSilent_ = false;

    std::mutex statesMutex_;
    CSnmpEntityStateMemory states_; // guarded by statesMutex_

    std::atomic<uint16_t> trapPort_{0};
    std::atomic<int> trapPortError_{0};
    std::atomic<uint32_t> failedPolls_{0};
    std::atomic<uint32_t> polls_{0};
    CSnmpTrapReceiver trapReceiver_;
};

// Registers the SNMP driver as the driver of mode 2, made with the settings current at that moment.
void RegisterSnmpDriver();
