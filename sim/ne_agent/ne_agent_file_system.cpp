// The simulated NE's file system behind its private tables: the file table (R.361) shows the files, a write of a
// file's action column with 1 deletes it, the scalar R.360.0.1 formats the partition written to it and the scalar
// group R.362.0 starts a copy when written and tells the copy's state when read.

#include "sim/ne_agent/ne_agent_mib.h"

#include "core/entity/entity_type_ids.h"
#include "link/records/request_codes.h"
#include "link/records/word_record.h"

#include <chrono>

namespace {

constexpr uint16_t kDeleteAction = 1;

uint64_t NowMs()
{
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
            .count());
}

template <typename Rec> bool Decode(const std::vector<uint8_t>& bytes, Rec* rec)
{
    return DecodeRecord(bytes.data(), bytes.size(), rec);
}

} // namespace

void CNeAgentMib::BuildFileSystem()
{
    fileSystem_.SetSlaveModule(neModel_ != kNeModelOneControlModule);
    // A scenario's files replace the defaults.
    std::vector<NeFsFileRecord> files;
    for (const auto& [index, record] : tables_[kReqNeFsFile].rows) {
        NeFsFileRecord file;
        if (Decode(record, &file))
            files.push_back(file);
    }
    if (!files.empty())
        fileSystem_.SetFiles(std::move(files));
    fileSystemShown_ = fileSystem_.Version() + 1;
    ShowFileSystem();
}

void CNeAgentMib::ShowFileSystem()
{
    // Before the first copy the state reads as the NE was given it.
    if (fileSystem_.HasCopy()) {
        const auto state = EncodeRecord(fileSystem_.CopyState(NowMs()));
        scalarRecords_[kReqNeFsCopy].assign(state.begin(), state.end());
    }
    if (fileSystemShown_ == fileSystem_.Version())
        return;
    Table& table = tables_[kReqNeFsFile];
    while (!table.rows.empty())
        RemoveRow(kReqNeFsFile, table.rows.begin()->first);
    for (const NeFsFileRecord& file : fileSystem_.Files()) {
        const auto bytes = EncodeRecord(file);
        AddRow(kReqNeFsFile, {bytes.begin(), bytes.end()});
    }
    fileSystemShown_ = fileSystem_.Version();
}

int32_t CNeAgentMib::CheckFileSystemWrites(
    const std::map<uint16_t, std::map<CSnmpOid, std::optional<std::vector<uint8_t>>>>& rows,
    const std::map<uint16_t, std::vector<uint8_t>>& scalars) const
{
    if (const auto files = rows.find(kReqNeFsFile); files != rows.end()) {
        for (const auto& [index, record] : files->second) {
            NeFsFileRecord file;
            if (!record || !Decode(*record, &file))
                return kSnmpNoCreation; // files come by copies, not by rows
            if (file.action != kDeleteAction || (file.partition == kNeFsConfig && file.name == kNeFsMacFile))
                return kSnmpWrongValue;
        }
    }
    if (const auto format = scalars.find(kReqNeFsFormat); format != scalars.end()) {
        WordRecord partition;
        if (!Decode(format->second, &partition) || partition.value < kNeFsOpCodeA || partition.value > kNeFsConfig)
            return kSnmpWrongValue;
    }
    if (scalars.count(kReqNeFsCopy) != 0) {
        NeFsCopyRecord running;
        const auto shown = scalarRecords_.find(kReqNeFsCopy);
        if (shown != scalarRecords_.end() && Decode(shown->second, &running) && running.state == kNeFsCopyInProgress)
            return kSnmpResourceUnavailable;
    }
    return kSnmpNoError;
}

void CNeAgentMib::ApplyFileSystemWrites(
    const std::map<uint16_t, std::map<CSnmpOid, std::optional<std::vector<uint8_t>>>>& rows,
    const std::map<uint16_t, std::vector<uint8_t>>& scalars)
{
    std::string why;
    if (const auto files = rows.find(kReqNeFsFile); files != rows.end()) {
        for (const auto& [index, record] : files->second) {
            NeFsFileRecord file;
            if (record && Decode(*record, &file))
                fileSystem_.Delete(file.partition, file.name, &why);
        }
    }
    if (const auto format = scalars.find(kReqNeFsFormat); format != scalars.end()) {
        WordRecord partition;
        if (Decode(format->second, &partition))
            fileSystem_.Format(partition.value, &why);
    }
    if (const auto copy = scalars.find(kReqNeFsCopy); copy != scalars.end()) {
        NeFsCopyRecord start;
        if (Decode(copy->second, &start))
            fileSystem_.StartCopy(start, NowMs(), &why);
    }
    // The rows written (a deleted file's action) show what the file system holds now.
    fileSystemShown_ = fileSystem_.Version() + 1;
    ShowFileSystem();
}
