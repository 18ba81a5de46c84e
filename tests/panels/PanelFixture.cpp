#include "PanelFixture.h"

#include "host/docsuites/DocumentSession.h"
#include "support/TextArt.h"

namespace paneltest {

host::Art* AddPath(host::Document& doc, host::Art& parent, const std::string& name, double x,
                   double y) {
    host::Art* art = doc.makeArt(host::ArtType::Path);
    for (HostRealPoint p : {HostRealPoint{x, y}, {x + 10, y}, {x + 10, y + 10}})
        art->path()->segments.push_back({p, p, p, 1});
    art->name = name;
    doc.appendChild(parent, *art);
    return art;
}

std::unique_ptr<host::Document> SampleMap(const std::string& filePath) {
    auto doc = std::make_unique<host::Document>();
    doc->filePath = filePath;
    host::Layer* roads = doc->appendLayer(nullptr, "Roads");
    host::Layer* areas = doc->appendLayer(nullptr, "Areas");
    host::Layer* labels = doc->appendLayer(nullptr, "Labels");
    host::Layer* parks = doc->appendLayer(areas, "Parks");
    host::Layer* lakes = doc->appendLayer(areas, "Lakes");
    AddPath(*doc, *roads->group(), "road1", 0, 0);
    AddPath(*doc, *roads->group(), "road2", 20, 0);
    AddPath(*doc, *areas->group(), "area", 40, 0);
    AddPath(*doc, *parks->group(), "park", 60, 0);
    AddPath(*doc, *lakes->group(), "lake", 80, 0);
    host::Art* pair = doc->makeArt(host::ArtType::Group);
    pair->name = "pair";
    doc->appendChild(*labels->group(), *pair);
    AddPath(*doc, *pair, "a", 100, 0);
    AddPath(*doc, *pair, "b", 120, 0);
    host::Art* town = nullptr;
    doc->newText(host::TextKind::Point, host::Orientation::Horizontal,
                 host::PaintOrder::InsideOnBottom, labels->group(), {200, 300}, nullptr, &town);
    town->name = "town";
    town->text()->runs = {{"Town", {}}};
    parks->visible = false;
    doc->setCurrentLayer(*roads);
    return doc;
}

host::Art* AddRiver(host::Document& doc) {
    host::Art* river = cartotest::AddPointText(doc, *FindLayer(doc, "Labels")->group(), {50, 400},
                                               host::Orientation::Vertical);
    if (river != nullptr) {
        river->name = "river";
        river->text()->runs = {{"River", {}}};
    }
    return river;
}

host::Art* FindArt(const host::Document& doc, const std::string& name) {
    for (host::Layer* layer : doc.allLayers())
        for (host::Art* art : doc.layerArt(*layer))
            if (art->name == name) return art;
    return nullptr;
}

host::Layer* FindLayer(const host::Document& doc, const std::string& title) {
    for (host::Layer* layer : doc.allLayers())
        if (layer->title == title) return layer;
    return nullptr;
}

std::string LayerOf(const host::Document& doc, const std::string& name) {
    const host::Art* art = FindArt(doc, name);
    const host::Layer* layer = art ? doc.layerOfArt(*art) : nullptr;
    return layer ? layer->title : std::string("?");
}

std::vector<std::string> Children(const host::Art& art) {
    std::vector<std::string> names;
    for (const host::Art* c = art.firstChild(); c; c = c->nextSibling())
        names.push_back(c->isLayerGroup() ? "[" + c->ownedLayer()->title + "]"
                                          : (c->name.empty() ? "<group>" : c->name));
    return names;
}

void PanelTest::StopHost() {
    others_.clear();
    ModuleHostTest::StopHost();
}

host::DocumentSession& PanelTest::OpenAnother(std::unique_ptr<host::Document> document) {
    others_.push_back(std::make_unique<host::DocumentSession>(app(), std::move(document)));
    return *others_.back();
}

ws::ControlInfo PanelTest::Tree() const {
    std::optional<ws::ControlInfo> tree = Panel(kMoveTitle).firstOfKind(ws::ControlKind::TreeView);
    EXPECT_TRUE(tree.has_value());
    return tree.value_or(ws::ControlInfo{});
}

void PanelTest::Select(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        host::Art* art = FindArt(doc(), name);
        ASSERT_NE(art, nullptr) << name;
        ASSERT_EQ(doc().setUserAttributes(*art, host::kAttrSelected, host::kAttrSelected),
                  kHostNoErr);
    }
}

void PanelTest::ClickLayer(const std::vector<std::string>& path, std::uint32_t where) {
    const ws::Outcome outcome = Panel(kMoveTitle).clickTreeItem(path, where);
    EXPECT_TRUE(outcome) << outcome.error;
    app().idle();
}

void PanelTest::Click(const char* title, const std::string& text) {
    const ws::Outcome outcome = Panel(title).click(text);
    EXPECT_TRUE(outcome) << outcome.error;
    app().idle();
}

} // namespace paneltest
