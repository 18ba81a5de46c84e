// Layer walks of the stand-in host's document on deeply nested layers, beside the same
// number of flat ones: every walk must stay linear in the number of layers.
//
//   bench_nested_layers [benchmark options]
#include "host/document/Document.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// count layers, each inside the one before (nested) or all at the top level (flat), with
// one path on each.
std::unique_ptr<host::Document> Layers(int count, bool nested) {
    auto doc = std::make_unique<host::Document>();
    host::Layer* parent = nullptr;
    for (int i = 0; i < count; ++i) {
        host::Layer* layer = doc->appendLayer(nested ? parent : nullptr, "L" + std::to_string(i));
        doc->appendChild(*layer->group(), *doc->makeArt(host::ArtType::Path));
        parent = layer;
    }
    return doc;
}

// The walk of the layer tools: every layer in pre-order, and for each its next sibling
// (the step that skips a subtree).
void Walk(benchmark::State& state, bool nested) {
    const auto doc = Layers(static_cast<int>(state.range(0)), nested);
    for (auto _ : state) {
        std::size_t steps = 0;
        for (host::Layer* l = doc->firstLayer(); l; l = doc->nextPreorderLayer(*l)) {
            benchmark::DoNotOptimize(doc->nextPreorderLayerOutside(*l));
            benchmark::DoNotOptimize(doc->parentLayer(*l));
            ++steps;
        }
        benchmark::DoNotOptimize(steps);
    }
    state.SetComplexityN(state.range(0));
}

void BM_NestedLayersWalk(benchmark::State& state) {
    Walk(state, true);
}
void BM_FlatLayersWalk(benchmark::State& state) {
    Walk(state, false);
}

BENCHMARK(BM_NestedLayersWalk)->RangeMultiplier(4)->Range(2500, 160000)->Complexity();
BENCHMARK(BM_FlatLayersWalk)->RangeMultiplier(4)->Range(2500, 160000)->Complexity();

} // namespace

BENCHMARK_MAIN();
