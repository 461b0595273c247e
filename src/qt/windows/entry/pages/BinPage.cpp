#include "qt/windows/entry/pages/BinPage.h"

#include <QLabel>
#include <QVBoxLayout>

namespace hvx {

BinPage::BinPage(QWidget* parent) : QWidget(parent) {
    auto* text = new QLabel(
        "Nothing to price here: these units go back to the customer as redelivered grain.", this);
    text->setObjectName("BinText");
    text->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addStretch(1);
}

}  // namespace hvx
