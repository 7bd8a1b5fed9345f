#pragma once
// CUserDataDlg ("User Data Setting", template 272): shows, adds or changes one operator account of the server. The
// opener sets the account's name (show, modify), the access mode and, for a new account, its location. An operator
// opens the accounts its role may manage (an Administrator every account, a Manager the Users' and its own, a User
// its own) and gives the roles its role may give. The password is never sent in clear: OK sends the first ten hex
// digits of its MD5, computed when the account is new or the password was changed; an unchanged password field sends
// the digest the account had. Request 13 adds, 10 changes; after OK the dialog's user name and location are the
// account's.

#include "features/management/accounts/role_controls.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <memory>
#include <string>

namespace Ui {
class CUserDataDlg;
}

class CUserDataDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 272;
    static constexpr int kNameId = 1199;
    static constexpr int kPasswordId = 1112;
    static constexpr int kVerificationId = 1113;
    static constexpr int kFullNameId = 1257;
    static constexpr int kTelephoneId = 1258;
    static constexpr int kDivisionId = 1262;
    static constexpr int kAddressId = 1261;
    static constexpr int kCommentId = 1132;
    static constexpr int kLocationComboId = 1214;
    static constexpr int kAdministratorRadioId = ::kAdministratorRadioId;
    static constexpr int kManagerRadioId = ::kManagerRadioId;
    static constexpr int kUserRadioId = ::kUserRadioId;
    static constexpr int kAdministratorImageId = ::kAdministratorImageId;
    static constexpr int kManagerImageId = ::kManagerImageId;
    static constexpr int kUserImageId = ::kUserImageId;

    explicit CUserDataDlg(QWidget* parent = nullptr);
    ~CUserDataDlg() override;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void DrawExtras(Dc& dc) override;
    int OnCommandHook(int id, int code) override;
    void OnOK() override;

    // The role chosen: 0 Administrator, 1 Manager, 2 User.
    int GetRole() const { return role_; }

private:
    bool IsCreating() const { return GetAccessMode() == kAccessCreate; }
    // Offers the roles the operator may give and marks the chosen one.
    void ShowRoles(bool ownAccount);
    // The character at `position` of the edit (none when -1), which no name may hold: selected and refused on the
    // message line. True when refused.
    bool RefuseBadCharacter(int id, int position);

    std::unique_ptr<Ui::CUserDataDlg> ui_;
    QString name_;
    QString password_;
    QString verification_;
    QString fullName_;
    QString telephone_;
    QString division_;
    QString address_;
    QString comment_;
    int role_ = 2;
    uint32_t locationId_ = 0;
    std::string loadedDigest_; // the digest the account had; empty for a new one
};
