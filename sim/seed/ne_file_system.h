#pragma once
// The flash file system of a simulated NE, as both peers keep it: three partitions (1 opCodeA and 2 opCodeB for
// the firmware images, 3 cfg for configurations) with their files, and the copy of a firmware file from one image
// partition to another, on the master control module or, on an NE that has one, the slave. A copy takes its time:
// the NE reports it in progress (state 2) until the file's bytes have been copied at the NE's copy rate, then the
// final state. The file "mac.cfg" of the cfg partition holds the NE's MAC addresses and is never deleted.
//
//     CNeFileSystem fs;                                    // the default files
//     std::string why;
//     fs.StartCopy({1, "ipd-2.4.1.bin", 2, "ipd-2.4.1.bin", 1, 0}, nowMs, &why);
//     fs.CopyState(nowMs).state;                           // 2 while it copies, 1 once done

#include "link/records/ne_fs_copy_record.h"
#include "link/records/ne_fs_file_record.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline constexpr uint16_t kNeFsOpCodeA = 1;
inline constexpr uint16_t kNeFsOpCodeB = 2;
inline constexpr uint16_t kNeFsConfig = 3;
inline constexpr uint32_t kNeFsMasterModule = 1;
inline constexpr uint32_t kNeFsSlaveModule = 2;

// Copy states as the NE reports them.
inline constexpr uint32_t kNeFsCopyDone = 1;
inline constexpr uint32_t kNeFsCopyInProgress = 2;
inline constexpr uint32_t kNeFsCopyCannotTransfer = 3;
inline constexpr uint32_t kNeFsCopyCannotCopy = 4;
inline constexpr uint32_t kNeFsCopyNoSourceFile = 5;
inline constexpr uint32_t kNeFsCopyInternalError = 6;

inline constexpr char kNeFsMacFile[] = "mac.cfg";

class CNeFileSystem {
public:
    // Bytes a copy moves in a second.
    static constexpr uint64_t kCopyBytesPerSecond = 4 * 1024 * 1024;

    CNeFileSystem();

    // An NE with a slave control module takes copies to it.
    void SetSlaveModule(bool present) { slaveModule_ = present; }
    bool HasSlaveModule() const { return slaveModule_; }

    // The files by partition, then name.
    const std::vector<NeFsFileRecord>& Files() const { return files_; }
    // Replaces every file (a scenario's, as it gives them).
    void SetFiles(std::vector<NeFsFileRecord> files);
    // Counts every change of the files, so that a peer showing them knows when to show them anew.
    uint32_t Version() const { return version_; }

    // False with the reason when the file does not exist or is the protected one.
    bool Delete(uint16_t partition, const std::string& name, std::string* why);
    // Empties a partition; the protected file stays. False for a partition that does not exist.
    bool Format(uint32_t partition, std::string* why);

    // Starts a copy; false with the reason while another runs. A copy that cannot be done starts and ends at once
    // with the state that says why.
    bool StartCopy(const NeFsCopyRecord& copy, uint64_t nowMs, std::string* why);
    bool HasCopy() const { return job_.has_value(); }
    // The last copy as it stands now, its state at offset 84: in progress, its final state, or 0 when no copy was
    // ever started. A copy that has ended leaves its file.
    NeFsCopyRecord CopyState(uint64_t nowMs);

private:
    struct CopyJob {
        NeFsCopyRecord copy;
        uint64_t endMs = 0;
        int32_t size = 0;
        uint32_t finalState = kNeFsCopyDone;
    };

    const NeFsFileRecord* Find(uint16_t partition, const std::string& name) const;
    void Put(NeFsFileRecord file);
    void Sort();

    std::vector<NeFsFileRecord> files_;
    std::optional<CopyJob> job_;
    bool slaveModule_ = false;
    uint32_t version_ = 0;
};

// The time of a file as the NE writes it: "YYYY/MM/DD hh:mm:ss", UTC.
std::string FormatNeFileTime(uint64_t nowMs);
