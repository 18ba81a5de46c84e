#include "Canvas.h"

#include "DeskHost.h"
#include "Selection.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>
#include <set>

namespace desk {
namespace {

constexpr double kMinZoom = 1e-4;
constexpr double kMaxZoom = 1e4;
// A drag shorter than this is a click.
constexpr double kClickSlop = 4.0;

} // namespace

Canvas::Canvas(DeskHost& host, QWidget* parent) : QWidget(parent), host_(host) {
    setObjectName("canvas");
    setMouseTracking(false);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(200, 150);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Canvas::invalidate() {
    sceneGeneration_ = ~std::uint64_t{0};
    cacheValid_ = false;
    update();
}

const Scene& Canvas::scene() {
    ensureScene();
    return scene_;
}

void Canvas::ensureScene() {
    // The scene draws the document's content, so a command or click that changed nothing
    // (the selection is painted on top) keeps it.
    const host::Document* doc = host_.document();
    const std::uint64_t revision = doc != nullptr ? doc->revision() : 0;
    if (sceneGeneration_ == host_.generation() && sceneRevision_ == revision) return;
    const bool firstScene = sceneGeneration_ == ~std::uint64_t{0} && fitPending_;
    if (doc != nullptr)
        scene_.build(*doc);
    else
        scene_ = Scene();
    sceneGeneration_ = host_.generation();
    sceneRevision_ = revision;
    cacheValid_ = false;
    if (firstScene) fit();
}

void Canvas::fit() {
    ensureScene();
    const QRectF b = scene_.bounds();
    if (b.isEmpty() || width() <= 0 || height() <= 0) return;
    fitPending_ = false;
    const double margin = 16.0;
    const double sx = (width() - 2 * margin) / b.width();
    const double sy = (height() - 2 * margin) / b.height();
    scale_ = std::clamp(std::min(sx, sy), kMinZoom, kMaxZoom);
    // The drawing's centre at the widget's centre; document y grows upwards.
    offset_ =
        QPointF(width() / 2.0 - scale_ * b.center().x(), height() / 2.0 + scale_ * b.center().y());
    cacheValid_ = false;
    update();
}

void Canvas::zoomBy(double factor, QPointF around) {
    const QPointF doc = toDocument(around);
    scale_ = std::clamp(scale_ * factor, kMinZoom, kMaxZoom);
    offset_ = QPointF(around.x() - scale_ * doc.x(), around.y() + scale_ * doc.y());
    cacheValid_ = false;
    update();
}

QTransform Canvas::viewTransform() const {
    return QTransform(scale_, 0, 0, -scale_, offset_.x(), offset_.y());
}

QPointF Canvas::toDocument(QPointF p) const {
    return viewTransform().inverted().map(p);
}

QPointF Canvas::toWidget(QPointF p) const {
    return viewTransform().map(p);
}

void Canvas::render(QImage& image) {
    ensureScene();
    image.fill(QColor(0xe8, 0xe8, 0xe8));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setTransform(viewTransform());
    const QRectF visible = viewTransform().inverted().mapRect(QRectF(image.rect()));
    if (const host::Document* doc = host_.document()) {
        const host::Page& page = doc->page;
        // In document coordinates the page runs from 0 up to its height.
        painter.fillRect(QRectF(page.x, 0, page.width, page.height), Qt::white);
    }
    scene_.paint(painter, visible);
}

void Canvas::paintEvent(QPaintEvent*) {
    ensureScene();
    if (fitPending_) fit();
    const qreal dpr = devicePixelRatioF();
    const QSize pixels(static_cast<int>(width() * dpr), static_cast<int>(height() * dpr));
    if (!cacheValid_ || cache_.size() != pixels) {
        cache_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        cache_.setDevicePixelRatio(dpr);
        render(cache_);
        cacheValid_ = true;
    }
    QPainter painter(this);
    painter.drawImage(0, 0, cache_);
    paintSelection(painter);
    if (drag_ == Drag::Band) {
        painter.setPen(QPen(QColor(0, 120, 215), 1, Qt::DashLine));
        painter.setBrush(QColor(0, 120, 215, 40));
        painter.drawRect(QRectF(dragStart_, dragNow_).normalized());
    }
}

void Canvas::paintSelection(QPainter& painter) {
    const host::Document* doc = host_.document();
    if (doc == nullptr) return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setTransform(viewTransform());
    QPen pen(QColor(0, 120, 215), 0);
    pen.setCosmetic(true);
    pen.setWidthF(1.5);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    for (const SceneItem& item : scene_.items())
        if (item.target != nullptr &&
            (doc->userAttributes(*item.art, host::kAttrSelected) & host::kAttrSelected))
            painter.drawPath(item.path);
    painter.resetTransform();
}

void Canvas::resizeEvent(QResizeEvent*) {
    cacheValid_ = false;
    if (fitPending_) fit();
}

void Canvas::wheelEvent(QWheelEvent* event) {
    const double steps = event->angleDelta().y() / 120.0;
    if (steps != 0) zoomBy(std::pow(1.25, steps), event->position());
    event->accept();
}

void Canvas::mousePressEvent(QMouseEvent* event) {
    dragStart_ = dragNow_ = event->position();
    if (event->button() == Qt::MiddleButton ||
        (event->button() == Qt::LeftButton && (event->modifiers() & Qt::AltModifier))) {
        drag_ = Drag::Pan;
        panStart_ = offset_;
    } else if (event->button() == Qt::LeftButton) {
        drag_ = Drag::Band;
    }
}

void Canvas::mouseMoveEvent(QMouseEvent* event) {
    dragNow_ = event->position();
    if (drag_ == Drag::Pan) {
        offset_ = panStart_ + (dragNow_ - dragStart_);
        cacheValid_ = false;
    }
    update();
}

void Canvas::mouseReleaseEvent(QMouseEvent* event) {
    dragNow_ = event->position();
    const Drag was = std::exchange(drag_, Drag::None);
    if (was == Drag::Band) {
        const bool add = (event->modifiers() & Qt::ShiftModifier) != 0;
        if ((dragNow_ - dragStart_).manhattanLength() < kClickSlop)
            clickAt(dragNow_, add);
        else
            selectInside(QRectF(dragStart_, dragNow_).normalized(), add);
    }
    update();
}

void Canvas::clickAt(QPointF widgetPoint, bool add) {
    host::Document* doc = host_.document();
    if (doc == nullptr) return;
    ensureScene();
    const SceneItem* item = scene_.hit(toDocument(widgetPoint), 3.0 / scale_);
    host::Art* target = item != nullptr ? const_cast<host::Art*>(item->target) : nullptr;
    if (target != nullptr && !isSelectable(*doc, *target)) target = nullptr;
    if (!add) doc->deselectAll();
    if (target != nullptr) {
        const bool selected = doc->userAttributes(*target, host::kAttrSelected) != 0;
        if (add && selected)
            deselectArt(*doc, *target);
        else
            selectArt(*doc, *target);
    }
    emit selectionChanged();
}

void Canvas::selectInside(QRectF widgetRect, bool add) {
    host::Document* doc = host_.document();
    if (doc == nullptr) return;
    ensureScene();
    const QRectF rect = viewTransform().inverted().mapRect(widgetRect);
    if (!add) doc->deselectAll();
    std::set<const host::Art*> done;
    for (const SceneItem& item : scene_.items()) {
        if (item.target == nullptr || done.count(item.target) != 0) continue;
        if (!item.path.intersects(rect)) continue;
        done.insert(item.target);
        selectArt(*doc, *const_cast<host::Art*>(item.target));
    }
    emit selectionChanged();
}

} // namespace desk
