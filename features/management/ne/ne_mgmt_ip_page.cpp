#include "features/management/ne/ne_mgmt_ip_page.h"

#include "core/config/app_settings.h"
#include "core/util/ip_address.h"
#include "core/util/mac_address.h"
#include "core/util/netmask.h"
#include "link/records/ne_config_record.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui_ne_mgmt_ip_page.h"

#include <QLineEdit>

#include <algorithm>

namespace {

constexpr int kAddressTextMax = 15;

QString Dotted(const std::array<uint8_t, 4>& address)
{
    return QString::fromStdString(FormatIpAddress(address));
}

} // namespace

CNeMgmtIpPage::CNeMgmtIpPage(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CNeMgmtIpPage>())
{
    ui_->setupUi(this);
}

CNeMgmtIpPage::~CNeMgmtIpPage() = default;

bool CNeMgmtIpPage::Editable() const
{
    return AppSettings().directControl && GetAccessMode() != kAccessQuery;
}

bool CNeMgmtIpPage::OnInitDialog()
{
    CADialog::OnInitDialog();
    for (const int id : {kUgeIpId, kUgeMaskId, kNmeIpId, kGatewayId}) {
        if (auto* edit = GetDlgItemAs<QLineEdit>(id))
            edit->setMaxLength(kAddressTextMax);
    }
    // The masks change by their up-down controls only.
    SetControlsReadOnly({kUgeMaskId, kNmeMaskId});
    const bool direct = AppSettings().directControl;
    SetControlsReadOnly({kUgeIpId, kVlanId, kNmeIpId, kGatewayId}, !direct);
    EnableControls({kUgeMaskSpinId, kNmeMaskSpinId, kVlanSpinId}, direct);
    return true;
}

void CNeMgmtIpPage::SetValues(const NeConfigRecord& config)
{
    const auto prefix = [](const std::array<uint8_t, 4>& mask) {
        return std::clamp(static_cast<uint32_t>(NetmaskToPrefixLength(mask)), kMinPrefix, kMaxPrefix);
    };
    values_.ugeIp = Dotted(config.ugeIp);
    values_.ugePrefix = prefix(config.ugeMask);
    values_.ugeMac = QString::fromStdString(FormatMacAddress(config.ugeMac.data()));
    values_.vlanId = std::clamp<uint32_t>(config.vlanId, kMinVlan, kMaxVlan);
    values_.nmeIp = Dotted(config.nmeIp);
    values_.nmePrefix = prefix(config.nmeMask);
    values_.nmeMac = QString::fromStdString(FormatMacAddress(config.nmeMac.data()));
    values_.gateway = Dotted(config.gateway);
}

void CNeMgmtIpPage::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kUgeIpId, values_.ugeIp);
    DDX_Text(dx, kUgeMacId, values_.ugeMac);
    DDX_Text(dx, kNmeIpId, values_.nmeIp);
    DDX_Text(dx, kNmeMacId, values_.nmeMac);
    DDX_Text(dx, kGatewayId, values_.gateway);
    if (Editable()) {
        DDX_TextInRange(dx, *this, kUgeMaskId, values_.ugePrefix, kMinPrefix, kMaxPrefix);
        DDX_TextInRange(dx, *this, kNmeMaskId, values_.nmePrefix, kMinPrefix, kMaxPrefix);
        DDX_TextInRange(dx, *this, kVlanId, values_.vlanId, kMinVlan, kMaxVlan);
        return;
    }
    for (const auto& [id, value] : {std::pair{kUgeMaskId, &values_.ugePrefix},
                                    std::pair{kNmeMaskId, &values_.nmePrefix}, std::pair{kVlanId, &values_.vlanId}}) {
        QString text = QString::number(*value);
        DDX_Text(dx, id, text);
    }
}

int CNeMgmtIpPage::OnNotifyHook(const NotifyHeader& header, int* /*result*/)
{
    if (header.code != UDN_DELTAPOS)
        return 0;
    switch (header.idFrom) {
    case kUgeMaskSpinId:
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kUgeMaskId), header.delta, kMinPrefix, kMaxPrefix);
        return 1;
    case kNmeMaskSpinId:
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kNmeMaskId), header.delta, kMinPrefix, kMaxPrefix);
        return 1;
    case kVlanSpinId:
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kVlanId), header.delta, kMinVlan, kMaxVlan);
        return 1;
    default:
        return 0;
    }
}
