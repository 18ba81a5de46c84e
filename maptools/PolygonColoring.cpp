// Polygon colouring: the command, the colour search and the painting.
#include "maptools/PolygonColoring.h"

#include "frame/CommandOps.h"
#include "frame/HostSuites.h"
#include "hostapi/wrappers/UnicodeString.h"
#include "maptools/ArtWalk.h"

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
    if (sLayer->InsertLayer(nullptr, kHostPlaceAboveAll, &workLayer) != kHostNoErr ||
        workLayer == nullptr) {
        workLayer = nullptr;
        frame::MessageAlert("Error SetWorkLayer");
        return kHostErrCancelled;
    }

    ai::UnicodeString title;
    if (HostErr err = ai::UnicodeString::Make(sUnicodeString, "", title); err != kHostNoErr)
        return err;
    if (HostErr err = sLayer->GetLayerTitle(layer, title.get()); err != kHostNoErr) return err;
    std::string titleText;
    if (HostErr err = title.GetUTF8(titleText); err != kHostNoErr) return err;
    const std::string question =
        "レイヤー「" + titleText + "」上のポリゴンすべてを色分けします。よろしいですか？";
    if (frame::OKCancelAlert(question) != 1) return kHostErrCancelled;

    HostErr err = ScanLayer(layer);
    if (err == kNodeLimitStop) return kHostNoErr;
    if (err != kHostNoErr) return err;
    if (!adjacencyFound) return kHostNoErr;
    return Colour();
}

HostErr CPolygonColoring::Colour() {
    HostErr err = BuildGraph();
    if (err == kNodeLimitStop) {
        if (frame::OKCancelAlert(kTooManyNodes) == 1) return kHostNoErr;
    } else if (err != kHostNoErr) {
        return err;
    }
    SearchColours(0, kSearchColours);
    if (err = ApplyColours(); err != kHostNoErr) return err;
    frame::MessageAlert("終了");
    return kHostNoErr;
}

// Depth-first backtracking, one level per node in discovery order, the first fitting
// colour first. The levels live on the heap, so graphs of any size cannot exhaust the
// call stack. The last node is never assigned and keeps colour 0. A cancel counts as
// success: what is assigned stays.
HostErr CPolygonColoring::SearchColours(int32_t start, int32_t colourCount) {
    const int32_t n = static_cast<int32_t>(nodes.size());
    if (start < 0 || static_cast<size_t>(n) != colours.size()) return 0;
    int32_t level = start;
    bool entering = true;
    for (;;) {
        if (entering) {
            frame::SetProgressText("カラー設定中... node " + std::to_string(level) + "/" +
                                   std::to_string(n));
            frame::SetProgressValue(level, n);
            if (frame::CancelRequested()) return level == start ? kHostErrCancelled : 1;
            if (level >= n - 1) return 1;
        }
        // The next colour for this level after the one it holds (0 when just entered).
        const int32_t tried = entering ? 0 : colours[level];
        colours[level] = 0;
        int32_t chosen = 0;
        for (int32_t c = tried + 1; c <= colourCount && chosen == 0; ++c) {
            bool taken = false;
            for (int32_t neighbour : adjacency[level])
                taken = taken || colours[neighbour] == c;
            if (!taken) chosen = c;
        }
        if (chosen != 0) {
            colours[level] = chosen;
            ++level;
            entering = true;
            continue;
        }
        if (level == start) return 0;
        --level;
        entering = false;
    }
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
