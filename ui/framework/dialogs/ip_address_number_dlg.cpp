#include "ui/framework/dialogs/ip_address_number_dlg.h"

#include "platform/ip_address_edit.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/messages/string_ids.h"

#include <QLabel>
#include <QLineEdit>

CIpAddressNumberDlg::CIpAddressNumberDlg(int templateId, int numberId, int spinId, uint32_t minimum, uint32_t maximum,
                                         QWidget* parent)
    : CADialog(templateId, parent), numberId_(numberId), spinId_(spinId), minimum_(minimum), maximum_(maximum)
{
}

std::string CIpAddressNumberDlg::Cut(const char* text)
{
    if (text == nullptr)
        return {};
    return QString::fromUtf8(text).left(static_cast<qsizetype>(kTextMax)).toStdString();
}

void CIpAddressNumberDlg::InitData()
{
    if (auto* address = GetDlgItemAs<IpAddressEdit>(kAddressId))
        address->SetAddress(address_);
    if (auto* edit = GetDlgItemAs<QLineEdit>(numberId_))
        edit->setMaxLength(static_cast<int>(std::to_string(maximum_).size()));
    if (!caption_.empty())
        setWindowTitle(QString::fromStdString(caption_));
    if (!firstLabel_.empty())
        if (auto* label = GetDlgItemAs<QLabel>(kFirstLabelId))
            label->setText(QString::fromStdString(firstLabel_));
    if (!secondLabel_.empty())
        if (auto* label = GetDlgItemAs<QLabel>(kSecondLabelId))
            label->setText(QString::fromStdString(secondLabel_));
    UpdateData(false);
}

void CIpAddressNumberDlg::DoDataExchange(CDataExchange& dx)
{
    if (ChecksNumberRange())
        DDX_TextInRange(dx, *this, numberId_, number_, minimum_, maximum_);
    else
        DDX_TextInRange(dx, *this, numberId_, number_, 0, UINT32_MAX);
}

bool CIpAddressNumberDlg::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.idFrom == spinId_ && header.code == UDN_DELTAPOS) {
        StepNumberEdit(GetDlgItemAs<QLineEdit>(numberId_), header.delta, minimum_, maximum_);
        return true;
    }
    return CADialog::OnNotify(header, result);
}

void CIpAddressNumberDlg::OnOK()
{
    if (!UpdateDialogData())
        return;
    auto* control = GetDlgItemAs<IpAddressEdit>(kAddressId);
    std::array<uint8_t, 4> address{};
    if (control == nullptr || control->IsBlank() || control->GetAddress(address) == 0 || !AcceptsAddress(address)) {
        ShowAlertTextById(kStrIncorrectIpAddress, kAddressId);
        return;
    }
    address_ = address;
    EndDialog(IDOK);
}
