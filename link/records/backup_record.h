#pragma once
// BackupRecord (72 bytes): one backup file that the management server keeps, named by its file name. Requests 41 to 44
// list, make, delete and restore the backups of the NE the request names; requests 45 to 48 do the same for the
// server's own database, whose backups also carry their size. A list query sends a record of zeros. Names that begin
// with "AUTOBK-" are the server's automatic backups.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kBackupRecordSize = 72;
inline constexpr size_t kBackupNameWidth = 61;

struct BackupRecord {
    std::string name;      // at most 60 characters
    uint32_t fileSize = 0; // bytes; database backups only, 0 for NE backups
    bool operator==(const BackupRecord&) const = default;
};

template <> struct RecordTable<BackupRecord> {
    using R = BackupRecord;
    static constexpr const char* kName = "BackupRecord";
    static constexpr uint32_t kSize = kBackupRecordSize;
    static constexpr RecordField kFields[] = {
        Reserved(0, 4),
        Text<&R::name>("name", 4, kBackupNameWidth).Key(),
        Reserved(65, 3),
        U32<&R::fileSize>("fileSize", 68),
    };
};
