#pragma once
// CSfpInfoDlg (template 453, "Current Status of SFP Information"): the serial-ID data of the pluggable transceiver in
// each trunk port (request 720), decoded (sfp_decode.h) on a read-only page per port; a port without a transceiver
// shows an empty page. The data are read once, when the dialog opens. Export writes the current page
// ("GbicStatPort1", "GbicStatPort2").
//
//     CSfpInfoDlg dlg;
//     dlg.SetTarget(neId, &entity);
//     dlg.DoModal();

#include "features/provisioning/common/item_value_tab_dlg.h"
#include "features/provisioning/sfp/sfp_info_page.h"

#include <memory>

namespace Ui {
class CSfpInfoDlg;
}

class CSfpInfoDlg : public CItemValueTabDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 453;
    static constexpr int kTabId = 1337;

    explicit CSfpInfoDlg(QWidget* parent = nullptr);
    ~CSfpInfoDlg() override;

    CSfpInfoPage& PortPage(int port) override { return port == 1 ? port1Page_ : port2Page_; }

    void InitData() override;

private:
    // Reads the transceivers and fills their pages.
    void ReadTransceivers();

    std::unique_ptr<Ui::CSfpInfoDlg> ui_;
    CSfpInfoPage port1Page_{"GbicStatPort1"};
    CSfpInfoPage port2Page_{"GbicStatPort2"};
};
