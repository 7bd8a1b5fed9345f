#pragma once
// CTickedRecordListDlg, a record list (record_list_dlg.h) whose rows carry ticks: Check All (1402) and Uncheck All
// (1403) tick or clear every row, and Multi-Delete (1133) deletes the ticked rows from the top after one question,
// stopping at the first that is not deleted; each also from its popup entry (33193, 33194, 33138). Multi-Delete is
// enabled while a row is ticked, Check All and Uncheck All while the list has rows, and the popup greys them alike.
// The dialog says what Multi-Delete checks first and how one ticked row is deleted:
//
//     bool MayMultiDelete() override { return CheckRight(kRightMcChannels, 'd') == 0; }
//     bool DeleteTickedRow(uint32_t key) override { ... rows_.Remove(key); return true; }

#include "ui/framework/dialogs/record_list_dlg.h"

#include <cstdint>
#include <vector>

class CTickedRecordListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kMultiDeleteId = 1133;
    static constexpr int kCheckAllId = 1402;
    static constexpr int kUncheckAllId = 1403;
    static constexpr int kPopupMultiDelete = 33138;
    static constexpr int kPopupCheckAll = 33193;
    static constexpr int kPopupUncheckAll = 33194;

    using CRecordListDlg::CRecordListDlg;

    int OnCommandHook(int id, int code) override;
    int OnNotifyHook(const NotifyHeader& header, int* result) override;
    std::vector<uint16_t> GreyedPopupCommands() const override;

protected:
    // Multi-Delete's checks before its question (the right to delete); false, with the refusal shown, ends it.
    virtual bool MayMultiDelete() = 0;
    // Deletes one ticked row's record without asking and takes its row away; false stops the walk.
    virtual bool DeleteTickedRow(uint32_t key) = 0;

    // The ticked rows' keys in the list's order.
    std::vector<uint32_t> TickedKeys() const;
    bool AnyTicked() const;
    // Multi-Delete, Check All and Uncheck All by the rows and the ticks.
    void UpdateTickCommands();
    void TickAll(bool on);

private:
    void MultiDelete();
};
