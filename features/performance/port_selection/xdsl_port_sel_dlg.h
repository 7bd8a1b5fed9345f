#pragma once
// CXdslPortSelDlg (template 255, "xDSL Port Selection"): where a port-level PM or line-test command starts when no
// port is selected. The operator picks a location, an NE, a shelf, a slot and a port and presses Query; the dialog
// opens the function's own dialog for that port, by the function the command asked for (the selection mode) and the
// kind of port (the menu class of its model: 12 ADSL, 29 SHDSL), and stays open with its choices for the next
// Query. Query is offered while the chosen NE is connected and as planned.
//
//     mode  function                 right (access item)    ADSL port               SHDSL port
//     1     current PM               15, the access letter  CAdslCurrentPmDlg       CShdslCurPmDlg
//     2     history PM               16, the access letter  CAdslHistoryPmDlg       CShdslHisPmDlg
//     3     rate status              14, the access letter  CAdslRateStatusDlg      CShdslRateStatusDlg
//     4     bits allocation          37, the access letter  CXdslBitsAllocationDlg  "Entity type is wrong"
//     5     loop monitoring          39, 'm'                CXdslLoopMonitoringDlg  "Entity type is wrong"
//     6     loop diagnosis           39, 'm'                CXdslLoopDiagnosisDlg   "Entity type is wrong"
//     7     single-ended loop test   39, 'm'                CXdslSeltDlg            "Entity type is wrong"
//
// The router opens it for a port command (Command(...).Port<CAdslCurrentPmDlg>(1)), handing it the current NE,
// entity and location; a dialog that lists ports (the SHDSL port list) opens it the same way:
//
//     CXdslPortSelDlg selection(this);
//     selection.SetTarget(neId, &entity);      // the NE, and the shelf, slot or port to start from
//     selection.SetLocationId(locationId);
//     selection.SetPortSelMode(2);
//     selection.DoModal();                     // IDCANCEL: its work is done by the dialogs it opened
//
// The dialogs it opens are found by class name (dialog_registry.h), so that one not built yet says so. The location
// and NE combos are location_ne_combos.h's, the shelf, slot and port combos entity_combos.h's (xDSL line ports).

#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/dialogs/port_combos.h"

#include <memory>
#include <string>

namespace Ui {
class CXdslPortSelDlg;
}

class CXdslPortSelDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 255;
    static constexpr int kLocationComboId = 1214;
    static constexpr int kNeComboId = 1149;
    static constexpr int kShelfComboId = 1322;
    static constexpr int kSlotComboId = 1253;
    static constexpr int kPortComboId = 1273;

    explicit CXdslPortSelDlg(QWidget* parent = nullptr);
    ~CXdslPortSelDlg() override;

    void SetPortSelMode(int mode) { portSelMode_ = mode; }
    void ApplyOpenerFields(const DialogRequest& request);

    // The class Query opens for the mode and a port's menu class; empty when the mode has none for that kind.
    static std::string DialogForPort(int mode, int menuClass);

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    void OnOK() override;

private:
    void OnLocationChanged();
    void OnNeChanged(const CEntityIndex* wanted = nullptr);

    std::unique_ptr<Ui::CXdslPortSelDlg> ui_;
    int portSelMode_ = 0;
    bool withSubLocations_ = true;
    CPortCombos portCombos_;
};
