// The map view: draws the open document's scene with zoom, pan and fit, and selects art by
// click (Shift adds or removes) and by dragging a rectangle over it.
#pragma once

#include "Scene.h"

#include <QImage>
#include <QWidget>

namespace desk {

class DeskHost;

class Canvas final : public QWidget {
    Q_OBJECT
public:
    explicit Canvas(DeskHost& host, QWidget* parent = nullptr);

    /// The document changed: the scene is built again at the next paint.
    void invalidate();
    /// Shows the whole drawing.
    void fit();
    void zoomBy(double factor, QPointF around);
    [[nodiscard]] double zoom() const { return scale_; }
    [[nodiscard]] const Scene& scene();

    /// Widget position to document coordinates and back.
    [[nodiscard]] QPointF toDocument(QPointF widgetPoint) const;
    [[nodiscard]] QPointF toWidget(QPointF docPoint) const;
    /// Renders the current view into image (the canvas's size), as a paint would.
    void render(QImage& image);

signals:
    void selectionChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ensureScene();
    [[nodiscard]] QTransform viewTransform() const;
    void clickAt(QPointF widgetPoint, bool add);
    void selectInside(QRectF widgetRect, bool add);
    void paintSelection(QPainter& painter);

    DeskHost& host_;
    Scene scene_;
    std::uint64_t sceneGeneration_ = ~std::uint64_t{0};
    std::uint64_t sceneRevision_ = 0;
    QImage cache_;
    bool cacheValid_ = false;
    bool fitPending_ = true;
    double scale_ = 1.0;
    QPointF offset_;
    enum class Drag { None, Pan, Band } drag_ = Drag::None;
    QPointF dragStart_;
    QPointF dragNow_;
    QPointF panStart_;
};

} // namespace desk
