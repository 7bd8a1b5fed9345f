#include "sim/server/sim_request_handler.h"

#include <algorithm>

#include "core/entity/entity_model_set.h"
#include "link/driver_result.h"
#include "link/ems_msg.h"
#include "link/records/alarm_ack_rec.h"
#include "link/records/alarm_query_rec.h"
#include "link/records/alarm_stat_query_rec.h"
#include "link/records/alarm_stat_rec.h"
#include "link/records/command_record.h"
#include "link/records/logon_rec.h"
#include "link/records/ne_config_record.h"
#include "link/records/online_user_record.h"
#include "link/records/operator_mail_record.h"
#include "link/records/word_record.h"
#include "link/server/frame_codec.h"
#include "sim/server/sim_cli.h"
#include "sim/server/sim_control.h"
#include "sim/server/sim_frame_records.h"
#include "sim/server/sim_ne_access.h"

namespace {

// The frames of SplitRecords with their headers alone.
std::vector<Frame> SplitHeaders(const FrameHeader& header, uint32_t recordSize, uint32_t count, size_t maxPayload)
{
    const uint32_t perFrame = recordSize == 0 ? 1 : static_cast<uint32_t>(std::max<size_t>(1, maxPayload / recordSize));
    std::vector<Frame> frames;
    uint32_t sent = 0;
    do {
        const uint32_t n = std::min(perFrame, count - sent);
        Frame frame;
        frame.header = header;
        frame.header.count = n;
        frame.header.recordSize = n == 0 ? 0 : recordSize;
        frames.push_back(std::move(frame));
        sent += n;
    } while (sent < count);
    return frames;
}

// Gives each frame its records, taken from `records` in turn.
void FillPayloads(std::vector<Frame>& frames, const std::vector<uint8_t>& records)
{
    size_t begin = 0;
    for (Frame& frame : frames) {
        const size_t size = static_cast<size_t>(frame.header.count) * frame.header.recordSize;
        frame.payload.assign(records.begin() + static_cast<std::ptrdiff_t>(begin),
                             records.begin() + static_cast<std::ptrdiff_t>(begin + size));
        begin += size;
    }
}

// The frames of SplitReply with their headers alone.
std::vector<Frame> ReplyHeaders(const FrameHeader& request, uint32_t recordSize, uint32_t count, uint32_t total,
                                uint32_t status)
{
    FrameHeader header;
    header.operation = kEmsOpReply;
    header.neId = request.neId;
    header.requestCode = request.requestCode;
    header.total = total;
    header.status = status;
    header.sequence = request.sequence;
    std::vector<Frame> frames = SplitHeaders(header, recordSize, count, kMaxEmsRecordBytes);
    for (size_t i = 0; i + 1 < frames.size(); ++i) {
        frames[i].header.more = 1;
    }
    return frames;
}

} // namespace

std::vector<Frame> SplitRecords(const FrameHeader& header, const std::vector<uint8_t>& records, uint32_t recordSize,
                                uint32_t count, size_t maxPayload)
{
    std::vector<Frame> frames = SplitHeaders(header, recordSize, count, maxPayload);
    FillPayloads(frames, records);
    return frames;
}

std::vector<Frame> NotificationFrames(const SimNotice& notice, size_t maxPayload)
{
    FrameHeader header;
    header.operation = kEmsOpReply;
    header.neId = notice.neId;
    header.requestCode = notice.code;
    const size_t total = notice.recordSize == 0 ? 0 : notice.records.size() / notice.recordSize;
    std::vector<Frame> frames =
        SplitRecords(header, notice.records, notice.recordSize, static_cast<uint32_t>(total), maxPayload);
    for (Frame& frame : frames) {
        frame.header.total = frame.header.count;
    }
    return frames;
}

std::vector<uint8_t> EncodeNotification(const SimNotice& notice, size_t maxPayload)
{
    std::vector<uint8_t> bytes;
    for (const Frame& frame : NotificationFrames(notice, maxPayload)) {
        const std::vector<uint8_t> one = EncodeFrame(frame.header, frame.payload.data(), frame.payload.size());
        bytes.insert(bytes.end(), one.begin(), one.end());
    }
    return bytes;
}

std::vector<Frame> SplitReply(const FrameHeader& request, const std::vector<uint8_t>& records, uint32_t recordSize,
                              uint32_t count, uint32_t total, uint32_t status)
{
    std::vector<Frame> frames = ReplyHeaders(request, recordSize, count, total, status);
    FillPayloads(frames, records);
    return frames;
}

std::vector<Frame> ReplyFrames(const SimHandled& handled)
{
    std::vector<Frame> frames = handled.replies;
    if (handled.sharedReply) {
        std::vector<Frame> shared = handled.sharedReply->frames;
        FillPayloads(shared, *handled.sharedReply->records);
        frames.insert(frames.end(), shared.begin(), shared.end());
    }
    return frames;
}

CSimRequestHandler::CSimRequestHandler(CSimDatabase& database, SimHandlerOptions options)
    : db_(database), options_(options), firmware_(database, options.ftpRoot), dbBackups_(database)
{
    dbBackups_.TakeSeeded();
    // As a server keeps its NEs' states and keys at hand: the first workstation to log in does not wait for them to be
    // made.
    for (const uint32_t id : db_.NeIds()) {
        StatesNotice(*db_.FindNe(id));
    }
    db_.EncodedNeKeys();
}

void CSimRequestHandler::Reply(Handled& out, const FrameHeader& request, uint32_t status)
{
    // One frame without records, made in place: the keep-alive's answer, at every request.
    Frame& reply = out.replies.emplace_back();
    reply.header.operation = kEmsOpReply;
    reply.header.neId = request.neId;
    reply.header.requestCode = request.requestCode;
    reply.header.status = status;
    reply.header.sequence = request.sequence;
}

void CSimRequestHandler::Reply(Handled& out, const FrameHeader& request, const std::vector<uint8_t>& records,
                               uint32_t recordSize, uint32_t count, uint32_t total)
{
    for (Frame& frame : SplitReply(request, records, recordSize, count, total, 0)) {
        out.replies.push_back(std::move(frame));
    }
}

void CSimRequestHandler::Reply(Handled& out, const FrameHeader& request, const SimResult& result)
{
    if (result.reason.empty()) {
        Reply(out, request, result.status);
        return;
    }
    // One zero-terminated text, and no status: the operation tells the workstation what it is.
    Reply(out, request, {}, 0, 0, 0);
    Frame& text = out.replies.back();
    text.header.operation = kEmsOpTextReply;
    text.payload.assign(result.reason.begin(), result.reason.end());
    text.payload.push_back(0);
    text.header.count = 1;
    text.header.total = 1;
    text.header.recordSize = static_cast<uint32_t>(text.payload.size());
}

SimHandled CSimRequestHandler::Handle(SimSession& session, const Frame& request, uint32_t now)
{
    Handled out;
    Handle(session, request, now, out);
    return out;
}

void CSimRequestHandler::Handle(SimSession& session, const Frame& request, uint32_t now, Handled& out)
{
    now = ServerNow(now);
    const FrameHeader& header = request.header;
    const uint16_t code = header.requestCode;
    const bool isRequest = header.operation == kEmsOpQuery || header.operation == kEmsOpModify;
    if (!session.loggedIn && (code != kReqLogon || !isRequest)) {
        // Before logon only the logon is answered: anything else gets one refusal and the connection ends, so that
        // nothing is kept for a workstation that has not logged on.
        Reply(out, header, kDrvNotLoggedIn);
        out.close = true;
        return;
    }
    // The control request is a write; a frame of another operation need not hold the records its header counts.
    if (options_.testControl && code == kReqSimControl && header.operation == kEmsOpModify) {
        Control(out, session, request, now);
        return;
    }
    if (session.silentRequests > 0 && (session.silentCode == 0 || session.silentCode == code)) {
        --session.silentRequests;
        return;
    }
    if (!isRequest) {
        Reply(out, header, kDrvInvalidParameter);
        return;
    }
    switch (code) {
    case kReqKeepAlive:
        Reply(out, header, kDrvOk);
        return;
    case kReqLogon:
        Logon(out, session, request, now);
        return;
    case kReqLogoff:
        // The session ends on receipt; the workstation does not wait for the answer.
        Reply(out, header, kDrvOk);
        session.loggedIn = false;
        out.close = true;
        return;
    default:
        break;
    }
    if (refuseNextChangeOf_ != 0 && code == refuseNextChangeOf_ && (IsModify(request) || refuseQueriesToo_)) {
        if (refuseAfter_ > 0) {
            --refuseAfter_;
        } else {
            refuseNextChangeOf_ = 0;
            Reply(out, header,
                  Refused(refuseQueriesToo_ ? "Request refused by the server" : "Change refused by the server"));
            return;
        }
    }
    if (!Permitted(out, session, request)) {
        return;
    }
    Dispatch(out, session, request, now);
    if (IsModify(request) && Succeeded(out)) {
        LogChange(session, request, now);
    }
    if (renameNextReplyOf_ != 0 && code == renameNextReplyOf_) {
        renameNextReplyOf_ = 0;
        for (Frame& reply : out.replies) {
            reply.header.requestCode = renamedTo_;
        }
    }
}

void CSimRequestHandler::Dispatch(Handled& out, SimSession& session, const Frame& request, uint32_t now)
{
    const FrameHeader& header = request.header;
    const uint16_t code = header.requestCode;
    switch (code) {
    case kReqServerTime:
    case kReqServerResource:
    case kReqDbBackup:
    case kReqDbBackupAdd:
    case kReqDbBackupDelete:
    case kReqDbBackupRestore:
        ServerAdmin(out, request, now);
        return;
    case kReqOperatorMail:
        OperatorMail(out, session, request);
        return;
    case kReqUserAccount:
    case kReqUserAccountAdd:
    case kReqUserAccountDelete:
        Accounts(out, session, request);
        return;
    case kReqOpLog:
        OpLog(out, request);
        return;
    case kReqSubscriber:
    case kReqSubscriberAdd:
    case kReqSubscriberDelete:
        Subscribers(out, session, request);
        return;
    case kReqUserRights:
        Rights(out, request);
        return;
    case kReqOnlineUser:
        OnlineUsers(out, request);
        return;
    case kReqLocation:
    case kReqLocationAdd:
    case kReqLocationDelete:
        Locations(out, request);
        return;
    case kReqNeKey:
    case kReqNeKeyAdd:
    case kReqNeKeyDelete:
    case kReqNeKeyAll:
        Nes(out, request);
        return;
    case kReqLoginQuery:
    case kReqAlarmSync:
        // Request 34 of the login carries nothing; a synchronisation finds the simulated NE's alarms as they are.
        Reply(out, header, kDrvOk);
        return;
    case kReqNotificationsOn:
        if (WordRecord word;
            RecordsOf(request, kWordRecordSize) != 0 && DecodeRecord(RecordAt(request, 0), kWordRecordSize, &word)) {
            session.notificationsOn = word.value == 1;
        } else {
            Reply(out, header, kDrvInvalidParameter);
            return;
        }
        Reply(out, header, kDrvOk);
        // A workstation that turns notifications on first gets the state of every entity, as 325 so that it reaches
        // the model and not the trap log: its NEs start connected or not as the server knows them. NE by NE, so that
        // NEs that come or go meanwhile are taken as they are then.
        if (session.notificationsOn) {
            out.laterNotices = [this,
                                sentUpTo = uint32_t{0}](const std::function<void(const SimNotice&)>& send) mutable {
                const std::vector<uint32_t>& ids = db_.NeIds();
                const auto next = std::upper_bound(ids.begin(), ids.end(), sentUpTo);
                if (next == ids.end()) {
                    return false;
                }
                sentUpTo = *next;
                send(StatesNotice(*db_.FindNe(sentUpTo)));
                return true;
            };
        }
        return;
    case kReqBoardSetting:
        Boards(out, request);
        return;
    case kReqNeConfig:
        NeConfig(out, request, now);
        return;
    case kReqNeCommand:
        CommandLine(out, request, now);
        return;
    case kReqEntityState:
        EntityStates(out, request);
        return;
    case kReqAlarmDef:
        AlarmDefs(out, request);
        return;
    case kReqAlarmEvent:
        AlarmEvents(out, request);
        return;
    case kReqAlarmStatistics:
        AlarmStatistics(out, request);
        return;
    case kReqAlarmAck:
        AlarmAcks(out, request);
        return;
    case kReqNeFwUpgrade:
        Firmware(out, request, firmware_.FwUpgrade(request));
        return;
    case kReqNeBootPartition:
        Firmware(out, request, firmware_.BootPartition(request));
        return;
    case kReqNeBackupRestore:
        Firmware(out, request, firmware_.NeBackupRestore(request));
        return;
    case kReqHwMonitor:
        HardwareReadings(out, request, now);
        return;
    case kReqHwMonThreshold:
        TemperatureThresholds(out, request);
        return;
    case kReqNeAlarmInput:
    case kReqNeAlarmOutput:
        AlarmContacts(out, request);
        return;
    case kReqAdslPmCo:
    case kReqAdslPmRt:
    case kReqAdslBlockCo:
    case kReqAdslBlockRt:
    case kReqAdslHistoryCo:
    case kReqAdslHistoryRt:
        AdslPm(out, request, now);
        return;
    case kReqLongTermPmCo:
    case kReqLongTermPmRt:
        LongTermPm(out, request, now);
        return;
    case kReqNePing:
    case kReqNeSnmpCheck:
        ConnectionTest(out, request);
        return;
    case kReqOamLoopback:
        OamLoopback(out, request);
        return;
    case kReqPvc:
    case kReqPvcDelete:
    case kReqMcChannel:
    case kReqMcChannelAdd:
    case kReqPvcRuleCheck:
    case kReqIpTrafficRuleCheck:
    case kReqTrafficPolicingRuleCheck:
    case kReqServiceTypeCheck:
    case kReqPvcRowStatus:
    case kReqPvcStaticIp:
    case kReqPvcStaticIpAdd:
    case kReqPvcStaticIpDelete:
    case kReqAclCheck:
    case kReqAcl:
    case kReqAclAdd:
    case kReqStaticFdb:
    case kReqStaticFdbAdd:
    case kReqNextHopAdd:
        Pvcs(out, request);
        return;
    case kReqTrunkPm:
    case kReqTrunkPort:
    case kReqTrunkPortMode:
    case kReqTrunkVlan:
    case kReqTrunkVlanMember:
    case kReqRstpBridge:
    case kReqRstpPort:
    case kReqLinkAggregation:
    case kReqLacpStatus:
    case kReqStaticLinkAggregation:
    case kReqSfp:
    case kReqCosMapping:
    case kReqArpProxy:
    case kReqArpProxyEntry:
        TrunkSide(out, request, now);
        return;
    case kReqConfigDownload:
    case kReqConfigVerify:
        ProfileSync(out, request);
        return;
    case kReqDhcpAgentId:
    case kReqDhcpRelayServerAdd:
        Dhcp(out, request);
        return;
    case kReqFdbDelete:
        FdbDelete(out, request);
        return;
    case kReqFdb:
    case kReqDhcpTransaction:
    case kReqMcChannelStatus:
        PortScopedQuery(out, request);
        return;
    case kReqMacSpoof:
    case kReqMacSpoofAction:
    case kReqMacSpoofCheck:
        MacSpoofing(out, request);
        return;
    case kReqAdslPort:
    case kReqAdslRateStatus:
    case kReqBitsAlloc:
    case kReqLoopDiagCtrl:
    case kReqLoopDiagResult:
    case kReqLoopMonCtrl:
    case kReqLoopMonResult:
    case kReqSeltCtrl:
    case kReqSeltResult:
    case kReqAdslPowerState:
        AdslLines(out, request);
        return;
    case kReqShdslPort:
    case kReqShdslRateStatus:
    case kReqShdslPm:
    case kReqShdslHistory:
        ShdslLines(out, request, now);
        return;
    default:
        if (IsNeAccessCode(code)) {
            NeAccess(out, request, now);
            return;
        }
        if (const SimProfileKind* kind = FindSimProfileKind(code)) {
            Profiles(out, request, *kind);
            return;
        }
        if (IsSimProfileCount(code)) {
            ProfileCount(out, request);
            return;
        }
        if (!NeSettings(out, request, now))
            Generic(out, request);
        return;
    }
}

void CSimRequestHandler::Logon(Handled& out, SimSession& session, const Frame& request, uint32_t now)
{
    LogonRec logon;
    if (request.header.count != 1 || !DecodeLogonRec(request.payload.data(), request.payload.size(), logon)) {
        Reply(out, request.header, kDrvInvalidParameter);
        return;
    }
    const UserAccountRecord* account = db_.FindAccount(logon.userName);
    if (account == nullptr || account->passwordDigest != logon.passwordDigest) {
        // A refused logon ends whatever session the connection had, and the connection with it.
        session.loggedIn = false;
        session.notificationsOn = false;
        Reply(out, request.header, kDrvLoginFailed);
        out.close = true;
        return;
    }
    session.loggedIn = true;
    session.user = logon.userName;
    session.loginTime = now;
    session.trapPort = logon.trapPort;
    session.notificationsOn = false;
    Reply(out, request.header, kDrvOk);
}

void CSimRequestHandler::Locations(Handled& out, const Frame& request)
{
    const uint16_t code = request.header.requestCode;
    if (code == kReqLocation && IsQuery(request)) {
        const std::vector<LocationRecord> locations = db_.Locations();
        ReplyRecords(out, request.header, locations, static_cast<uint32_t>(locations.size()));
        return;
    }
    LocationRecord rec;
    if (!IsModify(request) || RecordsOf(request, kLocationRecordSize) != 1 ||
        !DecodeRecord(RecordAt(request, 0), kLocationRecordSize, &rec)) {
        Reply(out, request.header, kDrvInvalidParameter);
        return;
    }
    LocationRecord result;
    SimResult done;
    if (code == kReqLocation) {
        done = db_.ModifyLocation(rec, &result);
    } else if (code == kReqLocationAdd) {
        done = db_.AddLocation(rec, &result);
    } else {
        done = db_.DeleteLocation(rec.id, &result);
    }
    if (!done.Ok()) {
        Reply(out, request.header, done);
        return;
    }
    const std::vector<LocationRecord> records{result};
    ReplyRecords(out, request.header, records, 1);
    out.notices.push_back(Notice(SimAudience::kOthers, code, 0, records));
}

void CSimRequestHandler::Nes(Handled& out, const Frame& request)
{
    const uint16_t code = request.header.requestCode;
    const uint32_t neId = request.header.neId;
    if (IsQuery(request) && (code == kReqNeKeyAll || code == kReqNeKey)) {
        if (code == kReqNeKeyAll || neId == 0) {
            // Every workstation's login asks for them all.
            const auto count = static_cast<uint32_t>(db_.NeIds().size());
            out.sharedReply = SimSharedReply{ReplyHeaders(request.header, kNeKeyRecordSize, count, count, kDrvOk),
                                             db_.EncodedNeKeys()};
            return;
        }
        const CSimNe* ne = db_.FindNe(neId);
        if (ne == nullptr) {
            Reply(out, request.header, Refused(kSimNoSuchNe));
            return;
        }
        ReplyRecords(out, request.header, std::vector<NeKeyRecord>{ne->Key()}, 1);
        return;
    }
    NeKeyRecord rec;
    if (!IsModify(request) || code == kReqNeKeyAll || RecordsOf(request, kNeKeyRecordSize) != 1 ||
        !DecodeRecord(RecordAt(request, 0), kNeKeyRecordSize, &rec)) {
        Reply(out, request.header, kDrvInvalidParameter);
        return;
    }
    // The NE travels in the request's NE id when the record does not name it.
    if (rec.neId == 0) {
        rec.neId = neId;
    }
    NeKeyRecord result;
    SimResult done;
    if (code == kReqNeKey) {
        done = db_.ModifyNe(rec, &result);
    } else if (code == kReqNeKeyAdd) {
        done = db_.AddNe(rec, &result);
    } else {
        done = db_.DeleteNe(rec.neId, &result);
    }
    if (!done.Ok()) {
        Reply(out, request.header, done);
        return;
    }
    const std::vector<NeKeyRecord> records{result};
    ReplyRecords(out, request.header, records, 1);
    out.notices.push_back(Notice(SimAudience::kOthers, code, result.neId, records));
}

void CSimRequestHandler::Boards(Handled& out, const Frame& request)
{
    CSimNe* ne = db_.FindNe(request.header.neId);
    if (ne == nullptr || !db_.IsNeReachable(*ne)) {
        Reply(out, request.header, Refused(ne == nullptr ? kSimNoSuchNe : kSimNeNotConnected));
        return;
    }
    if (IsQuery(request)) {
        const std::vector<BoardSettingRec> boards = ne->BoardSettings();
        ReplyRecords(out, request.header, boards, static_cast<uint32_t>(boards.size()));
        return;
    }
    const uint32_t count = RecordsOf(request, kBoardSettingRecSize);
    if (count == 0) {
        Reply(out, request.header, kDrvInvalidParameter);
        return;
    }
    std::vector<uint32_t> slots;
    for (uint32_t i = 0; i < count; ++i) {
        BoardSettingRec rec;
        DecodeRecord(RecordAt(request, i), kBoardSettingRecSize, &rec);
        if (!ne->WriteBoardSetting(rec)) {
            Reply(out, request.header, Refused("Card slot does not exist"));
            return;
        }
        slots.push_back(rec.entityId);
    }
    // What the NE holds now, as a query would give it.
    std::vector<BoardSettingRec> written;
    for (const BoardSettingRec& board : ne->BoardSettings()) {
        for (uint32_t slot : slots) {
            if (slot == board.entityId) {
                written.push_back(board);
            }
        }
    }
    ReplyRecords(out, request.header, written, static_cast<uint32_t>(written.size()));
    out.notices.push_back(Notice(SimAudience::kOthers, kReqBoardSetting, ne->Id(), written));
}

void CSimRequestHandler::NeConfig(Handled& out, const Frame& request, uint32_t now)
{
    CSimNe* ne = db_.FindNe(request.header.neId);
    if (ne == nullptr || !db_.IsNeReachable(*ne)) {
        Reply(out, request.header, Refused(ne == nullptr ? kSimNoSuchNe : kSimNeNotConnected));
        return;
    }
    if (IsQuery(request)) {
        ReplyRecords(out, request.header, std::vector<NeConfigRecord>{ne->Config(now)}, 1);
        return;
    }
    NeConfigRecord rec;
    if (RecordsOf(request, kNeConfigRecordSize) != 1 ||
        !DecodeRecord(RecordAt(request, 0), kNeConfigRecordSize, &rec)) {
        Reply(out, request.header, kDrvInvalidParameter);
        return;
    }
    if (const SimResult written = db_.WriteNeConfig(ne->Id(), rec); !written.Ok()) {
        Reply(out, request.header, written);
        return;
    }
    ReplyRecords(out, request.header, std::vector<NeConfigRecord>{ne->Config(now)}, 1);
}

void CSimRequestHandler::CommandLine(Handled& out, const Frame& request, uint32_t now)
{
    CSimNe* ne = db_.FindNe(request.header.neId);
    CommandRecord command;
    if (ne == nullptr || !db_.IsNeReachable(*ne)) {
        Reply(out, request.header, Refused(ne == nullptr ? kSimNoSuchNe : kSimNeNotConnected));
        return;
    }
    if (!IsModify(request) || RecordsOf(request, kCommandRecordSize) != 1 ||
        !DecodeRecord(RecordAt(request, 0), kCommandRecordSize, &command)) {
        Reply(out, request.header, kDrvInvalidParameter);
        return;
    }
    CommandRecord answer;
    if (const SimResult run = RunNeCommandLine(*ne, command.command, now, kCommandRecordSize - 1, &answer.command);
        !run.Ok()) {
        Reply(out, request.header, run);
        return;
    }
    ReplyRecords(out, request.header, std::vector<CommandRecord>{answer}, 1);
}

void CSimRequestHandler::EntityStates(Handled& out, const Frame& request)
{
    const CSimNe* ne = db_.FindNe(request.header.neId);
    if (ne == nullptr || !IsQuery(request)) {
        Reply(out, request.header, ne == nullptr ? Refused(kSimNoSuchNe) : Unreadable(kDrvInvalidParameter));
        return;
    }
    const std::vector<EntityStateRec> states = db_.EntityStates(*ne);
    ReplyRecords(out, request.header, states, static_cast<uint32_t>(states.size()));
}

SimNotice CSimRequestHandler::StatesNotice(const CSimNe& ne)
{
    const std::shared_ptr<const std::vector<uint8_t>> frames = db_.KeptStatesFrames(ne, [this, &ne] {
        return EncodeNotification(Notice(SimAudience::kOthers, kReqEntityState, ne.Id(), db_.EntityStates(ne)),
                                  kMaxEmsRecordBytes);
    });
    SimNotice notice;
    notice.audience = SimAudience::kOthers;
    notice.code = kReqEntityState;
    notice.neId = ne.Id();
    notice.recordSize = kEntityStateRecSize;
    notice.encoded = frames;
    return notice;
}

void CSimRequestHandler::AlarmDefs(Handled& out, const Frame& request)
{
    CSimNe* ne = db_.FindNe(request.header.neId);
    if (ne == nullptr) {
        Reply(out, request.header, Refused(kSimNoSuchNe));
        return;
    }
    // The query record is not looked at: it comes in more than one size.
    if (IsQuery(request)) {
        const std::vector<AlarmDefRec> defs = ne->AlarmDefs();
        ReplyRecords(out, request.header, defs, static_cast<uint32_t>(defs.size()));
        return;
    }
    const uint32_t count = RecordsOf(request, kAlarmDefRecSize);
    if (count == 0) {
        Reply(out, request.header, kDrvInvalidParameter);
        return;
    }
    std::vector<AlarmDefRec> written;
    for (uint32_t i = 0; i < count; ++i) {
        AlarmDefRec rec;
        DecodeRecord(RecordAt(request, i), kAlarmDefRecSize, &rec);
        if (!ne->WriteAlarmDef(rec)) {
            Reply(out, request.header, Refused("Alarm is not defined for the entity type"));
            return;
        }
        written.push_back(rec);
    }
    ReplyRecords(out, request.header, written, static_cast<uint32_t>(written.size()));
}

void CSimRequestHandler::AlarmEvents(Handled& out, const Frame& request)
{
    AlarmQueryRec query;
    if (!IsQuery(request) || RecordsOf(request, kAlarmQueryRecSize) == 0 ||
        !DecodeRecord(RecordAt(request, 0), kAlarmQueryRecSize, &query)) {
        Reply(out, request.header, kDrvInvalidParameter);
        return;
    }
    // NE 0 asks about every NE; any other must exist.
    if (request.header.neId != 0 && db_.FindNe(request.header.neId) == nullptr) {
        Reply(out, request.header, Refused(kSimNoSuchNe));
        return;
    }
    const uint32_t locationId = query.locationId;
    auto neMatches = [this, locationId](uint32_t neId) {
        const CSimNe* ne = db_.FindNe(neId);
        return ne != nullptr && db_.LocationWithin(ne->Key().locationId, locationId);
    };
    auto [total, page] = db_.AlarmLog().Query(request.header.neId, query, neMatches);
    std::vector<ServerAlarmEventRec> records;
    records.reserve(page.size());
    for (const SimAlarmEntry& entry : page) {
        records.push_back(db_.ToServerRecord(entry));
    }
    ReplyRecords(out, request.header, records, total);
}

void CSimRequestHandler::AlarmStatistics(Handled& out, const Frame& request)
{
    AlarmStatQueryRec query;
    if (!IsQuery(request) || RecordsOf(request, kAlarmStatQueryRecSize) == 0 ||
        !DecodeRecord(RecordAt(request, 0), kAlarmStatQueryRecSize, &query)) {
        Reply(out, request.header, kDrvInvalidParameter);
        return;
    }
    if (request.header.neId != 0 && db_.FindNe(request.header.neId) == nullptr) {
        Reply(out, request.header, Refused(kSimNoSuchNe));
        return;
    }
    const std::vector<AlarmStatRec> stats = db_.AlarmLog().Statistics(request.header.neId, query);
    ReplyRecords(out, request.header, stats, static_cast<uint32_t>(stats.size()));
}

void CSimRequestHandler::AlarmAcks(Handled& out, const Frame& request)
{
    const uint32_t neId = request.header.neId;
    const CSimNe* ne = db_.FindNe(neId);
    const uint32_t count = RecordsOf(request, kAlarmAckRecSize);
    if (ne == nullptr || count == 0) {
        Reply(out, request.header, ne == nullptr ? Refused(kSimNoSuchNe) : Unreadable(kDrvInvalidParameter));
        return;
    }
    std::vector<AlarmAckRec> records;
    for (uint32_t i = 0; i < count; ++i) {
        AlarmAckRec rec;
        DecodeRecord(RecordAt(request, i), kAlarmAckRecSize, &rec);
        if (ne->FindEntity(rec.entityId) == nullptr) {
            Reply(out, request.header, Refused("Entity does not exist"));
            return;
        }
        if (IsModify(request)) {
            // An acknowledgement is of the active alarms: an entity without any has nothing to acknowledge.
            if (db_.AlarmLog().StateBits(neId, rec.entityId) == 0) {
                Reply(out, request.header, Refused("No active alarm to acknowledge"));
                return;
            }
            db_.AlarmLog().Acknowledge(neId, rec.entityId, rec.person, rec.ackTime, rec.comment);
        } else {
            const SimEntityAck ack = db_.AlarmLog().Ack(neId, rec.entityId);
            rec.person = ack.person;
            rec.ackTime = ack.time;
            rec.comment = ack.comment;
        }
        records.push_back(rec);
    }
    ReplyRecords(out, request.header, records, static_cast<uint32_t>(records.size()));
    if (IsModify(request)) {
        out.notices.push_back(Notice(SimAudience::kOthers, kReqAlarmAck, neId, records));
    }
}

void CSimRequestHandler::Control(Handled& out, SimSession& session, const Frame& request, uint32_t now)
{
    SimControlRec control;
    if (RecordsOf(request, kSimControlRecSize) == 0 ||
        !DecodeRecord(RecordAt(request, 0), kSimControlRecSize, &control)) {
        Reply(out, request.header, kDrvInvalidParameter);
        return;
    }
    switch (control.action) {
    case kSimPushEntityStates: {
        if (control.arg1 > kSimMaxPushedStates) {
            Reply(out, request.header, kDrvInvalidParameter);
            return;
        }
        const CSimNe* ne = db_.FindNe(request.header.neId);
        const std::vector<const CEntityNode*> targets =
            ne != nullptr ? ne->AlarmTargets() : std::vector<const CEntityNode*>{};
        if (targets.empty() || (control.arg2 != kSimChannelTcp && control.arg2 != kSimChannelUdp)) {
            Reply(out, request.header, kDrvRejected);
            return;
        }
        std::vector<EntityStateRec> states;
        states.reserve(control.arg1);
        for (uint32_t i = 0; i < control.arg1; ++i) {
            const CEntityNode& node = *targets[i % targets.size()];
            const int bit = ne->FirstAlarmBit(node.GetType());
            std::optional<EntityStateRec> state =
                db_.ToggleAlarm(ne->Id(), node.GetEntityId(), static_cast<uint32_t>(bit), now);
            if (!state) {
                continue;
            }
            if (state->acknowledged == 0) {
                state->value = i; // the order the records were sent in
            }
            states.push_back(*state);
        }
        SimNotice notice = Notice(SimAudience::kEveryone, kReqEntityStateChange, ne->Id(), states);
        notice.channel = control.arg2 == kSimChannelUdp ? SimChannel::kUdp : SimChannel::kTcp;
        out.notices.push_back(std::move(notice));
        out.noticesFirst = true;
        Reply(out, request.header, kDrvOk);
        return;
    }
    case kSimToggleAlarm: {
        const std::optional<EntityStateRec> state =
            db_.ToggleAlarm(request.header.neId, control.arg1, control.arg2, now);
        if (!state) {
            Reply(out, request.header, kDrvRejected);
            return;
        }
        out.notices.push_back(
            Notice(SimAudience::kEveryone, kReqEntityStateChange, request.header.neId, std::vector{*state}));
        out.noticesFirst = true;
        Reply(out, request.header, kDrvOk);
        return;
    }
    case kSimSetAlarm: {
        const uint32_t neId = request.header.neId;
        const CSimNe* ne = db_.FindNe(neId);
        const bool raise = control.arg3 != 0;
        const bool active = control.arg2 < 32 && ((db_.AlarmLog().StateBits(neId, control.arg1) >> control.arg2) & 1);
        if (ne == nullptr || ne->FindEntity(control.arg1) == nullptr || control.arg2 >= 32) {
            Reply(out, request.header, kDrvRejected);
            return;
        }
        if (active != raise) {
            const std::optional<EntityStateRec> state = db_.ToggleAlarm(neId, control.arg1, control.arg2, now);
            if (!state) {
                Reply(out, request.header, kDrvRejected);
                return;
            }
            out.notices.push_back(
                Notice(SimAudience::kEveryone, kReqEntityStateChange, neId, std::vector<EntityStateRec>{*state}));
            out.noticesFirst = true;
        }
        Reply(out, request.header, kDrvOk);
        return;
    }
    case kSimRefuseNextChange:
    case kSimRefuseNextRequest:
        refuseNextChangeOf_ = static_cast<uint16_t>(control.arg1);
        refuseQueriesToo_ = control.action == kSimRefuseNextRequest;
        refuseAfter_ = control.action == kSimRefuseNextRequest ? control.arg2 : 0;
        Reply(out, request.header, kDrvOk);
        return;
    case kSimRenameNextReply:
        renameNextReplyOf_ = static_cast<uint16_t>(control.arg1);
        renamedTo_ = static_cast<uint16_t>(control.arg2);
        Reply(out, request.header, kDrvOk);
        return;
    case kSimStaySilent:
        session.silentRequests = control.arg1;
        session.silentCode = static_cast<uint16_t>(control.arg2);
        Reply(out, request.header, kDrvOk);
        return;
    case kSimLoseDatagrams:
        session.datagramsToLose = control.arg1;
        Reply(out, request.header, kDrvOk);
        return;
    case kSimForgeDatagramAhead:
        session.forgeAhead = control.arg1;
        Reply(out, request.header, kDrvOk);
        return;
    case kSimDropConnection:
        out.close = true;
        return;
    case kSimAnswerInVersion: {
        FrameHeader answer = request.header;
        answer.version = control.arg1;
        // A version the header cannot carry could not be sent at all.
        if (EncodeFrame(answer, nullptr, 0).empty()) {
            Reply(out, request.header, kDrvInvalidParameter);
            return;
        }
        Reply(out, request.header, kDrvOk);
        out.replies.back().header.version = control.arg1;
        return;
    }
    default:
        Reply(out, request.header, kDrvInvalidParameter);
        return;
    }
}

void CSimRequestHandler::Firmware(Handled& out, const Frame& request, const SimFirmwareReply& reply)
{
    if (!reply.result.Ok()) {
        Reply(out, request.header, reply.result);
        return;
    }
    Reply(out, request.header, reply.records, reply.recordSize, reply.count, reply.count);
}

void CSimRequestHandler::Generic(Handled& out, const Frame& request)
{
    const FrameHeader& header = request.header;
    // NE 0 is the server; any other NE must exist.
    if (header.neId != 0 && db_.FindNe(header.neId) == nullptr) {
        Reply(out, header, Refused(kSimNoSuchNe));
        return;
    }
    const GenericReply reply = db_.Generic().Handle(header.requestCode, header.operation, header.neId,
                                                    request.payload.data(), header.count, header.recordSize);
    if (reply.status != kDrvOk) {
        Reply(out, header, SimResult{reply.status, reply.reason});
        return;
    }
    Reply(out, header, reply.records, reply.recordSize, reply.count, reply.count);
}

void CSimRequestHandler::NeAccess(Handled& out, const Frame& request, uint32_t now)
{
    const FrameHeader& header = request.header;
    const SimAnswer answer =
        HandleNeAccess(db_, header.requestCode, header.operation, header.neId, request.payload.data(), header.count,
                       header.recordSize, uint64_t{now} * 1000);
    if (!answer.result.reason.empty() || (!answer.result.Ok() && answer.records.empty())) {
        Reply(out, header, answer.result);
        return;
    }
    const uint32_t count =
        answer.recordSize == 0 ? 0 : static_cast<uint32_t>(answer.records.size() / answer.recordSize);
    for (Frame& frame : SplitReply(header, answer.records, answer.recordSize, count, count, answer.result.status)) {
        out.replies.push_back(std::move(frame));
    }
}

std::vector<SimNotice> CSimRequestHandler::GenerateAlarmEvent(std::mt19937& random, uint32_t now)
{
    now = ServerNow(now);
    const std::vector<uint32_t>& ids = db_.NeIds();
    if (ids.empty()) {
        return {};
    }
    const CSimNe* ne = db_.FindNe(ids[std::uniform_int_distribution<size_t>(0, ids.size() - 1)(random)]);
    const std::vector<const CEntityNode*> targets = ne->AlarmTargets();
    if (targets.empty()) {
        return {};
    }
    const CEntityNode& node = *targets[std::uniform_int_distribution<size_t>(0, targets.size() - 1)(random)];
    // Any reported alarm of the entity's model other than the offline one.
    const unsigned offline = CurrentEntityModels().GetOfflineAlarm();
    std::vector<uint32_t> bits;
    for (uint32_t bit = 0; bit < static_cast<uint32_t>(kEntityAlarmCount); ++bit) {
        if (bit != offline && ne->AlarmSeverity(node.GetType(), bit) != 0) {
            bits.push_back(bit);
        }
    }
    if (bits.empty()) {
        return {};
    }
    const uint32_t bit = bits[std::uniform_int_distribution<size_t>(0, bits.size() - 1)(random)];
    std::optional<EntityStateRec> state = db_.ToggleAlarm(ne->Id(), node.GetEntityId(), bit, now);
    if (!state) {
        return {};
    }
    if (state->acknowledged == 0) {
        state->value = generated_++;
    }
    SimNotice notice = Notice(SimAudience::kEveryone, kReqEntityStateChange, ne->Id(), std::vector{*state});
    notice.channel = options_.alarmChannel;
    return {notice};
}
