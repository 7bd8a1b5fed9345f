#pragma once
// CAlarmEventListDlg (223, "Alarm & Event"): the active alarms, or the history alarms and events, that the management
// server holds and the criteria select, one page of records at a time (request 328). The criteria dialog, the
// statistics and the alarm summary hand it what to ask for before DoModal:
//
//     CAlarmEventListDlg list(this);
//     list.SetTarget(neId, &entity);        // no NE: every NE
//     list.SetLocationId(locationId);
//     list.SetHandOver({.queryMode = kAlarmQueryActive, .withSubEntities = true, .severity = 1});
//     list.DoModal();
//
// The page's rows can be narrowed by severity, acknowledgement and alarm names without a new request; a row opens
// its detail and, for active alarms, the acknowledgement of its entity.

#include "features/fault/alarm_events/alarm_event_rows.h"
#include "features/fault/alarm_events/alarm_page_dlg.h"
#include "link/records/alarm_query_rec.h"
#include "ui/framework/dialogs/record_list.h"

#include <memory>
#include <vector>

namespace Ui {
class CAlarmEventListDlg;
}

// What the opener asks for besides the target and the location.
struct AlarmQueryHandOver {
    uint32_t queryMode = kAlarmQueryActive; // kAlarmQueryActive or kAlarmQueryHistory
    uint32_t ackOnly = 0;
    uint32_t modelId = 0;   // 0: any
    uint32_t alarmMask = 0; // 0: any
    bool withSubEntities = false;
    uint32_t severity = 0; // 0: any
    uint32_t fromTime = 0; // 0: open
    uint32_t toTime = 0;   // 0: open
    bool operator==(const AlarmQueryHandOver&) const = default;
};

class CAlarmEventListDlg : public CAlarmPageDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 223;
    static constexpr int kAckCheckId = 1170;
    static constexpr int kNackCheckId = 1182;
    static constexpr int kAcknowledgeButtonId = 1031;
    static constexpr int kPopupAcknowledge = 33000;
    // The first range asked for.
    static constexpr uint32_t kFirstRangeEnd = 1000;
    // Columns.
    static constexpr int kLocationColumn = 2;
    static constexpr int kClearTimeColumn = 10;
    static constexpr int kAckPersonColumn = 11;
    static constexpr int kAckTimeColumn = 12;

    explicit CAlarmEventListDlg(QWidget* parent = nullptr);
    ~CAlarmEventListDlg() override;

    void SetHandOver(const AlarmQueryHandOver& handOver) { handOver_ = handOver; }
    const AlarmQueryHandOver& GetHandOver() const { return handOver_; }
    // The records of the last page and the number of matches the server gave.
    const std::vector<AlarmEventEntry>& Page() const { return page_; }
    uint32_t GetTotal() const { return total_; }

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    void OnListSelChanged(int row, int listId) override;

    void OnDetail();
    void OnAcknowledge();

protected:
    bool HasTotal() const override { return true; }
    uint32_t RangeBound() const override { return total_; }
    PagingButtons Buttons(RecordRange range) const override { return ServerPagingButtons(range, total_); }
    void OnPagingButton(int id) override;
    uint16_t RowFlags(uint32_t key) const override;
    const std::string& RowAlarms(uint32_t key) const override;

private:
    // The fill: the page of the range in the edits; the keys of its rows.
    std::vector<uint32_t> QueryPage();
    // The filter boxes as the hand-over sets them.
    void ResetBoxesToHandOver();
    AlarmQueryRec QueryOfHandOver() const;
    // The query is the one whose total is the alarm summary's count of a severity.
    bool IsSummaryQuery(const AlarmQueryRec& query) const;
    const AlarmEventEntry* Entry(uint32_t key) const;

    std::unique_ptr<Ui::CAlarmEventListDlg> ui_;
    AlarmQueryHandOver handOver_;
    std::vector<AlarmEventEntry> page_;
    CTableRecordList<AlarmEventEntry> rows_;
};
