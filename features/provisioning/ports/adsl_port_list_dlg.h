#pragma once
// CAdslPortListDlg (template 310, "ADSL Port List"): the ADSL line ports at or below the target entity (an NE, shelf,
// line card or port) with their line, PM threshold and traffic policing profiles, states and subscriber (request
// 630). The hub of a port's functions: Show and Modify open the ADSL Port dialog; VC-to-VLAN, MC Channel, Rate
// Status, Current, History and Long-Term PM open their dialogs on the selected port (or on the list's target, the
// PM and rate dialogs then through the port selection); Profile opens the NE's ADSL profiles; Reset Port resets the
// selected line (342); Subscriber opens the port's subscriber, or the subscriber selection without a row. The NE's
// planned and connected state decides which buttons are on (port_rules.h); direct mode hides the subscriber columns
// and the server-only buttons. Export writes the rows ("xDslLine").
//
//     CAdslPortListDlg dlg;
//     dlg.SetTarget(neId, &entity); // the NE itself: entity id 1
//     dlg.DoModal();

#include "link/records/adsl_port_rec.h"
#include "ui/framework/dialogs/record_list.h"

#include <memory>

namespace Ui {
class CAdslPortListDlg;
}

class CAdslPortListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 310;
    static constexpr int kVcVlanButtonId = 1164;
    static constexpr int kMcChannelButtonId = 1381;
    static constexpr int kRateStatusButtonId = 1382;
    static constexpr int kProfileButtonId = 1281;
    static constexpr int kResetPortButtonId = 1308;
    static constexpr int kSubscriberButtonId = 1333;
    static constexpr int kCurrentPmButtonId = 1270;
    static constexpr int kHistoryPmButtonId = 1271;
    static constexpr int kLongTermPmButtonId = 1272;
    enum Column {
        kNumberColumn,
        kSlotPortColumn,
        kLineProfileColumn,
        kPmThresholdColumn,
        kPolicingColumn,
        kAdminColumn,
        kOperColumn,
        kSubscriberColumn,
        kClassColumn,
        kServiceColumn
    };

    explicit CAdslPortListDlg(QWidget* parent = nullptr);
    ~CAdslPortListDlg() override;

    void InitData() override;
    void OnShowRecord(uint32_t portId) override;
    void OnModifyRecord(uint32_t portId) override;
    int OnCommandHook(int id, int code) override;
    void DrawExtras(Dc& dc) override;
    bool IsRowCommandOn(const RowCommand& command, std::optional<uint32_t> selected) const override;
    // A disabled port's row is grey.
    void GetItemColors(int row, int column, COLORREF* textColor, COLORREF* backColor, COLORREF* backColor2,
                       int listId) override;

private:
    // Show (access mode 1) or Modify (2) of the port; after a modify the row shows what was written.
    void OpenPort(uint32_t portId, uint8_t accessMode);
    void OpenSubscriber();

    std::unique_ptr<Ui::CAdslPortListDlg> ui_;
    CRecordList<AdslPortRec> rows_;
};
