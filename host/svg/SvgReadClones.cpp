// Reading clones: a <use> of an element drawn in place is read as a group holding a copy,
// and remembers where the copy sits relative to the original, so that the writer can
// write the <use> again while the copy is still the original moved.
#include "host/geometry/Matrix.h"
#include "host/svg/SvgReader.h"

namespace host::svg {

void SvgReader::findCloneOriginals(const std::vector<pugi::xml_node>& uses) {
    for (pugi::xml_node use : uses) {
        const pugi::xml_node ref = referenced(use);
        if (ref && localName(ref) != "symbol") cloneOriginals_.try_emplace(ref.internal_object());
    }
}

void SvgReader::noteCloneOriginal(pugi::xml_node node, const HostRealMatrix& parentCtm) {
    auto it = cloneOriginals_.find(node.internal_object());
    if (it != cloneOriginals_.end() && !it->second.art) it->second.parentCtm = parentCtm;
}

void SvgReader::noteCloneOriginal(pugi::xml_node node, Art& art) {
    auto it = cloneOriginals_.find(node.internal_object());
    if (it != cloneOriginals_.end() && !it->second.art) it->second.art = &art;
}

void SvgReader::keepClone(pugi::xml_node use, pugi::xml_node ref, Art& group,
                          const HostRealMatrix& ctm, const HostRealMatrix& parentCtm) {
    HostRealMatrix inverse = parentCtm;
    if (!invert(inverse)) return;
    KeptClone c;
    c.placement = ctm; // the copy's user space for now; linkClones relates it to the original's
    c.local = concat(ctm, inverse);
    c.x = use.attribute("x").value();
    c.y = use.attribute("y").value();
    c.transform = use.attribute("transform").value();
    keptOf(group).clone = std::move(c);
    clones_.emplace_back(&group, ref.internal_object());
}

void SvgReader::linkClones() {
    for (auto [group, ref] : clones_) {
        std::optional<KeptClone>& clone = group->kept->clone;
        const auto it = cloneOriginals_.find(ref);
        const Art* original = it == cloneOriginals_.end() ? nullptr : it->second.art;
        // Only art the writer writes from the model: in a layer's tree, not a layer itself.
        const Art* top = original;
        while (top && top->parent())
            top = top->parent();
        HostRealMatrix inverse = original ? it->second.parentCtm : HostRealMatrix{};
        if (!original || original->name.empty() || original->isLayerGroup() || !top ||
            !top->isLayerGroup() || !invert(inverse)) {
            clone.reset();
            continue;
        }
        clone->original = original->name;
        clone->placement = concat(inverse, clone->placement);
    }
}

} // namespace host::svg
