// A snapshot of the document's layer tree, read through "AI Layer Suite". Valid only
// until the document's layers change.
#pragma once

#include "hostapi/HostTypes.h"
#include "hostapi/wrappers/UnicodeString.h"

#include <cstdint>
#include <vector>

/** One layer of the snapshot; owns its sublayers. */
struct LayerNode {
    LayerNode() = default;
    LayerNode(int32_t depth_, HostLayerHandle layer_) : depth(depth_), layer(layer_) {}
    LayerNode(LayerNode&&) noexcept = default;
    LayerNode& operator=(LayerNode&&) noexcept = default;
    /** Frees the subtree without recursion, so a deep tree cannot exhaust the stack. */
    ~LayerNode();

    /** 0 for a top-level layer, the parent's depth + 1 below it. */
    int32_t depth = 0;
    HostLayerHandle layer = nullptr;
    /** The layer's name when the snapshot was taken. */
    ai::UnicodeString title;
    /** The direct sublayers, first to last. */
    std::vector<LayerNode> children;
};

/** Empties list and fills it with the top-level layers and, under each, its subtree, in
 *  the host's order; a pre-order reading gives every layer once. The first non-zero host
 *  code ends the build and is returned; the list then holds what was read so far. */
HostErr BuildLayerTree(std::vector<LayerNode>& list);

/** What a walk over the snapshot does after a node. */
enum class NodeStep { Descend, PassOver, Stop };

/** Visits every node of list and its subtrees in pre-order, without recursion, so any
 *  depth of nesting is safe. visit(node, parent, children) is given the value its parent
 *  node set for its children (root for the top level) and sets the one its own children
 *  get. False when a visit stopped the walk. */
template <class Parent, class Visit>
bool WalkLayerNodes(const std::vector<LayerNode>& list, Parent root, Visit&& visit) {
    struct Level {
        Parent parent;
        const std::vector<LayerNode>* nodes;
        size_t next;
    };
    std::vector<Level> stack{{root, &list, 0}};
    while (!stack.empty()) {
        Level& level = stack.back();
        if (level.next == level.nodes->size()) {
            stack.pop_back();
            continue;
        }
        const LayerNode& node = (*level.nodes)[level.next++];
        Parent children = level.parent;
        const NodeStep step = visit(node, level.parent, children);
        if (step == NodeStep::Stop) return false;
        if (step == NodeStep::Descend && !node.children.empty())
            stack.push_back({children, &node.children, 0});
    }
    return true;
}
