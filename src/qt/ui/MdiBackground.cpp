#include "qt/ui/MdiBackground.h"

#include <QPainter>

namespace hvx {

MdiBackground::MdiBackground(QWidget* parent, const QString& name)
    : QMdiArea(parent), name_(name) {}

void MdiBackground::paintEvent(QPaintEvent* event) {
    QMdiArea::paintEvent(event);
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing);
    // The name fills about half the width, in the background's own colour
    // lightened, so it never competes with the document windows.
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(qMax(12, viewport()->width() / qMax(8, static_cast<int>(name_.size()))));
    painter.setFont(font);
    QColor ink = background().color().lighter(135);
    if (ink == background().color()) ink = QColor(255, 255, 255, 90);
    painter.setPen(ink);
    painter.drawText(viewport()->rect(), Qt::AlignCenter, name_);
}

}  // namespace hvx
