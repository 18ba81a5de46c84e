#include "host/core/MenuEnabling.h"

namespace host {

std::uint32_t MenuFacts::artKinds() {
    if (!haveKinds_) {
        kinds_ = document_->artKinds();
        haveKinds_ = true;
    }
    return kinds_;
}

std::uint32_t MenuFacts::selectedArtKinds() {
    if (!haveSelected_) {
        selected_ = document_->selectedArtKinds();
        haveSelected_ = true;
    }
    return selected_;
}

std::uint32_t MenuFacts::properties() {
    if (!haveProperties_) {
        properties_ = document_->properties() | kMenuPropDocumentOpen;
        haveProperties_ = true;
    }
    return properties_;
}

bool menuCriteriaHold(const MenuCriteria& c, const DocumentState* document) {
    MenuFacts facts(document);
    return menuCriteriaHold(c, facts);
}

bool menuCriteriaHold(const MenuCriteria& c, MenuFacts& facts) {
    if (facts.document() == nullptr) {
        const bool needsDocument = c.ifArtInDocument != 0 || c.ifNotArtInDocument != 0 ||
                                   c.ifSelectedArt != 0 || c.ifNotSelectedArt != 0 ||
                                   c.ifIsTrue != 0;
        return !needsDocument;
    }
    if ((c.ifArtInDocument | c.ifNotArtInDocument) != 0) {
        const std::uint32_t kinds = facts.artKinds();
        if (c.ifArtInDocument != 0 && (kinds & c.ifArtInDocument) == 0) return false;
        if ((kinds & c.ifNotArtInDocument) != 0) return false;
    }
    if ((c.ifSelectedArt | c.ifNotSelectedArt) != 0) {
        const std::uint32_t selected = facts.selectedArtKinds();
        if (c.ifSelectedArt != 0 && (selected & c.ifSelectedArt) == 0) return false;
        if ((selected & c.ifNotSelectedArt) != 0) return false;
    }
    if ((c.ifIsTrue | c.ifNotTrue) != 0) {
        const std::uint32_t properties = facts.properties();
        if ((properties & c.ifIsTrue) != c.ifIsTrue) return false;
        if ((properties & c.ifNotTrue) != 0) return false;
    }
    return true;
}

} // namespace host
