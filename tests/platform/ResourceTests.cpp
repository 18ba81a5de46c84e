// The resource compiler, the blob format and dialog templates.
#include "DialogTemplate.h"
#include "ResourceBlob.h"
#include "ResourceScript.h"
#include "TestSupport.h"

#include <cstring>

using namespace ws;

namespace {

std::vector<std::uint8_t> bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

rc::CompiledScript compile(const std::string& script, const std::filesystem::path& base = ".") {
    return rc::compileScript(script, base);
}

} // namespace

TEST(ResourceCompiler, PropertyListHasTheHostLayout) {
    const auto out = compile(R"({"resources": [{"type": "PIPL", "id": 16000, "pipl": {
        "properties": [{"vendor": "ADBE", "key": "kind", "fourcc": "SPEA"},
                       {"vendor": "ADBE", "key": "ivrs", "int32": 2},
                       {"vendor": "ADBE", "key": "wx86", "string": "PluginMain"},
                       {"vendor": "ADBE", "key": "pinm", "string": "abcd"}]}}]})");
    ASSERT_EQ(out.resources.size(), 1u);
    EXPECT_EQ(out.resources[0].type, WS_RT_PIPL);
    EXPECT_EQ(out.resources[0].id, 16000);
    EXPECT_EQ(out.resources[0].language, 1033);
    const std::string expected = std::string("\x01\x00\x00\x00\x00\x00\x04\x00\x00\x00", 10) +
                                 std::string("EBDAdnik\0\0\0\0\x04\0\0\0AEPS", 20) +
                                 std::string("EBDAsrvi\0\0\0\0\x04\0\0\0\x02\0\0\0", 20) +
                                 std::string("EBDA68xw\0\0\0\0\x0c\0\0\0PluginMain\0\0", 28) +
                                 // a text of four characters still gets its NUL: 8 bytes
                                 std::string("EBDAmnip\0\0\0\0\x08\0\0\0abcd\0\0\0\0", 24);
    EXPECT_EQ(out.resources[0].data, bytes(expected));
}

TEST(ResourceCompiler, EveryKindRoundTripsThroughTheBlob) {
    wstest::TempFile file({9, 8, 7});
    const auto base = std::filesystem::path(file.path()).parent_path();
    const auto out = compile(R"({"resources": [
        {"type": "DLG ", "id": 107, "dialog": {"caption": "About", "controls": [
            {"class": "BUTTON", "id": 1, "text": "OK", "style": ["default"]}]}},
        {"type": "BMP ", "id": -5, "lang": 1041, "file": "f.so"},
        {"type": "ICON", "id": 7, "bytes": "0a 0B0c"},
        {"type": "ICON", "id": 8, "bytes": ""}]})",
                             base);
    EXPECT_EQ(out.inputs, std::vector<std::filesystem::path>{base / "f.so"});

    const auto blob = res::writeBlob(out.resources);
    const auto entries = res::parseBlob(blob);
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 4u);
    for (std::size_t i = 0; i < entries->size(); ++i) {
        const auto& e = (*entries)[i];
        const auto& r = out.resources[i];
        EXPECT_EQ(e.type, r.type);
        EXPECT_EQ(e.id, r.id);
        EXPECT_EQ(e.language, r.language);
        EXPECT_EQ(std::vector<std::uint8_t>(e.data.begin(), e.data.end()), r.data);
        EXPECT_EQ((e.data.data() - blob.data()) % 4, 0) << "entry " << i << " is not aligned";
    }
    EXPECT_EQ(out.resources[1].data, (std::vector<std::uint8_t>{9, 8, 7}));
    EXPECT_EQ(out.resources[1].language, 1041);
    EXPECT_EQ(out.resources[2].data, (std::vector<std::uint8_t>{10, 11, 12}));
    EXPECT_TRUE(parseDialogTemplate(
        std::string(out.resources[0].data.begin(), out.resources[0].data.end())));
}

TEST(ResourceCompiler, RefusesFaultyScriptsNamingTheEntry) {
    const struct {
        const char* script;
        const char* message;
    } cases[] = {
        {"[1]", "\"resources\" array"},
        {"{\"resources\": [", "not valid JSON"},
        {R"({"resources": [{"type": "DLG", "id": 1, "bytes": ""}]})", "resource 1: \"type\""},
        {R"({"resources": [{"type": "ICON", "id": 1.5, "bytes": ""}]})", "\"id\""},
        {R"({"resources": [{"type": "ICON", "id": 4294967296, "bytes": ""}]})", "\"id\""},
        {R"({"resources": [{"type": "ICON", "id": 1}]})", "exactly one of"},
        {R"({"resources": [{"type": "ICON", "id": 1, "bytes": "", "file": "x"}]})",
         "exactly one of"},
        {R"({"resources": [{"type": "ICON", "id": 1, "bytes": "abc"}]})", "odd number"},
        {R"({"resources": [{"type": "ICON", "id": 1, "bytes": "zz"}]})", "not hex"},
        {R"({"resources": [{"type": "ICON", "id": 1, "lang": 70000, "bytes": ""}]})", "\"lang\""},
        {R"({"resources": [{"type": "ICON", "id": 1, "bytes": ""},
                           {"type": "ICON", "id": 1, "bytes": "00"}]})",
         "resource 2 ('ICON' 1) appears twice"},
        {R"({"resources": [{"type": "ICON", "id": 1, "file": "no-such-file.bin"}]})",
         "cannot read"},
        {R"({"resources": [{"type": "PIPL", "id": 1, "pipl": {"properties": [
            {"vendor": "ADBE", "key": "kind"}]}}]})",
         "property 1 needs exactly one of"},
        {R"({"resources": [{"type": "PIPL", "id": 1, "pipl": {"properties": [
            {"vendor": "ADB", "key": "kind", "int32": 1}]}}]})",
         "\"vendor\""},
        {R"({"resources": [{"type": "DLG ", "id": 9, "dialog": {"controls": [
            {"class": "EDIT", "style": ["checked"]}]}}]})",
         "('DLG ' 9): control 1: style \"checked\" does not apply to EDIT"},
    };
    for (const auto& c : cases)
        wstest::ExpectScriptRefused([](const char* script) { compile(script); }, c.script,
                                    c.message);
}

TEST(ResourceBlob, DamagedBlobsAreRefusedAsAWhole) {
    const auto good = res::writeBlob({{WS_RT_ICON, 1, 1033, {1, 2, 3, 4}}});
    ASSERT_TRUE(res::parseBlob(good));
    auto setU32 = [](std::vector<std::uint8_t> b, std::size_t at, std::uint32_t v) {
        std::memcpy(&b[at], &v, 4);
        return b;
    };
    const struct {
        const char* what;
        std::vector<std::uint8_t> blob;
    } cases[] = {
        {"empty", {}},
        {"header cut", std::vector<std::uint8_t>(good.begin(), good.begin() + 11)},
        {"entry cut", std::vector<std::uint8_t>(good.begin(), good.begin() + 20)},
        {"data cut", std::vector<std::uint8_t>(good.begin(), good.end() - 1)},
        {"wrong magic", setU32(good, 0, 0x12345678)},
        {"newer version", setU32(good, 4, 2)},
        {"huge count", setU32(good, 8, 0xFFFFFFFF)},
        {"offset past the end", setU32(good, 12 + 12, 0xFFFFFFF0)},
        {"size past the end", setU32(good, 12 + 16, 0xFFFFFFFF)},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(res::parseBlob(c.blob)) << c.what;
}

TEST(DialogTemplates, ParsesDefaultsAndStyles) {
    const auto t = parseDialogTemplate(R"({"caption": "T", "width": 10, "controls": [
        {"class": "COMBOBOX", "id": 3, "items": ["a", "b"]},
        {"class": "COMBOBOX", "style": ["dropdown", "disabled"]},
        {"class": "BUTTON", "style": ["radio", "checked"], "radioGroup": "g"},
        {"class": "EDIT", "style": ["digits", "hidden"]}]})");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->caption, "T");
    EXPECT_EQ(t->height, 0);
    ASSERT_EQ(t->controls.size(), 4u);
    EXPECT_EQ(t->controls[0].style, WS_CBS_DROPDOWNLIST);
    EXPECT_EQ(t->controls[0].items, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(t->controls[1].id, -1);
    EXPECT_EQ(t->controls[1].style, WS_CBS_DROPDOWN | WS_STYLE_DISABLED);
    EXPECT_EQ(t->controls[2].style, WS_BS_AUTORADIOBUTTON);
    EXPECT_TRUE(t->controls[2].checked);
    EXPECT_EQ(t->controls[2].radioGroup, "g");
    EXPECT_EQ(t->controls[3].style, WS_ES_NUMBER | WS_STYLE_HIDDEN);
}

TEST(DialogTemplates, RefusesWhatTheWindowSystemCannotBuild) {
    const char* cases[] = {
        "",
        "[]",
        R"({"controls": {}})",
        R"({"caption": 5})",
        R"({"width": 100000})",
        R"({"controls": [{"id": 1}]})",
        R"({"controls": [{"class": "SLIDER"}]})",
        R"({"controls": [{"class": "EDIT", "colour": 1}]})",
        R"({"controls": [{"class": "EDIT", "items": ["a"]}]})",
        R"({"controls": [{"class": "BUTTON", "style": ["checkbox"], "radioGroup": "g"}]})",
        R"({"controls": [{"class": "STATIC", "style": ["digits"]}]})",
        "{\"caption\": \"\xff\"}",
        R"({"captoin": "T"})",
    };
    for (const char* c : cases) {
        std::string error;
        EXPECT_FALSE(parseDialogTemplate(c, &error)) << c;
        EXPECT_FALSE(error.empty()) << c;
    }
}
