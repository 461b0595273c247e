#include "qt/ui/PickListDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace hvx {

PickListDialog::PickListDialog(const PickList& list, const QString& startText, QWidget* parent)
    : QDialog(parent), list_(list) {
    setWindowTitle("Search");
    const PickColumn& key = list_.Columns().at(list_.KeyColumn());

    search_ = new QLineEdit(startText, this);
    search_->installEventFilter(this);
    auto* label = new QLabel(QString::fromStdString(key.title) + ":", this);
    label->setBuddy(search_);

    table_ = new QTableWidget(this);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setTabKeyNavigation(false);
    table_->verticalHeader()->hide();
    table_->setWordWrap(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    Fill();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &PickListDialog::Pick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this] { Pick(); });
    connect(search_, &QLineEdit::textEdited, this, &PickListDialog::TypeAhead);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(search_);
    layout->addWidget(table_, 1);
    layout->addWidget(buttons);

    int width = 0;
    for (int c = 0; c < table_->columnCount(); ++c) width += table_->columnWidth(c);
    resize(qMin(width + 60, 1000), 420);
    search_->setFocus();
    TypeAhead(startText);
}

void PickListDialog::Fill() {
    const auto& columns = list_.Columns();
    const auto& rows = list_.Rows();
    table_->setColumnCount(static_cast<int>(columns.size()));
    table_->setRowCount(static_cast<int>(rows.size()));
    QStringList titles;
    const int charWidth = table_->fontMetrics().averageCharWidth();
    for (size_t c = 0; c < columns.size(); ++c) {
        titles << QString::fromStdString(columns[c].title);
        table_->setColumnWidth(static_cast<int>(c), columns[c].width * charWidth + 8);
    }
    table_->setHorizontalHeaderLabels(titles);
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < columns.size(); ++c)
            table_->setItem(static_cast<int>(r), static_cast<int>(c),
                            new QTableWidgetItem(QString::fromStdString(rows[r].cells[c])));
}

void PickListDialog::TypeAhead(const QString& text) {
    const int row = list_.RowFor(text.toStdString());
    if (row < 0) {
        table_->clearSelection();
        table_->setCurrentCell(-1, -1);
        return;
    }
    table_->selectRow(row);
    table_->scrollToItem(table_->item(row, 0), QAbstractItemView::PositionAtTop);
}

void PickListDialog::Pick() {
    const QList<QTableWidgetSelectionRange> ranges = table_->selectedRanges();
    if (ranges.isEmpty()) {
        QApplication::beep();
        return;
    }
    chosen_ = ranges.first().topRow();
    accept();
}

// The arrow and page keys in the search line move through the rows, so the
// user can type a few letters and then step to a neighbour without the mouse.
bool PickListDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == search_ && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
                QApplication::sendEvent(table_, event);
                return true;
            default:
                break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace hvx
