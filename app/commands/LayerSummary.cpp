#include "commands/LayerSummary.h"

#include "host/geometry/ArtBounds.h"

#include <algorithm>

namespace cartovel {
namespace {

constexpr std::array<std::string_view, kArtKindCount> kNames = {
    "compound path", "foreign",       "group",  "legacy text", "mesh", "path",
    "placed",        "plug-in group", "raster", "symbol",      "text"};

// The types of the kinds, in the order of their names.
constexpr std::array<host::ArtType, kArtKindCount> kTypes = {
    host::ArtType::CompoundPath,   host::ArtType::Foreign,     host::ArtType::Group,
    host::ArtType::LegacyText,     host::ArtType::Mesh,        host::ArtType::Path,
    host::ArtType::Placed,         host::ArtType::PluginGroup, host::ArtType::Raster,
    host::ArtType::SymbolInstance, host::ArtType::TextFrame};

std::size_t kindIndex(host::ArtType type) {
    const auto it = std::find(kTypes.begin(), kTypes.end(), type);
    return it == kTypes.end() ? 2 : static_cast<std::size_t>(it - kTypes.begin()); // a group
}

// The layer's figures go into the one around it, whose walk goes on.
void mergeInto(LayerSummary& outer, const LayerSummary& inner) {
    outer.inside += inner.inside;
    for (std::size_t k = 0; k < kArtKindCount; ++k)
        outer.kinds[k] += inner.kinds[k];
    if (const auto r = inner.bounds.result()) outer.bounds.add(*r);
}

} // namespace

std::span<const std::string_view, kArtKindCount> artKindNames() {
    return kNames;
}

std::vector<LayerSummary> summariseLayers(const host::Document& doc) {
    std::vector<LayerSummary> out;
    std::vector<std::size_t> open; // the layers the walk is in, innermost last
    auto visit = [&](const host::Art& art) {
        if (const host::Layer* layer = art.ownedLayer()) {
            open.push_back(out.size());
            LayerSummary& s = out.emplace_back();
            s.layer = layer;
            s.depth = open.size() - 1;
            return;
        }
        LayerSummary& s = out[open.back()];
        if (art.parent() == s.layer->group()) ++s.items;
        ++s.inside;
        ++s.kinds[kindIndex(art.type())];
        if (!host::isContainerType(art.type()))
            if (const auto r = host::artBounds(doc, art)) s.bounds.add(*r);
    };
    auto leave = [&](const host::Art& art) {
        if (!art.ownedLayer()) return;
        const std::size_t closed = open.back();
        open.pop_back();
        if (!open.empty()) mergeInto(out[open.back()], out[closed]);
    };
    for (const host::Layer* top = doc.firstLayer(); top; top = doc.nextLayer(*top)) {
        const host::Art* const root = top->group();
        const host::Art* a = root;
        while (a) {
            visit(*a);
            if (const host::Art* child = a->firstChild()) {
                a = child;
                continue;
            }
            // a's subtree is done; so is every container it is the last of.
            for (;;) {
                leave(*a);
                if (a == root) {
                    a = nullptr;
                    break;
                }
                if (const host::Art* next = a->nextSibling()) {
                    a = next;
                    break;
                }
                a = a->parent();
            }
        }
    }
    return out;
}

} // namespace cartovel
