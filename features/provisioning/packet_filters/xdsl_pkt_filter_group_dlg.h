#pragma once
// CXdslPktFilterGroupDlg (template 473, "xDSL Packet Filter Group"): the seven packet filter groups of the line card of
// its target (request 636), a page each (USG1..USG3, DSG1..DSG4, pkt_filter_group_page.h), with the card's filters
// (635) beside the member boxes. OK checks the seven names (blank, a character that is not a name character, two
// alike) and writes the seven groups in tab order, stopping at the first failure. Filter (1168) opens the packet
// filter dialog on the same card.
//
//     CXdslPktFilterGroupDlg dlg(this);
//     dlg.SetTarget(neId, &cardOrPort);
//     dlg.DoModal();

#include "features/provisioning/packet_filters/pkt_filter_group_page.h"
#include "ui/framework/dialogs/tab_dialog.h"

#include <array>
#include <memory>

namespace Ui {
class CXdslPktFilterGroupDlg;
}

class CXdslPktFilterGroupDlg : public CATabDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 473;
    static constexpr int kFilterButtonId = 1168;

    explicit CXdslPktFilterGroupDlg(QWidget* parent = nullptr);
    ~CXdslPktFilterGroupDlg() override;

    CPktFilterGroupPage& Page(size_t tab) { return pages_[tab]; }

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    void OnOK() override;

private:
    // The card's groups, then its filters' states and names, into the pages; a failed query ends the loading.
    void LoadGroups(PktFilterGroups& groups);

    std::unique_ptr<Ui::CXdslPktFilterGroupDlg> ui_;
    std::array<CPktFilterGroupPage, 7> pages_;
    uint8_t slot_ = 0;
};
