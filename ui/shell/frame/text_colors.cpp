#include "ui/shell/frame/text_colors.h"

#include "core/config/ini_readers.h"
#include "core/entity/entity_model_set.h"
#include "core/tables/ne_record.h"
#include "core/util/severity.h"
#include "ui/shell/frame/main_menu_cases.h"

#include <array>
#include <string>

namespace {

COLORREF Read(const CIniFile& ini, const char* key, COLORREF defaultValue)
{
    return ReadIniColor("TEXTCOLOR", key, defaultValue, ini);
}

// A group's keys by severity, from its default key (LOC_DEF) to info (LOC_IF); each severity defaults to the group's
// default.
SeverityColors ReadSeverities(const CIniFile& ini, const std::string& group, COLORREF defaultValue)
{
    static constexpr std::array<const char*, 6> kSuffixes = {"_DEF", "_CR", "_MJ", "_MN", "_WN", "_IF"};
    SeverityColors colors{};
    colors[0] = Read(ini, (group + kSuffixes[0]).c_str(), defaultValue);
    for (size_t severity = 1; severity < colors.size(); ++severity)
        colors[severity] = Read(ini, (group + kSuffixes[severity]).c_str(), colors[0]);
    return colors;
}

} // namespace

TextColorTable LoadTextColors(const CIniFile& ini)
{
    TextColorTable t;
    t.colorDef = Read(ini, "COLOR_DEF", 0);
    t.selectedBk = Read(ini, "SELECTED_BK", 0xF0EEE1);

    t.loc = ReadSeverities(ini, "LOC", t.colorDef);
    t.ne = ReadSeverities(ini, "NE", t.colorDef);
    t.neDisconn = Read(ini, "NE_DISCONN", t.ne[0]);
    t.neMismatch = Read(ini, "NE_MISMATCH", t.ne[0]);
    t.nePlan = Read(ini, "NE_PLAN", t.ne[0]);
    t.nePlanDisconn = Read(ini, "NE_PLAN_DISCONN", t.ne[0]);

    t.acctDef = Read(ini, "ACCT_DEF", t.colorDef);
    t.acctAdmin = Read(ini, "ACCT_ADMIN", t.acctDef);
    t.acctManager = Read(ini, "ACCT_MANAGER", t.acctDef);
    t.acctUser = Read(ini, "ACCT_USER", t.acctDef);
    t.acctUnknown = Read(ini, "ACCT_UNKNOWN", t.acctDef);

    t.locNes = Read(ini, "LOC_NEs", t.colorDef);
    t.locAccts = Read(ini, "LOC_ACCTs", t.colorDef);
    return t;
}

COLORREF GetTreeTextColor(const TextColorTable& colors, int kind)
{
    if (kind >= kTreeKindLocation && kind <= kTreeKindLocation + 5)
        return ColorOfSeverity(colors.loc, kind - kTreeKindLocation);
    switch (kind) {
    case kTreeKindNe:
        return colors.ne[0];
    case kTreeKindNeDisconnected:
        return colors.neDisconn;
    case kTreeKindAccounts:
        return colors.locAccts;
    case kTreeKindAdministrator:
        return colors.acctAdmin;
    case kTreeKindAdministrator + 1:
        return colors.acctManager;
    case kTreeKindAdministrator + 2:
        return colors.acctUser;
    case kTreeKindAdministrator + 3:
        return colors.acctUnknown;
    case kTreeKindNes:
        return colors.locNes;
    default:
        return colors.colorDef;
    }
}

COLORREF GetEntityTextColor(const TextColorTable& colors, const CNeRecord* ne)
{
    if (ne == nullptr)
        return colors.colorDef;
    return GetNeTextColorFor(colors, *ne, GetNeHighestSeverity(*ne));
}

COLORREF GetNeTextColorFor(const TextColorTable& colors, const CNeRecord& ne, uint32_t severity)
{
    if (FindEntityModel(ne.neModelId) == nullptr)
        return colors.neDisconn;
    const bool connected = IsNeConnected(ne);
    if (ne.planned == 1)
        return connected ? colors.nePlan : colors.nePlanDisconn;
    if (!connected)
        return colors.neDisconn;
    if (IsNeTypeMismatch(ne))
        return colors.neMismatch;
    return ColorOfSeverity(colors.ne, static_cast<int>(severity));
}
