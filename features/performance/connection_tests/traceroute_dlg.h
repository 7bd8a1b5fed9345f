#pragma once
// CTracerouteDlg (template 347, "Traceroute NE from Client"): traces the route from the workstation to an NE, or any
// IPv4 address, hop by hop: each hop sends the count of echoes with the TTL set to the hop number and gets one line,
// until the destination answers, a router says it cannot be reached, or the most hops (the TTL edit, "Max Hops") are
// used. Each Trace replaces the text with its own header; a newer Trace, or closing the dialog, ends the one in
// progress, which then writes nothing more. The controls and their ids are CClientEchoDlg's.

#include "features/performance/connection_tests/client_echo_dlg.h"

#include <memory>

namespace Ui {
class CTracerouteDlg;
}

class CTracerouteDlg : public CClientEchoDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 347;
    static constexpr int kRefreshTimerId = 8715;

    explicit CTracerouteDlg(QWidget* parent = nullptr);
    ~CTracerouteDlg() override;

protected:
    void Start(PingRequest request) override;
    void Stop() override;
    void RestartNumbering() override;

private:
    std::unique_ptr<Ui::CTracerouteDlg> ui_;
};
