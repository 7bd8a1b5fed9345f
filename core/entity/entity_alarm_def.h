#pragma once
// One alarm definition of an entity model, as the alarm definition file writes it:
// "name,severity,service-affecting,reporting,suppression mask,text".

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct CEntityAlarmDef {
    static constexpr size_t kMaxNameLength = 17;
    static constexpr size_t kMaxTextLength = 80;

    uint32_t defined = 0;          // > 0 when in use
    std::string name;              // 1..kMaxNameLength characters, no comma
    std::string text;              // at most kMaxTextLength characters
    uint32_t severity = 0;         // 1 critical .. 5 info, 0 none; kept as written
    uint32_t serviceAffecting = 0; // service-affecting code
    uint32_t reporting = 1;        // 1 = reported
    uint32_t suppressionMask = 0;  // bit i: suppressed by alarm i of the same model

    bool operator==(const CEntityAlarmDef&) const = default;
};

// Parses one entry. An empty name gives an undefined entry (true, defined 0). Empty or missing fields take their
// defaults; the text is the rest after the fifth comma. Over-long name or text is cut, with a note in *notes. False
// (entry left undefined, *reason set) when a number field is not a number.
bool ParseEntityAlarmDef(std::string_view value, CEntityAlarmDef& out, std::string* reason,
                         std::vector<std::string>* notes);
