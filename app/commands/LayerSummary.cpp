#include "commands/LayerSummary.h"

#include "host/geometry/ArtBounds.h"

namespace cartovel {
namespace {

constexpr std::array<std::string_view, kArtKindCount> kNames = {
    "compound path", "foreign",       "group",  "legacy text", "mesh", "path",
    "placed",        "plug-in group", "raster", "symbol",      "text"};

std::size_t kindIndex(host::ArtType type) {
    switch (type) {
    case host::ArtType::CompoundPath:
        return 0;
    case host::ArtType::Foreign:
        return 1;
    case host::ArtType::Group:
        return 2;
    case host::ArtType::LegacyText:
        return 3;
    case host::ArtType::Mesh:
        return 4;
    case host::ArtType::Path:
        return 5;
    case host::ArtType::Placed:
        return 6;
    case host::ArtType::PluginGroup:
        return 7;
    case host::ArtType::Raster:
        return 8;
    case host::ArtType::SymbolInstance:
        return 9;
    case host::ArtType::TextFrame:
        return 10;
    }
    return 2;
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
