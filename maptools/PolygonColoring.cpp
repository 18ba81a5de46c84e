// Polygon colouring: the command, the colour search and the painting.
#include "maptools/PolygonColoring.h"

#include "common/ArtWalk.h"
#include "frame/CommandOps.h"
#include "frame/HostSuites.h"
#include "hostapi/wrappers/UnicodeString.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

struct ProcessColour {
    double cyan, magenta, yellow, black;
};

// Light process colours; the search uses indices 1 to 6, and 0 is what a node keeps when
// the search does not reach it.
constexpr std::array<ProcessColour, 11> kPalette = {{
    {0.3, 0, 0, 0},
    {0, 0.3, 0, 0},
    {0, 0, 0.3, 0},
    {0.2, 0.2, 0, 0},
    {0.2, 0, 0.2, 0},
    {0, 0.2, 0.2, 0},
    {0.2, 0.4, 0, 0},
    {0, 0.2, 0.4, 0},
    {0.4, 0.2, 0, 0},
    {0.4, 0, 0.4, 0},
    {0.2, 0.3, 0.4, 0},
}};

constexpr int32_t kSearchColours = 6;
constexpr const char* kTooManyNodes = "隣接数が多すぎます。一旦終了して数を減らして下さい。";
constexpr const char* kNoColouring = "パレットの色数ではポリゴンを色分けできません。";

} // namespace

CPolygonColoring::CPolygonColoring(HostPluginRef plugin) noexcept : pluginRef(plugin) {}

CPolygonColoring::~CPolygonColoring() {
    if (workLayer != nullptr) sLayer->DeleteLayer(workLayer);
}

HostErr CPolygonColoring::Run() {
    HostLayerHandle layer = nullptr;
    if (HostErr err = sLayer->GetCurrentLayer(&layer); err != kHostNoErr) return err;
    HostBool visible = 0, editable = 0;
    if (HostErr err = sLayer->GetLayerVisible(layer, &visible); err != kHostNoErr) return err;
    if (!visible) {
        frame::MessageAlert("現在のレイヤーは非表示です");
        return kHostErrCancelled;
    }
    if (HostErr err = sLayer->GetLayerEditable(layer, &editable); err != kHostNoErr) return err;
    if (!editable) {
        frame::MessageAlert("現在のレイヤーはロックされています");
        return kHostErrCancelled;
    }
    // The host's refusal is its error, not the user's cancel.
    if (HostErr err = sLayer->InsertLayer(nullptr, kHostPlaceAboveAll, &workLayer);
        err != kHostNoErr || workLayer == nullptr) {
        workLayer = nullptr;
        frame::MessageAlert("Error SetWorkLayer");
        return err != kHostNoErr ? err : kHostErrCant;
    }

    ai::UnicodeString title;
    if (HostErr err = ai::UnicodeString::Make(sUnicodeString, "", title); err != kHostNoErr)
        return err;
    if (HostErr err = sLayer->GetLayerTitle(layer, title.get()); err != kHostNoErr) return err;
    std::string titleText;
    if (HostErr err = title.GetUTF8(titleText); err != kHostNoErr) return err;
    const std::string question =
        "レイヤー「" + titleText + "」上のポリゴンすべてを色分けします。よろしいですか？";
    int32_t answer = 0;
    if (HostErr err = frame::OKCancelAlert(question, answer); err != kHostNoErr) return err;
    if (answer != 1) return kHostErrCancelled;

    HostErr err = ScanLayer(layer);
    if (err != kHostNoErr && err != kNodeLimitStop) return err;
    // The work layer has served its purpose; one that stays would be saved with the map.
    if (HostErr deleted = DeleteWorkLayer(); deleted != kHostNoErr) return deleted;
    if (err == kNodeLimitStop) return kHostNoErr;
    if (!adjacencyFound) return kHostNoErr;
    return Colour();
}

HostErr CPolygonColoring::DeleteWorkLayer() {
    HostLayerHandle layer = workLayer;
    workLayer = nullptr;
    return layer == nullptr ? kHostNoErr : sLayer->DeleteLayer(layer);
}

HostErr CPolygonColoring::Colour() {
    HostErr err = BuildGraph();
    if (err == kNodeLimitStop) {
        int32_t answer = 0;
        if (err = frame::OKCancelAlert(kTooManyNodes, answer); err != kHostNoErr) return err;
        if (answer == 1) return kHostNoErr;
    } else if (err != kHostNoErr) {
        return err;
    }
    // Painting the nodes that failed all back to colour 0 would give touching polygons one
    // fill: leave every fill as it was.
    if (SearchColours(0, kSearchColours) == 0) {
        frame::MessageAlert(kNoColouring);
        return kNoColouringFound;
    }
    if (err = ApplyColours(); err != kHostNoErr) return err;
    frame::MessageAlert("終了");
    return kHostNoErr;
}

// Depth-first search, one level per node in discovery order, the first fitting colour
// first; the last node is never assigned and keeps colour 0. A cancel counts as success:
// what is assigned stays.
//
// Plain backtracking retries every colour of every node between a dead end and the node
// that caused it. Each level here keeps the earlier levels that ruled out one of its
// colours (for each colour the earliest neighbour holding it); a level with no colour left
// goes straight back to the latest of those, handing it the rest. Every level skipped on
// the way could only have led to the same dead end, so the first colouring found is the
// one plain backtracking finds. The levels live on the heap: no graph can exhaust the
// call stack.
HostErr CPolygonColoring::SearchColours(int32_t start, int32_t colourCount) {
    const int32_t n = static_cast<int32_t>(nodes.size());
    if (start < 0 || static_cast<size_t>(n) != colours.size() ||
        static_cast<size_t>(n) != adjacency.size())
        return 0;
    // Polygons that all overlap one another, one more than there are colours, make a
    // dead end that backjumping can only prove by trying the colourings of every polygon
    // touching them. Such a group is found first, and the search fails at once, as it
    // would at its end.
    if (HasCliqueAbove(start, n - 1, colourCount)) {
        std::fill(colours.begin() + std::min(start, n), colours.end(), 0);
        return 0;
    }
    // Levels 0 to n - 2 are searched; conflicts[i] holds levels below i, ascending.
    std::vector<std::vector<int32_t>> conflicts(static_cast<size_t>(std::max(n, 1)));
    const auto addConflict = [&](int32_t level, int32_t cause) {
        std::vector<int32_t>& set = conflicts[static_cast<size_t>(level)];
        const auto at = std::lower_bound(set.begin(), set.end(), cause);
        if (at == set.end() || *at != cause) set.insert(at, cause);
    };
    std::vector<int32_t> holder(static_cast<size_t>(std::max(colourCount, 0)) + 1);
    int32_t level = start;
    bool entering = true;
    for (;;) {
        if (entering) {
            frame::SetProgressText("カラー設定中... node " + std::to_string(level) + "/" +
                                   std::to_string(n));
            frame::SetProgressValue(level, n);
            if (frame::CancelRequested()) return level == start ? kHostErrCancelled : 1;
            if (level >= n - 1) return 1;
            conflicts[static_cast<size_t>(level)].clear();
        }
        // The earliest assigned neighbour holding each colour.
        std::fill(holder.begin(), holder.end(), -1);
        for (int32_t neighbour : adjacency[static_cast<size_t>(level)]) {
            const int32_t c = colours[static_cast<size_t>(neighbour)];
            if (neighbour < level && c >= 1 && c <= colourCount &&
                (holder[static_cast<size_t>(c)] < 0 || neighbour < holder[static_cast<size_t>(c)]))
                holder[static_cast<size_t>(c)] = neighbour;
        }
        // The next colour for this level after the one it holds (0 when just entered).
        const int32_t tried = entering ? 0 : colours[static_cast<size_t>(level)];
        colours[static_cast<size_t>(level)] = 0;
        int32_t chosen = 0;
        for (int32_t c = tried + 1; c <= colourCount && chosen == 0; ++c) {
            const int32_t cause = holder[static_cast<size_t>(c)];
            if (cause < 0)
                chosen = c;
            else
                addConflict(level, cause);
        }
        if (chosen != 0) {
            colours[static_cast<size_t>(level)] = chosen;
            ++level;
            entering = true;
            continue;
        }
        // Nodes before start are fixed: a dead end caused only by them is final.
        std::vector<int32_t>& set = conflicts[static_cast<size_t>(level)];
        if (set.empty() || set.back() < start) {
            // As plain backtracking leaves it: every level back at 0.
            std::fill(colours.begin() + start, colours.begin() + level + 1, 0);
            return 0;
        }
        const int32_t back = set.back();
        for (int32_t cause : set)
            if (cause != back && cause >= start) addConflict(back, cause);
        for (int32_t skipped = level; skipped > back; --skipped) {
            colours[static_cast<size_t>(skipped)] = 0;
            conflicts[static_cast<size_t>(skipped)].clear();
        }
        level = back;
        entering = false;
    }
}

// Grows a group of mutually touching nodes from each node in [from, to) greedily, best
// connected neighbours first: true when one holds more than size nodes. It may miss a
// group, never invents one.
bool CPolygonColoring::HasCliqueAbove(int32_t from, int32_t to, int32_t size) const {
    const auto inRange = [&](int32_t node) { return node >= from && node < to; };
    const auto touching = [&](int32_t a, int32_t b) {
        const std::vector<int32_t>& list = adjacency[static_cast<size_t>(a)];
        return std::find(list.begin(), list.end(), b) != list.end();
    };
    for (int32_t node = from; node < to; ++node) {
        const std::vector<int32_t>& around = adjacency[static_cast<size_t>(node)];
        if (static_cast<int64_t>(around.size()) < size) continue;
        std::vector<int32_t> candidates;
        for (int32_t other : around)
            if (inRange(other) && other != node) candidates.push_back(other);
        std::sort(candidates.begin(), candidates.end(), [&](int32_t a, int32_t b) {
            return adjacency[static_cast<size_t>(a)].size() >
                   adjacency[static_cast<size_t>(b)].size();
        });
        std::vector<int32_t> clique{node};
        for (int32_t other : candidates) {
            if (std::all_of(clique.begin(), clique.end(),
                            [&](int32_t member) { return touching(other, member); }) &&
                std::find(clique.begin(), clique.end(), other) == clique.end())
                clique.push_back(other);
        }
        if (static_cast<int64_t>(clique.size()) > size) return true;
    }
    return false;
}

HostErr CPolygonColoring::ApplyColours() {
    for (size_t j = 0; j < nodes.size(); ++j) {
        int16_t type = 0;
        if (HostErr err = sArt->GetArtType(nodes[j], &type); err != kHostNoErr) return err;
        if (type == kHostGroupArt) {
            HostArtHandle child = nullptr;
            if (sArt->GetArtFirstChild(nodes[j], &child) != kHostNoErr) return kGroupPaintFailed;
            if (child != nullptr && PaintGroupPaths(child, colours[j], true) != kHostNoErr)
                return kGroupPaintFailed;
        } else if (SetPaletteFill(nodes[j], colours[j]) != kHostNoErr) {
            return kPaintFailed;
        }
    }
    return kHostNoErr;
}

// Every path at any depth, whatever its state: the whole group shows one colour.
HostErr CPolygonColoring::PaintGroupPaths(HostArtHandle art, int32_t colour, bool withSiblings) {
    return WalkArtTree(art, withSiblings, [&](HostArtHandle object, HostArtHandle& child) {
        if (HostErr err = sArt->GetArtFirstChild(object, &child); err != kHostNoErr) return err;
        int16_t type = 0;
        if (HostErr err = sArt->GetArtType(object, &type); err != kHostNoErr) return err;
        return type == kHostPathArt ? SetPaletteFill(object, colour) : kHostNoErr;
    });
}

HostErr CPolygonColoring::SetPaletteFill(HostArtHandle art, int32_t colour) {
    if (colour < 0 || static_cast<size_t>(colour) >= kPalette.size()) return kHostErrBadParameter;
    HostPathStyle style{};
    if (HostErr err = sPathStyle->GetPathStyle(art, &style); err != kHostNoErr) return err;
    const ProcessColour& c = kPalette[static_cast<size_t>(colour)];
    style.fillPaint = 1;
    style.fill.color = HostColor{};
    style.fill.color.kind = kHostFourColor;
    style.fill.color.cyan = c.cyan;
    style.fill.color.magenta = c.magenta;
    style.fill.color.yellow = c.yellow;
    style.fill.color.black = c.black;
    return sPathStyle->SetPathStyle(art, &style);
}
