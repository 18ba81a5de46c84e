#include "common/LayerTree.h"

#include "common/HostText.h"
#include "frame/HostSuites.h"

namespace {

HostErr ReadTitle(LayerNode& node) {
    if (const HostErr err = NewText({}, node.title)) return err;
    return sLayer->GetLayerTitle(node.layer, node.title.get());
}

/** Adds the whole subtree under root's layer, depth first, with an explicit stack: each
 *  entry is a node whose children are being added and the next of them to add. */
HostErr AddSubtree(LayerNode& root) {
    struct Pending {
        LayerNode* node;
        HostLayerHandle next;
    };
    HostLayerHandle first = nullptr;
    if (const HostErr err = sLayer->GetFirstChild(root.layer, &first)) return err;
    std::vector<Pending> stack;
    if (first != nullptr) stack.push_back({&root, first});
    while (!stack.empty()) {
        Pending& top = stack.back();
        if (top.next == nullptr) {
            stack.pop_back();
            continue;
        }
        LayerNode* parent = top.node;
        const HostLayerHandle layer = top.next;
        if (const HostErr err = sLayer->GetNextLayer(layer, &top.next)) return err;
        // Adding to parent's children moves the earlier siblings, whose subtrees are
        // finished; only parent and its ancestors are still referenced by the stack.
        LayerNode& child = parent->children.emplace_back(parent->depth + 1, layer);
        if (const HostErr err = ReadTitle(child)) return err;
        HostLayerHandle grandchild = nullptr;
        if (const HostErr err = sLayer->GetFirstChild(layer, &grandchild)) return err;
        if (grandchild != nullptr) stack.push_back({&child, grandchild});
    }
    return kHostNoErr;
}

} // namespace

LayerNode::~LayerNode() {
    if (children.empty()) return;
    std::vector<LayerNode> pending = std::move(children);
    while (!pending.empty()) {
        LayerNode node = std::move(pending.back());
        pending.pop_back();
        for (LayerNode& child : node.children)
            pending.push_back(std::move(child));
        node.children.clear();
    }
}

HostErr BuildLayerTree(std::vector<LayerNode>& list) {
    list.clear();
    if (sLayer == nullptr) return kHostErrSuiteNotFound;
    HostLayerHandle layer = nullptr;
    if (const HostErr err = sLayer->GetFirstLayer(&layer)) return err;
    while (layer != nullptr) {
        LayerNode& node = list.emplace_back(0, layer);
        if (const HostErr err = ReadTitle(node)) return err;
        if (const HostErr err = AddSubtree(node)) return err;
        if (const HostErr err = sLayer->GetNextLayer(layer, &layer)) return err;
    }
    return kHostNoErr;
}
