#pragma once
// CRstpBridgePage ("Bridge", template 378) of the rapid spanning tree setting dialog: the bridge ID, the bridge
// priority (steps of 4096 with its spin, wrapping at the ends) and the bridge's times, each with its spin. It holds
// values only: the dialog loads it, applies the enabling rules and reads it back.

#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace Ui {
class CRstpBridgePage;
}

class CRstpBridgePage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 378;
    static constexpr int kBridgeIdId = 1199;
    static constexpr int kPriorityId = 1279;
    static constexpr int kPrioritySpinId = 1280;
    static constexpr int kMaxAgeId = 1311;
    static constexpr int kMaxAgeSpinId = 1312;
    static constexpr int kHelloTimeId = 1313;
    static constexpr int kHelloTimeSpinId = 1314;
    static constexpr int kForwardDelayId = 1315;
    static constexpr int kForwardDelaySpinId = 1316;
    static constexpr int kTxHoldCountId = 1095;
    static constexpr int kTxHoldCountSpinId = 1096;

    explicit CRstpBridgePage(QWidget* parent = nullptr);
    ~CRstpBridgePage() override;

    // The spins and the priority edit follow whether RSTP is enabled.
    void ApplyEnablingRules(bool rstpEnabled);

    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    int OnNotifyHook(const NotifyHeader& header, int* result) override;

    QString bridgeId;
    uint32_t priority = 32768;
    uint32_t maxAge = 20;
    uint32_t helloTime = 2;
    uint32_t forwardDelay = 15;
    uint32_t txHoldCount = 6;

private:
    std::unique_ptr<Ui::CRstpBridgePage> ui_;
};
