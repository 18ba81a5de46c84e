// Clones (<use> of an element drawn in place) are read as copies and written back as the
// <use> while neither the copy nor the original has changed on its own; the file always
// draws what the model holds.
#include "SvgRenderSupport.h"
#include "SvgTestSupport.h"

#include "TransformAll.h"
#include "host/geometry/Matrix.h"
#include "host/geometry/TransformArt.h"
#include "support/TextMatches.h"

#include <functional>
#include <regex>
#include <set>

using namespace host;
using namespace svgtest;

namespace {

std::string save(const Document& doc) {
    std::string text, message;
    EXPECT_EQ(writeSvgText(doc, text, message), kHostNoErr) << message;
    return text;
}

std::set<std::string> useIds(const std::string& svg) {
    return cartotest::matchSet(svg, std::regex(R"re(<use id="([^"]*)")re"));
}

// The same document with every clone written as its copy.
std::string asCopies(Document& doc) {
    for (Layer* l : doc.allLayers())
        for (Art* a = l->group(); a; a = nextInPreorder(a, l->group()))
            if (a->kept) a->kept->clone.reset();
    return save(doc);
}

double drawnDifference(const std::string& a, const std::string& b) {
    TempDir dir;
    writeFile(dir / "a.svg", a);
    writeFile(dir / "b.svg", b);
    Image ia, ib;
    if (!render(dir / "a.svg", dir / "a.png") || !render(dir / "b.svg", dir / "b.png") ||
        !readPng(dir / "a.png", ia) || !readPng(dir / "b.png", ib))
        return 1.0;
    return differingShare(ia, ib);
}

void move(Document& doc, const char* name, double dx, double dy) {
    Art* art = findArt(doc, name);
    ASSERT_TRUE(art) << name;
    ASSERT_EQ(transformArt(doc, *art, translationMatrix(dx, dy), 1, kTransformObjects), kHostNoErr);
}

// grove clones tree, far clones grove, lone clones crown from another layer; reddot's own
// fill shows through where the original has none, so its copy is not the original.
TEST(SvgClones, AUseStaysAUseUntilTheCopyOrTheOriginalChangesOnItsOwn) {
    const std::string file = readFile(dataPath("keep/clones.svg"));
    const std::vector<std::pair<const char*, std::function<void(Document&)>>> cases = {
        {"nothing", [](Document&) {}},
        {"original moved", [](Document& d) { move(d, "tree", 3, 0); }},
        {"copy recoloured",
         [](Document& d) {
             Art* crown = findArt(d, "grove")->firstChild()->lastChild();
             PathStyle s = crown->path()->style;
             s.fill = rgbColour(1, 0, 0);
             ASSERT_EQ(d.setPathStyle(*crown, s), kHostNoErr);
         }},
        {"layer moved", [](Document& d) { move(d, "land", 5, -3); }},
        {"original deleted", [](Document& d) { ASSERT_EQ(d.disposeArt(*findArt(d, "tree")), 0); }},
        {"scaled",
         [](Document& d) {
             ASSERT_EQ(
                 benchmap::transformAll(d, benchmap::scaleAboutPageCentre(d.page, 0.6), 0.6, false),
                 kHostNoErr);
         }},
    };
    const std::map<std::string, std::set<std::string>> expected = {
        {"nothing", {"grove", "far", "lone"}},
        {"original moved", {"far"}},
        {"copy recoloured", {"lone"}},
        // A translation commutes with grove's, not with far's rotation; lone's original moved.
        {"layer moved", {"grove"}},
        {"original deleted", {"far"}},
        {"scaled", {}},
    };
    for (const auto& [name, change] : cases) {
        SCOPED_TRACE(name);
        auto doc = load(file);
        ASSERT_TRUE(doc);
        change(*doc);
        const std::string out = save(*doc);
        EXPECT_EQ(useIds(out), expected.at(name)) << out;
        if (haveRenderer()) {
            EXPECT_LT(drawnDifference(out, asCopies(*doc)), 0.001) << out;
        }
        // The next run reads the <use> as a clone again.
        auto again = load(out);
        ASSERT_TRUE(again);
        EXPECT_EQ(useIds(save(*again)), expected.at(name));
    }
}

// The writer drops the Land layer's translation: lone, cloning from that layer into another,
// is placed anew; grove, beside its original, keeps its placement as it was written.
TEST(SvgClones, AnUnchangedUseKeepsItsOwnAttributes) {
    auto doc = load(readFile(dataPath("keep/clones.svg")));
    ASSERT_TRUE(doc);
    const std::string out = save(*doc);
    for (const char* kept :
         {R"x(<use id="grove" inkscape:label="Grove" xlink:href="#tree" x="40" y="0" )x"
          R"x(transform="translate(0,5)"/>)x",
          R"x(<use id="lone" width="100%" height="100%" xlink:href="#crown" )x"
          R"x(transform="matrix(1 0 0 1 80 60)"><title>Lone crown</title></use>)x"})
        EXPECT_NE(out.find(kept), std::string::npos) << kept << "\n" << out;
}

} // namespace
