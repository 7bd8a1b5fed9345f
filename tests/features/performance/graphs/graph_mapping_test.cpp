// How the static graph maps a list's cells to series and points: the groups of rows, the parts of the value columns
// and the rows of a point, as a table of cases; cells that are no number as gaps; and CO and RT rows of different
// counts lined up by their creation times.

#include "features/performance/graphs/graph_mapping.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

using Texts = std::vector<std::vector<std::string>>;
using Points = std::vector<std::optional<double>>;

// The cell source over a table of rows.
ListTextSource Source(const Texts& rows)
{
    return [&rows](int row, int column) { return rows.at(static_cast<size_t>(row)).at(static_cast<size_t>(column)); };
}

// Rows whose column 0 is a label and whose other columns give row r, column c the number 10 r + c.
Texts NumberedRows(int rows, int columns)
{
    Texts texts;
    for (int r = 0; r < rows; ++r) {
        std::vector<std::string> row{"t" + std::to_string(r)};
        for (int c = 1; c < columns; ++c)
            row.push_back(std::to_string(10 * r + c));
        texts.push_back(row);
    }
    return texts;
}

GraphSourceSpec Spec(int groups, int rowsPerPoint, int parts, int labelColumn, std::vector<int> columns,
                     int groupColumn = -1, std::vector<std::string> groupNames = {})
{
    GraphSourceSpec spec;
    spec.groups = groups;
    spec.rowsPerPoint = rowsPerPoint;
    spec.xParts = parts;
    spec.labelColumn = labelColumn;
    spec.columns = std::move(columns);
    spec.groupColumn = groupColumn;
    spec.groupNames = std::move(groupNames);
    return spec;
}

struct SeriesWanted {
    int column;
    bool right;
    int title;
    Points points;
};

struct MappingCase {
    const char* name;
    GraphSourceSpec spec;
    int rows;
    std::vector<std::string> labels;
    std::vector<SeriesWanted> series;
};

class GraphMappingTest : public ::testing::TestWithParam<MappingCase> {};

TEST_P(GraphMappingTest, CellsGoToTheirSeriesAndPoints)
{
    const MappingCase& c = GetParam();
    const Texts texts = NumberedRows(c.rows, 6);
    const GraphData data = MapListToGraph(c.spec, c.rows, Source(texts));
    EXPECT_EQ(data.labels, c.labels);
    ASSERT_EQ(data.series.size(), c.series.size());
    for (size_t s = 0; s < c.series.size(); ++s) {
        SCOPED_TRACE("series " + std::to_string(s));
        EXPECT_EQ(data.series[s].column, c.series[s].column);
        EXPECT_EQ(data.series[s].rightAxis, c.series[s].right);
        EXPECT_EQ(data.series[s].titleNumber, c.series[s].title);
        EXPECT_EQ(data.series[s].points, c.series[s].points);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GraphMappingTest,
    ::testing::Values(
        // Two groups of rows (the history's CO and RT): each column a series per group, a point per row.
        MappingCase{"two groups",
                    Spec(2, 1, 1, 0, {1, -2}),
                    4,
                    {"t0", "t1"},
                    {{1, false, 0, {1, 11}}, {2, true, 0, {2, 12}}, {1, false, 1, {21, 31}}, {2, true, 1, {22, 32}}}},
        // Rows beyond whole groups are left out: five rows in two groups of two.
        MappingCase{"rows beyond the groups",
                    Spec(2, 1, 1, 0, {1}),
                    5,
                    {"t0", "t1"},
                    {{1, false, 0, {1, 11}}, {1, false, 1, {21, 31}}}},
        // Two rows a point: each row of a point its own series, titled by its place in the point.
        MappingCase{"two rows a point",
                    Spec(1, 2, 1, 0, {3}),
                    4,
                    {"t0", "t2"},
                    {{3, false, 0, {3, 23}}, {3, false, 1, {13, 33}}}},
        // Two parts of the columns: the parts are the titles.
        MappingCase{"two parts",
                    Spec(1, 1, 2, -1, {1, 2, 3, 4}),
                    2,
                    {"", ""},
                    {{1, false, 0, {1, 11}}, {2, false, 0, {2, 12}}, {3, false, 1, {3, 13}}, {4, false, 1, {4, 14}}}},
        // Columns not filling the last part are left out; more parts than columns make one part a column.
        MappingCase{"three columns in two parts",
                    Spec(1, 1, 2, 0, {1, 2, 3}),
                    1,
                    {"t0"},
                    {{1, false, 0, {1}}, {2, false, 1, {2}}}},
        MappingCase{"more parts than columns", Spec(1, 1, 3, 0, {5}), 2, {"t0", "t1"}, {{5, false, -1, {5, 15}}}}),
    [](const ::testing::TestParamInfo<MappingCase>& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST(GraphMappingCellsTest, NumbersCountsWithRatesAndGaps)
{
    EXPECT_EQ(GraphCellValue("17"), 17.0);
    EXPECT_EQ(GraphCellValue(" -2.5 "), -2.5);
    EXPECT_EQ(GraphCellValue("1000 / 0.5"), 1000.0) << "a count with its rate is the count";
    EXPECT_EQ(GraphCellValue("1000 / --"), 1000.0);
    for (const char* gap : {"", "---", "--", "NA", "12-06 10:15", "7 cells"})
        EXPECT_EQ(GraphCellValue(gap), std::nullopt) << gap;
}

TEST(GraphMappingCellsTest, ASeriesOfGapsOnlyIsDropped)
{
    const Texts texts = {{"a", "1", "---"}, {"b", "", "---"}, {"c", "3", "---"}};
    const GraphData data = MapListToGraph(Spec(1, 1, 1, 0, {1, 2}), 3, Source(texts));
    ASSERT_EQ(data.series.size(), 1u);
    EXPECT_EQ(data.series[0].points, (Points{1, std::nullopt, 3}));
}

// Three CO intervals and two RT ones, the RT interval of 10:15 missing. By position the RT rows would stand at 10:00
// and 10:15 and a CO row would pass for RT; by their side and creation time they stand at 10:00 and 10:30.
TEST(GraphMappingGroupsTest, GroupsOfDifferentSizesLineUpByTheirLabels)
{
    const Texts texts = {
        {"10:00", "CO", "1"}, {"10:15", "CO", "2"}, {"10:30", "CO", "3"}, {"10:00", "RT", "7"}, {"10:30", "RT", "9"}};
    const GraphData bySide = MapListToGraph(Spec(2, 1, 1, 0, {2}, 1, {"CO", "RT"}), 5, Source(texts));
    EXPECT_EQ(bySide.labels, (std::vector<std::string>{"10:00", "10:15", "10:30"}));
    ASSERT_EQ(bySide.series.size(), 2u);
    EXPECT_EQ(bySide.series[0].points, (Points{1, 2, 3}));
    EXPECT_EQ(bySide.series[1].points, (Points{7, std::nullopt, 9}));
    EXPECT_EQ(bySide.series[1].titleNumber, 1);

    const GraphData byPosition = MapListToGraph(Spec(2, 1, 1, 0, {2}), 5, Source(texts));
    ASSERT_EQ(byPosition.series.size(), 2u);
    EXPECT_NE(byPosition.series[1].points, bySide.series[1].points) << "the rows by position do not line up";
}

// A side without rows keeps its title: the RT rows alone are RT's.
TEST(GraphMappingGroupsTest, AGroupKeepsItsTitleWhenAnotherHasNoRows)
{
    const Texts texts = {{"10:00", "RT", "7"}, {"10:15", "RT", "8"}};
    const GraphData data = MapListToGraph(Spec(2, 1, 1, 0, {2}, 1, {"CO", "RT"}), 2, Source(texts));
    ASSERT_EQ(data.series.size(), 1u);
    EXPECT_EQ(data.series[0].titleNumber, 1);
    EXPECT_EQ(GraphSeriesTitle("  ESs ", 1, {"CO", "RT"}), "ESs (RT)");
    EXPECT_EQ(GraphSeriesTitle("ESs", 2, {"CO", "RT"}), "ESs") << "no such title";
}

} // namespace
