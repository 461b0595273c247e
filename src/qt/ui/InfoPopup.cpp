#include "qt/ui/InfoPopup.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace hvx {

int InfoPopup::HorizontalDialogUnits(const QWidget* widget, int units) {
    return units * widget->fontMetrics().averageCharWidth() / 4;
}

int InfoPopup::VerticalDialogUnits(const QWidget* widget, int units) {
    return units * widget->fontMetrics().height() / 8;
}

InfoPopup::InfoPopup(const QString& title, const QString& text, int width, QWidget* anchor,
                     int offsetBelowTop)
    : QFrame(anchor ? anchor->window() : nullptr, Qt::Popup | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::Box);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    setAutoFillBackground(true);

    title_ = new QLabel(title, this);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    text_ = new QLabel(text, this);
    for (QLabel* label : {title_, text_}) {
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->addWidget(title_);
    layout->addWidget(text_);

    const QWidget* metricsOf = anchor ? anchor : this;
    setFixedWidth(HorizontalDialogUnits(metricsOf, width));
    adjustSize();
    QPoint at = anchor ? anchor->mapToGlobal(QPoint(0, VerticalDialogUnits(anchor, offsetBelowTop)))
                       : QCursor::pos();
    // Keep the popup on the screen of its control.
    if (const QScreen* screen = anchor ? anchor->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        at.setX(qBound(area.left(), at.x(), qMax(area.left(), area.right() - this->width())));
        at.setY(qBound(area.top(), at.y(), qMax(area.top(), area.bottom() - height())));
    }
    move(at);
}

QString InfoPopup::Title() const { return title_->text(); }
QString InfoPopup::Text() const { return text_->text(); }

void InfoPopup::keyPressEvent(QKeyEvent* event) {
    close();
    event->accept();
}

}  // namespace hvx
