// The stand-in host's document: a tree of layers and art, symbol definitions, the
// selection, the current layer and the view.
//
// Ownership and handles. The document owns every layer, art object and symbol in maps
// keyed by their handle ids; tree links between them are plain pointers. Addresses stay
// fixed until the object is disposed. The host interface passes objects as opaque
// handles: art(handle) and layer(handle) give the live object behind a handle of this
// document and null for a null, stale (disposed), foreign (another document's) or
// wrong-kind handle, so a suite never dereferences a handle it has not looked up.
//
// Order. The host's order runs from front to back: top-level layer 0 is the topmost, a
// group's first child is its frontmost object. Every layer has a group art (its first
// art); a sublayer's group is a child of its parent layer's group, among that layer's
// other art, so walking art reaches sublayers as groups.
//
// Editing rules. A layer is closed when it or any layer around it is hidden or locked (a
// sublayer of a hidden layer is hidden, of a locked layer locked). Art on a closed layer
// (the layer that directly holds it) cannot be created, moved out, duplicated into,
// transformed or disposed: those give kHostErrRefused. Art may be filed into a closed layer
// where the caller names the place; it then leaves the selection, as nothing there can be
// seen or edited. Reading is always allowed; layer flags, titles and user attributes can
// always be changed, and a layer reports its own flags.
//
// Selection. Each art object has its own selected bit. Selecting art marks its containers
// up to its layer's group as selected as well (a container "carries the selected mark"
// when anything inside it is selected); deselecting a container deselects everything in
// it, and a container whose last selected member is deselected is deselected too. The
// fully-selected attribute is reported when the art and everything inside it are
// selected. The selection is every art object with its bit, in pre-order over the layers
// from layer 0 (a container before its members).
//
// Errors are host codes; nothing here throws except std::bad_alloc.
#pragma once

#include "host/document/Art.h"
#include "host/document/ArtTable.h"
#include "host/document/Layer.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace host {

/// The page: the SVG viewBox in document units, and the width and height the file gave
/// (kept as written so a saved file keeps its physical size). Document y = flipY() -
/// SVG y.
struct Page {
    double x = 0.0;
    double y = 0.0;
    double width = 612.0;
    double height = 792.0;
    bool hasViewBox = true;
    std::string widthAttr = "612pt";
    std::string heightAttr = "792pt";

    double flipY() const { return y + height; }
    bool operator==(const Page&) const = default;
};

class Document {
public:
    Document();
    ~Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    /// A new document with one layer, "Layer 1", current; view at the page centre.
    static std::unique_ptr<Document> createDefault();

    HostDocumentHandle handle() const { return handleOfId<HostDocumentHandle>(id_); }

    // ---- handles --------------------------------------------------------------------
    Art* art(HostArtHandle handle) const;
    Layer* layer(HostLayerHandle handle) const;
    Symbol* symbol(std::uint64_t id) const;
    /// Number of live art objects (layer groups, symbol art and frame paths included).
    std::size_t artCount() const { return arts_.size(); }
    /// Room for that many art objects without rehashing (a reader that knows the count).
    void reserve(std::size_t artCount) { arts_.reserve(artCount); }

    /// The handles of the document and of its layers (in pre-order), and taking them over:
    /// a document rebuilt from a copy of this state (an undo) answers to the handles a
    /// module kept, as a document undone in place would. Refused, changing nothing, when
    /// the layers do not pair up or an id is of the wrong kind or repeated.
    struct Identity {
        std::uint64_t document = 0;
        std::vector<std::uint64_t> layers;
    };
    Identity identity() const;
    bool adoptIdentity(const Identity& identity);

    /// A copy of the whole model (an undo step) that answers to the same handles as this
    /// document: the document's, its layers', art's and symbols'. Only one of the two may be
    /// open at a time. The selection is not copied.
    std::unique_ptr<Document> copy() const;

    // ---- revision ---------------------------------------------------------------------
    /// Counts the changes to what a saved file holds: art, layers, symbols, page and view.
    /// The selection and the text focus are not part of it. The same revision means the
    /// document was not changed in between, so a caller learns whether an edit changed it
    /// without comparing contents.
    std::uint64_t revision() const { return revision_; }
    /// For edits of the public fields (an art's name, tags, path, image or text data, a
    /// layer's title, the page and view), which the document does not see itself.
    void noteChange() { ++revision_; }

    // ---- layers -----------------------------------------------------------------------
    /// Top-level layers.
    std::int32_t layerCount() const;
    Layer* layerAt(std::int32_t index) const;
    Layer* firstLayer() const;
    /// The next layer on the same level under the same parent.
    Layer* nextLayer(const Layer& layer) const;
    Layer* firstSublayer(const Layer& layer) const;
    Layer* parentLayer(const Layer& layer) const;
    /// A layer, its sublayers, then its next sibling.
    Layer* nextPreorderLayer(const Layer& layer) const;
    /// The next layer in pre-order that is not inside layer.
    Layer* nextPreorderLayerOutside(const Layer& layer) const;
    /// Every layer in pre-order.
    std::vector<Layer*> allLayers() const;

    /// New layer at order relative to reference: Above/Below as its sibling, InsideOnTop/
    /// InsideOnBottom as its first/last sublayer, AboveAll/BelowAll at the top/bottom of
    /// the top level (reference ignored). The layer is named "Layer N".
    HostErr insertLayer(Layer* reference, PaintOrder order, Layer** newLayer);
    /// Deletes the layer with its sublayers and art. When the current layer goes, the layer
    /// that was current before it becomes current again (a tool's temporary layer gives the
    /// map maker's layer back), or the topmost layer when that one is gone too. The last
    /// top-level layer stays (kHostErrRefused).
    HostErr deleteLayer(Layer& layer);
    Layer* currentLayer() const { return current_; }
    HostErr setCurrentLayer(Layer& layer);
    /// The layer that directly holds art (a layer group's own layer); null for symbol art.
    Layer* layerOfArt(const Art& art) const;
    /// kAttrHidden and kAttrLocked as they hold for the layer: its own flags with those of
    /// every layer around it. Amortised constant time: what the layers around it pass down
    /// is remembered until the layer tree or a layer flag changes.
    std::uint32_t closedAttributes(const Layer& layer) const;
    /// Set a layer's own flags.
    void setLayerVisible(Layer& layer, bool visible);
    void setLayerEditable(Layer& layer, bool editable);

    // ---- art --------------------------------------------------------------------------
    /// Where art goes for an order and reference: Above/Below beside reference,
    /// InsideOnTop/InsideOnBottom as its first/last child (a null reference means the
    /// current layer's group), AboveAll/BelowAll at the top/bottom of reference's layer
    /// (null: the current layer).
    HostErr newArt(ArtType type, PaintOrder order, Art* reference, Art** newArt);
    /// Deep copy (children, frame path, tags, name; not the selection) placed at order.
    /// A copied layer group becomes a plain group.
    HostErr duplicateArt(const Art& source, PaintOrder order, Art* reference, Art** copy);
    HostErr reorderArt(Art& art, PaintOrder order, Art* reference);
    /// Removes the art and everything inside it. Layer groups go with deleteLayer.
    HostErr disposeArt(Art& art);
    /// kHostErrRefused when art sits on a closed layer.
    HostErr checkEditable(const Art& art) const;

    /// Point text at anchor; area and path text take over path (a Path, unlinked from
    /// where it was) as their frame path.
    HostErr newText(TextKind kind, Orientation orientation, PaintOrder order, Art* reference,
                    HostRealPoint anchor, Art* path, Art** newText);

    // ---- paths --------------------------------------------------------------------------
    /// A compound path's style is its first member's (the default style when it has none).
    HostErr getPathStyle(const Art& art, PathStyle& style) const;
    /// Setting a compound path's style, or one member's, sets every member's.
    HostErr setPathStyle(Art& art, const PathStyle& style);

    // ---- symbols --------------------------------------------------------------------------
    Symbol* newSymbol(std::string name);
    /// kHostErrRefused while an instance uses it.
    HostErr deleteSymbol(Symbol& symbol);
    const std::vector<Symbol*>& symbols() const { return symbolOrder_; }
    HostErr newSymbolInstance(const Symbol& symbol, const HostRealMatrix& matrix, PaintOrder order,
                              Art* reference, Art** instance);

    // ---- attributes and selection ----------------------------------------------------------
    /// The bits of mask that are set; kAttrFullySelected is computed when asked for.
    std::uint32_t userAttributes(const Art& art, std::uint32_t mask = kAttrAll) const;
    /// Sets the bits of mask to those of value (see the class comment for selection).
    HostErr setUserAttributes(Art& art, std::uint32_t mask, std::uint32_t value);
    std::vector<Art*> selectedArt() const;
    /// The layer's group, then every art object inside it in pre-order (sublayers'
    /// art included).
    std::vector<Art*> layerArt(const Layer& layer) const;
    bool layerHasSelectedArt(const Layer& layer) const;
    void deselectLayer(const Layer& layer);
    void deselectAll();

    // ---- building (readers and tests): no editing rules, no paint orders ------------------
    /// New art, registered but not yet in the tree.
    Art* makeArt(ArtType type);
    /// New layer at the bottom (append) or top (prepend) of parent's sublayers (null: of
    /// the top level).
    Layer* appendLayer(Layer* parent, std::string title);
    Layer* prependLayer(Layer* parent, std::string title);
    /// Links child (not in the tree) as parent's last / first child.
    void appendChild(Art& parent, Art& child);
    void prependChild(Art& parent, Art& child);
    /// Makes path (not in the tree) the frame path of text, replacing any old one.
    void attachFramePath(Art& text, Art& path);
    /// Children of a symbol's art are built with appendChild/prependChild.

    // ---- document state ------------------------------------------------------------------------
    Page page;
    std::string filePath;
    HostRealPoint viewCentre{306.0, 396.0};
    bool textFocus = false;
    /// The file's content outside the art, written back on saving.
    KeptDocument kept;

private:
    struct Place {
        Art* parent = nullptr;
        Art* before = nullptr; // link before this child; null: at the end
    };

    Art* createArt(ArtType type);
    Layer* addLayer(Layer* parent, std::string title, bool front);
    Layer* createLayer(std::string title, const Place& place);
    HostErr resolvePlace(PaintOrder order, Art* reference, Place& place) const;
    HostErr checkPlace(const Place& place, ArtType type) const;
    HostErr checkFilingPlace(const Place& place, ArtType type, const Art* reference) const;
    void link(Art& child, const Place& place);
    void unlink(Art& child);
    void destroySubtree(Art& top);
    enum class Ids { New, Same };
    // Same ids: the copy answers to the source's handles and a layer group keeps its layer
    // (a whole-document copy); new ids: a duplicate, where a layer group becomes a group.
    Art* copySubtree(const Art& source, Ids ids = Ids::New);
    Art* copyArt(const Art& source, Ids ids);
    void setSelectedUp(Art& art);
    void clearSelectedDown(Art& art);
    void fixSelectionAbove(Art* parent);
    bool isInside(const Art& art, const Art& ancestor) const;
    void setMemberStyles(Art& art, const PathStyle& style);

    std::uint64_t id_;
    ArtTable arts_;
    std::unordered_map<std::uint64_t, std::unique_ptr<Layer>> layers_;
    std::unordered_map<std::uint64_t, std::unique_ptr<Symbol>> symbolMap_;
    std::vector<Symbol*> symbolOrder_;
    std::unique_ptr<Art> root_;       // parent of the top-level layers' groups
    std::unique_ptr<Art> symbolRoot_; // parent of the symbols' art
    Layer* current_ = nullptr;
    Layer* previousCurrent_ = nullptr; // current before current_; null once deleted
    // nextPreorderLayerOutside climbs to the first ancestor with a next sibling; in deep
    // nesting every layer would climb the same chain. What it found holds until the tree
    // changes shape.
    mutable std::unordered_map<const Layer*, Layer*> outsideCache_;
    mutable std::uint64_t outsideCacheShape_ = 0;
    std::uint64_t shape_ = 0; // counts links and unlinks
    // Counts changes of the layer tree and of layer flags; see closedAttributes.
    std::uint64_t layerStamp_ = 1;
    std::uint64_t revision_ = 0;
    mutable std::vector<const Layer*> closedClimb_;
};

} // namespace host
