// "AI Plugin Suite" (message records for modules) and "AI Pathfinder Suite" (the unite).
#include "hostapi/suites/PathfinderSuite.h"
#include "hostapi/suites/PluginSuite.h"

#include "host/core/SuiteRegistry.h"
#include "host/docsuites/DocSupport.h"
#include "host/docsuites/DocumentSuites.h"
#include "host/loader/Module.h"
#include "host/pathfinder/ShapeCache.h"
#include "host/pathfinder/Unite.h"

#include <vector>

namespace host {
namespace {

using namespace docsuites;

HostErr SetupPluginData(HostPluginRef plugin, HostMessageData* data) {
    HOST_OP(kHostPluginSuite, "SetupPluginData");
    return guarded([&]() -> HostErr {
        if (data == nullptr) return kHostErrBadParameter;
        SuiteContext& app = *SuiteContext::current();
        const Module* module = app.moduleFromRef(plugin);
        if (module == nullptr) return kHostErrBadHandle;
        *data = HostMessageData{kHostMessageCheck, plugin, module->globals(), app.basicSuite()};
        return kHostNoErr;
    });
}

// The outlines of one input where the document keeps them, with holds on their buffers:
// a path's own, or each member path's of a compound path.
// A compact ring is written out into the view's own room, which was made large enough
// beforehand so that earlier rings stay where they are.
void addRing(pathfinder::ShapeView& shape, const PathSegments& segments) {
    if (const HostPathSegment* full = segments.fullData(); full != nullptr || segments.empty()) {
        shape.rings.emplace_back(full, segments.size());
    } else {
        const std::size_t at = shape.whole.size();
        shape.whole.resize(at + segments.size());
        segments.copyTo(0, segments.size(), shape.whole.data() + at);
        shape.rings.emplace_back(shape.whole.data() + at, segments.size());
    }
    shape.holds.push_back(segments.hold());
}

void shapeOf(const Document& d, const Art& art, pathfinder::ShapeView& shape) {
    shape.clear();
    PathStyle style;
    if (d.getPathStyle(art, style) == kHostNoErr) shape.evenOdd = style.evenOdd;
    std::size_t compact = 0;
    auto forEachRing = [&](auto&& f) {
        if (art.type() == ArtType::Path) {
            f(art.path()->segments);
        } else if (art.type() == ArtType::CompoundPath) {
            for (const Art* member = art.firstChild(); member != nullptr;
                 member = member->nextSibling())
                if (member->type() == ArtType::Path) f(member->path()->segments);
        } else {
            throw HostError(kHostErrWrongType, "only paths and compound paths can be united");
        }
    };
    forEachRing([&](const PathSegments& s) { compact += s.compact() ? s.size() : 0; });
    shape.whole.reserve(compact);
    forEachRing([&](const PathSegments& s) { addRing(shape, s); });
}

Art* newRingPath(Document& d, const pathfinder::Ring& ring, const SharedPathStyle& style) {
    Art* path = d.makeArt(ArtType::Path);
    PathData& data = *path->path();
    data.closed = true;
    data.style = style;
    data.segments.resize(ring.size());
    HostPathSegment* out = data.segments.data();
    for (const HostRealPoint& p : ring) {
        HostPathSegment& s = *out++;
        s.p = s.in = s.out = p;
        s.corner = 1;
    }
    return path;
}

// The result takes the place and the paint of the first input. What is left behind: one
// path for a single outline; a compound path for an outline with holes or several
// parts; a group of plain paths, one per outline, when the inputs did not touch.
HostErr DoUniteEffect(HostPathfinderData* data, HostMessageData* /*message*/) {
    HOST_OP(kHostPathfinderSuite, "DoUniteEffect");
    return withDocument([&](Document& d) -> HostErr {
        if (data == nullptr || data->artCount < 1 || data->artList == nullptr)
            return kHostErrBadParameter;
        std::vector<Art*> inputs;
        for (int32_t i = 0; i < data->artCount; ++i) {
            Art& art = artOf(d, data->artList[i]);
            if (HostErr err = d.checkEditable(art); err != kHostNoErr) return err;
            if (art.type() != ArtType::Path && art.type() != ArtType::CompoundPath)
                throw HostError(kHostErrWrongType, "only paths and compound paths can be united");
            inputs.push_back(&art);
        }
        PathStyle firstStyle;
        if (HostErr err = d.getPathStyle(*inputs.front(), firstStyle); err != kHostNoErr)
            return err;
        const SharedPathStyle style = firstStyle; // one block for every outline of the result

        pathfinder::ShapeCache& cache = session()->uniteCache();
        cache.MakeRoom();
        std::vector<pathfinder::ShapeView>& views = cache.views();
        if (views.size() < inputs.size()) views.resize(inputs.size());
        std::vector<const pathfinder::NormalForm*> forms;
        for (std::size_t i = 0; i < inputs.size(); ++i) {
            shapeOf(d, *inputs[i], views[i]);
            forms.push_back(&cache.Get(views[i]));
        }
        const SuiteContext* app = SuiteContext::current();
        const pathfinder::UniteResult united =
            pathfinder::UniteForms(forms, cache.scratch(), app != nullptr ? app->precision() : 0);
        Art* result = nullptr;
        if (united.merged && united.rings.size() == 1) {
            result = newRingPath(d, united.rings.front(), style);
        } else if (!united.rings.empty()) {
            result = d.makeArt(united.merged ? ArtType::CompoundPath : ArtType::Group);
            for (const pathfinder::Ring& ring : united.rings)
                d.appendChild(*result, *newRingPath(d, ring, style));
        }
        if (result != nullptr) {
            // Placed beside the first input, then the inputs go.
            Art* first = inputs.front();
            if (Art* parent = first->parent(); parent != nullptr) {
                d.appendChild(*parent, *result);
                if (HostErr err = d.reorderArt(*result, PaintOrder::Above, first);
                    err != kHostNoErr)
                    return err;
            }
        }
        for (Art* input : inputs)
            if (HostErr err = d.disposeArt(*input); err != kHostNoErr) return err;
        return kHostNoErr;
    });
}

constexpr HostPluginSuite kPluginSuite = {SetupPluginData};
constexpr HostPathfinderSuite kPathfinderSuite = {DoUniteEffect};

} // namespace

void installPluginAndPathfinderSuites(SuiteRegistry& registry) {
    registry.provide(kHostPluginSuite, kHostPluginSuiteVersion, &kPluginSuite);
    registry.provide(kHostPathfinderSuite, kHostPathfinderSuiteVersion, &kPathfinderSuite);
}

} // namespace host
