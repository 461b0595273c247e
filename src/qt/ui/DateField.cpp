#include "qt/ui/DateField.h"

#include <QCalendarWidget>
#include <QFocusEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/Dates.h"
#include "qt/ui/PictureButton.h"
#include "qt/ui/EditButtonLayout.h"

namespace hvx {

DateField::DateField(QWidget* parent) : QWidget(parent) {
    edit_ = new QLineEdit(this);
    button_ = new PictureButton("calendar", "...", this);
    button_->setToolTip("Choose a date from the calendar.");
    LayOutEditAndButton(this, edit_, button_);
    connect(button_, &QToolButton::clicked, this, &DateField::OpenCalendar);
}

QString DateField::Text() const { return edit_->text(); }
void DateField::SetText(const QString& text) { edit_->setText(text); }

QString DateField::Completed(const QString& typed) {
    const std::string normalised = NormaliseTypedDate(typed.toStdString());
    return QString::fromStdString(MakeDate(normalised));
}

bool DateField::CompleteTyped() {
    const QString typed = edit_->text().trimmed();
    if (typed.isEmpty()) {
        edit_->clear();
        emit dateCommitted(QString());
        return true;
    }
    const QString date = Completed(typed);
    if (date.isEmpty()) {
        emit invalidDate(edit_->text());
        return false;
    }
    edit_->setText(date);
    emit dateCommitted(date);
    return true;
}

// Leaving the field for the calendar popup, or for another program, is not
// leaving it: the user is still choosing the date.
bool DateField::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            CompleteTyped();
    }
    return QWidget::eventFilter(watched, event);
}

QCalendarWidget* DateField::Calendar() const {
    return popup_ && popup_->isVisible() ? popup_->findChild<QCalendarWidget*>() : nullptr;
}

void DateField::OpenCalendar() {
    if (!popup_) {
        popup_ = new QFrame(this, Qt::Popup);
        popup_->setFrameShape(QFrame::Box);
        auto* calendar = new QCalendarWidget(popup_);
        calendar->setGridVisible(true);
        auto* layout = new QVBoxLayout(popup_);
        layout->setContentsMargins(1, 1, 1, 1);
        layout->addWidget(calendar);
        // A click chooses the day, and so does Enter; a double click must not
        // choose it twice.
        auto choose = [this](QDate day) {
            if (!popup_->isVisible()) return;
            const QString text = QString::fromStdString(
                FormatMdy(CivilDate{day.year(), day.month(), day.day()}));
            edit_->setText(text);
            popup_->hide();
            edit_->setFocus(Qt::PopupFocusReason);
            emit dateCommitted(text);
        };
        connect(calendar, &QCalendarWidget::clicked, this, choose);
        connect(calendar, &QCalendarWidget::activated, this, choose);
    }
    auto* calendar = popup_->findChild<QCalendarWidget*>();
    CivilDate shown;
    if (!ParseDate(Completed(edit_->text()).toStdString(), shown)) shown = Today();
    calendar->setSelectedDate(QDate(shown.year, shown.month, shown.day));
    popup_->adjustSize();
    popup_->move(edit_->mapToGlobal(QPoint(0, edit_->height())));
    popup_->show();
    calendar->setFocus();
}

}  // namespace hvx
