#include "qt/windows/entry/pages/NumberField.h"

#include <QFocusEvent>
#include <algorithm>
#include <cctype>
#include <charconv>
#include <utility>

#include "qt/ui/QtUiPort.h"

namespace hvx {
namespace {

// The digits after the point of a plain number, or -1 when the text is no
// plain number: an optional minus, digits, an optional point and digits,
// and at least one digit in all.
int PlainDecimals(std::string_view text) {
    std::size_t i = !text.empty() && text.front() == '-' ? 1 : 0;
    int digits = 0, decimals = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !point) {
            point = true;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            ++digits;
            if (point) ++decimals;
        } else {
            return -1;
        }
    }
    return digits > 0 ? decimals : -1;
}

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

NumberField::NumberField(const QString& caption, int decimals, std::string name, QtUiPort& ui,
                         QWidget* parent)
    : QLineEdit(parent), caption_(caption), decimals_(decimals), name_(std::move(name)), ui_(ui) {
    setAlignment(Qt::AlignRight);
}

bool NumberField::Stored(std::string_view typed, int decimals, std::string& stored) {
    const std::string_view text = Trim(typed);
    if (text.empty()) {
        stored.clear();
        return true;
    }
    const int typedDecimals = PlainDecimals(text);
    if (typedDecimals < 0) return false;
    double value = 0;
    // from_chars reads the C form whatever the process locale says.
    if (std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc())
        return false;
    stored = QString::number(value, 'f', std::max(decimals, typedDecimals)).toStdString();
    return true;
}

// Leaving for a message box, the calendar or another program is not leaving.
void NumberField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    std::string stored;
    if (!Stored(text().toStdString(), decimals_, stored)) {
        ShowMessage(ui_, (caption_ + " must be a number.").toStdString());
        ui_.SetFocus(name_);
        return;
    }
    setText(QString::fromStdString(stored));
    emit numberCommitted(text());
}

}  // namespace hvx
