// Map scaling of a large real map, the whole document from 1:25,000 to 1:50,000 with
// stroke widths: time per run (the document is read before each run, outside the timing)
// and the peak heap the run adds.
//
//   bench_scaling [benchmark options]      CARTOVEL_BENCH_MAP overrides the map
#include "frame/HostSuites.h"
#include "frame/SuiteHolder.h"
#include "host/core/Application.h"
#include "host/docsuites/DocumentSession.h"
#include "host/docsuites/DocumentSuites.h"
#include "host/svg/SvgFile.h"
#include "maptools/MapScaling.h"
#include "platform/UserAgent.h"

#include "HeapCounter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <new>

namespace {

std::filesystem::path mapFile() {
    if (const char* map = std::getenv("CARTOVEL_BENCH_MAP"); map != nullptr && *map != 0)
        return map;
    return CARTOVEL_BENCH_MAP;
}

/** The host with the module's code in this process and the built module loaded for its
 *  dialog templates. */
struct Host {
    std::filesystem::path prefs =
        std::filesystem::temp_directory_path() / "cartovel-bench-scaling-preferences.json";
    std::unique_ptr<host::Application> app;
    host::Module* module = nullptr;
    std::unique_ptr<SuiteHolder> suites;

    Host() {
        host::ApplicationOptions options;
        options.preferencesFile = prefs;
        app = std::make_unique<host::Application>(options);
        if (app->suites().isEmpty(kHostLayerSuite, kHostLayerSuiteVersion))
            host::installDocumentSuites(app->suites());
        module = &app->loadModule(CARTOVEL_MODULE_PATH);
        sBasic = app->basicSuite();
        suites = std::make_unique<SuiteHolder>();
    }
    ~Host() {
        suites.reset();
        app.reset();
        std::filesystem::remove(prefs);
    }
};

/** Runs work on a freshly read map each iteration; only work is timed. */
template <class Work> void onFreshMap(benchmark::State& state, Host& host, Work&& work) {
    if (host.suites->Error() != kHostNoErr) {
        state.SkipWithError("the suites cannot be acquired");
        return;
    }
    std::size_t peak = 0;
    std::size_t objects = 0;
    for (auto _ : state) {
        state.PauseTiming();
        host::SvgLoadResult loaded = host::loadSvgFile(mapFile());
        if (!loaded.document) {
            state.SkipWithError(loaded.message.c_str());
            break;
        }
        objects = loaded.document->artCount();
        auto session =
            std::make_unique<host::DocumentSession>(*host.app, std::move(loaded.document));
        ws::ScriptedUser user({ws::ScriptedUser::type(mapscaling::kTargetScale, "50000"),
                               ws::ScriptedUser::click(mapscaling::kScaleStrokeEffect),
                               ws::ScriptedUser::ok()});
        ws::ScopedUserAgent agent(user);
        // A fresh store each run: the stroke box toggles from its stored state.
        std::filesystem::remove(host.prefs);
        const std::size_t base = benchheap::Live();
        benchheap::ResetPeak();
        state.ResumeTiming();

        const HostErr result = work();

        state.PauseTiming();
        peak = std::max(peak, benchheap::Peak() - base);
        if (result != kHostNoErr) state.SkipWithError("the command failed");
        session.reset();
        state.ResumeTiming();
    }
    state.counters["objects"] = static_cast<double>(objects);
    state.counters["peak_heap_MB"] = static_cast<double>(peak) / 1048576.0;
}

// The whole command as a user runs it: settings read, dialog, the thirteen settings
// written (each one an atomic, flushed rewrite of the preference file), bounds and walk.
void BM_ScaleWholeMapCommand(benchmark::State& state) {
    Host host;
    onFreshMap(state, host, [&] {
        CMapScaling command;
        return command.Run(host.module->ref());
    });
}

// The scaling proper: bounds, transformation and the walk over every object.
void BM_ScaleWholeMapWalk(benchmark::State& state) {
    Host host;
    onFreshMap(state, host, [&] {
        CMapScaling command;
        command.settings.targetScale = 50000;
        command.settings.scaleStrokeEffect = true;
        HostRealRect bounds{};
        bool found = false;
        if (HostErr err = command.CollectBounds(bounds, found)) return err;
        if (HostErr err = command.PrepareTransform((bounds.left + bounds.right) / 2,
                                                   (bounds.top + bounds.bottom) / 2))
            return err;
        return command.WalkLayers();
    });
}

BENCHMARK(BM_ScaleWholeMapCommand)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ScaleWholeMapWalk)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
