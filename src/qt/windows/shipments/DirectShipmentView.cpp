#include "qt/windows/shipments/DirectShipmentView.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/Format.h"
#include "qt/windows/pricing/FieldText.h"
#include "qt/windows/paynames/PayNameDialog.h"
#include "qt/windows/shipments/ShipmentLinesDialog.h"
#include "windows/paynames/PayNameEditor.h"
#include "qt/windows/shipments/ShipmentLoadsModel.h"
#include "windows/shipments/ShipmentWindowFields.h"

namespace hvx {
namespace {

// The document frame around the view, if it has one.
QMdiSubWindow* FrameOf(QWidget* view) {
    for (QWidget* w = view->parentWidget(); w; w = w->parentWidget())
        if (auto* frame = qobject_cast<QMdiSubWindow*>(w)) return frame;
    return nullptr;
}

}  // namespace

void FocusAfterRefresh::MoveFocus() {
    if (pending_.empty()) return;
    QtUiPort::SetFocus(pending_);
    pending_.clear();
}

DirectShipmentView::DirectShipmentView(QWidget* parent)
    : QWidget(parent), ui_(this), window_(ui_, this) {
    setObjectName("DirectShipmentView");
    // Built in the order the Tab key walks: header, loads, load form,
    // settlement, commands.
    QWidget* header = BuildHeader();
    model_ = new ShipmentLoadsModel(window_.Batch(), this);
    loads_ = new QTableView(this);
    loads_->setObjectName("Loads");
    loads_->setModel(model_);
    loads_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    loads_->setSelectionBehavior(QAbstractItemView::SelectRows);
    loads_->setSelectionMode(QAbstractItemView::SingleSelection);
    loads_->setTabKeyNavigation(false);
    loads_->verticalHeader()->hide();
    loads_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    loads_->setMinimumHeight(110);
    connect(loads_, &QTableView::clicked, this,
            [this](const QModelIndex& index) { Run([&] { window_.SelectRow(index.row()); }); });

    auto* left = new QVBoxLayout;
    left->addWidget(header);
    left->addWidget(loads_, 1);
    left->addWidget(BuildLoadForm());
    left->addWidget(BuildSettlement());
    auto* body = new QHBoxLayout(this);
    body->addLayout(left, 1);
    body->addLayout(BuildCommands());
    for (const auto& [name, button] : buttons_) ui_.RegisterField(name, button);
    window_.SetPayNamesDialog([this](settlement::SettlementPayNameList& payNames) {
        PayNameDialog dialog(this);
        PayNameEditor editor(dialog.Ui(), payNames);
        return dialog.Run(editor);
    });
    window_.SetLinesDialog([this](shipwin::ShipmentLinesEditor& editor) {
        ShipmentLinesDialog dialog(editor, this);
        return dialog.exec() == QDialog::Accepted;
    });
    Refresh();
}

void DirectShipmentView::Open() {
    window_.Open();
    Refresh();
}

QPushButton* DirectShipmentView::Button(const std::string& name) const {
    const auto found = buttons_.find(name);
    return found == buttons_.end() ? nullptr : found->second.data();
}

QLineEdit* DirectShipmentView::Field(const std::string& name) const {
    const auto found = fields_.find(name);
    return found == fields_.end() ? nullptr : found->second.first.data();
}


// A figure the clerk typed over a calculated one keeps a "*", so that no
// recalculation replaces it; a figure of its own (a weight, a price) is
// simply entered and the others follow from it.
QLineEdit* DirectShipmentView::AddField(const std::string& name, TextOf text, Kind kind) {
    auto* field = new QLineEdit(this);
    field->setObjectName(Q(name));
    fields_[name] = {field, text};
    ui_.RegisterField(name, field);
    connect(field, &QLineEdit::textEdited, this, [this, text](const QString& typed) {
        if (refreshing_) return;
        text(window_) = typed.toStdString();
        window_.MarkChanged();
    });
    if (kind == Kind::Plain) return field;
    connect(field, &QLineEdit::editingFinished, this, [this, field, text, kind] {
        if (!field->isModified()) return;
        field->setModified(false);
        std::string& value = text(window_);
        if (kind == Kind::Calculated && !value.empty() && value.back() != '*') value += '*';
        Run([&] { window_.FiguresChanged(); });
    });
    return field;
}

QPushButton* DirectShipmentView::AddButton(const char* caption, const std::string& name,
                                           std::function<void()> command) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(Q(name));
    button->setAutoDefault(false);
    buttons_[name] = button;
    connect(button, &QPushButton::clicked, this, [this, command] { Run(command); });
    return button;
}

QWidget* DirectShipmentView::WithLookup(QLineEdit* field, const std::string& name,
                                        std::function<void()> lookup) {
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(field, 1);
    auto* search = new QToolButton(box);
    search->setObjectName(Q("Search" + name));
    search->setText("...");
    search->setFocusPolicy(Qt::NoFocus);  // F4 and the button; Tab goes field to field
    connect(search, &QToolButton::clicked, this, [this, lookup] { Run(lookup); });
    row->addWidget(search);
    return box;
}

QLayout* DirectShipmentView::BuildCommands() {
    auto* column = new QVBoxLayout;
    column->addWidget(AddButton("&Finish", "Finish", [this] { window_.Finish(); }));
    column->addWidget(AddButton("&New", "New", [this] { window_.New(); }));
    column->addWidget(AddButton("Re&vise Shipment...", "Revise", [this] { window_.ReviseShipment(); }));
    column->addWidget(AddButton("P&rint", std::string(shipwin::kButtonPrint), [this] { window_.Print(); }));
    column->addWidget(AddButton("Co&mments", "Comments", [this] { window_.Comments(); }));
    column->addWidget(AddButton("&1 Pay Names", "PayNames", [this] { window_.PayNames(); }));
    column->addWidget(AddButton("&Help", "Help", [this] { window_.Help(); }));
    column->addStretch(1);
    auto* close = new QPushButton("&Close", this);
    close->setObjectName("Close");
    close->setAutoDefault(false);
    buttons_["Close"] = close;
    connect(close, &QPushButton::clicked, this, [this] {
        if (QMdiSubWindow* frame = FrameOf(this)) frame->close();
        else this->close();
    });
    column->addWidget(close);
    return column;
}

void DirectShipmentView::FillDeductions() {
    const auto& lines = window_.Deductions();
    deductions_->setRowCount(int(lines.size()));
    for (int row = 0; row < int(lines.size()); ++row) {
        const shipments::PurchaseDeduction& d = lines[std::size_t(row)];
        int column = 0;
        for (const std::string* text : {&d.reference, &d.amount, &d.da})
            deductions_->setItem(row, column++, new QTableWidgetItem(Q(*text)));
    }
}

void DirectShipmentView::Refresh() {
    refreshing_ = true;
    for (auto& [name, entry] : fields_)
        if (entry.first) ShowText(entry.first, entry.second(window_));
    shipmentFrom_->setCurrentText(Q(window_.Load().fromDpr));
    toDpr_->setCurrentText(Q(window_.Settlement().destination));
    paid_->setChecked(window_.Load().paid);
    guarantee_->setChecked(window_.Settlement().submittedForGuarantee);
    glAccount_->setVisible(window_.GlEntry());
    glLabel_->setVisible(window_.GlEntry());
    poundsPerUnit_->setText(Q(window_.PoundsPerUnitText()));
    unitOfMeasure_->setText(Q(window_.UnitOfMeasureText()));
    settlementNumber_->setText(Q("Settlement #: " + window_.SettlementNumber()));
    settlementAmounts_->setText(Q(_HVXsprintf("Gross: %.2f   Net: %s", window_.SettlementGross(),
                                              window_.SettlementNet())));
    model_->Reload();
    if (auto row = window_.SelectedRow()) loads_->selectRow(int(*row));
    FillDeductions();
    buttons_["RemoveLoad"]->setEnabled(window_.RemoveEnabled());
    buttons_[std::string(shipwin::kButtonPrint)]->setEnabled(window_.Finished());
    buttons_["Comments"]->setEnabled(window_.Finished());
    // A revised shipment leaves its purchase settlement as it was saved.
    settlementBox_->setEnabled(!window_.Revising());
    buttons_["PayNames"]->setEnabled(!window_.Revising());
    refreshing_ = false;
}

void DirectShipmentView::closeEvent(QCloseEvent* event) {
    bool mayClose = false;
    Run([&] { mayClose = window_.MayClose(); });
    if (mayClose) event->accept();
    else event->ignore();
}

}  // namespace hvx
