#include "commands/Targets.h"

#include "commands/LayerPath.h"

namespace cartovel {
namespace {

host::Art* findArt(const host::Document& doc, std::string_view id) {
    for (std::int32_t i = 0; i < doc.layerCount(); ++i)
        for (host::Art* art : doc.layerArt(*doc.layerAt(i)))
            if (art->name == id) return art;
    return nullptr;
}

std::string closedWord(std::uint32_t bits) {
    if (bits == (host::kAttrHidden | host::kAttrLocked)) return "hidden and locked";
    return bits == host::kAttrHidden ? "hidden" : "locked";
}

// Why the art cannot be selected: it, a group around it, its layer or a layer around that
// is hidden or locked.
std::string closedReason(const host::Document& doc, const host::Art& art) {
    const std::uint32_t closed = host::kAttrHidden | host::kAttrLocked;
    const host::Layer* own = doc.layerOfArt(art);
    for (const host::Art* a = &art; a != nullptr; a = a->parent()) {
        const std::uint32_t bits = doc.userAttributes(*a, closed);
        if (bits == 0) continue;
        const std::string word = closedWord(bits);
        if (a == &art) return "it is " + word;
        if (!a->isLayerGroup()) return "the group \"" + a->name + "\" around it is " + word;
        const std::string layer = "the " + word + " layer \"" + a->ownedLayer()->title + "\"";
        if (own == nullptr || a->ownedLayer() == own) return "it is on " + layer;
        return "its layer \"" + own->title + "\" is inside " + layer;
    }
    return {};
}

HostErr selectWithMembers(host::Document& doc, host::Art& art) {
    for (host::Art* a = &art; a != nullptr;) {
        if (a != &art && doc.userAttributes(*a, host::kAttrLocked | host::kAttrHidden) != 0) {
            a = host::nextOutside(a, &art);
            continue;
        }
        if (const HostErr err = doc.setUserAttributes(*a, host::kAttrSelected, host::kAttrSelected))
            return err;
        a = host::nextInPreorder(a, &art);
    }
    return kHostNoErr;
}

} // namespace

bool applyTargets(Session& session, host::Document& doc, const std::string& layerPath,
                  const std::vector<std::string>& select) {
    if (!layerPath.empty()) {
        const LayerLookup found = findLayerByPath(doc, layerPath);
        if (found.layer == nullptr) {
            session.usageError("--layer: " + found.error);
            return false;
        }
        host::Layer* layer = found.layer;
        if (const HostErr err = doc.setCurrentLayer(*layer)) {
            session.fail(err, "cannot make \"" + layerPath + "\" the current layer");
            return false;
        }
    }
    // The named art is the whole selection, whatever the document held before.
    if (!select.empty()) doc.deselectAll();
    for (const std::string& id : select) {
        host::Art* art = findArt(doc, id);
        if (art == nullptr) {
            session.usageError("--select: no art has the id \"" + id + "\"");
            return false;
        }
        if (const std::string reason = closedReason(doc, *art); !reason.empty()) {
            session.usageError("--select: \"" + id + "\" cannot be selected: " + reason);
            return false;
        }
        if (const HostErr err = selectWithMembers(doc, *art)) {
            session.fail(err, "cannot select \"" + id + "\"");
            return false;
        }
    }
    return true;
}

} // namespace cartovel
