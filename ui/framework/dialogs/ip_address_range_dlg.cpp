#include "ui/framework/dialogs/ip_address_range_dlg.h"

#include "core/util/ip_address.h"
#include "ui_ip_address_range_dlg.h"

CIpAddressRangeDlg::CIpAddressRangeDlg(QWidget* parent)
    : CIpAddressNumberDlg(kTemplateId, kCountId, kSpinId, 1, kCountMax, parent),
      ui_(std::make_unique<Ui::CIpAddressRangeDlg>())
{
    ui_->setupUi(this);
}

CIpAddressRangeDlg::~CIpAddressRangeDlg() = default;

bool CIpAddressRangeDlg::AcceptsAddress(const std::array<uint8_t, 4>& address) const
{
    return !hostCheck_ || IsValidHostIpAddress(address.data(), 0);
}
