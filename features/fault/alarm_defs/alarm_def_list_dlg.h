#pragma once
// CAlarmDefListDlg (219, "Alarm Definition List"): how the alarms of each entity model are reported on the target
// NE, or in the server's templates (template mode). The operator chooses an NE model, a class (shelf, module, port)
// and a model, and sees that model's alarms with their severity, reporting and suppressing alarms as the NE (or the
// server) has them; Modify opens one in CAlarmDefDlg. On an NE, Save All Models as Template makes the NE's module and
// port definitions the server's templates; in template mode, Download All Models to NEs hands the templates of every
// NE model to the template download dialog. Neither is offered in direct mode.
//
//     CAlarmDefListDlg dlg;
//     dlg.SetTemplateMode(true);        // the opener field of command 33143
//     dlg.SetTarget(neId, &entity);     // the NE, and the entity whose model is chosen first
//     dlg.DoModal();

#include "features/fault/alarm_defs/alarm_def_rows.h"
#include "features/fault/alarm_defs/alarm_def_settings.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

class QComboBox;
struct DialogRequest;

namespace Ui {
class CAlarmDefListDlg;
}

class CAlarmDefListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 219;
    static constexpr int kNeComboId = 1149;
    static constexpr int kClassComboId = 1091;
    static constexpr int kModelComboId = 1250;
    static constexpr int kSaveAllButtonId = 1310;
    static constexpr int kDownloadAllButtonId = 1144;
    // Entries of the class combo.
    static constexpr int kClassShelf = 0;
    static constexpr int kClassModule = 1;
    static constexpr int kClassPort = 2;
    // Columns.
    static constexpr int kNameColumn = 0;
    static constexpr int kSeverityColumn = 1;
    static constexpr int kReportingColumn = 2;
    static constexpr int kSuppressedByColumn = 3;
    static constexpr int kDescriptionColumn = 4;

    explicit CAlarmDefListDlg(QWidget* parent = nullptr);
    ~CAlarmDefListDlg() override;

    void SetTemplateMode(bool on) { templateMode_ = on; }
    bool IsTemplateMode() const { return templateMode_; }
    void ApplyOpenerFields(const DialogRequest& request);

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    bool OnCommand(int id, int code) override;
    void OnModifyRecord(uint32_t alarmIndex) override;

    void OnSaveAllAsTemplate();
    void OnDownloadAll();

private:
    QComboBox* Combo(int id) const;
    uint32_t SelectedData(int comboId) const;
    void FillNeCombo();
    // The models of the chosen NE model and class; the list follows.
    void FillModelCombo();
    // The rows of a fill: the chosen model's defined alarms, kept by their index.
    std::vector<uint32_t> CollectRows();
    void EnableAllModelButtons(bool on);

    std::unique_ptr<Ui::CAlarmDefListDlg> ui_;
    bool templateMode_ = false;
    CAlarmDefSettings settings_;
    std::map<uint32_t, AlarmDefRow> alarms_;
    CTableRecordList<AlarmDefRow> rows_;
};
