// Polygon colouring: finds which top-level items of the current layer touch, using the
// host's own unite on duplicates in a work layer, and gives touching items different
// palette fills.
#pragma once

#include "hostapi/HostTypes.h"
#include "maptools/CandidateIndex.h"

#include <cstdint>
#include <map>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class CPolygonColoring {
public:
    explicit CPolygonColoring(HostPluginRef pluginRef) noexcept;
    /** Deletes the work layer. */
    ~CPolygonColoring();
    CPolygonColoring(const CPolygonColoring&) = delete;
    CPolygonColoring& operator=(const CPolygonColoring&) = delete;

    /** 0, kHostErrCancelled, 100 or 200 (painting failed) or a host error. */
    HostErr Run();

    // The adjacency scan. Result codes: 0, kHostErrCancelled, kNodeLimitStop when the user
    // stopped at the node-limit question, or a host error.
    HostErr ScanLayer(HostLayerHandle layer);
    HostErr CompareWithFollowing(HostArtHandle art);
    HostErr TestPair(HostArtHandle a, HostArtHandle b);
    bool IsCandidatePolygon(HostArtHandle art) const;
    HostErr CheckCandidate(HostArtHandle art, bool& candidate) const;
    HostArtHandle TopLevelItem(HostArtHandle art) const;
    HostErr SetSelectedTree(HostArtHandle art, bool select, bool withSiblings);
    HostErr ClearWorkLayer(HostLayerHandle layer);
    HostErr BuildGraph();

    // The colouring.
    HostErr SearchColours(int32_t start, int32_t colourCount);
    bool HasCliqueAbove(int32_t from, int32_t to, int32_t size) const;
    HostErr ApplyColours();
    HostErr PaintGroupPaths(HostArtHandle art, int32_t colour, bool withSiblings);
    HostErr SetPaletteFill(HostArtHandle art, int32_t colour);

    /** More nodes than this make the search slow; the user is asked whether to go on. */
    static constexpr size_t kNodeLimit = 1000;
    /** Result of the scan and the graph build at the node limit. */
    static constexpr HostErr kNodeLimitStop = 1000;
    static constexpr HostErr kGroupPaintFailed = 100;
    static constexpr HostErr kPaintFailed = 200;
    /** No colouring within the palette exists: nothing was painted. */
    static constexpr HostErr kNoColouringFound = kHostErrCant;

    int32_t adjacencyFound = 0;
    std::multimap<HostArtHandle, HostArtHandle> pairs;
    std::map<HostArtHandle, int32_t> nodeIndex;
    std::vector<HostArtHandle> nodes;
    std::vector<std::vector<int32_t>> adjacency;
    std::vector<int32_t> colours;
    HostLayerHandle workLayer = nullptr;
    HostArtHandle layerGroup = nullptr;
    HostArtHandle currentItem = nullptr;
    int32_t warnTooMany = 1;
    HostPluginRef pluginRef = nullptr;

private:
    HostErr Colour();
    HostErr DeleteWorkLayer();
    HostErr TestCandidates(size_t a, size_t b);
    HostErr RecordPair(const PolygonCandidate& a, const PolygonCandidate& b);
    bool UnitedIntoOne(HostErr& err);
    HostErr UniteInWorkLayer(HostArtHandle a, HostArtHandle b);
    HostErr IndexCandidates();
    HostErr ProgressStep(int32_t value);

    // Facts about the scanned layer's candidates, gathered once before the scan: the
    // scan then visits only the pairs whose grown boxes can overlap, in the same order.
    std::vector<PolygonCandidate> candidates_;
    std::unordered_map<HostArtHandle, size_t> candidateOf_;
    /** Position in candidates_ of each top-level item's first candidate, and one past the
     *  end. */
    std::vector<size_t> firstCandidateOfItem_;
    CandidateIndex index_;
    /** The partners of the candidate being compared, kept to save an allocation each. */
    std::vector<size_t> partners_;
    /** Membership of nodes, which grows into the thousands on large maps. */
    std::unordered_set<HostArtHandle> nodeSet_;
    /** The recorded pairs of top-level items by their positions, lower one first: the
     *  same answer as a search of pairs without walking a tree. */
    std::unordered_set<uint64_t> recorded_;
};
