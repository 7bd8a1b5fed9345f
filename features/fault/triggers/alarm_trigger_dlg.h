#pragma once
// CAlarmTriggerDlg (227, "Trigger of Alarm Notification"): adds or changes one alarm notification trigger of the
// target NE. The operator chooses the entity type in a tree of the types the NE's model can hold, checks the alarms
// of that type that should be mailed, and gives the seconds an alarm must stay asserted and the receiver's address.
// OK stores the trigger on the server and ends the dialog with IDOK; the trigger then holds what was sent (an added
// one with the id the server gave it).
//
//     CAlarmTriggerDlg dlg(this);
//     dlg.SetTarget(neId, &entity);
//     dlg.SetAccessMode(kAccessModify);              // kAccessCreate to add
//     dlg.SetTrigger({id, modelId, mask, seconds, email});
//     if (dlg.DoModal() == IDOK) ... dlg.GetTrigger() ...

#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <string>

class CEntityType;
class QTreeWidget;
class QTreeWidgetItem;

namespace Ui {
class CAlarmTriggerDlg;
}

class CAlarmTriggerDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 227;
    static constexpr int kTypeTreeId = 1250;
    static constexpr int kTypeNameId = 1348;
    static constexpr int kAlarmListId = kListControlId;
    // The compare key of the alarm list's columns: the alarm index.
    static constexpr int kIndexOrderKey = 2;
    static constexpr int kSecondsId = 1311;
    static constexpr int kSecondsSpinId = 1312;
    static constexpr int kEmailId = 1257;
    static constexpr uint32_t kMinSeconds = 60;
    static constexpr uint32_t kMaxSeconds = 86400;
    static constexpr int kEmailMax = 60;

    // The trigger without its NE, which is the dialog's target.
    struct Trigger {
        uint32_t id = 0;
        uint32_t modelId = 0;
        uint32_t alarmMask = 0;
        uint32_t seconds = 0;
        std::string email;
    };

    explicit CAlarmTriggerDlg(QWidget* parent = nullptr);
    ~CAlarmTriggerDlg() override;

    const Trigger& GetTrigger() const { return trigger_; }
    void SetTrigger(const Trigger& trigger) { trigger_ = trigger; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    int CompareItems(uint32_t item1, uint32_t item2, uint32_t flags) override;
    void OnOK() override;

private:
    QTreeWidget* TypeTree() const;
    // Adds the types that can sit below the item's type, and below those in turn; returns the last item added whose
    // type is the trigger's (or `found` when none is).
    QTreeWidgetItem* AddChildTypes(QTreeWidgetItem* parent, const CEntityType& parentType, uint32_t neModelId,
                                   QTreeWidgetItem* found);
    // The model id of the selected tree item, 0 when none is selected.
    uint32_t SelectedModelId() const;
    // Lists the alarms of the selected type, unchecked.
    void FillAlarmList();
    // The OR of the checked alarms' bits.
    uint32_t CheckedMask() const;

    std::unique_ptr<Ui::CAlarmTriggerDlg> ui_;
    Trigger trigger_;
    uint32_t seconds_ = kMinSeconds;
    QString email_;
    QString typeName_;
};
