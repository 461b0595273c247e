#include "qt/windows/advances/AdvanceSelectionDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>
#include <string>
#include <vector>

namespace hvx {
namespace {


QTableWidget* NewList(QWidget* parent) {
    auto* list = new QTableWidget(0, 5, parent);
    list->setHorizontalHeaderLabels({"Customer", "Name", "Date", "Open Amount", "Record"});
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->verticalHeader()->hide();
    list->setWordWrap(false);
    list->horizontalHeader()->setStretchLastSection(true);
    return list;
}

void Fill(QTableWidget* list, const std::vector<AdvanceSelectionRow>& rows) {
    const QSignalBlocker quiet(list);
    list->setRowCount(static_cast<int>(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        const AdvanceSelectionRow& row = rows[i];
        const std::string cells[] = {row.custRef, row.custName, row.advDate, row.OpenText(),
                                     row.RecnoText()};
        for (int c = 0; c < 5; ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(cells[c]));
            if (c >= 3) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            list->setItem(static_cast<int>(i), c, item);
        }
    }
}

void Select(QTableWidget* list, int row) {
    row = qMin(row, list->rowCount() - 1);
    if (row < 0) return;
    list->setCurrentCell(row, 0);
    list->selectRow(row);
}

QPushButton* NewButton(const char* text, const char* hint, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setToolTip(hint);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

AdvanceSelectionDialog::AdvanceSelectionDialog(QWidget* parent) : QDialog(parent), AdvanceSelectionDialogPort(ui_), ui_(this) {
    setWindowTitle("Select Advances");
    open_ = NewList(this);
    chosen_ = NewList(this);
    allCustomers_ = new QCheckBox("Show advances of a&ll customers", this);
    left_ = new QLabel(this);

    add_ = NewButton("&Add", AdvanceSelectionController::kAddHint, this);
    remove_ = NewButton("&Remove", AdvanceSelectionController::kRemoveHint, this);
    up_ = NewButton("Move &Up", AdvanceSelectionController::kMoveUpHint, this);
    down_ = NewButton("Move &Down", AdvanceSelectionController::kMoveDownHint, this);
    connect(add_, &QPushButton::clicked, this,
            [this] { Forward(open_, &AdvanceSelectionController::Add, 0); });
    connect(remove_, &QPushButton::clicked, this,
            [this] { Forward(chosen_, &AdvanceSelectionController::Remove, 0); });
    connect(up_, &QPushButton::clicked, this,
            [this] { Forward(chosen_, &AdvanceSelectionController::MoveUp, -1); });
    connect(down_, &QPushButton::clicked, this,
            [this] { Forward(chosen_, &AdvanceSelectionController::MoveDown, 1); });
    connect(allCustomers_, &QCheckBox::toggled, this, &AdvanceSelectionDialog::SwitchCustomers);

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = box->button(QDialogButtonBox::Ok);
    cancel_ = box->button(QDialogButtonBox::Cancel);
    ok_->setDefault(true);
    // OK asks the controller first; the box's own accepted signal would close at once.
    connect(ok_, &QPushButton::clicked, this, &AdvanceSelectionDialog::Ok);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* moves = new QVBoxLayout;
    for (QPushButton* b : {add_, remove_}) moves->addWidget(b);
    moves->addSpacing(12);
    for (QPushButton* b : {up_, down_}) moves->addWidget(b);
    moves->addStretch(1);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Open advances:", this), 0, 0);
    grid->addWidget(new QLabel("Advances to repay, in order:", this), 0, 2);
    grid->addWidget(open_, 1, 0);
    grid->addLayout(moves, 1, 1);
    grid->addWidget(chosen_, 1, 2);
    grid->addWidget(allCustomers_, 2, 0);
    grid->addWidget(left_, 2, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addWidget(box);
    resize(980, 420);
}

bool AdvanceSelectionDialog::Run(AdvanceSelectionController& controller) {
    controller_ = &controller;
    Refresh();
    Select(open_, 0);
    const bool accepted = exec() == QDialog::Accepted;
    controller_ = nullptr;
    return accepted;
}

void AdvanceSelectionDialog::Forward(QTableWidget* list, Command command, int follow) {
    const int row = list->currentRow();
    if (!controller_ || row < 0) return;
    if (!(controller_->*command)(static_cast<std::size_t>(row))) return;
    Refresh();
    Select(list, row + follow);
}

void AdvanceSelectionDialog::SwitchCustomers(bool on) {
    if (!controller_) return;
    std::string message;
    if (!controller_->SetAllCustomers(on, message)) ShowMessage(ui_, message);
    Refresh();
    Select(open_, 0);
}

void AdvanceSelectionDialog::Ok() {
    if (controller_ && controller_->Ok()) accept();
}

void AdvanceSelectionDialog::Refresh() {
    Fill(open_, controller_->OpenAdvances());
    Fill(chosen_, controller_->ChosenAdvances());
    left_->setText(QString::fromStdString(controller_->LeftToApplyText()));
    const QSignalBlocker quiet(allCustomers_);
    allCustomers_->setChecked(controller_->AllCustomers());
}

}  // namespace hvx
