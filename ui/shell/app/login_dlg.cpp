#include "ui/shell/app/login_dlg.h"

#include "core/config/app_settings.h"
#include "link/driver_mode.h"
#include "link/driver_result.h"
#include "link/icmp/icmp_reachability.h"
#include "platform/ip_address_edit.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui/shell/app/ems_app.h"
#include "ui_login_dlg.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

namespace {

bool connectInProgress = false;

// The wait cursor for the ping and the connect; put back on every way out.
class CWaitCursor {
public:
    CWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CWaitCursor() { Restore(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    void Restore()
    {
        if (shown_)
            QGuiApplication::restoreOverrideCursor();
        shown_ = false;
    }

private:
    bool shown_ = true;
};

} // namespace

CLoginDlg::CLoginDlg(QWidget* parent) : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CLoginDlg>())
{
    ui_->setupUi(this);
}

CLoginDlg::~CLoginDlg() = default;

bool CLoginDlg::IsConnectInProgress()
{
    return connectInProgress;
}

bool CLoginDlg::OnInitDialog()
{
    CADialog::OnInitDialog();
    // The data load needs no request, so it runs before the window shows rather than after.
    LoadDialogData();
    return true;
}

void CLoginDlg::LoadDialogData()
{
    connectInProgress = false;
    raise();
    activateWindow();
    setWindowTitle(LoadQString(kStrLogin) + QLatin1Char(' ') + QString::fromStdString(GetAppTitle(AppSettings())));
    GetDlgItemAs<IpAddressEdit>(kAddressId)->SetAddress(address);
    ui_->userEdit->setMaxLength(direct != 0 ? kDirectUserNameMax : kUserNameMax);
    ui_->passwordEdit->setMaxLength(direct != 0 ? kCommunityMax : kPasswordMax);
    if (!CEmsApp::CheckOsVersion()) {
        direct = 0;
        EnableControl(kDirectCheckId, false);
    }
    ApplyMode();
    UpdateData(false);
}

void CLoginDlg::ApplyMode()
{
    const CAppSettings& settings = AppSettings();
    const bool directMode = direct != 0;
    port = directMode ? settings.snmpPort : settings.serverPort;
    EnableControl(kPortId, !directMode);
    GetDlgItemAs<QLabel>(kAddressLabelId)->setText(LoadQString(directMode ? kStrNeIp : kStrServerIp));
    GetDlgItemAs<QLabel>(kPasswordLabelId)->setText(LoadQString(directMode ? kStrSnmpCommunity : kStrPassword));
}

void CLoginDlg::DoDataExchange(CDataExchange& dx)
{
    CADialog::DoDataExchange(dx);
    DDX_Check(dx, kDirectCheckId, direct);
    DDX_Text(dx, kPasswordId, password);
    DDX_Text(dx, kUserNameId, userName);
    auto* portEdit = GetDlgItemAs<QLineEdit>(kPortId);
    if (!dx.IsSaving()) {
        portEdit->setText(QString::number(port));
        return;
    }
    // Any unsigned number is taken; a port the link cannot use fails at the connect.
    bool ok = false;
    const unsigned value = portEdit->text().trimmed().toUInt(&ok);
    if (!ok) {
        dx.Fail(kPortId);
        return;
    }
    port = value;
}

bool CLoginDlg::OnCommand(int id, int code)
{
    if (id == kLoginButtonId && code == BN_CLICKED) {
        OnLogin();
        return true;
    }
    if (id == kDirectCheckId && code == BN_CLICKED) {
        OnDirectClicked();
        return true;
    }
    return CADialog::OnCommand(id, code);
}

void CLoginDlg::OnDirectClicked()
{
    UpdateData(true);
    ApplyMode();
    UpdateData(false);
}

void CLoginDlg::OnLogin()
{
    if (!UpdateDialogData())
        return;
    auto* addressEdit = GetDlgItemAs<IpAddressEdit>(kAddressId);
    if (addressEdit->IsBlank()) {
        ShowAlertTextById(kStrIncorrectIpAddress, kAddressId);
        return;
    }
    addressEdit->GetAddress(address);

    CWaitCursor cursor;
    std::string pingError;
    const IcmpReachability reach = CheckIcmpReachable(address, kPingTimeoutMs, &pingError);
    if (reach == IcmpReachability::kUnreachable) {
        cursor.Restore();
        ShowAlertTextById(kStrServerUnreachable, kAddressId);
        return;
    }
    // Without an ICMP socket on this system the check cannot be made; the connect then decides.
    if (reach == IcmpReachability::kUnavailable)
        qWarning("login: no ping check of the address: %s", pingError.c_str());

    // What the connect uses is what was typed: the dialog loads its fields again as it hides.
    const IpAddress pinged = address;
    const unsigned typedPort = port;
    const bool directMode = direct != 0;
    int result = SetDriverMode(directMode ? kDriverModeSnmp : kDriverModeServer);
    connectInProgress = true;
    const bool shown = isVisible();
    if (shown)
        hide();
    if (result == kDrvOk) {
        // A port outside 1..65535 names no port: the connect fails rather than go to the port of its low 16 bits.
        result = typedPort >= 1 && typedPort <= 65535
                     ? GetCurrentDriver().EmsConnect(pinged, static_cast<uint16_t>(typedPort), userName, password)
                     : kDrvConnectFailed;
    }
    if (result != kDrvOk) {
        if (shown) {
            resumeModal_ = inModal_;
            show();
        }
        connectInProgress = false;
        SetDriverMode(kDriverModeBase);
        cursor.Restore();
        ShowAlertTextById(kStrServerUnreachable, kAddressId);
        return;
    }
    connectInProgress = false;
    cursor.Restore();
    address = pinged;
    port = typedPort;
    EndDialog(IDOK);
}

void CLoginDlg::OnShowWindow()
{
    if (connectInProgress)
        GetDlgItemAs<IpAddressEdit>(kAddressId)->GetAddress(address);
    LoadDialogData();
}

void CLoginDlg::showEvent(QShowEvent* event)
{
    CADialog::showEvent(event);
    if (!event->spontaneous() && !IsEnded())
        OnShowWindow();
}

void CLoginDlg::hideEvent(QHideEvent* event)
{
    CADialog::hideEvent(event);
    if (!event->spontaneous() && !IsEnded())
        OnShowWindow();
}

int CLoginDlg::exec()
{
    // Hiding a dialog ends its modal loop; the dialog hidden for a connect that failed runs on.
    inModal_ = true;
    int result = 0;
    do {
        resumeModal_ = false;
        result = CADialog::exec();
    } while (resumeModal_ && isVisible() && !IsEnded());
    inModal_ = false;
    resumeModal_ = false;
    return result;
}
