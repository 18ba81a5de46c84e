#include "host/document/SharedPathStyle.h"

#include <gtest/gtest.h>

#include <cmath>

namespace host {
namespace {

TEST(SharedPathStyle, CopiesShareUntilOneEdits) {
    PathStyle red;
    red.fill = rgbColour(1, 0, 0);
    SharedPathStyle a = red;
    const SharedPathStyle b = a;
    EXPECT_TRUE(b.sharesWith(a));
    a.edit().strokeWidth = 3;
    EXPECT_FALSE(b.sharesWith(a));
    EXPECT_EQ(b->strokeWidth, 1.0);
    EXPECT_EQ(a->strokeWidth, 3.0);
    EXPECT_TRUE(sameColour(b->fill, red.fill));
    // An unedited default has no block and reads as the default paint.
    EXPECT_EQ(SharedPathStyle().get(), PathStyle{});
}

// Assigning paint that is already there keeps the sharing; paint that only compares
// equal (a colour's unused fields, -0 for 0) is kept as given, since the host interface
// hands those fields out.
TEST(SharedPathStyle, AssigningKeepsSharingOnlyForIdenticalPaint) {
    struct Case {
        const char* name;
        void (*change)(PathStyle&);
        bool shares;
    };
    const Case cases[] = {
        {"same paint", [](PathStyle&) {}, true},
        {"unused colour field", [](PathStyle& s) { s.fill.cyan = 0.5; }, false},
        {"negative zero", [](PathStyle& s) { s.dashOffset = -0.0; }, false},
        {"dash",
         [](PathStyle& s) {
             s.dash = {2, 1};
         },
         false},
        {"matrix", [](PathStyle& s) { s.fillPatternMatrix.tx = 1; }, false},
    };
    for (const Case& c : cases) {
        PathStyle paint;
        paint.fill = greyColour(0.5);
        SharedPathStyle first = paint;
        SharedPathStyle reader = first;
        PathStyle next = paint;
        c.change(next);
        reader = next;
        EXPECT_EQ(reader.sharesWith(first), c.shares) << c.name;
        EXPECT_EQ(reader->fill.cyan, next.fill.cyan) << c.name;
        EXPECT_EQ(std::signbit(reader->dashOffset), std::signbit(next.dashOffset)) << c.name;
        EXPECT_EQ(reader.get(), next) << c.name;
        EXPECT_EQ(first.get(), paint) << c.name;
    }
}

} // namespace
} // namespace host
