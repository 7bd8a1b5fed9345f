#pragma once
// NeFwUpgradeRecord (104 bytes, request 301): the firmware state of one NE known to the management server, with the
// outcome of its last upgrade. A query names NE 0, sends a 1-byte body and gets one record per NE; the upgrade job
// reports an NE's result with its record and the NE's id.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kNeFwUpgradeRecordSize = 104;
inline constexpr size_t kNeFwVersionWidth = 21;
inline constexpr size_t kNeFwLoginWidth = 17; // user and password
inline constexpr size_t kNeFwFileNameWidth = 36;

struct NeFwUpgradeRecord {
    uint32_t neId = 0;
    std::string fwVersion;
    std::string loginUser;     // also the FTP user, at most 16 characters
    std::string loginPassword; // also the FTP password, at most 16 characters
    uint32_t lastResult = 0;   // 0 never upgraded, 1 success, 2 failed
    std::string lastFile;      // the remote file name of the last upgrade
    uint32_t lastTime = 0;     // seconds since 1970-01-01 00:00 UTC
    bool operator==(const NeFwUpgradeRecord&) const = default;
};

template <> struct RecordTable<NeFwUpgradeRecord> {
    using R = NeFwUpgradeRecord;
    static constexpr const char* kName = "NeFwUpgradeRecord";
    static constexpr uint32_t kSize = kNeFwUpgradeRecordSize;
    static constexpr RecordField kFields[] = {
        U32<&R::neId>("neId", 0).Key(),
        Text<&R::fwVersion>("fwVersion", 4, kNeFwVersionWidth),
        Text<&R::loginUser>("loginUser", 25, kNeFwLoginWidth),
        Text<&R::loginPassword>("loginPassword", 42, kNeFwLoginWidth).Secret(),
        Reserved(59, 1),
        U32<&R::lastResult>("lastResult", 60),
        Text<&R::lastFile>("lastFile", 64, kNeFwFileNameWidth),
        U32<&R::lastTime>("lastTime", 100),
    };
};
