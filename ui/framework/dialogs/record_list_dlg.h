#pragma once
// CRecordListDlg, the base of dialogs that list records and act on the selected one. It wires the common list
// commands, each from its button and from its entry of the list's context menu:
//
//     Show 1291 / 33082, Modify 1150 / 33015, Add 1263 / 33060, Delete 1131 / 33008, Refresh 1307 / 33084,
//     Export 1165 / 33024, Close 33023
//
// Show, Modify, Add and Delete call the hooks of the same names; Refresh fills the list again in the order its header
// shows (RefillList); Export runs the Export dialog on the list with the dialog's stem and delimiter. The commands
// that need a row (Setup::rowCommands, a button with its menu entry, the dialog's own commands among them) are
// enabled only while a row is selected. A double click, Enter on the list or the OK button run the activation command
// on the selected row and do nothing without one; the dialog closes through Close.
//
//     class CLocationListDlg : public CRecordListDlg {
//     public:
//         CLocationListDlg()
//             : CRecordListDlg(232, {.popupName = "GROUP_LIST",
//                                    .rowCommands = {kRowShow, kRowModify, kRowDelete, {1174, 33029}},
//                                    .activateCommand = kShowButtonId, .exportStem = "Location"}) {}
//         void FillList() override;
//         void OnShowRecord(uint32_t locationId) override;
//         ...
//     };

#include "ui/framework/dialogs/ca_dialog.h"

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

inline constexpr uint32_t kStrSelectOneItem = 20052;
inline constexpr uint32_t kStrConfirmDelete = 10026;

class CRecordListDlg : public CADialog {
    Q_OBJECT
public:
    struct Setup {
        int listId = kListControlId;
        // The context menu's popup in the list menus; none without a name.
        const char* popupName = nullptr;
        // Buttons and menu entries enabled only while a row is selected.
        std::vector<RowCommand> rowCommands;
        // What a double click, Enter or OK runs on the selected row (a button id); 0 for nothing.
        int activateCommand = 0;
        // Export: the file stem and the delimiter.
        const char* exportStem = "";
        char exportDelimiter = '\t';
    };

    CRecordListDlg(int templateId, Setup setup, QWidget* parent = nullptr);

    // Hooks. The record hooks get the selected row's item data; without a selected row Show, Modify and Delete say
    // "Please select one item" and call nothing.
    // Empties the list and fills it again.
    virtual void FillList() {}
    virtual void OnShowRecord(uint32_t /*itemData*/) {}
    virtual void OnModifyRecord(uint32_t /*itemData*/) {}
    // The selected row's item data, none without a selection.
    virtual void OnAddRecord(std::optional<uint32_t> /*selected*/) {}
    virtual void OnDeleteRecord(uint32_t /*itemData*/) {}
    virtual void OnExport();

    // The list, its selected row (-1 when none) and that row's item data.
    CListControl List() const;
    int SelectedRow() const;
    std::optional<uint32_t> SelectedItemData() const;
    // The selected row's item data; without a selection "Please select one item" on the message line.
    std::optional<uint32_t> RequireSelectedItemData();
    // "Are you sure to delete the data?"; true for Yes.
    bool ConfirmDelete() const;
    // Selects the row with the item data and scrolls it into view; false when no row has it.
    bool SelectRowByItemData(uint32_t itemData);
    // Enables the row commands by the selection; a fill ends with it.
    void UpdateRowCommands();
    // Deletes a row (none for -1) and enables the row commands by what stays selected.
    void RemoveRow(int row);
    // Fills the list again (Refresh, or after an add), sorted as its header shows, its columns sized to the rows, the
    // row commands updated.
    void RefillList();

    bool OnCommand(int id, int code) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    void OnListSelChanged(int row, int listId) override;
    void OnOK() override;

private:
    // Runs the activation command on the selected row.
    void Activate();
    void ShowContextMenu();
    // Runs a common list command; false when the id is none of them.
    bool RunListCommand(int id);

    Setup setup_;
};
