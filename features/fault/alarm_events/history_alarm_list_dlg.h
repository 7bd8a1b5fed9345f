#pragma once
// CHistoryAlarmListDlg (427, "Alarm & Event"): the alarm log an NE keeps itself, read in direct mode one page of
// entries at a time (requests 329 for the first page, 328 for a range of entry numbers). The entries count their
// times from the NE's start, which the list learns from the NE's clock (request 300). The page's rows can be
// narrowed by severity, the cleared entries and alarm names without a new request; a row opens the change of alarms
// it reports. The opener sets the target NE.

#include "features/fault/alarm_events/alarm_event_rows.h"
#include "features/fault/alarm_events/alarm_page_dlg.h"
#include "link/records/ne_alarm_log_rec.h"
#include "ui/framework/dialogs/record_list.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class CHistoryAlarmListDlg;
}

class CHistoryAlarmListDlg : public CAlarmPageDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 427;
    static constexpr int kClearedCheckId = 1171;
    static constexpr int kClearedCountId = 1398;
    static constexpr int kClearedImageId = 1048;
    // Columns.
    static constexpr int kOccurTimeColumn = 8;
    static constexpr std::array<int, 5> kHiddenColumns = {2, 9, 10, 11, 12};

    explicit CHistoryAlarmListDlg(QWidget* parent = nullptr);
    ~CHistoryAlarmListDlg() override;

    const std::vector<NeAlarmLogEntry>& Page() const { return page_; }
    // The NE's start as the last clock query gave it, in seconds.
    int64_t GetBootTime() const { return bootTime_; }

    void InitData() override;
    int OnCommandHook(int id, int code) override;

    void OnDetail();

protected:
    bool HasTotal() const override { return false; }
    uint32_t RangeBound() const override { return kNeAlarmLogBound; }
    PagingButtons Buttons(RecordRange range) const override { return NeLogPagingButtons(range); }
    void OnPagingButton(int id) override;
    uint16_t RowFlags(uint32_t key) const override;
    const std::string& RowAlarms(uint32_t key) const override;
    void DrawOwnExtras(Dc& dc) override;

private:
    // A page to ask for: from entry `first` (0: the log's first entries), `count` entries (0: as many as a history
    // page holds).
    struct PageRequest {
        uint32_t first = 0;
        uint32_t count = 0;
    };
    void RunPageQuery(PageRequest request);
    // The fill: the page asked for, or the range in the edits; the keys of its rows.
    std::vector<uint32_t> QueryPage();
    const NeAlarmLogEntry* Entry(uint32_t key) const;

    std::unique_ptr<Ui::CHistoryAlarmListDlg> ui_;
    std::vector<NeAlarmLogEntry> page_;
    CTableRecordList<NeAlarmLogEntry> rows_;
    std::optional<PageRequest> pending_;
    bool firstPage_ = false;
    int64_t bootTime_ = 0;
};
