#include "features/performance/graphs/graph_mapping.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

namespace {

constexpr size_t kLabelChars = 80;
constexpr size_t kValueChars = 20;

std::string_view Trimmed(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::optional<double> WholeNumber(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// The title number of series s by the rule of the parts, groups and rows.
int TitleNumber(int s, int seriesCount, int xParts, int groups, int row, int rowsPerPoint)
{
    if (xParts > 1)
        return s / (seriesCount / xParts);
    if (groups > 1)
        return s / (seriesCount / (xParts * groups));
    if (rowsPerPoint > 1)
        return row % rowsPerPoint;
    return -1;
}

struct Shape {
    int groups = 1;
    int rowsPerPoint = 1;
    int xParts = 1;
    int columns = 0; // N, a multiple of xParts
    int Series() const { return columns * rowsPerPoint * groups; }
    int PerPart() const { return columns / xParts; }
    // The series of value column i for row `part` of a point in group g.
    int SeriesOf(int g, int i, int part) const
    {
        return g * (Series() / (xParts * groups)) + (i / PerPart()) * (Series() / xParts) + i % PerPart() +
               part * PerPart();
    }
};

// Puts the cells of one row of a point into their series.
void PlaceRow(const Shape& shape, const GraphSourceSpec& spec, const ListTextSource& text, int row, int g, int part,
              size_t point, GraphData& data)
{
    for (int i = 0; i < shape.columns; ++i) {
        const int column = std::abs(spec.columns[static_cast<size_t>(i)]);
        GraphSeriesData& series = data.series[static_cast<size_t>(shape.SeriesOf(g, i, part))];
        if (series.titleNumber == -2) {
            series.column = column;
            series.rightAxis = spec.columns[static_cast<size_t>(i)] < 0;
            series.titleNumber = TitleNumber(shape.SeriesOf(g, i, part), shape.Series(), shape.xParts, shape.groups,
                                             row, shape.rowsPerPoint);
        }
        const std::string cell = text(row, column);
        series.points[point] = GraphCellValue(std::string_view(cell).substr(0, kValueChars));
    }
}

std::string LabelOf(const GraphSourceSpec& spec, const ListTextSource& text, int row)
{
    return spec.labelColumn < 0 ? std::string() : text(row, spec.labelColumn).substr(0, kLabelChars);
}

// The positions of a group's labels in the merged labels, inserting those not there yet after the group's last one.
std::vector<size_t> MergeLabels(const std::vector<std::string>& group, std::vector<std::string>& merged)
{
    std::vector<size_t> positions;
    size_t at = 0;
    for (const std::string& label : group) {
        auto found = std::find(merged.begin() + static_cast<std::ptrdiff_t>(at), merged.end(), label);
        if (found == merged.end())
            found = merged.insert(merged.begin() + static_cast<std::ptrdiff_t>(at), label);
        at = static_cast<size_t>(found - merged.begin());
        positions.push_back(at++);
    }
    return positions;
}

} // namespace

std::optional<double> GraphCellValue(std::string_view text)
{
    const std::string_view trimmed = Trimmed(text);
    if (const std::optional<double> whole = WholeNumber(trimmed))
        return whole;
    const size_t slash = trimmed.find(" / ");
    if (slash == std::string_view::npos)
        return std::nullopt;
    return WholeNumber(Trimmed(trimmed.substr(0, slash)));
}

std::string GraphSeriesTitle(std::string_view header, int titleNumber, const std::vector<std::string>& titles)
{
    std::string title(Trimmed(header));
    if (titleNumber >= 0 && static_cast<size_t>(titleNumber) < titles.size())
        title += " (" + titles[static_cast<size_t>(titleNumber)] + ")";
    return title;
}

GraphData MapListToGraph(const GraphSourceSpec& spec, int rowCount, const ListTextSource& text)
{
    Shape shape;
    shape.groups = std::max(1, spec.groups);
    shape.rowsPerPoint = std::max(1, spec.rowsPerPoint);
    const int n = static_cast<int>(spec.columns.size());
    shape.xParts = std::min(std::max(1, spec.xParts), std::max(1, n));
    shape.columns = n - n % shape.xParts;
    GraphData data;
    if (shape.columns == 0 || rowCount <= 0)
        return data;
    const int p = shape.rowsPerPoint;

    // The rows of each group, in list order.
    std::vector<std::vector<int>> groupRows(static_cast<size_t>(shape.groups));
    if (spec.groupColumn < 0) {
        const int perGroup = rowCount / (p * shape.groups) * p;
        for (int g = 0; g < shape.groups; ++g) {
            for (int j = 0; j < perGroup; ++j)
                groupRows[static_cast<size_t>(g)].push_back(g * perGroup + j);
        }
    } else {
        std::vector<std::string> names = spec.groupNames;
        for (int row = 0; row < rowCount; ++row) {
            const std::string name = text(row, spec.groupColumn);
            auto it = std::find(names.begin(), names.end(), name);
            if (it == names.end()) {
                if (!spec.groupNames.empty() || static_cast<int>(names.size()) == shape.groups)
                    continue; // none of the groups the graph draws
                it = names.insert(names.end(), name);
            }
            const auto group = static_cast<size_t>(it - names.begin());
            if (group < groupRows.size())
                groupRows[group].push_back(row);
        }
    }

    // Each group's points: P rows a point, labelled by the first; the points line up by label.
    std::vector<std::vector<size_t>> positions;
    for (std::vector<int>& rows : groupRows) {
        rows.resize(rows.size() - rows.size() % static_cast<size_t>(p));
        std::vector<std::string> labels;
        for (size_t r = 0; r < rows.size(); r += static_cast<size_t>(p))
            labels.push_back(LabelOf(spec, text, rows[r]));
        if (spec.groupColumn < 0) {
            std::vector<size_t> own(labels.size());
            for (size_t k = 0; k < own.size(); ++k)
                own[k] = k;
            if (data.labels.empty())
                data.labels = labels;
            positions.push_back(own);
        } else {
            positions.push_back(MergeLabels(labels, data.labels));
        }
    }
    if (data.labels.empty())
        return data;

    data.series.assign(static_cast<size_t>(shape.Series()), GraphSeriesData{0, false, -2, {}});
    for (GraphSeriesData& series : data.series)
        series.points.assign(data.labels.size(), std::nullopt);
    for (int g = 0; g < shape.groups; ++g) {
        const std::vector<int>& rows = groupRows[static_cast<size_t>(g)];
        for (size_t r = 0; r < rows.size(); ++r) {
            const size_t point = positions[static_cast<size_t>(g)][r / static_cast<size_t>(p)];
            PlaceRow(shape, spec, text, rows[r], g, static_cast<int>(r % static_cast<size_t>(p)), point, data);
        }
    }
    std::erase_if(data.series, [](const GraphSeriesData& series) {
        return std::none_of(series.points.begin(), series.points.end(),
                            [](const std::optional<double>& point) { return point.has_value(); });
    });
    return data;
}
