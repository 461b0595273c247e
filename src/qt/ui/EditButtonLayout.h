#pragma once
// The layout shared by the fields that are a text box with a small button
// beside it (lookup and date fields): the box takes the width, the button is
// reached by mouse or key and never by Tab, and the field hands its focus and
// its key events to the box.
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>
#include <QWidget>

namespace hvx {

inline void LayOutEditAndButton(QWidget* field, QLineEdit* edit, QToolButton* button) {
    button->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QHBoxLayout(field);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(edit, 1);
    layout->addWidget(button);
    field->setFocusProxy(edit);
    edit->installEventFilter(field);
}

}  // namespace hvx
