// Fast provisioning over a full shelf: every port of four 48-port line cards with eight PVCs each (1,728 rows). The
// row making is timed whole, and the batch's writes per row against an NE that answers at once, so that what is
// measured is the workstation's own time per row, without the peer's.

#include "core/entity/entity_id.h"
#include "features/provisioning/fast_prov/fast_prov_batch.h"
#include "features/provisioning/fast_prov/fast_prov_rows.h"
#include "link/records/board_setting_rec.h"
#include "tests/features/provisioning/pvcs/fake_pvc_ne.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

constexpr uint32_t kNe = 1;
constexpr unsigned kSlots = 4;
constexpr unsigned kPortsPerSlot = 48;

FastProvParams FullShelf()
{
    FastProvParams params;
    params.pvcsPerPort = 8;
    params.vciIncrement = 1;
    params.vlanStart = 100;
    params.vlanIncrement = 1;
    params.vlanContinuous = true;
    params.lineProfile = "fast-8M";
    params.ipTrafficProfile = "office";
    params.macLimit = 4;
    params.serviceType = kServicePppoe;
    return params;
}

std::vector<FastProvPort> FullShelfPorts()
{
    std::vector<FastProvPort> ports;
    for (unsigned slot = 1; slot <= kSlots; ++slot) {
        for (unsigned port = 1; port <= kPortsPerSlot; ++port) {
            CEntityId id;
            id.SetLevels(1, 1, slot, port, 0);
            ports.push_back({id.id, id.index});
        }
    }
    return ports;
}

void BM_FastProvRowsOfAFullShelf(benchmark::State& state)
{
    const FastProvParams params = FullShelf();
    const std::vector<FastProvPort> ports = FullShelfPorts();
    size_t rows = 0;
    for (auto _ : state) {
        const FastProvExpansion expansion = ExpandFastProvRows(params, ports);
        rows = expansion.rows.size();
        benchmark::DoNotOptimize(expansion.rows.data());
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["per_row_ns"] = benchmark::Counter(
        static_cast<double>(rows), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_FastProvRowsOfAFullShelf)->Unit(benchmark::kMicrosecond);

// The NE of the PVC tests, which also takes port settings and tells its boards.
class CBatchNe {
public:
    EmsChannel Channel()
    {
        EmsChannel channel = pvcs_.Channel();
        EmsChannel inner = channel;
        channel.request = [this, inner](EmsMsg& request, EmsMsg** reply, uint32_t text, int32_t timeout, bool wait) {
            if (request.requestCode == kReqBoardSetting.value || request.requestCode == kReqAdslPort.value) {
                reply_ = EmsMsg{};
                reply_.operation = kEmsOpReply;
                reply_.requestCode = request.requestCode;
                *reply = &reply_;
                return kDrvOk;
            }
            return inner.request(request, reply, text, timeout, wait);
        };
        return channel;
    }

private:
    pvc_test::CFakePvcNe pvcs_;
    EmsMsg reply_;
};

void BM_FastProvBatchPerRow(benchmark::State& state)
{
    const FastProvParams params = FullShelf();
    const std::vector<FastProvRow> rows = ExpandFastProvRows(params, FullShelfPorts()).rows;
    size_t written = 0;
    size_t sent = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CBatchNe ne;
        CFastProvBatch batch(kNe, params, CRecordRequests(ne.Channel()));
        state.ResumeTiming();
        for (const FastProvRow& row : rows)
            written += batch.Run(row).done ? 1 : 0;
        sent += rows.size();
    }
    state.counters["rows_written"] = static_cast<double>(written) / static_cast<double>(state.iterations());
    state.counters["per_row_us"] =
        benchmark::Counter(static_cast<double>(sent) / 1e6, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_FastProvBatchPerRow)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
