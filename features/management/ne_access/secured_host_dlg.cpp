#include "features/management/ne_access/secured_host_dlg.h"

#include "core/tables/access_rights.h"
#include "core/util/ip_address.h"
#include "features/management/ne_access/secured_host_services.h"
#include "link/record_requests.h"
#include "platform/ip_address_edit.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_secured_host_dlg.h"

#include <QCheckBox>
#include <QLineEdit>

namespace {

struct ServiceBox {
    int id;
    uint32_t bit;
};
constexpr ServiceBox kServiceBoxes[] = {{CSecuredHostDlg::kSnmpId, kServiceSnmp},
                                        {CSecuredHostDlg::kTelnetId, kServiceTelnet},
                                        {CSecuredHostDlg::kFtpId, kServiceFtp},
                                        {CSecuredHostDlg::kTftpId, kServiceTftp}};

} // namespace

CSecuredHostDlg::CSecuredHostDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CSecuredHostDlg>())
{
    ui_->setupUi(this);
    SetAccessMode(kAccessModify);
}

CSecuredHostDlg::~CSecuredHostDlg() = default;

void CSecuredHostDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightSecuredHosts) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe);
    if (auto* index = GetDlgItemAs<QLineEdit>(kIndexId))
        index->setText(QString::number(section_.section));
    if (auto* first = GetDlgItemAs<IpAddressEdit>(kFirstId))
        first->SetAddress(section_.firstIp);
    if (auto* last = GetDlgItemAs<IpAddressEdit>(kLastId))
        last->SetAddress(section_.lastIp);
    for (const ServiceBox& box : kServiceBoxes) {
        if (auto* check = GetDlgItemAs<QCheckBox>(box.id))
            check->setChecked((section_.services & box.bit) != 0);
    }
}

void CSecuredHostDlg::OnOK()
{
    if (CheckTargetNe() != 0 || !UpdateDialogData())
        return;
    SecuredHostRecord section = section_;
    for (const auto& [id, address] : {std::pair{kFirstId, &section.firstIp}, std::pair{kLastId, &section.lastIp}}) {
        const IpAddressEdit* edit = GetDlgItemAs<IpAddressEdit>(id);
        if (edit == nullptr || edit->IsBlank()) {
            ShowAlertTextById(kStrIncorrectIpAddress, id);
            return;
        }
        edit->GetAddress(*address);
    }
    if (CompareIpv4(section.firstIp, section.lastIp) > 0) {
        ShowAlertTextById(kStrStartGreaterThanStop, kFirstId, 0, kLastId);
        return;
    }
    section.services = 0;
    for (const ServiceBox& box : kServiceBoxes) {
        const auto* check = GetDlgItemAs<QCheckBox>(box.id);
        if (check != nullptr && check->isChecked())
            section.services |= box.bit;
    }
    if (!CRecordRequests()
             .Modify(kReqSecuredHost, static_cast<uint32_t>(GetNeId()), section,
                     {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    section_ = section;
    EndDialog(IDOK);
}
