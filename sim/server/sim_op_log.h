// The simulated server's operation log: every change a workstation makes, who made it, from where, when, on which NE,
// and what: its function (the record changed), its action and its parameters (the key of the record), as one text
// with the parts separated by ESC. Queries filter by operator, NE and time and take a window of the matches.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "link/records/op_log_record.h"

// The separator of the function, the action and the parameters in an entry's text.
inline constexpr char kOpLogSeparator = '\x1b';

struct SimOpLogChange {
    std::string operatorName;
    std::array<uint8_t, 4> fromIp{};
    uint32_t neId = 0; // 0: the server's own data
    std::string function;
    std::string action;
    std::string parameters;
};

class CSimOpLog {
public:
    // Appends an entry with the next record number.
    void Append(const SimOpLogChange& change, uint32_t time);

    // The number of entries that match the criteria and the NE (0: every NE), oldest first, and the window of them the
    // criteria ask for (first counted from 1; at most `maxRecords`).
    std::pair<uint32_t, std::vector<OpLogRecord>> Query(uint32_t neId, const OpLogCriteria& criteria,
                                                        uint32_t maxRecords) const;

    size_t Size() const { return entries_.size(); }

    // A made-up history of `count` changes by the operators on the NEs (an empty list: the server's own data), one
    // every few minutes up to `now`.
    void Generate(uint32_t count, const std::vector<std::string>& operators, const std::vector<uint32_t>& neIds,
                  uint32_t now);

private:
    std::vector<OpLogRecord> entries_;
};

// What a change of `code` with its first record (`recordSize` bytes at `record`, none when 0) does, for its log
// entry: the function is the record changed, the action the code's part in its family, the parameters the record's
// key fields as "name=value".
void DescribeChange(uint16_t code, const uint8_t* record, uint32_t recordSize, SimOpLogChange* change);

// The text of a change as the log keeps it, cut to what its field holds.
std::string OpLogText(const std::string& function, const std::string& action, const std::string& parameters);
