// The module's two panels as docks: shown and hidden from the Window menu with its check
// marks, a selection moved by a click on the move panel's tree, an origin button pressed,
// and the panels' icons and theme.
#include "DeskFixture.h"

#include "DeskApp.h"
#include "PanelDocks.h"
#include "Selection.h"
#include "WsPanelWidget.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QWheelEvent>

namespace {

constexpr const char* kMap = R"svg(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape" width="400pt" height="400pt" viewBox="0 0 400 400">
<g id="labels" inkscape:groupmode="layer" inkscape:label="Labels">
<text id="town" x="200" y="100" font-size="24" text-anchor="middle">Town</text>
</g>
<g id="roads" inkscape:groupmode="layer" inkscape:label="Roads">
<path id="road1" fill="none" stroke="#000000" stroke-width="4" d="M10 10L90 90"/>
</g>
</svg>
)svg";

std::string layerOf(const host::Document& doc, const std::string& id) {
    for (host::Layer* layer : doc.allLayers())
        for (const host::Art* art : doc.layerArt(*layer))
            if (art->name == id) return layer->title;
    return {};
}

const host::Art* find(const host::Document& doc, const std::string& id) {
    for (host::Layer* layer : doc.allLayers())
        for (const host::Art* art : doc.layerArt(*layer))
            if (art->name == id) return art;
    return nullptr;
}

} // namespace

class DeskPanels : public DeskTest {
protected:
    void SetUp() override {
        DeskTest::SetUp();
        QFile file(QString::fromStdString(path("map.svg")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kMap);
        file.close();
        open(path("map.svg"));
    }
    QAction* panelItem(const char* command) {
        QAction* act = window_->hostAction(desk::commandMenuText(command));
        EXPECT_NE(act, nullptr) << command;
        return act;
    }
    desk::WsPanelWidget* show(const char* command) {
        QAction* act = panelItem(command);
        window_->refreshMenus();
        if (!act->isChecked()) act->trigger();
        return window_->panels().panel(act->text());
    }
    // A click where the canvas shows a point of the file's page (y down).
    void clickMap(double x, double y) {
        QTest::mouseClick(&window_->canvas(), Qt::LeftButton, {},
                          window_->canvas().toWidget(QPointF(x, 400 - y)).toPoint());
    }
};

TEST_F(DeskPanels, WindowMenuItemsShowAndHideTheDocksWithCheckMarks) {
    for (const char* command : {"move-to-layer", "text-origin"}) {
        SCOPED_TRACE(command);
        QAction* act = panelItem(command);
        ASSERT_NE(act, nullptr);
        // The module remembers whether a panel was open; each choice turns it over.
        window_->refreshMenus();
        const bool was = act->isChecked();
        for (const bool shown : {!was, was}) {
            act->trigger();
            window_->refreshMenus();
            EXPECT_EQ(act->isChecked(), shown);
            QDockWidget* dock = window_->panels().dock(act->text());
            ASSERT_NE(dock, nullptr);
            EXPECT_EQ(dock->isVisible(), shown);
        }
    }
}

TEST_F(DeskPanels, AClickOnALayerInTheMovePanelMovesTheSelectionThere) {
    clickMap(50, 50);
    ASSERT_NE(
        host_->document()->userAttributes(*find(*host_->document(), "road1"), host::kAttrSelected),
        0u);
    desk::WsPanelWidget* panel = show("move-to-layer");
    ASSERT_NE(panel, nullptr);
    QTreeWidget* tree = panel->tree();
    ASSERT_NE(tree, nullptr);
    // The tree shows the layers as at the last press of its refresh button.
    QPushButton* refresh = nullptr;
    for (QPushButton* button : panel->findChildren<QPushButton*>())
        if (button->text() == "レイヤーリストを更新") refresh = button;
    ASSERT_NE(refresh, nullptr);
    QTest::mouseClick(refresh, Qt::LeftButton);
    ASSERT_EQ(panel->lastError().toStdString(), "");
    const auto found = tree->findItems("Labels", Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1);
    tree->scrollToItem(found.front());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      tree->visualItemRect(found.front()).center());
    EXPECT_EQ(panel->lastError().toStdString(), "");
    EXPECT_EQ(layerOf(*host_->document(), "road1"), "Labels");
    EXPECT_EQ(boxesSeen_, 0) << boxTexts_.join("\n").toStdString();
    // The move is one step to undo, and the list stays good after it as in place.
    ASSERT_TRUE(window_->action("editUndo")->isEnabled());
    window_->action("editUndo")->trigger();
    EXPECT_EQ(layerOf(*host_->document(), "road1"), "Roads");
    clickMap(50, 50);
    ASSERT_TRUE(tree->isEnabled());
    const auto again = tree->findItems("Labels", Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(again.size(), 1);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      tree->visualItemRect(again.front()).center());
    EXPECT_EQ(layerOf(*host_->document(), "road1"), "Labels");
    EXPECT_EQ(boxesSeen_, 0) << boxTexts_.join("\n").toStdString();
}

// A press that changes nothing is no step to undo; an undone move puts back the art that a
// module's handles name, as an undo in place would.
TEST_F(DeskPanels, APressThatChangesNothingIsNoStepAndAnUndoKeepsTheArtsHandles) {
    clickMap(50, 50);
    const HostArtHandle road = find(*host_->document(), "road1")->handle();
    desk::WsPanelWidget* panel = show("move-to-layer");
    ASSERT_NE(panel, nullptr);
    for (QPushButton* button : panel->findChildren<QPushButton*>())
        if (button->text() == "レイヤーリストを更新") QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(panel->lastError().toStdString(), "");
    EXPECT_FALSE(host_->canUndo());
    EXPECT_FALSE(host_->modified());

    const auto found = panel->tree()->findItems("Labels", Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1);
    panel->tree()->scrollToItem(found.front());
    QTest::mouseClick(panel->tree()->viewport(), Qt::LeftButton, {},
                      panel->tree()->visualItemRect(found.front()).center());
    ASSERT_EQ(layerOf(*host_->document(), "road1"), "Labels");
    ASSERT_TRUE(host_->canUndo());
    ASSERT_TRUE(host_->undo());
    const host::Art* undone = host_->document()->art(road);
    ASSERT_NE(undone, nullptr);
    EXPECT_EQ(undone->name, "road1");
    EXPECT_EQ(layerOf(*host_->document(), "road1"), "Roads");
    EXPECT_FALSE(host_->modified());
    ASSERT_TRUE(host_->redo());
    EXPECT_EQ(host_->document()->art(road)->name, "road1");
    EXPECT_EQ(layerOf(*host_->document(), "road1"), "Labels");
}

// The window system's tree shows a few rows; a person scrolls the docked tree with the wheel
// and clicks a layer far below them.
TEST_F(DeskPanels, ALayerScrolledToWithTheWheelTakesTheSelection) {
    std::string map = R"(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape" width="400pt" height="400pt" viewBox="0 0 400 400">
)";
    for (int i = 1; i <= 40; ++i)
        map += "<g inkscape:groupmode=\"layer\" inkscape:label=\"L" + std::to_string(i) +
               "\"><path id=\"p" + std::to_string(i) + "\" fill=\"#ff0000\" d=\"M" +
               std::to_string(i * 9) + " 10h8v8h-8z\"/></g>\n";
    map += "</svg>\n";
    QFile file(QString::fromStdString(path("many.svg")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(map.data(), static_cast<qint64>(map.size()));
    file.close();
    open(path("many.svg"));
    // The file's last layer is the topmost, the first row under the document's name.
    clickMap(364, 14);
    ASSERT_EQ(layerOf(*host_->document(), "p40"), "L40");
    ASSERT_NE(
        host_->document()->userAttributes(*find(*host_->document(), "p40"), host::kAttrSelected),
        0u);
    desk::WsPanelWidget* panel = show("move-to-layer");
    ASSERT_NE(panel, nullptr);
    for (QPushButton* button : panel->findChildren<QPushButton*>())
        if (button->text() == "レイヤーリストを更新") QTest::mouseClick(button, Qt::LeftButton);
    QTreeWidget* tree = panel->tree();
    ASSERT_NE(tree, nullptr);
    const auto found = tree->findItems("L1", Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1);
    ASSERT_FALSE(tree->viewport()->rect().contains(tree->visualItemRect(found.front())));
    const WsRect size = ws::PanelView(panel->window()).rect();
    for (int turn = 0;
         turn < 60 && !tree->viewport()->rect().contains(tree->visualItemRect(found.front()));
         ++turn) {
        QWheelEvent wheel(QPointF(10, 10), tree->viewport()->mapToGlobal(QPointF(10, 10)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(tree->viewport(), &wheel);
    }
    ASSERT_TRUE(tree->viewport()->rect().contains(tree->visualItemRect(found.front())));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      tree->visualItemRect(found.front()).center());
    EXPECT_EQ(panel->lastError().toStdString(), "");
    EXPECT_EQ(layerOf(*host_->document(), "p40"), "L1");
    // The panel keeps its size.
    const WsRect now = ws::PanelView(panel->window()).rect();
    EXPECT_EQ(now.bottom - now.top, size.bottom - size.top);
    EXPECT_EQ(now.right - now.left, size.right - size.left);
}

TEST_F(DeskPanels, AnOriginButtonGivesTheSelectedLabelItsJustification) {
    clickMap(200, 95);
    ASSERT_NE(find(*host_->document(), "town"), nullptr);
    ASSERT_NE(
        host_->document()->userAttributes(*find(*host_->document(), "town"), host::kAttrSelected),
        0u);
    desk::WsPanelWidget* panel = show("text-origin");
    ASSERT_NE(panel, nullptr);
    auto* left = qobject_cast<QPushButton*>(panel->control(1101));
    ASSERT_NE(left, nullptr);
    EXPECT_FALSE(left->icon().isNull());
    EXPECT_EQ(left->text(), "");
    EXPECT_EQ(left->toolTip(), "横書き・左揃え");
    EXPECT_EQ(qobject_cast<QPushButton*>(panel->control(1106))->toolTip(), "縦書き・下揃え");
    EXPECT_EQ(find(*host_->document(), "town")->text()->para.justification, host::kJustifyCenter);
    QTest::mouseClick(left, Qt::LeftButton);
    EXPECT_EQ(panel->lastError().toStdString(), "");
    EXPECT_EQ(find(*host_->document(), "town")->text()->para.justification, host::kJustifyLeft);
}

TEST_F(DeskPanels, TheDarkInterfaceReachesThePanels) {
    desk::WsPanelWidget* panel = show("text-origin");
    ASSERT_NE(panel, nullptr);
    EXPECT_GT(panel->palette().color(QPalette::Window).lightness(), 128);
    window_->action("viewDark")->setChecked(true);
    EXPECT_LT(panel->palette().color(QPalette::Window).lightness(), 128);
    window_->action("viewDark")->setChecked(false);
    EXPECT_GT(panel->palette().color(QPalette::Window).lightness(), 128);
}
