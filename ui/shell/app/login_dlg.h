#pragma once
// The login dialog (239): the address of the server, or of the NE in direct mode ("Control the NE directly"), the
// port, the user name and the password or SNMP community. Login pings the address, switches the link to the driver
// of the mode, hides the dialog and connects; the dialog ends with IDOK once connected, and shows again with an alert
// otherwise.

#include "core/util/ip_address.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>
#include <string>

namespace Ui {
class CLoginDlg;
}

class CLoginDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 239;
    static constexpr int kAddressId = 1204;
    static constexpr int kAddressLabelId = 1207;
    static constexpr int kPasswordLabelId = 1257;
    static constexpr int kPasswordId = 1289;
    static constexpr int kDirectCheckId = 1324;
    static constexpr int kPortId = 1334;
    static constexpr int kUserNameId = 1362;
    static constexpr int kLoginButtonId = 32771;

    // The user name and the password take 10 characters in server mode; in direct mode the user name and the
    // community take 16 (an NE's account names are longer than the server's).
    static constexpr int kUserNameMax = 10;
    static constexpr int kPasswordMax = 10;
    static constexpr int kDirectUserNameMax = 16;
    static constexpr int kCommunityMax = 16;

    // The ping before the connect waits this long for its echo.
    static constexpr int32_t kPingTimeoutMs = 2000;

    explicit CLoginDlg(QWidget* parent = nullptr);
    ~CLoginDlg() override;

    // Fields, exchanged with the controls.
    IpAddress address{};
    int direct = 0;
    std::string password;
    std::string userName;
    unsigned port = 0;

    // The data load: caption, address, edit limits, the mode's port, labels and enabling; then the controls.
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnCommand(int id, int code) override;

    // The Login button.
    void OnLogin();
    // The check box.
    void OnDirectClicked();

    // A connect is running (the dialog is then hidden).
    static bool IsConnectInProgress();

    // The modal loop, which runs on when the dialog shows again after a failed connect.
    int exec() override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void LoadDialogData();
    // Port field, port edit, labels by the direct flag.
    void ApplyMode();
    // The dialog shown or hidden: the address typed is kept through a connect, and the data load runs again.
    void OnShowWindow();

    std::unique_ptr<Ui::CLoginDlg> ui_;
    bool inModal_ = false;
    bool resumeModal_ = false;
};
