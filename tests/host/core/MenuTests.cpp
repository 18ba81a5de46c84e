// Menus: the suite a module builds them with, automatic enabling against the document,
// updates and choosing an item.
#include "FakeModule.h"
#include "host/docsuites/DocumentSession.h"
#include "hostapi/suites/MenuSuite.h"
#include "hostapi/suites/UnicodeStringSuite.h"

#include <gtest/gtest.h>

#include <cstring>

namespace host {
namespace {

TEST(MenuEnabling, CriteriaAgainstDocumentStates) {
    const FixedDocumentState empty(0, 0, 0);
    const FixedDocumentState placedSelected(kMenuArtPlaced | kMenuArtPath, kMenuArtPlaced,
                                            kMenuPropHasSelection);
    const FixedDocumentState textSelected(kMenuArtText, kMenuArtText, kMenuPropHasSelection);
    struct Case {
        const char* what;
        MenuCriteria criteria;
        const DocumentState* document;
        bool enabled;
    };
    const MenuCriteria documentOpen{0, 0, 0, 0, kMenuPropDocumentOpen, 0};
    const MenuCriteria imageSelected{0, 0, kMenuArtPlaced | kMenuArtRaster, 0, 0, 0};
    const MenuCriteria textSel{0, 0, kMenuArtText, 0, 0, 0};
    const Case cases[] = {
        {"no criteria, no document", {}, nullptr, true},
        {"document open, none", documentOpen, nullptr, false},
        {"document open, empty document", documentOpen, &empty, true},
        {"image selected, none", imageSelected, nullptr, false},
        {"image selected, nothing selected", imageSelected, &empty, false},
        {"image selected, placed selected", imageSelected, &placedSelected, true},
        {"image selected, text selected", imageSelected, &textSelected, false},
        {"text selected, text selected", textSel, &textSelected, true},
        {"text in document", {kMenuArtText, 0, 0, 0, 0, 0}, &textSelected, true},
        {"no text in document", {0, kMenuArtText, 0, 0, 0, 0}, &textSelected, false},
        {"no text in document, placed doc", {0, kMenuArtText, 0, 0, 0, 0}, &placedSelected, true},
        {"no placed selected", {0, 0, 0, kMenuArtPlaced, 0, 0}, &placedSelected, false},
        {"all of two properties",
         {0, 0, 0, 0, kMenuPropHasSelection | kMenuPropModified, 0},
         &placedSelected,
         false},
        {"selection not true", {0, 0, 0, 0, 0, kMenuPropHasSelection}, &placedSelected, false},
        {"not modified", {0, 0, 0, 0, 0, kMenuPropModified}, &placedSelected, true},
        {"no document open, no document", {0, 0, 0, 0, 0, kMenuPropDocumentOpen}, nullptr, true},
        {"no document open, a document", {0, 0, 0, 0, 0, kMenuPropDocumentOpen}, &empty, false},
        {"not in document, no document", {0, kMenuArtText, 0, 0, 0, 0}, nullptr, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(menuCriteriaHold(c.criteria, c.document), c.enabled) << c.what;
}

// Counts what the menu update asks: the kinds of art take a walk over the whole document.
class CountingDocumentState final : public DocumentState {
public:
    [[nodiscard]] std::uint32_t artKinds() const override {
        ++kindWalks;
        return kMenuArtPath;
    }
    [[nodiscard]] std::uint32_t selectedArtKinds() const override {
        ++selectionWalks;
        return 0;
    }
    [[nodiscard]] std::uint32_t properties() const override {
        ++propertyLooks;
        return 0;
    }
    mutable int kindWalks = 0, selectionWalks = 0, propertyLooks = 0;
};

class MenuSuiteTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::addFakeModule(app, fake);
        menu = test::acquire<HostMenuSuite>(app, kHostMenuSuite, kHostMenuSuiteVersion);
        ustr = test::acquire<HostUnicodeStringSuite>(app, kHostUnicodeStringSuite,
                                                     kHostUnicodeStringSuiteVersion);
        ASSERT_TRUE(menu && ustr);
    }
    HostMenuItemHandle add(const char* group, const char* text, int32_t options = 1,
                           const char* keyboardName = nullptr) {
        HostUString s = nullptr;
        EXPECT_EQ(ustr->New(text, std::strlen(text), &s), kHostNoErr);
        HostMenuItemHandle item = nullptr;
        EXPECT_EQ(menu->AddMenuItem(fake.module->ref(), keyboardName, group, s, options, &item),
                  kHostNoErr);
        ustr->Dispose(s);
        return item;
    }
    HostMenuItemHandle subMenu(const char* parentGroup, const char* text, const char* group) {
        HostMenuItemHandle parent = add(parentGroup, text, 1, text);
        EXPECT_EQ(menu->AddMenuGroupAsSubMenu(group, 0, parent, nullptr), kHostNoErr);
        return parent;
    }
    bool enabled(HostMenuItemHandle item) { return app.menus().itemFromHandle(item)->enabled(); }

    Application app;
    test::FakeModule fake;
    const HostMenuSuite* menu = nullptr;
    const HostUnicodeStringSuite* ustr = nullptr;
};

TEST_F(MenuSuiteTest, TheKindsOfArtAreFoundInSublayersAtAnyDepth) {
    // Each layer inside the one before, a path on each and text only on the innermost: the
    // walk that finds the kinds must reach it without going over the tree once per layer.
    constexpr int kDepth = 160000;
    auto document = std::make_unique<Document>();
    Layer* layer = nullptr;
    for (int i = 0; i < kDepth; ++i) {
        layer = document->appendLayer(layer, "L" + std::to_string(i));
        document->appendChild(*layer->group(), *document->makeArt(ArtType::Path));
    }
    document->appendChild(*layer->group(), *document->makeArt(ArtType::TextFrame));
    document->setCurrentLayer(*layer);
    const DocumentSession session(app, std::move(document));
    EXPECT_EQ(session.artKinds(), std::uint32_t{kMenuArtPath | kMenuArtText});
    EXPECT_EQ(session.selectedArtKinds(), 0u);
    EXPECT_EQ(session.properties() & kMenuPropLayerEditable, std::uint32_t{kMenuPropLayerEditable});
}

TEST_F(MenuSuiteTest, BuildsTheTreeAModuleAsksFor) {
    subMenu("Object Utilities", "Tools", "Tools Group");
    const HostMenuItemHandle first = add("Tools Group", "第一");
    ASSERT_EQ(menu->AddMenuItem(fake.module->ref(), nullptr, "Tools Group", nullptr,
                                kHostMenuItemIsSeparator, nullptr),
              kHostNoErr);
    const HostMenuItemHandle second = add("Tools Group", "Second");
    ASSERT_EQ(menu->CheckItem(first, 1), kHostNoErr);
    ASSERT_EQ(menu->EnableItem(second, 0), kHostNoErr);

    // The module finds its group again by walking the groups.
    int32_t count = 0;
    ASSERT_EQ(menu->CountMenuGroups(&count), kHostNoErr);
    bool found = false;
    for (int32_t n = 0; n < count; ++n) {
        HostMenuGroup g = nullptr;
        const char* name = nullptr;
        ASSERT_EQ(menu->GetNthMenuGroup(n, &g), kHostNoErr);
        ASSERT_EQ(menu->GetMenuGroupName(g, &name), kHostNoErr);
        found |= std::string_view(name) == "Tools Group";
    }
    EXPECT_TRUE(found);

    EXPECT_EQ(formatMenuTree(app.menus()), "Object Utilities\n"
                                           "  Tools > Tools Group\n"
                                           "    第一 (checked)\n"
                                           "    ----\n"
                                           "    Second (disabled)\n");
}

TEST_F(MenuSuiteTest, RefusesWhatCannotBeDone) {
    const HostMenuItemHandle item = add("Object Utilities", "Item");
    HostUString text = nullptr;
    ASSERT_EQ(ustr->New("x", 1, &text), kHostNoErr);
    HostMenuItemHandle out = nullptr;
    HostMenuGroup group = nullptr;
    const auto plugin = fake.module->ref();
    const auto foreign = reinterpret_cast<HostMenuItemHandle>(&app);

    EXPECT_EQ(menu->AddMenuItem(plugin, nullptr, "No Such Group", text, 1, &out), kHostErrNotFound);
    EXPECT_EQ(menu->AddMenuItem(nullptr, nullptr, "Object Utilities", text, 1, &out),
              kHostErrBadHandle);
    EXPECT_EQ(menu->AddMenuItem(plugin, nullptr, "Object Utilities", nullptr, 1, &out),
              kHostErrBadHandle);
    EXPECT_EQ(menu->AddMenuGroupAsSubMenu("Object Utilities", 0, item, &group), kHostErrRefused);
    ASSERT_EQ(menu->AddMenuGroupAsSubMenu("Sub", 0, item, &group), kHostNoErr);
    EXPECT_EQ(menu->AddMenuGroupAsSubMenu("Sub 2", 0, item, &group), kHostErrRefused);
    EXPECT_EQ(menu->AddMenuGroupAsSubMenu("Sub 3", 0, foreign, &group), kHostErrBadHandle);
    EXPECT_EQ(menu->CheckItem(foreign, 1), kHostErrBadHandle);
    EXPECT_EQ(menu->GetNthMenuGroup(-1, &group), kHostErrBadParameter);
    EXPECT_EQ(menu->GetNthMenuGroup(1000, &group), kHostErrBadParameter);
    EXPECT_EQ(menu->UpdateMenuItemAutomatically(item, 7, 0, 0, 0, 0, 64, 0), kHostErrBadParameter);
    EXPECT_EQ(menu->UpdateMenuItemAutomatically(item, 1, 0, 0, 0, 0, 0x1000, 0),
              kHostErrBadParameter);
    EXPECT_EQ(menu->UpdateMenuItemAutomatically(item, 1, 0, 0, 0x200000, 0, 0, 0),
              kHostErrBadParameter);
    ustr->Dispose(text);
}

TEST_F(MenuSuiteTest, UpdatesEnableByTheDocumentAndReachTheItemsThatAskForThem) {
    const HostMenuItemHandle command = add("Object Utilities", "Command");
    const HostMenuItemHandle image = add("Object Utilities", "Image");
    const HostMenuItemHandle quiet = add("Object Utilities", "Quiet", 0);
    ASSERT_EQ(menu->UpdateMenuItemAutomatically(command, 1, 0, 0, 0, 0, kHostIfDocumentOpen, 0),
              kHostNoErr);
    ASSERT_EQ(menu->UpdateMenuItemAutomatically(image, 1, 0, 0, kHostIfPlacedArt | kHostIfRasterArt,
                                                0, 0, 0),
              kHostNoErr);
    fake.module->setState(ModuleState::Started);

    app.updateMenus();
    EXPECT_FALSE(enabled(command));
    EXPECT_FALSE(enabled(image));
    EXPECT_TRUE(enabled(quiet));
    EXPECT_EQ(fake.log, (std::vector<std::string>{"AI Menu/AI Update", "AI Menu/AI Update"}));

    const FixedDocumentState raster(kMenuArtRaster, kMenuArtRaster, 0);
    app.setDocumentState(&raster);
    app.updateMenus();
    EXPECT_TRUE(enabled(command));
    EXPECT_TRUE(enabled(image));
    app.setDocumentState(nullptr);

    // However many items there are, one update walks the document once for each fact.
    for (int i = 0; i < 10; ++i) {
        const HostMenuItemHandle item = add("Object Utilities", "Paths");
        ASSERT_EQ(menu->UpdateMenuItemAutomatically(item, 1, kMenuArtPath, 0, 0, kMenuArtText, 0,
                                                    kMenuPropHasSelection),
                  kHostNoErr);
    }
    const CountingDocumentState counting;
    app.setDocumentState(&counting);
    app.updateMenus();
    EXPECT_EQ(counting.kindWalks, 1);
    EXPECT_EQ(counting.selectionWalks, 1);
    EXPECT_EQ(counting.propertyLooks, 1);
    app.setDocumentState(nullptr);

    // A disabled item cannot be chosen; an enabled one gets "AI Go" with its handle.
    std::vector<HostMenuItemHandle> chosen;
    fake.onMessage = [&](test::FakeModule&, std::string_view, std::string_view selector,
                         HostMessageData& message) -> HostErr {
        if (selector == kSelectorGo)
            chosen.push_back(reinterpret_cast<HostMenuMessage&>(message).menuItem);
        return kHostNoErr;
    };
    EXPECT_EQ(app.chooseMenuItem(command), kHostErrRefused);
    EXPECT_EQ(app.chooseMenuItem(quiet), kHostNoErr);
    EXPECT_EQ(app.chooseMenuItem(nullptr), kHostErrBadHandle);
    EXPECT_EQ(chosen, std::vector<HostMenuItemHandle>{quiet});
}

} // namespace
} // namespace host
