// The simulated server's backups of its own database (requests 45 to 48): each backup is a copy of the whole
// database taken when it was made, under its file name, with the size of the records it holds; a restore makes the
// database that copy again. The backups themselves lie outside the database, so that a restore keeps them all.
//
// A backup a scenario names ([BackupRecord.<label>] with request=45, kept by the generic store while the database
// loads) is a copy of the database as loaded; TakeSeeded moves them here, once the database is loaded. Names that begin
// with "AUTOBK-" are the server's own automatic backups: a workstation cannot make one of that name.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "link/records/backup_record.h"
#include "sim/server/sim_database.h"
#include "sim/server/sim_result.h"

inline constexpr char kSimAutomaticBackupPrefix[] = "AUTOBK-";

class CSimDbBackups {
public:
    explicit CSimDbBackups(CSimDatabase& database) : db_(database) {}

    // The backups the scenario named, as copies of the database as it is now.
    void TakeSeeded();

    // In name order.
    std::vector<BackupRecord> List() const;
    // A manual backup: refused for a name that is taken, empty, not of name characters or of the automatic ones.
    SimResult Make(const std::string& name, BackupRecord* made);
    SimResult Delete(const std::string& name, BackupRecord* removed);
    // The database becomes the backup's copy; the backups stay as they are.
    SimResult Restore(const std::string& name, BackupRecord* restored);

private:
    struct Backup {
        CSimDatabase copy;
        uint32_t size = 0;
    };

    CSimDatabase& db_;
    std::map<std::string, Backup> backups_;
};
