#include "sim/seed/record_section.h"

#include <charconv>

#include "core/ini/ini_file.h"

std::optional<RecordSectionName> SplitRecordSectionName(std::string_view name)
{
    RecordSectionName split;
    const size_t firstDot = name.find('.');
    if (name.size() > 2 && IniNameEquals(name.substr(0, 2), "NE") && firstDot != std::string_view::npos) {
        const std::string_view number = name.substr(2, firstDot - 2);
        const char* end = number.data() + number.size();
        if (auto [ptr, ec] = std::from_chars(number.data(), end, split.neId); ec == std::errc() && ptr == end) {
            if (split.neId == 0)
                return std::nullopt;
            name.remove_prefix(firstDot + 1);
        }
    }
    const size_t dot = name.find('.');
    split.record = std::string(name.substr(0, dot));
    if (dot != std::string_view::npos) {
        split.label = std::string(name.substr(dot + 1));
        if (split.label.empty())
            return std::nullopt;
    }
    if (split.record.empty())
        return std::nullopt;
    return split;
}

std::vector<const RequestSpec*> CatalogueEntriesOf(std::string_view recordName, bool direct)
{
    std::vector<const RequestSpec*> entries;
    for (const RequestSpec& spec : RequestCatalogue()) {
        const RecordLayout* layout = direct && spec.direct.record != nullptr ? spec.direct.record : spec.record;
        if (layout != nullptr && IniNameEquals(layout->name, recordName))
            entries.push_back(&spec);
    }
    return entries;
}
