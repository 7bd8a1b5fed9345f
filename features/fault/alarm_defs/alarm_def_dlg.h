#pragma once
// CAlarmDefDlg (218, "Alarm Definition"): how one alarm of an entity model is reported on the target NE, or in the
// server's templates (template mode, NE 0): its severity, whether it is reported, and which other alarms of the same
// model suppress it. The list (CAlarmDefListDlg) hands over the model, the alarm and the settings as the NE or the
// server has them; OK writes the definition (request 327, or 145 for the templates) and ends with IDOK, the dialog's
// setting then holding what was written.
//
//     CAlarmDefDlg dlg(this);
//     dlg.SetTarget(neId, nullptr);
//     dlg.SetTemplateMode(templateMode);
//     dlg.SetDefinition(modelId, alarmIndex, &settings);
//     if (dlg.DoModal() == IDOK) ... dlg.GetSetting() ...

#include "features/fault/alarm_defs/alarm_def_settings.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>

namespace Ui {
class CAlarmDefDlg;
}

class CAlarmDefDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 218;
    static constexpr int kModelNameId = 1250;
    static constexpr int kAlarmNameId = 1257;
    static constexpr int kDescriptionId = 1132;
    static constexpr int kSuppressionListId = kListControlId;
    // Severity radios, critical to info.
    static constexpr std::array<int, 5> kSeverityIds = {1172, 1175, 1177, 1180, 1394};
    static constexpr int kEnabledId = 1153;
    static constexpr int kDisabledId = 1134;

    explicit CAlarmDefDlg(QWidget* parent = nullptr);
    ~CAlarmDefDlg() override;

    void SetTemplateMode(bool on) { templateMode_ = on; }
    // The model and the alarm; `settings` (kept by the opener while the dialog runs) gives the alarms' settings as
    // the NE or the server has them, none the definition files'.
    void SetDefinition(uint32_t modelId, uint8_t alarmIndex, const CAlarmDefSettings* settings);
    const AlarmDefSetting& GetSetting() const { return setting_; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int CompareItems(uint32_t item1, uint32_t item2, uint32_t flags) override;
    void OnOK() override;

private:
    AlarmDefSetting SettingOf(uint8_t alarmIndex) const;
    // Lists the model's other defined alarms, those that suppress this one checked.
    void FillSuppressionList();
    uint32_t CheckedMask() const;

    std::unique_ptr<Ui::CAlarmDefDlg> ui_;
    bool templateMode_ = false;
    uint32_t modelId_ = 1;
    uint8_t alarmIndex_ = 0xFF;
    const CAlarmDefSettings* settings_ = nullptr;
    AlarmDefSetting setting_;
    QString modelName_;
    QString alarmName_;
    QString description_;
    int severityChoice_ = -1;  // 0 critical .. 4 info, -1 none
    int reportingChoice_ = -1; // 0 enabled, 1 disabled
};
