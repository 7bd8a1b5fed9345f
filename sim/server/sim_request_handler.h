// How the simulated management server answers one request frame: the reply frames, the notifications the request
// causes for the connected workstations, and whether the connection ends.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "link/records/record_codec.h"
#include "link/records/shdsl_rate_status_rec.h"
#include "link/server/frame_codec.h"
#include "sim/pm/adsl_line_tests.h"
#include "sim/pm/adsl_pm_generator.h"
#include "sim/pm/trunk_traffic_generator.h"
#include "sim/server/sim_database.h"
#include "sim/server/sim_db_backups.h"
#include "sim/server/sim_firmware.h"
#include "sim/server/sim_host_load.h"
#include "sim/server/sim_profiles.h"

// One workstation connection as the server sees it.
struct SimSession {
    uint64_t id = 0;
    std::array<uint8_t, 4> peerIp{};
    bool loggedIn = false;
    std::string user;
    uint32_t loginTime = 0;
    uint16_t trapPort = 0; // where its UDP notifications go; 0 = none
    bool notificationsOn = false;
    uint32_t silentRequests = 0;  // requests left unanswered (test control)
    uint16_t silentCode = 0;      // only those of this code; 0: any
    uint32_t datagramsToLose = 0; // notification datagrams numbered and not sent (test control)
    uint32_t forgeAhead = 0;      // the next datagram goes with a copy numbered this far ahead (test control)
};

enum class SimAudience { kOthers, kEveryone, kUser };
// UDP goes to the notification port the workstation named at logon, and over TCP when it named none.
enum class SimChannel { kTcp, kUdp };

// A notification: records of one request code for one NE, for some of the logged-in workstations.
struct SimNotice {
    SimAudience audience = SimAudience::kOthers;
    std::string user; // kUser: its workstations, whether or not they asked for notifications
    SimChannel channel = SimChannel::kTcp;
    uint16_t code = 0;
    uint32_t neId = 0;
    uint32_t recordSize = 0;
    std::vector<uint8_t> records;
    // Set instead of the records when the notification goes to many connections alike: its frames as sent over
    // TCP, made once and shared.
    std::shared_ptr<const std::vector<uint8_t>> encoded;
};

// Reply frames whose records every workstation that asks is sent alike (the NE table of a login): the records are
// made once and shared by the answers to all of them until the table changes. Each frame's payload is the next
// header.count records of them; the frames themselves carry none.
struct SimSharedReply {
    std::vector<Frame> frames;
    std::shared_ptr<const std::vector<uint8_t>> records;
};

struct SimHandled {
    std::vector<Frame> replies;
    std::optional<SimSharedReply> sharedReply; // after `replies`
    std::vector<SimNotice> notices;
    // A long series of notifications that follows the answer, for the asking workstation alone (its audience is
    // not looked at): each call sends the next one and says whether it was not the last. The server makes them as
    // the connection takes them, and serves its next request once the series has ended.
    std::function<bool(const std::function<void(const SimNotice&)>& send)> laterNotices;
    bool noticesFirst = false; // the notifications go out before the reply
    bool close = false;        // the connection ends after the replies
};

struct SimHandlerOptions {
    bool testControl = false; // serve the control request of tests
    SimChannel alarmChannel = SimChannel::kUdp;
    std::string ftpRoot; // the NEs' FTP areas are its directories named by their addresses; empty: unknown
};

class CSimRequestHandler {
public:
    // Takes the database backups a scenario named (CSimDbBackups::TakeSeeded): make it once the database is loaded.
    CSimRequestHandler(CSimDatabase& database, SimHandlerOptions options);

    // The sessions logged in now, for the online user list.
    void SetSessionLister(std::function<std::vector<SimSession>()> lister) { listSessions_ = std::move(lister); }

    // `now` is the machine's clock; the server's own runs as far from it as the operator set it.
    SimHandled Handle(SimSession& session, const Frame& request, uint32_t now);
    // The same into `out`, which comes in empty: the storage of its vectors is used again.
    void Handle(SimSession& session, const Frame& request, uint32_t now, SimHandled& out);

    // One generated alarm event: a random alarm of a random entity raised or cleared.
    std::vector<SimNotice> GenerateAlarmEvent(std::mt19937& random, uint32_t now);

private:
    using Handled = SimHandled;
    void Reply(Handled& out, const FrameHeader& request, uint32_t status);
    // A refusal as a text reply that says why; a request it could not read by its status.
    void Reply(Handled& out, const FrameHeader& request, const SimResult& result);
    void Reply(Handled& out, const FrameHeader& request, const std::vector<uint8_t>& records, uint32_t recordSize,
               uint32_t count, uint32_t total);
    template <typename Rec>
    void ReplyRecords(Handled& out, const FrameHeader& request, const std::vector<Rec>& records, uint32_t total);
    template <typename Rec>
    SimNotice Notice(SimAudience audience, uint16_t code, uint32_t neId, const std::vector<Rec>& records);

    // The requests after logon, once the operator's right is checked.
    void Dispatch(Handled& out, SimSession& session, const Frame& request, uint32_t now);
    // The role of the session's account; -1 when it has none.
    int RoleOf(const SimSession& session) const;
    // False, with the refusal replied, when the session's role may not make the request.
    bool Permitted(Handled& out, const SimSession& session, const Frame& request);
    // Appends a change that was made to the operation log.
    void LogChange(const SimSession& session, const Frame& request, uint32_t now);

    void Logon(Handled& out, SimSession& session, const Frame& request, uint32_t now);
    void OperatorMail(Handled& out, const SimSession& session, const Frame& request);
    void Accounts(Handled& out, const SimSession& session, const Frame& request);
    // Whether the session's role may make the change of an account; refused with the reason when not.
    SimResult AccountChangeAllowed(const SimSession& session, uint16_t code, const UserAccountRecord& rec) const;
    void OpLog(Handled& out, const Frame& request);
    void Subscribers(Handled& out, const SimSession& session, const Frame& request);
    void Rights(Handled& out, const Frame& request);
    void OnlineUsers(Handled& out, const Frame& request);
    void Locations(Handled& out, const Frame& request);
    void Nes(Handled& out, const Frame& request);
    void Boards(Handled& out, const Frame& request);
    void NeConfig(Handled& out, const Frame& request, uint32_t now);
    // A command line run on the NE; the reply carries its answer.
    void CommandLine(Handled& out, const Frame& request, uint32_t now);
    void EntityStates(Handled& out, const Frame& request);
    // The states of the NE's every entity as a notification, encoded once for every workstation that turns
    // notifications on, and again only when its tree or its alarms change.
    SimNotice StatesNotice(const CSimNe& ne);
    void AlarmDefs(Handled& out, const Frame& request);
    void AlarmEvents(Handled& out, const Frame& request);
    void AlarmStatistics(Handled& out, const Frame& request);
    void AlarmAcks(Handled& out, const Frame& request);
    // The templates and NE profiles of a profile kind, and an NE's synchronisation and verification against the
    // templates (sim_profile_requests.cpp).
    void Profiles(Handled& out, const Frame& request, const SimProfileKind& kind);
    void ProfileSync(Handled& out, const Frame& request);
    void ProfileCount(Handled& out, const Frame& request);
    // The NE's hardware readings, its temperature thresholds and its alarm inputs and outputs
    // (sim_fault_requests.cpp).
    void HardwareReadings(Handled& out, const Frame& request, uint32_t now);
    void TemperatureThresholds(Handled& out, const Frame& request);
    void AlarmContacts(Handled& out, const Frame& request);
    void Control(Handled& out, SimSession& session, const Frame& request, uint32_t now);
    void Firmware(Handled& out, const Frame& request, const SimFirmwareReply& reply);
    // The ADSL PM of a port (sim_pm_requests.cpp): its counters now, its stored intervals, its long-term records.
    void AdslPm(Handled& out, const Frame& request, uint32_t now);
    void LongTermPm(Handled& out, const Frame& request, uint32_t now);
    // The tests the server runs on an NE for the workstation (sim_connection_tests.cpp): its ping and SNMP check of
    // the NE, and an OAM loopback on a PVC of one of its ports.
    void ConnectionTest(Handled& out, const Frame& request);
    void OamLoopback(Handled& out, const Frame& request);
    // The PVCs of an NE's xDSL ports with their row states, static IP ranges and source MACs, and the NE's checks of
    // them (sim_pvc_requests.cpp).
    void Pvcs(Handled& out, const Frame& request);
    // The trunk side of an NE (sim_trunk_requests.cpp): its trunk ports' traffic counters, and its trunk settings
    // started from its defaults.
    void TrunkSide(Handled& out, const Frame& request, uint32_t now);
    void TrunkPm(Handled& out, const Frame& request, const CSimNe& ne, uint32_t now);
    // Gives the NE's family or setting of the code its defaults when nothing was written to it yet.
    void SeedTrunkSide(const CSimNe& ne, uint16_t code);
    // The ADSL lines of an NE (sim_line_requests.cpp): its port records, started from their defaults where nothing
    // was written to them yet; the line status and bits of each port in its power state; power state commands; and
    // the line tests, run for the workstation as the NE runs them.
    void AdslLines(Handled& out, const Frame& request);
    void AdslPorts(Handled& out, const Frame& request, const CSimNe& ne);
    // Starts each ADSL port of the NE's tree that the store does not hold yet from its defaults.
    void SeedAdslPorts(const CSimNe& ne);
    // The DHCP services of an NE (sim_dhcp_requests.cpp): settings and relay servers as written, at most 4 servers,
    // and the option-82 agent IDs of its xDSL ports, started from their defaults.
    void Dhcp(Handled& out, const Frame& request);
    void AddRelayServers(Handled& out, const Frame& request, const CSimNe& ne);
    void SeedAgentIds(const CSimNe& ne);
    // The status lists of an NE's line cards (sim_status_requests.cpp): a query of a card answers the entries of
    // all its ports.
    void PortScopedQuery(Handled& out, const Frame& request);
    // A delete of filtering database entries: each names its entry by port, VPI, VCI and MAC with row command 6, the
    // rest zero, as the NE takes it.
    void FdbDelete(Handled& out, const Frame& request);
    // Its spoofed MAC addresses, their check and their permit or denial.
    void MacSpoofing(Handled& out, const Frame& request);
    // Whether the NE has the ADSL line profile in a channel mode, as a loop diagnosis needs.
    bool LineProfileUsable(uint32_t neId, const std::string& name) const;
    // The SHDSL lines of an NE (sim_shdsl_requests.cpp): its port records, started from their defaults, listed below
    // the entity a query names and written with profiles the NE has; each port's rates and PM counters.
    void ShdslLines(Handled& out, const Frame& request, uint32_t now);
    void SeedShdslPorts(const CSimNe& ne);
    void ShdslPortWrite(Handled& out, const Frame& request, const CSimNe& ne);
    ShdslRateStatusRec ShdslRateOf(const CSimNe& ne, uint32_t port) const;
    // The server's clock, the load of the machine it runs on and its database backups
    // (sim_server_admin_requests.cpp).
    uint32_t ServerNow(uint32_t machineNow) const;
    void ServerAdmin(Handled& out, const Frame& request, uint32_t now);
    // The NE's clock, NE-wide and layer-2 settings: refused out of range, or answered where the NE adds to what the
    // generic store keeps. False when the generic store answers.
    bool NeSettings(Handled& out, const Frame& request, uint32_t now);
    void Generic(Handled& out, const Frame& request);
    // Discovery, and an NE's file system, cascaded management and access tables (sim_ne_access.h).
    void NeAccess(Handled& out, const Frame& request, uint32_t now);

    CSimDatabase& db_;
    SimHandlerOptions options_;
    CSimFirmware firmware_;
    CSimHostLoad hostLoad_;
    CSimDbBackups dbBackups_;
    int64_t clockOffset_ = 0; // seconds the server's clock is ahead of the machine's
    std::function<std::vector<SimSession>()> listSessions_;
    uint32_t generated_ = 0;          // value of the next generated state record
    uint16_t refuseNextChangeOf_ = 0; // test control: the request code whose next change is refused
    bool refuseQueriesToo_ = false;   // ... or its next request of either operation
    uint32_t refuseAfter_ = 0;        // ... once this many more of them have been served
    uint16_t renameNextReplyOf_ = 0;  // test control: the request code whose next reply names another code ...
    uint16_t renamedTo_ = 0;          // ... this one
    CAdslPmGenerator pm_;
    CTrunkTrafficGenerator traffic_;
    std::map<uint32_t, uint32_t> countingSince_;   // by NE: since when its trunk ports' counters count
    std::map<uint32_t, CAdslLineTests> lineTests_; // by NE
};

// `count` records of `recordSize` bytes split so that no frame carries more than `maxPayload` bytes of them (yet at
// least one record). Each frame is `header` with its own count, record size and payload; `more` is left as it is.
std::vector<Frame> SplitRecords(const FrameHeader& header, const std::vector<uint8_t>& records, uint32_t recordSize,
                                uint32_t count, size_t maxPayload);

// The frames of one notification; each frame stands alone (sequence 0, nothing more to follow).
std::vector<Frame> NotificationFrames(const SimNotice& notice, size_t maxPayload);
// The bytes of those frames one after the other, as a connection is sent them.
std::vector<uint8_t> EncodeNotification(const SimNotice& notice, size_t maxPayload);

// The frames of one reply: records split so that no frame carries more than one request's worth; every frame but
// the last says that more follow.
std::vector<Frame> SplitReply(const FrameHeader& request, const std::vector<uint8_t>& records, uint32_t recordSize,
                              uint32_t count, uint32_t total, uint32_t status);

// Every reply frame of `handled` in order, those of a shared reply with their records copied in: the answer as a
// workstation receives it.
std::vector<Frame> ReplyFrames(const SimHandled& handled);

template <typename Rec>
void CSimRequestHandler::ReplyRecords(Handled& out, const FrameHeader& request, const std::vector<Rec>& records,
                                      uint32_t total)
{
    Reply(out, request, EncodeRecords(records), kRecordSize<Rec>, static_cast<uint32_t>(records.size()), total);
}

template <typename Rec>
SimNotice CSimRequestHandler::Notice(SimAudience audience, uint16_t code, uint32_t neId,
                                     const std::vector<Rec>& records)
{
    SimNotice notice;
    notice.audience = audience;
    notice.code = code;
    notice.neId = neId;
    notice.recordSize = kRecordSize<Rec>;
    notice.records = EncodeRecords(records);
    return notice;
}
