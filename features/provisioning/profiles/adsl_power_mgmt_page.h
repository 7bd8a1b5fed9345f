#pragma once
// CAdslPowerMgmtPage ("Power Management", template 433), a page of the ADSL line profile editor: automatic or manual
// power management, the L2 state's minimum and low rate and its maximum rate (kbit/s, multiples of 32 within
// 32..29984, as on the Transmission Rate page), the L0 state's minimum time before monitoring and the L2 state's
// low-rate minimum time (seconds, 0..65535; editable in automatic mode only), and whether the CPE's L3 requests are
// accepted.

#include "features/provisioning/profiles/adsl_line_profile_values.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>

namespace Ui {
class CAdslPowerMgmtPage;
}

class CAdslPowerMgmtPage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 433;
    static constexpr int kAutomaticId = 1059;
    static constexpr int kManualId = 1060;
    static constexpr int kL2MinRateId = 1237;
    static constexpr int kL2MaxRateId = 1228;
    static constexpr int kL0TimeId = 1220;
    static constexpr int kL2TimeId = 1233;
    static constexpr int kAcceptId = 1153;
    static constexpr int kRejectId = 1134;
    static constexpr int kSpinOffset = 1;
    static constexpr uint32_t kTimeMax = 65535;

    explicit CAdslPowerMgmtPage(QWidget* parent = nullptr);
    ~CAdslPowerMgmtPage() override;

    const AdslPowerValues& Values() const { return values_; }
    void SetValues(const AdslPowerValues& values) { values_ = values; }
    // The trigger times editable or not, by the mode the radios show.
    void ApplyMode();

    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;

private:
    uint32_t ReadRate(int id) const;

    std::unique_ptr<Ui::CAdslPowerMgmtPage> ui_;
    AdslPowerValues values_;
};
