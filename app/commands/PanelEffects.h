// What a click on a panel changed: the selected objects it moved into another container
// and the selected texts whose orientation, justification or place it changed.
#pragma once

#include "host/document/Document.h"

#include <cstddef>
#include <vector>

namespace cartovel {

class SelectionRecord {
public:
    /// The selection as it stands now.
    explicit SelectionRecord(const host::Document& doc);

    /// Selected text frames.
    [[nodiscard]] std::size_t texts() const;

    struct Changes {
        std::size_t moved = 0;
        std::size_t textsChanged = 0;
        [[nodiscard]] bool any() const { return moved > 0 || textsChanged > 0; }
    };
    /// What became of the recorded objects since (the panels delete none of them).
    [[nodiscard]] Changes changes() const;

private:
    struct Entry {
        const host::Art* art;
        const host::Art* parent;
        bool text;
        host::Orientation orientation;
        std::int32_t justification;
        HostRealMatrix matrix;
    };
    std::vector<Entry> entries_;
};

} // namespace cartovel
