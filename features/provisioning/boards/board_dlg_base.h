#pragma once
// What the two board dialogs share: the board of one slot read from the NE (request 323), its planned type (combo
// 1250, among the types the slot takes) and online type (static 1348), and the write of the board with the planned
// type chosen. CSetBoardTypeDlg and CBoardSettingDlg add the settings they offer.

#include "link/records/board_setting_rec.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <cstdint>

class CNeRecord;

class CBoardDlgBase : public CADialog {
    Q_OBJECT
public:
    static constexpr int kPlannedTypeId = 1250;
    static constexpr int kOnlineTypeId = 1348;

    // After OK: the board as written.
    const BoardSettingRec& GetRecord() const { return record_; }

    void DoDataExchange(CDataExchange& dx) override;

protected:
    CBoardDlgBase(int templateId, QWidget* parent);

    // The common load; false when the dialog ended.
    bool LoadBoard();
    // The chosen planned type; none selected: 0.
    uint32_t ChosenPlannedType() const;
    // The start of OK: the right to change, the NE, the data taken and a planned type chosen ("Please select one
    // item" at its combo without). The planned type; 0 when OK goes no further.
    uint32_t StartOk();
    // Writes the board and has the NE report its entities again; false when the write failed.
    bool WriteBoard(const BoardSettingRec& board);
    const CNeRecord* Ne() const;
    // 0 for the first radio of a pair when the value is 1.
    static int RadioIndex(uint32_t value) { return value == 1 ? 0 : 1; }

    BoardSettingRec record_; // as read; after OK as written
    QString onlineType_;
};
