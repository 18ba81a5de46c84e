// Art looked up by handle while art comes and goes in large numbers, as a plug-in's pair
// tests make it: live art is always found, disposed art never is.
#include "DocumentTestSupport.h"

#include <algorithm>
#include <random>
#include <vector>

using namespace host;

namespace {

TEST(ArtLookup, FindsLiveArtAndNoDisposedArtThroughGrowthAndChurn) {
    Document doc;
    Layer* layer = doc.appendLayer(nullptr, "L");
    std::mt19937 random(7);
    std::vector<HostArtHandle> live, gone;
    const auto check = [&] {
        for (HostArtHandle h : live)
            ASSERT_NE(doc.art(h), nullptr);
        for (HostArtHandle h : gone)
            ASSERT_EQ(doc.art(h), nullptr);
    };
    // Rounds of making many and dropping a random half, so that runs of occupied slots
    // are broken up at every position while the table also grows.
    for (int round = 0; round < 6; ++round) {
        for (int i = 0; i < 3000; ++i)
            live.push_back(doctest::addRect(doc, *layer->group(), i, round, 1, 1)->handle());
        std::shuffle(live.begin(), live.end(), random);
        for (std::size_t i = 0; i < live.size() / 2; ++i) {
            ASSERT_EQ(doc.disposeArt(*doc.art(live.back())), kHostNoErr);
            gone.push_back(live.back());
            live.pop_back();
        }
        check();
    }
    EXPECT_EQ(doc.artCount(), live.size() + 1); // and the layer's group
    // Emptied completely, it still answers and takes new art.
    for (HostArtHandle h : live)
        ASSERT_EQ(doc.disposeArt(*doc.art(h)), kHostNoErr);
    gone.insert(gone.end(), live.begin(), live.end());
    live = {doctest::addRect(doc, *layer->group(), 0, 0, 1, 1)->handle()};
    check();
    EXPECT_EQ(doc.art(nullptr), nullptr);
}

} // namespace
