#include "features/performance/rate_status/adsl_rate_status_rows.h"

#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

#include <QStringList>

#include <cstdio>

namespace {

constexpr uint32_t kAutomatic = 1;
constexpr uint32_t kUnknownStandard = 24;
constexpr int kUnknownPowerState = 4;

enum Row {
    kCurrentRate,
    kPreviousRate,
    kAttainableRate,
    kSnrMargin,
    kAttenuation,
    kOutputPower,
    kInterleaveDelay,
    kBlockLength,
    kLineStandard,
    kPowerMgmtMode,
    kPowerState,
    kCurrentInp,
};

std::string Format(const char* format, double value)
{
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Kbps(uint32_t bitsPerSecond)
{
    return std::to_string(bitsPerSecond / 1000);
}

std::string Item(uint32_t stringId, uint32_t index)
{
    const QStringList items = LoadQString(stringId).split('|');
    return index < static_cast<uint32_t>(items.size()) ? items[static_cast<int>(index)].toStdString() : std::string();
}

std::string PowerStateName(uint32_t state)
{
    return Item(kStrPowerStates, state <= kAdslPowerL3ByCpe ? state : kUnknownPowerState);
}

} // namespace

std::string LineStandardName(uint32_t code)
{
    return Item(kStrLineStandards, code < kUnknownStandard ? code : kUnknownStandard);
}

AdslRateStatusView ViewOfRateStatus(const AdslRateStatusRec& rec)
{
    AdslRateStatusView view;
    auto& rows = view.rows;
    rows[kCurrentRate] = {Kbps(rec.downCurrentRate), Kbps(rec.upCurrentRate)};
    rows[kPreviousRate] = {Kbps(rec.downPreviousRate), Kbps(rec.upPreviousRate)};
    rows[kAttainableRate] = {Kbps(rec.downAttainableRate), Kbps(rec.upAttainableRate)};
    rows[kSnrMargin] = {Format("%5.1f", rec.downSnrMargin * 0.1), Format("%5.1f", rec.upSnrMargin * 0.1)};
    rows[kAttenuation] = {Format("%4.1f", rec.downAttenuation * 0.1), Format("%4.1f", rec.upAttenuation * 0.1)};
    rows[kOutputPower] = {Format("%5.1f", rec.downOutputPower * 0.1), Format("%5.1f", rec.upOutputPower * 0.1)};
    rows[kInterleaveDelay] = {std::to_string(rec.downInterleaveDelay), std::to_string(rec.upInterleaveDelay)};
    rows[kBlockLength] = {std::to_string(rec.downBlockLength), std::to_string(rec.upBlockLength)};
    rows[kLineStandard] = {rec.lineStandardValid == 1 ? LineStandardName(rec.lineStandard) : "--", "--"};
    rows[kPowerMgmtMode] = {LoadString(rec.powerMgmtMode == kAutomatic ? kStrPowerMgmtAutomatic : kStrPowerMgmtManual),
                            "--"};
    rows[kPowerState] = {PowerStateName(rec.powerState), "--"};
    // The protection is a signed number: a negative one shows as such.
    rows[kCurrentInp] = {std::to_string(rec.downInp), std::to_string(rec.upInp)};

    const bool manual = rec.powerMgmtMode != kAutomatic;
    const bool carries = rec.downCurrentRate != 0;
    switch (rec.powerState) {
    case kAdslPowerL0:
        view.toL0 = view.toL2 = view.toL3 = manual && carries;
        break;
    case kAdslPowerL2:
        view.toL0 = view.toL3 = manual && carries;
        break;
    case kAdslPowerL3ByCo:
        view.toL0 = manual;
        rows[kLineStandard].downstream = LineStandardName(kUnknownStandard);
        break;
    case kAdslPowerL3ByCpe:
        rows[kLineStandard].downstream = LineStandardName(kUnknownStandard);
        break;
    default:
        break;
    }
    return view;
}
