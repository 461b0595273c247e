#include "qt/windows/wizard/NewSettlementWizardDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "qt/ui/LookupField.h"

namespace hvx {
namespace {

using Wizard = NewSettlementWizard;

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

int Index(Wizard::Field field) {
    return static_cast<int>(field);
}

bool IsForwardExit(const QKeyEvent* key) {
    return key->key() == Qt::Key_Tab || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

}  // namespace

void NewSettlementWizardDialog::Port::ApplyFocus() {
    if (pending_.empty()) return;
    QtUiPort::SetFocus(pending_);
    pending_.clear();
}

NewSettlementWizardDialog::NewSettlementWizardDialog(WizardMode mode, QWidget* parent)
    : QDialog(parent), ui_(this), wizard_(ui_, this, mode) {
    setObjectName("NewSettlementWizard");
    setWindowTitle(Wizard::kCaption);
    auto* note = new QLabel(Wizard::kNote, this);
    note->setWordWrap(true);
    heading_ = new QLabel(this);
    heading_->setObjectName("heading");
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);

    auto* listPage = new QWidget(this);
    listLabel_ = new QLabel(Q(wizard_.ListLabel()), listPage);
    list_ = new QListWidget(listPage);
    list_->setObjectName("kinds");
    for (std::string_view entry : wizard_.Entries()) list_->addItem(Q(entry));
    listLabel_->setBuddy(list_);
    auto* listLayout = new QVBoxLayout(listPage);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->addWidget(listLabel_);
    listLayout->addWidget(list_);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { wizard_.Select(row); });
    list_->installEventFilter(this);

    pages_ = new QStackedWidget(this);
    pages_->addWidget(listPage);
    pages_->addWidget(NewPage(Wizard::kCommodityLabel, Wizard::Field::Commodity,
                              Wizard::kLocationLabel, Wizard::Field::Location));
    pages_->addWidget(NewPage(Wizard::kCustRefLabel, Wizard::Field::CustRef, Wizard::kCustNameLabel,
                              Wizard::Field::CustName));
    const char* hints[] = {Wizard::kCommodityHint, Wizard::kLocationHint, kCustomerReferenceHint,
                           kCustomerNameHint};
    for (int f = 0; f < 4; ++f) fields_[f]->SetSearchHint(hints[f]);

    auto* box = new QDialogButtonBox(this);
    back_ = box->addButton("< Back", QDialogButtonBox::ActionRole);
    next_ = box->addButton("Next >", QDialogButtonBox::ActionRole);
    cancel_ = box->addButton("&Cancel", QDialogButtonBox::RejectRole);
    help_ = box->addButton("&Help", QDialogButtonBox::HelpRole);
    next_->setObjectName("next");
    next_->setDefault(true);
    connect(back_, &QPushButton::clicked, this, [this] { Apply([this] { wizard_.Back(); }); });
    connect(next_, &QPushButton::clicked, this, &NewSettlementWizardDialog::Next);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(help_, &QPushButton::clicked, this, [this] { Apply([this] { wizard_.Help(); }); });

    ui_.RegisterField(Wizard::kList, list_);
    ui_.RegisterField(Wizard::kCommodity, fields_[Index(Wizard::Field::Commodity)]);
    ui_.RegisterField(Wizard::kLocation, fields_[Index(Wizard::Field::Location)]);
    ui_.RegisterField(Wizard::kCustRef, fields_[Index(Wizard::Field::CustRef)]);
    ui_.RegisterField(Wizard::kCustName, fields_[Index(Wizard::Field::CustName)]);
    ui_.RegisterField(Wizard::kMainButton, next_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addSpacing(6);
    layout->addWidget(heading_);
    layout->addWidget(pages_, 1);
    layout->addWidget(box);
    resize(460, 340);
}

QWidget* NewSettlementWizardDialog::NewPage(const char* first, Wizard::Field f1, const char* second,
                                            Wizard::Field f2) {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    form->setContentsMargins(0, 12, 0, 0);
    for (auto [label, field] : {std::pair{first, f1}, std::pair{second, f2}}) {
        auto* lookup = new LookupField(page);
        lookup->LineEdit()->setObjectName(label);
        lookup->LineEdit()->setMaxLength(static_cast<int>(Wizard::kFieldSize));
        lookup->LineEdit()->installEventFilter(this);
        connect(lookup, &LookupField::lookupRequested, this,
                [this, field] { Apply([this, field] { wizard_.Search(field); }); });
        form->addRow(label, lookup);
        fields_[Index(field)] = lookup;
    }
    return page;
}

LookupField* NewSettlementWizardDialog::Field(Wizard::Field field) const {
    return fields_[Index(field)];
}

int NewSettlementWizardDialog::Run() {
    wizard_.Open();
    list_->setCurrentRow(wizard_.Selected());
    Refresh();
    return exec() == QDialog::Accepted ? 1 : 0;
}

template <class Command>
void NewSettlementWizardDialog::Apply(Command command) {
    Wizard::Record& record = wizard_.Fields();
    std::string* texts[] = {&record.commodity, &record.location, &record.custRef, &record.custName};
    for (int f = 0; f < 4; ++f) *texts[f] = fields_[f]->Text().toStdString();
    command();
    Refresh();
}

void NewSettlementWizardDialog::Next() {
    bool finished = false;
    Apply([&] { finished = wizard_.Next(); });
    if (finished) accept();
}

void NewSettlementWizardDialog::Refresh() {
    const Wizard::Record& record = wizard_.Fields();
    const std::string* texts[] = {&record.commodity, &record.location, &record.custRef,
                                  &record.custName};
    for (int f = 0; f < 4; ++f)
        if (fields_[f]->Text().toStdString() != *texts[f]) fields_[f]->SetText(Q(*texts[f]));
    pages_->setCurrentIndex(static_cast<int>(wizard_.CurrentPage()));
    heading_->setText(Q(wizard_.Heading()));
    next_->setText(Q(wizard_.MainButtonText()));
    back_->setEnabled(wizard_.BackEnabled());
    ui_.ApplyFocus();
}

bool NewSettlementWizardDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    // Shift+Tab arrives as Backtab and moves back as usual; Shift+Enter is a
    // forward exit that does nothing.
    if (!IsForwardExit(key)) return QDialog::eventFilter(watched, event);
    const bool shift = key->modifiers() & Qt::ShiftModifier;
    if (watched == list_) {
        bool finished = false;
        Apply([&] { finished = wizard_.LeaveList(shift); });
        if (finished) accept();
        return true;
    }
    for (int f = 0; f < 4; ++f)
        if (watched == fields_[f]->LineEdit()) {
            Apply([&] { wizard_.Leave(static_cast<Wizard::Field>(f), shift); });
            return true;
        }
    return QDialog::eventFilter(watched, event);
}

int RunNewSettlementWizard(QWidget* parent, WizardMode mode, NewSettlementAnswers* answers) {
    NewSettlementWizardDialog dialog(mode, parent);
    const int result = dialog.Run();
    if (result == 1 && answers) *answers = dialog.Answers();
    return result;
}

}  // namespace hvx
