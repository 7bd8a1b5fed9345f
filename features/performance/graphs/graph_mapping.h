#pragma once
// How the static graph (CGraphDlg) turns the cells of a list into series and points, without a window, so that the
// rule is tested as a table.
//
// The rows fall into G groups and the value columns into X parts; P consecutive rows make one point, each of them a
// series of its own. Every (group, part, column of the part, row of the point) is one series, S = N x P x G in all for
// N value columns, and each series has K = R / (P x G) points of R rows. By default the groups are consecutive runs of
// K x P rows: row j, column index i belongs to series
//
//     s = (j / (P K)) (S / (X G)) + (i / (N / X)) (S / X) + (i mod (N / X)) + (j mod P) (N / X)
//
// at point k = (j mod (P K)) / P, with the x label of the row of series 0's point k. A list whose groups are not all
// of one size (the CO intervals of a port and fewer RT ones) names a group column instead: the rows' groups are the
// texts of that column (named in group order, so that a group keeps its place and title when another has no rows),
// and the points of all groups line up by their x labels, a label that only some groups have leaving gaps in the
// others.
//
// A cell becomes a point when its text is a decimal number, or a count with its rate ("1000 / 0.5", the count); any
// other text is a gap. A series of gaps only is dropped.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct GraphSourceSpec {
    int groups = 1;       // G
    int rowsPerPoint = 1; // P
    int xParts = 1;       // X
    int labelColumn = -1; // the list column of the x labels; negative: none
    // The value columns, signed: the list column, negative for the right axis.
    std::vector<int> columns;
    // The list column whose text names a row's group; negative: groups by position.
    int groupColumn = -1;
    // With a group column, the groups' texts in group order (the series titles): a row of another text is not
    // drawn. None: the groups in the order their texts come.
    std::vector<std::string> groupNames;
};

struct GraphSeriesData {
    int column = 0; // the list column of the series' cells
    bool rightAxis = false;
    // The series title it takes besides its column's header (the group's, part's or row's); -1 for none.
    int titleNumber = -1;
    std::vector<std::optional<double>> points; // one per point; none for a gap
};

struct GraphData {
    std::vector<std::string> labels; // one per point
    std::vector<GraphSeriesData> series;
};

// A list's text by row and column, in the order the list shows its rows.
using ListTextSource = std::function<std::string(int row, int column)>;

GraphData MapListToGraph(const GraphSourceSpec& spec, int rowCount, const ListTextSource& text);

// The number a cell's text stands for; none for an empty or other text.
std::optional<double> GraphCellValue(std::string_view text);

// "header (title)" where the series takes a title, else the header alone; the header trimmed.
std::string GraphSeriesTitle(std::string_view header, int titleNumber, const std::vector<std::string>& titles);
