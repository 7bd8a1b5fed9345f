#include "features/provisioning/pvcs/pvc_conflict_report.h"

#include "core/tables/entity_labels.h"
#include "core/tables/ne_table.h"
#include "features/provisioning/pvcs/pvc_values.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <string_view>
#include <utility>

namespace {

using pvc_rule::Bit;

// The rules that concern a PVC being created only, those that count enabled PVCs only, and the one that concerns
// the last enabled PVC only.
constexpr uint32_t kCreateOnlyRules = Bit(pvc_rule::kPortFull) | Bit(pvc_rule::kNewPvc);
constexpr uint32_t kEnabledOnlyRules =
    Bit(pvc_rule::kEnabledLimits) | Bit(pvc_rule::kCardPairs) | Bit(pvc_rule::kPortChannels) |
    Bit(pvc_rule::kNoIpBase) | Bit(pvc_rule::kCardIpAmount) | Bit(pvc_rule::kMixedModes) |
    Bit(pvc_rule::kDscpPolicing) | Bit(pvc_rule::kVlanMacLimit) | Bit(pvc_rule::kCardMacLimit);
constexpr uint32_t kDisabledOnlyRules = Bit(pvc_rule::kNewPvc) | Bit(pvc_rule::kLastWithChannel);
constexpr uint16_t kConflictsNamed = 3;
// The indent of the lines under the conflict rule.
constexpr char kIndent[] = "               ";

bool Has(uint32_t mask, unsigned bit)
{
    return (mask & Bit(bit)) != 0;
}

// Appends "Error nn: text" with the next number.
class CReportLines {
public:
    void Add(uint32_t textId) { Append(Line(textId)); }
    void Append(const std::string& line) { text_ += line; }
    std::string Line(uint32_t textId)
    {
        char number[16];
        std::snprintf(number, sizeof number, "%2d", ++count_);
        return "Error " + std::string(number) + ": " + LoadString(textId) + "\n";
    }
    const std::string& Text() const { return text_; }

private:
    std::string text_;
    int count_ = 0;
};

// One line under the conflict rule, its parts appended one by one (gcc 12 sees a bound overrun in a chain of +).
std::string IndentedLine(std::initializer_list<std::string_view> parts)
{
    std::string line = kIndent;
    for (std::string_view part : parts)
        line.append(part);
    line += '\n';
    return line;
}

std::string PortText(const CNeRecord* ne, uint32_t portId)
{
    return FormatEntityLocationById(ne, portId, false);
}

} // namespace

std::string BuildPvcConflictReport(uint32_t neId, bool isCreate, bool isEnabled, PvcRuleCheckRec& record)
{
    const CNeRecord* ne = FindNeById(neId);
    if (ne == nullptr)
        return {};
    uint32_t& mask = record.result.errorMask;
    if (!isCreate)
        mask &= ~kCreateOnlyRules;
    mask &= ~(isEnabled ? kDisabledOnlyRules : kEnabledOnlyRules);
    if (mask == 0)
        return {};

    CReportLines report;
    if (Has(mask, pvc_rule::kPortFull) && Has(mask, pvc_rule::kPortPvcs))
        report.Add(kStrPvcPortFull);
    // While this PVC is counted as enabled already the enabled-PVC limits do not hold it back.
    if (!Has(mask, pvc_rule::kEnabledLimits)) {
        if (Has(mask, pvc_rule::kCardPairs))
            report.Add(kStrPvcCardPairsFull);
        if (Has(mask, pvc_rule::kPortChannels))
            report.Add(kStrPvcPortChannelsFull);
    }
    for (const auto& [bit, textId] : std::initializer_list<std::pair<unsigned, uint32_t>>{
             {pvc_rule::kMacBelowFdb, kStrPvcMacBelowFdb},
             {pvc_rule::kIpOverMac, kStrPvcIpOverMacLimit},
             {pvc_rule::kIpOver64, kStrPvcIpOver64},
             {pvc_rule::kRoutedNotStatic, kStrPvcRoutedNotStaticIp},
             {pvc_rule::kBroadcastDropped, kStrPvcBroadcastDropped},
             {pvc_rule::kNoIpBase, kStrPvcNoIpBase},
             {pvc_rule::kCardIpAmount, kStrPvcCardIpAmount},
             {pvc_rule::kLastWithChannel, kStrPvcLastWithChannel},
             {pvc_rule::kMixedModes, kStrPvcMixedModes},
             {pvc_rule::kDscpPolicing, kStrPvcDscpPolicing},
             {pvc_rule::kVlanMacLimit, kStrVlanMacLimitBelowCommitted},
             {pvc_rule::kCardMacLimit, kStrPvcCardMacLimit},
             {pvc_rule::kClientOverMac, kStrPvcClientOverMacLimit},
         }) {
        if (Has(mask, bit))
            report.Add(textId);
    }
    if (Has(mask, pvc_rule::kIpConflict)) {
        const uint16_t count = record.result.conflictCount;
        report.Append(report.Line(kStrPvcStaticIpConflicts) +
                      IndentedLine({"Total conflict PVCs: ", std::to_string(count)}));
        for (uint16_t i = 0; i < std::min(count, kConflictsNamed); ++i) {
            const PvcKeyRec& other = record.result.conflicts[i];
            report.Append(IndentedLine({"line port ", PortText(ne, other.portId), ", PVC ", std::to_string(other.vpi),
                                        "/", std::to_string(other.vci)}));
        }
        if (count > kConflictsNamed)
            report.Append(IndentedLine({"NOTE: There are more conflict PVCs..."}));
    }
    return report.Text();
}

std::optional<std::string> BuildServiceTypeConflictReport(uint32_t neId, const PvcCheckResultRec& result)
{
    if (result.conflictCount == 0)
        return std::nullopt;
    const CNeRecord* ne = FindNeById(neId);
    CReportLines report;
    const PvcKeyRec& first = result.conflicts[0];
    char pvc[32];
    std::snprintf(pvc, sizeof pvc, "PVC%2d/%2d", first.vpi, first.vci);
    report.Append("[Line port " + PortText(ne, first.portId) + ", " + pvc + "]\n");
    for (const auto& [bit, textId] : std::initializer_list<std::pair<unsigned, uint32_t>>{
             {pvc_rule::kIpOverMac, kStrPvcIpOverMacLimit},
             {pvc_rule::kIpOver64, kStrPvcIpOver64},
             {pvc_rule::kRoutedNotStatic, kStrPvcRoutedNotStaticIp},
             {pvc_rule::kBroadcastDropped, kStrPvcBroadcastDropped},
             {pvc_rule::kNoIpBase, kStrPvcNoIpBase},
             {pvc_rule::kDscpPolicing, kStrPvcDscpPolicing},
             {pvc_rule::kClientOverMac, kStrPvcClientOverMacLimit},
         }) {
        if (Has(result.errorMask, bit))
            report.Add(textId);
    }
    return report.Text();
}
