#include "core/entity/entity_alarm_def.h"

#include "core/entity/definition_text.h"

#include <array>
#include <limits>
#include <optional>

namespace {

// An empty field takes the default; a field that is not a u32 number fails.
std::optional<uint32_t> Field(std::string_view text, uint32_t fallback, bool hex)
{
    if (TrimDefinitionText(text).empty())
        return fallback;
    auto value = ParseDefinitionNumber(text, hex);
    if (!value || *value > std::numeric_limits<uint32_t>::max())
        return std::nullopt;
    return static_cast<uint32_t>(*value);
}

} // namespace

bool ParseEntityAlarmDef(std::string_view value, CEntityAlarmDef& out, std::string* reason,
                         std::vector<std::string>* notes)
{
    out = CEntityAlarmDef();
    // name, severity, service-affecting, reporting, mask; the text is all that follows the fifth comma.
    std::array<std::string_view, 5> fields{};
    std::string_view text;
    std::string_view rest = value;
    for (size_t i = 0; i < fields.size(); ++i) {
        const size_t comma = rest.find(',');
        fields[i] = rest.substr(0, comma);
        if (comma == std::string_view::npos) {
            rest = {};
            break;
        }
        rest.remove_prefix(comma + 1);
        if (i + 1 == fields.size())
            text = rest;
    }
    const std::string_view name = TrimDefinitionText(fields[0]);
    if (name.empty())
        return true;

    const auto severity = Field(fields[1], 0, false);
    const auto serviceAffecting = Field(fields[2], 0, false);
    const auto reporting = Field(fields[3], 1, false);
    const auto mask = Field(fields[4], 0, true);
    const char* bad = !severity           ? "severity is not a number"
                      : !serviceAffecting ? "service-affecting code is not a number"
                      : !reporting        ? "reporting is not a number"
                      : !mask             ? "suppression mask is not a hexadecimal number"
                                          : nullptr;
    if (bad) {
        if (reason)
            *reason = bad;
        return false;
    }
    out.defined = 1;
    out.name = std::string(name.substr(0, CEntityAlarmDef::kMaxNameLength));
    if (name.size() > CEntityAlarmDef::kMaxNameLength && notes)
        notes->push_back("name cut to " + std::to_string(CEntityAlarmDef::kMaxNameLength) + " characters");
    text = TrimDefinitionText(text);
    out.text = std::string(text.substr(0, CEntityAlarmDef::kMaxTextLength));
    if (text.size() > CEntityAlarmDef::kMaxTextLength && notes)
        notes->push_back("text cut to " + std::to_string(CEntityAlarmDef::kMaxTextLength) + " characters");
    out.severity = *severity;
    out.serviceAffecting = *serviceAffecting;
    out.reporting = *reporting;
    out.suppressionMask = *mask;
    return true;
}
