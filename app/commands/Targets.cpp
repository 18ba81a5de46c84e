#include "commands/Targets.h"

namespace cartovel {
namespace {

// "Parent/Child": the titles from the top-level layer down.
std::string layerPath(const host::Document& doc, const host::Layer& layer) {
    std::string path = layer.title;
    for (const host::Layer* up = doc.parentLayer(layer); up; up = doc.parentLayer(*up))
        path = up->title + "/" + path;
    return path;
}

// The layers a --layer value names: by their path, or by their title alone.
std::vector<host::Layer*> findLayers(const host::Document& doc, std::string_view name) {
    std::vector<host::Layer*> found;
    for (host::Layer* layer : doc.allLayers())
        if (layer->title == name || layerPath(doc, *layer) == name) found.push_back(layer);
    return found;
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
        const std::vector<host::Layer*> layers = findLayers(doc, layerTitle);
        if (layers.empty()) {
            session.usageError("--layer: no layer is named \"" + layerTitle + "\"");
            return false;
        }
        if (layers.size() > 1) {
            std::string paths;
            for (const host::Layer* match : layers)
                paths += (paths.empty() ? "\"" : ", \"") + layerPath(doc, *match) + "\"";
            session.usageError("--layer: \"" + layerTitle + "\" names " +
                               std::to_string(layers.size()) + " layers (" + paths +
                               "); write the path from the top-level layer");
            return false;
        }
        host::Layer* layer = layers.front();
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
