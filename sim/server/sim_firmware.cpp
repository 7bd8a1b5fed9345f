#include "sim/server/sim_firmware.h"

#include <filesystem>
#include <system_error>

#include "core/entity/entity_id.h"
#include "core/entity/entity_index.h"
#include "core/util/firmware_image.h"
#include "core/util/ip_address.h"
#include "link/driver_result.h"
#include "link/ems_msg.h"
#include "link/records/backup_record.h"

namespace {

constexpr uint32_t kRunningPartition = 1;

template <typename Rec> SimFirmwareReply RecordsReply(const std::vector<Rec>& records)
{
    SimFirmwareReply reply;
    reply.records = EncodeRecords(records);
    reply.recordSize = kRecordSize<Rec>;
    reply.count = static_cast<uint32_t>(records.size());
    return reply;
}

SimFirmwareReply Failure(SimResult result)
{
    SimFirmwareReply reply;
    reply.result = std::move(result);
    return reply;
}

template <typename Rec> bool FirstRecord(const Frame& request, Rec* rec)
{
    return request.header.count >= 1 && request.header.recordSize >= kRecordSize<Rec> &&
           DecodeRecord(request.payload.data(), kRecordSize<Rec>, rec);
}

} // namespace

CSimFirmware::CSimFirmware(CSimDatabase& database, std::string ftpRoot) : db_(database), ftpRoot_(std::move(ftpRoot)) {}

std::string CSimFirmware::ImageVersionInArea(const NeKeyRecord& ne) const
{
    if (ftpRoot_.empty())
        return {};
    namespace fs = std::filesystem;
    std::error_code ec;
    std::string version;
    fs::file_time_type newest = fs::file_time_type::min();
    for (fs::recursive_directory_iterator it(fs::path(ftpRoot_) / FormatIpAddress(ne.ipAddress), ec), end;
         !ec && it != end; it.increment(ec)) {
        FirmwareImageHeader header;
        if (!it->is_regular_file(ec) || it->last_write_time(ec) < newest ||
            CheckImageFile(it->path().string(), &header) != 0)
            continue;
        newest = it->last_write_time(ec);
        version = header.Version();
    }
    return version;
}

std::string CSimFirmware::RunningVersion(const CSimNe& ne) const
{
    if (std::string image = ImageVersionInArea(ne.Key()); !image.empty())
        return image;
    const uint32_t module = EntityIdFromIndexValue(CwmModuleIndex(1, ne.Key().modelId));
    for (const BoardSettingRec& board : ne.BoardSettings()) {
        if (board.entityId == module)
            return board.softwareVersion;
    }
    return {};
}

SimFirmwareReply CSimFirmware::FwUpgrade(const Frame& request)
{
    if (request.header.operation == kEmsOpQuery) {
        std::vector<NeFwUpgradeRecord> records;
        for (const uint32_t neId : db_.NeIds()) {
            const CSimNe& ne = *db_.FindNe(neId);
            NeFwUpgradeRecord rec = lastUpgrades_[neId];
            rec.neId = neId;
            rec.fwVersion = RunningVersion(ne).substr(0, kNeFwVersionWidth - 1);
            rec.loginUser = ne.Key().ftpUser;
            rec.loginPassword = ne.Key().ftpPassword;
            records.push_back(rec);
        }
        return RecordsReply(records);
    }
    NeFwUpgradeRecord report;
    if (!FirstRecord(request, &report))
        return Failure({kDrvInvalidParameter, {}});
    const uint32_t neId = request.header.neId;
    if (db_.FindNe(neId) == nullptr)
        return Failure(Refused(kSimNoSuchNe));
    NeFwUpgradeRecord& rec = lastUpgrades_[neId];
    rec.neId = neId;
    rec.lastResult = report.lastResult;
    rec.lastFile = report.lastFile;
    rec.lastTime = report.lastTime;
    return RecordsReply(std::vector<NeFwUpgradeRecord>{rec});
}

SimFirmwareReply CSimFirmware::BootPartition(const Frame& request)
{
    const uint32_t neId = request.header.neId;
    if (db_.FindNe(neId) == nullptr)
        return Failure(Refused(kSimNoSuchNe));
    BootPartitionRecord& partitions =
        partitions_.try_emplace(neId, BootPartitionRecord{kRunningPartition, kRunningPartition}).first->second;
    if (request.header.operation == kEmsOpModify) {
        BootPartitionRecord written;
        if (!FirstRecord(request, &written))
            return Failure({kDrvInvalidParameter, {}});
        if (written.next != 1 && written.next != 2)
            return Failure(Refused("No such boot partition"));
        partitions.next = written.next; // the partition running now stays
    }
    return RecordsReply(std::vector<BootPartitionRecord>{partitions});
}

SimFirmwareReply CSimFirmware::NeBackupRestore(const Frame& request)
{
    const uint32_t neId = request.header.neId;
    BackupRecord wanted;
    if (!FirstRecord(request, &wanted))
        return Failure({kDrvInvalidParameter, {}});
    if (db_.FindNe(neId) == nullptr)
        return Failure(Refused(kSimNoSuchNe));
    const GenericReply kept = db_.Generic().Handle(kReqNeBackup, kEmsOpQuery, neId, nullptr, 0, 0);
    for (uint32_t i = 0; i < kept.count; ++i) {
        BackupRecord backup;
        if (DecodeRecord(kept.records.data() + static_cast<size_t>(i) * kept.recordSize, kept.recordSize, &backup) &&
            backup.name == wanted.name)
            return RecordsReply(std::vector<BackupRecord>{backup});
    }
    return Failure(Refused("No such backup file"));
}
