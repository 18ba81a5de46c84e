#include "host/core/MenuEnabling.h"

namespace host {

bool menuCriteriaHold(const MenuCriteria& c, const DocumentState* document) {
    if (document == nullptr) {
        const bool needsDocument = c.ifArtInDocument != 0 || c.ifNotArtInDocument != 0 ||
                                   c.ifSelectedArt != 0 || c.ifNotSelectedArt != 0 ||
                                   c.ifIsTrue != 0;
        return !needsDocument;
    }
    const std::uint32_t kinds = document->artKinds();
    const std::uint32_t selected = document->selectedArtKinds();
    const std::uint32_t properties = document->properties() | kMenuPropDocumentOpen;
    if (c.ifArtInDocument != 0 && (kinds & c.ifArtInDocument) == 0) return false;
    if ((kinds & c.ifNotArtInDocument) != 0) return false;
    if (c.ifSelectedArt != 0 && (selected & c.ifSelectedArt) == 0) return false;
    if ((selected & c.ifNotSelectedArt) != 0) return false;
    if ((properties & c.ifIsTrue) != c.ifIsTrue) return false;
    if ((properties & c.ifNotTrue) != 0) return false;
    return true;
}

} // namespace host
