// Malformed and hostile files: each is refused with the file's name and the position of
// the fault, never a crash, and the file a conversion would have written stays as it was.
// Saving refuses a document it cannot write and never leaves a half-written file.
#include "SvgTestSupport.h"

#include "host/svg/AtomicFile.h"

#include <cmath>
#include <sys/stat.h>

using namespace host;
using namespace svgtest;

namespace {

constexpr const char* kHead = "<svg xmlns=\"http://www.w3.org/2000/svg\" "
                              "xmlns:xlink=\"http://www.w3.org/1999/xlink\" viewBox=\"0 0 10 10\">";

std::string body(std::string_view elements) {
    return kHead + std::string(elements) + "</svg>";
}

std::string billionLaughs() {
    std::string s = "<?xml version=\"1.0\"?>\n<!DOCTYPE svg [\n <!ENTITY a \"lol\">\n";
    for (char c = 'b'; c <= 'j'; ++c) {
        s += std::string(" <!ENTITY ") + c + " \"";
        for (int i = 0; i < 10; ++i)
            s += std::string("&") + static_cast<char>(c - 1) + ";";
        s += "\">\n";
    }
    return s + "]>\n" + body("<text>&j;</text>");
}

std::string useBomb() {
    // Ten levels, each drawing the level below ten times: 10^10 elements if expanded.
    std::string s = "<defs><path id=\"l0\" d=\"M0 0L1 1\"/>";
    for (int level = 1; level <= 10; ++level) {
        s += "<g id=\"l" + std::to_string(level) + "\">";
        for (int i = 0; i < 10; ++i)
            s += "<use xlink:href=\"#l" + std::to_string(level - 1) + "\"/>";
        s += "</g>";
    }
    return body(s + "</defs><use xlink:href=\"#l10\"/>");
}

TEST(SvgHostile, EachFaultIsRefusedOrLeftOutWithItsPosition) {
    // Only XML that cannot be read, or that declares entities, is refused; bad data in
    // elements is drawn as far as it goes, or left out, with a warning.
    const struct {
        const char* what;
        std::string text;
        const char* position; // "line:column" where the fault is
        const char* says;
        bool refused;
    } cases[] = {
        {"truncated XML", body("<path d=\"M0 0\"").substr(0, 150), "1:", "malformed XML", true},
        {"no svg root", "<html><body/></html>", "1:2", "not <svg>", true},
        {"empty file", "", "1:1", "empty", true},
        {"bad path data", body("\n<path d=\"M 10 10 L 20 x\"/>"), "2:23", "bad path data", false},
        {"NaN in path data", body("<path d=\"M NaN 0\"/>"), "1:", "bad path data", false},
        {"infinity in a transform", body("<g transform=\"scale(inf)\"/>"), "1:", "bad transform",
         false},
        {"number out of range", body("\n\n<path d=\"M 1e400 0\"/>"), "3:12", "out of range", false},
        {"huge coordinate", body("<path d=\"M 1e300 0 L 1 1\"/>"), "1:", "coordinates out of range",
         false},
        {"bad length", body("<rect width=\"wide\" height=\"1\"/>"), "1:", "bad length", false},
        {"entity expansion", billionLaughs(), "2:", "DOCTYPE", true},
        {"external entity",
         "<!DOCTYPE svg [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>" + body("<text>&x;</text>"),
         "1:", "DOCTYPE", true},
        {"bytes that are not UTF-8", body("<text>caf\xe9</text>"), "1:", "not valid UTF-8", true},
        {"UTF-16", "\xff\xfe<\0s\0v\0g\0", "1:1", "UTF-16", true},
        {"reference cycle", body("<g id=\"a\"><use xlink:href=\"#a\"/></g>"), "1:", "contains it",
         false},
        {"mutual references",
         body("<defs><g id=\"a\"><use xlink:href=\"#b\"/></g><g id=\"b\"><use "
              "xlink:href=\"#a\"/></g></defs><use xlink:href=\"#a\"/>"),
         "1:", "nest too deeply", false},
        {"use bomb", useBomb(), "1:", "too many elements", false},
        // A NUL would cut the name short, a lone surrogate would make bytes that are not
        // UTF-8.
        {"NUL reference", body("\n<g id=\"a&#x0;b\"/>"), "2:9", "&#x0;", true},
        {"surrogate reference", body("\n<g inkscape:label=\"&#xD800;\"/>"), "2:", "&#xD800;", true},
        {"decimal reference past Unicode", body("<text>&#1114112;</text>"), "1:", "&#1114112;",
         true},
        {"control character reference", body("<text>&#1;</text>"), "1:", "&#1;", true},
    };
    TempDir dir;
    const auto input = dir / "input.svg";
    const auto output = dir / "output.svg";
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        writeFile(input, k.text);
        writeFile(output, "the user's file");
        // The conversion a user runs: open, then save only what opened.
        SvgLoadResult r = loadSvgFile(input);
        std::string message;
        if (r.document) {
            EXPECT_EQ(saveSvgFile(*r.document, output, message), kHostNoErr);
        }
        const std::string where = input.string() + ":" + k.position;
        if (k.refused) {
            EXPECT_EQ(r.document, nullptr);
            EXPECT_EQ(r.error, kHostErrFile);
            EXPECT_NE(r.message.find(where), std::string::npos) << r.message;
            EXPECT_NE(r.message.find(k.says), std::string::npos) << r.message;
            EXPECT_EQ(readFile(output), "the user's file");
            continue;
        }
        ASSERT_NE(r.document, nullptr) << r.message;
        bool warned = false;
        for (const std::string& w : r.warnings)
            warned = warned || (w.starts_with(where) && w.find(k.says) != std::string::npos);
        EXPECT_TRUE(warned) << (r.warnings.empty() ? "no warning" : r.warnings.front());
        // What opened saves and opens again.
        EXPECT_NE(loadSvgFile(output).document, nullptr);
    }
}

TEST(SvgHostile, RawControlCharactersAreRefusedWhereTheyStand) {
    // XML allows no control character but tab, line feed and carriage return, written or
    // referenced, in text, attributes or comments alike.
    const struct {
        char c;
        const char* says;
    } characters[] = {{'\0', "a NUL character (U+0000)"},
                      {'\x01', "the control character U+0001"},
                      {'\x1B', "the control character U+001B"}};
    const struct {
        const char* where;
        const char* before; // the character goes between these, on line 2
        const char* after;
        int column;
    } places[] = {{"in text", "<text>ab", "c</text>", 9},
                  {"in an attribute", "<g id=\"a", "b\"/>", 9},
                  {"in a comment", "<!-- a", "b -->", 7}};
    TempDir dir;
    const auto input = dir / "input.svg";
    for (const auto& ch : characters) {
        for (const auto& place : places) {
            SCOPED_TRACE(std::string(ch.says) + " " + place.where);
            std::string text = body("\n" + std::string(place.before) + ch.c + place.after);
            writeFile(input, text);
            const SvgLoadResult r = loadSvgFile(input);
            EXPECT_EQ(r.document, nullptr);
            EXPECT_EQ(r.error, kHostErrFile);
            EXPECT_EQ(r.message,
                      input.string() + ":2:" + std::to_string(place.column) + ": " + ch.says +
                          ", which XML does not allow" +
                          (ch.c == '\0' ? "" : " (only tab, line feed and carriage return)"))
                << r.message;
        }
    }
    // The three it allows pass anywhere; the non-characters at the end of the plane do not.
    for (const char* allowed : {"\t", "\r", "\r\n"}) {
        SCOPED_TRACE(allowed);
        const std::string a = allowed;
        SvgLoadResult r =
            loadSvgText("ok.svg", body("<text>a" + a + "b</text><g id=\"x\" class=\"a" + a +
                                       "b\"/><!--" + a + "-->"));
        EXPECT_NE(r.document, nullptr) << r.message;
        EXPECT_TRUE(r.warnings.empty()) << r.warnings.front();
    }
    const SvgLoadResult r = loadSvgText("ffff.svg", body("\n<text>\xEF\xBF\xBF</text>"));
    EXPECT_EQ(r.document, nullptr);
    EXPECT_EQ(r.message, "ffff.svg:2:7: the non-character U+FFFF, which XML does not allow");
}

TEST(SvgHostile, ReferencesInCommentsAndCDataAreNotRead) {
    TempDir dir;
    const auto input = dir / "input.svg";
    writeFile(input, body("<!-- &#x0; --><text><![CDATA[&#xD800;]]>&#x41;</text>"));
    const SvgLoadResult r = loadSvgFile(input);
    EXPECT_NE(r.document, nullptr) << r.message;
}

TEST(SvgHostile, BadStyleValuesKeepTheirDefaults) {
    SvgLoadResult r = loadSvgText(
        "odd.svg",
        body(
            R"~(<path d="M0 0L1 1" stroke="#12" stroke-width="wide" fill="bogus" stroke-dasharray="1,-2" font-size="-3" fill-rule="sideways"/>)~"));
    ASSERT_TRUE(r.document) << r.message;
    const PathStyle& s = r.document->firstLayer()->group()->firstChild()->path()->style;
    EXPECT_FALSE(s.strokePaint);
    EXPECT_EQ(s.strokeWidth, 1);
    EXPECT_TRUE(s.fillPaint);
    EXPECT_EQ(s.fill.red, 0);
    EXPECT_TRUE(s.dash.empty());
    EXPECT_FALSE(s.evenOdd);
    // A broken viewBox is a warning, with the file and position.
    SvgLoadResult w =
        loadSvgText("w.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 -1 5\"/>");
    ASSERT_TRUE(w.document);
    ASSERT_EQ(w.warnings.size(), 1u);
    EXPECT_EQ(w.warnings[0].rfind("w.svg:1:2: ", 0), 0u) << w.warnings[0];
}

TEST(SvgHostile, AHundredThousandNestedGroupsOpenAndSave) {
    constexpr int kDepth = 100000;
    std::string s = kHead;
    s.reserve(kDepth * 8 + 200);
    for (int i = 0; i < kDepth; ++i)
        s += "<g>";
    s += "<path id=\"deep\" d=\"M1 1L2 2\"/>";
    for (int i = 0; i < kDepth; ++i)
        s += "</g>";
    s += "</svg>";
    SvgLoadResult r = loadSvgText("deep.svg", std::move(s));
    ASSERT_TRUE(r.document) << r.message;
    const Art* deep = findArt(*r.document, "deep");
    ASSERT_NE(deep, nullptr);
    int depth = 0;
    for (const Art* a = deep->parent(); a; a = a->parent())
        ++depth;
    EXPECT_EQ(depth, kDepth); // the stray groups' layer holds the outermost group
    std::string text;
    const auto back = roundTrip(*r.document, &text);
    ASSERT_TRUE(back);
    EXPECT_NE(findArt(*back, "deep"), nullptr);
}

TEST(SvgHostile, SavingADocumentItCannotWriteLeavesTheFileAlone) {
    TempDir dir;
    const auto target = dir / "map.svg";
    writeFile(target, "the user's file");
    ::chmod(target.c_str(), 0640);
    auto doc = Document::createDefault();
    Art* p = doc->makeArt(ArtType::Path);
    p->path()->segments = {{{0, std::nan("")}, {0, 0}, {0, 0}, 1}};
    doc->appendChild(*doc->currentLayer()->group(), *p);
    std::string message;
    EXPECT_EQ(saveSvgFile(*doc, target, message), kHostErrBadParameter);
    EXPECT_NE(message.find("not finite"), std::string::npos) << message;
    EXPECT_EQ(readFile(target), "the user's file");

    // Once writable, the file is replaced whole and keeps its permissions.
    ASSERT_EQ(doc->disposeArt(*p), kHostNoErr);
    ASSERT_EQ(saveSvgFile(*doc, target, message), kHostNoErr) << message;
    EXPECT_TRUE(loadSvgFile(target).document);
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    // No temporary files are left behind, in success or failure.
    EXPECT_EQ(saveSvgFile(*doc, dir / "no such folder" / "x.svg", message), kHostErrFile);
    EXPECT_EQ(saveSvgFile(*doc, dir.path(), message), kHostErrFile);
    std::size_t files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 1u);
}

TEST(SvgHostile, WritingThroughASymbolicLinkReplacesTheFileItNames) {
    TempDir dir;
    const auto real = dir / "real.svg";
    const auto link = dir / "link.svg";
    writeFile(real, "old");
    std::filesystem::create_symlink(real, link);
    std::string error;
    ASSERT_TRUE(writeFileAtomically(link, "new", error)) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readFile(real), "new");
}

} // namespace
