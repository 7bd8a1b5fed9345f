#include "ui/shell/frame/text_colors.h"

#include "core/config/ini_readers.h"
#include "core/entity/entity_model_set.h"
#include "core/tables/ne_record.h"
#include "core/util/severity.h"
#include "ui/shell/frame/main_menu_cases.h"

namespace {

COLORREF Read(const CIniFile& ini, const char* key, COLORREF defaultValue)
{
    return ReadIniColor("TEXTCOLOR", key, defaultValue, ini);
}

} // namespace

TextColorTable LoadTextColors(const CIniFile& ini)
{
    TextColorTable t;
    t.colorDef = Read(ini, "COLOR_DEF", 0);
    t.selectedBk = Read(ini, "SELECTED_BK", 0xF0EEE1);

    t.locDef = Read(ini, "LOC_DEF", t.colorDef);
    t.locCr = Read(ini, "LOC_CR", t.locDef);
    t.locMj = Read(ini, "LOC_MJ", t.locDef);
    t.locMn = Read(ini, "LOC_MN", t.locDef);
    t.locWn = Read(ini, "LOC_WN", t.locDef);
    t.locIf = Read(ini, "LOC_IF", t.locDef);

    t.neDef = Read(ini, "NE_DEF", t.colorDef);
    t.neCr = Read(ini, "NE_CR", t.neDef);
    t.neMj = Read(ini, "NE_MJ", t.neDef);
    t.neMn = Read(ini, "NE_MN", t.neDef);
    t.neWn = Read(ini, "NE_WN", t.neDef);
    t.neIf = Read(ini, "NE_IF", t.neDef);
    t.neDisconn = Read(ini, "NE_DISCONN", t.neDef);
    t.neMismatch = Read(ini, "NE_MISMATCH", t.neDef);
    t.nePlan = Read(ini, "NE_PLAN", t.neDef);
    t.nePlanDisconn = Read(ini, "NE_PLAN_DISCONN", t.neDef);

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
    switch (kind) {
    case kTreeKindNe:
        return colors.neDef;
    case kTreeKindNeDisconnected:
        return colors.neDisconn;
    case kTreeKindLocation:
        return colors.locDef;
    case kTreeKindLocation + 1:
        return colors.locCr;
    case kTreeKindLocation + 2:
        return colors.locMj;
    case kTreeKindLocation + 3:
        return colors.locMn;
    case kTreeKindLocation + 4:
        return colors.locWn;
    case kTreeKindLocation + 5:
        return colors.locIf;
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

uint32_t GetNeHighestSeverity(const CNeRecord& ne)
{
    const uint32_t own = ne.GetSeverityAt(1);
    const uint32_t below = ne.root != nullptr ? ne.root->GetSummarySeverity() : 0;
    return CompareSeverity(static_cast<int>(own), static_cast<int>(below)) > 0 ? own : below;
}

COLORREF GetEntityTextColor(const TextColorTable& colors, const CNeRecord* ne)
{
    if (ne == nullptr)
        return colors.colorDef;
    if (FindEntityModel(ne->neModelId) == nullptr)
        return colors.neDisconn;
    const bool connected = IsNeConnected(*ne);
    if (ne->planned == 1)
        return connected ? colors.nePlan : colors.nePlanDisconn;
    if (!connected)
        return colors.neDisconn;
    if (IsNeTypeMismatch(*ne))
        return colors.neMismatch;
    switch (GetNeHighestSeverity(*ne)) {
    case 0:
        return colors.neDef;
    case 1:
        return colors.neCr;
    case 2:
        return colors.neMj;
    case 3:
        return colors.neMn;
    case 4:
        return colors.neWn;
    default:
        return colors.neIf;
    }
}
