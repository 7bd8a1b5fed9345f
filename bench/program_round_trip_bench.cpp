// A request's round trip through the running program's server driver, beside a plain TCP echo of the same bytes. The
// program is logged in to the simulated server (booted and driven as the end-to-end tests do); the request is the
// keep-alive (a query of code 1 with a 1-byte body, answered with an empty reply), made as a dialog makes it, without
// or with the wait dialog. The echo peer is a small process of this benchmark that waits in poll() and sends back
// what it receives, over loopback with TCP_NODELAY as the driver's connection. The peers run on a processor of their
// own and the program on the others (peers_apart 1), or everything runs on that one processor (0). The two are
// measured in turns, a batch of each, so that the load of the machine falls on both alike; the figures are the
// medians of the batches, per request, and their ratio.
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
#include <poll.h>
#include <sched.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

constexpr int kBatch = 500;
constexpr int kBatches = 15;

using Clock = std::chrono::steady_clock;

// A TCP echo on a loopback port, for the life of the object: a process of its own that waits in poll() as a server
// does and sends back what it receives.
class CEchoPeer {
public:
    CEchoPeer()
    {
        const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof addr;
        ::bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        ::listen(listener, 1);
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &length);
        pid_ = ::fork();
        if (pid_ == 0) {
            // Only system calls from here: the program's other threads are not in this process.
            const int fd = ::accept(listener, nullptr, nullptr);
            NoDelay(fd);
            uint8_t buffer[4096];
            for (;;) {
                pollfd ready{fd, POLLIN, 0};
                if (::poll(&ready, 1, -1) < 0)
                    continue;
                const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
                if (n <= 0)
                    ::_exit(0);
                ::send(fd, buffer, static_cast<size_t>(n), MSG_NOSIGNAL);
            }
        }
        client_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        NoDelay(client_);
        connected_ = pid_ > 0 && ::connect(client_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
        ::close(listener);
    }
    ~CEchoPeer()
    {
        ::close(client_);
        if (pid_ > 0)
            ::waitpid(pid_, nullptr, 0);
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

    pid_t pid_ = -1;
    int client_ = -1;
    bool connected_ = false;
};

// Where the threads run, the same for both measurements, so that the scheduler's choices do not decide the figures:
// the peers (the simulated server and the echo) on a processor of their own and the program on the others, so that
// every round trip crosses processors as one to a server elsewhere does; or everything on that one processor, which
// leaves the work of the two paths alone to compare.
class CPeerProcessor {
public:
    explicit CPeerProcessor(bool peersApart) : peersApart_(peersApart)
    {
        if (::sched_getaffinity(0, sizeof all_, &all_) != 0 || CPU_COUNT(&all_) < 2)
            return;
        for (int cpu = CPU_SETSIZE - 1; cpu >= 0; --cpu) {
            if (CPU_ISSET(cpu, &all_)) {
                peer_ = cpu;
                break;
            }
        }
        usable_ = true;
    }
    ~CPeerProcessor()
    {
        if (usable_)
            ::sched_setaffinity(0, sizeof all_, &all_);
    }
    CPeerProcessor(const CPeerProcessor&) = delete;
    CPeerProcessor& operator=(const CPeerProcessor&) = delete;

    // Peers started from here on inherit it.
    void ForPeers()
    {
        if (!usable_)
            return;
        cpu_set_t one;
        CPU_ZERO(&one);
        CPU_SET(peer_, &one);
        ::sched_setaffinity(0, sizeof one, &one);
    }
    // The program's threads started from here on inherit it.
    void ForProgram()
    {
        if (!usable_ || !peersApart_)
            return;
        cpu_set_t others = all_;
        CPU_CLR(peer_, &others);
        ::sched_setaffinity(0, sizeof others, &others);
    }

private:
    const bool peersApart_;
    cpu_set_t all_{};
    int peer_ = -1;
    bool usable_ = false;
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void BM_RequestRoundTripBesideTcpEcho(benchmark::State& state)
{
    const bool waitDialog = state.range(0) != 0;
    CPeerProcessor processors(state.range(1) != 0);
    processors.ForPeers();
    e2e::CProgram program;
    const bool serverStarted = program.StartServer();
    CEchoPeer echo;
    processors.ForProgram();
    if (!serverStarted || !program.Login("admin", "admin")) {
        state.SkipWithError("the program could not log in to the simulated server");
        return;
    }
    if (!echo.IsConnected()) {
        state.SkipWithError("no echo peer");
        return;
    }
    const uint8_t body = 0;
    EmsMsg request;
    BuildEmsMsg(&request, kEmsOpQuery, kReqKeepAlive, 1, &body, 0);
    // The bytes of the keep-alive on the wire, and of its reply (the same header, no records).
    FrameHeader header = FrameHeaderFromMsg(request);
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
    ->ArgNames({"wait_dialog", "peers_apart"})
    ->ArgsProduct({{0, 1}, {1, 0}})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace
