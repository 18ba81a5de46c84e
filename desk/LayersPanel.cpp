#include "LayersPanel.h"

#include "DeskHost.h"

#include <QHeaderView>

namespace desk {
namespace {

constexpr int kLayerRole = Qt::UserRole + 1;

host::Layer* layerOf(const QTreeWidgetItem* item) {
    return item == nullptr ? nullptr
                           : static_cast<host::Layer*>(item->data(0, kLayerRole).value<void*>());
}

} // namespace

LayersPanel::LayersPanel(DeskHost& host, QWidget* parent) : QTreeWidget(parent), host_(host) {
    setObjectName("layers");
    setColumnCount(3);
    setHeaderLabels({tr("Show"), tr("Lock"), tr("Layer")});
    header()->setSectionResizeMode(kShow, QHeaderView::ResizeToContents);
    header()->setSectionResizeMode(kLock, QHeaderView::ResizeToContents);
    header()->setStretchLastSection(true);
    setRootIsDecorated(true);
    connect(this, &QTreeWidget::itemChanged, this, &LayersPanel::onItemChanged);
    connect(this, &QTreeWidget::itemClicked, this, &LayersPanel::onItemClicked);
}

void LayersPanel::reload() {
    loading_ = true;
    clear();
    const host::Document* doc = host_.document();
    if (doc != nullptr) {
        const auto addLayers = [&](auto&& self, host::Layer* first,
                                   QTreeWidgetItem* parent) -> void {
            for (host::Layer* layer = first; layer != nullptr; layer = doc->nextLayer(*layer)) {
                auto* item =
                    parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
                item->setData(0, kLayerRole, QVariant::fromValue(static_cast<void*>(layer)));
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
                item->setCheckState(kShow, layer->visible ? Qt::Checked : Qt::Unchecked);
                item->setCheckState(kLock, layer->editable ? Qt::Unchecked : Qt::Checked);
                item->setText(kTitle, QString::fromStdString(layer->title));
                if (layer == doc->currentLayer()) {
                    QFont font = item->font(kTitle);
                    font.setBold(true);
                    item->setFont(kTitle, font);
                    setCurrentItem(item);
                }
                self(self, doc->firstSublayer(*layer), item);
            }
        };
        addLayers(addLayers, doc->firstLayer(), nullptr);
    }
    expandAll();
    loading_ = false;
}

QTreeWidgetItem* LayersPanel::findLayer(const QString& title) const {
    const auto found = findItems(title, Qt::MatchExactly | Qt::MatchRecursive, kTitle);
    return found.isEmpty() ? nullptr : found.front();
}

void LayersPanel::onItemChanged(QTreeWidgetItem* item, int column) {
    host::Layer* layer = layerOf(item);
    host::Document* doc = host_.document();
    if (loading_ || layer == nullptr || doc == nullptr) return;
    if (column == kShow) doc->setLayerVisible(*layer, item->checkState(kShow) == Qt::Checked);
    if (column == kLock) doc->setLayerEditable(*layer, item->checkState(kLock) != Qt::Checked);
    if (column != kShow && column != kLock) return;
    host_.markModified();
    emit layersChanged();
}

void LayersPanel::onItemClicked(QTreeWidgetItem* item, int column) {
    host::Document* doc = host_.document();
    host::Layer* layer = layerOf(item);
    if (doc == nullptr || layer == nullptr || column != kTitle) return;
    if (doc->setCurrentLayer(*layer) != kHostNoErr) return;
    reload();
    emit currentLayerChanged();
}

} // namespace desk
