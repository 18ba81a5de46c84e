// The colouring and the map scaling of the bundled maps give what they gave when the
// golden files were recorded: the same fill on every item, the same coordinates to 1e-9.
// Run with CARTOVEL_UPDATE_GOLDEN=1 to record the present results instead.
#include "support/ColouringPalette.h"
#include "support/ModuleHostTest.h"

#include "host/svg/SvgFile.h"
#include "resources/CartovelResources.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using host::Answer;
using ws::ScriptedUser;

/// One line of a golden file: an item's name, then figures.
struct Line {
    std::string name;
    std::vector<double> figures;
};

std::filesystem::path GoldenFile(const std::string& name) {
    return std::filesystem::path(CARTOVEL_GOLDEN) / name;
}

bool Updating() {
    const char* update = std::getenv("CARTOVEL_UPDATE_GOLDEN");
    return update != nullptr && std::string(update) == "1";
}

std::vector<Line> ReadGolden(const std::string& name) {
    std::ifstream in(GoldenFile(name));
    std::vector<Line> lines;
    for (std::string text; std::getline(in, text);) {
        std::istringstream fields(text);
        Line line;
        fields >> line.name;
        for (double v; fields >> v;)
            line.figures.push_back(v);
        lines.push_back(std::move(line));
    }
    return lines;
}

void WriteGolden(const std::string& name, const std::vector<Line>& lines) {
    std::ofstream out(GoldenFile(name));
    char number[32];
    for (const Line& line : lines) {
        out << line.name;
        for (double v : line.figures) {
            std::snprintf(number, sizeof number, " %.17g", v);
            out << number;
        }
        out << '\n';
    }
}

/// Compares lines with the golden file, each figure within its own tolerance, and names
/// the first items that differ.
void ExpectGolden(const std::string& name, const std::vector<Line>& actual,
                  const std::vector<double>& tolerances) {
    if (Updating()) {
        WriteGolden(name, actual);
        return;
    }
    const std::vector<Line> golden = ReadGolden(name);
    ASSERT_EQ(actual.size(), golden.size()) << name << ": number of items";
    int reported = 0;
    for (std::size_t i = 0; i < golden.size() && reported < 10; ++i) {
        const Line& g = golden[i];
        const Line& a = actual[i];
        bool same = a.name == g.name && a.figures.size() == g.figures.size();
        for (std::size_t k = 0; same && k < g.figures.size(); ++k)
            same = std::abs(a.figures[k] - g.figures[k]) <=
                   tolerances[std::min(k, tolerances.size() - 1)];
        if (same) continue;
        ++reported;
        std::ostringstream was, now;
        was.precision(17);
        now.precision(17);
        for (double v : g.figures)
            was << ' ' << v;
        for (double v : a.figures)
            now << ' ' << v;
        ADD_FAILURE() << name << " line " << i + 1 << "\n  recorded: " << g.name << was.str()
                      << "\n  now:      " << a.name << now.str();
    }
}

std::string NameOf(const host::Art& art, std::size_t index) {
    return art.name.empty() ? "#" + std::to_string(index) : art.name;
}

class SampleMaps : public cartotest::ModuleHostTest,
                   public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        ModuleHostTest::SetUp();
        if (HasFatalFailure()) return;
        StartModule();
        const std::string file = std::string(CARTOVEL_EXAMPLES) + "/" + GetParam() + ".svg";
        host::SvgLoadResult loaded = host::loadSvgFile(file);
        ASSERT_TRUE(loaded.document) << loaded.message;
        OpenSession(std::move(loaded.document));
    }

    std::vector<host::Art*> AllArt() const {
        std::vector<host::Art*> all;
        for (host::Layer* layer : doc().allLayers())
            for (host::Art* art : doc().layerArt(*layer))
                all.push_back(art);
        return all;
    }
};

bool SameColour(const HostColor& a, const HostColor& b) {
    return a.kind == b.kind && a.gray == b.gray && a.cyan == b.cyan && a.magenta == b.magenta &&
           a.yellow == b.yellow && a.black == b.black && a.red == b.red && a.green == b.green &&
           a.blue == b.blue;
}

// Every path's fill after colouring: its palette index, or -1 for a fill the colouring
// left as it was.
TEST_P(SampleMaps, ColouringGivesEveryItemTheRecordedFill) {
    std::vector<HostColor> before;
    for (host::Art* art : AllArt()) {
        host::PathStyle style;
        before.push_back(doc().getPathStyle(*art, style) == kHostNoErr ? style.fill : HostColor{});
    }
    Answers({Answer::Ok, Answer::Cancel, Answer::Cancel});
    ASSERT_EQ(ChooseMenu(menu::kPolygonColouring.text), kHostNoErr);

    std::vector<Line> lines;
    const std::vector<host::Art*> all = AllArt();
    ASSERT_EQ(all.size(), before.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i]->type() != host::ArtType::Path) continue;
        host::PathStyle style;
        ASSERT_EQ(doc().getPathStyle(*all[i], style), kHostNoErr);
        const int index = cartotest::PaletteIndex(style.fill);
        if (index < 0) {
            EXPECT_TRUE(SameColour(style.fill, before[i])) << NameOf(*all[i], i);
        }
        lines.push_back({NameOf(*all[i], i), {static_cast<double>(index)}});
    }
    ExpectGolden(std::string(GetParam()) + ".colouring.txt", lines, {0.0});
}

// Every path's coordinates after scaling from 1:25,000 to 1:50,000 with strokes, summed
// per path (plainly and weighted by position, so that moved or swapped points show) beside
// its segment count and stroke width.
TEST_P(SampleMaps, ScalingGivesTheRecordedCoordinates) {
    Script({ScriptedUser::type(mapscaling::kTargetScale, "50000"),
            ScriptedUser::click(mapscaling::kScaleStrokeEffect), ScriptedUser::ok()});
    ASSERT_EQ(ChooseMenu(menu::kMapScaling.text), kHostNoErr);

    std::vector<Line> lines;
    const std::vector<host::Art*> all = AllArt();
    for (std::size_t i = 0; i < all.size(); ++i) {
        const host::PathData* path = all[i]->path();
        if (path == nullptr) continue;
        double sx = 0, sy = 0, wx = 0, wy = 0, k = 0;
        for (const HostPathSegment& s : path->segments) {
            for (const HostRealPoint& p : {s.p, s.in, s.out}) {
                const double weight = 1 + std::fmod(k++, 7.0);
                sx += p.h;
                sy += p.v;
                wx += weight * p.h;
                wy += weight * p.v;
            }
        }
        lines.push_back({NameOf(*all[i], i),
                         {static_cast<double>(path->segments.size()), path->style->strokeWidth, sx,
                          sy, wx, wy}});
    }
    // Each sum holds at most three points a segment, weighted by at most 7: within 1e-9 a
    // coordinate, a sum is within that many times 1e-9.
    std::size_t most = 0;
    for (const Line& line : lines)
        most = std::max(most, static_cast<std::size_t>(line.figures[0]));
    const double sum = 3e-9 * static_cast<double>(most);
    ExpectGolden(std::string(GetParam()) + ".scaling.txt", lines,
                 {0.0, 1e-9, sum, sum, 7 * sum, 7 * sum});
}

std::string MapName(const ::testing::TestParamInfo<const char*>& map) {
    std::string name = map.param;
    name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
    return name;
}

INSTANTIATE_TEST_SUITE_P(Bundled, SampleMaps, ::testing::Values("us-states", "us-counties"),
                         MapName);

} // namespace
