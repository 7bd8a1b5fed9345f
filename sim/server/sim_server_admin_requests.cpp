// What the simulated server answers about itself: its clock, which the operator may set (it then runs on from the
// time set, as far from the machine's clock as it was set, and every NE's clock is set with it), the free memory and
// processor load of the machine it runs on, and the backups of its database.

#include "link/records/backup_record.h"
#include "link/records/server_resource_record.h"
#include "link/records/word_record.h"
#include "sim/server/sim_frame_records.h"
#include "sim/server/sim_request_handler.h"

uint32_t CSimRequestHandler::ServerNow(uint32_t machineNow) const
{
    return static_cast<uint32_t>(static_cast<int64_t>(machineNow) + clockOffset_);
}

void CSimRequestHandler::ServerAdmin(Handled& out, const Frame& request, uint32_t now)
{
    const FrameHeader& header = request.header;
    if (header.requestCode == kReqServerTime) {
        if (IsQuery(request)) {
            ReplyRecords(out, header, std::vector<WordRecord>{{now}}, 1);
            return;
        }
        WordRecord written;
        if (RecordsOf(request, kWordRecordSize) != 1 ||
            !DecodeRecord(RecordAt(request, 0), kWordRecordSize, &written)) {
            Reply(out, header, kDrvInvalidParameter);
            return;
        }
        clockOffset_ += static_cast<int64_t>(written.value) - now;
        db_.NeClocks().SynchronizeAll();
        ReplyRecords(out, header, std::vector<WordRecord>{written}, 1);
        return;
    }
    if (header.requestCode == kReqServerResource) {
        ReplyRecords(out, header, std::vector<ServerResourceRecord>{hostLoad_.Report()}, 1);
        return;
    }
    if (header.requestCode == kReqDbBackup && IsQuery(request)) {
        const std::vector<BackupRecord> list = dbBackups_.List();
        ReplyRecords(out, header, list, static_cast<uint32_t>(list.size()));
        return;
    }
    BackupRecord named;
    if (!IsModify(request) || RecordsOf(request, kBackupRecordSize) != 1 ||
        !DecodeRecord(RecordAt(request, 0), kBackupRecordSize, &named)) {
        Reply(out, header, kDrvInvalidParameter);
        return;
    }
    BackupRecord result;
    SimResult done;
    switch (header.requestCode) {
    case kReqDbBackupAdd:
        done = dbBackups_.Make(named.name, &result);
        break;
    case kReqDbBackupDelete:
        done = dbBackups_.Delete(named.name, &result);
        break;
    case kReqDbBackupRestore:
        done = dbBackups_.Restore(named.name, &result);
        break;
    default:
        done = Unreadable(kDrvInvalidParameter); // a backup is made, deleted or restored, not changed
        break;
    }
    if (!done.Ok()) {
        Reply(out, header, done);
        return;
    }
    ReplyRecords(out, header, std::vector<BackupRecord>{result}, 1);
}
