// Core figures: loading the sample definition files, building an NE table of 10,000 NEs of the sample NE models with
// their entity trees, and looking NEs up by id, name and address.

#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"
#include "core/tables/ne_table.h"
#include "tarvik_test_paths.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kNeCount = 10000;

std::string EntConf(const char* file)
{
    return std::string(TARVIK_RESOURCES_DIR) + "/EntConf/" + file;
}

EntityModelLoadResult LoadSampleModels()
{
    return LoadEntityModelSet(EntConf("EntInfo.dat"), EntConf("EntAlm.dat"), EntConf("EntSkin.dat"));
}

// Installs the sample models once for the table benchmarks.
bool InstallSampleModels()
{
    static const bool installed = [] {
        EntityModelLoadResult loaded = LoadSampleModels();
        if (loaded.models == nullptr) {
            std::fprintf(stderr, "%s\n", loaded.error.c_str());
            return false;
        }
        ReplaceEntityModels(std::move(loaded.models));
        return true;
    }();
    return installed;
}

std::string NeName(int i)
{
    return "ne-" + std::to_string(i);
}

IpAddress NeAddress(int i)
{
    return {10, static_cast<uint8_t>(i >> 16), static_cast<uint8_t>(i >> 8), static_cast<uint8_t>(i)};
}

// NEs 1..kNeCount, alternating the one-shelf and the two-shelf NE model, added in a scattered name order.
std::unique_ptr<CNeTable> BuildTable()
{
    auto table = std::make_unique<CNeTable>();
    for (int n = 0; n < kNeCount; ++n) {
        const int i = (n * 7919) % kNeCount + 1;
        CNeRecord ne;
        ne.neId = static_cast<uint32_t>(i);
        ne.name = NeName(i);
        ne.address = NeAddress(i);
        ne.neModelId = i % 2 == 0 ? 4 : 2;
        table->AddNe(ne);
    }
    return table;
}

void BM_LoadEntityModels(benchmark::State& state)
{
    for (auto _ : state) {
        EntityModelLoadResult loaded = LoadSampleModels();
        if (loaded.models == nullptr) {
            state.SkipWithError(loaded.error.c_str());
            return;
        }
        benchmark::DoNotOptimize(loaded.models.get());
    }
}
BENCHMARK(BM_LoadEntityModels)->Unit(benchmark::kMillisecond);

void BM_BuildNeTable(benchmark::State& state)
{
    if (!InstallSampleModels()) {
        state.SkipWithError("sample models do not load");
        return;
    }
    for (auto _ : state) {
        std::unique_ptr<CNeTable> table = BuildTable();
        benchmark::DoNotOptimize(table.get());
        state.PauseTiming();
        table.reset();
        state.ResumeTiming();
    }
    state.counters["NEs"] = kNeCount;
}
BENCHMARK(BM_BuildNeTable)->Unit(benchmark::kMillisecond);

const CNeTable& SharedTable()
{
    static const std::unique_ptr<CNeTable> table = [] {
        InstallSampleModels();
        return BuildTable();
    }();
    return *table;
}

void BM_FindNeById(benchmark::State& state)
{
    const CNeTable& table = SharedTable();
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(table.FindNeById(static_cast<uint32_t>(i % kNeCount + 1)));
        i += 7;
    }
}
BENCHMARK(BM_FindNeById);

void BM_FindNeByName(benchmark::State& state)
{
    const CNeTable& table = SharedTable();
    std::vector<std::string> names;
    for (int i = 1; i <= kNeCount; ++i) {
        names.push_back(NeName(i));
    }
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(table.FindNeByName(names[i % names.size()]));
        i += 7;
    }
}
BENCHMARK(BM_FindNeByName);

void BM_FindNeByAddress(benchmark::State& state)
{
    const CNeTable& table = SharedTable();
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(table.FindNeByAddress(NeAddress(i % kNeCount + 1), 161));
        i += 7;
    }
}
BENCHMARK(BM_FindNeByAddress);

} // namespace
