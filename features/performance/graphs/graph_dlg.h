#pragma once
// CGraphDlg (template 311, "Graph"): a chart drawn once, when the dialog opens, of the values that a list of the
// opener shows: the history and long-term PM, and the per-tone lists of the line tests. The opener names the list,
// how its rows group, which column labels the points and which columns are plotted on which axis, then runs the
// dialog modally; the list's rows are read in the order the list shows them.
//
//     CGraphDlg graph(this);
//     graph.SetChartTitle(ChartTitle("PMHIS"));
//     graph.SetAxisTitles(caption, "Create Time", "Seconds / Times", "Cells / Bits");
//     graph.SetSeriesTitles("CO|RT");
//     graph.SetSourceList(2, 1, FindList(kListControlId));     // two groups of rows, one row a point
//     graph.SetSourceColumns(1, 0, {2, 3, 4, 5, -6, -7, -8, 9, 10}); // labels from column 0; negative: right axis
//     graph.SetSourceGroupColumn(1);                          // the groups are the rows' sides, of any sizes
//     graph.DoModal();
//
// The mapping of cells to series and points is graph_mapping.h's. Without a list, or without columns, the dialog
// ends with Cancel when it opens. The chart's buttons are those of CChartPanel.

#include "features/performance/graphs/graph_mapping.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

class CChartPanel;
class QTreeView;
namespace Ui {
class CGraphDlg;
}

class CGraphDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 311;
    static constexpr size_t kMaxSeriesTitles = 32;

    explicit CGraphDlg(QWidget* parent = nullptr);
    ~CGraphDlg() override;

    // At most 127 characters; empty clears it.
    void SetChartTitle(const std::string& text);
    // The chart's heading (127 characters) and the bottom, left and right axis titles (63 each).
    void SetAxisTitles(const std::string& chart, const std::string& bottom, const std::string& left,
                       const std::string& right);
    // Titles separated by "|", 127 characters in all, at most 32 of them.
    void SetSeriesTitles(const std::string& titles);
    // The list and its groups of rows and rows per point (0 counts as 1).
    void SetSourceList(uint8_t groups, uint8_t rowsPerPoint, QTreeView* list);
    // The parts of the value columns (0 counts as 1), the column of the points' labels (negative: none; all ones is
    // -1) and the value columns, negative for the right axis.
    void SetSourceColumns(uint8_t xParts, uint32_t labelColumn, std::initializer_list<int> columns);
    // The groups of rows are the texts of this column, of any sizes; the points line up by their labels.
    void SetSourceGroupColumn(int column);

    const GraphData& Data() const { return data_; }
    CChartPanel& Chart() const { return *chart_; }

    void InitData() override;
    int OnCommandHook(int id, int code) override;

private:
    std::unique_ptr<Ui::CGraphDlg> ui_;
    std::unique_ptr<CChartPanel> chart_;
    std::string chartTitle_;
    std::string heading_, bottomTitle_, leftTitle_, rightTitle_;
    std::vector<std::string> seriesTitles_;
    QTreeView* list_ = nullptr;
    GraphSourceSpec source_;
    GraphData data_;
};
