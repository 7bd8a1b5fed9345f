#pragma once
// CTrunkPortListDlg (template 402, "Trunk Port List"): one row per trunk port of the NE with its Administrative
// State, link state, medium, speed, auto-negotiation (request 710) and use mode (717, matched to the rows by port).
// Modify (button, popup, double click, Enter) opens the Trunk Port dialog of the selected port and shows what it
// wrote; PM opens the trunk port PM of the selected port, or of the list's target without a selection; Export writes
// the rows ("TrunkPort").
//
//     CTrunkPortListDlg dlg;
//     dlg.SetTarget(neId, &entity);
//     dlg.DoModal();

#include "link/records/trunk_port_rec.h"
#include "ui/framework/dialogs/record_list.h"

#include <memory>
#include <optional>

namespace Ui {
class CTrunkPortListDlg;
}

// One row: the port as the NE answered it, and its use mode (1 uplink, 0 subtend) where the NE gave one.
struct TrunkPortRow {
    TrunkPortRec port;
    std::optional<uint32_t> uplink;
};

class CTrunkPortListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 402;
    static constexpr int kPmButtonId = 1393;
    static constexpr int kPopupPm = 33172;
    enum Column {
        kNumberColumn,
        kSlotPortColumn,
        kAdminColumn,
        kOperColumn,
        kMediumColumn,
        kSpeedColumn,
        kAutoNegotiationColumn,
        kUseModeColumn
    };

    explicit CTrunkPortListDlg(QWidget* parent = nullptr);
    ~CTrunkPortListDlg() override;

    void InitData() override;
    void OnRefresh() override;
    void OnModifyRecord(uint32_t portId) override;
    int OnCommandHook(int id, int code) override;
    void DrawExtras(Dc& dc) override;

protected:
    // Modify stays offered without a selected row: it then asks for one.
    bool IsRowCommandOn(const RowCommand& command, std::optional<uint32_t> selected) const override;

private:
    // The ports and their use modes read anew.
    void Load();
    void OpenPm();

    std::unique_ptr<Ui::CTrunkPortListDlg> ui_;
    CRecordList<TrunkPortRow> rows_;
};
