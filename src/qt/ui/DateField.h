#pragma once
// A date field: a text field with a calendar button. What the user types is
// completed when the field is left ("3/7/24" becomes "03/07/2024"); an empty
// field stays empty, and a text that names no date is kept as typed and
// reported, so the window can say what is wrong with it.
#include <QWidget>

class QCalendarWidget;
class QFrame;
class QLineEdit;
class QToolButton;

namespace hvx {

class DateField : public QWidget {
    Q_OBJECT
public:
    explicit DateField(QWidget* parent = nullptr);

    QLineEdit* LineEdit() const { return edit_; }
    QToolButton* CalendarButton() const { return button_; }
    QString Text() const;
    void SetText(const QString& text);

    // Completes the typed text as on leaving the field; false when it names
    // no date (the text is then left as it is).
    bool CompleteTyped();
    // The completed form of a typed text, or an empty text when it names no date.
    static QString Completed(const QString& typed);

    void OpenCalendar();
    // The open calendar popup, or null.
    QCalendarWidget* Calendar() const;

signals:
    // The field was left, or a day was chosen on the calendar; text is the
    // completed date or "".
    void dateCommitted(const QString& text);
    void invalidDate(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* edit_;
    QToolButton* button_;
    QFrame* popup_ = nullptr;
};

}  // namespace hvx
