// The body of the logon request (code 11) as the management server receives it: the driver replaces the caller's
// 1-byte record by this 24-byte record.
#pragma once

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kLogonRecSize = 24;
inline constexpr size_t kLogonNameSize = 11;   // 10 characters and the terminating zero
inline constexpr size_t kLogonDigestSize = 11; // the first 10 lower-case hex digits of the password's MD5

struct LogonRec {
    std::string userName;
    std::string passwordDigest;
    uint16_t trapPort = 0; // the UDP port notifications go to; 0 = none

    bool operator==(const LogonRec&) const = default;
};

template <> struct RecordTable<LogonRec> {
    using R = LogonRec;
    static constexpr const char* kName = "LogonRec";
    static constexpr uint32_t kSize = kLogonRecSize;
    static constexpr RecordField kFields[] = {
        Text<&R::userName>("userName", 0, kLogonNameSize),
        Text<&R::passwordDigest>("passwordDigest", 11, kLogonDigestSize).Secret(),
        U16<&R::trapPort>("trapPort", 22),
    };
};

// The server's reading of a logon, stricter than DecodeRecord: false unless `size` is exactly the record's, and a
// text ends at its first zero or, at the latest, where its terminating zero belongs.
bool DecodeLogonRec(const uint8_t* data, size_t size, LogonRec& rec);
