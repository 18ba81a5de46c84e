#include "hostapi/suites/LayerSuite.h"

#include "host/core/Strings.h"
#include "host/core/SuiteRegistry.h"
#include "host/docsuites/DocSupport.h"
#include "host/docsuites/DocumentSuites.h"

namespace host {
namespace {

using namespace docsuites;

HostErr CountLayers(int32_t* count) {
    HOST_OP(kHostLayerSuite, "CountLayers");
    return answer(count, [&](Document& d) { return d.layerCount(); });
}

HostErr GetNthLayer(int32_t index, HostLayerHandle* layer) {
    HOST_OP(kHostLayerSuite, "GetNthLayer");
    return withDocument([&](Document& d) -> HostErr {
        requireOut(layer);
        *layer = nullptr;
        if (index < 0 || index >= d.layerCount()) return kHostErrBadParameter;
        *layer = handleOf(d.layerAt(index));
        return kHostNoErr;
    });
}

HostErr GetCurrentLayer(HostLayerHandle* layer) {
    HOST_OP(kHostLayerSuite, "GetCurrentLayer");
    return withDocument([&](Document& d) -> HostErr {
        requireOut(layer);
        *layer = handleOf(d.currentLayer());
        return *layer == nullptr ? kHostErrNotFound : kHostNoErr;
    });
}

HostErr SetCurrentLayer(HostLayerHandle layer) {
    HOST_OP(kHostLayerSuite, "SetCurrentLayer");
    return withDocument(
        [&](Document& d) -> HostErr { return d.setCurrentLayer(layerOf(d, layer)); });
}

HostErr GetFirstLayer(HostLayerHandle* first) {
    HOST_OP(kHostLayerSuite, "GetFirstLayer");
    return answer(first, [&](Document& d) { return handleOf(d.firstLayer()); });
}

// The walks share one shape: look the layer up, step, hand back the handle.
template <Layer* (Document::*Step)(const Layer&) const>
HostErr Walk(HostLayerHandle layer, HostLayerHandle* result) {
    return answerHandle(result,
                        [&](Document& d) { return handleOf((d.*Step)(layerOf(d, layer))); });
}

HostErr InsertLayer(HostLayerHandle reference, int16_t paintOrder, HostLayerHandle* newLayer) {
    HOST_OP(kHostLayerSuite, "InsertLayer");
    return withDocument([&](Document& d) -> HostErr {
        requireOut(newLayer);
        *newLayer = nullptr;
        const std::optional<PaintOrder> order = paintOrderFromInt(paintOrder);
        if (!order) return kHostErrBadParameter;
        Layer* ref = reference == nullptr ? nullptr : &layerOf(d, reference);
        Layer* made = nullptr;
        const HostErr err = d.insertLayer(ref, *order, &made);
        if (err == kHostNoErr) *newLayer = handleOf(made);
        return err;
    });
}

HostErr DeleteLayer(HostLayerHandle layer) {
    HOST_OP(kHostLayerSuite, "DeleteLayer");
    return withDocument([&](Document& d) -> HostErr { return d.deleteLayer(layerOf(d, layer)); });
}

HostErr GetLayerTitle(HostLayerHandle layer, HostUString title) {
    HOST_OP(kHostLayerSuite, "GetLayerTitle");
    return withDocument([&](Document& d) -> HostErr {
        const Layer& l = layerOf(d, layer);
        stringOf(title) = l.title;
        return kHostNoErr;
    });
}

HostErr SetLayerTitle(HostLayerHandle layer, HostUString title) {
    HOST_OP(kHostLayerSuite, "SetLayerTitle");
    return withDocument([&](Document& d) -> HostErr {
        Layer& l = layerOf(d, layer);
        const std::string& text = stringOf(title);
        if (l.title == text) return kHostNoErr;
        l.title = text;
        d.noteChange();
        return kHostNoErr;
    });
}

template <bool Layer::*Flag> HostErr GetFlag(HostLayerHandle layer, HostBool* value) {
    return answer(value, [&](Document& d) { return layerOf(d, layer).*Flag ? 1 : 0; });
}

template <void (Document::*Set)(Layer&, bool)>
HostErr SetFlag(HostLayerHandle layer, HostBool value) {
    return withDocument([&](Document& d) -> HostErr {
        (d.*Set)(layerOf(d, layer), value != 0);
        return kHostNoErr;
    });
}

HostErr LayerHasSelectedArt(HostLayerHandle layer, HostBool* hasSelected) {
    HOST_OP(kHostLayerSuite, "LayerHasSelectedArt");
    return answer(hasSelected,
                  [&](Document& d) { return d.layerHasSelectedArt(layerOf(d, layer)) ? 1 : 0; });
}

HostErr DeselectArtOnLayer(HostLayerHandle layer) {
    HOST_OP(kHostLayerSuite, "DeselectArtOnLayer");
    return withDocument([&](Document& d) -> HostErr {
        d.deselectLayer(layerOf(d, layer));
        return kHostNoErr;
    });
}

template <OperationLiteral Name, auto Impl>
constexpr auto LayerOp = counted<kHostLayerSuite, Name, Impl>;

constexpr HostLayerSuite kLayerSuite = {
    CountLayers,
    GetNthLayer,
    GetCurrentLayer,
    SetCurrentLayer,
    GetFirstLayer,
    LayerOp<"GetNextLayer", Walk<&Document::nextLayer>>,
    LayerOp<"GetFirstChild", Walk<&Document::firstSublayer>>,
    LayerOp<"GetLayerParent", Walk<&Document::parentLayer>>,
    LayerOp<"GetNextPreorderLayer", Walk<&Document::nextPreorderLayer>>,
    LayerOp<"GetNextNonChildPreorderLayer", Walk<&Document::nextPreorderLayerOutside>>,
    InsertLayer,
    DeleteLayer,
    GetLayerTitle,
    SetLayerTitle,
    LayerOp<"GetLayerVisible", GetFlag<&Layer::visible>>,
    LayerOp<"SetLayerVisible", SetFlag<&Document::setLayerVisible>>,
    LayerOp<"GetLayerEditable", GetFlag<&Layer::editable>>,
    LayerOp<"SetLayerEditable", SetFlag<&Document::setLayerEditable>>,
    LayerHasSelectedArt,
    DeselectArtOnLayer,
};

} // namespace

void installLayerSuite(SuiteRegistry& registry) {
    registry.provide(kHostLayerSuite, kHostLayerSuiteVersion, &kLayerSuite);
}

} // namespace host
