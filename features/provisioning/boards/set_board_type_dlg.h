#pragma once
// CSetBoardTypeDlg ("Set Board Type", template 209): the planned type of a board that is not an xDSL line card and its
// tagged mode (radios 1059 Tagged-Only, 1060 Untagged-Only; a change asks first, the NE saves and reboots). OK writes
// the board with its other settings as they were.
//
//     CSetBoardTypeDlg dlg(this);
//     dlg.SetTarget(neId, &slot);
//     dlg.SetAccessMode(kAccessModify);
//     if (dlg.DoModal() == IDOK) ... dlg.GetRecord() ...

#include "features/provisioning/boards/board_dlg_base.h"

#include <memory>

namespace Ui {
class CSetBoardTypeDlg;
}

class CSetBoardTypeDlg : public CBoardDlgBase {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 209;
    static constexpr int kTaggedOnlyId = 1059;
    static constexpr int kUntaggedOnlyId = 1060;

    explicit CSetBoardTypeDlg(QWidget* parent = nullptr);
    ~CSetBoardTypeDlg() override;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    std::unique_ptr<Ui::CSetBoardTypeDlg> ui_;
    int taggedIndex_ = 0;
    int loadedTaggedIndex_ = 0;
};
