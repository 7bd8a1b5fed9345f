#pragma once
// CXdslSlotSelectionDlg ("xDSL Slot Selection", template 475): asks for one xDSL line-card slot of the current NE
// before a command that works on a line card opens its dialog; it sends nothing. The router runs it for a command
// declared with .Slot(...) when no slot is current and hands the slot chosen to the command's dialog:
//
//     CXdslSlotSelectionDlg dlg(this);
//     dlg.SetTarget(neId, &entity);           // the NE, and the shelf and slot to start from
//     if (dlg.DoModal() == IDOK)
//         ... dlg.GetTargetEntity().index ... // {1, shelf, slot}; Cancel leaves the target as it was

#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>

namespace Ui {
class CXdslSlotSelectionDlg;
}
struct DialogRequest;

class CXdslSlotSelectionDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 475;
    static constexpr int kShelfComboId = 1322;
    static constexpr int kSlotComboId = 1253;

    explicit CXdslSlotSelectionDlg(QWidget* parent = nullptr);
    ~CXdslSlotSelectionDlg() override;

    // For the router: the slot chosen, after OK.
    void ReturnResultFields(DialogRequest& request) const;

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    void OnOK() override;

private:
    void FillSlots(const CEntityIndex* wanted);

    std::unique_ptr<Ui::CXdslSlotSelectionDlg> ui_;
};
