#include "qt/windows/shipments/ShipmentLinesDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "qt/windows/pricing/FieldText.h"
#include "windows/shipments/ShipmentLinesEditor.h"

namespace hvx {

ShipmentLinesDialog::ShipmentLinesDialog(shipwin::ShipmentLinesEditor& editor, QWidget* parent)
    : QDialog(parent), ui_(this), editor_(editor) {
    setWindowTitle(editor.Title());
    reference_ = new QLineEdit(this);
    reference_->setObjectName(Q(shipwin::kFieldLineReference));
    value_ = new QLineEdit(this);
    value_->setObjectName(Q(shipwin::kFieldLineValue));
    auto* search = new QToolButton(this);
    search->setText("...");
    search->setToolTip(Q(editor.SearchHint()));
    search->setFocusPolicy(Qt::NoFocus);
    auto* referenceRow = new QHBoxLayout;
    referenceRow->addWidget(reference_, 1);
    referenceRow->addWidget(search);
    auto* form = new QFormLayout;
    form->addRow(editor.ReferenceLabel(), referenceRow);
    form->addRow(editor.ValueLabel(), value_);
    lines_ = new QTableWidget(0, 2, this);
    lines_->setHorizontalHeaderLabels({"Reference", editor.ValueLabel()});
    lines_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lines_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lines_->setSelectionMode(QAbstractItemView::SingleSelection);
    lines_->setTabKeyNavigation(false);
    lines_->verticalHeader()->hide();
    lines_->horizontalHeader()->setStretchLastSection(true);
    auto* buttons = new QHBoxLayout;
    const auto add = [&](const char* caption, auto command) {
        auto* b = new QPushButton(caption, this);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, command);
        buttons->addWidget(b);
        return b;
    };
    add("&Accept", [this] { Run([this] { editor_.Accept(); }); });
    add("&New", [this] { Run([this] { editor_.New(); }); });
    add("&Remove", [this] { Run([this] { editor_.Remove(); }); });
    add("&Ok", [this] { accept(); });
    add("&Cancel", [this] { reject(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(lines_, 1);
    layout->addLayout(buttons);
    connect(search, &QToolButton::clicked, this, [this] { Run([this] { editor_.Search(); }); });
    connect(reference_, &QLineEdit::textEdited, this,
            [this](const QString& t) { editor_.reference = Typed(t); });
    connect(value_, &QLineEdit::textEdited, this,
            [this](const QString& t) { editor_.value = Typed(t); });
    connect(lines_, &QTableWidget::cellClicked, this,
            [this](int row) { Run([&] { editor_.Select(std::size_t(row)); }); });
    ui_.RegisterField(std::string(shipwin::kFieldLineReference), reference_);
    ui_.RegisterField(std::string(shipwin::kFieldLineValue), value_);
    editor_.UseUi(ui_);
    resize(420, 300);
    Refresh();
}

void ShipmentLinesDialog::Refresh() {
    ShowText(reference_, editor_.reference);
    ShowText(value_, editor_.value);
    const auto& lines = editor_.Lines();
    lines_->setRowCount(int(lines.size()));
    for (int row = 0; row < int(lines.size()); ++row) {
        lines_->setItem(row, 0, new QTableWidgetItem(Q(lines[std::size_t(row)].reference)));
        lines_->setItem(row, 1, new QTableWidgetItem(Q(lines[std::size_t(row)].value)));
    }
}

}  // namespace hvx
