#include "sim/server/sim_ne_access.h"

#include "core/util/ip_address.h"
#include "link/ems_msg.h"
#include "link/records/cascaded_mgmt_record.h"
#include "link/records/discovery_range_rec.h"
#include "link/records/found_ne_rec.h"
#include "link/records/ne_fs_copy_record.h"
#include "link/records/ne_fs_file_record.h"
#include "link/records/ne_key_record.h"
#include "link/records/ne_network_config_rec.h"
#include "link/records/ne_snmp_community_record.h"
#include "link/records/ne_snmp_manager_record.h"
#include "link/records/ne_user_account_record.h"
#include "link/records/remote_ne_record.h"
#include "link/records/request_codes.h"
#include "link/records/secured_host_record.h"
#include "link/records/word_record.h"

namespace {

constexpr uint32_t kEnabled = 1;
constexpr uint32_t kRoot = 1;
constexpr uint32_t kConnected = 1;
constexpr uint32_t kDisconnected = 2;
constexpr uint32_t kNeUserGuest = 1;
constexpr uint32_t kSecuredHostSections = 4;
constexpr char kDefaultNeAccount[] = "su";
constexpr char kTableFull[] = "This table is full";

// The records of a request, decoded; none when one is too short.
template <typename Rec> std::vector<Rec> Decoded(const uint8_t* records, uint32_t count, uint32_t recordSize)
{
    std::vector<Rec> out;
    if (recordSize < kRecordSize<Rec>)
        return out;
    for (uint32_t i = 0; i < count; ++i) {
        Rec rec;
        if (DecodeRecord(records + static_cast<size_t>(i) * recordSize, recordSize, &rec))
            out.push_back(std::move(rec));
    }
    return out;
}

template <typename Rec> SimAnswer Answer(const std::vector<Rec>& records)
{
    SimAnswer answer;
    answer.recordSize = kRecordSize<Rec>;
    answer.records = EncodeRecords(records);
    return answer;
}

SimAnswer Refuse(std::string reason)
{
    return {Refused(std::move(reason)), 0, {}};
}

SimAnswer Unread()
{
    return {Unreadable(kDrvInvalidParameter), 0, {}};
}

SimAnswer FromGeneric(const GenericReply& reply)
{
    SimAnswer answer;
    answer.result = {reply.status, reply.reason};
    answer.recordSize = reply.recordSize;
    answer.records = reply.records;
    return answer;
}

// What the generic store keeps of a family for an NE.
template <typename Rec> std::vector<Rec> Stored(CSimDatabase& db, RequestCode<Rec> code, uint32_t neId)
{
    const GenericReply reply = db.Generic().Handle(code, kEmsOpQuery, neId, nullptr, 0, 0);
    if (reply.status != kDrvOk || reply.recordSize == 0)
        return {};
    return Decoded<Rec>(reply.records.data(), reply.count, reply.recordSize);
}

template <typename Rec> GenericReply Store(CSimDatabase& db, uint16_t code, uint32_t neId, const Rec& rec)
{
    const auto bytes = EncodeRecord(rec);
    return db.Generic().Handle(code, kEmsOpModify, neId, bytes.data(), 1, kRecordSize<Rec>);
}

GenericReply Pass(CSimDatabase& db, uint16_t code, uint8_t operation, uint32_t neId, const uint8_t* records,
                  uint32_t count, uint32_t recordSize)
{
    return db.Generic().Handle(code, operation, neId, records, count, recordSize);
}

CascadedMgmtRecord Cascaded(CSimDatabase& db, uint32_t neId)
{
    const std::vector<CascadedMgmtRecord> stored = Stored(db, kReqCascadedMgmt, neId);
    return stored.empty() ? CascadedMgmtRecord{} : stored.front();
}

// The NE's own addresses, with the root of its cascaded management.
NeNetworkConfigRec NetworkConfig(CSimDatabase& db, CSimNe& ne)
{
    const NeConfigRecord& config = ne.StoredConfig();
    NeNetworkConfigRec network;
    network.nmeIp = config.nmeIp;
    network.nmeMask = config.nmeMask;
    network.gateway = config.gateway;
    network.ugeIp = config.ugeIp;
    network.ugeMask = config.ugeMask;
    const CascadedMgmtRecord cascaded = Cascaded(db, ne.Id());
    network.cascadedRootIp = cascaded.rootIp;
    network.cascadedMask = cascaded.subnetMask;
    return network;
}

bool IsOwnAddress(CSimNe& ne, const IpAddress& address)
{
    const NeConfigRecord& config = ne.StoredConfig();
    return address == ne.Key().ipAddress || address == config.nmeIp || address == config.ugeIp;
}

SimAnswer Discovery(CSimDatabase& db, uint16_t code, uint8_t operation, const uint8_t* records, uint32_t count,
                    uint32_t recordSize, uint64_t nowMs)
{
    CSimDiscovery& discovery = db.Discovery();
    if (code == kReqDiscoveryRange && operation == kEmsOpQuery)
        return Answer(discovery.Ranges(nowMs));
    if (code == kReqFoundNe && operation == kEmsOpQuery)
        return Answer(discovery.Found(nowMs));
    if (operation != kEmsOpModify)
        return Unread();
    if (code == kReqFoundNeDelete) {
        const std::vector<FoundNeRec> dropped = Decoded<FoundNeRec>(records, count, recordSize);
        if (dropped.empty())
            return Unread();
        for (const FoundNeRec& rec : dropped) {
            if (const SimResult result = discovery.Drop(rec.ipAddress); !result.Ok())
                return {result, 0, {}};
        }
        return Answer(dropped);
    }
    const std::vector<DiscoveryRangeRec> ranges = Decoded<DiscoveryRangeRec>(records, count, recordSize);
    if (ranges.empty())
        return Unread();
    for (const DiscoveryRangeRec& range : ranges) {
        const SimResult result =
            code == kReqDiscoveryRangeAdd ? discovery.AddRange(range, nowMs) : discovery.DeleteRange(range);
        if (!result.Ok())
            return {result, 0, {}};
    }
    if (code == kReqDiscoveryRangeAdd)
        return Answer(discovery.Ranges(nowMs));
    return Answer(ranges);
}

SimAnswer FileSystem(CSimNe& ne, uint16_t code, uint8_t operation, const uint8_t* records, uint32_t count,
                     uint32_t recordSize, uint64_t nowMs)
{
    CNeFileSystem& fs = ne.FileSystem();
    fs.CopyState(nowMs); // a copy that has ended has left its file
    std::string why;
    if (code == kReqNeFsFile && operation == kEmsOpQuery)
        return Answer(fs.Files());
    if (code == kReqNeFsCopy && operation == kEmsOpQuery)
        return Answer(std::vector<NeFsCopyRecord>{fs.CopyState(nowMs)});
    if (operation != kEmsOpModify)
        return Unread();
    if (code == kReqNeFsFormat) {
        const std::vector<WordRecord> partition = Decoded<WordRecord>(records, count, recordSize);
        if (partition.empty())
            return Unread();
        if (!fs.Format(partition.front().value, &why))
            return Refuse(why);
        return Answer(partition);
    }
    if (code == kReqNeFsFile) {
        const std::vector<NeFsFileRecord> files = Decoded<NeFsFileRecord>(records, count, recordSize);
        if (files.empty())
            return Unread();
        for (const NeFsFileRecord& file : files) {
            if (file.action != 1)
                return Refuse("Unknown file action");
            if (!fs.Delete(file.partition, file.name, &why))
                return Refuse(why);
        }
        return Answer(files);
    }
    const std::vector<NeFsCopyRecord> copies = Decoded<NeFsCopyRecord>(records, count, recordSize);
    if (copies.empty())
        return Unread();
    if (!fs.StartCopy(copies.front(), nowMs, &why))
        return Refuse(why);
    return Answer(std::vector<NeFsCopyRecord>{fs.CopyState(nowMs)});
}

// A remote NE is connected while it is enabled and the root relays management to it.
uint32_t RemoteNeState(const CascadedMgmtRecord& cascaded, const RemoteNeRecord& remote)
{
    if (remote.state != kEnabled)
        return 0;
    return cascaded.state == kEnabled && cascaded.role == kRoot ? kConnected : kDisconnected;
}

void ShowRemoteNeStates(CSimDatabase& db, uint32_t neId)
{
    const CascadedMgmtRecord cascaded = Cascaded(db, neId);
    for (RemoteNeRecord remote : Stored(db, kReqRemoteNe, neId)) {
        remote.operStatus = RemoteNeState(cascaded, remote);
        Store(db, kReqRemoteNe, neId, remote);
    }
}

SimAnswer CascadedManagement(CSimDatabase& db, CSimNe& ne, uint8_t operation, const uint8_t* records, uint32_t count,
                             uint32_t recordSize)
{
    if (operation == kEmsOpQuery)
        return Answer(std::vector<CascadedMgmtRecord>{Cascaded(db, ne.Id())});
    const std::vector<CascadedMgmtRecord> written = Decoded<CascadedMgmtRecord>(records, count, recordSize);
    if (written.empty())
        return Unread();
    const CascadedMgmtRecord& rec = written.front();
    if (rec.state == kEnabled && rec.role == kRoot && IsOwnAddress(ne, rec.rootIp)) {
        // The NE refuses with its record, the second word naming the reason.
        CascadedMgmtRecord refused = rec;
        refused.role = kSimAddressReserved;
        SimAnswer answer = Answer(std::vector<CascadedMgmtRecord>{refused});
        answer.result = Unreadable(kDrvRejected);
        return answer;
    }
    const GenericReply stored = Store(db, kReqCascadedMgmt, ne.Id(), rec);
    if (stored.status == kDrvOk)
        ShowRemoteNeStates(db, ne.Id());
    return FromGeneric(stored);
}

SimAnswer RemoteNes(CSimDatabase& db, CSimNe& ne, uint16_t code, uint8_t operation, const uint8_t* records,
                    uint32_t count, uint32_t recordSize)
{
    if (operation != kEmsOpModify || code == kReqRemoteNeDelete)
        return FromGeneric(Pass(db, code, operation, ne.Id(), records, count, recordSize));
    std::vector<RemoteNeRecord> written = Decoded<RemoteNeRecord>(records, count, recordSize);
    if (written.empty())
        return Unread();
    const std::vector<RemoteNeRecord> stored = Stored(db, kReqRemoteNe, ne.Id());
    if (code == kReqRemoteNeAdd && stored.size() + written.size() > kSimRemoteNeLimit)
        return Refuse(kTableFull);
    const CascadedMgmtRecord cascaded = Cascaded(db, ne.Id());
    for (RemoteNeRecord& rec : written) {
        for (const RemoteNeRecord& other : stored) {
            if (other.remoteNeId != rec.remoteNeId && other.ipAddress == rec.ipAddress)
                return Refuse("IP address is reserved");
        }
        // The NE reports how it reaches the remote NE; what the workstation sent there is not read.
        rec.operStatus = RemoteNeState(cascaded, rec);
    }
    const std::vector<uint8_t> bytes = EncodeRecords(written);
    return FromGeneric(
        Pass(db, code, operation, ne.Id(), bytes.data(), static_cast<uint32_t>(written.size()), kRemoteNeRecordSize));
}

// A family of the NE whose adds stop at a limit.
template <typename Rec>
SimAnswer Limited(CSimDatabase& db, RequestCode<Rec> family, size_t limit, uint16_t code, uint8_t operation,
                  uint32_t neId, const uint8_t* records, uint32_t count, uint32_t recordSize)
{
    if (code == FindRequest(family).spec->addCode && Stored(db, family, neId).size() + count > limit)
        return Refuse(kTableFull);
    return FromGeneric(Pass(db, code, operation, neId, records, count, recordSize));
}

SimAnswer Accounts(CSimDatabase& db, uint16_t code, uint8_t operation, uint32_t neId, const uint8_t* records,
                   uint32_t count, uint32_t recordSize)
{
    if (operation == kEmsOpModify && code != kReqNeUserAccountAdd) {
        for (const NeUserAccountRecord& rec : Decoded<NeUserAccountRecord>(records, count, recordSize)) {
            if (rec.userName != kNeBuiltInAccount)
                continue;
            if (code == kReqNeUserAccountDelete)
                return Refuse("The built-in account cannot be deleted");
            if (rec.role != kNeUserLevelAdministrator)
                return Refuse("The built-in account stays an administrator");
        }
    }
    return Limited(db, kReqNeUserAccount, kSimNeAccountLimit, code, operation, neId, records, count, recordSize);
}

SimAnswer SecuredHosts(CSimDatabase& db, uint8_t operation, uint32_t neId, const uint8_t* records, uint32_t count,
                       uint32_t recordSize)
{
    if (operation == kEmsOpModify) {
        const std::vector<SecuredHostRecord> stored = Stored(db, kReqSecuredHost, neId);
        for (const SecuredHostRecord& rec : Decoded<SecuredHostRecord>(records, count, recordSize)) {
            const bool known = std::any_of(stored.begin(), stored.end(), [&](const SecuredHostRecord& other) {
                return other.section == rec.section;
            });
            if (!known)
                return Refuse("Section does not exist");
            if (CompareIpv4(rec.firstIp, rec.lastIp) > 0)
                return Refuse("Start value shouldn't be greater than Stop value");
        }
    }
    return FromGeneric(Pass(db, kReqSecuredHost, operation, neId, records, count, recordSize));
}

} // namespace

bool IsNeAccessCode(uint16_t code)
{
    switch (code) {
    case kReqDiscoveryRange:
    case kReqDiscoveryRangeAdd:
    case kReqDiscoveryRangeDelete:
    case kReqFoundNe:
    case kReqFoundNeDelete:
    case kReqCascadedMgmt:
    case kReqRemoteNe:
    case kReqRemoteNeAdd:
    case kReqRemoteNeDelete:
    case kReqNeSnmpManagerAdd:
    case kReqNeSnmpCommunityAdd:
    case kReqNeUserAccount:
    case kReqNeUserAccountAdd:
    case kReqNeUserAccountDelete:
    case kReqSecuredHost:
    case kReqNeFsFormat:
    case kReqNeFsFile:
    case kReqNeFsCopy:
    case kReqNeNetworkConfig:
        return true;
    default:
        return false;
    }
}

SimAnswer HandleNeAccess(CSimDatabase& db, uint16_t code, uint8_t operation, uint32_t neId, const uint8_t* records,
                         uint32_t count, uint32_t recordSize, uint64_t nowMs)
{
    switch (code) {
    case kReqDiscoveryRange:
    case kReqDiscoveryRangeAdd:
    case kReqDiscoveryRangeDelete:
    case kReqFoundNe:
    case kReqFoundNeDelete:
        return Discovery(db, code, operation, records, count, recordSize, nowMs);
    default:
        break;
    }
    // The server holds no network record of its own: asked at NE id 0, as the checks of static IP ranges ask, it
    // lists none.
    if (code == kReqNeNetworkConfig && neId == 0 && operation == kEmsOpQuery)
        return Answer(std::vector<NeNetworkConfigRec>{});
    CSimNe* ne = db.FindNe(neId);
    if (ne == nullptr)
        return Refuse(kSimNoSuchNe);
    switch (code) {
    case kReqNeFsFormat:
    case kReqNeFsFile:
    case kReqNeFsCopy:
        return FileSystem(*ne, code, operation, records, count, recordSize, nowMs);
    case kReqCascadedMgmt:
        return CascadedManagement(db, *ne, operation, records, count, recordSize);
    case kReqNeNetworkConfig:
        return Answer(std::vector<NeNetworkConfigRec>{NetworkConfig(db, *ne)});
    case kReqRemoteNe:
    case kReqRemoteNeAdd:
    case kReqRemoteNeDelete:
        return RemoteNes(db, *ne, code, operation, records, count, recordSize);
    case kReqNeSnmpManagerAdd:
        return Limited(db, kReqNeSnmpManager, kSimNeManagerLimit, code, operation, neId, records, count, recordSize);
    case kReqNeSnmpCommunityAdd:
        return Limited(db, kReqNeSnmpCommunity, kSimNeCommunityLimit, code, operation, neId, records, count,
                       recordSize);
    case kReqSecuredHost:
        return SecuredHosts(db, operation, neId, records, count, recordSize);
    default:
        return Accounts(db, code, operation, neId, records, count, recordSize);
    }
}

void SeedNeAccessDefaults(CSimDatabase& db, uint32_t neId)
{
    if (Stored(db, kReqNeUserAccount, neId).empty()) {
        Store(db, kReqNeUserAccountAdd, neId,
              NeUserAccountRecord{kNeBuiltInAccount, kNeBuiltInAccount, kNeUserLevelAdministrator, 1});
        Store(db, kReqNeUserAccountAdd, neId, NeUserAccountRecord{kDefaultNeAccount, "su", kNeUserGuest, 1});
    }
    if (Stored(db, kReqNeSnmpCommunity, neId).empty()) {
        Store(db, kReqNeSnmpCommunityAdd, neId, NeSnmpCommunityRecord{"public", 1, 1});
        Store(db, kReqNeSnmpCommunityAdd, neId, NeSnmpCommunityRecord{"private", kNeAccessReadWrite, 1});
    }
    if (Stored(db, kReqSecuredHost, neId).empty()) {
        for (uint32_t section = 1; section <= kSecuredHostSections; ++section)
            Store(db, kReqSecuredHost, neId, SecuredHostRecord{static_cast<uint8_t>(section), {}, {}, 0});
    }
}
