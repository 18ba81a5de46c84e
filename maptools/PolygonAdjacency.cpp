// The adjacency scan of polygon colouring: which top-level items of a layer touch.
#include "common/ArtSet.h"
#include "common/ArtWalk.h"
#include "frame/CommandOps.h"
#include "frame/HostSuites.h"
#include "maptools/PolygonColoring.h"

#include <algorithm>
#include <cmath>
#include <string>

bool CPolygonColoring::IsCandidatePolygon(HostArtHandle art) const {
    bool candidate = false;
    return CheckCandidate(art, candidate) == kHostNoErr && candidate;
}

// A query the art's kind answers that fails is a host failure, not a "no": a polygon
// passed over would keep its old fill beside neighbours that may share the new one.
HostErr CPolygonColoring::CheckCandidate(HostArtHandle art, bool& candidate) const {
    candidate = false;
    int16_t type = 0;
    if (HostErr err = sArt->GetArtType(art, &type); err != kHostNoErr) return err;
    if (type == kHostGroupArt) return kHostNoErr;
    const bool outline = type == kHostPathArt || type == kHostCompoundPathArt;
    HostPathStyle style{};
    if (HostErr err = sPathStyle->GetPathStyle(art, &style); err != kHostNoErr)
        return outline ? err : kHostNoErr;
    if (!style.fillPaint) return kHostNoErr;
    HostBool closed = 0;
    if (HostErr err = sPath->GetPathClosed(art, &closed); err != kHostNoErr)
        return type == kHostPathArt ? err : kHostNoErr;
    candidate = closed != 0;
    return kHostNoErr;
}

HostArtHandle CPolygonColoring::TopLevelItem(HostArtHandle art) const {
    HostArtHandle item = art;
    for (;;) {
        HostArtHandle parent = nullptr;
        if (sArt->GetArtParent(item, &parent) != kHostNoErr || parent == nullptr ||
            parent == layerGroup)
            return item;
        item = parent;
    }
}

HostErr CPolygonColoring::ProgressStep(int32_t value) {
    frame::SetProgressValue(value, 100);
    return frame::CancelRequested() ? kHostErrCancelled : kHostNoErr;
}

// Gathers the candidates of the layer in scan order, once: their top-level items and
// grown bounds no longer cost a host call per pair.
HostErr CPolygonColoring::IndexCandidates() {
    candidates_.clear();
    candidateOf_.clear();
    recorded_.clear();
    firstCandidateOfItem_.clear();
    HostArtHandle item = nullptr;
    if (HostErr err = sArt->GetArtFirstChild(layerGroup, &item); err != kHostNoErr) return err;
    for (size_t itemIndex = 0; item != nullptr; ++itemIndex) {
        firstCandidateOfItem_.push_back(candidates_.size());
        HostErr err = WalkArtTree(item, false, [&](HostArtHandle art, HostArtHandle& child) {
            bool candidate = false;
            if (HostErr failed = CheckCandidate(art, candidate); failed != kHostNoErr)
                return failed;
            if (candidate) {
                PolygonCandidate c;
                c.art = art;
                c.topLevel = item;
                c.topLevelIndex = itemIndex;
                c.boundsError = sArt->GetArtBounds(art, &c.grown);
                if (c.boundsError == kHostNoErr) sRealMath->RectInset(&c.grown, -0.5, -0.5);
                candidateOf_.emplace(art, candidates_.size());
                candidates_.push_back(c);
            }
            return sArt->GetArtFirstChild(art, &child);
        });
        if (err != kHostNoErr) return err;
        if (err = sArt->GetArtSibling(item, &item); err != kHostNoErr) return err;
    }
    firstCandidateOfItem_.push_back(candidates_.size());
    index_.Build(candidates_);
    return kHostNoErr;
}

HostErr CPolygonColoring::ScanLayer(HostLayerHandle layer) {
    if (HostErr err = sArt->GetFirstArtOfLayer(layer, &layerGroup); err != kHostNoErr) return err;
    HostArtHandle item = nullptr;
    if (HostErr err = sArt->GetArtFirstChild(layerGroup, &item); err != kHostNoErr) return err;

    frame::SetProgressText("隣接Artをチェック中...");
    if (HostErr err = ProgressStep(10); err != kHostNoErr) return err;
    if (HostErr err = IndexCandidates(); err != kHostNoErr) return err;

    while (item != nullptr) {
        if (HostErr err = ProgressStep(10); err != kHostNoErr) return err;
        HostArtHandle next = nullptr;
        if (HostErr err = sArt->GetArtSibling(item, &next); err != kHostNoErr) return err;
        if (HostErr err = ProgressStep(10); err != kHostNoErr) return err;

        HostArtHandle child = nullptr;
        if (HostErr err = sArt->GetArtFirstChild(item, &child); err != kHostNoErr) return err;
        currentItem = item;
        if (candidateOf_.count(item) != 0) {
            if (HostErr err = CompareWithFollowing(item); err != kHostNoErr) return err;
        }
        if (child != nullptr) {
            HostErr err = WalkArtTree(child, true, [&](HostArtHandle art, HostArtHandle& first) {
                if (HostErr e = ProgressStep(10); e != kHostNoErr) return e;
                if (candidateOf_.count(art) != 0) {
                    if (HostErr e = CompareWithFollowing(art); e != kHostNoErr) return e;
                }
                return sArt->GetArtFirstChild(art, &first);
            });
            if (err != kHostNoErr) return err;
        }
        item = next;
    }
    return kHostNoErr;
}

// Pairs within one top-level item are never tested, so only the candidates of the items
// after the current one are partners; of those, only the ones whose grown boxes can
// overlap reach the pair test, in scan order.
HostErr CPolygonColoring::CompareWithFollowing(HostArtHandle art) {
    const auto found = candidateOf_.find(art);
    if (found == candidateOf_.end()) return kHostNoErr;
    const PolygonCandidate& a = candidates_[found->second];
    const size_t after = firstCandidateOfItem_[a.topLevelIndex + 1];
    index_.Partners(candidates_, a, after, partners_);
    for (size_t partner : partners_) {
        if (HostErr err = TestCandidates(found->second, partner); err != kHostNoErr) return err;
    }
    return kHostNoErr;
}

HostErr CPolygonColoring::TestPair(HostArtHandle a, HostArtHandle b) {
    const auto foundA = candidateOf_.find(a);
    const auto foundB = candidateOf_.find(b);
    if (foundA == candidateOf_.end() || foundB == candidateOf_.end()) return kHostNoErr;
    return TestCandidates(foundA->second, foundB->second);
}

namespace {

uint64_t PairKey(size_t itemA, size_t itemB) {
    return (static_cast<uint64_t>(std::min(itemA, itemB)) << 32) | std::max(itemA, itemB);
}

} // namespace

HostErr CPolygonColoring::TestCandidates(size_t a, size_t b) {
    const PolygonCandidate& ca = candidates_[a];
    const PolygonCandidate& cb = candidates_[b];
    if (ca.topLevel == cb.topLevel) return kHostNoErr;
    if (recorded_.count(PairKey(ca.topLevelIndex, cb.topLevelIndex)) != 0) return kHostNoErr;

    if (ca.boundsError != kHostNoErr) return ca.boundsError;
    if (cb.boundsError != kHostNoErr) return cb.boundsError;
    // A pair whose test broke off would pass for one that does not touch, and the two
    // could end up with one colour: every failure of the test ends the scan.
    HostBool overlap = 0;
    if (HostErr err = sRealMath->RectOverlap(&ca.grown, &cb.grown, &overlap); err != kHostNoErr)
        return err;
    if (overlap) {
        if (HostErr err = UniteInWorkLayer(ca.art, cb.art); err != kHostNoErr) {
            ClearWorkLayer(workLayer);
            return err;
        }
        HostErr err = kHostNoErr;
        const bool adjacent = UnitedIntoOne(err);
        if (err != kHostNoErr) return err;
        if (adjacent) {
            if (HostErr stop = RecordPair(ca, cb); stop != kHostNoErr) return stop;
        }
    }
    return ClearWorkLayer(workLayer);
}

// Duplicates the two polygons into the work layer and unites them there.
HostErr CPolygonColoring::UniteInWorkLayer(HostArtHandle a, HostArtHandle b) {
    HostArtHandle group = nullptr;
    HostErr err = sArt->GetFirstArtOfLayer(workLayer, &group);
    if (err == kHostNoErr) err = sLayer->SetCurrentLayer(workLayer);
    HostArtHandle copyA = nullptr, copyB = nullptr;
    if (err == kHostNoErr) err = sArt->DuplicateArt(a, kHostPlaceInsideOnTop, group, &copyA);
    if (err == kHostNoErr) err = sArt->DuplicateArt(b, kHostPlaceBelow, copyA, &copyB);
    if (err == kHostNoErr) err = SetSelectedTree(group, true, false);
    if (err != kHostNoErr) return err;

    CArtSet selection;
    if (err = selection.FillFromSelection(); err != kHostNoErr) return err;
    HostMessageData message{};
    if (err = sPlugin->SetupPluginData(pluginRef, &message); err != kHostNoErr) return err;
    HostArtHandle united[2] = {nullptr, nullptr};
    if (err = selection.Get(1, united[0]); err != kHostNoErr) return err;
    if (err = selection.Get(2, united[1]); err != kHostNoErr) return err;
    HostPathfinderData data{};
    data.precision = 10.0;
    data.removeRedundantPoints = 0.5;
    data.extractUnpaintedArtwork = 1;
    data.trapThickness = 0.25;
    data.trapHeightWidthRatio = 1.0;
    data.trapTintReduction = 0.4;
    data.mixSoftRatio = 1.0;
    data.trapMaxTint = 0.05;
    data.artList = united;
    data.artCount = 2;
    return sPathfinder->DoUniteEffect(&data, &message);
}

// A single object left in the work layer, or a compound path as its first object (or as
// that object's first child), means the two outlines merged into one.
bool CPolygonColoring::UnitedIntoOne(HostErr& err) {
    CArtSet left;
    if (err = left.FillFromLayer(workLayer); err != kHostNoErr) return false;
    const uint64_t count = left.Count();
    if (count == 2) return true;
    if (count < 3) return false;
    HostArtHandle group = nullptr, first = nullptr;
    if (err = sArt->GetFirstArtOfLayer(workLayer, &group); err != kHostNoErr) return false;
    if (err = sArt->GetArtFirstChild(group, &first); err != kHostNoErr || first == nullptr)
        return false;
    int16_t type = 0;
    if (err = sArt->GetArtType(first, &type); err != kHostNoErr) return false;
    if (type == kHostCompoundPathArt) return true;
    HostArtHandle inner = nullptr;
    if (err = sArt->GetArtFirstChild(first, &inner); err != kHostNoErr || inner == nullptr)
        return false;
    if (err = sArt->GetArtType(inner, &type); err != kHostNoErr) return false;
    return type == kHostCompoundPathArt;
}

HostErr CPolygonColoring::RecordPair(const PolygonCandidate& a, const PolygonCandidate& b) {
    const HostArtHandle topA = a.topLevel, topB = b.topLevel;
    adjacencyFound = 1;
    recorded_.insert(PairKey(a.topLevelIndex, b.topLevelIndex));
    pairs.emplace(topA, topB);
    pairs.emplace(topB, topA);
    for (HostArtHandle item : {topA, topB}) {
        if (nodeSet_.insert(item).second) nodes.push_back(item);
    }
    if (warnTooMany && nodes.size() > kNodeLimit) {
        warnTooMany = 0;
        int32_t answer = 0;
        if (const HostErr err = frame::OKCancelAlert(
                "隣接数が多すぎます。一旦終了して数を減らして下さい。", answer))
            return err;
        if (answer == 1) return kNodeLimitStop;
    }
    return kHostNoErr;
}

HostErr CPolygonColoring::SetSelectedTree(HostArtHandle art, bool select, bool withSiblings) {
    return WalkArtTree(art, withSiblings, [&](HostArtHandle object, HostArtHandle& child) {
        int16_t type = 0;
        if (sArt->GetArtType(object, &type) == kHostNoErr && type == kHostTextFrameArt) {
            return sArt->SetArtUserAttr(object, kHostArtFullySelected,
                                        select ? kHostArtFullySelected : 0);
        }
        if (HostErr err =
                sArt->SetArtUserAttr(object, kHostArtSelected, select ? kHostArtSelected : 0);
            err != kHostNoErr)
            return err;
        return sArt->GetArtFirstChild(object, &child);
    });
}

HostErr CPolygonColoring::ClearWorkLayer(HostLayerHandle layer) {
    HostBool editable = 1, visible = 1;
    sLayer->GetLayerEditable(layer, &editable);
    sLayer->GetLayerVisible(layer, &visible);
    sLayer->SetLayerEditable(layer, 1);
    sLayer->SetLayerVisible(layer, 1);

    constexpr int32_t kLockedOrHidden = kHostArtLocked | kHostArtHidden;
    HostArtHandle group = nullptr, item = nullptr;
    HostErr err = sArt->GetFirstArtOfLayer(layer, &group);
    if (err == kHostNoErr) err = sArt->GetArtFirstChild(group, &item);
    while (err == kHostNoErr && item != nullptr) {
        err = sArt->SetArtUserAttr(item, kLockedOrHidden, 0);
        HostArtHandle child = nullptr;
        if (err == kHostNoErr) err = sArt->GetArtFirstChild(item, &child);
        if (err == kHostNoErr && child != nullptr) {
            err = WalkArtTree(child, true, [&](HostArtHandle art, HostArtHandle& first) {
                if (HostErr e = sArt->SetArtUserAttr(art, kLockedOrHidden, 0); e != kHostNoErr)
                    return e;
                return sArt->GetArtFirstChild(art, &first);
            });
        }
        HostArtHandle next = nullptr;
        if (err == kHostNoErr) err = sArt->GetArtSibling(item, &next);
        if (err == kHostNoErr) err = sArt->DisposeArt(item);
        item = next;
    }

    sLayer->SetLayerEditable(layer, editable);
    sLayer->SetLayerVisible(layer, visible);
    return err;
}

HostErr CPolygonColoring::BuildGraph() {
    frame::SetProgressText("カラーマップ " + std::to_string(pairs.size()));
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (HostErr err = ProgressStep(60); err != kHostNoErr) return err;
        nodeIndex.emplace(nodes[i], static_cast<int32_t>(i));
    }
    for (HostArtHandle node : nodes) {
        if (HostErr err = ProgressStep(60); err != kHostNoErr) return err;
        std::vector<int32_t> neighbours;
        const auto [from, to] = pairs.equal_range(node);
        for (auto entry = from; entry != to; ++entry)
            neighbours.push_back(nodeIndex[entry->second]);
        adjacency.push_back(std::move(neighbours));
        colours.push_back(0);
    }
    pairs.clear();
    return nodes.size() > kNodeLimit ? kNodeLimitStop : kHostNoErr;
}
