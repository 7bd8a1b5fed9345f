// The live graphs of the current-PM dialogs as Graph opens them, from the CHART keys: the title of the 15 minutes, the
// day or the trunk port's traffic, and the most points a series keeps: 100 when the key is absent, at most 900 for the
// current 15 minutes and 30000 for the current day and a trunk port.

#include "tests/features/performance/performance_test_support.h"
#include "tests/platform/qt_test_app.h"
#include "tests/ui/framework/framework_test_support.h"
#include "tests/ui/shell/app/app_test_support.h"

#include "features/performance/graphs/pm_graph_dlg.h"
#include "features/performance/pm/adsl_current_pm_dlg.h"
#include "features/performance/pm/shdsl_cur_pm_dlg.h"
#include "features/performance/pm/trunk_port_pm_dlg.h"
#include "platform/list_control.h"
#include "platform/scripted_runners.h"

#include <QAbstractAxis>
#include <QChart>
#include <QChartView>
#include <QTreeView>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

constexpr uint32_t kTrunkPort = 10501; // the first of the control module

struct PointsCase {
    const char* name;
    std::function<std::unique_ptr<CLivePmListDlg>()> make;
    uint32_t target;
    int row;
    const char* keys; // of the CHART section
    uint32_t points;
    const char* title = ""; // how the chart's title begins
};

struct Graphed {
    uint32_t points = 0;
    QString title;
    std::vector<std::string> series;
    QStringList axes; // the titles the axes have, in order of their text
};

template <class Dlg> std::function<std::unique_ptr<CLivePmListDlg>()> Make()
{
    return [] { return std::make_unique<Dlg>(); };
}

std::string JoinedSeries(const std::vector<std::string>& series)
{
    std::string joined;
    for (const std::string& title : series)
        joined += (joined.empty() ? "" : "|") + title;
    return joined;
}

class LiveGraphPointsTest : public perf_test::CNorth1Test {
protected:
    // The graph that Graph opens on the row.
    Graphed Graph(const PointsCase& c)
    {
        std::unique_ptr<CLivePmListDlg> dialog = c.make();
        const CEntityId target(c.target);
        dialog->SetTarget(perf_test::kNe, &target);
        Graphed graphed;
        runner_.Push([&](QDialog&) {
            EXPECT_TRUE(PumpUntil([&] { return dialog->IsFirstShowDone(); }));
            QTreeView& list = *dialog->FindList(kListControlId);
            list.setCurrentIndex(list.model()->index(c.row, 0));
            runner_.Push([&](QDialog& shown) {
                auto& graph = dynamic_cast<CPmGraphDlg&>(shown);
                EXPECT_TRUE(PumpUntil([&] { return graph.IsFirstShowDone(); }));
                graphed.points = graph.GetMaxPoints();
                graphed.title = graph.findChild<QChartView*>()->chart()->title();
                graphed.series = graph.GetSeriesTitles();
                for (const QAbstractAxis* axis : graph.findChild<QChartView*>()->chart()->axes())
                    if (!axis->titleText().isEmpty())
                        graphed.axes << axis->titleText();
                graphed.axes.sort();
                return IDOK;
            });
            dialog->OnCommand(CLivePmListDlg::kGraphButtonId, BN_CLICKED);
            return IDCANCEL;
        });
        dialog->DoModal();
        return graphed;
    }

    ScriptedModalRunner runner_;
    ScriptedMessageBoxes boxes_;
};

TEST_F(LiveGraphPointsTest, TheMostPointsComeFromTheChartKeysWithinTheirBounds)
{
    const PointsCase cases[] = {
        {"ADSL 15 minutes, absent", Make<CAdslCurrentPmDlg>(), perf_test::kAdslPort, 0, "", 100},
        {"ADSL 15 minutes, 900", Make<CAdslCurrentPmDlg>(), perf_test::kAdslPort, 1,
         "XDSLCUR15MINPMMAXPOINT=900\nXDSLCUR15MIN=Quarter", 900, "Quarter"},
        {"ADSL 15 minutes, 901", Make<CAdslCurrentPmDlg>(), perf_test::kAdslPort, 0, "XDSLCUR15MINPMMAXPOINT=901", 900},
        {"ADSL day, absent", Make<CAdslCurrentPmDlg>(), perf_test::kAdslPort, 4, "", 100},
        {"ADSL day, 30000", Make<CAdslCurrentPmDlg>(), perf_test::kAdslPort, 5,
         "XDSLCUR1DAYPMMAXPOINT=30000\nXDSLCUR1DAY=Whole day", 30000, "Whole day"},
        {"ADSL day, 30001", Make<CAdslCurrentPmDlg>(), perf_test::kAdslPort, 4, "XDSLCUR1DAYPMMAXPOINT=30001", 30000},
        {"SHDSL 15 minutes, 901", Make<CShdslCurPmDlg>(), perf_test::kShdslPort, 1,
         "XDSLCUR15MINPMMAXPOINT=901\nXDSLCUR15MIN=Quarter", 900, "Quarter"},
        {"SHDSL day, absent", Make<CShdslCurPmDlg>(), perf_test::kShdslPort, 5, "XDSLCUR1DAY=Whole day", 100,
         "Whole day"},
        {"trunk port, absent", Make<CTrunkPortPmDlg>(), kTrunkPort, 0, "", 100},
        {"trunk port, 30001", Make<CTrunkPortPmDlg>(), kTrunkPort, 1, "TRUNKTRAFFICMAXPOINT=30001\nTRUNKTRAFFIC=Uplink",
         30000, "Uplink"},
    };
    const app_test::CWorkDir dir;
    for (const PointsCase& c : cases) {
        SCOPED_TRACE(c.name);
        dir.WriteIni(std::string("[CHART]\n") + c.keys + "\n");
        const Graphed graphed = Graph(c);
        EXPECT_EQ(graphed.points, c.points);
        EXPECT_TRUE(graphed.title.startsWith(QString::fromLatin1(c.title))) << graphed.title.toStdString();
    }
}

// Each graph names its series, and its axes by what they count: cells and rates of an ADSL port, seconds and frames of
// an SHDSL port, octets or packets of a trunk port.
TEST_F(LiveGraphPointsTest, EachGraphNamesItsSeriesAndItsAxes)
{
    struct Case {
        PointsCase graph;
        const char* series;
        QStringList axes;
    };
    const Case cases[] = {
        {{"ADSL", Make<CAdslCurrentPmDlg>(), perf_test::kAdslPort, 0, "", 0},
         "TxCells/Total|TxCells/Delta|TxRate/Avg|TxRate/Each|RxCells/Total|RxCells/Delta|RxRate/Avg|RxRate/Each",
         {"Cells", "Elapsed Time (Seconds)", "Rate (Kbps)"}},
        {{"SHDSL", Make<CShdslCurPmDlg>(), perf_test::kShdslPort, 4, "", 0},
         "CO ES|CO SES|CO UAS|CO LOSWS|CO CRC|RT ES|RT SES|RT UAS|RT LOSWS|RT CRC",
         {"Elapsed Time (Seconds)", "Frames", "Seconds"}},
        {{"trunk port octets", Make<CTrunkPortPmDlg>(), kTrunkPort, 0, "", 0},
         "In Total|In Each|Out Total|Out Each",
         {"Octets (Each)", "Octets (Total)"}},
        {{"trunk port discarded packets", Make<CTrunkPortPmDlg>(), kTrunkPort, 3, "", 0},
         "In Total|In Each|Out Total|Out Each",
         {"Packets (Each)", "Packets (Total)"}},
    };
    const app_test::CWorkDir dir;
    dir.WriteIni("[CHART]\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.graph.name);
        const Graphed graphed = Graph(c.graph);
        EXPECT_EQ(QString::fromStdString(JoinedSeries(graphed.series)), QString::fromLatin1(c.series));
        EXPECT_EQ(graphed.axes, c.axes);
    }
}

} // namespace
