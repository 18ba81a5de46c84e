// The main window: the map drawn from the document, selection by click and rectangle,
// the layers list, commands from the menus with their question, progress and cancel, and
// undo and redo of a whole command.
#include "DeskFixture.h"

#include "LayersPanel.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <set>

namespace {

// Two layers: "open" (topmost) holds a group of two squares and a lone square; "locked"
// holds a square a click must not reach.
constexpr const char* kTwoLayers = R"(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape"
     xmlns:sodipodi="http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd"
     width="200pt" height="100pt" viewBox="0 0 200 100">
  <g inkscape:groupmode="layer" inkscape:label="locked" sodipodi:insensitive="true">
    <path id="l" d="M130 10 H190 V70 H130 Z" fill="#0000ff"/>
  </g>
  <g inkscape:groupmode="layer" inkscape:label="open">
    <g id="grp">
      <path id="a" d="M10 10 H40 V40 H10 Z" fill="#ff0000"/>
      <path id="b" d="M50 10 H80 V40 H50 Z" fill="#00ff00"/>
    </g>
    <path id="c" d="M10 60 H40 V90 H10 Z" fill="#ffff00"/>
  </g>
</svg>
)";

void writeFile(const std::string& path, const std::string& text) {
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.data(), static_cast<qint64>(text.size()));
}

std::string readFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
}

host::Art* byName(const host::Document& doc, const std::string& name) {
    for (host::Layer* layer : doc.allLayers())
        for (host::Art* art : doc.layerArt(*layer))
            if (art->name == name) return art;
    return nullptr;
}

std::set<std::string> selectedNames(const host::Document& doc) {
    std::set<std::string> out;
    for (const host::Art* art : doc.selectedArt())
        if (!art->isLayerGroup()) out.insert(art->name);
    return out;
}

std::set<std::string> fills(const host::Document& doc) {
    std::set<std::string> out;
    for (host::Layer* layer : doc.allLayers())
        for (const host::Art* art : doc.layerArt(*layer))
            if (const host::PathData* p = art->path())
                out.insert(desk::screenColour(p->style->fill).name().toStdString());
    return out;
}

// A point of the SVG file's page (y down) where the canvas shows it.
QPoint onCanvas(desk::Canvas& canvas, double x, double y) {
    return canvas.toWidget(QPointF(x, 100 - y)).toPoint();
}

} // namespace

class DeskWindow : public DeskTest {};

TEST_F(DeskWindow, OpensTheBundledMapAndDrawsIt) {
    open("us-states.svg");
    EXPECT_EQ(window_->layers().topLevelItemCount(), 1);
    EXPECT_EQ(window_->layers().topLevelItem(0)->text(desk::LayersPanel::kTitle), "states");
    EXPECT_GE(window_->canvas().scene().items().size(), 51u);
    EXPECT_TRUE(window_->windowTitle().startsWith("us-states.svg"));
    QImage image = window_->canvas().grab().toImage();
    // The states' grey fills cover a good part of the view.
    int painted = 0;
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4)
            painted += image.pixelColor(x, y) != Qt::white &&
                       image.pixelColor(x, y) != QColor(0xe8, 0xe8, 0xe8);
    EXPECT_GT(painted, image.width() * image.height() / 16 / 10);
}

TEST_F(DeskWindow, ClickSelectsTheObjectWithItsGroupAndSkipsLockedArt) {
    writeFile(path("two.svg"), kTwoLayers);
    open(path("two.svg"));
    desk::Canvas& canvas = window_->canvas();
    const host::Document& doc = *host_->document();

    QTest::mouseClick(&canvas, Qt::LeftButton, {}, onCanvas(canvas, 25, 25));
    EXPECT_EQ(selectedNames(doc), (std::set<std::string>{"grp", "a", "b"}));
    EXPECT_NE(doc.userAttributes(*byName(doc, "grp"), host::kAttrFullySelected), 0u);

    QTest::mouseClick(&canvas, Qt::LeftButton, Qt::ShiftModifier, onCanvas(canvas, 25, 75));
    EXPECT_EQ(selectedNames(doc), (std::set<std::string>{"grp", "a", "b", "c"}));
    QTest::mouseClick(&canvas, Qt::LeftButton, Qt::ShiftModifier, onCanvas(canvas, 65, 25));
    EXPECT_EQ(selectedNames(doc), (std::set<std::string>{"c"}));

    // The locked layer's square: a click there selects nothing.
    QTest::mouseClick(&canvas, Qt::LeftButton, {}, onCanvas(canvas, 160, 40));
    EXPECT_TRUE(selectedNames(doc).empty());

    // A rectangle over everything reaches only what can be selected.
    QTest::mousePress(&canvas, Qt::LeftButton, {}, onCanvas(canvas, 2, 2));
    QTest::mouseMove(&canvas, onCanvas(canvas, 100, 50));
    QTest::mouseRelease(&canvas, Qt::LeftButton, {}, onCanvas(canvas, 198, 98));
    EXPECT_EQ(selectedNames(doc), (std::set<std::string>{"grp", "a", "b", "c"}));
}

// Unfilled paths are hit on their stroke, with a few pixels to spare, and not inside; a filled
// one inside its fill.
TEST_F(DeskWindow, AClickHitsAStrokeNearItAndAFillInsideIt) {
    writeFile(path("strokes.svg"), R"(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="200pt" height="100pt" viewBox="0 0 200 100">
  <path id="thin" d="M10 10 H190" fill="none" stroke="#000000" stroke-width="0.5"/>
  <path id="thick" d="M10 50 H90" fill="none" stroke="#0000ff" stroke-width="16"/>
  <path id="ring" d="M110 30 H190 V90 H110 Z" fill="none" stroke="#ff0000" stroke-width="1"/>
  <path id="solid" d="M20 70 H80 V90 H20 Z" fill="#00ff00"/>
</svg>
)");
    open(path("strokes.svg"));
    desk::Canvas& canvas = window_->canvas();
    const double pixel = 1.0 / canvas.zoom(); // one screen pixel in the file's units
    struct Case {
        double x, y;
        const char* selects; // empty: nothing
    };
    const Case cases[] = {
        {100, 10, "thin"},
        {100, 10 + 2 * pixel, "thin"},
        {100, 10 + 8 * pixel, ""},
        {50, 50, "thick"},
        {50, 57, "thick"}, // inside the stroke, outside the path's own bounds
        {50, 58 + 8 * pixel, ""},
        {110, 60, "ring"},
        {110 - 2 * pixel, 60, "ring"},
        {150, 60, ""}, // inside the unfilled ring
        {50, 80, "solid"},
        {50, 68, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        QTest::mouseClick(&canvas, Qt::LeftButton, {}, onCanvas(canvas, c.x, c.y));
        std::set<std::string> expected;
        if (*c.selects != 0) expected.insert(c.selects);
        EXPECT_EQ(selectedNames(*host_->document()), expected);
    }
}

TEST_F(DeskWindow, LayerSwitchesHideAndLockLayers) {
    writeFile(path("two.svg"), kTwoLayers);
    open(path("two.svg"));
    desk::LayersPanel& layers = window_->layers();
    QTreeWidgetItem* open = layers.findLayer("open");
    QTreeWidgetItem* locked = layers.findLayer("locked");
    ASSERT_NE(open, nullptr);
    ASSERT_NE(locked, nullptr);
    EXPECT_EQ(locked->checkState(desk::LayersPanel::kLock), Qt::Checked);
    const std::size_t before = window_->canvas().scene().items().size();

    open->setCheckState(desk::LayersPanel::kShow, Qt::Unchecked);
    EXPECT_FALSE(host_->document()->layerAt(0)->visible);
    EXPECT_EQ(window_->canvas().scene().items().size(), before - 3);
    EXPECT_TRUE(host_->modified());

    locked->setCheckState(desk::LayersPanel::kLock, Qt::Unchecked);
    QTest::mouseClick(&window_->canvas(), Qt::LeftButton, {}, onCanvas(window_->canvas(), 160, 40));
    EXPECT_EQ(selectedNames(*host_->document()), (std::set<std::string>{"l"}));
}

TEST_F(DeskWindow, ColoursTheMapFromTheMenuAfterTheQuestion) {
    open("us-states.svg");
    ASSERT_EQ(fills(*host_->document()).size(), 1u);
    EXPECT_EQ(choose("polygon-colouring"), kHostNoErr);
    ASSERT_GE(boxesSeen_, 1);
    EXPECT_TRUE(boxTexts_.front().contains("states")) << boxTexts_.join("\n").toStdString();
    const std::size_t colours = fills(*host_->document()).size();
    EXPECT_GE(colours, 4u);
    EXPECT_LE(colours, 8u);
    EXPECT_TRUE(host_->modified());
    EXPECT_TRUE(window_->action("editUndo")->isEnabled());
    EXPECT_TRUE(window_->isWindowModified());
}

TEST_F(DeskWindow, AnsweringCancelToTheQuestionChangesNothing) {
    open("us-states.svg");
    const std::string before = svg();
    answerBoxes(QMessageBox::Cancel);
    EXPECT_EQ(choose("polygon-colouring"), kHostErrCancelled);
    EXPECT_EQ(svg(), before);
    EXPECT_FALSE(host_->canUndo());
}

TEST_F(DeskWindow, CancelFromTheProgressBarLeavesTheMapAsItWas) {
    open("us-counties.svg");
    const std::string before = svg();
    int shown = 0;
    QObject::connect(&window_->responder(), &desk::DeskResponder::progressShown, window_.get(),
                     [&] {
                         ++shown;
                         QPushButton* cancel = window_->progress().cancelButton();
                         EXPECT_TRUE(cancel->isVisible());
                         EXPECT_TRUE(cancel->isEnabled());
                         QTest::mouseClick(cancel, Qt::LeftButton);
                     });
    EXPECT_EQ(choose("polygon-colouring"), kHostErrCancelled);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(svg(), before);
    EXPECT_FALSE(host_->canUndo());
    EXPECT_FALSE(host_->modified());
    EXPECT_FALSE(window_->progress().isVisible());
}

TEST_F(DeskWindow, UndoOfAScalingGivesTheSavedBytesBackAndRedoRepeatsIt) {
    open("us-states.svg");
    ASSERT_TRUE(window_->saveFile(QString::fromStdString(path("before.svg"))));
    onDialog([&](desk::WsDialogWidget& dialog) {
        QTest::mouseClick(widget<QRadioButton>(dialog, 1075), Qt::LeftButton);
        for (auto [id, text] : {std::pair{1074, "25000"}, std::pair{1090, "50000"}}) {
            QLineEdit* edit = widget<QLineEdit>(dialog, id);
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, text);
        }
        QTest::mouseClick(widget<QPushButton>(dialog, WS_IDOK), Qt::LeftButton);
    });
    const QRectF drawn = window_->canvas().scene().bounds();
    ASSERT_EQ(choose("map-scaling"), kHostNoErr);
    // The canvas draws the new outlines, not the ones it kept from before.
    EXPECT_NE(window_->canvas().scene().bounds(), drawn);
    ASSERT_TRUE(window_->saveFile(QString::fromStdString(path("scaled.svg"))));
    ASSERT_NE(readFile(path("scaled.svg")), readFile(path("before.svg")));
    EXPECT_EQ(window_->action("editUndo")->text(), "&Undo 地図拡大縮小");

    window_->action("editUndo")->trigger();
    ASSERT_TRUE(window_->saveFile(QString::fromStdString(path("undone.svg"))));
    EXPECT_EQ(readFile(path("undone.svg")), readFile(path("before.svg")));
    EXPECT_FALSE(window_->action("editUndo")->isEnabled());

    window_->action("editRedo")->trigger();
    ASSERT_TRUE(window_->saveFile(QString::fromStdString(path("redone.svg"))));
    EXPECT_EQ(readFile(path("redone.svg")), readFile(path("scaled.svg")));
}

// Vertical labels run down from their anchor, centred on it or ending at it: the ink lies
// inside the box the commands measure, whatever the justification.
TEST_F(DeskWindow, VerticalTextIsDrawnInsideItsBoundsForEveryJustification) {
    const std::string file = path("vertical.svg");
    writeFile(file, R"(<svg xmlns="http://www.w3.org/2000/svg" width="300pt" height="300pt"
     viewBox="0 0 300 300">
  <text id="start" x="50" y="150" font-size="24" writing-mode="tb">地図記号</text>
  <text id="middle" x="150" y="150" font-size="24" writing-mode="tb" text-anchor="middle">地図記号</text>
  <text id="end" x="250" y="150" font-size="24" writing-mode="tb" text-anchor="end">地図記号</text>
</svg>
)");
    open(file);
    desk::Canvas& canvas = window_->canvas();
    const QImage image = canvas.grab().toImage();
    for (const desk::SceneItem& item : canvas.scene().items()) {
        SCOPED_TRACE(item.art->name);
        const QRectF box = QRectF(canvas.toWidget(item.bounds.topLeft()),
                                  canvas.toWidget(item.bounds.bottomRight()))
                               .normalized();
        int top = image.height(), bottom = -1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = static_cast<int>(box.left()); x <= static_cast<int>(box.right()); ++x)
                if (x >= 0 && x < image.width() && qGray(image.pixel(x, y)) < 100) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        ASSERT_GE(bottom, 0) << "no ink";
        EXPECT_GE(top, box.top() - 2);
        EXPECT_LE(bottom, box.bottom() + 2);
    }
}
