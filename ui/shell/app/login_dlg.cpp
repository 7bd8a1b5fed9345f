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
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>

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
    ui_->portEdit->setValidator(new QIntValidator(1, 65535, ui_->portEdit));
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
    bool ok = false;
    const unsigned value = portEdit->text().trimmed().toUInt(&ok);
    // A port the link cannot use is refused here rather than cut to 16 bits.
    if (!ok || value == 0 || value > 65535) {
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

    const bool directMode = direct != 0;
    int result = SetDriverMode(directMode ? kDriverModeSnmp : kDriverModeServer);
    connectInProgress = true;
    setEnabled(false);
    if (result == kDrvOk)
        result = GetCurrentDriver().EmsConnect(address, static_cast<uint16_t>(port), userName, password);
    if (result != kDrvOk) {
        EndConnect();
        SetDriverMode(kDriverModeBase);
        cursor.Restore();
        // A peer that answered what could not be read is not an unreachable one: the driver's result says what.
        if (result == kDrvSnmpDecodeError || result == kDrvInvalidFormat)
            ShowAlertText(QStringLiteral("(%1) %2").arg(result).arg(QString::fromLatin1(GetDriverErrorText(result))),
                          kAddressId);
        else
            ShowAlertTextById(kStrServerUnreachable, kAddressId);
        return;
    }
    EndConnect();
    cursor.Restore();
    EndDialog(IDOK);
}

void CLoginDlg::EndConnect()
{
    connectInProgress = false;
    setEnabled(true);
}
