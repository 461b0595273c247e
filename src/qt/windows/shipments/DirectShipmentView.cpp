#include "qt/windows/shipments/DirectShipmentView.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
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
#include "qt/windows/shipments/ShipmentLoadsModel.h"
#include "rules/Categories.h"
#include "windows/shipments/ShipmentWindowFields.h"

namespace hvx {
namespace {

using shipwin::DirectShipmentWindow;

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }
std::string S(std::string_view text) { return std::string(text); }

QLabel* LabelFor(const char* text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

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

template <class Command>
void DirectShipmentView::Run(Command command) {
    command();
    Refresh();
    ui_.MoveFocus();
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

QWidget* DirectShipmentView::BuildHeader() {
    auto* box = new QGroupBox("Shipment", this);
    auto* grid = new QHBoxLayout(box);
    QLineEdit* date = AddField(S(shipwin::kFieldDate),
                               [](DirectShipmentWindow& w) -> std::string& {
                                   return w.Batch().header.date;
                               });
    QLineEdit* commodity = AddField(S(shipwin::kFieldCommodity),
                                    [](DirectShipmentWindow& w) -> std::string& {
                                        return w.Batch().header.commodity;
                                    });
    connect(commodity, &QLineEdit::editingFinished, this, [this, commodity] {
        if (!commodity->isModified()) return;
        commodity->setModified(false);
        Run([&] { window_.CommodityLeft(); });
    });
    QLineEdit* location = AddField(S(shipwin::kFieldLocation),
                                   [](DirectShipmentWindow& w) -> std::string& {
                                       return w.Batch().header.location;
                                   });
    date->setPlaceholderText("MM/DD/YYYY");
    poundsPerUnit_ = new QLabel(this);
    unitOfMeasure_ = new QLabel(this);
    grid->addWidget(LabelFor("Da&te", date, this));
    grid->addWidget(date);
    grid->addWidget(LabelFor("Commodit&y", commodity, this));
    grid->addWidget(WithLookup(commodity, "Commodity", [this] { window_.SearchCommodity(); }));
    grid->addWidget(LabelFor("&Location", location, this));
    grid->addWidget(WithLookup(location, "Location", [this] { window_.SearchLocation(); }));
    grid->addWidget(poundsPerUnit_);
    grid->addWidget(unitOfMeasure_);
    grid->addStretch(1);
    return box;
}

QWidget* DirectShipmentView::BuildLoadForm() {
    auto* box = new QGroupBox("Load", this);
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(3);
    using L = shipments::DirectShipmentLoad;
    const auto load = [](std::string L::*member) {
        return [member](DirectShipmentWindow& w) -> std::string& { return w.Load().*member; };
    };
    const auto figure = [](std::string shipments::LoadFigures::*member) {
        return [member](DirectShipmentWindow& w) -> std::string& {
            return w.Load().figures.*member;
        };
    };
    using F = shipments::LoadFigures;
    struct Cell {
        const char* label;
        std::string name;
        TextOf text;
        Kind kind;
    };
    const Cell cells[] = {
        {"&Shipment #", S(shipwin::kFieldReference), load(&L::reference), Kind::Plain},
        {"Destination", S(shipwin::kFieldDestination), load(&L::destination), Kind::Plain},
        {"Contract", S(shipwin::kFieldContract), load(&L::contract), Kind::Figure},
        {"Sold To", S(shipwin::kFieldSoldTo), load(&L::soldToRef), Kind::Plain},
        {"BL/Car #", "CarNumber", load(&L::carNumber), Kind::Plain},
        {"Car Initial", "CarInitial", load(&L::carInitial), Kind::Plain},
        {"Truc&ker", S(shipwin::kFieldTrucker), load(&L::trucker), Kind::Plain},
        {"W&eigh Date", S(shipwin::kFieldWeighDate), load(&L::weighDate), Kind::Plain},
        {"Grade", "Grade", load(&L::grade), Kind::Plain},
        {"Gross Wt", "GrossWt", figure(&F::grossWt), Kind::Figure},
        {"Dockage", "Dockage", figure(&F::dockage), Kind::Figure},
        {"Dock Wt", "DockWt", figure(&F::dockWt), Kind::Calculated},
        {"Net Wt", "NetWt", figure(&F::netWt), Kind::Calculated},
        {"Net &Units", S(shipwin::kFieldNetUnits), figure(&F::netUnits), Kind::Calculated},
        {"Sale &Price", S(shipwin::kFieldSalePrice), figure(&F::salePrice), Kind::Figure},
        {"Gross Amt", S(shipwin::kFieldGrossAmt), figure(&F::grossAmt), Kind::Calculated},
        {"Deductions", "Deductions", figure(&F::deductions), Kind::Figure},
        {"Advances", "Advances", figure(&F::advances), Kind::Figure},
        {"Net Amt", "NetAmt", figure(&F::netAmt), Kind::Calculated},
        {"Purch Price", S(shipwin::kFieldPurchasePrice), load(&L::purchasePrice), Kind::Plain},
    };
    const std::map<std::string, std::function<void()>> lookups{
        {S(shipwin::kFieldDestination), [this] { window_.SearchDestination(); }},
        {S(shipwin::kFieldContract), [this] { window_.SearchContract(); }},
        {S(shipwin::kFieldTrucker), [this] { window_.SearchTrucker(); }},
    };
    shipmentFrom_ = new QComboBox(this);
    shipmentFrom_->setObjectName("ShipmentFrom");
    shipmentFrom_->addItems({Q(shipwin::kCompanyOwned), Q(shipwin::kPricedLater)});
    connect(shipmentFrom_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (!refreshing_) window_.Load().fromDpr = text.toStdString(), window_.MarkChanged();
    });
    grid->addWidget(LabelFor("Shipment From", shipmentFrom_, this), 0, 0);
    grid->addWidget(shipmentFrom_, 0, 1);
    int at = 1;
    for (const Cell& c : cells) {
        QLineEdit* field = AddField(c.name, c.text, c.kind);
        field->setMinimumWidth(80);
        const auto lookup = lookups.find(c.name);
        QWidget* shown =
            lookup == lookups.end() ? field : WithLookup(field, c.name, lookup->second);
        grid->addWidget(LabelFor(c.label, field, this), at / 6, (at % 6) * 2);
        grid->addWidget(shown, at / 6, (at % 6) * 2 + 1);
        ++at;
    }
    paid_ = new QCheckBox("Paid", this);
    paid_->setObjectName("Paid");
    connect(paid_, &QCheckBox::toggled, this, [this](bool on) {
        if (!refreshing_) window_.Load().paid = on, window_.MarkChanged();
    });
    grid->addWidget(paid_, at / 6, (at % 6) * 2 + 1);
    ++at;
    glAccount_ = new QWidget(this);
    auto* gl = new QHBoxLayout(glAccount_);
    gl->setContentsMargins(0, 0, 0, 0);
    gl->setSpacing(2);
    const std::string glNames[] = {S(shipwin::kFieldGlAccount), "GlDept", "GlLoc"};
    std::string L::*const glParts[] = {&L::glAcct1, &L::glAcct2, &L::glAcct3};
    for (int part = 0; part < 3; ++part) gl->addWidget(AddField(glNames[part], load(glParts[part])));
    auto* searchGl = new QToolButton(glAccount_);
    searchGl->setText("...");
    searchGl->setFocusPolicy(Qt::NoFocus);
    connect(searchGl, &QToolButton::clicked, this, [this] { Run([this] { window_.SearchGlAccount(); }); });
    gl->addWidget(searchGl);
    glLabel_ = LabelFor("G/L Debit Acct", Field(glNames[0]), this);
    grid->addWidget(glLabel_, at / 6, (at % 6) * 2);
    grid->addWidget(glAccount_, at / 6, (at % 6) * 2 + 1, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(AddButton("A&dd Load", S(shipwin::kButtonAddLoad), [this] {
        window_.AddLoad();
    }));
    buttons->addWidget(AddButton("Ne&w Load", "NewLoad", [this] { window_.NewLoad(); }));
    buttons->addWidget(AddButton("Rem&ove Load", "RemoveLoad", [this] { window_.RemoveLoad(); }));
    buttons->addWidget(
        AddButton("Deduct&ions", "ShipmentDeductions", [this] { window_.ShipmentDeductions(); }));
    buttons->addWidget(
        AddButton("&Grade Factors", "GradeFactors", [this] { window_.GradeFactors(); }));
    buttons->addStretch(1);
    grid->addLayout(buttons, at / 6 + 1, 0, 1, 12);
    return box;
}

QWidget* DirectShipmentView::BuildSettlement() {
    auto* box = new QGroupBox("Purchase Settlement", this);
    auto* rows = new QVBoxLayout(box);
    rows->setSpacing(3);
    using Form = shipments::PurchaseSettlementForm;
    const auto form = [](std::string Form::*member) {
        return [member](DirectShipmentWindow& w) -> std::string& { return w.Settlement().*member; };
    };
    settlementNumber_ = new QLabel(this);
    settlementNumber_->setObjectName("SettlementNumber");
    settlementNumber_->setMinimumWidth(150);
    QLineEdit* customer = AddField("Customer", form(&Form::custRef));
    QLineEdit* name = AddField("CustomerName", form(&Form::custName));
    name->setReadOnly(true);
    name->setFocusPolicy(Qt::NoFocus);
    name->setMinimumWidth(220);
    toDpr_ = new QComboBox(this);
    toDpr_->setObjectName("ToDpr");
    toDpr_->addItem("");
    for (const Category& c : Categories()) toDpr_->addItem(Q(c.text));
    connect(toDpr_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (!refreshing_) window_.Settlement().destination = text.toStdString(), window_.MarkChanged();
    });
    auto* first = new QHBoxLayout;
    first->addWidget(settlementNumber_);
    first->addWidget(LabelFor("Customer", customer, this));
    first->addWidget(WithLookup(customer, "Customer", [this] { window_.SearchCustomer(false); }));
    first->addWidget(name);
    first->addWidget(LabelFor("To DPR", toDpr_, this));
    first->addWidget(toDpr_);
    first->addStretch(1);
    rows->addLayout(first);
    const std::pair<const char*, std::string Form::*> terms[] = {
        {"Date", &Form::date},           {"Contract #", &Form::contract},
        {"Interest Date", &Form::interestDate}, {"Rate", &Form::interestRate},
        {"Due Date", &Form::dueDate}};
    auto* second = new QHBoxLayout;
    for (const auto& [label, member] : terms) {
        QLineEdit* f = AddField(std::string("Settlement") + label, form(member));
        f->setFixedWidth(95);
        second->addWidget(LabelFor(label, f, this));
        second->addWidget(f);
    }
    guarantee_ = new QCheckBox("Submitted for Guarantee", this);
    guarantee_->setObjectName("Guarantee");
    connect(guarantee_, &QCheckBox::toggled, this, [this](bool on) {
        if (!refreshing_) window_.Settlement().submittedForGuarantee = on, window_.MarkChanged();
    });
    second->addWidget(guarantee_);
    second->addStretch(1);
    rows->addLayout(second);
    deductions_ = new QTableWidget(0, 3, this);
    deductions_->setObjectName("PurchaseDeductions");
    deductions_->setHorizontalHeaderLabels({"Ded/Add", "Amount", "D/A"});
    deductions_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    deductions_->setFocusPolicy(Qt::NoFocus);
    deductions_->verticalHeader()->hide();
    deductions_->setFixedSize(330, 72);
    const auto line = [this](std::string shipments::PurchaseDeduction::*member) {
        return [this, member](DirectShipmentWindow&) -> std::string& { return deduction_.*member; };
    };
    QLineEdit* ref = AddField(S(shipwin::kFieldDeduction), line(&shipments::PurchaseDeduction::reference));
    QLineEdit* amount = AddField("DeductionAmount", line(&shipments::PurchaseDeduction::amount));
    QLineEdit* da = AddField("DeductionDA", line(&shipments::PurchaseDeduction::da));
    amount->setFixedWidth(90);
    da->setFixedWidth(40);
    connect(ref, &QLineEdit::editingFinished, this, [this, ref] {
        if (!ref->isModified() || deduction_.reference.empty()) return;
        ref->setModified(false);
        Run([this] { window_.FillDeduction(deduction_); });
    });
    auto* entry = new QHBoxLayout;
    entry->addWidget(LabelFor("Ded/Add", ref, this));
    entry->addWidget(WithLookup(ref, "Deduction", [this] { window_.SearchDeduction(deduction_); }));
    entry->addWidget(LabelFor("Amount", amount, this));
    entry->addWidget(amount);
    entry->addWidget(LabelFor("D/A", da, this));
    entry->addWidget(da);
    entry->addWidget(AddButton("&Acc", "AcceptDeduction", [this] {
        if (window_.AcceptDeduction(deduction_)) deduction_ = {};
    }));
    settlementAmounts_ = new QLabel(this);
    settlementAmounts_->setObjectName("SettlementAmounts");
    auto* side = new QVBoxLayout;
    side->addLayout(entry);
    side->addWidget(settlementAmounts_);
    side->addStretch(1);
    auto* third = new QHBoxLayout;
    third->addWidget(deductions_);
    third->addLayout(side);
    third->addStretch(1);
    rows->addLayout(third);
    return box;
}

QLayout* DirectShipmentView::BuildCommands() {
    auto* column = new QVBoxLayout;
    column->addWidget(AddButton("&Finish", "Finish", [this] { window_.Finish(); }));
    column->addWidget(AddButton("&New", "New", [this] { window_.New(); }));
    column->addWidget(AddButton("P&rint", S(shipwin::kButtonPrint), [this] { window_.Print(); }));
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
    for (auto& [name, entry] : fields_) {
        auto& [field, text] = entry;
        const QString shown = Q(text(window_));
        if (field && field->text() != shown) field->setText(shown);
    }
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
    buttons_[S(shipwin::kButtonPrint)]->setEnabled(window_.Finished());
    buttons_["Comments"]->setEnabled(window_.Finished());
    refreshing_ = false;
}

void DirectShipmentView::closeEvent(QCloseEvent* event) {
    bool mayClose = false;
    Run([&] { mayClose = window_.MayClose(); });
    if (mayClose) event->accept();
    else event->ignore();
}

}  // namespace hvx
