// What the ADSL rate status shows of a line status record, as a table: the rows' texts from their fields and the
// power state transitions it offers in each state of the line.
#include "features/performance/rate_status/adsl_rate_status_rows.h"
#include "tarvik_test_paths.h"

#include "ui/framework/messages/string_table.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

namespace {

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

class AdslRateStatusRowsTest : public ::testing::Test {
protected:
    void SetUp() override { LoadAppStrings(std::string(TARVIK_RESOURCES_DIR) + "/strings/strings.tsv"); }
};

AdslRateStatusRec Line()
{
    AdslRateStatusRec rec;
    rec.entityId = 10103;
    rec.downCurrentRate = 8191999;
    rec.upCurrentRate = 800500;
    rec.downPreviousRate = 7000000;
    rec.upPreviousRate = 640000;
    rec.downAttainableRate = 9999;
    rec.upAttainableRate = 1000;
    rec.downSnrMargin = 125;
    rec.upSnrMargin = -15;
    rec.downAttenuation = 305;
    rec.upAttenuation = 99;
    rec.downOutputPower = -3;
    rec.upOutputPower = 124;
    rec.downInterleaveDelay = 8;
    rec.upInterleaveDelay = 4;
    rec.downBlockLength = 255;
    rec.upBlockLength = 64;
    rec.downInp = 200;
    rec.upInp = -3;
    rec.lineStandard = 18;
    rec.lineStandardValid = 1;
    rec.powerMgmtMode = 2;
    rec.powerState = kAdslPowerL0;
    return rec;
}

TEST_F(AdslRateStatusRowsTest, EachRowShowsItsFieldsAsTheLineHasThem)
{
    const AdslRateStatusView view = ViewOfRateStatus(Line());
    struct Cell {
        Row row;
        const char* downstream;
        const char* upstream;
    };
    const Cell cells[] = {
        {kCurrentRate, "8191", "800"},
        {kPreviousRate, "7000", "640"},
        {kAttainableRate, "9", "1"},
        {kSnrMargin, " 12.5", " -1.5"},
        {kAttenuation, "30.5", " 9.9"},
        {kOutputPower, " -0.3", " 12.4"},
        {kInterleaveDelay, "8", "4"},
        {kBlockLength, "255", "64"},
        {kLineStandard, "G.992.5 AnnexA", "--"},
        {kPowerMgmtMode, "Manual", "--"},
        {kPowerState, "L0", "--"},
        // A negative protection shows as a negative number, not as a number near four thousand million.
        {kCurrentInp, "200", "-3"},
    };
    for (const Cell& cell : cells) {
        SCOPED_TRACE(cell.row);
        EXPECT_EQ(view.rows[cell.row].downstream, cell.downstream);
        EXPECT_EQ(view.rows[cell.row].upstream, cell.upstream);
    }
}

TEST_F(AdslRateStatusRowsTest, TheLineStandardByItsCodeAndItsValidity)
{
    struct Case {
        uint32_t code;
        uint32_t valid;
        uint32_t state;
        const char* shown;
    };
    const Case cases[] = {
        {0, 1, kAdslPowerL0, "G.991.2 AnnexA"},
        {15, 1, kAdslPowerL0, "G.992.3 AnnexL, READSL"},
        {23, 1, kAdslPowerL2, "ETSI TS 101 388"},
        {24, 1, kAdslPowerL0, "reserved or unknown"},
        {99, 1, kAdslPowerL0, "reserved or unknown"},
        {18, 0, kAdslPowerL0, "--"},
        {18, 2, kAdslPowerL0, "--"},
        {18, 1, kAdslPowerL3ByCo, "reserved or unknown"},
        {18, 0, kAdslPowerL3ByCpe, "reserved or unknown"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(::testing::Message() << test.code << " " << test.valid << " " << test.state);
        AdslRateStatusRec rec = Line();
        rec.lineStandard = test.code;
        rec.lineStandardValid = test.valid;
        rec.powerState = test.state;
        EXPECT_EQ(ViewOfRateStatus(rec).rows[kLineStandard].downstream, test.shown);
    }
}

// Every line-standard code names its standard; code 24 reads "reserved or unknown" like any code past the table.
TEST_F(AdslRateStatusRowsTest, EachLineStandardCodeHasItsName)
{
    const char* const names[] = {
        "G.991.2 AnnexA",         "G.991.2 AnnexB", "Committee T1 MCM VDSL", "ETSI MCM VDSL",   "G.992.1 AnnexA",
        "G.992.1 AnnexB",         "G.992.1 AnnexC", "G.992.1 AnnexH",        "G.992.1 AnnexI",  "G.992.2 AnnexA",
        "G.992.2 AnnexC",         "G.992.3 AnnexA", "G.992.3 AnnexB",        "G.992.3 AnnexI",  "G.992.3 AnnexM",
        "G.992.3 AnnexL, READSL", "G.992.4 AnnexA", "G.992.4 AnnexI",        "G.992.5 AnnexA",  "G.992.5 AnnexB",
        "G.992.5 AnnexI",         "SADSL",          "ANSI T1.413",           "ETSI TS 101 388", "reserved or unknown"};
    for (uint32_t code = 0; code < std::size(names); ++code) {
        AdslRateStatusRec rec = Line();
        rec.lineStandard = code;
        EXPECT_EQ(ViewOfRateStatus(rec).rows[kLineStandard].downstream, names[code]) << code;
    }
}

TEST_F(AdslRateStatusRowsTest, TheTransitionsOfferedInEachStateOfTheLine)
{
    struct Case {
        const char* name;
        uint32_t state;
        uint32_t mode;
        uint32_t rate;
        const char* stateText;
        bool l0, l2, l3;
    };
    const Case cases[] = {
        {"L0 with a rate", kAdslPowerL0, 2, 8000000, "L0", true, true, true},
        {"L0 without a rate", kAdslPowerL0, 2, 0, "L0", false, false, false},
        {"L2", kAdslPowerL2, 2, 2000000, "L2", true, false, true},
        {"L2 without a rate", kAdslPowerL2, 2, 0, "L2", false, false, false},
        {"L3 by the CO", kAdslPowerL3ByCo, 2, 0, "L3 initiated by CO", true, false, false},
        {"L3 by the CPE", kAdslPowerL3ByCpe, 2, 0, "L3 initiated by CPE", false, false, false},
        {"a state the dialog does not know", 7, 2, 8000000, "unknown", false, false, false},
        {"the NE manages the power", kAdslPowerL0, 1, 8000000, "L0", false, false, false},
        {"the NE manages the power in L3", kAdslPowerL3ByCo, 1, 0, "L3 initiated by CO", false, false, false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        AdslRateStatusRec rec = Line();
        rec.powerState = test.state;
        rec.powerMgmtMode = test.mode;
        rec.downCurrentRate = test.rate;
        const AdslRateStatusView view = ViewOfRateStatus(rec);
        EXPECT_EQ(view.rows[kPowerState].downstream, test.stateText);
        EXPECT_EQ(view.rows[kPowerMgmtMode].downstream, test.mode == 1 ? "Automatic" : "Manual");
        EXPECT_EQ(view.toL0, test.l0);
        EXPECT_EQ(view.toL2, test.l2);
        EXPECT_EQ(view.toL3, test.l3);
    }
}

} // namespace
