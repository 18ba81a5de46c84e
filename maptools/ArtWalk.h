// Depth-first walks over art without recursion, so that art nested or chained to any
// depth never exhausts the call stack.
#pragma once

#include "frame/HostSuites.h"

#include <vector>

/**
 * Visits art and everything under it, in the order of the recursive walk
 *   walk(art, withSiblings): visit(art); walk(its first child, true);
 *                            if withSiblings: walk(each following sibling, false)
 * reading each next sibling only after the previous sibling's subtree is done.
 * visit(art, child) does the work for one object and sets child to the first child to
 * descend into (null for none). A non-zero code from visit or from reading a sibling ends
 * the walk and is returned.
 */
template <typename Visit> HostErr WalkArtTree(HostArtHandle art, bool withSiblings, Visit&& visit) {
    struct Frame {
        HostArtHandle art;
        bool withSiblings;
        bool entered;
        HostArtHandle cursor;
    };
    std::vector<Frame> stack;
    stack.push_back({art, withSiblings, false, nullptr});
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (!top.entered) {
            top.entered = true;
            HostArtHandle child = nullptr;
            if (HostErr err = visit(top.art, child); err != kHostNoErr) return err;
            if (child != nullptr) stack.push_back({child, true, false, nullptr});
            continue;
        }
        if (!top.withSiblings) {
            stack.pop_back();
            continue;
        }
        HostArtHandle next = nullptr;
        if (HostErr err = sArt->GetArtSibling(top.cursor ? top.cursor : top.art, &next);
            err != kHostNoErr)
            return err;
        if (next == nullptr) {
            stack.pop_back();
            continue;
        }
        top.cursor = next;
        stack.push_back({next, false, false, nullptr});
    }
    return kHostNoErr;
}
