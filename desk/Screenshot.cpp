#include "Screenshot.h"

#include <QDialog>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace desk {

QImage grabWindow(QWidget& window, QDialog* dialog) {
    QImage shot = window.grab().toImage();
    if (dialog == nullptr) return shot;
    const QPixmap body = dialog->grab();
    const int caption = dialog->fontMetrics().height() + 10;
    const QSize size(body.width() + 2, body.height() + caption + 1);
    const QPoint at((shot.width() - size.width()) / 2, (shot.height() - size.height()) / 3);
    QPainter painter(&shot);
    painter.fillRect(QRect(at + QPoint(4, 4), size), QColor(0, 0, 0, 60));
    painter.fillRect(QRect(at, size), dialog->palette().color(QPalette::Highlight));
    painter.setPen(dialog->palette().color(QPalette::HighlightedText));
    painter.setFont(dialog->font());
    painter.drawText(QRect(at.x() + 8, at.y(), size.width() - 16, caption),
                     Qt::AlignVCenter | Qt::AlignLeft, dialog->windowTitle());
    painter.drawPixmap(at + QPoint(1, caption), body);
    return shot;
}

} // namespace desk
