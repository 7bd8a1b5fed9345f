#pragma once
// CNeUserAccountDlg (394, "NE User Account Setting"): adds one login account to the target NE, or changes the
// password (and, but for the NE's built-in account, the role) of one. OK checks the name and the password, asks the
// NE for room before an add, sends the account and ends the dialog with IDOK; the dialog then holds what was sent.
//
//     CNeUserAccountDlg dlg(this);
//     dlg.SetTarget(neId, nullptr);
//     dlg.SetAccessMode(kAccessModify);       // kAccessCreate to add
//     dlg.SetAccount(account, roleEditable);
//     if (dlg.DoModal() == IDOK) ... dlg.GetAccount() ...

#include "link/records/ne_user_account_record.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <memory>

namespace Ui {
class CNeUserAccountDlg;
}

class CNeUserAccountDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 394;
    static constexpr int kNameId = 1257;
    static constexpr int kPasswordId = 1289;
    static constexpr int kVerificationId = 1290;
    static constexpr int kAdministratorId = 1059;
    static constexpr int kGuestId = 1060;
    // An NE keeps at most this many accounts.
    static constexpr uint16_t kMaxAccounts = 20;
    static constexpr int kTextMax = 16;

    explicit CNeUserAccountDlg(QWidget* parent = nullptr);
    ~CNeUserAccountDlg() override;

    // The account shown when changing one, and whether its role may change.
    void SetAccount(const NeUserAccountRecord& account, bool roleEditable);
    const NeUserAccountRecord& GetAccount() const { return account_; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    bool Creating() const { return GetAccessMode() == kAccessCreate; }
    // Whether the NE has room for another account; false (with the reason shown) when not.
    bool HasRoom();

    std::unique_ptr<Ui::CNeUserAccountDlg> ui_;
    NeUserAccountRecord account_;
    bool roleEditable_ = true;
    QString name_;
    QString password_;
    QString verification_;
    int role_ = 0; // 0 Administrator, 1 Guest
};

// The name of the NE's default account, which is there from the start and never added.
inline constexpr char kNeDefaultAccount[] = "su";
