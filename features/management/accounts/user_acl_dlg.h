#pragma once
// CUserAclDlg ("User Access Control List", template 273): an Administrator sees and changes the rights letters of the
// three roles for the functions 0..59 that the configuration file names (section ACL, ITEM1..ITEM60), one row per
// named function, and saves the three roles' rights to the server at once (request 15). The check boxes Query,
// Modify, Create, Delete and ALL stay cumulative and set the letter of every selected row of the chosen role; the
// role buttons switch the role shown and keep every role's changes. Save sends the letters of the higher functions
// as the server sent them, so a save takes no right away that the list does not show. Closing with unsaved changes
// asks first. The program's own rights change when the server sends the new rights.

#include "core/tables/user_account.h"
#include "features/management/accounts/acl_letters.h"
#include "features/management/accounts/role_controls.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"

#include <array>
#include <memory>
#include <string>

namespace Ui {
class CUserAclDlg;
}

// One function of the list: its number and the caption the configuration file gives it.
struct AclListItem {
    int item = 0;
    std::string caption;
};

class CUserAclDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 273;
    static constexpr int kAdministratorRadioId = ::kAdministratorRadioId;
    static constexpr int kManagerRadioId = ::kManagerRadioId;
    static constexpr int kUserRadioId = ::kUserRadioId;
    static constexpr int kAdministratorImageId = ::kAdministratorImageId;
    static constexpr int kManagerImageId = ::kManagerImageId;
    static constexpr int kUserImageId = ::kUserImageId;
    static constexpr int kItemTextId = 1257;
    static constexpr int kQueryCheckId = 1172;
    static constexpr int kModifyCheckId = 1175;
    static constexpr int kCreateCheckId = 1177;
    static constexpr int kDeleteCheckId = 1180;
    static constexpr int kAllCheckId = 1394;
    static constexpr int kSaveButtonId = 1318;
    // Columns.
    static constexpr int kItemColumn = 0;
    static constexpr int kAccessColumn = 1;

    explicit CUserAclDlg(QWidget* parent = nullptr);
    ~CUserAclDlg() override;

    void InitData() override;
    void DrawExtras(Dc& dc) override;
    int OnCommandHook(int id, int code) override;
    void OnListSelChanged(int row, int listId) override;
    void OnCancel() override;

    // The letters of a role as edited so far: one per function 0..59.
    const std::string& EditedLetters(int role) const { return edited_[static_cast<size_t>(role)]; }

private:
    // The letter text of an item in the role shown.
    std::string AccessText(const AclListItem& item) const;
    // The ids of the listed functions, in function order.
    std::vector<uint32_t> ListedItems() const;
    void ShowRole(int role);
    // The check boxes and the item text follow the selected rows.
    void ShowSelection();
    AclBoxes Boxes() const;
    void SetBoxes(const AclBoxes& boxes);
    // A click of a check box: the boxes kept cumulative, their letter given to every selected row.
    void OnBoxClicked(AclBox box);
    void Save();

    std::unique_ptr<Ui::CUserAclDlg> ui_;
    std::array<AclListItem, kAclEditedItems> items_{};
    std::array<bool, kAclEditedItems> named_{};
    std::array<std::string, 3> loaded_;
    std::array<std::string, 3> edited_;
    int role_ = kRoleUser;
    CTableRecordList<AclListItem> rows_;
};
