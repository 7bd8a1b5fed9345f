#pragma once
// CAlarmAckDlg (216, "Alarm Acknowledgement"): acknowledges the active alarms of one entity on the management
// server. It shows who acknowledged them last and when, as the server keeps it, and acknowledges them again in the
// operator's name at the present time with a comment. The opener sets the target NE and entity and the access mode
// (query: read-only); DoModal answers IDOK once the server has taken the acknowledgement, whose person and time the
// opener then reads:
//
//     CAlarmAckDlg dlg(this);
//     dlg.SetTarget(neId, &entity);
//     dlg.SetAccessMode(CheckUserRight(role, kRightAlarmAcknowledge, 'm') ? kAccessModify : kAccessQuery);
//     if (dlg.DoModal() == IDOK)
//         ... dlg.GetAckPerson(), dlg.GetAckTime() ...

#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Ui {
class CAlarmAckDlg;
}

class CAlarmAckDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 216;
    static constexpr int kCurrentPersonId = 1257;
    static constexpr int kCurrentTimeId = 1343;
    static constexpr int kNewPersonId = 1258;
    static constexpr int kNewTimeId = 1345;
    static constexpr int kCommentId = 1266;
    // Characters the comment takes.
    static constexpr int kCommentMax = 60;

    explicit CAlarmAckDlg(QWidget* parent = nullptr);
    ~CAlarmAckDlg() override;

    // After IDOK: the acknowledgement the server took.
    const std::string& GetAckPerson() const { return newPerson_; }
    uint32_t GetAckTime() const { return sentTime_; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    std::unique_ptr<Ui::CAlarmAckDlg> ui_;
    QString currentPerson_;
    QString currentTime_;
    std::string newPerson_;
    QString newTime_;
    std::string comment_;
    uint32_t sentTime_ = 0;
};
