#pragma once
// "MAC Control" (template 283), the page of the VC-to-VLAN setting that limits the MAC addresses a PVC learns: the
// MAC limit combo 1095 (1 to 16, 32, 40, 48, 56, 64; each item's data its number) and whether learned addresses never
// age ("Non-aged" radios 1153 Enabled, 1134 Disabled). Fast provisioning hosts it too.

#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>

namespace Ui {
class CVcVlanMacLimitPage;
}

class CVcVlanMacLimitPage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 283;
    static constexpr int kMacLimitId = 1095;
    static constexpr int kNonAgedEnabledId = 1153;
    static constexpr int kNonAgedDisabledId = 1134;

    explicit CVcVlanMacLimitPage(QWidget* parent = nullptr);
    ~CVcVlanMacLimitPage() override;

    // The combo shows the first limit that is at least the value, or the highest.
    void SetMacLimit(uint32_t value);
    uint32_t MacLimit() const { return macLimit_; }
    bool NonAged() const { return nonAgedIndex_ == 0; }
    void SetNonAged(bool on) { nonAgedIndex_ = on ? 0 : 1; }

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    std::unique_ptr<Ui::CVcVlanMacLimitPage> ui_;
    uint32_t macLimit_ = 1;
    int nonAgedIndex_ = 1;
};
