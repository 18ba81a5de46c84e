#include "support/TextArt.h"

#include <gtest/gtest.h>

namespace cartotest {

namespace {

host::Art* AddText(host::Document& doc, host::Art& parent, host::TextKind kind,
                   host::Orientation orientation, HostRealPoint anchor, host::Art* frame) {
    host::Art* text = nullptr;
    EXPECT_EQ(doc.newText(kind, orientation, host::PaintOrder::InsideOnTop, &parent, anchor, frame,
                          &text),
              kHostNoErr);
    return text;
}

} // namespace

host::Art* AddPointText(host::Document& doc, host::Art& parent, HostRealPoint anchor,
                        host::Orientation orientation) {
    return AddText(doc, parent, host::TextKind::Point, orientation, anchor, nullptr);
}

host::Art* AddAreaText(host::Document& doc, host::Art& parent,
                       const std::vector<HostRealPoint>& corners) {
    host::Art* frame = doc.makeArt(host::ArtType::Path);
    for (HostRealPoint p : corners)
        frame->path()->segments.push_back({p, p, p, 1});
    frame->path()->closed = true;
    return AddText(doc, parent, host::TextKind::Area, host::Orientation::Horizontal, {0, 0}, frame);
}

} // namespace cartotest
