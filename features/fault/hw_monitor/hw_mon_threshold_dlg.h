#pragma once
// CHwMonThresholdDlg (442, "Hardware Monitoring Threshold Setting"): the temperature thresholds of the target NE,
// read from it when the dialog opens and written back by OK. OK is offered only to an operator who may change
// hardware monitoring, and only once the NE's values have been read, so that values never read from the NE cannot
// overwrite its own. IDOK means the thresholds were written.
//
//     CHwMonThresholdDlg dlg(this);
//     dlg.SetTarget(neId, &entity);
//     if (dlg.DoModal() == IDOK) ... refresh the readings ...

#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>

namespace Ui {
class CHwMonThresholdDlg;
}

class CHwMonThresholdDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 442;
    static constexpr int kHighId = 1095;
    static constexpr int kHighSpinId = 1096;
    static constexpr int kLowId = 1097;
    static constexpr int kLowSpinId = 1098;
    static constexpr int32_t kMinThreshold = -20;
    static constexpr int32_t kMaxThreshold = 100;

    explicit CHwMonThresholdDlg(QWidget* parent = nullptr);
    ~CHwMonThresholdDlg() override;

    int32_t GetHigh() const { return high_; }
    int32_t GetLow() const { return low_; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    void OnOK() override;

private:
    std::unique_ptr<Ui::CHwMonThresholdDlg> ui_;
    int32_t high_ = 65;
    int32_t low_ = 0;
};
