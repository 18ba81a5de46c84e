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
    return withDocument([&](Document& d) -> HostErr {
        requireOut(count);
        *count = d.layerCount();
        return kHostNoErr;
    });
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
    return withDocument([&](Document& d) -> HostErr {
        requireOut(first);
        *first = handleOf(d.firstLayer());
        return kHostNoErr;
    });
}

// The walks share one shape: look the layer up, step, hand back the handle.
template <Layer* (Document::*Step)(const Layer&) const>
HostErr Walk(HostLayerHandle layer, HostLayerHandle* result) {
    return withDocument([&](Document& d) -> HostErr {
        requireOut(result);
        *result = nullptr;
        *result = handleOf((d.*Step)(layerOf(d, layer)));
        return kHostNoErr;
    });
}

HostErr GetNextLayer(HostLayerHandle layer, HostLayerHandle* next) {
    HOST_OP(kHostLayerSuite, "GetNextLayer");
    return Walk<&Document::nextLayer>(layer, next);
}

HostErr GetFirstChild(HostLayerHandle layer, HostLayerHandle* child) {
    HOST_OP(kHostLayerSuite, "GetFirstChild");
    return Walk<&Document::firstSublayer>(layer, child);
}

HostErr GetLayerParent(HostLayerHandle layer, HostLayerHandle* parent) {
    HOST_OP(kHostLayerSuite, "GetLayerParent");
    return Walk<&Document::parentLayer>(layer, parent);
}

HostErr GetNextPreorderLayer(HostLayerHandle layer, HostLayerHandle* next) {
    HOST_OP(kHostLayerSuite, "GetNextPreorderLayer");
    return Walk<&Document::nextPreorderLayer>(layer, next);
}

HostErr GetNextNonChildPreorderLayer(HostLayerHandle layer, HostLayerHandle* next) {
    HOST_OP(kHostLayerSuite, "GetNextNonChildPreorderLayer");
    return Walk<&Document::nextPreorderLayerOutside>(layer, next);
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
    return withDocument([&](Document& d) -> HostErr {
        requireOut(value);
        *value = layerOf(d, layer).*Flag ? 1 : 0;
        return kHostNoErr;
    });
}

template <void (Document::*Set)(Layer&, bool)>
HostErr SetFlag(HostLayerHandle layer, HostBool value) {
    return withDocument([&](Document& d) -> HostErr {
        (d.*Set)(layerOf(d, layer), value != 0);
        return kHostNoErr;
    });
}

HostErr GetLayerVisible(HostLayerHandle layer, HostBool* visible) {
    HOST_OP(kHostLayerSuite, "GetLayerVisible");
    return GetFlag<&Layer::visible>(layer, visible);
}

HostErr SetLayerVisible(HostLayerHandle layer, HostBool visible) {
    HOST_OP(kHostLayerSuite, "SetLayerVisible");
    return SetFlag<&Document::setLayerVisible>(layer, visible);
}

HostErr GetLayerEditable(HostLayerHandle layer, HostBool* editable) {
    HOST_OP(kHostLayerSuite, "GetLayerEditable");
    return GetFlag<&Layer::editable>(layer, editable);
}

HostErr SetLayerEditable(HostLayerHandle layer, HostBool editable) {
    HOST_OP(kHostLayerSuite, "SetLayerEditable");
    return SetFlag<&Document::setLayerEditable>(layer, editable);
}

HostErr LayerHasSelectedArt(HostLayerHandle layer, HostBool* hasSelected) {
    HOST_OP(kHostLayerSuite, "LayerHasSelectedArt");
    return withDocument([&](Document& d) -> HostErr {
        requireOut(hasSelected);
        *hasSelected = d.layerHasSelectedArt(layerOf(d, layer)) ? 1 : 0;
        return kHostNoErr;
    });
}

HostErr DeselectArtOnLayer(HostLayerHandle layer) {
    HOST_OP(kHostLayerSuite, "DeselectArtOnLayer");
    return withDocument([&](Document& d) -> HostErr {
        d.deselectLayer(layerOf(d, layer));
        return kHostNoErr;
    });
}

constexpr HostLayerSuite kLayerSuite = {
    CountLayers,          GetNthLayer,
    GetCurrentLayer,      SetCurrentLayer,
    GetFirstLayer,        GetNextLayer,
    GetFirstChild,        GetLayerParent,
    GetNextPreorderLayer, GetNextNonChildPreorderLayer,
    InsertLayer,          DeleteLayer,
    GetLayerTitle,        SetLayerTitle,
    GetLayerVisible,      SetLayerVisible,
    GetLayerEditable,     SetLayerEditable,
    LayerHasSelectedArt,  DeselectArtOnLayer,
};

} // namespace

void installLayerSuite(SuiteRegistry& registry) {
    registry.provide(kHostLayerSuite, kHostLayerSuiteVersion, &kLayerSuite);
}

} // namespace host
