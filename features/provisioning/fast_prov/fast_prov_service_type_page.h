#pragma once
// "Service Type" (template 434), the page of fast provisioning that gives every PVC its service type (combo 1361:
// PPPoE, DHCP, PPPoE+DHCP, static IP, PPPoE+static IP, Transparent) and the limits of that type: the DHCP IP limit
// (1095) of the DHCP-related types; the static IP base (1204), the static IP limit (1099) and the address step from
// port to port (1097) of the static-IP types; the client limit (1101) of Transparent. Choosing a type enables the
// up-down controls of its limits and puts the other limits back to 1.

#include "ui/framework/dialogs/ca_dialog.h"

#include <array>
#include <cstdint>
#include <memory>

namespace Ui {
class CFastProvServiceTypePage;
}

class CFastProvServiceTypePage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 434;
    static constexpr int kServiceTypeId = 1361;
    static constexpr int kDhcpLimitId = 1095;
    static constexpr int kDhcpLimitSpinId = 1096;
    static constexpr int kStaticBaseId = 1204;
    static constexpr int kStaticLimitId = 1099;
    static constexpr int kStaticLimitSpinId = 1100;
    static constexpr int kIncrementId = 1097;
    static constexpr int kIncrementSpinId = 1098;
    static constexpr int kClientLimitId = 1101;
    static constexpr int kClientLimitSpinId = 1102;

    explicit CFastProvServiceTypePage(QWidget* parent = nullptr);
    ~CFastProvServiceTypePage() override;

    // 1..6; the selected item's position + 1, 0 for none.
    uint32_t ServiceType() const;
    void SetServiceType(uint32_t serviceType);
    // Enables the up-down controls of the selected type's limits and puts the other limits back to 1.
    void ApplyServiceTypeRule();

    uint8_t DhcpIpLimit() const { return static_cast<uint8_t>(dhcpLimit_); }
    const std::array<uint8_t, 4>& StaticIpBase() const { return staticBase_; }
    uint8_t StaticIpLimit() const { return static_cast<uint8_t>(staticLimit_); }
    uint32_t IpIncrementPerPort() const { return increment_; }
    uint8_t ClientLimit() const { return static_cast<uint8_t>(clientLimit_); }

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    int OnCommandHook(int id, int code) override;

private:
    std::unique_ptr<Ui::CFastProvServiceTypePage> ui_;
    uint32_t dhcpLimit_ = 1;
    std::array<uint8_t, 4> staticBase_{};
    uint32_t staticLimit_ = 1;
    uint32_t increment_ = 1;
    uint32_t clientLimit_ = 1;
};
