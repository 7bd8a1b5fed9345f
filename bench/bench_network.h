#pragma once
// A made-up network in the program's tables for the offscreen view benchmarks, shaped as the simulated server's
// (--generate-nes): sites of a hundred NEs below one location, the NEs spread over the world map.

#include "core/tables/app_data.h"
#include "core/tables/location_node.h"
#include "core/tables/ne_record.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <cstdint>
#include <functional>
#include <string>

namespace bench_network {

inline constexpr uint32_t kTopLocationId = 1;
inline constexpr uint32_t kFirstSiteId = 1000;
inline constexpr uint32_t kNesPerSite = 100;

// What the frame does once its views have refreshed.
inline void ClearChangeFlags()
{
    CAppData& app = AppData();
    app.neListChanged = app.neNamesChanged = app.neAddressesChanged = app.locationTreeChanged = false;
    app.mapsChanged = false;
}

// Replaces the tables by `nes` NEs in sites of a hundred below location 1; every change flag is down.
inline void Fill(uint32_t nes)
{
    CAppData& app = AppData();
    app.Reset();
    CLocationNode top;
    top.id = kTopLocationId;
    top.name = "Everywhere";
    app.locations.UpsertLocation(top);
    for (uint32_t site = 0; site * kNesPerSite < nes; ++site) {
        CLocationNode node;
        node.id = kFirstSiteId + site;
        node.parentId = kTopLocationId;
        node.name = "Site-" + std::to_string(site + 1);
        app.locations.UpsertLocation(node);
    }
    for (uint32_t i = 1; i <= nes; ++i) {
        CNeRecord ne;
        ne.neId = i;
        ne.locationId = kFirstSiteId + (i - 1) / kNesPerSite;
        ne.name = "ne-" + std::to_string(i);
        ne.address = {10, static_cast<uint8_t>(i >> 16), static_cast<uint8_t>(i >> 8), static_cast<uint8_t>(i)};
        ne.workLongitude = ne.storedLongitude = static_cast<float>(i % 360) - 180.0F;
        ne.workLatitude = ne.storedLatitude = static_cast<float>(i % 170) - 85.0F;
        ne.changeCounter = 1;
        app.nes.AddNe(ne);
    }
    app.SetUserLocationScope(0);
    ClearChangeFlags();
}

// A re-read that found `count` NEs changed from `first` on (their planned flag turned), as the dispatcher marks it.
inline void ChangeNes(uint32_t first, uint32_t count)
{
    CAppData& app = AppData();
    for (uint32_t i = 0; i < count; ++i) {
        CNeRecord* ne = app.nes.FindNeById((first + i - 1) % app.nes.Count() + 1);
        ne->SetPlanned(ne->planned == 0 ? 1 : 0);
        ++ne->changeCounter;
    }
    app.MarkNeListChanged();
}

// An alarm burst: `count` NEs from `first` on change their severity, as the dispatcher's batch leaves them.
inline void RaiseAlarms(uint32_t first, uint32_t count)
{
    CAppData& app = AppData();
    for (uint32_t i = 0; i < count; ++i) {
        CNeRecord* ne = app.nes.FindNeById((first + i - 1) % app.nes.Count() + 1);
        ne->neSeverity = ne->neSeverity == 0 ? 2 : 0;
        ++ne->changeCounter;
    }
    app.MarkAlarmStateChanged();
}

// A new location below the top one.
inline void AddLocation(uint32_t id)
{
    CLocationNode node;
    node.id = id;
    node.parentId = kTopLocationId;
    node.name = "Added-" + std::to_string(id);
    AppData().locations.UpsertLocation(node);
    AppData().SetUserLocationScope(0);
    AppData().MarkLocationTreeChanged();
}

// Times the view's refresh after each change (the change itself untimed), with the layout the view makes of it
// before it paints; the frame's change flags are cleared after each, as the frame does.
inline void TimeRefreshes(benchmark::State& state, const std::function<void(uint32_t)>& change,
                          const std::function<void()>& refresh)
{
    uint32_t round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        change(++round);
        state.ResumeTiming();
        refresh();
        QCoreApplication::processEvents();
        ClearChangeFlags();
    }
}

} // namespace bench_network
