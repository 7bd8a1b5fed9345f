#include "sim/server/sim_db_backups.h"

#include <algorithm>

#include "core/util/names.h"
#include "link/records/request_codes.h"

namespace {

constexpr char kNoSuchBackup[] = "No such backup file";

uint32_t SizeOf(const CSimDatabase& database)
{
    return static_cast<uint32_t>(std::min<size_t>(database.StoredBytes(), UINT32_MAX));
}

} // namespace

void CSimDbBackups::TakeSeeded()
{
    const std::vector<std::vector<uint8_t>> seeded = db_.Generic().KeptRecords(kReqDbBackup, 0);
    if (seeded.empty())
        return;
    db_.Generic().ReplaceRecords(kReqDbBackup, 0, kRecordSize<BackupRecord>, {});
    for (const std::vector<uint8_t>& bytes : seeded) {
        BackupRecord rec;
        if (!DecodeRecord(bytes.data(), bytes.size(), &rec))
            continue;
        // A size the scenario gives stands, so that a list shows it; otherwise that of the copy.
        const uint32_t size = rec.fileSize != 0 ? rec.fileSize : SizeOf(db_);
        backups_.insert_or_assign(rec.name, Backup{db_, size});
    }
}

std::vector<BackupRecord> CSimDbBackups::List() const
{
    std::vector<BackupRecord> list;
    for (const auto& [name, backup] : backups_)
        list.push_back({name, backup.size});
    return list;
}

SimResult CSimDbBackups::Make(const std::string& name, BackupRecord* made)
{
    if (name.empty() || !std::all_of(name.begin(), name.end(), IsValidNameChar))
        return Refused("Invalid backup file name");
    if (name.starts_with(kSimAutomaticBackupPrefix))
        return Refused("Backup file name is reserved");
    if (backups_.contains(name))
        return Refused("Backup file already exists");
    const uint32_t size = SizeOf(db_);
    backups_.emplace(name, Backup{db_, size});
    *made = {name, size};
    return {};
}

SimResult CSimDbBackups::Delete(const std::string& name, BackupRecord* removed)
{
    const auto found = backups_.find(name);
    if (found == backups_.end())
        return Refused(kNoSuchBackup);
    *removed = {name, found->second.size};
    backups_.erase(found);
    return {};
}

SimResult CSimDbBackups::Restore(const std::string& name, BackupRecord* restored)
{
    const auto found = backups_.find(name);
    if (found == backups_.end())
        return Refused(kNoSuchBackup);
    db_ = found->second.copy;
    *restored = {name, found->second.size};
    return {};
}
