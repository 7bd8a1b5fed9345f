// The report of a rule check: which broken rules the operator reads for a change, in which order and under which
// numbers, and the PVCs a static IP range conflicts with.

#include "tests/features/provisioning/pvcs/pvc_test_support.h"

#include "features/provisioning/pvcs/pvc_conflict_report.h"
#include "features/provisioning/pvcs/pvc_values.h"
#include "ui/framework/messages/string_ids.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace {

using pvc_rule::Bit;
using namespace pvc_test;

uint32_t Bits(std::initializer_list<unsigned> bits)
{
    uint32_t mask = 0;
    for (unsigned bit : bits)
        mask |= Bit(bit);
    return mask;
}

// The report's lines as "Error nn: <text of id>".
std::string Lines(std::initializer_list<uint32_t> ids)
{
    std::string text;
    int n = 0;
    for (uint32_t id : ids) {
        char number[16];
        std::snprintf(number, sizeof number, "%2d", ++n);
        text += "Error " + std::string(number) + ": " + LoadString(id) + "\n";
    }
    return text;
}

struct Case {
    const char* name;
    uint32_t mask;
    bool create;
    bool enabled;
    std::string report;
};

class PvcConflictReportTest : public PvcTest {};

TEST_F(PvcConflictReportTest, FiltersByTheChangeAndNumbersTheRulesInTheirOrder)
{
    const std::vector<Case> cases = {
        {"full port on create", Bits({0, 6}), true, true, Lines({kStrPvcPortFull})},
        {"full port on modify", Bits({0, 6}), false, true, ""},
        {"half of the full-port pair", Bits({0}), true, true, ""},
        {"the other half", Bits({6}), true, true, ""},
        {"disabled PVC: enabled-only rules", Bits({1, 5, 7, 15, 18, 21, 25, 27, 29}), false, false, ""},
        {"enabled PVC: last enabled", Bits({19}), false, true, ""},
        {"disabled PVC: last enabled", Bits({19}), false, false, Lines({kStrPvcLastWithChannel})},
        {"counted as enabled hides pair and channel limits", Bits({1, 5, 7}), false, true, ""},
        {"pair and channel limits", Bits({5, 7}), true, true, Lines({kStrPvcCardPairsFull, kStrPvcPortChannelsFull})},
        {"bits 10 and 14", Bits({14, 10}), false, true, Lines({kStrPvcIpOverMacLimit, kStrPvcBroadcastDropped})},
        {"the table's order", Bits({30, 29, 27, 25, 21, 18, 15, 14, 13, 11, 10, 8, 7, 5, 0, 6}), true, true,
         Lines({kStrPvcPortFull, kStrPvcCardPairsFull, kStrPvcPortChannelsFull, kStrPvcMacBelowFdb,
                kStrPvcIpOverMacLimit, kStrPvcIpOver64, kStrPvcRoutedNotStaticIp, kStrPvcBroadcastDropped,
                kStrPvcNoIpBase, kStrPvcCardIpAmount, kStrPvcMixedModes, kStrPvcDscpPolicing,
                kStrVlanMacLimitBelowCommitted, kStrPvcCardMacLimit, kStrPvcClientOverMacLimit})},
        {"bits without a message", Bits({2, 3, 4, 9, 12, 16, 17, 20, 22, 23, 24, 28, 31}), true, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PvcRuleCheckRec record;
        record.result.errorMask = c.mask;
        EXPECT_EQ(BuildPvcConflictReport(kNe, c.create, c.enabled, record), c.report);
    }
}

TEST_F(PvcConflictReportTest, TheFilterChangesTheMaskInPlace)
{
    PvcRuleCheckRec record;
    record.result.errorMask = Bits({0, 2, 10, 19});
    BuildPvcConflictReport(kNe, false, true, record);
    EXPECT_EQ(record.result.errorMask, Bits({10}));
}

TEST_F(PvcConflictReportTest, NamesThreeConflictingPvcsAndNotesTheRest)
{
    PvcRuleCheckRec record;
    record.result.errorMask = Bits({26, 10});
    record.result.conflictCount = 5;
    record.result.conflicts = {PvcKeyRec{kPort, 0, 35}, PvcKeyRec{kOtherPort, 8, 81}, PvcKeyRec{10201, 1, 100}};
    const std::string indent(15, ' ');
    EXPECT_EQ(BuildPvcConflictReport(kNe, false, true, record),
              Lines({kStrPvcIpOverMacLimit}) + "Error  2: " + LoadString(kStrPvcStaticIpConflicts) + "\n" + indent +
                  "Total conflict PVCs: 5\n" + indent + "line port 1-1-2, PVC 0/35\n" + indent +
                  "line port 1-1-3, PVC 8/81\n" + indent + "line port 1-2-1, PVC 1/100\n" + indent +
                  "NOTE: There are more conflict PVCs...\n");

    record.result.errorMask = Bits({26});
    record.result.conflictCount = 2;
    const std::string two = BuildPvcConflictReport(kNe, false, true, record);
    EXPECT_NE(two.find("Total conflict PVCs: 2\n"), std::string::npos);
    EXPECT_NE(two.find("PVC 8/81\n"), std::string::npos);
    EXPECT_EQ(two.find("PVC 1/100"), std::string::npos);
    EXPECT_EQ(two.find("NOTE"), std::string::npos);

    // At the bound: three conflicts are all named without the note, a fourth brings it.
    for (const auto& [count, noted] : {std::pair{3, false}, std::pair{4, true}}) {
        record.result.errorMask = Bits({26});
        record.result.conflictCount = static_cast<uint16_t>(count);
        const std::string text = BuildPvcConflictReport(kNe, false, true, record);
        EXPECT_NE(text.find("PVC 1/100\n"), std::string::npos) << count;
        EXPECT_EQ(text.find("NOTE") != std::string::npos, noted) << count;
    }
}

TEST_F(PvcConflictReportTest, AnUnknownNeGetsNoReport)
{
    PvcRuleCheckRec record;
    record.result.errorMask = Bits({10});
    EXPECT_EQ(BuildPvcConflictReport(kNe + 1, false, true, record), "");
}

TEST_F(PvcConflictReportTest, TheServiceTypeCheckNamesTheFirstPvcAndTheServiceRules)
{
    PvcCheckResultRec result;
    result.errorMask = Bits({14, 10, 8, 29});
    result.conflictCount = 1;
    result.conflicts[0] = PvcKeyRec{kPort, 0, 35};
    EXPECT_EQ(BuildServiceTypeConflictReport(kNe, result),
              "[Line port 1-1-2, PVC 0/35]\n" + Lines({kStrPvcIpOverMacLimit, kStrPvcBroadcastDropped}));
    // A PVC in conflict stops the setting also when no rule a service-type setting breaks is marked.
    result.errorMask = Bits({8, 29});
    EXPECT_EQ(BuildServiceTypeConflictReport(kNe, result), "[Line port 1-1-2, PVC 0/35]\n");
    result.errorMask = 0;
    result.conflictCount = 3;
    EXPECT_EQ(BuildServiceTypeConflictReport(kNe, result), "[Line port 1-1-2, PVC 0/35]\n");
}

// No PVC in conflict lets the setting go on, whatever rules the NE marks.
TEST_F(PvcConflictReportTest, TheServiceTypeCheckWithoutConflictsGoesOn)
{
    PvcCheckResultRec result;
    result.errorMask = Bits({14, 10, 11, 13, 15, 25, 30});
    result.conflictCount = 0;
    EXPECT_EQ(BuildServiceTypeConflictReport(kNe, result), std::nullopt);
}

} // namespace
