#pragma once
// CCosMappingDlg (template 395, "Upstream CoS Priority-Queue Mapping and DSCP Re-mapping"): for each 802.1p user
// priority 0..7 the upstream queue (1..8) and the DiffServ code point its packets are re-marked to, and whether
// re-marking is on (request 716). Before the NE answers, the queues are 3, 1, 2, 4, 5, 6, 7, 8 and every priority is
// re-marked Best Effort. OK takes the modify right.
//
//     CCosMappingDlg dlg;
//     dlg.SetTarget(neId, &entity);
//     dlg.DoModal();

#include "ui/framework/dialogs/ca_dialog.h"

#include <array>
#include <cstdint>
#include <memory>

namespace Ui {
class CCosMappingDlg;
}

class CCosMappingDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 395;
    static constexpr int kFirstQueueComboId = 1059; // 1059..1066 for priorities 0..7
    static constexpr int kFirstDscpComboId = 1069;  // 1069..1076
    static constexpr int kEnabledRadioId = 1153;
    static constexpr int kDisabledRadioId = 1134;

    explicit CCosMappingDlg(QWidget* parent = nullptr);
    ~CCosMappingDlg() override;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    void FillCombos();
    // Selects the DSCP combo's item of the code; false (the choice kept) when it has none.
    bool SelectDscp(int priority, uint32_t code);

    std::unique_ptr<Ui::CCosMappingDlg> ui_;
    int stateRadio_ = 1; // 0 Enabled, 1 Disabled
};
