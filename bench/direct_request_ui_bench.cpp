// The round trip of one direct-mode request (the NE's key record, code 30) through the SNMP driver to the simulated
// NE on loopback, with the program's wait dialog on the UI thread as the login shows it, and without it.

#include "link/driver_result.h"
#include "link/server_message_dispatcher.h"
#include "link/snmp/net_drv_snmp_agent.h"
#include "tarvik_test_paths.h"
#include "tests/link/snmp_test_support.h"
#include "ui/framework/link_ui/qt_link_ui.h"
#include "ui/framework/messages/string_table.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <memory>

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "direct_request_ui_bench";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        auto made = std::make_unique<QApplication>(argc, argv);
        LoadAppStrings(std::string(TARVIK_RESOURCES_DIR) + "/strings/strings.tsv");
        return made;
    }();
    return *app;
}

void RoundTrips(benchmark::State& state, bool waitDialog)
{
    App();
    SetUiThreadId(std::this_thread::get_id());
    CQtLinkUi ui;
    ScopedLinkUi registered(ui);
    snmp_test::CAgentProcess agent;
    if (!agent.Start()) {
        state.SkipWithError("agent did not start");
        return;
    }
    SnmpLinkSettings settings;
    settings.trapPort = snmp_test::FreeUdpPort();
    settings.pollIntervalS = 0;
    CNetDrvSnmpAgent driver(settings, [](const std::array<uint8_t, 4>&, int32_t) { return SnmpEchoResult::Reachable; });
    if (driver.Start() != kDrvOk ||
        driver.EmsConnect(snmp_test::kLoopback, agent.Port(), "qurim", "public") != kDrvOk) {
        state.SkipWithError("no NE");
        return;
    }
    uint8_t body = 0;
    EmsMsg request;
    EmsMsg* reply = nullptr;
    for (auto _ : state) {
        BuildEmsMsg(&request, kEmsOpQuery, kReqNeKey, 1, &body, kDirectNeId);
        if (driver.RequestEmsMsg(&request, &reply, 0, CNetDrv::kDefaultTimeout, waitDialog) != kDrvOk) {
            state.SkipWithError("request failed");
            return;
        }
    }
}

void BM_DirectRequestWithWaitDialog(benchmark::State& state)
{
    RoundTrips(state, true);
}

void BM_DirectRequestWithoutWaitDialog(benchmark::State& state)
{
    RoundTrips(state, false);
}

} // namespace

BENCHMARK(BM_DirectRequestWithWaitDialog)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_DirectRequestWithoutWaitDialog)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
