#pragma once
// CBoardSettingListDlg ("Board Setting List", template 371): the boards in the slots below the selected entity (the
// NE, a shelf or a slot) with their planned and online types and, for the line cards that take them, their AAL5
// encapsulation, VLAN tag pass-through, service type control and tagged mode, configured and as the card runs them.
// Modify (1150, also a double click or Enter) opens the Board Setting of an xDSL line card, else Set Board Type, and
// shows the row as the dialog wrote it; the dialog checks the operator's right for its mode. Export (1165) writes
// "BoardSet" files. Opened by command 33162.

#include "link/records/board_setting_rec.h"
#include "ui/framework/dialogs/record_list.h"

#include <cstdint>
#include <memory>

namespace Ui {
class CBoardSettingListDlg;
}

class CBoardSettingListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 371;
    static constexpr int kXdslColumn = 8;

    explicit CBoardSettingListDlg(QWidget* parent = nullptr);
    ~CBoardSettingListDlg() override;

    void InitData() override;
    void OnModifyRecord(uint32_t key) override;

private:
    std::unique_ptr<Ui::CBoardSettingListDlg> ui_;
    CRecordList<BoardSettingRec> rows_;
    CEntityId scope_; // the target cut to its NE, shelf and slot
};
