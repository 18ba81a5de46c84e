// What the resource compiler tells the code of a script: the names of its resources and
// controls, the command line's fields and the menu commands.
#include "ResourceScript.h"
#include "ScriptFacts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ws;

namespace {

// A dialog with a radio group, an edit field, a list and a platform field, and two
// commands, one in each sub-menu.
const std::string kScript = R"({
  "commands": [
    {"name": "do-it", "symbol": "kDoIt", "menu": "objects", "text": "実行...",
     "enabling": "text-selected", "separatorAfter": true, "summary": "does it",
     "dialogs": ["demo"],
     "questions": [{"name": "sure", "kind": "yes-no", "text": "よろしいですか？",
                    "note": "asked first", "preferred": "no"}]},
    {"name": "show-panel", "symbol": "kShowPanel", "menu": "windows", "text": "パネル",
     "summary": "a panel", "panelFields": [{"name": "pick", "values": "a|b"}]}
  ],
  "resources": [
    {"type": "DLG ", "id": 300, "namespace": "demo", "symbol": "kDialogId", "fieldTable": "demo",
     "platformFields": [{"field": "file", "kind": "path", "id": 1152}],
     "dialog": {"caption": "Demo", "width": 100, "height": 60, "controls": [
       {"class": "BUTTON", "id": 11, "symbol": "kNear", "field": "where", "value": "near",
        "text": "near", "x": 0, "y": 0, "width": 40, "height": 10, "style": ["radio"],
        "radioGroup": "g"},
       {"class": "EDIT", "id": 12, "symbol": "kName", "field": "name",
        "whenDisabled": "it is locked", "x": 0, "y": 12, "width": 40, "height": 10},
       {"class": "BUTTON", "id": 13, "field": "where", "value": "far", "text": "far",
        "x": 50, "y": 0, "width": 40, "height": 10, "style": ["radio"], "radioGroup": "g"},
       {"class": "COMBOBOX", "id": 14, "field": "size", "aliases": ["small", "large"],
        "x": 0, "y": 24, "width": 40, "height": 40},
       {"class": "STATIC", "id": 15, "symbol": "kLabel", "text": "x",
        "x": 0, "y": 40, "width": 40, "height": 10}
     ]}},
    {"type": "PNGI", "id": 400, "symbol": "kGlobalIcon", "bytes": "89 50"}
  ]
})";

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(ScriptFacts, NamesLeaveTheDialogTemplateAsItWas) {
    const std::string plain = R"({"resources": [{"type": "DLG ", "id": 1, "dialog": {
        "caption": "A", "width": 50, "height": 20, "controls": [
        {"class": "BUTTON", "id": 5, "text": "b", "x": 0, "y": 0, "width": 10, "height": 10,
         "style": ["radio"], "radioGroup": "g"}]}}]})";
    std::string named = plain;
    named.replace(named.find("\"id\": 5,"), 8,
                  R"("id": 5, "symbol": "kB", "field": "f", "value": "v", "whenDisabled": "w",)");
    const auto a = rc::compileScript(plain, ".");
    const auto b = rc::compileScript(named, ".");
    ASSERT_EQ(a.resources.size(), 1u);
    EXPECT_EQ(a.resources[0].data, b.resources[0].data);
}

TEST(ScriptFacts, HeaderNamesResourcesControlsAndMenuItems) {
    const std::string header = rc::moduleHeader(kScript);
    for (const char* line : {
             "namespace demo {\ninline constexpr std::int32_t kDialogId = 300;\n"
             "inline constexpr std::int32_t kNear = 11;\ninline constexpr std::int32_t kName = "
             "12;\ninline constexpr std::int32_t kLabel = 15;\n} // namespace demo\n",
             "\ninline constexpr std::int32_t kGlobalIcon = 400;\n",
             "enum class Enabling { None, TextSelected };",
             "inline constexpr Item kDoIt{\"do-it\", \"実行...\", Enabling::TextSelected, true};",
             "inline constexpr Item kShowPanel{\"show-panel\", \"パネル\", Enabling::None, false};",
             "std::array<const Item*, 1> kObjects{&kDoIt};",
             "std::array<const Item*, 1> kWindows{&kShowPanel};",
         })
        EXPECT_TRUE(Has(header, line)) << line << "\n---\n" << header;
}

TEST(ScriptFacts, CommandLineTablesGatherEachDialogsFields) {
    const std::string tables = rc::commandLineTables(kScript);
    for (const char* line : {
             // platform fields first, then the controls in dialog order; a radio group is
             // one field under its first button's id
             "{\"file\", Kind::Path, 1152, \"\", \"\"},\n"
             "    {\"where\", Kind::Choice, 11, \"near:11,far:13\", \"\"},\n"
             "    {\"name\", Kind::Text, 12, \"\", \"it is locked\"},\n"
             "    {\"size\", Kind::Pick, 14, \"small:0,large:1\", \"\"},\n}};",
             "{300, \"demo\", kFields0},",
             "kDialogs0{300};",
             "{\"sure\", QuestionKind::YesNo, \"よろしいですか？\", \"asked first\", \"no\"},",
             "{\"do-it\", \"実行...\", \"does it\", kDialogs0, kQuestions0, false, {}},",
             "{\"show-panel\", \"パネル\", \"a panel\", {}, {}, true, kPanelFields1},",
         })
        EXPECT_TRUE(Has(tables, line)) << line << "\n---\n" << tables;
}

TEST(ScriptFacts, RefusesFactsThatDoNotFit) {
    struct Case {
        std::string from, to, message;
    };
    const std::vector<Case> cases = {
        {R"("symbol": "kName")", R"("symbol": "kNear")", "\"kNear\" is named twice"},
        {R"("symbol": "kLabel")", R"("symbol": "kLabel", "field": "label")",
         "only edit fields, lists, check boxes and radio buttons"},
        {R"("value": "far", )", "", "needs \"value\""},
        {R"("field": "size")", R"("field": "name")", "\"name\" is given twice"},
        {R"("aliases": ["small", "large"])", R"("aliases": "small")", "\"aliases\" is a list"},
        {R"("dialogs": ["demo"])", R"("dialogs": ["other"])", "no dialog has the field table"},
        {R"("enabling": "text-selected", )", "", "needs \"enabling\""},
        {R"("summary": "a panel")", R"("summary": "a panel", "enabling": "text-selected")",
         "never enabled automatically"},
        {R"("name": "show-panel")", R"("name": "do-it")", "is given twice"},
        {R"("symbol": "kGlobalIcon")", R"("symbol": "global icon")", "is no C++ name"},
        {R"("fieldTable": "demo",)", "", "needs the dialog's \"fieldTable\""},
        {R"("kind": "yes-no")", R"("kind": "maybe")", "\"ok-cancel\" or \"yes-no\""},
    };
    for (const Case& c : cases) {
        std::string script = kScript;
        const auto at = script.find(c.from);
        ASSERT_NE(at, std::string::npos) << c.from;
        script.replace(at, c.from.size(), c.to);
        for (auto make : {&rc::moduleHeader, &rc::commandLineTables}) {
            try {
                make(script);
                ADD_FAILURE() << "accepted: " << c.to;
            } catch (const rc::ScriptError& e) {
                EXPECT_TRUE(Has(e.what(), c.message))
                    << e.what() << " (wanted " << c.message << ")";
            }
        }
    }
}
