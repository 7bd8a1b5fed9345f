// The chart templates of the server monitor: what a template gives changes its chart, what it does not give (or a
// template that is not there) leaves the chart as the monitor draws it.

#include <gtest/gtest.h>

#include "features/management/server/monitor_chart_style.h"
#include "tests/core/temp_file_test.h"

namespace {

TEST(MonitorChartStyle, ATemplateGivesWhatItHolds)
{
    struct Case {
        const char* what;
        const char* text;
        MonitorChartStyle style;
    };
    const Case cases[] = {
        {"all of it",
         "[CHART]\nTITLE=Host load\nSERIESTITLE=Load (%)\nSERIESCOLOR=0x0000C0\n",
         {"Host load", "Load (%)", 0xC0}},
        {"a colour without 0x", "[CHART]\nSERIESCOLOR=FF8000\n", {std::nullopt, std::nullopt, 0xFF8000}},
        {"an empty title stays a title", "[CHART]\nTITLE=\n", {"", std::nullopt, std::nullopt}},
        {"a colour that is none", "[CHART]\nSERIESCOLOR=blue\n", {}},
        {"a colour beyond 24 bits", "[CHART]\nSERIESCOLOR=0x1000000\n", {}},
        {"another section", "[SERIES]\nTITLE=Host load\n", {}},
        {"nothing", "", {}},
    };
    CTempDir dir;
    for (const Case& c : cases) {
        const std::filesystem::path file = dir.Path() / "template.ini";
        WriteText(file, c.text);
        EXPECT_EQ(ReadMonitorChartStyle(file.string()), c.style) << c.what;
    }
}

TEST(MonitorChartStyle, NoTemplateChangesNothing)
{
    CTempDir dir;
    EXPECT_EQ(ReadMonitorChartStyle(""), MonitorChartStyle{});
    EXPECT_EQ(ReadMonitorChartStyle((dir.Path() / "missing.ini").string()), MonitorChartStyle{});
}

} // namespace
