#include "features/performance/connection_tests/ping_from_client_dlg.h"

#include "link/icmp/client_echo.h"
#include "ui_ping_from_client_dlg.h"

namespace {

constexpr uint32_t kDefaultTtl = 128;

} // namespace

CPingFromClientDlg::CPingFromClientDlg(QWidget* parent)
    : CClientEchoDlg(kTemplateId, kRefreshTimerId, kDefaultTtl, ClientEcho().pingOutput, parent),
      ui_(std::make_unique<Ui::CPingFromClientDlg>())
{
    ui_->setupUi(this);
}

CPingFromClientDlg::~CPingFromClientDlg() = default;

void CPingFromClientDlg::Start(PingRequest request)
{
    ClientEchoState& echo = ClientEcho();
    // The newer id ends the ping in progress; this run works on its own copy of the request.
    NewPingId(&request, echo.pingCounter);
    echo.workers.Start([request] {
        ClientEchoState& state = ClientEcho();
        RunClientPing(request, state.pingCounter, CurrentIcmpTransportOpener());
    });
}

void CPingFromClientDlg::Stop()
{
    ClientEcho().pingCounter.TakeId();
}

void CPingFromClientDlg::RestartNumbering()
{
    ClientEcho().pingCounter.Reset();
}
