// Automatic enabling of menu items: the criteria a module hands over with
// "AI Menu Suite"/UpdateMenuItemAutomatically, and their evaluation against the state of
// the current document at every menu update.
#pragma once

#include <cstdint>

namespace host {

/// Kinds of art, for the four art criteria (in the document, not in it, selected, not
/// selected). A criterion names a set of kinds; see menuCriteriaHold for how it is read.
enum MenuArtKind : std::uint32_t {
    kMenuArtGroup = 0x1,
    kMenuArtPath = 0x2,
    kMenuArtCompoundPath = 0x4,
    kMenuArtPlaced = 0x8,
    kMenuArtText = 0x10,
    kMenuArtPluginGroup = 0x20,
    kMenuArtMesh = 0x40,
    kMenuArtSymbol = 0x80,
    kMenuArtForeign = 0x100,
    kMenuArtLegacyText = 0x200,
    kMenuArtGuide = 0x400,
    kMenuArtClipGroup = 0x800,
    kMenuArtRaster = 0x100000,
    kMenuArtAllKinds = 0x100FFF,
};

/// Properties of the document, for the two property criteria (true, not true).
enum MenuProperty : std::uint32_t {
    kMenuPropModified = 0x1,      // changed since it was opened or saved
    kMenuPropLayerEditable = 0x2, // the current layer and those around it: shown, unlocked
    kMenuPropHasSelection = 0x4,  // some art is selected
    kMenuPropManySelected = 0x8,  // more than one object is selected
    kMenuPropHasHiddenArt = 0x10, // some art or layer is hidden
    kMenuPropHasLockedArt = 0x20, // some art or layer is locked
    kMenuPropDocumentOpen = 0x40, // a document is open (the host sets it itself)
    kMenuPropAll = 0x7F,
};

/// Actions of automatic enabling.
enum MenuAutoAction : std::int32_t {
    kMenuAutoEnable = 1, // enable the item when the criteria hold, disable it otherwise
};

/// What the menu enabling needs to know about the current document. The document code
/// implements it; the host asks it at every menu update.
class DocumentSession;

class DocumentState {
public:
    virtual ~DocumentState() = default;
    /// The open document behind this state, when it is one: every suite call asks, and a
    /// virtual call costs less than comparing types.
    [[nodiscard]] virtual DocumentSession* session() const { return nullptr; }
    /// MenuArtKind bits of every kind of art anywhere in the document.
    [[nodiscard]] virtual std::uint32_t artKinds() const = 0;
    /// MenuArtKind bits of the kinds of the selected art.
    [[nodiscard]] virtual std::uint32_t selectedArtKinds() const = 0;
    /// MenuProperty bits that are true (kMenuPropDocumentOpen may be left out).
    [[nodiscard]] virtual std::uint32_t properties() const = 0;
};

/// A fixed state, for tests and for hosts that know the facts up front.
class FixedDocumentState final : public DocumentState {
public:
    FixedDocumentState(std::uint32_t kinds, std::uint32_t selected, std::uint32_t properties)
        : kinds_(kinds), selected_(selected), properties_(properties) {}
    [[nodiscard]] std::uint32_t artKinds() const override { return kinds_; }
    [[nodiscard]] std::uint32_t selectedArtKinds() const override { return selected_; }
    [[nodiscard]] std::uint32_t properties() const override { return properties_; }

private:
    std::uint32_t kinds_, selected_, properties_;
};

/// The criteria of one item, in the order the suite takes them.
struct MenuCriteria {
    std::uint32_t ifArtInDocument = 0;
    std::uint32_t ifNotArtInDocument = 0;
    std::uint32_t ifSelectedArt = 0;
    std::uint32_t ifNotSelectedArt = 0;
    std::uint32_t ifIsTrue = 0;
    std::uint32_t ifNotTrue = 0;
};

/// The facts of one document for one menu update, each asked of the document once and only
/// when a criterion needs it: finding the kinds of art walks the whole document.
class MenuFacts {
public:
    explicit MenuFacts(const DocumentState* document) : document_(document) {}
    [[nodiscard]] const DocumentState* document() const { return document_; }
    [[nodiscard]] std::uint32_t artKinds();
    [[nodiscard]] std::uint32_t selectedArtKinds();
    [[nodiscard]] std::uint32_t properties();

private:
    const DocumentState* document_;
    std::uint32_t kinds_ = 0, selected_ = 0, properties_ = 0;
    bool haveKinds_ = false, haveSelected_ = false, haveProperties_ = false;
};

/// True when every non-zero criterion holds:
///   in the document / selected: at least one of the named kinds is there;
///   not in the document / not selected: none of the named kinds is there;
///   true: every named property is true; not true: none of them is.
/// Without a document (null) an item with any criterion other than "not true" is disabled,
/// and "not true" is read with every property false.
bool menuCriteriaHold(const MenuCriteria& criteria, const DocumentState* document);
/// The same against facts shared by every item of one update.
bool menuCriteriaHold(const MenuCriteria& criteria, MenuFacts& facts);

} // namespace host
