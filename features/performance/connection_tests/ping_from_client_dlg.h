#pragma once
// CPingFromClientDlg (template 252, "Ping NE from Client"): pings an NE, or any IPv4 address, from the workstation
// itself; the echoes' lines appear in the result box as they come. A new Ping ends the one in progress after its
// current echo; the lines of both stay, in order, as do those of earlier openings until Clear. The main menus open it
// for the current NE; NE auto-discovery opens it with the address of a discovered NE preset. The controls and their
// ids are CClientEchoDlg's.

#include "features/performance/connection_tests/client_echo_dlg.h"

#include <memory>

namespace Ui {
class CPingFromClientDlg;
}

class CPingFromClientDlg : public CClientEchoDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 252;
    static constexpr int kRefreshTimerId = 3715;

    explicit CPingFromClientDlg(QWidget* parent = nullptr);
    ~CPingFromClientDlg() override;

protected:
    void Start(PingRequest request) override;
    void Stop() override;
    void RestartNumbering() override;

private:
    std::unique_ptr<Ui::CPingFromClientDlg> ui_;
};
