#pragma once
// The pages of the VC-to-VLAN setting that carry the 802.1 tag of a PVC's frames: "802.1Q/1P" (template 281) of a
// bridged PVC, its VLAN ID (edit 1199 with spin 1202, 1..4094) and user priority (edit 1279 with spin 1280, 0..7),
// and "802.1P" (template 282) of a routed one, its user priority alone. The page's exchange refuses a value outside
// its range on the message line. Fast provisioning hosts the priority page too.

#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>

namespace Ui {
class CVcVlanIdPage;
class CVcVlanPriorityPage;
} // namespace Ui

class CVcVlanPriorityPage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 282;
    static constexpr int kPriorityId = 1279;
    static constexpr int kPrioritySpinId = 1280;

    explicit CVcVlanPriorityPage(QWidget* parent = nullptr);
    ~CVcVlanPriorityPage() override;

    uint8_t Priority() const { return static_cast<uint8_t>(priority_); }
    void SetPriority(uint8_t priority) { priority_ = priority; }

    void DoDataExchange(CDataExchange& dx) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;

protected:
    CVcVlanPriorityPage(int templateId, QWidget* parent);

private:
    std::unique_ptr<Ui::CVcVlanPriorityPage> ui_;
    uint32_t priority_ = 0;
};

class CVcVlanIdPage : public CVcVlanPriorityPage {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 281;
    static constexpr int kVlanId = 1199;
    static constexpr int kVlanSpinId = 1202;

    explicit CVcVlanIdPage(QWidget* parent = nullptr);
    ~CVcVlanIdPage() override;

    uint16_t VlanId() const { return static_cast<uint16_t>(vlan_); }
    void SetVlanId(uint16_t vlan) { vlan_ = vlan; }

    void DoDataExchange(CDataExchange& dx) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;

private:
    std::unique_ptr<Ui::CVcVlanIdPage> ui_;
    uint32_t vlan_ = 1;
};
