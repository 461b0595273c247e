#include "qt/ui/LookupField.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>

#include "qt/ui/PictureButton.h"
#include "qt/ui/EditButtonLayout.h"

namespace hvx {

LookupField::LookupField(QWidget* parent) : QWidget(parent) {
    edit_ = new QLineEdit(this);
    button_ = new PictureButton("search", "...", this);
    // The button is reached by mouse or F4; Tab goes from field to field.
    LayOutEditAndButton(this, edit_, button_);
    connect(button_, &QToolButton::clicked, this, &LookupField::lookupRequested);
}

QString LookupField::Text() const { return edit_->text(); }
void LookupField::SetText(const QString& text) { edit_->setText(text); }
void LookupField::SetSearchHint(const QString& hint) { button_->setToolTip(hint); }

bool LookupField::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F4) {
        emit lookupRequested();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace hvx
