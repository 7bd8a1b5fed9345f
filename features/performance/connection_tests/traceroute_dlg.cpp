#include "features/performance/connection_tests/traceroute_dlg.h"

#include "link/icmp/client_echo.h"
#include "ui_traceroute_dlg.h"

#include <string>

namespace {

constexpr uint32_t kDefaultMaxHops = 30;

} // namespace

CTracerouteDlg::CTracerouteDlg(QWidget* parent)
    : CClientEchoDlg(kTemplateId, kRefreshTimerId, kDefaultMaxHops, ClientEcho().traceOutput, parent),
      ui_(std::make_unique<Ui::CTracerouteDlg>())
{
    ui_->setupUi(this);
}

CTracerouteDlg::~CTracerouteDlg() = default;

void CTracerouteDlg::Start(PingRequest request)
{
    ClientEchoState& echo = ClientEcho();
    request.output = nullptr;
    // The newer trace id and the header in one step: the trace before writes no line after it.
    echo.traceOutput.Edit([&](std::string& text) {
        request.id = echo.traces.BeginTrace();
        text = TraceHeader(request.address, request.ttl);
    });
    echo.workers.Start([request] {
        ClientEchoState& state = ClientEcho();
        TracerouteThread(&request, &state.traceOutput, state.traces, CurrentIcmpTransportOpener());
    });
}

void CTracerouteDlg::Stop()
{
    // The trace ends, and so does the echo run of its hop in progress.
    ClientEcho().traces.EndTraces();
}

void CTracerouteDlg::RestartNumbering()
{
    ClientEcho().traces.Reset();
}
