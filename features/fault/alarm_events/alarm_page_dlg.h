#pragma once
// What the two paged alarm lists share (the server's alarms and events, an NE's own log): the record range in the
// From and To edits with the paging buttons and the page up-down control, the local row filter of the fetched page
// (severities, acknowledgement or a cleared state, alarm names) that hides rows without a new request, and the counts
// of the rows shown. A list derives from it, gives its page query as the fill of its typed list, and answers for each
// row its filter bits and alarm names:
//
//     class CMyAlarmListDlg : public CAlarmPageDlg {
//         std::vector<uint32_t> QueryPage();                  // the fill: the keys of the rows of the new page
//         uint16_t RowFlags(uint32_t key) const override;     // kRowFilter* bits of the row
//         const std::string& RowAlarms(uint32_t key) const override;
//         uint32_t RangeBound() const override;               // the total, or the NE log's bound
//         void OnPagingButton(int id) override;               // the new range, then RunPageQuery
//     };

#include "features/fault/alarm_events/record_paging.h"
#include "ui/framework/dialogs/record_list_dlg.h"

#include <cstdint>
#include <string>
#include <vector>

class CAlarmPageDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTotalId = 1303;
    static constexpr int kFromId = 1304;
    static constexpr int kToId = 1306;
    static constexpr int kSpinId = 1305;
    static constexpr int kFirstPageId = 1169;
    static constexpr int kPreviousPageId = 1277;
    static constexpr int kNextPageId = 1264;
    static constexpr int kLastPageId = 1211;
    static constexpr int kNameCheckId = 1036;
    static constexpr int kNameEditId = 1038;
    static constexpr int kDetailButtonId = 1132;
    static constexpr int kPopupDetail = 33012;
    // Columns both lists share.
    static constexpr int kSeverityColumn = 1;
    static constexpr int kAlarmsColumn = 7;

    // A check box of the row filter: the bit a row needs for it and the count of the rows shown with that bit.
    struct FilterBox {
        int checkId = 0;
        uint16_t bit = 0;
        int countId = 0; // 0: no count
    };

    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    int OnNotifyHook(const NotifyHeader& header, int* result) override;
    void DrawExtras(Dc& dc) override;

    RecordRange GetRange() const { return range_; }

protected:
    // `rowBoxes` are the severity (and cleared) boxes: a shown row has the bit of one that is ticked. `ackBoxes`, when
    // there are any, likewise for the acknowledgement.
    CAlarmPageDlg(int templateId, Setup setup, std::vector<FilterBox> rowBoxes, std::vector<FilterBox> ackBoxes,
                  QWidget* parent);

    // The highest record number the range may reach.
    virtual uint32_t RangeBound() const = 0;
    // The list shows the server's total and has a last page.
    virtual bool HasTotal() const = 0;
    virtual PagingButtons Buttons(RecordRange range) const = 0;
    // A paging button (first, previous, next, last) after the range was checked.
    virtual void OnPagingButton(int id) = 0;
    virtual uint16_t RowFlags(uint32_t key) const = 0;
    virtual const std::string& RowAlarms(uint32_t key) const = 0;
    // Extra drawing of the derived list's own statics.
    virtual void DrawOwnExtras(Dc& /*dc*/) {}

    // The range in the edits and the member; the buttons follow.
    void ShowRange(RecordRange range);
    // Checks the edits, bounds the range (ValidateRecordRange) and shows it; false when an edit holds no number.
    bool ValidateRange();
    void UpdatePagingButtons();
    // Ticks the filter boxes: the row boxes given (all when empty) and every acknowledgement box but those left out.
    void ResetFilterBoxes(const std::vector<int>& rowChecksOn, const std::vector<int>& ackChecksOff);
    // Makes the filter from the boxes and shows the rows that pass it, with their counts and in the list's order.
    void ApplyRowFilter();
    // The rows of a page just fetched: while Alarm Name is ticked, a record none of whose alarms is named gives no
    // row, and the page keeps none for it (unticking the box later does not bring it back) until it is fetched again.
    std::vector<uint32_t> NamedRows(std::vector<uint32_t> keys) const;
    // Sets the proxy's filter from the members and counts the rows of `keys` that pass it.
    void FilterAndCount(const std::vector<uint32_t>& keys);
    void ClearCounts();

    uint32_t total_ = 0;

private:
    bool Passes(uint32_t key) const;
    // The edits hold numbers: Refresh, the paging buttons and the spin as they say; else all of them off.
    void OnRangeEdited();

    std::vector<FilterBox> rowBoxes_;
    std::vector<FilterBox> ackBoxes_;
    std::vector<int> rowChecks_;
    std::vector<int> ackChecks_;
    int nameCheck_ = 0;
    std::string names_;
    RecordRange range_;
    bool showingRange_ = false;
    std::vector<uint32_t> keys_;
};
