// The resource compiler's Windows resource scripts: what the system's resource compiler
// gets for the DLL.
#include "ResourceScript.h"
#include "TestSupport.h"
#include "WindowsScript.h"

using namespace ws;

namespace {

rc::WindowsScript translate(const std::string& script) {
    return rc::translateToWindowsScript(script, ".", "/out/res");
}

// The CONTROL lines of the script, in order.
std::vector<std::string> controlLines(const std::string& text) {
    std::vector<std::string> out;
    for (std::size_t at = text.find("CONTROL "); at != std::string::npos;
         at = text.find("CONTROL ", at + 1))
        out.push_back(text.substr(at, text.find('\n', at) - at));
    return out;
}

} // namespace

TEST(WindowsScript, DialogsKeepTheirControlsWithTheSystemsRadioGroups) {
    const auto out = translate(R"({"resources": [{"type": "DLG ", "id": 126, "dialog": {
        "caption": "置換 \"A\\B\"", "width": 200, "height": 100, "controls": [
        {"class": "BUTTON", "id": 11, "text": "a", "style": ["radio"], "radioGroup": "op"},
        {"class": "EDIT", "id": 12, "style": ["digits", "tabstop", "hidden"]},
        {"class": "BUTTON", "id": 13, "text": "x", "style": ["radio"], "radioGroup": "pos"},
        {"class": "BUTTON", "id": 14, "text": "y", "style": ["radio"], "radioGroup": "pos"},
        {"class": "BUTTON", "id": 15, "text": "b", "style": ["radio"], "radioGroup": "op"},
        {"class": "TREEVIEW", "id": 16, "style": ["disabled"]},
        {"class": "BUTTON", "id": 1, "text": "OK", "style": ["default"]}]}},
        {"type": "DLG ", "id": 127, "dialog": {"controls": [{"class": "STATIC", "text": "e"}]}}]})");
    // Each group runs together and starts a group; what follows a group starts one too.
    EXPECT_EQ(
        controlLines(out.text),
        (std::vector<std::string>{R"(CONTROL "a", 11, "BUTTON", 0x50020009, 0, 0, 0, 0)",
                                  R"(CONTROL "b", 15, "BUTTON", 0x50000009, 0, 0, 0, 0)",
                                  R"(CONTROL "", 12, "EDIT", 0x40832080, 0, 0, 0, 0, 0x00000200)",
                                  R"(CONTROL "x", 13, "BUTTON", 0x50020009, 0, 0, 0, 0)",
                                  R"(CONTROL "y", 14, "BUTTON", 0x50000009, 0, 0, 0, 0)",
                                  R"(CONTROL "", 16, "SysTreeView32", 0x58820000, 0, 0, 0, 0)",
                                  R"(CONTROL "OK", 1, "BUTTON", 0x50000001, 0, 0, 0, 0)",
                                  R"(CONTROL "e", -1, "STATIC", 0x50000000, 0, 0, 0, 0)"}));
    EXPECT_NE(out.text.find("#pragma code_page(65001)"), std::string::npos);
    EXPECT_NE(out.text.find("126 DIALOGEX 0, 0, 200, 100\nSTYLE 0x80C800C0\n"
                            "CAPTION \"置換 \"\"A\\\\B\"\"\"\n"),
              std::string::npos)
        << out.text;
    // No caption: a child template, for a file dialog.
    EXPECT_NE(out.text.find("127 DIALOGEX 0, 0, 0, 0\nSTYLE 0x44000444\nFONT"), std::string::npos)
        << out.text;
}

TEST(WindowsScript, PicturesAndDataGoToFilesTheScriptNames) {
    const std::string script = R"({"resources": [
        {"type": "PIPL", "id": 16000, "pipl": {"properties": [
            {"vendor": "ADBE", "key": "wx86", "string": "PluginMain"}]}},
        {"type": "ICON", "id": 108, "lang": 1041, "sizes": [4, 2],
         "picture": {"palette": {"r": "#FF0000", ".": "none"}, "rows": ["r.", ".r"]}},
        {"type": "BMP ", "id": 116,
         "picture": {"palette": {"g": "#00FF00"}, "rows": ["gg", "gg"]}}]})";
    const auto compiled = rc::compileScript(script, ".");
    const auto out = translate(script);
    ASSERT_EQ(out.files.size(), 3u);
    EXPECT_EQ(out.files[0].first, std::filesystem::path("/out/res-16000-1033.bin"));
    EXPECT_EQ(out.files[0].second, compiled.resources[0].data);
    EXPECT_EQ(out.files[2].first, std::filesystem::path("/out/res-116-1033.bmp"));
    EXPECT_EQ(out.files[2].second, compiled.resources[2].data);
    EXPECT_NE(out.text.find("LANGUAGE 9, 1\n16000 PIPL \"/out/res-16000-1033.bin\"\n"),
              std::string::npos);
    EXPECT_NE(out.text.find("LANGUAGE 17, 1\n108 ICON \"/out/res-108-1041.ico\"\n"),
              std::string::npos);

    // The icon: two 32-bit bitmaps, 4 x 4 then 2 x 2, each with its mask of the clear pixels.
    const auto& icon = out.files[1].second;
    ASSERT_GE(icon.size(), 6u + 2 * 16u);
    EXPECT_EQ(icon[2], 1);
    EXPECT_EQ(icon[4], 2);
    EXPECT_EQ(icon[6], 4);
    EXPECT_EQ(icon[6 + 16], 2);
    const std::size_t first = icon[18] | (icon[19] << 8);
    const std::size_t size = icon[14] | (icon[15] << 8);
    EXPECT_EQ(size, 40u + 4 * 4 * 4 + 4 * 4);
    EXPECT_EQ(icon[first + 8], 8) << "the bitmap's height counts its mask";
    EXPECT_EQ(icon[first + 14], 32);
    // The bottom row first: its left pixel is clear, the next red (blue, green, red, alpha).
    const std::size_t pixels = first + 40;
    EXPECT_EQ(std::vector<std::uint8_t>(icon.begin() + pixels, icon.begin() + pixels + 12),
              (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 255}));
    const std::size_t mask = pixels + 4 * 4 * 4;
    EXPECT_EQ(icon[mask], 0xC0) << "the bottom row's two clear pixels";
    EXPECT_EQ(icon[mask + 3 * 4], 0x30) << "the top row's two clear pixels";
}

TEST(WindowsScript, RefusesWhatAWindowsResourceCannotHold) {
    const struct {
        const char* script;
        const char* message;
    } cases[] = {
        {R"({"resources": [{"type": "ICON", "id": 0, "bytes": ""}]})", "1 to 65535"},
        {R"({"resources": [{"type": "ICON", "id": 65536, "bytes": ""}]})", "1 to 65535"},
        {R"({"resources": [{"type": "AB C", "id": 1, "bytes": ""}]})", "letters and digits"},
        {R"({"resources": [{"type": "DLG ", "id": 2, "dialog": {"controls": [
            {"class": "BUTTON", "style": ["checkbox", "checked"]}]}}]})",
         "no check marks"},
        {R"({"resources": [{"type": "DLG ", "id": 2, "dialog": {"controls": [
            {"class": "COMBOBOX", "items": ["a"]}]}}]})",
         "list items"},
        {R"({"resources": [{"type": "DLG ", "id": 2, "dialog": {"controls": [
            {"class": "STATIC", "id": 70000}]}}]})",
         "65535"},
        {R"({"resources": [{"type": "DLG ", "id": 2, "dialog": {"controls": [
            {"class": "NOPE"}]}}]})",
         "unknown class"},
    };
    for (const auto& c : cases)
        wstest::ExpectScriptRefused([](const char* script) { translate(script); }, c.script,
                                    c.message);
}
