#pragma once
// CNeAlarmOutputDlg (463, "NE Alarm Output Setting"): the name, severities and administrative state of one alarm
// output of the target NE; the target's entity is the output, which the dialog reads from the NE itself (request 339).
// OK writes it and ends with IDOK, the dialog's record then holding what was written.
//
//     CNeAlarmOutputDlg dlg(this);
//     dlg.SetTarget(neId, &outputEntity);
//     dlg.SetIndex(index);
//     if (dlg.DoModal() == IDOK) ... dlg.GetOutput() ...

#include "link/records/ne_alarm_output_rec.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <array>
#include <memory>

namespace Ui {
class CNeAlarmOutputDlg;
}

class CNeAlarmOutputDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 463;
    static constexpr int kIndexId = 1273;
    static constexpr int kNameId = 1132;
    static constexpr int kEnabledId = 1153;
    static constexpr int kDisabledId = 1134;
    // The severities' boxes, bit 0 (critical) to bit 3 (warning) of the mask.
    static constexpr std::array<int, 4> kSeverityBoxIds = {1059, 1060, 1061, 1062};
    static constexpr int kNameMax = 32;

    explicit CNeAlarmOutputDlg(QWidget* parent = nullptr);
    ~CNeAlarmOutputDlg() override;

    void SetIndex(uint32_t index) { index_ = QString::number(index); }
    const NeAlarmOutputRec& GetOutput() const { return output_; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    std::unique_ptr<Ui::CNeAlarmOutputDlg> ui_;
    NeAlarmOutputRec output_;
    QString index_;
    QString name_;
    std::array<int, 4> severityChecks_{};
    int adminChoice_ = -1; // 0 enabled, 1 disabled
};
