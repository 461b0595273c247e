#pragma once
// Form data text in and out of the entry fields of the page.
#include <QLineEdit>
#include <string>
#include <string_view>

namespace hvx {

// Shows the form's text; a field already showing it keeps its cursor and
// selection, so redrawing the page while the user types disturbs nothing.
inline void ShowText(QLineEdit* field, const std::string& text) {
    const QString shown = QString::fromStdString(text);
    if (field->text() != shown) field->setText(shown);
}

inline QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string Typed(const QString& text) { return text.toStdString(); }

}  // namespace hvx
