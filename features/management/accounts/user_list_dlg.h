#pragma once
// CUserListDlg ("User List", template 274): the operator accounts of a location (with the locations below it, by
// DIALOG/USERLISTINCLSUBUSER; location 0 lists them all) as the account table holds them, in name order, each row
// with its role's picture and text colour. Show, Modify and Add open the User Data Setting; Delete sends request 14
// for an account the operator's role may manage, never the operator's own; Operation Log opens the operation log
// criteria for the selected account; Export writes the list under the stem "User". The rows follow the table, which
// the server's notifications keep current.

#include "core/tables/user_account.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Ui {
class CUserListDlg;
}

class CUserListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 274;
    static constexpr int kOperationLogButtonId = 1215;
    static constexpr int kPopupOperationLog = 33054;
    static constexpr int kAdministratorImageId = 1153;
    static constexpr int kManagerImageId = 1134;
    static constexpr int kUserImageId = 1144;
    // Columns.
    static constexpr int kNameColumn = 1;
    static constexpr int kLocationColumn = 2;

    explicit CUserListDlg(QWidget* parent = nullptr);
    ~CUserListDlg() override;

    void InitData() override;
    void DrawExtras(Dc& dc) override;
    int OnCommandHook(int id, int code) override;

    void OnShowRecord(uint32_t row) override;
    void OnModifyRecord(uint32_t row) override;
    void OnAddRecord(std::optional<uint32_t> selected) override;
    void OnDeleteRecord(uint32_t row) override;

private:
    // The accounts of the list in name order: a row's key is its account name's place in names_.
    std::vector<uint32_t> ListedAccounts();
    const CUserAccount* AccountOfRow(uint32_t key) const;
    void OpenOperationLog();

    std::unique_ptr<Ui::CUserListDlg> ui_;
    std::vector<std::string> names_;
    CTableRecordList<CUserAccount> rows_;
};

// The picture of a role in the lists: 48 Administrator, 49 Manager, 50 User, 51 any other role.
int RoleImage(int role);
// The list text colours of the role pictures, as the tree draws its accounts (black on white).
void SetRoleRowColors(CADialog& dialog);
