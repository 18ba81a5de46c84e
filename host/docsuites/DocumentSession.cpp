#include "host/docsuites/DocumentSession.h"

#include "host/core/SuiteContext.h"
#include "host/document/Handles.h"

#include <stdexcept>

namespace host {
namespace {

std::uint32_t kindBit(const Document& document, const Art& art) {
    switch (art.type()) {
    case ArtType::Group:
        return kMenuArtGroup;
    case ArtType::Path: {
        const PathData* path = art.path();
        return path != nullptr && path->guide ? kMenuArtGuide : kMenuArtPath;
    }
    case ArtType::CompoundPath:
        return kMenuArtCompoundPath;
    case ArtType::Placed:
        return kMenuArtPlaced;
    case ArtType::Raster:
        return kMenuArtRaster;
    case ArtType::PluginGroup:
        return kMenuArtPluginGroup;
    case ArtType::Mesh:
        return kMenuArtMesh;
    case ArtType::TextFrame:
        return kMenuArtText;
    case ArtType::SymbolInstance:
        return kMenuArtSymbol;
    case ArtType::Foreign:
        return kMenuArtForeign;
    case ArtType::LegacyText:
        return kMenuArtLegacyText;
    }
    (void)document;
    return 0;
}

} // namespace

DocumentSession::DocumentSession(SuiteContext& app, std::unique_ptr<Document> document)
    : app_(app), document_(std::move(document)) {
    if (!document_) throw std::invalid_argument("no document to open");
    app_.openDocument(this);
}

DocumentSession::~DocumentSession() {
    // Art sets of this document are gone with it; the modules hear of the close.
    app_.closeDocument(this);
    if (app_.documentState() == this) app_.setDocumentState(nullptr);
}

void DocumentSession::makeCurrent() {
    app_.switchDocument(this);
}

DocumentSession* DocumentSession::of(const SuiteContext& app) {
    // The application knows the open document only as its menu state.
    const DocumentState* state = app.documentState();
    return state == nullptr ? nullptr : state->session();
}

std::uint32_t DocumentSession::artKinds() const {
    // One walk over each top-level layer's tree reaches the sublayers' art too; a walk per
    // layer would go over deeply nested art once for every layer above it.
    std::uint32_t kinds = 0;
    for (const Layer* layer = document_->firstLayer(); layer != nullptr;
         layer = document_->nextLayer(*layer)) {
        const Art* top = layer->group();
        for (const Art* art = top; art != nullptr; art = nextInPreorder(art, top))
            if (!art->isLayerGroup()) kinds |= kindBit(*document_, *art);
    }
    return kinds;
}

std::uint32_t DocumentSession::selectedArtKinds() const {
    std::uint32_t kinds = 0;
    for (const Art* art : document_->selectedArt())
        if (!art->isLayerGroup()) kinds |= kindBit(*document_, *art);
    return kinds;
}

std::uint32_t DocumentSession::properties() const {
    std::uint32_t properties = kMenuPropDocumentOpen;
    const Layer* current = document_->currentLayer();
    if (current != nullptr && document_->closedAttributes(*current) == 0)
        properties |= kMenuPropLayerEditable;
    const std::vector<Art*> selected = document_->selectedArt();
    if (!selected.empty()) properties |= kMenuPropHasSelection;
    if (selected.size() > 1) properties |= kMenuPropManySelected;
    return properties;
}

HostArtSetHandle DocumentSession::newArtSet() {
    const std::uint64_t id = newHandleId(HandleKind::ArtSet);
    artSets_.emplace(id, std::vector<HostArtHandle>{});
    return handleOfId<HostArtSetHandle>(id);
}

std::vector<HostArtHandle>* DocumentSession::artSet(HostArtSetHandle handle) {
    auto it = artSets_.find(idOfHandle(handle));
    return it == artSets_.end() ? nullptr : &it->second;
}

bool DocumentSession::disposeArtSet(HostArtSetHandle handle) {
    return artSets_.erase(idOfHandle(handle)) > 0;
}

} // namespace host
