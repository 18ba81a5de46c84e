// What the canvas draws: the document's visible art flattened into a list of shapes in
// painting order (back to front), in document coordinates (y up). Built from the host's
// document model, so every change a command makes shows once the scene is rebuilt.
#pragma once

#include "host/document/Document.h"

#include <QBrush>
#include <QImage>
#include <QPainterPath>
#include <QPen>
#include <QRectF>
#include <QString>
#include <QTransform>

#include <optional>
#include <unordered_map>
#include <vector>

class QPainter;

namespace desk {

struct SceneItem {
    enum class Kind { Shape, Text, Image };
    Kind kind = Kind::Shape;
    /// The art this shape draws, and the object a click on it selects: the art that sits
    /// directly on a layer (a group or compound path as a whole).
    const host::Art* art = nullptr;
    const host::Art* target = nullptr;
    QPainterPath path; // shapes; for text and images the outline a click hits
    bool fill = false;
    QBrush brush;
    bool stroke = false;
    QPen pen;
    // Text: one entry per line, already placed in the text's own space.
    struct Line {
        QPointF origin; // baseline start, y down in the text's own space
        QString text;
        double size = 12.0;
        bool vertical = false;
    };
    std::vector<Line> lines;
    QTransform transform; // text and images: their own space into the document
    QImage image;
    QRectF pixels; // images: the pixel rectangle
    QRectF bounds; // in the document
};

class Scene {
public:
    /// Rebuilds from the document.
    void build(const host::Document& doc);
    [[nodiscard]] const std::vector<SceneItem>& items() const { return items_; }
    /// The union of every item's bounds (the page when there is nothing).
    [[nodiscard]] QRectF bounds() const { return bounds_; }
    [[nodiscard]] double flipY() const { return flipY_; }

    /// Draws every item; the painter maps document coordinates.
    void paint(QPainter& painter, const QRectF& visibleDocRect) const;
    /// The topmost item under point (document coordinates); tolerance for strokes.
    [[nodiscard]] const SceneItem* hit(QPointF point, double tolerance) const;

private:
    void addArt(const host::Document& doc, const host::Art& art, const host::Art* target,
                const QTransform& transform);
    void addPath(const host::Art& art, const host::Art* target, const QTransform& transform);
    void addCompound(const host::Art& art, const host::Art* target, const QTransform& transform);
    void addText(const host::Art& art, const host::Art* target, const QTransform& transform);
    void addImage(const host::Document& doc, const host::Art& art, const host::Art* target,
                  const QTransform& transform);

    // Outlines of the last build by the art's handle, with the geometry they were made from,
    // so a rebuild after a change of colours alone reuses them and what the painter derived
    // from them, in place of making every path again.
    struct Outline {
        std::vector<HostPathSegment> segments;
        std::vector<std::size_t> shape; // per part: segment count * 2 + closed
        QTransform transform;
        Qt::FillRule rule = Qt::WindingFill;
        QPainterPath path;
    };
    QPainterPath outline(const host::Art& art, const std::vector<const host::PathData*>& parts,
                         const QTransform& transform, Qt::FillRule rule);

    std::vector<SceneItem> items_;
    std::unordered_map<std::uint64_t, Outline> outlines_;
    std::unordered_map<std::uint64_t, Outline> kept_;
    QRectF bounds_;
    double flipY_ = 0.0;
};

/// The colour a screen shows for a host colour.
QColor screenColour(const HostColor& colour);
/// The outline of a path in document coordinates.
QPainterPath outlineOf(const host::PathData& path);
/// The font that draws map and interface text, Japanese included.
QString textFontFamily();

} // namespace desk
