#pragma once
// A number of the destination terms (a rate, an amount prepaid). The terms
// keep numbers as text, so the field only lets a plain number, or nothing,
// through: leaving it with anything else shows why and brings the focus
// back. A number left in the field is shown as the stored numbers are, with
// at least the field's decimals and never with fewer than were typed, so no
// typed digit of a rate is rounded away.
#include <QLineEdit>
#include <string>
#include <string_view>

namespace hvx {

class QtUiPort;

class NumberField : public QLineEdit {
    Q_OBJECT
public:
    // caption names the field in the refusal; name is its name for the port.
    NumberField(const QString& caption, int decimals, std::string name, QtUiPort& ui,
                QWidget* parent = nullptr);

    // The text as the terms keep it: "" for a blank text, the formatted
    // number, or nothing when the text is no plain number ("-12.5" is one;
    // "1e3", "12,5" and "12.5*" are not).
    static bool Stored(std::string_view typed, int decimals, std::string& stored);

signals:
    // Left with a number or empty; text is what the terms keep.
    void numberCommitted(const QString& text);

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString caption_;
    int decimals_;
    std::string name_;
    QtUiPort& ui_;
};

}  // namespace hvx
