#pragma once
// CAdslTxRatePage ("Transmission Rate", template 204), a page of the ADSL line profile editor: the channel mode
// (interleaved or fast), the rate mode (fixed, adaptive at start-up or at run-time), the minimum and maximum rates of
// both directions in kbit/s and the maximum interleave delays. Rates are multiples of 32: an edit the operator leaves
// is rounded down and held to its range, and a spin steps by 32, wrapping at either end. In rate mode fixed each
// maximum is its minimum and cannot be edited; on a fast channel the delays cannot.

#include "features/provisioning/profiles/adsl_line_profile_rules.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>

namespace Ui {
class CAdslTxRatePage;
}

class CAdslTxRatePage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 204;
    static constexpr int kInterleaveId = 1058;
    static constexpr int kFastId = 1057;
    static constexpr int kFixedId = 1301;
    static constexpr int kAdaptiveStartupId = 1299;
    static constexpr int kAdaptiveRuntimeId = 1300;
    static constexpr int kDownMinId = 1237;
    static constexpr int kDownMaxId = 1228;
    static constexpr int kUpMinId = 1239;
    static constexpr int kUpMaxId = 1230;
    static constexpr int kDownDelayId = 1220;
    static constexpr int kUpDelayId = 1222;
    // Each edit's spin has the next id.
    static constexpr int kSpinOffset = 1;

    explicit CAdslTxRatePage(QWidget* parent = nullptr);
    ~CAdslTxRatePage() override;

    const AdslTxRateValues& Values() const { return values_; }
    void SetValues(const AdslTxRateValues& values) { values_ = values; }
    // The rate mode the radios show now.
    int ShownRateMode() const;
    // The controls as the channel and rate modes allow.
    void ApplyModes();

    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;

private:
    uint32_t ReadRate(int id) const;
    void WriteRate(int id, uint32_t kbit);
    RateRange RangeOf(int id) const;
    // A rate edit left or stepped: held to its range; in rate mode fixed the pair's maximum follows its minimum.
    void Hold(int id, uint32_t kbit);

    std::unique_ptr<Ui::CAdslTxRatePage> ui_;
    AdslTxRateValues values_;
};
