#pragma once
// CIpoaNextHopListDlg (template 295, "xDSL Next-hop List for IP over ATM"): the NE's next hops for IP over ATM (at
// most 4, request 425) with the MAC address the NE learned for each and whether it is active (a grey row when not).
// Add opens the next-hop setting; Delete deletes the selected next hop (427); Export writes the rows ("xDslIPoAIsp").
//
//     CIpoaNextHopListDlg dlg;
//     dlg.SetTarget(neId, &entity);
//     dlg.DoModal();

#include "link/records/next_hop_rec.h"
#include "ui/framework/dialogs/record_list.h"

#include <memory>

namespace Ui {
class CIpoaNextHopListDlg;
}

class CIpoaNextHopListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 295;
    static constexpr int kEnabledImageId = 1153;
    static constexpr int kDisabledImageId = 1134;
    enum Column { kNumberColumn, kNameColumn, kIpColumn, kVlanColumn, kMacColumn };

    explicit CIpoaNextHopListDlg(QWidget* parent = nullptr);
    ~CIpoaNextHopListDlg() override;

    void InitData() override;
    void OnAddRecord(std::optional<uint32_t> selected) override;
    void OnDeleteRecord(uint32_t row) override;
    void DrawExtras(Dc& dc) override;

private:
    std::unique_ptr<Ui::CIpoaNextHopListDlg> ui_;
    CIndexedRecordList<NextHopRec> rows_;
};
