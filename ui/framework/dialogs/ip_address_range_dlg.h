#pragma once
// CIpAddressRangeDlg (dialog 468, "IP Address Range"): a base address and a count, which the spin steps through 1..64
// (the count typed is taken as it stands). With the host check on (as constructed) the base must be a valid host
// address.

#include "ui/framework/dialogs/ip_address_number_dlg.h"

#include <memory>

namespace Ui {
class CIpAddressRangeDlg;
}

class CIpAddressRangeDlg : public CIpAddressNumberDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 468;
    static constexpr int kCountId = 1095;
    static constexpr int kSpinId = 1096;
    static constexpr uint32_t kCountMax = 64;

    explicit CIpAddressRangeDlg(QWidget* parent = nullptr);
    ~CIpAddressRangeDlg() override;

    uint32_t GetCount() const { return GetNumber(); }
    void SetCount(uint32_t count) { SetNumber(count); }
    bool GetHostCheck() const { return hostCheck_; }
    void SetHostCheck(bool on) { hostCheck_ = on; }

protected:
    bool ChecksNumberRange() const override { return false; }
    bool AcceptsAddress(const std::array<uint8_t, 4>& address) const override;

private:
    std::unique_ptr<Ui::CIpAddressRangeDlg> ui_;
    bool hostCheck_ = true;
};
