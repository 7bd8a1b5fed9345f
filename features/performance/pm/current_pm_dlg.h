#pragma once
// The frame of the current PM windows of an xDSL port (ADSL, SHDSL): eight fixed rows, CO and RT side of the current
// and previous 15 minutes and the current and previous day (row 0 current 15 min CO, 1 its RT, 2 previous 15 min CO,
// ... 7 previous day RT), each interval's two rows in a colour of their own; the elapsed seconds of the current 15
// minutes and day above them; and the live graph of a current row (CLivePmListDlg). A refresh starts from empty rows
// and blank elapsed times, and the rows show whatever it came to, a failure included.
//
//     class CShdslCurPmDlg : public CCurrentPmDlgOf<ShdslCurPmRow> {
//         CShdslCurPmDlg() : CCurrentPmDlgOf({417, "ShdslPmC", kRefreshTimer, kShdslPortClass, columnsId}, Columns())
//         { ui_->setupUi(this); BindRows(); }
//         bool ReadRows(const CNeRecord& ne, Rows& rows, bool automatic) override; // and feeds LiveGraph()
//     };

#include "core/tables/access_rights.h"
#include "core/tables/ne_record.h"
#include "core/tables/ne_table.h"
#include "features/performance/graphs/pm_graph_dlg.h"
#include "features/performance/pm/live_pm_list_dlg.h"
#include "features/performance/pm/pm_port_target.h"
#include "platform/color_ref.h"
#include "ui/framework/charts/chart_settings.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

#include <QLineEdit>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <vector>

// "current 15 min", "previous 15 min", "current day", "previous day" (missing ones empty).
QString PmIntervalName(int interval);

template <class Row> class CCurrentPmDlgOf : public CLivePmListDlg {
public:
    static constexpr int kDescriptionButtonId = 1132;
    static constexpr int k15MinElapsedId = 1000;
    static constexpr int kDayElapsedId = 1013;
    static constexpr int kRowCount = 8;
    using Rows = std::array<Row, kRowCount>;

    bool Refresh(bool automatic) final
    {
        const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
        if (ne == nullptr)
            return false;
        ShowElapsed(QString(), QString());
        Rows rows = EmptyRows();
        const bool read = ReadRows(*ne, rows, automatic);
        for (const Row& row : rows)
            rows_.Put(row);
        return read;
    }

    void InitData() override
    {
        if (!CheckPmPortTargetOrClose(*this, kRightCurrentPm, setup_.portClass))
            return;
        UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
        InitListColumnsById(setup_.columnsId);
        const Rows rows = EmptyRows();
        rows_.SetRecords({rows.begin(), rows.end()});
        InitAutoRefresh();
        Refresh(false);
    }

protected:
    struct CurrentPmSetup {
        int templateId;
        const char* exportStem;
        int refreshTimer;
        uint8_t portClass;
        uint32_t columnsId;
    };

    CCurrentPmDlgOf(const CurrentPmSetup& setup, std::vector<ListColumn<Row>> columns, QWidget* parent)
        : CLivePmListDlg(setup.templateId,
                         {.popupName = "REFRESH_LIST", .rowCommands = {}, .exportStem = setup.exportStem},
                         setup.refreshTimer, parent),
          setup_(setup), rows_(*this, std::move(columns), [](const Row& row) { return row.number; })
    {
    }

    // The list shows the rows; once the dialog's controls are set up.
    void BindRows()
    {
        SetRecordList(rows_);
        // Each interval's two rows share a colour.
        SetRowColors(
            {{2, 0x000000, Rgb(255, 255, 255)}, {2, 0x000000, Rgb(128, 255, 128)}, {2, 0x000000, Rgb(255, 255, 224)}});
        SetNoSort(true);
    }

    // The rows before a reading: numbered, zeros.
    virtual Rows EmptyRows() const
    {
        Rows rows;
        for (uint32_t n = 0; n < rows.size(); ++n)
            rows[n].number = n;
        return rows;
    }
    // Reads the port's counters into the rows and feeds the live graph; false when a request failed.
    virtual bool ReadRows(const CNeRecord& ne, Rows& rows, bool automatic) = 0;

    void ShowElapsed(const QString& quarter, const QString& day)
    {
        GetDlgItemAs<QLineEdit>(k15MinElapsedId)->setText(quarter);
        GetDlgItemAs<QLineEdit>(kDayElapsedId)->setText(day);
    }

    // The current rows: 15 minutes and day, CO and RT.
    bool IsGraphable(uint32_t row) const override { return row == 0 || row == 1 || row == 4 || row == 5; }

    // The chart title and the most points of a current row's graph: of the 15 minutes or of the day.
    static void SetUpGraphInterval(CPmGraphDlg& graph, int row)
    {
        const bool day = row >= 4;
        graph.SetChartTitle(ChartTitle(day ? "XDSLCUR1DAY" : "XDSLCUR15MIN"));
        graph.SetMaxPoints(static_cast<uint16_t>(day ? ChartMaxPointsOf("XDSLCUR1DAYPMMAXPOINT", 100, 30000)
                                                     : ChartMaxPointsOf("XDSLCUR15MINPMMAXPOINT", 100, 900)));
    }

    const CurrentPmSetup setup_;
    CRecordList<Row> rows_;
};
