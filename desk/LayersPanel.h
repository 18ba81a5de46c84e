// The layers list: the document's layer tree with a show and a lock switch on each layer;
// the current layer is marked and chosen by clicking a layer.
#pragma once

#include <QTreeWidget>

namespace desk {

class DeskHost;

class LayersPanel final : public QTreeWidget {
    Q_OBJECT
public:
    enum Column { kShow = 0, kLock = 1, kTitle = 2 };

    explicit LayersPanel(DeskHost& host, QWidget* parent = nullptr);
    /// Reads the layers again from the document.
    void reload();
    /// The row of the layer with this title; null when there is none.
    [[nodiscard]] QTreeWidgetItem* findLayer(const QString& title) const;

signals:
    /// A layer was shown, hidden, locked or unlocked.
    void layersChanged();
    void currentLayerChanged();

private:
    void onItemChanged(QTreeWidgetItem* item, int column);
    void onItemClicked(QTreeWidgetItem* item, int column);

    DeskHost& host_;
    bool loading_ = false;
};

} // namespace desk
