#include "ui/framework/dialogs/ip_address_port_dlg.h"

#include "ui_ip_address_port_dlg.h"

CIpAddressPortDlg::CIpAddressPortDlg(QWidget* parent)
    : CIpAddressNumberDlg(kTemplateId, kPortId, kSpinId, 1, 65535, parent),
      ui_(std::make_unique<Ui::CIpAddressPortDlg>())
{
    ui_->setupUi(this);
}

CIpAddressPortDlg::~CIpAddressPortDlg() = default;
