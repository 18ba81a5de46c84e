#include "PanelDocks.h"

#include "DeskHost.h"
#include "WsPanelWidget.h"

#include "host/core/Application.h"

#include <QDockWidget>
#include <QMainWindow>

namespace desk {
namespace {

QColor colourOf(const HostThemeColor& c) {
    return QColor::fromRgbF(static_cast<float>(c.red), static_cast<float>(c.green),
                            static_cast<float>(c.blue));
}

} // namespace

PanelDocks::PanelDocks(DeskHost& host, QMainWindow& window) : host_(host), window_(window) {}

QDockWidget* PanelDocks::dock(const QString& title) const {
    for (const auto& [handle, d] : docks_)
        if (d->windowTitle() == title) return d;
    return nullptr;
}

WsPanelWidget* PanelDocks::panel(const QString& title) const {
    QDockWidget* d = dock(title);
    return d == nullptr ? nullptr : qobject_cast<WsPanelWidget*>(d->widget());
}

void PanelDocks::setDark(bool dark) {
    host_.app().setDarkInterface(dark);
    sync();
}

void PanelDocks::sync() {
    if (syncing_) return;
    syncing_ = true;
    host::Panels& panels = host_.app().panels();
    const host::InterfaceLook& look = panels.look();
    for (host::PanelRecord* record : panels.all()) {
        QDockWidget*& d = docks_[record->handle];
        const auto window = static_cast<WsWindow>(record->window);
        if (d == nullptr) {
            d = new QDockWidget(QString::fromStdString(record->title), &window_);
            d->setObjectName(QStringLiteral("panel:") + QString::fromStdString(record->id));
            auto* widget = new WsPanelWidget(window, d);
            d->setWidget(widget);
            window_.addDockWidget(Qt::LeftDockWidgetArea, d);
            connect(widget, &WsPanelWidget::aboutToAct, this, [this] { host_.beginChange(); });
            connect(widget, &WsPanelWidget::acted, this, [this, d] {
                host_.endChange(d->windowTitle().toStdString());
                emit panelActed();
            });
            // Closing the dock hides the panel, as its own close box would.
            connect(d, &QDockWidget::visibilityChanged, this, [this, record, window](bool shown) {
                if (syncing_ || shown || !window_.isVisible() || !ws::PanelView(window).isShown())
                    return;
                host_.app().panels().show(*record, false);
                emit panelActed();
            });
        }
        auto* widget = qobject_cast<WsPanelWidget*>(d->widget());
        widget->setColours(colourOf(look.background), colourOf(look.text));
        widget->refresh();
        d->setMinimumSize(widget->sizeHint());
        d->setVisible(ws::PanelView(window).isShown());
    }
    syncing_ = false;
}

} // namespace desk
