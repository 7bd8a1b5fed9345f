#pragma once
// CRecordListDlg, the base of dialogs that list records and act on the selected one. It wires the common list
// commands, each from its button and from its entry of the list's context menu:
//
//     Show 1291 / 33082, Modify 1150 / 33015, Add 1263 / 33060, Delete 1131 / 33008, Refresh 1307 / 33084,
//     Export 1165 / 33024, Close 33023
//
// The rows are the dialog's typed list (record_list.h): the records by key and the column table that makes their
// cells, images and order. The base fills the list through it (FillList at the start, RefillList for Refresh and
// after an add), sorts by it and exports what it shows. Show, Modify, Add and Delete check the operator's right first
// (Setup::right: 'q', 'm', 'c' and 'd'), then, but for Add, that a row is selected, and call the hooks of the same
// names with the row's key. The commands that need a row (Setup::rowCommands, a button with its menu entry, the
// dialog's own commands among them) are enabled only while one is selected. A double click, Enter on the list or the
// OK button run the activation command on the selected row and do nothing without one (Enter and OK say "Please
// select one item" in a dialog whose Setup::activateAsksForRow is on); the dialog closes through Close.
//
//     class CLocationListDlg : public CRecordListDlg {
//     public:
//         CLocationListDlg()
//             : CRecordListDlg(232, {.popupName = "GROUP_LIST",
//                                    .rowCommands = {kRowShow, kRowModify, kRowDelete, {1174, 33029}},
//                                    .activateCommand = kShowButtonId, .right = kRightLocations,
//                                    .exportStem = "Location"}),
//               rows_(*this, Columns(), &FindLocation, [this] { return LocationsOfList(); })
//         {
//             ui_->setupUi(this);
//             SetRecordList(rows_);
//         }
//         void OnShowRecord(uint32_t locationId) override;
//         ...
//     private:
//         CTableRecordList<CLocationNode> rows_;
//     };

#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/messages/string_ids.h"

#include <cstdint>
#include <optional>
#include <vector>

// Entries of the list context menus.
inline constexpr int kPopupShow = 33082;
inline constexpr int kPopupModify = 33015;
inline constexpr int kPopupAdd = 33060;
inline constexpr int kPopupDelete = 33008;
inline constexpr int kPopupRefresh = 33084;
inline constexpr int kPopupExport = 33024;
inline constexpr int kPopupClose = 33023;

// A command that needs a selected row: its button and its context menu entry (0 for none).
struct RowCommand {
    int button = 0;
    int popup = 0;
};
inline constexpr RowCommand kRowShow{kShowButtonId, kPopupShow};
inline constexpr RowCommand kRowModify{kModifyButtonId, kPopupModify};
inline constexpr RowCommand kRowDelete{kDeleteButtonId, kPopupDelete};

class CListRows;

class CRecordListDlg : public CADialog {
    Q_OBJECT
public:
    struct Setup {
        int listId = kListControlId;
        // The context menu's popup in the list menus; none without a name.
        const char* popupName = nullptr;
        // Buttons and menu entries enabled only while a row is selected.
        std::vector<RowCommand> rowCommands;
        // The context menu leaves out the entries of the row commands not offered, rather than greying them.
        bool leaveOutRowCommands = false;
        // What a double click, Enter or OK runs on the selected row (a button id); 0 for nothing.
        int activateCommand = 0;
        // Enter and OK without a selected row say "Please select one item", as the command does, rather than nothing.
        bool activateAsksForRow = false;
        // The function of the access rights whose letters Show, Modify, Add and Delete need; -1 for none.
        int right = -1;
        // Show, Modify and Add leave the right to the record dialog they open, which checks its mode's letter.
        bool dialogChecksRight = false;
        // Delete and Refresh first make sure the target NE is still there ("Unknown NE" when not).
        bool targetNeFirst = false;
        // Delete alone does so first, before its right (a Refresh that looks for the NE in its fill keeps to it).
        bool deleteTargetNeFirst = false;
        // Modify does so after its right, before it asks for a row.
        bool modifyTargetNeBeforeRow = false;
        // A descending sort reverses the ascending order whole, rows of equal values too (else their ties stay
        // ascending).
        bool descendingTurnsTies = false;
        // Export: the file stem and the delimiter.
        const char* exportStem = "";
        char exportDelimiter = '\t';
    };

    CRecordListDlg(int templateId, Setup setup, QWidget* parent = nullptr);

    // The dialog's typed list: given in the constructor, once the form is set up, and kept by the dialog.
    void SetRecordList(CListRows& rows);
    // A typed list of a second list control of the dialog. The common commands act on the dialog's list only: the
    // dialog fills, sorts and works this one itself (CompareItems tells the lists' rows apart by their keys).
    void AddRecordList(CListRows& rows, int listId);
    int GetListId() const { return setup_.listId; }

    // Hooks. The record hooks get the selected row's key; without the right they are not called and the message line
    // says "No privilege", without a selected row Show, Modify and Delete say "Please select one item".
    virtual void OnShowRecord(uint32_t /*key*/) {}
    virtual void OnModifyRecord(uint32_t /*key*/) {}
    // The selected row's key, none without a selection.
    virtual void OnAddRecord(std::optional<uint32_t> /*selected*/) {}
    virtual void OnDeleteRecord(uint32_t /*key*/) {}
    virtual void OnExport();
    // Refresh, from its button or its menu entry: the list filled again. A dialog whose rows come another way than
    // the typed list's fill refreshes them itself.
    virtual void OnRefresh() { RefillList(); }
    // Entries the context menu shows greyed now, beside the row commands while no row is selected.
    virtual std::vector<uint16_t> GreyedPopupCommands() const { return {}; }
    // Whether a row command is offered for the selected row's key (none without a selection): its button enabled and
    // its context menu entry not greyed. The base offers each while a row is selected.
    virtual bool IsRowCommandOn(const RowCommand& command, std::optional<uint32_t> selected) const;

    // The list, its selected row (-1 when none) and that row's key.
    CListControl List() const;
    int SelectedRow() const;
    std::optional<uint32_t> SelectedItemData() const;
    // The selected row's key; without a selection "Please select one item" on the message line.
    std::optional<uint32_t> RequireSelectedItemData();
    // "Are you sure to delete the data?"; true for Yes.
    bool ConfirmDelete() const;
    // Selects the row with the key and scrolls it into view; false when no row has it.
    bool SelectRowByItemData(uint32_t itemData);
    // Scrolls the row with the key into view, leaving the selection as it is; false when no row has it.
    bool ScrollToItemData(uint32_t itemData);
    // Enables the row commands by the selection; a fill ends with it.
    void UpdateRowCommands();
    // Enables the button only for an operator whose role has the letter on the right item; one withheld so stays
    // disabled whatever the selection, a row command's too.
    void EnableForRight(int button, int right, char letter);
    // Every row anew from where the typed list takes its records, in the order they come.
    void FillList();
    // The first fill of a list of many rows in two turns of the event loop, so that neither holds the window long:
    // the records are gathered now, and their rows come (sorted as the header shows, the columns sized to them) on
    // the next turn. Until then the fill is pending.
    void FillListInTwoSteps();
    bool IsFillPending() const { return fillPending_; }
    // Fills the list again (Refresh, or after an add), sorted as its header shows, its columns sized to the rows.
    void RefillList();

    // The typed list's order of two rows.
    int CompareItems(uint32_t item1, uint32_t item2, uint32_t flags) override;
    void OnSortBegins(int listId) override;
    void OnSortEnded(int listId) override;
    bool OnCommand(int id, int code) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    void OnListSelChanged(int row, int listId) override;
    void OnOK() override;

private:
    // The list's row with the key, -1 when none has it.
    int RowOfItemData(uint32_t itemData) const;
    // Runs the activation command on the selected row; `asking`: without one, says so if the dialog asks for it.
    void Activate(bool asking);
    // Whether the operator has the right's letter; "No privilege" on the message line when not.
    bool HasCommandRight(char letter);
    void ShowContextMenu();
    // Runs a common list command; false when the id is none of them.
    bool RunListCommand(int id);

    Setup setup_;
    CListRows* rows_ = nullptr;
    std::vector<int> withheld_; // buttons the operator lacks the right for
    bool fillPending_ = false;
};
