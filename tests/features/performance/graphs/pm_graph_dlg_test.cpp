// The live chart keeps at most its number of points a series, takes none while paused, and holds the series and
// maximum the opener asks for within its limits; the CHART keys of the configuration file set what the opener leaves.
// It and the static graph cut the heading and the axis titles alike.

#include "tests/core/temp_file_test.h"
#include "tests/platform/drawn_cell_text.h"
#include "tests/platform/qt_test_app.h"

#include "features/performance/graphs/graph_dlg.h"
#include "features/performance/graphs/pm_graph_dlg.h"

#include <QAbstractAxis>
#include <QChart>
#include <QChartView>
#include <QStandardItemModel>
#include <QTableView>
#include <QTreeView>

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <map>
#include <string>

namespace {

// A live chart of two series in a working directory whose Tarvik.ini holds `chartKeys`.
class PmGraphDlgTest : public ::testing::Test {
protected:
    explicit PmGraphDlgTest(const std::string& chartKeys = {}) : dir_(true)
    {
        WriteText(dir_.Path() / "Tarvik.ini", "[CHART]\n" + chartKeys);
    }
    // Set up as the opener does and shown, so that it takes points.
    void Open(CPmGraphDlg& graph, uint16_t maxPoints)
    {
        graph.SetSeries(2, "Total|Rate", {1, -1});
        graph.SetMaxPoints(maxPoints);
        graph.InitData();
    }

    CTempDir dir_;
};

TEST_F(PmGraphDlgTest, ASeriesKeepsItsLatestPointsUpToTheMaximum)
{
    CPmGraphDlg graph;
    Open(graph, 100);
    for (int i = 1; i <= 101; ++i)
        graph.AddPoints({static_cast<double>(i), i * 0.5}, QString::number(i));
    EXPECT_EQ(graph.PointCount(0), 100);
    const std::vector<double> values = graph.Values(0);
    EXPECT_EQ(values.front(), 2.0) << "the 101st point pushed out the first";
    EXPECT_EQ(values.back(), 101.0);
    EXPECT_EQ(graph.Values(1).back(), 50.5);
    EXPECT_TRUE(graph.IsRightAxis(1));
}

// The first point of a live graph is all zeros; the grid widens as larger values come, so that no cell is drawn cut.
TEST_F(PmGraphDlgTest, TheGridsColumnsGrowWithTheValues)
{
    CPmGraphDlg graph;
    Open(graph, 100);
    graph.AddPoints({0, 0}, QStringLiteral("1"));
    graph.AddPoints({5371234567.0, 0.5}, QStringLiteral("2"));
    graph.AddPoints({7, 123456789012.0}, QStringLiteral("3"));
    const int wide = graph.GridColumnWidth(1);
    graph.AddPoints({1, 1}, QStringLiteral("4"));
    EXPECT_EQ(graph.GridColumnWidth(1), wide) << "a column never narrows while its wide value is held";
    EXPECT_EQ(CDrawnCellText::Cut(*graph.findChild<QTableView*>()).join('|').toStdString(), "");
}

TEST_F(PmGraphDlgTest, NoPointsWhilePausedAndRestartStartsEmpty)
{
    CPmGraphDlg graph;
    graph.SetSeries(2, "Total|Rate", {1, -1});
    EXPECT_TRUE(graph.IsPaused()) << "until it is set up";
    graph.AddPoint(0, 1, QStringLiteral("1"));
    graph.InitData();
    EXPECT_EQ(graph.PointCount(0), 0);
    graph.AddPoints({1, 2}, QStringLiteral("1"));
    graph.AddPoint(2, 7, QStringLiteral("1")); // no such series
    EXPECT_EQ(graph.PointCount(0), 1);

    graph.OnCommand(CPmGraphDlg::kStopRefreshId, BN_CLICKED);
    EXPECT_TRUE(graph.IsPaused());
    EXPECT_FALSE(graph.IsControlEnabled(CPmGraphDlg::kStopRefreshId));
    graph.AddPoints({3, 4}, QStringLiteral("2"));
    EXPECT_EQ(graph.PointCount(0), 1);

    graph.OnCommand(CPmGraphDlg::kRestartId, BN_CLICKED);
    EXPECT_FALSE(graph.IsPaused());
    EXPECT_EQ(graph.PointCount(0), 0);
    graph.AddPoints({5, 6}, QStringLiteral("3"));
    EXPECT_EQ(graph.Values(0), std::vector<double>{5});
}

TEST_F(PmGraphDlgTest, SeriesAndTitlesWithinTheirLimits)
{
    CPmGraphDlg graph;
    const std::string longTitle(40, 'x');
    graph.SetSeries(70, longTitle + "|b", std::vector<int8_t>(70, 1));
    EXPECT_EQ(graph.GetSeriesCount(), 64u);
    EXPECT_EQ(graph.GetSeriesTitles()[0], std::string(31, 'x'));
    EXPECT_EQ(graph.GetSeriesTitles()[1], "b");
    EXPECT_EQ(graph.GetSeriesTitles()[2], "");
    CPmGraphDlg none;
    Open(none, 0);
    EXPECT_EQ(none.GetMaxPoints(), 100u) << "0 reads CHART/MAXPOINT, 100 when absent";
}

// The heading holds 127 characters and each axis title 63, in the static graph and in the live one alike.
TEST_F(PmGraphDlgTest, TheHeadingAndTheAxisTitlesAreCutToTheirRoom)
{
    QStandardItemModel model(1, 2);
    QTreeView list;
    list.setModel(&model);
    const struct {
        size_t heading, axis; // given
        size_t headingShown, axisShown;
    } rooms[] = {{127, 63, 127, 63}, {128, 64, 127, 63}, {126, 62, 126, 62}};
    for (const auto& room : rooms) {
        SCOPED_TRACE(room.axis);
        const auto setTitles = [&](auto& dialog) {
            dialog.SetAxisTitles(std::string(room.heading, 'h'), std::string(room.axis, 'b'),
                                 std::string(room.axis, 'l'), std::string(room.axis, 'r'));
        };
        CGraphDlg graph;
        setTitles(graph);
        graph.SetSourceList(1, 1, &list);
        graph.SetSourceColumns(1, 0, {1});
        graph.InitData();
        CPmGraphDlg live;
        setTitles(live);
        Open(live, 10);
        for (const QDialog* dialog : std::initializer_list<const QDialog*>{&graph, &live}) {
            const QChart& chart = *dialog->findChild<QChartView*>()->chart();
            EXPECT_EQ(chart.title(), QString(static_cast<qsizetype>(room.headingShown), 'h'));
            const std::map<Qt::Alignment::Int, char> letters = {
                {Qt::AlignBottom, 'b'}, {Qt::AlignLeft, 'l'}, {Qt::AlignRight, 'r'}};
            ASSERT_EQ(chart.axes().size(), 3);
            for (const QAbstractAxis* axis : chart.axes())
                EXPECT_EQ(axis->titleText(),
                          QString(static_cast<qsizetype>(room.axisShown), letters.at(axis->alignment().toInt())));
        }
    }
}

class PmGraphDlgConfiguredTest : public PmGraphDlgTest {
protected:
    PmGraphDlgConfiguredTest() : PmGraphDlgTest("MAXPOINT=40000\n") {}
};

TEST_F(PmGraphDlgConfiguredTest, TheConfiguredMaximumIsClamped)
{
    CPmGraphDlg graph;
    graph.SetMaxPoints(0);
    EXPECT_EQ(graph.GetMaxPoints(), 30000u);
}

// Manhattan distance of two colours.
int Distance(COLORREF a, COLORREF b)
{
    const QRgb x = ToQRgb(a);
    const QRgb y = ToQRgb(b);
    return std::abs(qRed(x) - qRed(y)) + std::abs(qGreen(x) - qGreen(y)) + std::abs(qBlue(x) - qBlue(y));
}

// The eighteen series of a history graph: each of its own colour, of the palette, and each far from the one before.
TEST_F(PmGraphDlgTest, UnconfiguredSeriesHaveColoursAnOperatorTellsApart)
{
    CPmGraphDlg graph;
    graph.SetSeries(18, "", std::vector<int8_t>(18, 1));
    graph.InitData();
    for (int i = 0; i < 18; ++i) {
        const QRgb rgb = ToQRgb(graph.SeriesColor(i));
        for (int component : {qRed(rgb), qGreen(rgb), qBlue(rgb)})
            EXPECT_EQ(component % 0x40, 0) << "series " << i;
        for (int j = 0; j < i; ++j)
            EXPECT_NE(graph.SeriesColor(i), graph.SeriesColor(j)) << i << " and " << j;
        if (i > 0) {
            EXPECT_GE(Distance(graph.SeriesColor(i), graph.SeriesColor(i - 1)), 0xC0) << "series " << i;
        }
    }
}

class PmGraphDlgColouredTest : public PmGraphDlgTest {
protected:
    PmGraphDlgColouredTest() : PmGraphDlgTest("SERIESCOLORCNT=1\nSERIESCOLOR1=123456\nSERIESCOLOR2=654321\n") {}
};

TEST_F(PmGraphDlgColouredTest, TheConfiguredColoursComeFirst)
{
    CPmGraphDlg graph;
    Open(graph, 10);
    EXPECT_EQ(graph.SeriesColor(0), COLORREF{0x123456});
    EXPECT_NE(graph.SeriesColor(1), COLORREF{0x654321}) << "beyond SERIESCOLORCNT";
}

} // namespace
