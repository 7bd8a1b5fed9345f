#pragma once
// CAdslSnrMarginPage ("SNR Margin", template 205), a page of the ADSL line profile editor: per direction the
// minimum, maximum and target SNR margins, the up-shift and down-shift margins (0.1 dB, 0..310) and the minimum
// up-shift and down-shift times (seconds, 0..16383). The shift margins and times apply in rate mode adaptive at
// run-time only, and can be edited only then.

#include "features/provisioning/profiles/adsl_line_profile_values.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>

namespace Ui {
class CAdslSnrMarginPage;
}

class CAdslSnrMarginPage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 205;
    static constexpr int kUpMinId = 1233;
    static constexpr int kUpMaxId = 1224;
    static constexpr int kUpTargetId = 1338;
    static constexpr int kUpUpshiftId = 1365;
    static constexpr int kUpDownshiftId = 1145;
    static constexpr int kUpUpshiftTimeId = 1311;
    static constexpr int kUpDownshiftTimeId = 1313;
    static constexpr int kDownMinId = 1235;
    static constexpr int kDownMaxId = 1226;
    static constexpr int kDownTargetId = 1340;
    static constexpr int kDownUpshiftId = 1368;
    static constexpr int kDownDownshiftId = 1147;
    static constexpr int kDownUpshiftTimeId = 1315;
    static constexpr int kDownDownshiftTimeId = 1317;
    // Each edit's spin has the next id.
    static constexpr int kSpinOffset = 1;
    static constexpr int32_t kMarginMax = 310;
    static constexpr int32_t kTimeMax = 16383;

    explicit CAdslSnrMarginPage(QWidget* parent = nullptr);
    ~CAdslSnrMarginPage() override;

    const AdslSnrValues& Upstream() const { return up_; }
    const AdslSnrValues& Downstream() const { return down_; }
    void SetValues(const AdslSnrValues& up, const AdslSnrValues& down);
    // The shift margins and times editable or not, by the rate mode.
    void ApplyRateMode(int rateMode);

    void DoDataExchange(CDataExchange& dx) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;

private:
    std::unique_ptr<Ui::CAdslSnrMarginPage> ui_;
    AdslSnrValues up_;
    AdslSnrValues down_;
};
