#pragma once
// CommandRecord (1024 bytes, request 2): one free command line that the management server runs on the NE the request
// names. The server answers success or failure only.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kCommandRecordSize = 1024;

struct CommandRecord {
    std::string command; // at most 1023 characters
    bool operator==(const CommandRecord&) const = default;
};

template <> struct RecordTable<CommandRecord> {
    using R = CommandRecord;
    static constexpr const char* kName = "CommandRecord";
    static constexpr uint32_t kSize = kCommandRecordSize;
    static constexpr RecordField kFields[] = {
        Text<&R::command>("command", 0, kCommandRecordSize),
    };
};
