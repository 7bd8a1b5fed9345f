#pragma once
// CShdslPortListDlg (template 414, "SHDSL Port List"): the SHDSL ports below the target NE, shelf or line card (request
// 808), numbered from 1 in the order the NE answers them, with their line and PM threshold profiles, enable and
// operational state; a disabled port's row is grey. It is the hub of a port: Modify (button, popup, double click,
// Enter) opens the SHDSL Port dialog and shows what it wrote; Reset Port resets the selected port (342); Rate Status,
// Current PM and History PM open on the selected port, or the port selection on the list's target without one;
// VC-to-VLAN and Long-Term PM open on the selected port or the list's target; Profile opens the NE's SHDSL profiles
// (the context menu's Template has no action here);
// Subscriber (context menu) opens the port's subscriber, or the subscriber selection without a row; Export writes the
// rows ("ShdslSpan").
//
// A planned NE offers only Modify, VC-to-VLAN and Profile; an unconnected NE none of the port commands.
//
//     CShdslPortListDlg dlg;
//     dlg.SetTarget(neId, &entity);
//     dlg.DoModal();

#include "link/records/shdsl_port_rec.h"
#include "ui/framework/dialogs/record_list.h"

#include <memory>

namespace Ui {
class CShdslPortListDlg;
}

class CShdslPortListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 414;
    static constexpr int kVcVlanButtonId = 1164;
    static constexpr int kRateStatusButtonId = 1382;
    static constexpr int kCurrentPmButtonId = 1270;
    static constexpr int kHistoryPmButtonId = 1271;
    static constexpr int kLongTermPmButtonId = 1272;
    static constexpr int kProfileButtonId = 1281;
    static constexpr int kResetButtonId = 1308;
    static constexpr int kSubscriberButtonId = 1333;
    static constexpr int kPopupVcVlan = 33022;
    static constexpr int kPopupRateStatus = 33124;
    static constexpr int kPopupCurrentPm = 33076;
    static constexpr int kPopupHistoryPm = 33078;
    static constexpr int kPopupLongTermPm = 33077;
    static constexpr int kPopupProfile = 33080;
    static constexpr int kPopupTemplate = 33142;
    static constexpr int kPopupReset = 33085;
    static constexpr int kPopupSubscriber = 33096;
    enum Column {
        kNumberColumn,
        kSlotPortColumn,
        kLineProfileColumn,
        kPmThresholdColumn,
        kAdminColumn,
        kOperColumn,
        kSubscriberColumn,
        kClassColumn,
        kServiceColumn,
    };

    explicit CShdslPortListDlg(QWidget* parent = nullptr);
    ~CShdslPortListDlg() override;

    void InitData() override;
    void OnRefresh() override;
    void OnModifyRecord(uint32_t portId) override;
    int OnCommandHook(int id, int code) override;
    void OnListSelChanged(int row, int listId) override;
    std::vector<uint16_t> GreyedPopupCommands() const override;
    void GetItemColors(int row, int column, COLORREF* textColor, COLORREF* backColor, COLORREF* backColor2,
                       int listId) override;
    void DrawExtras(Dc& dc) override;

private:
    void Load();
    // The port commands offered now, by the NE's state and the selection.
    std::vector<int> OffCommands() const;
    void UpdateCommands();
    void OpenSubscriber();

    std::unique_ptr<Ui::CShdslPortListDlg> ui_;
    CRecordList<ShdslPortRec> rows_;
};
