#include "Scene.h"

#include "host/geometry/ArtBounds.h"
#include "host/svg/SvgColour.h"
#include "host/text/TextMetric.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPathStroker>

#include <algorithm>
#include <cmath>

namespace desk {
namespace {

bool isHidden(const host::Document& doc, const host::Art& art) {
    return (doc.userAttributes(art, host::kAttrHidden) & host::kAttrHidden) != 0;
}

QTransform toQt(const HostRealMatrix& m) {
    return QTransform(m.a, m.b, m.c, m.d, m.tx, m.ty);
}

QPen penOf(const host::PathStyle& style) {
    QPen pen(screenColour(style.stroke), style.strokeWidth);
    pen.setCapStyle(style.cap == kHostRoundCap        ? Qt::RoundCap
                    : style.cap == kHostProjectingCap ? Qt::SquareCap
                                                      : Qt::FlatCap);
    pen.setJoinStyle(style.join == kHostRoundJoin   ? Qt::RoundJoin
                     : style.join == kHostBevelJoin ? Qt::BevelJoin
                                                    : Qt::MiterJoin);
    pen.setMiterLimit(style.miterLimit);
    if (!style.dash.empty() && style.strokeWidth > 0) {
        QList<qreal> pattern;
        for (double d : style.dash)
            pattern.append(d / style.strokeWidth);
        if (pattern.size() % 2 == 1) pattern.append(pattern);
        pen.setDashPattern(pattern);
        pen.setDashOffset(style.dashOffset / style.strokeWidth);
    }
    return pen;
}

QImage loadImage(const host::Document& doc, const std::string& href) {
    QImage image;
    if (href.starts_with("data:")) {
        const auto comma = href.find(',');
        if (comma != std::string::npos && href.substr(0, comma).ends_with(";base64"))
            image.loadFromData(
                QByteArray::fromBase64(QByteArray::fromStdString(href.substr(comma + 1))));
        return image;
    }
    QString path = QString::fromStdString(href);
    if (path.startsWith("file://")) path = path.mid(7);
    if (QFileInfo(path).isRelative() && !doc.filePath.empty())
        path = QFileInfo(QString::fromStdString(doc.filePath)).dir().filePath(path);
    image.load(path);
    return image;
}

// Fonts are drawn at one size and scaled, so that text of any size keeps its proportions at
// any zoom.
constexpr int kFontPixels = 64;

void drawLine(QPainter& painter, const SceneItem::Line& line) {
    static const QFont font = [] {
        QFont f(textFontFamily());
        f.setPixelSize(kFontPixels);
        return f;
    }();
    const double k = line.size / kFontPixels;
    painter.save();
    painter.setFont(font);
    painter.translate(line.origin);
    painter.scale(k, k);
    if (!line.vertical) {
        painter.drawText(QPointF(0, 0), line.text);
    } else {
        // One character under the other, centred on the column's axis.
        const QFontMetricsF metrics(font);
        double y = 0.0;
        for (const QChar ch : line.text) {
            const double w = metrics.horizontalAdvance(ch);
            painter.drawText(QPointF(-w / 2, y + kFontPixels * 0.8), QString(ch));
            y += host::advanceEm(ch.unicode()) * kFontPixels;
        }
    }
    painter.restore();
}

// The path's bounds with the stroke's reach beyond it: half the width, more where miter
// joins or square caps stick out.
QRectF paintedBounds(const SceneItem& item) {
    const QRectF b = item.path.boundingRect();
    if (!item.stroke) return b;
    double reach = item.pen.widthF() / 2;
    if (item.pen.joinStyle() == Qt::MiterJoin)
        reach *= std::max(item.pen.miterLimit(), M_SQRT2);
    else if (item.pen.capStyle() == Qt::SquareCap)
        reach *= M_SQRT2;
    return b.adjusted(-reach, -reach, reach, reach);
}

// An item drawing art; a click on it selects target.
SceneItem itemFor(SceneItem::Kind kind, const host::Art& art, const host::Art* target) {
    SceneItem item;
    item.kind = kind;
    item.art = &art;
    item.target = target;
    return item;
}

} // namespace

QColor screenColour(const HostColor& colour) {
    const HostColor rgb = host::svg::displayRgb(colour);
    return QColor::fromRgbF(static_cast<float>(rgb.red), static_cast<float>(rgb.green),
                            static_cast<float>(rgb.blue));
}

QString textFontFamily() {
    return QStringLiteral("IPAPGothic");
}

QPainterPath outlineOf(const host::PathData& path) {
    QPainterPath out;
    const auto& s = path.segments;
    if (s.empty()) return out;
    out.moveTo(s[0].p.h, s[0].p.v);
    const std::size_t n = s.size();
    const std::size_t count = path.closed ? n : n - 1;
    for (std::size_t i = 0; i < count; ++i) {
        const HostPathSegment& a = s[i];
        const HostPathSegment& b = s[(i + 1) % n];
        const bool straight =
            a.out.h == a.p.h && a.out.v == a.p.v && b.in.h == b.p.h && b.in.v == b.p.v;
        if (straight)
            out.lineTo(b.p.h, b.p.v);
        else
            out.cubicTo(a.out.h, a.out.v, b.in.h, b.in.v, b.p.h, b.p.v);
    }
    if (path.closed) out.closeSubpath();
    return out;
}

namespace {

bool sameGeometry(const HostPathSegment& a, const HostPathSegment& b) {
    return a.p.h == b.p.h && a.p.v == b.p.v && a.in.h == b.in.h && a.in.v == b.in.v &&
           a.out.h == b.out.h && a.out.v == b.out.v;
}

} // namespace

QPainterPath Scene::outline(const host::Art& art, const std::vector<const host::PathData*>& parts,
                            const QTransform& transform, Qt::FillRule rule) {
    const std::uint64_t key = host::idOfHandle(art.handle());
    std::vector<std::size_t> shape;
    shape.reserve(parts.size());
    for (const host::PathData* part : parts)
        shape.push_back(part->segments.size() * 2 + (part->closed ? 1 : 0));
    if (auto old = outlines_.find(key); old != outlines_.end()) {
        const Outline& o = old->second;
        bool same = o.shape == shape && o.transform == transform && o.rule == rule;
        auto at = o.segments.begin();
        for (std::size_t i = 0; same && i < parts.size(); ++i) {
            const auto& segments = parts[i]->segments;
            same = std::equal(segments.begin(), segments.end(), at, sameGeometry);
            at += static_cast<std::ptrdiff_t>(segments.size());
        }
        if (same) {
            auto node = outlines_.extract(old);
            return kept_.insert(std::move(node)).position->second.path;
        }
    }
    Outline made;
    made.shape = std::move(shape);
    made.transform = transform;
    made.rule = rule;
    for (const host::PathData* part : parts) {
        made.segments.insert(made.segments.end(), part->segments.begin(), part->segments.end());
        made.path.addPath(outlineOf(*part));
    }
    made.path = transform.map(made.path);
    made.path.setFillRule(rule);
    return kept_.insert_or_assign(key, std::move(made)).first->second.path;
}

void Scene::build(const host::Document& doc) {
    items_.clear();
    kept_.clear();
    bounds_ = QRectF();
    flipY_ = doc.page.flipY();
    // Layer 0 is the topmost, so painting starts from the last layer and each group's last
    // child.
    for (std::int32_t i = doc.layerCount() - 1; i >= 0; --i) {
        const host::Layer* layer = doc.layerAt(i);
        if (layer != nullptr && layer->visible) addArt(doc, *layer->group(), nullptr, {});
    }
    for (const SceneItem& item : items_)
        bounds_ = bounds_.isNull() ? item.bounds : bounds_.united(item.bounds);
    if (bounds_.isNull()) bounds_ = QRectF(doc.page.x, 0, doc.page.width, doc.page.height);
    // What this build did not reuse is gone from the document or changed.
    outlines_.swap(kept_);
    kept_.clear();
}

void Scene::addArt(const host::Document& doc, const host::Art& art, const host::Art* target,
                   const QTransform& transform) {
    if (isHidden(doc, art)) return;
    // The object a click selects: the art directly on a layer.
    if (target == nullptr && !art.isLayerGroup()) target = &art;
    switch (art.type()) {
    case host::ArtType::Group:
    case host::ArtType::PluginGroup:
        for (const host::Art* c = art.lastChild(); c != nullptr; c = c->prevSibling())
            addArt(doc, *c, target, transform);
        return;
    case host::ArtType::CompoundPath:
        addCompound(art, target, transform);
        return;
    case host::ArtType::TextFrame:
    case host::ArtType::LegacyText:
        addText(art, target, transform);
        return;
    case host::ArtType::Placed:
    case host::ArtType::Raster:
        addImage(doc, art, target, transform);
        return;
    case host::ArtType::SymbolInstance: {
        const host::SymbolInstanceData* inst = art.symbolInstance();
        const host::Symbol* symbol = inst != nullptr ? doc.symbol(inst->symbol) : nullptr;
        if (symbol != nullptr && symbol->art() != nullptr)
            addArt(doc, *symbol->art(), target, toQt(inst->matrix) * transform);
        return;
    }
    default:
        if (art.path() != nullptr && !art.path()->guide) addPath(art, target, transform);
        return;
    }
}

void Scene::addPath(const host::Art& art, const host::Art* target, const QTransform& transform) {
    const host::PathData& data = *art.path();
    SceneItem item = itemFor(SceneItem::Kind::Shape, art, target);
    item.path =
        outline(art, {&data}, transform, data.style->evenOdd ? Qt::OddEvenFill : Qt::WindingFill);
    item.fill = data.style->fillPaint && data.style->fill.kind != kHostNoneColor;
    item.brush = QBrush(screenColour(data.style->fill));
    item.stroke = data.style->strokePaint && data.style->stroke.kind != kHostNoneColor &&
                  data.style->strokeWidth > 0;
    item.pen = penOf(data.style);
    item.bounds = paintedBounds(item);
    if (item.fill || item.stroke) items_.push_back(std::move(item));
}

void Scene::addCompound(const host::Art& art, const host::Art* target,
                        const QTransform& transform) {
    SceneItem item = itemFor(SceneItem::Kind::Shape, art, target);
    std::vector<const host::PathData*> parts;
    for (const host::Art* c = art.firstChild(); c != nullptr; c = c->nextSibling())
        if (c->path() != nullptr) parts.push_back(c->path());
    if (parts.empty()) return;
    const host::PathData* first = parts.front();
    item.path =
        outline(art, parts, transform, first->style->evenOdd ? Qt::OddEvenFill : Qt::WindingFill);
    item.fill = first->style->fillPaint && first->style->fill.kind != kHostNoneColor;
    item.brush = QBrush(screenColour(first->style->fill));
    item.stroke = first->style->strokePaint && first->style->stroke.kind != kHostNoneColor &&
                  first->style->strokeWidth > 0;
    item.pen = penOf(first->style);
    item.bounds = paintedBounds(item);
    if (item.fill || item.stroke) items_.push_back(std::move(item));
}

void Scene::addText(const host::Art& art, const host::Art* target, const QTransform& transform) {
    const host::TextData* text = art.text();
    if (text == nullptr) return;
    SceneItem item = itemFor(SceneItem::Kind::Text, art, target);
    item.transform = toQt(text->matrix) * transform;
    const bool vertical = text->orientation == host::Orientation::Vertical;
    const std::vector<double> offsets = host::lineOffsets(*text);
    // One entry per line, with the size of its first run; the host's metric decides where
    // each line sits so the drawing matches the bounds commands work with.
    std::string line;
    double size = 0.0;
    std::size_t index = 0;
    const auto flush = [&] {
        const double lineSize = size > 0 ? size : 12.0;
        const double offset = index < offsets.size() ? offsets[index] : 0.0;
        double length = 0.0;
        for (const QChar ch : QString::fromStdString(line))
            length += host::advanceEm(ch.unicode()) * lineSize;
        double start = 0.0;
        if (text->para.justification == host::kJustifyRight) start = -length;
        if (text->para.justification == host::kJustifyCenter) start = -length / 2;
        SceneItem::Line l;
        l.text = QString::fromStdString(line);
        l.size = lineSize;
        l.vertical = vertical;
        // Text space has y up; the painter draws with y down, and a vertical column runs
        // down from its start, which justification moves up.
        l.origin = vertical ? QPointF(offset, start) : QPointF(start, -offset);
        item.lines.push_back(std::move(l));
        line.clear();
        size = 0.0;
        ++index;
    };
    for (const host::TextRun& run : text->runs) {
        for (char c : run.text) {
            if (size == 0.0) size = run.features.fontSize * run.features.verticalScale;
            if (c == '\r') {
                flush();
                continue;
            }
            line.push_back(c);
        }
        if (!run.features.fillPaint) continue;
        item.brush = QBrush(screenColour(run.features.fill));
        item.fill = true;
    }
    flush();
    if (const auto b = host::textBounds(*text)) {
        QRectF rect(QPointF(b->left, b->bottom), QPointF(b->right, b->top));
        item.path.addRect(transform.mapRect(rect.normalized()));
    }
    item.bounds = item.path.boundingRect();
    items_.push_back(std::move(item));
}

void Scene::addImage(const host::Document& doc, const host::Art& art, const host::Art* target,
                     const QTransform& transform) {
    const host::ImageData* data = art.image();
    if (data == nullptr) return;
    SceneItem item = itemFor(SceneItem::Kind::Image, art, target);
    item.image = loadImage(doc, data->href);
    QTransform pixels = toQt(data->matrix);
    // A raster image's pixel rows run upwards.
    if (art.type() == host::ArtType::Raster)
        pixels = QTransform(1, 0, 0, -1, 0, data->pixelHeight) * pixels;
    item.transform = pixels * transform;
    item.pixels = QRectF(0, 0, data->pixelWidth, data->pixelHeight);
    item.path.addPolygon(item.transform.map(item.pixels));
    item.path.closeSubpath();
    item.bounds = item.path.boundingRect();
    items_.push_back(std::move(item));
}

void Scene::paint(QPainter& painter, const QRectF& visibleDocRect) const {
    const QTransform view = painter.transform();
    for (const SceneItem& item : items_) {
        if (!item.bounds.intersects(visibleDocRect) && !item.bounds.isEmpty()) continue;
        switch (item.kind) {
        case SceneItem::Kind::Shape:
            painter.setPen(item.stroke ? item.pen : QPen(Qt::NoPen));
            painter.setBrush(item.fill ? item.brush : QBrush(Qt::NoBrush));
            painter.drawPath(item.path);
            break;
        case SceneItem::Kind::Text: {
            painter.setTransform(QTransform(1, 0, 0, -1, 0, 0) * item.transform * view);
            painter.setPen(item.fill ? item.brush.color() : QColor(Qt::black));
            for (const SceneItem::Line& line : item.lines)
                drawLine(painter, line);
            painter.setTransform(view);
            break;
        }
        case SceneItem::Kind::Image:
            if (item.image.isNull()) {
                painter.setPen(QPen(Qt::gray, 0));
                painter.setBrush(QColor(220, 220, 220));
                painter.drawPath(item.path);
                break;
            }
            painter.setTransform(item.transform * view);
            painter.drawImage(item.pixels, item.image);
            painter.setTransform(view);
            break;
        }
    }
}

const SceneItem* Scene::hit(QPointF point, double tolerance) const {
    for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
        const SceneItem& item = *it;
        if (!item.bounds.adjusted(-tolerance, -tolerance, tolerance, tolerance).contains(point))
            continue;
        if ((item.kind != SceneItem::Kind::Shape || item.fill) && item.path.contains(point))
            return &item;
        if (item.kind != SceneItem::Kind::Shape || !item.stroke) continue;
        // Within the tolerance of the painted stroke, however thin it is drawn.
        QPainterPathStroker stroker;
        stroker.setWidth(item.pen.widthF() + 2 * tolerance);
        stroker.setCapStyle(item.pen.capStyle());
        stroker.setJoinStyle(item.pen.joinStyle());
        stroker.setMiterLimit(item.pen.miterLimit());
        if (stroker.createStroke(item.path).contains(point)) return &item;
    }
    return nullptr;
}

} // namespace desk
