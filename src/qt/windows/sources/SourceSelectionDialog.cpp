#include "qt/windows/sources/SourceSelectionDialog.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace hvx {
namespace {

QLineEdit* NewTotal(QWidget* parent) {
    auto* total = new QLineEdit(parent);
    total->setReadOnly(true);
    total->setFocusPolicy(Qt::NoFocus);
    total->setAlignment(Qt::AlignRight);
    total->setMaximumWidth(130);
    return total;
}

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

SourceSelectionDialog::SourceSelectionDialog(QWidget* parent)
    : QDialog(parent), ui_(this) {
    setWindowTitle("Select Sources");
    title_ = new QLabel(this);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    first_ = new QLabel(this);
    second_ = new QLabel(this);

    assembly_ = new QLineEdit(this);
    assembly_->setMaxLength(19);
    assembly_->setMaximumWidth(160);
    assemblyLabel_ = new QLabel("&Assembly:", this);
    assemblyLabel_->setBuddy(assembly_);
    assembly_->installEventFilter(this);
    connect(assembly_, &QLineEdit::editingFinished, this, &SourceSelectionDialog::LeaveAssembly);

    model_ = new SourceSelectionModel(this);
    grid_ = new QTableView(this);
    grid_->setModel(model_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setTabKeyNavigation(false);
    grid_->setWordWrap(false);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->installEventFilter(this);
    connect(model_, &SourceSelectionModel::CheckedChanged, this, &SourceSelectionDialog::ShowTotals);

    units_ = NewTotal(this);
    price_ = NewTotal(this);
    amount_ = NewTotal(this);

    auto* box = new QDialogButtonBox(this);
    ok_ = box->addButton("&OK", QDialogButtonBox::AcceptRole);
    cancel_ = box->addButton("&Cancel", QDialogButtonBox::RejectRole);
    ok_->setDefault(true);
    // OK asks the controller first; the box's own accepted signal would close at once.
    connect(ok_, &QPushButton::clicked, this, &SourceSelectionDialog::Ok);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    ui_.RegisterField(SourceSelectionController::kAssemblyField, assembly_);
    ui_.RegisterField(SourceSelectionController::kGridField, grid_);

    auto* limiter = new QHBoxLayout;
    limiter->addWidget(assemblyLabel_);
    limiter->addWidget(assembly_);
    limiter->addStretch(1);
    auto* totals = new QHBoxLayout;
    totals->addStretch(1);
    totals->addWidget(units_);
    totals->addWidget(new QLabel("x", this));
    totals->addWidget(price_);
    totals->addWidget(new QLabel("=", this));
    totals->addWidget(amount_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addWidget(first_);
    layout->addWidget(second_);
    layout->addLayout(limiter);
    layout->addWidget(grid_, 1);
    layout->addLayout(totals);
    layout->addWidget(box);
    setTabOrder(assembly_, grid_);
    setTabOrder(grid_, ok_);
    setTabOrder(ok_, cancel_);
    resize(1180, 460);
}

void SourceSelectionDialog::Show(SourceSelectionController& controller) {
    controller_ = &controller;
    // The title names what is listed, on the frame and as the heading.
    setWindowTitle(Text(controller.Title()));
    title_->setText(Text(controller.Title()));
    first_->setText(Text(controller.FirstMessage()));
    second_->setText(Text(controller.SecondMessage()));
    first_->setVisible(!controller.FirstMessage().empty());
    second_->setVisible(!controller.SecondMessage().empty());
    assemblyLabel_->setVisible(controller.AssemblyShown());
    assembly_->setVisible(controller.AssemblyShown());
    assembly_->setText(Text(controller.Assembly()));
    model_->SetController(&controller);
    FitColumns();
    grid_->verticalHeader()->setDefaultSectionSize(QFontMetrics(grid_->font()).height() + 6);
    if (model_->rowCount() > 0) grid_->setCurrentIndex(model_->index(0, 1));
    ShowTotals();
}

bool SourceSelectionDialog::Run(SourceSelectionController& controller) {
    controller.Fill();
    Show(controller);
    (controller.AssemblyShown() ? static_cast<QWidget*>(assembly_) : grid_)->setFocus();
    const bool accepted = exec() == QDialog::Accepted;
    model_->SetController(nullptr);
    controller_ = nullptr;
    return accepted;
}

bool SourceSelectionDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // Enter in the limiter leaves it for the list instead of closing the dialog.
        if (watched == assembly_ && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            grid_->setFocus(Qt::TabFocusReason);
            return true;
        }
        if (watched == grid_ && key == Qt::Key_Space) {
            ToggleCurrent();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void SourceSelectionDialog::LeaveAssembly() {
    // The assembly lookup takes the focus from the field while it runs.
    if (!controller_ || leaving_) return;
    leaving_ = true;
    controller_->SetAssembly(assembly_->text().toStdString());
    controller_->LeaveAssembly();
    assembly_->setText(Text(controller_->Assembly()));
    model_->Reload();
    FitColumns();
    if (model_->rowCount() > 0) grid_->setCurrentIndex(model_->index(0, 1));
    ShowTotals();
    leaving_ = false;
}

void SourceSelectionDialog::FitColumns() {
    // A customer has tens of open tickets, not thousands: measuring every
    // cell is cheap, and no ticket number or category is cut.
    grid_->resizeColumnsToContents();
}

void SourceSelectionDialog::ToggleCurrent() {
    const QModelIndex current = grid_->currentIndex();
    if (!controller_ || !current.isValid()) return;
    const SourceRow& row = controller_->Rows()[current.row()];
    const std::string link = row.link, reference = row.reference;
    if (!model_->Toggle(current.row())) return;
    // The list lost rows: the cursor stays on the row just checked.
    for (std::size_t r = 0; r < controller_->Rows().size(); ++r)
        if (controller_->Rows()[r].link == link && controller_->Rows()[r].reference == reference)
            grid_->setCurrentIndex(model_->index(static_cast<int>(r), current.column()));
}

void SourceSelectionDialog::ShowTotals() {
    if (!controller_) return;
    units_->setText(Text(controller_->SelectedUnitsText()));
    price_->setText(Text(controller_->UnitPriceText()));
    amount_->setText(Text(controller_->AmountText()));
}

void SourceSelectionDialog::Ok() {
    if (controller_ && controller_->Ok()) accept();
}

}  // namespace hvx
