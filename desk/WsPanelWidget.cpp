#include "WsPanelWidget.h"

#include "WsControlWidgets.h"

#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>

namespace desk {
namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

QPixmap pixmapOf(const WsImageInfo& info) {
    QImage image;
    if (info.data != nullptr && info.size > 0)
        image.loadFromData(static_cast<const uchar*>(info.data), static_cast<int>(info.size));
    return QPixmap::fromImage(image);
}

QIcon iconOf(WsGdiObject image) {
    WsImageInfo info{};
    if (image == nullptr || !WsGetImageInfo(image, &info)) return {};
    return QIcon(pixmapOf(info));
}

QIcon listIcon(WsImageList list, int index) {
    WsImageInfo info{};
    if (list == nullptr || index < 0 || !WsImageListGetImageInfo(list, index, &info)) return {};
    return QIcon(pixmapOf(info));
}

QRect rectOf(const WsRect& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

constexpr int kPathRole = Qt::UserRole + 1;
constexpr int kIndexRole = Qt::UserRole + 2; // the item's place in the window system's tree

} // namespace

WsPanelWidget::WsPanelWidget(WsWindow panel, QWidget* parent) : QWidget(parent), panel_(panel) {
    setAutoFillBackground(true);
    refresh();
}

QSize WsPanelWidget::sizeHint() const {
    WsRect client{};
    if (!WsGetClientRect(panel_, &client)) return QWidget::sizeHint();
    return {client.right, client.bottom};
}

QWidget* WsPanelWidget::control(std::int32_t id) const {
    for (const Entry& e : entries_)
        if (WsIsWindow(e.window) && WsGetDlgCtrlID(e.window) == id) return e.widget;
    return nullptr;
}

QTreeWidget* WsPanelWidget::tree() const {
    for (const Entry& e : entries_)
        if (auto* t = qobject_cast<QTreeWidget*>(e.widget)) return t;
    return nullptr;
}

void WsPanelWidget::setColours(const QColor& background, const QColor& text) {
    QPalette p = palette();
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, background.lighter(background.lightness() < 128 ? 130 : 103));
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, background);
    p.setColor(QPalette::ButtonText, text);
    setPalette(p);
}

void WsPanelWidget::rebuild(const std::vector<ws::ControlInfo>& controls) {
    for (Entry& e : entries_)
        delete e.widget;
    entries_.clear();
    shownTrees_.clear();
    for (const ws::ControlInfo& info : controls) {
        QWidget* widget = makeWidget(info);
        widget->setObjectName(QStringLiteral("ws%1").arg(info.id));
        widget->setProperty("wsId", info.id);
        widget->show();
        entries_.push_back({info.window, widget, info.kind});
    }
}

QWidget* WsPanelWidget::makeWidget(const ws::ControlInfo& info) {
    ControlActions actions;
    actions.click = [this](std::int32_t id) {
        emit aboutToAct();
        act(ws::PanelView(panel_).click(id));
    };
    actions.refreshing = [this] { return refreshing_; };
    QWidget* widget = makeControlWidget(info, info.style, ControlLook::Panel, this, actions);
    if (auto* tree = qobject_cast<QTreeWidget*>(widget))
        connect(tree, &QTreeWidget::itemClicked, this,
                [this](QTreeWidgetItem* item) { clickTreeItem(item); });
    return widget;
}

namespace {

// What a row shows; rows are kept while it stays the same, so a person's scroll position
// and the items a click holds survive a refresh.
bool sameRows(const std::vector<ws::TreeItemInfo>& a, const std::vector<ws::TreeItemInfo>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const ws::TreeItemInfo& x, const ws::TreeItemInfo& y) {
                          return x.text == y.text && x.level == y.level && x.image == y.image &&
                                 x.expanded == y.expanded;
                      });
}

} // namespace

void WsPanelWidget::fillTree(QTreeWidget& tree, const ws::ControlInfo& info) {
    std::vector<ws::TreeItemInfo>& shown = shownTrees_[&tree];
    if (tree.topLevelItemCount() > 0 && sameRows(shown, info.tree)) return;
    shown = info.tree;
    tree.clear();
    tree.setIconSize(QSize(16, 16));
    std::vector<QTreeWidgetItem*> chain;
    std::vector<QStringList> paths;
    for (const ws::TreeItemInfo& item : info.tree) {
        const std::size_t level = static_cast<std::size_t>(std::max(item.level, 0));
        chain.resize(std::min(chain.size(), level));
        paths.resize(chain.size());
        QTreeWidgetItem* row =
            chain.empty() ? new QTreeWidgetItem(&tree) : new QTreeWidgetItem(chain.back());
        row->setText(0, qs(item.text));
        row->setIcon(0, listIcon(info.imageList, item.image));
        QStringList path = paths.empty() ? QStringList() : paths.back();
        path.append(qs(item.text));
        row->setData(0, kPathRole, path);
        row->setData(0, kIndexRole, static_cast<int>(&item - info.tree.data()));
        chain.push_back(row);
        paths.push_back(path);
    }
    // Qt shows each item expanded as the window system has it.
    std::size_t k = 0;
    for (QTreeWidgetItemIterator it(&tree); *it != nullptr && k < info.tree.size(); ++it, ++k)
        (*it)->setExpanded(info.tree[k].expanded);
}

void WsPanelWidget::update(const Entry& entry, const ws::ControlInfo& info) {
    QWidget* w = entry.widget;
    w->setGeometry(rectOf(info.rect));
    w->setEnabled(info.enabled);
    w->setVisible(info.visible);
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        const QIcon icon = iconOf(info.image);
        // An icon button shows only its icon, as in the window system; its text is the tip.
        button->setText(icon.isNull() ? qs(info.text) : QString());
        button->setToolTip(icon.isNull() ? QString() : qs(info.text));
        button->setIcon(icon);
        if (!icon.isNull()) {
            const int side = std::max(8, std::min(w->width(), w->height()) - 6);
            button->setIconSize(QSize(side, side));
        }
        if (entry.kind == ws::ControlKind::RadioButton) {
            button->setCheckable(true);
            button->setChecked(info.checked);
        } else if (entry.kind == ws::ControlKind::CheckBox) {
            button->setChecked(info.checked);
        }
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(qs(info.text));
        if (info.paint.painted && info.paint.hasBrush) {
            QPalette p = label->palette();
            p.setColor(QPalette::WindowText,
                       QColor(WS_GETR(info.paint.textColor), WS_GETG(info.paint.textColor),
                              WS_GETB(info.paint.textColor)));
            label->setPalette(p);
        }
    } else if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
        fillTree(*tree, info);
    }
}

void WsPanelWidget::refresh() {
    if (!WsIsWindow(panel_)) return;
    refreshing_ = true;
    const std::vector<ws::ControlInfo> controls = ws::describeChildren(panel_);
    bool same = controls.size() == entries_.size();
    for (std::size_t i = 0; same && i < controls.size(); ++i)
        same = controls[i].window == entries_[i].window;
    if (!same) rebuild(controls);
    for (std::size_t i = 0; i < controls.size(); ++i)
        update(entries_[i], controls[i]);
    refreshing_ = false;
}

void WsPanelWidget::act(const ws::Outcome& outcome) {
    lastError_ = outcome ? QString() : qs(outcome.error);
    refresh();
    emit acted();
}

void WsPanelWidget::clickTreeItem(QTreeWidgetItem* item) {
    if (refreshing_ || item == nullptr) return;
    emit aboutToAct();
    ws::PanelView view(panel_);
    // The row clicked, by its place among the window system's items while it still shows
    // the same text, else by its path; the window system's tree scrolls it into view.
    const int index = item->data(0, kIndexRole).toInt();
    const std::optional<ws::ControlInfo> tree = view.firstOfKind(ws::ControlKind::TreeView);
    ws::Outcome outcome;
    if (tree && index >= 0 && static_cast<std::size_t>(index) < tree->tree.size() &&
        qs(tree->tree[static_cast<std::size_t>(index)].text) == item->text(0)) {
        outcome = view.clickTreeItemAt(static_cast<std::size_t>(index));
    } else {
        std::vector<std::string> path;
        for (const QString& part : item->data(0, kPathRole).toStringList())
            path.push_back(part.toStdString());
        outcome = view.clickTreeItem(path);
    }
    act(outcome);
}

} // namespace desk
