#pragma once
// CXdslPktFilterDlg (template 469, "xDSL Packet Filter"): the nine packet filters per direction of the line card of
// its target (request 635), on the pages Ether-Type-Only, Known and Fully Configured (pkt_filter_pages.h). OK checks
// the names it writes (blank, a character that is not a name character, two alike) and writes thirteen records in
// order, upstream filters 1..9 then downstream 1..4, stopping at the first failure. A target without a slot is an
// internal error; the port of a port target is left out.
//
//     CXdslPktFilterDlg dlg(this);
//     dlg.SetTarget(neId, &cardOrPort);
//     dlg.DoModal();

#include "features/provisioning/packet_filters/pkt_filter_pages.h"
#include "features/provisioning/packet_filters/pkt_filter_values.h"
#include "ui/framework/dialogs/tab_dialog.h"

#include <memory>

namespace Ui {
class CXdslPktFilterDlg;
}

class CXdslPktFilterDlg : public CATabDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 469;

    explicit CXdslPktFilterDlg(QWidget* parent = nullptr);
    ~CXdslPktFilterDlg() override;

    CPktFilterEtherTypePage& EtherTypePage() { return etherTypePage_; }
    CPktFilterKnownPage& KnownPage() { return knownPage_; }
    CPktFilterFullPage& FullPage() { return fullPage_; }

    void InitData() override;
    void OnOK() override;

private:
    // False, with the fault shown on its page, when a written filter's name may not be written.
    bool NamesAllowed(const PktFilterSet& set);

    std::unique_ptr<Ui::CXdslPktFilterDlg> ui_;
    CPktFilterEtherTypePage etherTypePage_;
    CPktFilterKnownPage knownPage_;
    CPktFilterFullPage fullPage_;
    PktFilterSet filters_;
    uint8_t slot_ = 0;
};

// The line card of a target at or below one, its port left out; false (with "Internal error" shown and the dialog
// ended) when the target names no slot.
bool TakeLineCardTarget(CADialog& dialog, uint8_t& slot);
