#pragma once
// CNeAlarmInputDlg (220, "NE Alarm Input Setting"): the name, normal contact state and administrative state of one
// alarm input of the target NE; the target's entity is the input. The opener hands over the input as its list shows
// it and the row's Index; OK writes it to the NE (request 336) and ends with IDOK, the dialog's record then holding
// what was written. The list hands over a normal state that reads neither opened nor closed as closed.
//
//     CNeAlarmInputDlg dlg(this);
//     dlg.SetTarget(neId, &inputEntity);
//     dlg.SetInput(input, index);
//     if (dlg.DoModal() == IDOK) ... dlg.GetInput() ...

#include "link/records/ne_alarm_input_rec.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <memory>

namespace Ui {
class CNeAlarmInputDlg;
}

class CNeAlarmInputDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 220;
    static constexpr int kIndexId = 1273;
    static constexpr int kNameId = 1132;
    static constexpr int kEnabledId = 1153;
    static constexpr int kDisabledId = 1134;
    static constexpr int kClosedId = 1060;
    static constexpr int kOpenedId = 1061;
    static constexpr int kNameMax = 32;

    explicit CNeAlarmInputDlg(QWidget* parent = nullptr);
    ~CNeAlarmInputDlg() override;

    void SetInput(const NeAlarmInputRec& input, uint32_t index);
    const NeAlarmInputRec& GetInput() const { return input_; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    std::unique_ptr<Ui::CNeAlarmInputDlg> ui_;
    NeAlarmInputRec input_;
    QString index_;
    QString name_;
    int adminChoice_ = -1;  // 0 enabled, 1 disabled
    int normalChoice_ = -1; // 0 closed, 1 opened
};
