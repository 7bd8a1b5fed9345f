#pragma once
// CXdslSlotSelectionDlg (template 475, "xDSL Slot Selection"): asks for one xDSL line card (Shelf 1322, Slot 1253) of
// its NE before a dialog that works per line card; the router runs it for the packet filter commands when the
// current entity has no slot. It sends no request. On OK its target becomes the card chosen, which the router reads
// back (DialogRequest::chosenIndex).
//
//     CXdslSlotSelectionDlg dlg;
//     dlg.SetTarget(neId, &current);
//     if (dlg.DoModal() == IDOK) ... dlg.GetTargetEntity() ...

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
    static constexpr int kShelfId = 1322;
    static constexpr int kSlotId = 1253;

    explicit CXdslSlotSelectionDlg(QWidget* parent = nullptr);
    ~CXdslSlotSelectionDlg() override;

    // After OK: the card chosen, for the router.
    void ReturnOpenerFields(DialogRequest& request) const;

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    void OnOK() override;

private:
    std::unique_ptr<Ui::CXdslSlotSelectionDlg> ui_;
};
