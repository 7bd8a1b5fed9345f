#pragma once
// The "Channel Setting" pages of fast provisioning: the PVCs every port gets, as a start and an increment of VPI and
// VCI from PVC to PVC, the PVCs per port and their admin state; the bridged page (template 288) adds the VLAN ID's
// start and increment and whether the VLAN goes on from port to port (1065), the routed page (template 326) has no
// VLAN. Exactly one of the two increments is non-zero: leaving one sets the other.
//
//     const FastProvChannels channels = vcVlanPage_.Channels();  // after the page's exchange
//     vcPage_.SetChannels(channels);                            // the mode switch carries them over

#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>

namespace Ui {
class CFastProvVcVlanPage;
class CFastProvVcPage;
} // namespace Ui

struct FastProvChannels {
    bool enabled = true;
    uint32_t vpiStart = 0;
    uint32_t vpiIncrement = 0;
    uint32_t vciStart = 32;
    uint32_t vciIncrement = 1;
    uint32_t pvcsPerPort = 1;
};

class CFastProvChannelPage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kEnabledId = 1153;
    static constexpr int kDisabledId = 1134;
    static constexpr int kVpiStartId = 1376;
    static constexpr int kVpiStartSpinId = 1379;
    static constexpr int kVpiIncrementId = 1377;
    static constexpr int kVpiIncrementSpinId = 1378;
    static constexpr int kVciStartId = 1371;
    static constexpr int kVciStartSpinId = 1374;
    static constexpr int kVciIncrementId = 1372;
    static constexpr int kVciIncrementSpinId = 1373;
    static constexpr int kPvcsPerPortId = 1097;
    static constexpr int kPvcsPerPortSpinId = 1098;

    FastProvChannels Channels() const;
    // The VPI, VCI and PVCs per port; the admin state stays the page's.
    void SetChannels(const FastProvChannels& channels);

    void DoDataExchange(CDataExchange& dx) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    int OnCommandHook(int id, int code) override;

protected:
    CFastProvChannelPage(int templateId, QWidget* parent);

private:
    // After the operator changed one increment: the other becomes 0 when it is non-zero, else 1.
    void KeepOneIncrement(int changedId);

    FastProvChannels channels_;
    int stateIndex_ = 0;
};

class CFastProvVcVlanPage : public CFastProvChannelPage {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 288;
    static constexpr int kVlanStartId = 1199;
    static constexpr int kVlanStartSpinId = 1202;
    static constexpr int kVlanIncrementId = 1200;
    static constexpr int kVlanIncrementSpinId = 1201;
    static constexpr int kContinuousId = 1065;

    explicit CFastProvVcVlanPage(QWidget* parent = nullptr);
    ~CFastProvVcVlanPage() override;

    uint16_t VlanStart() const { return static_cast<uint16_t>(vlanStart_); }
    int16_t VlanIncrement() const { return static_cast<int16_t>(vlanIncrement_); }
    bool VlanContinuous() const { return continuous_ != 0; }

    void DoDataExchange(CDataExchange& dx) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;

private:
    std::unique_ptr<Ui::CFastProvVcVlanPage> ui_;
    uint32_t vlanStart_ = 1;
    int32_t vlanIncrement_ = 1;
    int continuous_ = 0;
};

class CFastProvVcPage : public CFastProvChannelPage {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 326;

    explicit CFastProvVcPage(QWidget* parent = nullptr);
    ~CFastProvVcPage() override;

private:
    std::unique_ptr<Ui::CFastProvVcPage> ui_;
};
