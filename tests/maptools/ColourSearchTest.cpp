// The colour search on its own: on graphs of every shape it must return what plain
// chronological backtracking returns, colouring for colouring, including the dead ends.
#include "maptools/PolygonColoring.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace colouring {
namespace {

using Graph = std::vector<std::vector<int32_t>>;

// Plain backtracking, level by level, the first fitting colour first; the last node keeps 0.
// budget counts the steps it may take; at 0 the case is too slow to compare and is dropped.
bool Chronological(const Graph& graph, std::vector<int32_t>& colours, int32_t level, int32_t k,
                   long& budget) {
    const auto n = static_cast<int32_t>(graph.size());
    if (level >= n - 1) return true;
    for (int32_t c = 1; c <= k && budget > 0; ++c, --budget) {
        bool taken = false;
        for (int32_t neighbour : graph[static_cast<size_t>(level)])
            taken = taken || colours[static_cast<size_t>(neighbour)] == c;
        if (taken) continue;
        colours[static_cast<size_t>(level)] = c;
        if (Chronological(graph, colours, level + 1, k, budget)) return true;
        colours[static_cast<size_t>(level)] = 0;
    }
    return false;
}

void Connect(Graph& graph, int32_t a, int32_t b) {
    graph[static_cast<size_t>(a)].push_back(b);
    graph[static_cast<size_t>(b)].push_back(a);
}

// Sparse random graphs with cliques spread through them: the cliques one colour too big
// make dead ends far from their cause, and some make the whole search fail.
Graph RandomGraph(std::mt19937& random, int32_t n, int32_t k) {
    Graph graph(static_cast<size_t>(n));
    std::uniform_int_distribution<int32_t> node(0, n - 1);
    for (int32_t e = 0; e < n; ++e) {
        const int32_t a = node(random), b = node(random);
        if (a != b) Connect(graph, a, b);
    }
    std::uniform_int_distribution<int32_t> cliques(0, 2);
    for (int32_t q = cliques(random); q > 0; --q) {
        std::vector<int32_t> members;
        std::uniform_int_distribution<int32_t> size(k - 1, k + 1);
        for (int32_t m = size(random); m > 0; --m)
            members.push_back(node(random));
        for (size_t i = 0; i < members.size(); ++i)
            for (size_t j = i + 1; j < members.size(); ++j)
                if (members[i] != members[j]) Connect(graph, members[i], members[j]);
    }
    return graph;
}

HostErr Search(const Graph& graph, int32_t k, std::vector<int32_t>& colours) {
    CPolygonColoring search(nullptr);
    search.adjacency = graph;
    search.nodes.assign(graph.size(), nullptr);
    search.colours.assign(graph.size(), 0);
    const HostErr result = search.SearchColours(0, k);
    colours = search.colours;
    return result;
}

TEST(ColourSearch, FindsTheColouringPlainBacktrackingFinds) {
    std::mt19937 random(20261210);
    int failures = 0, compared = 0;
    for (int round = 0; round < 3000; ++round) {
        const int32_t k = 2 + round % 5;
        const int32_t n = 1 + round % 23;
        const Graph graph = RandomGraph(random, n, k);
        std::vector<int32_t> expected(graph.size(), 0);
        long budget = 200000;
        const bool found = Chronological(graph, expected, 0, k, budget);
        if (budget <= 0) continue;
        ++compared;
        std::vector<int32_t> colours;
        const HostErr result = Search(graph, k, colours);
        ASSERT_EQ(result != 0, found) << "round " << round;
        ASSERT_EQ(colours, expected) << "round " << round;
        failures += found ? 0 : 1;
    }
    EXPECT_GT(compared, 2000);
    EXPECT_GT(failures, 100) << "the cases must include searches that fail";
}

TEST(ColourSearch, CliqueOneColourTooBigBehindUnrelatedNodesFails) {
    // 60 unrelated nodes in a chain, then seven polygons that all overlap, then a last one.
    Graph graph(68);
    for (int32_t i = 0; i + 1 < 60; ++i)
        Connect(graph, i, i + 1);
    for (int32_t a = 60; a < 67; ++a)
        for (int32_t b = a + 1; b < 67; ++b)
            Connect(graph, a, b);
    Connect(graph, 66, 67);
    std::vector<int32_t> colours;
    EXPECT_EQ(Search(graph, 6, colours), 0);
    EXPECT_EQ(colours, std::vector<int32_t>(68, 0)) << "every node back at 0";
}

} // namespace
} // namespace colouring
