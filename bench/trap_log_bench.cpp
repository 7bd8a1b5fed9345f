// Trap log figures: applying notifications to a full trap log of 10,000 records with 10,000 NEs in the table (the
// entity states decoded from the wire as the main frame receives them, filtered and appended), and pulling what is
// new the way the trap log view does at each refresh.

#include "core/config/app_settings.h"
#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"
#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/tables/trap_log_ring.h"
#include "core/tables/user_account.h"
#include "link/records/entity_state_rec.h"
#include "tarvik_test_paths.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kNeCount = 10000;
constexpr uint32_t kRingSize = 10000;
constexpr uint32_t kBatch = 100; // entity states per notification

std::string EntConf(const char* file)
{
    return std::string(TARVIK_RESOURCES_DIR) + "/EntConf/" + file;
}

// The sample models, 10,000 NEs and an operator who may see the trap log; once.
bool SetUpNetwork()
{
    static const bool ready = [] {
        EntityModelLoadResult loaded =
            LoadEntityModelSet(EntConf("EntInfo.dat"), EntConf("EntAlm.dat"), EntConf("EntSkin.dat"));
        if (loaded.models == nullptr) {
            std::fprintf(stderr, "%s\n", loaded.error.c_str());
            return false;
        }
        ReplaceEntityModels(std::move(loaded.models));
        for (uint32_t i = 1; i <= kNeCount; ++i) {
            CNeRecord ne;
            ne.neId = i;
            ne.name = "ne-" + std::to_string(i);
            ne.address = {10, static_cast<uint8_t>(i >> 16), static_cast<uint8_t>(i >> 8), static_cast<uint8_t>(i)};
            ne.neModelId = i % 2 == 0 ? 4 : 2;
            AppData().nes.AddNe(ne);
        }
        SetUserRights(kRoleUser, "qqqqqqqqqq");
        AppData().role = kRoleUser;
        AppSettings().trapLogFilter = TrapLogFilter{0, 0, 0, 0xFF};
        return true;
    }();
    return ready;
}

// One notification's entity states on the wire: ports of shelf 1, slot 21, alternating raised and cleared alarms.
std::vector<uint8_t> NotificationBytes()
{
    std::vector<uint8_t> bytes(kBatch * kEntityStateRecSize);
    for (uint32_t i = 0; i < kBatch; ++i) {
        EntityStateRec rec;
        rec.entityId = 12101 + i % 2;
        rec.stateBits = i % 3 == 0 ? 0 : 1u << (i % 5);
        rec.severity = i % 3 == 0 ? 99 : static_cast<int32_t>(i % 5) + 1;
        rec.onlineType = 50;
        rec.plannedType = 50;
        rec.occurTime = 1700000000 + i;
        rec.receiveTime = 1700000001 + i;
        rec.alarmClass = 2;
        EncodeRecord(rec, bytes.data() + i * kEntityStateRecSize);
    }
    return bytes;
}

// What the main frame does with one notification: decode, convert, append.
int ApplyNotification(CTrapLogRing& ring, uint32_t neId, const std::vector<uint8_t>& bytes,
                      std::vector<TrapLogRecord>& scratch)
{
    scratch.clear();
    for (size_t offset = 0; offset + kEntityStateRecSize <= bytes.size(); offset += kEntityStateRecSize) {
        EntityStateRec rec;
        if (DecodeRecord(bytes.data() + offset, kEntityStateRecSize, &rec))
            scratch.push_back(TrapLogRecordFromState(rec));
    }
    return ring.AddTrapLogRecords(neId, scratch.data(), static_cast<uint32_t>(scratch.size()));
}

// A trap log of kRingSize records over the sample network, with the wire bytes and scratch its benchmarks share.
struct BenchLog {
    CTrapLogRing ring;
    std::vector<uint8_t> bytes = NotificationBytes();
    std::vector<TrapLogRecord> scratch;

    BenchLog() { ring.ResetTrapLog(kRingSize); }

    // Applies `count` notifications from NEs 1, 2, ...
    void Fill(uint32_t count)
    {
        for (uint32_t n = 0; n < count; ++n)
            ApplyNotification(ring, n + 1, bytes, scratch);
    }
};

// False, with the benchmark marked skipped, when the sample models do not load.
bool NetworkReady(benchmark::State& state)
{
    if (SetUpNetwork())
        return true;
    state.SkipWithError("sample models do not load");
    return false;
}

// What the view does at a refresh: every record after the last one it has seen.
uint32_t PullNew(CTrapLogRing& ring, uint32_t& lastShown, bool& firstFill)
{
    TrapLogRecord record;
    record.sequence = lastShown;
    const bool found = firstFill ? ring.GetFirstTrapLogRecord(&record) != 0 : ring.GetNextTrapLogRecord(&record) != 0;
    if (!found)
        return 0;
    uint32_t pulled = 0;
    do {
        lastShown = record.sequence;
        ++pulled;
    } while (ring.GetNextTrapLogRecord(&record) != 0);
    firstFill = false;
    return pulled;
}

// A burst of 10,000 entity states (100 notifications from 100 NEs) into a full log.
void BM_TrapLogApplyBurst(benchmark::State& state)
{
    if (!NetworkReady(state))
        return;
    BenchLog log;
    uint32_t ne = 1;
    for (auto _ : state) {
        for (uint32_t n = 0; n < kRingSize / kBatch; ++n) {
            benchmark::DoNotOptimize(ApplyNotification(log.ring, ne, log.bytes, log.scratch));
            ne = ne % kNeCount + 97;
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kRingSize);
}
BENCHMARK(BM_TrapLogApplyBurst)->Unit(benchmark::kMillisecond);

// A refresh that pulls a whole full log (the view's first fill after a burst).
void BM_TrapLogPullFullRing(benchmark::State& state)
{
    if (!NetworkReady(state))
        return;
    BenchLog log;
    log.Fill(2 * kRingSize / kBatch);
    for (auto _ : state) {
        uint32_t lastShown = 0;
        bool firstFill = true;
        benchmark::DoNotOptimize(PullNew(log.ring, lastShown, firstFill));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kRingSize);
}
BENCHMARK(BM_TrapLogPullFullRing)->Unit(benchmark::kMicrosecond);

// The steady state: one notification applied and pulled per refresh, the log full.
void BM_TrapLogApplyAndPull(benchmark::State& state)
{
    if (!NetworkReady(state))
        return;
    BenchLog log;
    uint32_t lastShown = 0;
    bool firstFill = true;
    log.Fill(kRingSize / kBatch);
    PullNew(log.ring, lastShown, firstFill);
    uint32_t ne = 1;
    for (auto _ : state) {
        ApplyNotification(log.ring, ne, log.bytes, log.scratch);
        benchmark::DoNotOptimize(PullNew(log.ring, lastShown, firstFill));
        ne = ne % kNeCount + 1;
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kBatch);
}
BENCHMARK(BM_TrapLogApplyAndPull)->Unit(benchmark::kMicrosecond);

} // namespace
