#include "Selection.h"

namespace desk {

bool isSelectable(const host::Document& doc, const host::Art& art) {
    for (const host::Art* a = &art; a != nullptr; a = a->parent())
        if (doc.userAttributes(*a, host::kAttrLocked | host::kAttrHidden) != 0) return false;
    return true;
}

bool selectArt(host::Document& doc, host::Art& art) {
    if (!isSelectable(doc, art)) return false;
    return doc.setUserAttributes(art, host::kAttrSelected | host::kAttrFullySelected,
                                 host::kAttrSelected | host::kAttrFullySelected) == kHostNoErr;
}

void deselectArt(host::Document& doc, host::Art& art) {
    doc.setUserAttributes(art, host::kAttrSelected, 0);
}

void replaceSelection(host::Document& doc, const std::vector<host::Art*>& art) {
    doc.deselectAll();
    for (host::Art* a : art)
        selectArt(doc, *a);
}

} // namespace desk
