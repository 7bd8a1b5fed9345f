#pragma once
// CAlarmTriggerListDlg (228, "Triggers List of Alarm Notification"): the alarm notification triggers of the target NE,
// as the management server keeps them, with Modify, Add, Delete and Export. The server answers with the triggers of
// every NE; the list shows those of its NE whose entity type the entity model knows. Add and Modify open the trigger
// dialog (CAlarmTriggerDlg) on the list's stack; the ID column numbers the rows as they came, not the triggers.

#include "ui/framework/dialogs/record_list_dlg.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>

class CEntityType;

namespace Ui {
class CAlarmTriggerListDlg;
}

class CAlarmTriggerListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 228;
    // Columns of the list.
    static constexpr int kIdColumn = 0;
    static constexpr int kEntityTypeColumn = 1;
    static constexpr int kEmailColumn = 2;
    static constexpr int kThresholdColumn = 3;
    static constexpr int kAlarmsColumn = 4;
    static constexpr int kModelColumn = 5; // hidden: the model id
    static constexpr int kMaskColumn = 6;  // hidden: the alarm mask

    explicit CAlarmTriggerListDlg(QWidget* parent = nullptr);
    ~CAlarmTriggerListDlg() override;

    void InitData() override;
    void FillList() override;
    void OnModifyRecord(uint32_t triggerId) override;
    void OnAddRecord(std::optional<uint32_t> selected) override;
    void OnDeleteRecord(uint32_t triggerId) override;
    int CompareItems(uint32_t item1, uint32_t item2, uint32_t flags) override;

    // What a row is sorted by.
    struct SortKeys {
        uint32_t number = 0; // the ID column
        QString entityType;
        QString email;
        uint32_t seconds = 0;
        QString alarms;
    };

private:
    // Appends a row for a trigger of a known entity type, numbered by the row counter.
    void AppendRow(uint32_t triggerId, uint32_t modelId, uint32_t mask, uint32_t seconds, const QString& email,
                   const CEntityType& type);
    // Writes every cell but the ID.
    void WriteCells(int row, uint32_t modelId, uint32_t mask, uint32_t seconds, const QString& email,
                    const CEntityType& type);
    uint32_t CellNumber(int row, int column) const;

    std::unique_ptr<Ui::CAlarmTriggerListDlg> ui_;
    uint32_t rowCounter_ = 0;
    std::unordered_map<uint32_t, SortKeys> sortKeys_; // by trigger id
};
