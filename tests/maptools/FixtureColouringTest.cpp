// Colouring real maps, checked against their true adjacency.
#include "ColouringHarness.h"

#include <nlohmann/json.hpp>

#include <fstream>
#include <set>

namespace colouring {
namespace {

using host::Answer;

struct Truth {
    std::map<std::string, std::vector<std::string>> neighbours;
    std::set<std::string> degenerate;
};

Truth ReadTruth(const std::string& path) {
    std::ifstream in(path);
    const nlohmann::json json = nlohmann::json::parse(in);
    Truth truth;
    for (const auto& [id, list] : json.at("neighbors").items())
        truth.neighbours[id] = list.get<std::vector<std::string>>();
    if (json.contains("degenerate"))
        for (const auto& id : json.at("degenerate"))
            truth.degenerate.insert(id.get<std::string>());
    return truth;
}

// Neighbours whose only shared stretch of boundary lies on a ring without area (a
// two-point ring): such a ring encloses nothing, so the unite has no outline to merge.
const std::set<std::pair<std::string, std::string>> kZeroAreaRingContacts = {
    {"c02198", "c02220"},
    {"c06001", "c06075"},
};

bool Excused(const Truth& truth, const std::string& a, const std::string& b) {
    return truth.degenerate.count(a) != 0 || truth.degenerate.count(b) != 0 ||
           kZeroAreaRingContacts.count({std::min(a, b), std::max(a, b)}) != 0;
}

struct FixtureCase {
    const char* map;
    std::vector<Answer> answers;
};

class FixtureColouring : public ColouringTest, public ::testing::WithParamInterface<FixtureCase> {};

TEST_P(FixtureColouring, NoTwoNeighboursShareAFillAndLoneItemsKeepTheirs) {
    const FixtureCase& c = GetParam();
    const std::string base = std::string(CARTOVEL_EXAMPLES) + "/" + c.map;
    OpenFile(base + ".svg");
    const Truth truth = ReadTruth(base + ".truth.json");
    ASSERT_EQ(Colour(c.answers), kHostNoErr);
    ASSERT_EQ(Messages().back(), "終了");

    size_t checked = 0;
    for (const auto& [id, neighbours] : truth.neighbours) {
        const int colour = PaletteIndex(Fill(id));
        if (neighbours.empty() ||
            std::all_of(neighbours.begin(), neighbours.end(),
                        [&](const std::string& n) { return n == id || Excused(truth, id, n); })) {
            if (neighbours.empty()) {
                EXPECT_EQ(colour, -1) << id << " has no neighbour";
            }
            continue;
        }
        for (const std::string& n : neighbours) {
            if (n == id || Excused(truth, id, n)) continue;
            EXPECT_NE(colour, -1) << id;
            EXPECT_NE(colour, PaletteIndex(Fill(n))) << id << " and " << n;
            ++checked;
        }
    }
    EXPECT_GT(checked, truth.neighbours.size());
}

INSTANTIATE_TEST_SUITE_P(
    Maps, FixtureColouring,
    ::testing::Values(FixtureCase{"us-states", {Answer::Ok}},
                      // Over a thousand counties: go on at both node-limit questions.
                      FixtureCase{"us-counties", {Answer::Ok, Answer::Cancel, Answer::Cancel}}),
    [](const ::testing::TestParamInfo<FixtureCase>& param) {
        return std::string(param.param.map) == "us-states" ? std::string("States")
                                                           : std::string("Counties");
    });

} // namespace
} // namespace colouring
