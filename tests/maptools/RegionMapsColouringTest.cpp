// Colouring maps drawn region by region, whose neighbours meet with hairline gaps, edge to
// edge or a hair over one another, checked against neighbours found independently.
#include "ColouringHarness.h"

#include <nlohmann/json.hpp>

#include <fstream>

namespace colouring {
namespace {

class RegionMapColouring : public ColouringTest,
                           public ::testing::WithParamInterface<const char*> {};

TEST_P(RegionMapColouring, NoNeighboursShareAFillAndNoneIsLeftUncoloured) {
    const std::string base = std::string(CARTOVEL_REGION_MAPS) + "/" + GetParam();
    OpenFile(base + ".svg");
    std::ifstream in(base + ".neighbours.json");
    const nlohmann::json truth = nlohmann::json::parse(in);
    ASSERT_EQ(Colour({host::Answer::Ok}), kHostNoErr);
    ASSERT_EQ(Messages().back(), "終了");

    int pairs = 0, sameFill = 0, uncoloured = 0;
    for (const auto& [id, list] : truth.at("neighbors").items()) {
        const int colour = PaletteIndex(Fill(id));
        if (!list.empty() && colour == -1) {
            ++uncoloured;
            ADD_FAILURE() << id << " has neighbours but no colour";
        }
        for (const auto& other : list) {
            const std::string n = other.get<std::string>();
            if (n < id) continue;
            ++pairs;
            if (colour != -1 && colour == PaletteIndex(Fill(n))) {
                ++sameFill;
                ADD_FAILURE() << id << " and " << n << " share a fill";
            }
        }
    }
    EXPECT_EQ(pairs, truth.at("pairs").get<int>());
    EXPECT_EQ(sameFill, 0) << "of " << pairs << " neighbouring pairs";
    EXPECT_EQ(uncoloured, 0);
}

INSTANTIATE_TEST_SUITE_P(Maps, RegionMapColouring,
                         ::testing::Values("brazil", "france.departments", "italy", "mexico",
                                           "spain", "world"),
                         [](const ::testing::TestParamInfo<const char*>& param) {
                             std::string name = param.param;
                             std::erase(name, '.');
                             return name;
                         });

} // namespace
} // namespace colouring
