#pragma once
// The two pages of the multicast channel setting, which the fast provisioning hosts as well: "Multicast Service
// Profile" (CMcProfilePage, template 344: the NE's service profiles in combo 1281, Show 1059 opening the chosen one)
// and "Channel Limit" (CMcChannelLimitPage, template 345: the simultaneous groups of the channel, 1..5, in edit 1095
// with its spin 1096). The container fills them and reads them back.

#include "features/provisioning/pvcs/vc_vlan_name_pages.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>

namespace Ui {
class CMcProfilePage;
class CMcChannelLimitPage;
} // namespace Ui

class CMcProfilePage : public CVcVlanNamePage {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 344;
    static constexpr int kProfileId = 1281;

    explicit CMcProfilePage(QWidget* parent = nullptr);
    ~CMcProfilePage() override;

private:
    std::unique_ptr<Ui::CMcProfilePage> ui_;
};

class CMcChannelLimitPage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 345;
    static constexpr int kLimitId = 1095;
    static constexpr int kLimitSpinId = 1096;

    explicit CMcChannelLimitPage(QWidget* parent = nullptr);
    ~CMcChannelLimitPage() override;

    uint8_t Limit() const { return static_cast<uint8_t>(limit_); }
    void SetLimit(uint8_t limit) { limit_ = limit; }

    void DoDataExchange(CDataExchange& dx) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;

private:
    std::unique_ptr<Ui::CMcChannelLimitPage> ui_;
    uint32_t limit_ = 1;
};
