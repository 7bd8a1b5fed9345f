#pragma once
// What a scenario section that gives a record is called: the NE the record belongs to (none for the peer's own
// records), the record's table name (RecordTable<Rec>::kName) and a label that tells sections of one record apart.
//
//     [LocationRecord.2]        a record of the server's own
//     [NE1.AlarmTriggerRec.3]   a record of NE 1
//     [NE1.NeTimeRecord]        a setting needs no label
//
// The peer finds the record in the request catalogue by that name and reads the section's keys as its fields
// (CScenarioSection::Record).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/records/request_catalogue.h"

struct RecordSectionName {
    uint32_t neId = 0; // 0: the peer's own
    std::string record;
    std::string label;
};

// Nullopt for a name with an empty part or an NE prefix without a number above 0.
std::optional<RecordSectionName> SplitRecordSectionName(std::string_view name);

// The catalogue entries whose record has that table name (names compare as in the file, without regard to case).
// With `direct`, the record the entry carries in direct mode.
std::vector<const RequestSpec*> CatalogueEntriesOf(std::string_view recordName, bool direct);
