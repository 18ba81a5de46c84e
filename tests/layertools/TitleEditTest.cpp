// The four name edits and the numbering text, on the host's strings and layers.
#include "LayerToolsHarness.h"

#include "common/HostText.h"
#include "layertools/NumberLayers.h"
#include "layertools/ReplaceLayerTitle.h"

namespace {

using Names = std::vector<std::string>;

struct EditCase {
    const char* what;
    std::function<void(CReplaceLayerTitle&)> set;
    std::string before;
    std::string after;
};

void Replace(CReplaceLayerTitle& c, std::string s, std::string r) {
    c.operation = CReplaceLayerTitle::kReplaceText;
    c.searchText = std::move(s);
    c.replaceText = std::move(r);
}
void InsertAt(CReplaceLayerTitle& c, std::string text, int32_t position) {
    c.operation = CReplaceLayerTitle::kInsertText;
    c.insertText = std::move(text);
    c.insertPosition = position;
}
void UpTo(CReplaceLayerTitle& c, std::string delimiter, bool with) {
    c.operation = CReplaceLayerTitle::kDeleteUpToText;
    c.delimiter = std::move(delimiter);
    c.deleteWithDelimiter = with;
}
void Digits(CReplaceLayerTitle& c) {
    c.operation = CReplaceLayerTitle::kDeleteLeadingDigits;
}

using TitleEdit = lt::LayerToolsTest;

TEST_F(TitleEdit, EveryOperationOnItsEdgeCases) {
    const std::vector<EditCase> cases = {
        {"replacement holds the search text", [](auto& c) { Replace(c, "A", "AA"); }, "xAyA",
         "xAAyAA"},
        {"no overlaps, left to right", [](auto& c) { Replace(c, "aa", "b"); }, "aaaa", "bb"},
        {"odd run", [](auto& c) { Replace(c, "aa", "b"); }, "aaa", "ba"},
        {"empty replacement deletes", [](auto& c) { Replace(c, "-", ""); }, "a-b-c", "abc"},
        {"search equal to replacement", [](auto& c) { Replace(c, "a", "a"); }, "aaa", "aaa"},
        {"case is kept apart", [](auto& c) { Replace(c, "a", "b"); }, "Aa", "Ab"},
        {"characters, not bytes", [](auto& c) { Replace(c, "道", "みち"); }, "国道1号道",
         "国みち1号みち"},
        {"empty search text changes nothing", [](auto& c) { Replace(c, "", "x"); }, "abc", "abc"},
        {"insert at the head", [](auto& c) { InsertAt(c, "旧", 0); }, "道路", "旧道路"},
        {"insert at the tail", [](auto& c) { InsertAt(c, "旧", 1); }, "道路", "道路旧"},
        {"any other position is the tail", [](auto& c) { InsertAt(c, "旧", 7); }, "道路", "道路旧"},
        {"leading digits", Digits, "012道路", "道路"},
        {"full-width digits", Digits, "１２河川", "河川"},
        {"mixed widths", Digits, "1２3x", "x"},
        {"digits stop at the first other character", Digits, "12-34", "-34"},
        {"digits elsewhere stay", Digits, "x12", "x12"},
        {"other numerals are no digits", Digits, "①②x", "①②x"},
        {"digits only give an empty name", Digits, "2024", ""},
        {"up to the delimiter", [](auto& c) { UpTo(c, "_", false); }, "01_roads_main",
         "_roads_main"},
        {"with the delimiter", [](auto& c) { UpTo(c, "_", true); }, "01_roads_main", "roads_main"},
        {"longer delimiter", [](auto& c) { UpTo(c, "--", true); }, "a--b--c", "b--c"},
        {"no delimiter", [](auto& c) { UpTo(c, "_", true); }, "roads", "roads"},
        {"unknown operation", [](auto& c) { c.operation = 9; }, "roads", "roads"},
    };
    for (const EditCase& c : cases) {
        CReplaceLayerTitle command(pluginRef());
        c.set(command);
        ai::UnicodeString title;
        ASSERT_EQ(NewText(c.before, title), kHostNoErr);
        ASSERT_EQ(command.EditTitle(title), kHostNoErr) << c.what;
        EXPECT_EQ(title.as_UTF8(), c.after) << c.what;
    }
}

TEST_F(TitleEdit, HostFailuresReachTheCaller) {
    OpenDocument({{0, "a"}});
    CReplaceLayerTitle command(pluginRef());
    InsertAt(command, "+", 0);
    app().faults().failOperation("SetLayerTitle", 'nope');
    EXPECT_EQ(command.EditLayerTitle(HandleOf("a")), 'nope');
    app().faults().clear();
    app().faults().failOperation("GetLayerTitle", 'nope');
    EXPECT_EQ(command.EditLayerTitle(HandleOf("a")), 'nope');
    CNumberLayers numbering(pluginRef());
    EXPECT_EQ(numbering.NumberLayer(HandleOf("a"), 1), 'nope');
    app().faults().clear();
    EXPECT_EQ(Titles(), (Names{"a"}));
}

TEST_F(TitleEdit, NumberingText) {
    CNumberLayers command(pluginRef());
    EXPECT_EQ(command.NumberingText(1), "1: ") << "the defaults";
    command.addBefore = true;
    command.beforeText = "第";
    command.afterText = "層";
    EXPECT_EQ(command.NumberingText(-12), "第-12層");
    command.addBefore = false;
    command.addAfter = false;
    EXPECT_EQ(command.NumberingText(2147483648LL), "2147483648") << "no wrap past 32 bits";
    command.addAfter = true;
    command.afterText.clear();
    EXPECT_EQ(command.NumberingText(0), "0");
}

} // namespace
