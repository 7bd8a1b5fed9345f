#pragma once
// CliPromptRec (22 bytes): the NE's command line prompts. Request 902 carries both prompts of an NE with a master and
// a slave control module; request 901 carries the one prompt of an NE with one control module in the first text and
// leaves the second unused.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kCliPromptRecSize = 22;
inline constexpr size_t kCliPromptWidth = 11;

struct CliPromptRec {
    std::string masterPrompt; // at most 10 characters
    std::string slavePrompt;  // at most 10 characters
    bool operator==(const CliPromptRec&) const = default;
};

template <> struct RecordTable<CliPromptRec> {
    using R = CliPromptRec;
    static constexpr const char* kName = "CliPromptRec";
    static constexpr uint32_t kSize = kCliPromptRecSize;
    static constexpr RecordField kFields[] = {
        Text<&R::masterPrompt>("masterPrompt", 0, kCliPromptWidth).Column(1, kColumnWritable),
        Text<&R::slavePrompt>("slavePrompt", 11, kCliPromptWidth).Column(2, kColumnWritable),
    };
};
