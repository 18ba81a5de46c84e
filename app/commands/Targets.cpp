#include "commands/Targets.h"

namespace cartovel {
namespace {

host::Layer* findLayer(const host::Document& doc, std::string_view title) {
    for (host::Layer* layer : doc.allLayers())
        if (layer->title == title) return layer;
    return nullptr;
}

host::Art* findArt(const host::Document& doc, std::string_view id) {
    for (std::int32_t i = 0; i < doc.layerCount(); ++i)
        for (host::Art* art : doc.layerArt(*doc.layerAt(i)))
            if (art->name == id) return art;
    return nullptr;
}

// Why the art cannot be selected: it, a group around it or its layer is locked.
std::string lockedReason(const host::Document& doc, const host::Art& art) {
    for (const host::Art* a = &art; a != nullptr; a = a->parent()) {
        if (doc.userAttributes(*a, host::kAttrLocked) == 0) continue;
        if (a == &art) return "it is locked";
        if (a->isLayerGroup())
            return "it is on the locked layer \"" + a->ownedLayer()->title + "\"";
        return "the group \"" + a->name + "\" around it is locked";
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

bool applyTargets(Session& session, host::Document& doc, const std::string& layerTitle,
                  const std::vector<std::string>& select) {
    if (!layerTitle.empty()) {
        host::Layer* layer = findLayer(doc, layerTitle);
        if (layer == nullptr) {
            session.usageError("--layer: no layer is named \"" + layerTitle + "\"");
            return false;
        }
        if (const HostErr err = doc.setCurrentLayer(*layer)) {
            session.fail(err, "cannot make \"" + layerTitle + "\" the current layer");
            return false;
        }
    }
    for (const std::string& id : select) {
        host::Art* art = findArt(doc, id);
        if (art == nullptr) {
            session.usageError("--select: no art has the id \"" + id + "\"");
            return false;
        }
        if (const std::string reason = lockedReason(doc, *art); !reason.empty()) {
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
