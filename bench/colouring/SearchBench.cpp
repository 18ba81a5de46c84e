// The colour search alone on graphs where plain backtracking never finishes: polygons that
// all overlap one another, one more than the palette has colours, found after a map of
// unrelated polygons. The search must prove that no colouring exists without trying every
// colouring of the map first.
//
//   bench_colour_search [benchmark options]
#include "maptools/PolygonColoring.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

using Graph = std::vector<std::vector<int32_t>>;

void Connect(Graph& graph, int32_t a, int32_t b) {
    graph[static_cast<size_t>(a)].push_back(b);
    graph[static_cast<size_t>(b)].push_back(a);
}

// A map of count polygons in rows of width, each touching its right, lower and lower-left
// neighbours (a triangulated grid, as county maps are), with a clique of cliqueSize
// polygons that all overlap one another at the given discovery positions; each of them
// also touches the map polygon before it.
Graph MapWithClique(int32_t count, int32_t width, std::vector<int32_t> clique) {
    Graph graph(static_cast<size_t>(count));
    std::vector<int32_t> map;
    for (int32_t i = 0; i < count; ++i) {
        bool inClique = false;
        for (int32_t c : clique)
            inClique = inClique || c == i;
        if (!inClique) map.push_back(i);
    }
    const auto m = static_cast<int32_t>(map.size());
    for (int32_t i = 0; i < m; ++i) {
        const int32_t column = i % width;
        if (column + 1 < width && i + 1 < m)
            Connect(graph, map[static_cast<size_t>(i)], map[static_cast<size_t>(i + 1)]);
        if (i + width < m)
            Connect(graph, map[static_cast<size_t>(i)], map[static_cast<size_t>(i + width)]);
        if (column > 0 && i + width - 1 < m)
            Connect(graph, map[static_cast<size_t>(i)], map[static_cast<size_t>(i + width - 1)]);
    }
    for (size_t a = 0; a < clique.size(); ++a) {
        for (size_t b = a + 1; b < clique.size(); ++b)
            Connect(graph, clique[a], clique[b]);
        if (clique[a] > 0) Connect(graph, clique[a], clique[a] - 1);
    }
    return graph;
}

void Search(benchmark::State& state, const Graph& graph, HostErr expected) {
    for (auto _ : state) {
        CPolygonColoring search(nullptr);
        search.adjacency = graph;
        search.nodes.assign(graph.size(), nullptr);
        search.colours.assign(graph.size(), 0);
        const HostErr result = search.SearchColours(0, 6);
        if (result != expected) state.SkipWithError("unexpected result");
        benchmark::DoNotOptimize(search.colours.data());
    }
    state.counters["nodes"] = static_cast<double>(graph.size());
}

// 69 polygons, 7 of them overlapping one another among the last found.
void BM_SixtyNinePolygonsSevenOverlapping(benchmark::State& state) {
    Search(state, MapWithClique(69, 8, {40, 47, 52, 58, 61, 64, 66}), 0);
}

// The worst the node-limit question lets through: 1000 polygons, the clique spread over
// the second half of the discovery order.
void BM_ThousandPolygonsCliqueSpreadOut(benchmark::State& state) {
    Search(state, MapWithClique(1000, 31, {500, 580, 660, 740, 820, 900, 990}), 0);
}

// A clique of six that fits, found last: the search succeeds after deep dead ends.
void BM_ThousandPolygonsCliqueThatFits(benchmark::State& state) {
    Search(state, MapWithClique(1000, 31, {900, 920, 940, 960, 980, 998}), 1);
}

// Deep nesting of the search itself: a chain far beyond any call stack.
void BM_HundredThousandInAChain(benchmark::State& state) {
    Graph graph(100000);
    for (int32_t i = 0; i + 1 < 100000; ++i)
        Connect(graph, i, i + 1);
    Search(state, graph, 1);
}

BENCHMARK(BM_SixtyNinePolygonsSevenOverlapping)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThousandPolygonsCliqueSpreadOut)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThousandPolygonsCliqueThatFits)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HundredThousandInAChain)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
