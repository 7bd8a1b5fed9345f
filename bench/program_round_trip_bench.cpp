// A request's round trip through the running program's server driver, beside a plain TCP echo of the same bytes. The
// program is logged in to the simulated server (booted and driven as the end-to-end tests do); the request is the
// keep-alive (a query of code 1 with a 1-byte body, answered with an empty reply), made as a dialog makes it, without
// or with the wait dialog. The echo peer is a thread of this benchmark that sends back what it receives, over
// loopback with TCP_NODELAY as the driver's connection. The two are measured in turns, a batch of each, so that the
// load of the machine falls on both alike; the figures are the medians of the batches, per request, and their ratio.
//
//     build/bench/program_round_trip_bench

#include "bench/program_boot.h"

#include "link/driver_mode.h"
#include "link/driver_result.h"
#include "link/ems_msg.h"
#include "link/net_drv.h"
#include "link/server/frame_codec.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

namespace {

constexpr int kBatch = 500;
constexpr int kBatches = 15;

using Clock = std::chrono::steady_clock;

// A TCP echo on a loopback port, for the life of the object.
class CEchoPeer {
public:
    CEchoPeer()
    {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof addr;
        ::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        ::listen(listener_, 1);
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &length);
        thread_ = std::thread([this] {
            const int fd = ::accept(listener_, nullptr, nullptr);
            NoDelay(fd);
            uint8_t buffer[4096];
            for (ssize_t n; (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;)
                ::send(fd, buffer, static_cast<size_t>(n), MSG_NOSIGNAL);
            ::close(fd);
        });
        client_ = ::socket(AF_INET, SOCK_STREAM, 0);
        NoDelay(client_);
        connected_ = ::connect(client_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    }
    ~CEchoPeer()
    {
        ::close(client_);
        thread_.join();
        ::close(listener_);
    }
    CEchoPeer(const CEchoPeer&) = delete;
    CEchoPeer& operator=(const CEchoPeer&) = delete;

    bool IsConnected() const { return connected_; }

    bool RoundTrip(const std::vector<uint8_t>& bytes)
    {
        if (::send(client_, bytes.data(), bytes.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(bytes.size()))
            return false;
        uint8_t back[4096];
        for (size_t got = 0; got < bytes.size();) {
            const ssize_t n = ::recv(client_, back, sizeof back, 0);
            if (n <= 0)
                return false;
            got += static_cast<size_t>(n);
        }
        return true;
    }

private:
    static void NoDelay(int fd)
    {
        int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    }

    int listener_ = -1;
    int client_ = -1;
    bool connected_ = false;
    std::thread thread_;
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void BM_RequestRoundTripBesideTcpEcho(benchmark::State& state)
{
    const bool waitDialog = state.range(0) != 0;
    e2e::CProgram program;
    if (!program.StartServer() || !program.Login("admin", "admin")) {
        state.SkipWithError("the program could not log in to the simulated server");
        return;
    }
    CEchoPeer echo;
    if (!echo.IsConnected()) {
        state.SkipWithError("no echo peer");
        return;
    }
    const uint8_t body = 0;
    EmsMsg request;
    BuildEmsMsg(&request, kEmsOpQuery, kReqKeepAlive, 1, &body, 0);
    // The bytes of the keep-alive on the wire, and of its reply (the same header, no records).
    FrameHeader header;
    header.operation = kEmsOpQuery;
    header.requestCode = kReqKeepAlive;
    header.count = 1;
    header.total = 1;
    header.recordSize = 1;
    header.sequence = 1;
    const std::vector<uint8_t> frame = EncodeFrame(header, &body, 1);

    std::vector<double> driverUs;
    std::vector<double> echoUs;
    for (auto _ : state) {
        for (int batch = 0; batch < kBatches; ++batch) {
            auto start = Clock::now();
            for (int i = 0; i < kBatch; ++i) {
                EmsMsg* reply = nullptr;
                if (GetCurrentDriver().RequestEmsMsg(&request, &reply, 0, CNetDrv::kDefaultTimeout, waitDialog) !=
                    kDrvOk) {
                    state.SkipWithError("the request failed");
                    return;
                }
            }
            driverUs.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count() / kBatch);
            start = Clock::now();
            for (int i = 0; i < kBatch; ++i) {
                if (!echo.RoundTrip(frame)) {
                    state.SkipWithError("the echo failed");
                    return;
                }
            }
            echoUs.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count() / kBatch);
        }
        state.SetIterationTime(Median(driverUs) / 1e6);
    }
    state.counters["driver_us"] = Median(driverUs);
    state.counters["echo_us"] = Median(echoUs);
    state.counters["ratio"] = Median(driverUs) / Median(echoUs);
}
BENCHMARK(BM_RequestRoundTripBesideTcpEcho)
    ->ArgName("wait_dialog")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace
