#pragma once
// CAdslPsdPage ("PSD", template 203), a page of the ADSL line profile editor: the nominal transmit PSD of each
// direction in 0.1 dBm/Hz, -400..40.

#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>

namespace Ui {
class CAdslPsdPage;
}

class CAdslPsdPage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 203;
    static constexpr int kDownPsdId = 1285;
    static constexpr int kUpPsdId = 1287;
    static constexpr int kSpinOffset = 1;
    static constexpr int32_t kPsdMin = -400;
    static constexpr int32_t kPsdMax = 40;

    explicit CAdslPsdPage(QWidget* parent = nullptr);
    ~CAdslPsdPage() override;

    int32_t Downstream() const { return down_; }
    int32_t Upstream() const { return up_; }
    void SetValues(int32_t down, int32_t up);

    void DoDataExchange(CDataExchange& dx) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;

private:
    std::unique_ptr<Ui::CAdslPsdPage> ui_;
    int32_t down_ = 0;
    int32_t up_ = 0;
};
