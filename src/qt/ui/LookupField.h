#pragma once
// A text field with a small search button beside it. The button (or F4 in the
// field) asks the window to run the field's lookup; the field itself decides
// nothing about what is looked up.
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace hvx {

class LookupField : public QWidget {
    Q_OBJECT
public:
    explicit LookupField(QWidget* parent = nullptr);

    QLineEdit* LineEdit() const { return edit_; }
    QToolButton* SearchButton() const { return button_; }
    QString Text() const;
    void SetText(const QString& text);
    // The hint of the search button ("Search for a location.").
    void SetSearchHint(const QString& hint);

signals:
    void lookupRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* edit_;
    QToolButton* button_;
};

}  // namespace hvx
