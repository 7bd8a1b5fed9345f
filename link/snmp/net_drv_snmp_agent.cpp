#include "link/snmp/net_drv_snmp_agent.h"

#include "link/driver_logs.h"
#include "link/driver_mode.h"
#include "link/driver_result.h"
#include "link/link_ui.h"
#include "link/pdu_log.h"
#include "link/records/ne_key_record.h"

#include <chrono>
#include <cstring>
#include <ctime>

namespace {

using Clock = std::chrono::steady_clock;

// The state table column of the receive time.
constexpr uint32_t kReceiveTimeColumn = 10;
// How often the notification loop looks at the quit flag.
constexpr int kTrapWaitMs = 100;

std::string DottedAddress(const std::array<uint8_t, 4>& a)
{
    return std::to_string(a[0]) + "." + std::to_string(a[1]) + "." + std::to_string(a[2]) + "." + std::to_string(a[3]);
}

} // namespace

CNetDrvSnmpAgent::CNetDrvSnmpAgent(const SnmpLinkSettings& settings, SnmpEchoCheck echo, const CSnmpRequestMap& map)
    : CNetDrv(settings.waitMs), settings_(settings), echo_(std::move(echo)), map_(map)
{
    if (!echo_)
        echo_ = CheckNeEcho;
    session_.SetCancelCheck([this] { return QuitRequested(); });
}

CNetDrvSnmpAgent::~CNetDrvSnmpAgent()
{
    // The threads use this object's members: they end before the members go.
    Shutdown();
}

uint32_t CNetDrvSnmpAgent::GetTimeout() const
{
    return settings_.waitMs * (static_cast<uint32_t>(settings_.retries) + 1);
}

SnmpTrapReceiverStats CNetDrvSnmpAgent::GetTrapStats() const
{
    return trapReceiver_.Stats();
}

int CNetDrvSnmpAgent::CheckEcho(const std::array<uint8_t, 4>& address)
{
    SnmpEchoResult result = echo_(address, static_cast<int32_t>(settings_.echoTimeoutMs));
    if (result == SnmpEchoResult::Unreachable) {
        WriteDriverLog(DriverLogKind::Agent, "NE %s does not answer the echo", DottedAddress(address).c_str());
        return kDrvNeNotReachable;
    }
    return kDrvOk;
}

std::optional<CNetDrvSnmpAgent::Target> CNetDrvSnmpAgent::CurrentTarget()
{
    std::lock_guard<std::mutex> lock(targetMutex_);
    return target_;
}

int CNetDrvSnmpAgent::AgentRoutine_Connect(const ConnectParams& params)
{
    if (int echo = CheckEcho(params.address); echo != kDrvOk)
        return echo;
    SnmpSessionConfig config;
    config.agent = UdpEndpoint{params.address, params.port};
    config.community = params.password;
    config.timeoutMs = settings_.waitMs;
    config.retries = settings_.retries;
    if (auto known = CurrentTarget(); known && known->address == params.address) {
        config.version = known->session.version; // a reconnect keeps the version the NE told
    } else {
        std::lock_guard<std::mutex> lock(statesMutex_);
        states_.Clear();
    }
    session_.Close();
    if (session_.Open(config) != kDrvOk)
        return kDrvConnectFailed;
    executor_ = std::make_unique<CSnmpRequestExecutor>(map_, session_);
    std::vector<SnmpVarBind> values;
    if (int result = session_.Get({SnmpSysUpTimeOid()}, &values); result != kDrvOk) {
        session_.Close();
        return result;
    }
    {
        std::lock_guard<std::mutex> lock(targetMutex_);
        target_ = Target{config, params.address};
    }
    trapReceiver_.SetSourceAddress(params.address);
    WriteDriverLog(DriverLogKind::Agent, "SNMP session with %s:%u", DottedAddress(params.address).c_str(), params.port);
    return kDrvOk;
}

void CNetDrvSnmpAgent::AgentRoutine_Disconnect()
{
    session_.Close();
}

int CNetDrvSnmpAgent::AgentRoutine_Send(const SendParams& params)
{
    const EmsMsg& header = params.header;
    LogPdu(PduDirection::Send, header, params.records.data(), params.records.size());
    EmsMsg request = header;
    request.records = params.records.empty() ? nullptr : params.records.data();

    SnmpReplyData reply;
    int result = kDrvNotSupported;
    const SnmpRequestEntry* entry = map_.Find(header.requestCode);
    if (entry != nullptr && executor_ && session_.IsOpen()) {
        // Codes that never reach the NE need no echo.
        result = entry->kind == SnmpEntryKind::Ignored ? kDrvOk : CheckEcho(session_.Config().agent.address);
        if (result == kDrvOk) {
            // Each answered exchange starts the request's time-out again; a request that has ended (time-out,
            // Stop) ends its walk too.
            const uint32_t sequence = header.sequence;
            const bool waited = Slots().IsWaiting(sequence);
            session_.SetProgressNotice([this, sequence] { Slots().NoteProgress(sequence); });
            session_.SetCancelCheck(
                [this, sequence, waited] { return QuitRequested() || (waited && !Slots().IsWaiting(sequence)); });
            result = executor_->Execute(request, &reply);
            session_.SetProgressNotice({});
            session_.SetCancelCheck([this] { return QuitRequested(); });
        }
    } else if (entry != nullptr) {
        result = kDrvNotConnected;
    }
    WriteDriverLog(DriverLogKind::Comm, "SNMP code %u op %u -> %d (%u records)",
                   static_cast<unsigned>(header.requestCode), static_cast<unsigned>(header.operation), result,
                   reply.count);
    if (result != kDrvOk) {
        // The failure ends the request; the session stays as it is.
        Slots().Complete(header.sequence, result);
        return kDrvOk;
    }
    NeKeyRecord key;
    if (header.requestCode == kReqNeKey && header.operation == kEmsOpQuery && reply.count >= 1 &&
        DecodeRecord(reply.records.data(), reply.records.size(), &key)) {
        // Later requests speak the version the NE says it has.
        SnmpVersion v = key.snmpVersion == 1 ? SnmpVersion::V2c : SnmpVersion::V1;
        session_.SetVersion(v);
        std::lock_guard<std::mutex> lock(targetMutex_);
        if (target_)
            target_->session.version = v;
    }
    EmsMsg frame;
    frame.operation = reply.operation;
    frame.neId = kDirectNeId;
    frame.requestCode = header.requestCode;
    frame.total = reply.total;
    frame.count = static_cast<int32_t>(reply.count);
    frame.recordSize = reply.recordSize;
    frame.sequence = header.sequence;
    DeliverFrame(frame, reply.records.data(), reply.records.size());
    return kDrvOk;
}

int CNetDrvSnmpAgent::StartDriverThreads()
{
    // No NE yet: nothing is taken until a connect names one (no datagram comes from 0.0.0.0).
    trapReceiver_.SetSourceAddress(std::array<uint8_t, 4>{0, 0, 0, 0});
    if (int error = trapReceiver_.Open(settings_.trapPort); error != 0) {
        trapPortError_ = error;
        WriteDriverLog(DriverLogKind::NetDrv, "SNMP notification port %u cannot be bound (%s): running without traps",
                       settings_.trapPort, std::strerror(error));
        GetLinkUi().ShowLinkStatus("SNMP traps are not received: UDP port " + std::to_string(settings_.trapPort) +
                                   " cannot be bound (" + std::strerror(error) +
                                   "). Set LINK/SNMPTRAPPORT to a free port above 1024.");
    } else {
        trapPort_ = trapReceiver_.LocalPort();
        trapEnded_ = false;
        trapThread_ = std::thread(&CNetDrvSnmpAgent::TrapRoutine, this);
    }
    {
        std::lock_guard<std::mutex> lock(pollMutex_);
        pollStop_ = false;
    }
    pollEnded_ = false;
    pollThread_ = std::thread(&CNetDrvSnmpAgent::PollRoutine, this);
    return kDrvOk;
}

void CNetDrvSnmpAgent::SignalDriverThreadsToQuit()
{
    {
        std::lock_guard<std::mutex> lock(pollMutex_);
        pollStop_ = true;
    }
    pollCv_.notify_all();
}

bool CNetDrvSnmpAgent::DriverThreadsEnded() const
{
    return pollEnded_.load() && trapEnded_.load();
}

void CNetDrvSnmpAgent::JoinDriverThreads()
{
    if (pollThread_.joinable())
        pollThread_.join();
    if (trapThread_.joinable())
        trapThread_.join();
    trapReceiver_.Close();
}

void CNetDrvSnmpAgent::OnLoggedInChanged(bool loggedIn)
{
    // The NE's state at once, not one poll interval after the login.
    if (loggedIn)
        RequestPoll(false);
}

void CNetDrvSnmpAgent::RequestPoll(bool boards)
{
    {
        std::lock_guard<std::mutex> lock(pollMutex_);
        pollNow_ = true;
        pollBoards_ = pollBoards_ || boards;
    }
    pollCv_.notify_all();
}

void CNetDrvSnmpAgent::DispatchRecords(uint16_t code, const uint8_t* records, uint32_t count, uint32_t recordSize)
{
    EmsMsg msg;
    msg.operation = kEmsOpReply;
    msg.neId = kDirectNeId;
    msg.requestCode = code;
    msg.total = count;
    msg.count = static_cast<int32_t>(count);
    msg.recordSize = recordSize;
    msg.sequence = 0;
    DeliverNotification(msg, records, static_cast<size_t>(count) * recordSize, ServerMessageOrigin::kDatagram);
}

void CNetDrvSnmpAgent::DispatchStates(uint16_t code, std::vector<EntityStateRec> states, uint32_t columns)
{
    std::vector<uint8_t> bytes(states.size() * kEntityStateRecSize);
    std::lock_guard<std::mutex> lock(statesMutex_);
    for (size_t i = 0; i < states.size(); ++i)
        EncodeRecord(states_.Complete(states[i], columns), bytes.data() + i * kEntityStateRecSize);
    DispatchRecords(code, bytes.data(), static_cast<uint32_t>(states.size()), kEntityStateRecSize);
}

void CNetDrvSnmpAgent::PollRoutine()
{
    WriteDriverLog(DriverLogKind::Thread, "SNMP PollRoutine started");
    CSnmpSession session;
    session.SetCancelCheck([this] { return QuitRequested(); });
    const auto interval = std::chrono::seconds(settings_.pollIntervalS);
    auto next = Clock::now() + interval;
    while (true) {
        bool boards = false;
        bool asked = false;
        {
            std::unique_lock<std::mutex> lock(pollMutex_);
            auto woken = [this] { return pollStop_ || pollNow_; };
            if (settings_.pollIntervalS == 0)
                pollCv_.wait(lock, woken);
            else
                pollCv_.wait_until(lock, next, woken);
            if (pollStop_)
                break;
            asked = pollNow_;
            boards = pollBoards_;
            pollNow_ = false;
            pollBoards_ = false;
        }
        if (!asked && Clock::now() < next)
            continue;
        next = Clock::now() + interval;
        std::optional<Target> target = CurrentTarget();
        if (!target)
            continue;
        const SnmpSessionConfig& wanted = target->session;
        const SnmpSessionConfig& have = session.Config();
        if (!session.IsOpen() || have.agent != wanted.agent || have.community != wanted.community) {
            session.Close();
            if (session.Open(wanted) != kDrvOk)
                continue;
        }
        session.SetVersion(wanted.version);
        PollOnce(session, *target, boards);
    }
    session.Close();
    WriteDriverLog(DriverLogKind::Thread, "SNMP PollRoutine ended");
    pollEnded_ = true;
}

void CNetDrvSnmpAgent::PollOnce(CSnmpSession& session, const Target& target, bool boards)
{
    ++polls_;
    std::vector<SnmpVarBind> values;
    int result = session.Get({SnmpSysUpTimeOid()}, &values);
    if (result == kDrvCancelled)
        return;
    if (result != kDrvOk || values[0].value.type != SnmpType::TimeTicks) {
        ++failedPolls_;
        if (!neSilent_) {
            neSilent_ = true;
            WriteDriverLog(DriverLogKind::NetDrv, "NE %s silent on poll (%d)", DottedAddress(target.address).c_str(),
                           result);
            // The last known state of the root with the offline bit; types nobody told (0) stay as they are.
            EntityStateRec root;
            root.entityId = kDirectNeId;
            {
                std::lock_guard<std::mutex> lock(statesMutex_);
                root = states_.Find(kDirectNeId).value_or(root);
            }
            root.stateBits |= 1u << settings_.offlineAlarm;
            root.receiveTime = static_cast<uint32_t>(std::time(nullptr));
            DispatchStates(kReqEntityState, {root}, CSnmpEntityStateMemory::kAllColumns);
            PostDisconnect(result == kDrvOk ? kDrvSnmpDecodeError : result);
        }
        return;
    }
    const uint32_t upTime = static_cast<uint32_t>(values[0].value.number / 100);
    if (neSilent_) {
        neSilent_ = false;
        failedPolls_ = 0;
        WriteDriverLog(DriverLogKind::NetDrv, "NE %s answers polls again", DottedAddress(target.address).c_str());
        if (!IsConnected())
            EmsConnect(target.address, target.session.agent.port, std::string(), target.session.community);
    }
    // An up time that went back means the NE restarted: its boards may have changed.
    if (lastUpTime_ && upTime < *lastUpTime_)
        boards = true;
    lastUpTime_ = upTime;

    CSnmpRequestExecutor executor(map_, session);
    EmsMsg query;
    uint8_t placeholder[4] = {0, 0, 0, 0};
    BuildEmsMsg(&query, kEmsOpQuery, kReqEntityState, sizeof placeholder, placeholder, kDirectNeId);
    SnmpReplyData reply;
    std::vector<EntityStateRec> states;
    if (executor.Execute(query, &reply) == kDrvOk &&
        DecodeRecords<EntityStateRec>(reply.records.data(), reply.count, kEntityStateRecSize, &states) &&
        !states.empty())
        DispatchStates(kReqEntityState, std::move(states), CSnmpEntityStateMemory::kAllColumns);
    if (boards) {
        uint8_t one = 0;
        BuildEmsMsg(&query, kEmsOpQuery, kReqBoardSetting, 1, &one, kDirectNeId);
        if (executor.Execute(query, &reply) == kDrvOk && reply.count > 0)
            DispatchRecords(kReqBoardSetting, reply.records.data(), reply.count, reply.recordSize);
    }
}

void CNetDrvSnmpAgent::TrapRoutine()
{
    WriteDriverLog(DriverLogKind::Thread, "SNMP TrapRoutine started on port %u", trapPort_.load());
    auto handler = [this](const SnmpTrapEvent& event, const UdpEndpoint&) { OnTrap(event); };
    while (!QuitRequested())
        trapReceiver_.ReceiveOne(kTrapWaitMs, handler);
    WriteDriverLog(DriverLogKind::Thread, "SNMP TrapRoutine ended");
    trapEnded_ = true;
}

void CNetDrvSnmpAgent::OnTrap(const SnmpTrapEvent& event)
{
    switch (event.kind) {
    case SnmpTrapKind::EntityStateChange: {
        EntityStateRec state = event.state;
        uint32_t columns = event.stateColumns;
        if (state.receiveTime == 0) {
            state.receiveTime = static_cast<uint32_t>(std::time(nullptr));
            columns |= 1u << (kReceiveTimeColumn - 1);
        }
        DispatchStates(kReqEntityStateChange, {state}, columns);
        break;
    }
    case SnmpTrapKind::ColdStart:
    case SnmpTrapKind::WarmStart:
        RequestPoll(true);
        break;
    case SnmpTrapKind::Other: {
        std::string text = FormatLogTimestamp() + " NOTIFY SNMP trap";
        const SnmpPdu& pdu = event.message.pdu;
        if (pdu.type == SnmpPduType::TrapV1)
            text += " enterprise " + pdu.enterprise.Format() + " generic " + std::to_string(pdu.genericTrap) +
                    " specific " + std::to_string(pdu.specificTrap);
        for (const SnmpVarBind& vb : pdu.varbinds)
            text += "\n  " + FormatVarBind(vb);
        WriteDriverLogText(DriverLogKind::Pdu, text + "\n");
        break;
    }
    }
}

void RegisterSnmpDriver()
{
    SetDriverFactory(kDriverModeSnmp, [] { return std::make_unique<CNetDrvSnmpAgent>(ReadSnmpLinkSettings()); });
}
