#pragma once
// CPppoeSessionListDlg ("PPPoE Session Information List", template 456): the PPPoE sessions of one line-card slot of
// the target NE, or of one of its ports, with the PVC, VLAN, session id, source MAC and state of each (request 511).
// The slot and port are chosen in the combos (" <ALL>" for every port of the slot); Refresh asks the NE again.

#include "link/records/pppoe_session_rec.h"
#include "ui/framework/dialogs/record_list.h"

#include <cstdint>
#include <memory>

namespace Ui {
class CPppoeSessionListDlg;
}

class CPppoeSessionListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 456;
    static constexpr int kSlotComboId = 1253;
    static constexpr int kPortComboId = 1273;
    static constexpr int kVlanColumn = 4;

    explicit CPppoeSessionListDlg(QWidget* parent = nullptr);
    ~CPppoeSessionListDlg() override;

    void InitData() override;
    int OnCommandHook(int id, int code) override;

private:
    void FillSlotCombo();
    void FillPortCombo(unsigned port);
    // The chosen slot, or the chosen port; 0 for none.
    uint32_t ChosenEntity() const;

    std::unique_ptr<Ui::CPppoeSessionListDlg> ui_;
    CIndexedRecordList<PppoeSessionRec> rows_;
    uint32_t listed_ = 0; // the entity of the last fill
};
