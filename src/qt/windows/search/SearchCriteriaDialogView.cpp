#include "qt/windows/search/SearchCriteriaDialogView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "qt/ui/DateField.h"
#include "qt/ui/LookupField.h"

namespace hvx {
namespace {

using Controller = SearchCriteriaController;
using Form = Controller::Form;

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void Show(QLineEdit* edit, const std::string& text) {
    if (edit->text().toStdString() != text) edit->setText(Q(text));
}

}  // namespace

SearchCriteriaDialogView::SearchCriteriaDialogView(search::SettlementSearchObject& criteria,
                                                   bool repeatSearch, QWidget* parent)
    : QDialog(parent), ui_(this), controller_(ui_, &criteria, repeatSearch, this) {
    setObjectName("PVsettsrchDlg");
    setWindowTitle(Controller::kTitle);

    searchString_ = new QLineEdit(this);
    searchString_->setObjectName("searchString");
    searchString_->setMaxLength(static_cast<int>(Controller::kSearchStringSize));
    auto* searchLabel = new QLabel("Search &Text:", this);
    searchLabel->setBuddy(searchString_);

    auto* usingBox = new QGroupBox("Search Using", this);
    locations_ = new QListWidget(usingBox);
    locations_->setObjectName("locations");
    locations_->setSelectionMode(QAbstractItemView::MultiSelection);
    for (const search::SearchLocation& location : search::SearchLocations())
        locations_->addItem(Q(location.entry));
    (new QVBoxLayout(usingBox))->addWidget(locations_);

    auto* grid = new QGridLayout(this);
    grid->addWidget(searchLabel, 0, 0);
    grid->addWidget(searchString_, 0, 1, 1, 2);
    grid->addWidget(usingBox, 1, 0, 1, 2);
    grid->addWidget(NewOptions(), 1, 2);
    grid->addWidget(NewCustomerGroup(), 2, 0, 1, 3);
    grid->addWidget(NewDateGroup(), 3, 0, 1, 3);
    grid->addWidget(NewButtons(), 0, 3, 4, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);

    ui_.RegisterField(Controller::kSearchString, searchString_);
    ui_.RegisterField(Controller::kCustRef, custRef_->LineEdit());
    ui_.RegisterField(Controller::kCustName, custName_->LineEdit());
    ui_.RegisterField(Controller::kStartDate, startDate_->LineEdit());
    ui_.RegisterField(Controller::kEndDate, endDate_->LineEdit());
    SetTabOrder();
    resize(640, 500);
}

QCheckBox* SearchCriteriaDialogView::NewBox(const char* text, bool Form::*flag) {
    auto* box = new QCheckBox(text, this);
    boxes_.append({box, flag});
    // What a box does to the others (exact over anywhere) and to the groups
    // is the controller's: every click goes through it.
    connect(box, &QCheckBox::clicked, this, [this] {
        Apply([this] { controller_.SetExactMatchOnly(controller_.Fields().ExactMatchOnly); });
    });
    return box;
}

QWidget* SearchCriteriaDialogView::NewOptions() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* typesBox = new QGroupBox("Settlement Types", column);
    types_ = new QComboBox(typesBox);
    types_->setObjectName("settlementTypes");
    for (const char* type : Controller::kSettlementTypes) types_->addItem(type);
    (new QVBoxLayout(typesBox))->addWidget(types_);
    layout->addWidget(typesBox);

    auto* options = new QGroupBox(column);
    auto* optionsLayout = new QVBoxLayout(options);
    optionsLayout->addWidget(NewBox("Match anywhere in field", &Form::MatchAnywhere));
    optionsLayout->addWidget(NewBox("Exact Match Results Only", &Form::ExactMatchOnly));
    optionsLayout->addWidget(NewBox("Case Sensitive Search", &Form::SearchCaseSensitive));
    optionsLayout->addWidget(NewBox("Search in Reversed Settlements", &Form::SearchInReversed));
    optionsLayout->addWidget(NewBox("Search in Posted Settlements", &Form::SearchInPosted));
    optionsLayout->addWidget(NewBox("Search in Closed Settlements", &Form::SearchInClosed));
    layout->addWidget(options);
    layout->addStretch(1);
    return column;
}

QWidget* SearchCriteriaDialogView::NewCustomerGroup() {
    auto* group = new QGroupBox(this);
    auto* layout = new QGridLayout(group);
    layout->addWidget(NewBox("Restrict By &Customer", &Form::RestrictByCustomer), 0, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    const struct {
        const char* label;
        LookupField** field;
        const char* name;
        const char* hint;
        std::size_t size;
        Controller::CustomerField which;
    } fields[] = {
        {"Customer &Reference:", &custRef_, "custRef", kCustomerReferenceHint,
         Controller::kCustRefSize, Controller::CustomerField::Reference},
        {"Customer &Name:", &custName_, "custName", kCustomerNameHint, Controller::kCustNameSize,
         Controller::CustomerField::Name},
    };
    int row = 1;
    for (const auto& f : fields) {
        auto* lookup = new LookupField(group);
        lookup->LineEdit()->setObjectName(f.name);
        lookup->LineEdit()->setMaxLength(static_cast<int>(f.size));
        lookup->LineEdit()->installEventFilter(this);
        lookup->SetSearchHint(f.hint);
        connect(lookup, &LookupField::lookupRequested, this, [this, which = f.which] {
            Apply([this, which] { controller_.SearchCustomer(which); });
        });
        auto* label = new QLabel(f.label, group);
        label->setBuddy(lookup->LineEdit());
        layout->addWidget(label, row, 0);
        layout->addWidget(lookup, row++, 1);
        customerGroup_ << label << lookup;
        *f.field = lookup;
    }
    return group;
}

QWidget* SearchCriteriaDialogView::NewDateGroup() {
    auto* group = new QGroupBox(this);
    auto* layout = new QGridLayout(group);
    layout->addWidget(NewBox("Restrict By &Date", &Form::RestrictByDate), 0, 0, 1, 5);
    auto* range = new QLabel("Specify Date Range for Inclusion", group);
    startDate_ = new DateField(group);
    endDate_ = new DateField(group);
    startDate_->LineEdit()->setObjectName("startDate");
    endDate_->LineEdit()->setObjectName("endDate");
    auto* to = new QLabel("to", group);
    settlementDate_ = new QRadioButton("Settlement Date", group);
    entryDate_ = new QRadioButton("Entry Date", group);
    for (QRadioButton* choice : {settlementDate_, entryDate_})
        connect(choice, &QRadioButton::clicked, this, [this] { Apply([] {}); });
    // The range on one line, the choice of date under it.
    int column = 0;
    for (QWidget* w : std::initializer_list<QWidget*>{range, startDate_, to, endDate_})
        layout->addWidget(w, 1, column++);
    layout->addWidget(settlementDate_, 2, 1);
    layout->addWidget(entryDate_, 2, 3);
    layout->setColumnStretch(4, 1);
    dateGroup_ << range << startDate_ << to << endDate_ << settlementDate_ << entryDate_;
    for (DateField* date : {startDate_, endDate_}) {
        date->LineEdit()->setMaxLength(static_cast<int>(Controller::kDateSize));
        date->LineEdit()->setMinimumWidth(fontMetrics().horizontalAdvance("00/00/00000"));
    }
    return group;
}

QPushButton* SearchCriteriaDialogView::NewButton(const char* text, void (Controller::*command)()) {
    auto* button = new QPushButton(text, this);
    button->setAutoDefault(false);
    if (command)
        connect(button, &QPushButton::clicked, this,
                [this, command] { Apply([this, command] { (controller_.*command)(); }); });
    buttons_ << button;
    return button;
}

QWidget* SearchCriteriaDialogView::NewButtons() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    QPushButton* search = NewButton("&Search", nullptr);
    search->setDefault(true);
    connect(search, &QPushButton::clicked, this, [this] {
        bool ok = false;
        Apply([&] { ok = controller_.Search(); });
        if (ok) accept();
    });
    layout->addWidget(search);
    layout->addWidget(NewButton("C&lear", &Controller::Clear));
    layout->addSpacing(12);
    layout->addWidget(NewButton("Save", &Controller::Save));
    layout->addWidget(NewButton("Load", &Controller::Load));
    layout->addSpacing(12);
    layout->addWidget(NewButton("&Help", &Controller::Help));
    QPushButton* cancel = NewButton("Cancel", nullptr);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(cancel);
    layout->addStretch(1);
    return column;
}

void SearchCriteriaDialogView::SetTabOrder() {
    QList<QWidget*> order{searchString_, locations_, types_};
    for (const auto& [box, flag] : boxes_) {
        order << box;
        if (flag == &Form::RestrictByCustomer)
            order << custRef_->LineEdit() << custName_->LineEdit();
        if (flag == &Form::RestrictByDate)
            order << startDate_->LineEdit() << endDate_->LineEdit() << settlementDate_
                  << entryDate_;
    }
    order << buttons_;
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

LookupField* SearchCriteriaDialogView::Customer(Controller::CustomerField field) const {
    return field == Controller::CustomerField::Name ? custName_ : custRef_;
}

QAbstractButton* SearchCriteriaDialogView::Control(const QString& text) const {
    for (QAbstractButton* button : findChildren<QAbstractButton*>())
        if (button->text() == text) return button;
    return nullptr;
}

bool SearchCriteriaDialogView::Run() {
    controller_.Open();
    Refresh();
    searchString_->setFocus();
    return exec() == QDialog::Accepted;
}

template <class Command>
void SearchCriteriaDialogView::Apply(Command command) {
    Collect();
    command();
    Refresh();
}

void SearchCriteriaDialogView::Collect() {
    Form& form = controller_.Fields();
    form.SearchString = searchString_->text().toStdString();
    form.CustRef = custRef_->Text().toStdString();
    form.CustName = custName_->Text().toStdString();
    form.StartDate = startDate_->Text().toStdString();
    form.EndDate = endDate_->Text().toStdString();
    form.SettlementType = types_->currentIndex();
    form.UseSettlementDate = settlementDate_->isChecked();
    for (const auto& [box, flag] : boxes_) form.*flag = box->isChecked();
    for (int row = 0; row < locations_->count(); ++row)
        form.Locations[static_cast<std::size_t>(row)] = locations_->item(row)->isSelected();
}

void SearchCriteriaDialogView::Refresh() {
    const Form& form = controller_.Fields();
    Show(searchString_, form.SearchString);
    Show(custRef_->LineEdit(), form.CustRef);
    Show(custName_->LineEdit(), form.CustName);
    Show(startDate_->LineEdit(), form.StartDate);
    Show(endDate_->LineEdit(), form.EndDate);
    types_->setCurrentIndex(form.SettlementType);
    (form.UseSettlementDate ? settlementDate_ : entryDate_)->setChecked(true);
    for (const auto& [box, flag] : boxes_) box->setChecked(form.*flag);
    for (int row = 0; row < locations_->count(); ++row)
        locations_->item(row)->setSelected(form.Locations[static_cast<std::size_t>(row)]);
    for (QWidget* w : customerGroup_) w->setEnabled(controller_.CustomerGroupEnabled());
    for (QWidget* w : dateGroup_) w->setEnabled(controller_.DateGroupEnabled());
    Control("Match anywhere in field")->setEnabled(controller_.MatchAnywhereEnabled());
}

bool SearchCriteriaDialogView::eventFilter(QObject* watched, QEvent* event) {
    // Only a key press is a QKeyEvent: the type is checked before the cast.
    const auto* key =
        event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event) : nullptr;
    const bool enter = key && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter);
    if (!enter || (watched != custRef_->LineEdit() && watched != custName_->LineEdit()))
        return QDialog::eventFilter(watched, event);
    const auto which = watched == custName_->LineEdit() ? Controller::CustomerField::Name
                                                        : Controller::CustomerField::Reference;
    const bool shift = key->modifiers() & Qt::ShiftModifier;
    Apply([this, which, shift] { controller_.LeaveCustomer(which, shift); });
    return true;
}

}  // namespace hvx
