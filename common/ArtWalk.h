// Depth-first walks over art without recursion, so that art nested or chained to any
// depth never exhausts the call stack.
#pragma once

#include "frame/HostSuites.h"

#include <cstddef>
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
    // The first levels live here, so that the walks of a few objects each pair test makes
    // allocate nothing; deeper levels go to the heap.
    constexpr size_t kLocal = 8;
    Frame local[kLocal];
    std::vector<Frame> deeper;
    size_t depth = 0;
    const auto at = [&](size_t level) -> Frame& {
        return level < kLocal ? local[level] : deeper[level - kLocal];
    };
    const auto push = [&](const Frame& frame) {
        if (depth < kLocal) {
            local[depth] = frame;
        } else {
            deeper.push_back(frame);
        }
        ++depth;
    };
    const auto pop = [&] {
        if (--depth >= kLocal) deeper.pop_back();
    };
    push({art, withSiblings, false, nullptr});
    while (depth > 0) {
        Frame& top = at(depth - 1);
        if (!top.entered) {
            top.entered = true;
            HostArtHandle child = nullptr;
            if (HostErr err = visit(top.art, child); err != kHostNoErr) return err;
            if (child != nullptr) push({child, true, false, nullptr});
            continue;
        }
        if (!top.withSiblings) {
            pop();
            continue;
        }
        HostArtHandle next = nullptr;
        if (HostErr err = sArt->GetArtSibling(top.cursor ? top.cursor : top.art, &next);
            err != kHostNoErr)
            return err;
        if (next == nullptr) {
            pop();
            continue;
        }
        top.cursor = next;
        push({next, false, false, nullptr});
    }
    return kHostNoErr;
}

/** The type of art and whether it is locked or hidden, which the walks that change art
 *  pass over. */
inline HostErr ReadTypeAndLock(HostArtHandle art, int16_t& type, bool& lockedOrHidden) {
    if (HostErr err = sArt->GetArtType(art, &type); err != kHostNoErr) return err;
    int32_t attributes = 0;
    if (HostErr err = sArt->GetArtUserAttr(art, kHostArtLocked | kHostArtHidden, &attributes);
        err != kHostNoErr)
        return err;
    lockedOrHidden = (attributes & (kHostArtLocked | kHostArtHidden)) != 0;
    return kHostNoErr;
}
