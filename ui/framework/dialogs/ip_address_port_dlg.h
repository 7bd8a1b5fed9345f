#pragma once
// CIpAddressPortDlg (dialog 331, "IP Address"): an address and a socket port of 1..65535; the port is checked unless
// the dialog only shows (access mode 1).

#include "ui/framework/dialogs/ip_address_number_dlg.h"

#include <memory>

namespace Ui {
class CIpAddressPortDlg;
}

class CIpAddressPortDlg : public CIpAddressNumberDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 331;
    static constexpr int kPortId = 1273;
    static constexpr int kSpinId = 1274;

    explicit CIpAddressPortDlg(QWidget* parent = nullptr);
    ~CIpAddressPortDlg() override;

    uint32_t GetPort() const { return GetNumber(); }
    void SetPort(uint32_t port) { SetNumber(port); }

protected:
    bool ChecksNumberRange() const override { return GetAccessMode() != kAccessQuery; }

private:
    std::unique_ptr<Ui::CIpAddressPortDlg> ui_;
};
