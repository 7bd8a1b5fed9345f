#pragma once
// CInventoryDlg ("Inventory Management", template 214): the boards of one NE, or of one of its shelves or slots, as
// the NE reports them in its board records (request 323): the slot, the planned and the online type, and, for a
// board whose online type this workstation knows, its up time, versions and serial number. Read only: Refresh asks
// the NE again and Export writes the list under the stem "BoardVer". Opened on a port, it lists the port's board.
// An NE without a board to list closes the dialog at once with "No data"; a later Refresh that finds none keeps it
// open with the message.

#include "link/records/board_setting_rec.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"

#include <memory>

namespace Ui {
class CInventoryDlg;
}

class CInventoryDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 214;
    // Columns.
    static constexpr int kSlotColumn = 1;
    static constexpr int kOnlineTypeColumn = 3;
    static constexpr int kUpTimeColumn = 4;
    static constexpr int kSerialColumn = 7;

    explicit CInventoryDlg(QWidget* parent = nullptr);
    ~CInventoryDlg() override;

    void InitData() override;
    bool OnCommand(int id, int code) override;

private:
    // The boards of the target: its own and those below it.
    bool IsListed(const BoardSettingRec& board) const;
    // "No data" when the list is empty; true then.
    bool ReportNoData();

    std::unique_ptr<Ui::CInventoryDlg> ui_;
    CRecordList<BoardSettingRec> rows_;
    CEntityId target_;
};
