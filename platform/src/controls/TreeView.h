// The tree view's items and their layout, shared with the agents that describe it.
#pragma once

#include "Window.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace ws {

struct TreeNode {
    std::uint64_t id = 0;
    std::uint64_t parent = 0; // 0: a top-level item
    std::vector<std::uint64_t> children;
    std::string text;
    int image = 0;
    int selectedImage = 0;
    WsLParam param = 0;
    bool expanded = false;
};

struct TreeData {
    std::map<std::uint64_t, TreeNode> nodes;
    std::vector<std::uint64_t> roots;
    WsImageList imageList = nullptr;
    std::uint64_t selected = 0;
    std::uint64_t nextId = 1;
    int topRow = 0;  // the row shown at the top
    int scrollX = 0; // pixels scrolled to the right
};

/** One row of the tree as drawn: an item whose parents are all expanded. */
struct TreeRow {
    std::uint64_t id = 0;
    int level = 0;
    WsRect row{};    // the whole row
    WsRect button{}; // empty when the item has no expand button
    WsRect icon{};   // empty without an image list
    WsRect label{};
};

/** The rows from top to bottom, laid out for the window's size, font, image list and
 *  scroll position: rows scrolled away lie outside the client area. */
std::vector<TreeRow> treeRows(const Window& w);
/** The items in pre-order with their levels, shown or not. */
std::vector<std::pair<std::uint64_t, int>> treeItems(const TreeData& tree);

inline WsTreeItem treeHandle(std::uint64_t id) {
    return reinterpret_cast<WsTreeItem>(static_cast<std::uintptr_t>(id));
}
inline std::uint64_t treeId(WsTreeItem item) {
    return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(item));
}

} // namespace ws
