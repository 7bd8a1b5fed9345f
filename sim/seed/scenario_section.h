#pragma once
// One section of a simulated peer's scenario file, read key by key. Values are checked as the record fields that take
// them (a text fits its field with the terminating zero, a number the range of its type, an address is dotted IPv4),
// and the first failure is kept as "file:line: [section] key: why".
//
// A section that gives a whole record names the record's fields as keys, as they are in its field table:
//
//     [NE1.AlarmTriggerRec.2]
//     neId=1
//     modelId=30
//     alarmMask=0x3
//     email=noc@example.net
//
// A field of a record inside the record is named after both, "upstreamSnr.maximum=310".
//
//     CScenarioSection section(ini, ini.Sections()[i], path);
//     std::vector<uint8_t> record = section.Record(kRecordLayout<AlarmTriggerRec>);
//     if (!section.Ok())
//         return Refuse(section.Error());

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/ini/ini_file.h"
#include "link/records/record_layout.h"

class CScenarioSection {
public:
    CScenarioSection(const CIniFile& ini, const CIniFile::Section& section, const std::string& file);

    bool Ok() const { return error_.empty(); }
    const std::string& Error() const { return error_; }
    const std::string& Name() const { return section_.name; }
    // "line N [section]", for failures found after the file was read (whose messages name the file).
    std::string Origin() const;

    // The value of a key, or null when the section does not give it.
    const std::string* Find(std::string_view key) const;

    // A text for a field of `width` bytes: at most width - 1 bytes of UTF-8. The fallback when the key is absent.
    std::string Text(std::string_view key, size_t width, const std::string& fallback = {});
    // A number low..high, decimal or 0x hex. The fallback when the key is absent or empty.
    int64_t Number(std::string_view key, int64_t fallback, int64_t low, int64_t high);

    // The record of `layout` that the section gives: each key is a field of the table, or one of `ownKeys`, which
    // the caller reads itself. Fields the section does not give are zero.
    std::vector<uint8_t> Record(const RecordLayout& layout, std::initializer_list<std::string_view> ownKeys = {});

    // Keeps the first failure; an empty key blames the section itself.
    void Fail(std::string_view key, const std::string& why);

private:
    void PutField(const RecordField& field, const CIniFile::Entry& entry, uint8_t* at);
    bool ParseNumber(const CIniFile::Entry& entry, int64_t low, int64_t high, int64_t* number);

    const CIniFile& ini_;
    const CIniFile::Section& section_;
    const std::string& file_;
    std::string error_;
};
