// Server link figures: entity-state notifications (330) applied to the model per second in bursts of 10,000 records,
// by the dispatcher alone and end to end from the simulated server; and the longest frame tick after the UI thread
// stood still while notifications kept coming. A request's round trip beside a plain TCP echo is measured in the
// running program (program_round_trip_bench).

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/entity/entity_model_loader.h"
#include "core/tables/app_data.h"
#include "core/util/md5.h"
#include "link/driver_result.h"
#include "link/headless_link_ui.h"
#include "link/link_ui.h"
#include "link/records/alarm_ack_rec.h"
#include "link/records/board_setting_rec.h"
#include "link/records/entity_state_rec.h"
#include "link/records/ne_key_record.h"
#include "link/records/record_bytes.h"
#include "link/records/word_record.h"
#include "link/server/frame_codec.h"
#include "link/server/net_drv_server_agent.h"
#include "link/server/server_dispatch_rules.h"
#include "link/server_message_dispatcher.h"
#include "sim/server/sim_control.h"
#include "tarvik_test_paths.h"

extern char** environ;

namespace {

constexpr uint32_t kBurst = 10000;

void LoadModels()
{
    static const bool loaded = [] {
        const std::string dir = std::string(TARVIK_RESOURCES_DIR) + "/EntConf/";
        ReplaceEntityModels(LoadEntityModelSet(dir + "EntInfo.dat", dir + "EntAlm.dat", dir + "EntSkin.dat").models);
        return true;
    }();
    (void)loaded;
}

// Counts the trap-log hand-offs, as the shell's trap log would take them.
class CCountingUi : public IDispatchUi {
public:
    void ShowOperatorMail(const OperatorMailNotice&) override {}
    void StartLogoutTimer(uint32_t) override {}
    int AddTrapLogRecords(uint32_t, const uint8_t*, uint32_t count) override
    {
        records += count;
        return static_cast<int>(count);
    }
    uint64_t records = 0;
};

// tarvik-sim-server on a free port, for the life of the benchmark program.
class CSimServer {
public:
    CSimServer()
    {
        const auto build = std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path();
        std::string exe = (build / "sim" / "tarvik-sim-server").string();
        std::string scenario = std::string(TARVIK_RESOURCES_DIR) + "/sim/server_scenario.ini";
        std::vector<std::string> args{
            exe, "--port", "0", "--scenario", scenario, "--alarm-rate", "0", "--test-control", "--exit-with-parent"};
        std::vector<char*> argv;
        for (std::string& a : args) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        if (::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        std::string line;
        char c = 0;
        while (pid_ > 0 && ::read(fds[0], &c, 1) == 1 && c != '\n') {
            line.push_back(c);
        }
        ::close(fds[0]);
        const size_t colon = line.rfind(':');
        port_ = colon == std::string::npos ? 0 : static_cast<uint16_t>(std::stoul(line.substr(colon + 1)));
    }
    ~CSimServer()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    uint16_t Port() const { return port_; }

private:
    pid_t pid_ = -1;
    uint16_t port_ = 0;
};

CSimServer& Sim()
{
    static CSimServer sim;
    return sim;
}

// The program's server driver, logged in to the simulated server as the UI thread of this benchmark.
class CLoggedInDriver {
public:
    bool Open()
    {
        LoadModels();
        SetLinkUi(&linkUi_);
        SetUiThreadId(std::this_thread::get_id());
        AppData().Reset();
        InstallServerDispatchRules(AppData());
        LinkSettings settings;
        settings.pingIntervalMs = 600000;
        settings.serverTrapPort = 43461;
        driver_ = std::make_unique<CNetDrvServerAgent>(settings);
        if (Sim().Port() == 0 || driver_->Start() != kDrvOk ||
            driver_->EmsConnect({127, 0, 0, 1}, Sim().Port(), "admin", "admin") != kDrvOk) {
            return false;
        }
        AppData().SetLoginUserName("admin");
        AppData().SetLoginPassword(Md5HexString("admin").substr(0, 10));
        const uint8_t body = 0;
        const uint32_t on = 1;
        return Request(kEmsOpModify, kReqLogon, 0, &body, 1) == kDrvOk &&
               Request(kEmsOpQuery, kReqNeKeyAll, 0, &body, 1) == kDrvOk &&
               Request(kEmsOpQuery, kReqBoardSetting, 2, &body, 1) == kDrvOk &&
               Request(kEmsOpModify, kReqNotificationsOn, 0, &on, kWordRecordSize) == kDrvOk;
    }
    ~CLoggedInDriver()
    {
        driver_.reset();
        RemoveServerDispatchRules();
        SetDispatchUi(nullptr);
        SetLinkUi(nullptr);
        ClearServerMessageQueue();
        AppData().Reset();
    }
    int Request(uint8_t op, uint16_t code, uint32_t neId, const void* record, uint32_t size)
    {
        BuildEmsMsg(&request_, op, code, size, record, neId);
        return driver_->RequestEmsMsg(&request_, &reply_, 0, -2, false);
    }

private:
    CHeadlessLinkUi linkUi_;
    std::unique_ptr<CNetDrvServerAgent> driver_;
    EmsMsg request_;
    EmsMsg* reply_ = nullptr;
};

// An NE of the two-shelf model with cards in every line slot, and a burst of state records over its ports.
std::vector<uint8_t> PrepareBurst()
{
    NeKeyRecord key;
    key.neId = 2;
    key.neName = "bench";
    key.modelId = 4;
    key.ipAddress = {10, 0, 0, 2};
    key.port = 161;
    const auto keyBytes = EncodeRecord(key);
    EmsMsg msg;
    msg.operation = kEmsOpReply;
    msg.requestCode = kReqNeKeyAdd;
    msg.count = 1;
    msg.recordSize = kNeKeyRecordSize;
    msg.records = keyBytes.data();
    DispatchServerMessage(&msg);
    std::vector<uint8_t> boards;
    for (uint32_t shelf = 1; shelf <= 2; ++shelf) {
        for (uint32_t slot = 1; slot <= 20; ++slot) {
            BoardSettingRec card;
            card.entityId = shelf * 10000 + slot * 100;
            card.plannedType = 31;
            card.onlineType = 31;
            const auto bytes = EncodeRecord(card);
            boards.insert(boards.end(), bytes.begin(), bytes.end());
        }
    }
    msg.requestCode = kReqBoardSetting;
    msg.neId = 2;
    msg.count = static_cast<int32_t>(boards.size() / kBoardSettingRecSize);
    msg.recordSize = kBoardSettingRecSize;
    msg.records = boards.data();
    DispatchServerMessage(&msg);
    std::vector<uint8_t> burst;
    burst.reserve(kBurst * kEntityStateRecSize);
    for (uint32_t i = 0; i < kBurst; ++i) {
        EntityStateRec rec;
        const uint32_t port = i % 1920;
        rec.entityId = (port / 960 + 1) * 10000 + (port % 960 / 48 + 1) * 100 + port % 48 + 1;
        rec.stateBits = (i / 1920) % 2 == 0 ? 2u : 0u;
        rec.severity = rec.stateBits != 0 ? 3 : 99;
        rec.onlineType = 51;
        rec.plannedType = 51;
        rec.value = i;
        const auto bytes = EncodeRecord(rec);
        burst.insert(burst.end(), bytes.begin(), bytes.end());
    }
    return burst;
}

void BM_ApplyEntityStateBurst(benchmark::State& state)
{
    LoadModels();
    SetUiThreadId(std::this_thread::get_id());
    CAppData app;
    InstallServerDispatchRules(app);
    CCountingUi ui;
    SetDispatchUi(&ui);
    const std::vector<uint8_t> burst = PrepareBurst();
    EmsMsg msg;
    msg.operation = kEmsOpReply;
    msg.requestCode = kReqEntityStateChange;
    msg.neId = 2;
    msg.recordSize = kEntityStateRecSize;
    for (auto _ : state) {
        // A burst arrives in frames of at most 9,999 records.
        for (uint32_t first = 0; first < kBurst; first += 5000) {
            msg.count = 5000;
            msg.records = burst.data() + static_cast<size_t>(first) * kEntityStateRecSize;
            DispatchServerMessage(&msg);
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kBurst);
    const CNeRecord* ne = app.nes.FindNeById(2);
    if (ne == nullptr || ne->root->FindById(22048) == nullptr) {
        state.SkipWithError("the burst names no nodes");
    }
    RemoveServerDispatchRules();
    SetDispatchUi(nullptr);
}
BENCHMARK(BM_ApplyEntityStateBurst)->Unit(benchmark::kMillisecond)->UseRealTime();

long ResidentKilobytes()
{
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(statm);
    }
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

// 1.32 million one-record notifications queue from a driver thread while the UI thread does not drain (a modal
// loop, a long refresh); then the frame's ticks apply them. Entity states (330) fold per entity past the queue's
// bound; acknowledgements (333) all wait and are applied a slice at a tick. Figures: the longest tick, how many
// ticks it took and the memory the queue took.
void BM_TicksAfterTheUiStoodStill(benchmark::State& state)
{
    constexpr uint32_t kMessages = 1320000;
    const auto code = static_cast<uint16_t>(state.range(0));
    LoadModels();
    SetUiThreadId(std::this_thread::get_id());
    CAppData app;
    InstallServerDispatchRules(app);
    CCountingUi ui;
    SetDispatchUi(&ui);
    std::vector<uint8_t> records = PrepareBurst();
    uint32_t recordSize = kEntityStateRecSize;
    if (code == kReqAlarmAck) {
        std::vector<uint8_t> acks;
        for (uint32_t i = 0; i < kBurst; ++i) {
            AlarmAckRec ack;
            ack.entityId = record_bytes::GetU32(records.data() + static_cast<size_t>(i) * kEntityStateRecSize, 0);
            ack.person = "admin";
            ack.ackTime = i;
            const auto bytes = EncodeRecord(ack);
            acks.insert(acks.end(), bytes.begin(), bytes.end());
        }
        records = std::move(acks);
        recordSize = kAlarmAckRecSize;
    }
    double longestTickMs = 0;
    double ticks = 0;
    double queuedMegabytes = 0;
    for (auto _ : state) {
        const long before = ResidentKilobytes();
        std::thread driverThread([&] {
            EmsMsg msg;
            msg.operation = kEmsOpReply;
            msg.requestCode = code;
            msg.neId = 2;
            msg.recordSize = recordSize;
            msg.count = 1;
            for (uint32_t i = 0; i < kMessages; ++i) {
                msg.records = records.data() + static_cast<size_t>(i % kBurst) * recordSize;
                DispatchServerMessage(&msg);
            }
        });
        driverThread.join();
        queuedMegabytes = static_cast<double>(ResidentKilobytes() - before) / 1024;
        while (QueuedServerMessageCount() != 0) {
            const auto start = std::chrono::steady_clock::now();
            DispatchServerMessage(nullptr);
            const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
            longestTickMs = std::max(longestTickMs, took.count());
            ++ticks;
        }
    }
    state.counters["longest_tick_ms"] = longestTickMs;
    state.counters["ticks"] = ticks;
    state.counters["queued_MB"] = queuedMegabytes;
    state.counters["trap_log_records"] = static_cast<double>(ui.records);
    RemoveServerDispatchRules();
    SetDispatchUi(nullptr);
}
BENCHMARK(BM_TicksAfterTheUiStoodStill)
    ->Arg(kReqEntityStateChange)
    ->Arg(kReqAlarmAck)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

void BM_EntityStateBurstFromTheServer(benchmark::State& state)
{
    CLoggedInDriver driver;
    if (!driver.Open()) {
        state.SkipWithError("no simulated server");
        return;
    }
    CCountingUi ui;
    SetDispatchUi(&ui);
    const auto control = EncodeRecord(SimControlRec{kSimPushEntityStates, kBurst, kSimChannelTcp, 0});
    for (auto _ : state) {
        // The burst precedes the answer on the connection: it is applied when the request returns.
        if (driver.Request(kEmsOpModify, kReqSimControl, 2, control.data(), kSimControlRecSize) != kDrvOk) {
            state.SkipWithError("control request failed");
            return;
        }
    }
    if (ui.records != static_cast<uint64_t>(state.iterations()) * kBurst) {
        state.SkipWithError("records lost");
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kBurst);
}
BENCHMARK(BM_EntityStateBurstFromTheServer)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
