#pragma once
// CTrapLogView (form 270): the live trap log of the main window's right pane. At each refresh of the main frame it
// pulls the records that are new in the trap log and shows them newest on top, coloured by severity, under a band that
// shows the filter in force. The operator pauses and continues the log, empties it, filters it, exports it and opens
// the detail of a row.
//
// The view keeps a copy of the records it shows, one slot per record number modulo its size (ALARM/TRAPLOGSIZE), so
// that it never holds more rows than slots: a new record removes the row of the record whose slot it takes. The list
// is model-backed: a row is its record's sequence number (its item data), and the cells are made from the record in
// the copy when the list draws or reads them; detail and sort find the record by the number.

#include "core/tables/trap_log_ring.h"
#include "features/fault/trap_log/trap_log_row.h"
#include "ui/framework/views/form_view.h"

#include <cstdint>
#include <memory>
#include <vector>

class CRecordTableModel;

namespace Ui {
class CTrapLogView;
}

class CTrapLogView : public CAFormView {
    Q_OBJECT
public:
    static constexpr int kFormId = 270;
    static constexpr int kBandId = 1320;
    static constexpr int kFilterLocationTextId = 1149;
    static constexpr int kFilterEntityTextId = 1163;
    static constexpr int kRunStateId = 1331;
    static constexpr int kFilterButtonId = 1168;

    // Commands (menu TRAPLOGVIEW_LIST).
    static constexpr int kCmdDetail = 33012;
    static constexpr int kCmdFilter = 33026;
    static constexpr int kCmdReset = 33004;
    static constexpr int kCmdPause = 33094;
    static constexpr int kCmdContinue = 33093;
    static constexpr int kCmdExport = 33024;

    static constexpr uint32_t kNoRecord = 0xFFFFFFFF;
    // The list keeps its height when stretching it down would leave this or less.
    static constexpr int kMinListHeight = 40;

    // `ring` null: the application's trap log.
    explicit CTrapLogView(QWidget* parent = nullptr, CTrapLogRing* ring = nullptr);
    ~CTrapLogView() override;

    // Hooks.
    void InitData() override;
    void RefreshData() override;
    void DrawExtras(Dc& dc) override;
    int OnCommandHook(int id, int code) override;
    int OnNotifyHook(const NotifyHeader& header, int* result) override;
    int CompareItems(uint32_t item1, uint32_t item2, uint32_t flags) override;

    // Commands.
    void OnDetail();
    void OnFilter();
    void OnReset();
    void OnPause();
    void OnContinue();
    void OnExport();
    void OnContextMenu();

    // Paused or running, for every trap log view.
    static bool IsPaused();
    static void SetPaused(bool paused);

    bool IsFirstFill() const { return firstFill_; }
    uint32_t GetLastShown() const { return lastShown_; }
    // Slots of the view's copy of the log.
    uint32_t GetCopySize() const { return static_cast<uint32_t>(copy_.size()); }
    // The record of a row's item data, while the view still holds it.
    const TrapLogRecord* FindRecord(uint32_t sequence) const;
    // The list's rows and their records' sequence numbers, top down.
    std::vector<uint32_t> RowSequences() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Slot {
        TrapLogRecord record;
        bool shown = false; // the record has a row in the list
    };

    CTrapLogRing& Ring() const { return *ring_; }
    // Empties the copy, at the current ALARM/TRAPLOGSIZE.
    void ResetCopy();
    // Deletes every row and starts again from the oldest record of the log.
    void RestartFromRing();
    // The slot holding the record with that number; null when it holds another.
    const Slot* SlotOf(uint32_t sequence) const;
    QString CellText(uint32_t sequence, int column) const;
    int CellImage(uint32_t sequence, int column) const;
    // The record of the first selected row; null without one.
    const TrapLogRecord* SelectedRecord() const;
    void WriteFilterTexts();
    void LayoutControls();

    std::unique_ptr<Ui::CTrapLogView> ui_;
    CTrapLogRing* ring_;
    std::vector<Slot> copy_;
    // The list's rows, newest first: the sequence numbers of the records shown. Owned by the view.
    CRecordTableModel* rows_ = nullptr;
    uint32_t lastShown_ = 0;
    bool firstFill_ = true;
    bool initialised_ = false;
    bool stopRefreshWhileBusy_ = false;
    // The trap log's generation the copy follows; when the log is emptied elsewhere the view starts again.
    uint32_t ringGeneration_ = 0;
};

// Makes the main frame build this view for its trap log pane.
void RegisterTrapLogView();
