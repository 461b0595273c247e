// The "Direct Shipments" view's three forms: the header, the load form with
// its buttons, and the purchase settlement with its deduction table.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "qt/windows/pricing/FieldText.h"
#include "qt/windows/shipments/DirectShipmentView.h"
#include "rules/Categories.h"
#include "windows/shipments/ShipmentWindowFields.h"

namespace hvx {
namespace {

using shipwin::DirectShipmentWindow;

std::string S(std::string_view text) { return std::string(text); }

QLabel* LabelFor(const char* text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

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
    // References checked as the clerk leaves them, so a mistyped one is
    // caught at its field rather than at the finish.
    const std::map<std::string, std::function<void()>> checks{
        {S(shipwin::kFieldDestination), [this] { window_.DestinationLeft(); }},
        {S(shipwin::kFieldSoldTo), [this] { window_.SoldToLeft(); }},
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
        if (const auto check = checks.find(c.name); check != checks.end())
            connect(field, &QLineEdit::editingFinished, this, [this, field, left = check->second] {
                if (!field->isModified()) return;
                field->setModified(false);
                Run(left);
            });
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
    box->setObjectName("PurchaseSettlement");
    settlementBox_ = box;
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

}  // namespace hvx
