#pragma once
// CNeUserAccountListDlg (393, "NE User Account List"): the login accounts of the target NE, kept by the NE itself (in
// server mode through the server), with Modify, Add, Delete and Export. Rows are numbered in the order they came to
// the list; the NE's built-in account is drawn in red and cannot be deleted, and accounts out of service are grey.
// Opened in query mode, the list only shows.

#include "link/records/ne_user_account_record.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"
#include "ui/framework/dialogs/row_numbers.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Ui {
class CNeUserAccountListDlg;
}

class CNeUserAccountListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 393;
    static constexpr int kEnabledLegendId = 1153;
    static constexpr int kDisabledLegendId = 1134;
    // Columns of the list.
    static constexpr int kNumberColumn = 0;
    static constexpr int kNameColumn = 1;
    static constexpr int kRoleColumn = 2;
    // The key of the built-in account's row carries this bit.
    static constexpr uint32_t kBuiltInRow = 0x80000000u;

    explicit CNeUserAccountListDlg(QWidget* parent = nullptr);
    ~CNeUserAccountListDlg() override;

    void InitData() override;
    void DrawExtras(Dc& dc) override;
    void GetItemColors(int row, int column, COLORREF* textColor, COLORREF* backColor, COLORREF* backColor2,
                       int listId) override;
    bool IsRowCommandOn(const RowCommand& command, std::optional<uint32_t> selected) const override;
    void OnModifyRecord(uint32_t key) override;
    void OnAddRecord(std::optional<uint32_t> selected) override;
    void OnDeleteRecord(uint32_t key) override;

private:
    // No., User Name, Role and the hidden role number.
    std::vector<ListColumn<NeUserAccountRecord>> Columns();
    // The row number of an account (the key of its row): the next one for a name the list has not had, with the
    // built-in account's bit.
    uint32_t KeyOf(const std::string& name);
    bool ShowsOnly() const { return GetAccessMode() == kAccessQuery; }

    std::unique_ptr<Ui::CNeUserAccountListDlg> ui_;
    CRowNumbers numbers_;
    CRecordList<NeUserAccountRecord> rows_;
};
