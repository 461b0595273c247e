#include "qt/windows/entry/SettlementEntryView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QRegularExpression>
#include <QSet>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/Dates.h"
#include "platform/Format.h"
#include "rules/StoredText.h"
#include "shell/RecordLockController.h"
#include "qt/windows/advances/AdvanceSelectionDialog.h"
#include "qt/windows/entry/EntryPages.h"
#include "qt/windows/paynames/PayNameDialog.h"
#include "qt/windows/sources/SourceSelectionDialog.h"
#include "qt/windows/wizard/NewSettlementWizardDialog.h"
#include "rules/SettlementFields.h"
#include "windows/entry/EntryFields.h"
#include "windows/paynames/PayNameEditor.h"
#include "windows/sources/SourceSelectionController.h"

namespace hvx {
namespace {

using entry::SettlementEntryWindow;

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), int(text.size())); }

// Dates are kept in the window's eight-digit form and shown as "MM/DD/YYYY";
// a typed text that names no date is kept as typed, for the checks to refuse.
std::string ShownDate(const std::string& kept) {
    CivilDate date;
    return ReadDate(kept, date) ? FormatMdy(date) : kept;
}
std::string KeptDate(const QString& typed) {
    CivilDate date;
    const std::string completed = MakeDate(typed.trimmed().toStdString());
    return !completed.empty() && ReadDate(completed, date) ? WindowDate(date)
                                                           : typed.trimmed().toStdString();
}

// The letter after a single "&" of a caption, or 0.
QChar Mnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return QChar(0);
}

QString CaptionOf(QWidget* w) {
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    return {};
}

void SetCaption(QWidget* w, const QString& text) {
    if (auto* b = qobject_cast<QAbstractButton*>(w)) b->setText(text);
    if (auto* l = qobject_cast<QLabel*>(w)) l->setText(text);
}

// The document frame around the view, if it has one.
QMdiSubWindow* FrameOf(QWidget* view) {
    for (QWidget* w = view->parentWidget(); w; w = w->parentWidget())
        if (auto* frame = qobject_cast<QMdiSubWindow*>(w)) return frame;
    return nullptr;
}

// Runs the advance selection dialog over the window when a save asks for it.
class AdvancesOverWindow : public AdvanceSelectionDialogPort {
public:
    AdvancesOverWindow(UiPort& ui, QWidget* window) : AdvanceSelectionDialogPort(ui), window_(window) {}
    bool Run(AdvanceSelectionController& controller) override {
        AdvanceSelectionDialog dialog(window_);
        return dialog.Run(controller);
    }

private:
    QWidget* window_;
};

}  // namespace

SettlementEntryView::SettlementEntryView(SettlementType type, QWidget* parent)
    : QWidget(parent), ui_(this), window_(type, ui_, *this) {
    setObjectName(type == SettlementType::SingleSource ? "SourceSettlementView"
                                                       : "DestSettlementView");
    advances_ = std::make_unique<AdvancesOverWindow>(ui_, this);
    const bool single = window_.SingleSource();

    auto* header = new QGroupBox("Settlement", this);
    auto* headerGrid = new QGridLayout(header);
    BuildHeader(headerGrid);

    lines_ = new QTableWidget(0, 6, this);
    lines_->setObjectName("Lines");
    lines_->setHorizontalHeaderLabels(
        single ? QStringList{"Destination", "Contract", "Units", "Price", "Gross", "Date"}
               : QStringList{"Source", "Source Ref", "Units", "Price", "Total", "Date"});
    lines_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lines_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lines_->setSelectionMode(QAbstractItemView::SingleSelection);
    lines_->setTabKeyNavigation(false);
    lines_->verticalHeader()->hide();
    lines_->horizontalHeader()->setStretchLastSection(true);
    lines_->setFixedHeight(130);

    auto* detail = new QGroupBox(single ? "Destination line" : "Source line", this);
    auto* detailGrid = new QGridLayout(detail);
    BuildLine(detailGrid);
    detail->setFixedWidth(360);

    pages_ = new EntryPages(window_.Prices(), ui_, this);
    pages_->setFixedSize(480, 330);

    auto* lineButtons = new QHBoxLayout;
    lineButtons->addWidget(AddButton(single ? "Ne&w Dest" : "Ne&w Src", "NewLine"));
    lineButtons->addWidget(AddButton(single ? "Acc Dest" : "Acc Src",
                                     std::string(entry::kButtonAcceptLine).c_str()));
    lineButtons->addWidget(AddButton(single ? "D&el Dest" : "D&el Src", "DeleteLine"));
    lineButtons->addStretch(1);

    auto* left = new QVBoxLayout;
    left->addWidget(header);
    left->addWidget(lines_, 1);
    auto* lower = new QHBoxLayout;
    auto* lineColumn = new QVBoxLayout;
    lineColumn->addWidget(detail);
    lineColumn->addLayout(lineButtons);
    lineColumn->addStretch(1);
    lower->addLayout(lineColumn);
    lower->addWidget(pages_, 1);
    left->addLayout(lower);

    auto* commands = new QVBoxLayout;
    commands->addWidget(AddButton("&New", "New"));
    commands->addWidget(AddButton("&Find", "Find"));
    commands->addWidget(AddButton("&Accept", "Accept"));
    commands->addWidget(AddButton("&Delete", "Delete"));
    commands->addWidget(AddButton(single ? "Ne&xt" : "&Next", "Next"));
    commands->addWidget(AddButton("&Previous", "Previous"));
    commands->addWidget(AddButton("P&rint", "Print"));
    commands->addWidget(AddButton("Co&mments", "Comments"));
    commands->addWidget(AddButton("Pa&y Names", "PayNames", "Names the check is made out to."));
    commands->addWidget(AddButton("&Help", "Help"));
    commands->addStretch(1);
    commands->addWidget(AddButton("&Close", "Close"));

    status_ = new QLabel(this);
    status_->setObjectName("status");
    auto* outer = new QVBoxLayout(this);
    auto* body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addLayout(commands);
    outer->addLayout(body, 1);
    outer->addWidget(status_);

    ClearClashingMnemonics();
    ui_.RegisterField(std::string(entry::kFieldPricePage), pages_);
    for (const auto& [name, button] : buttons_) ui_.RegisterField(name, button);
    Connect();
    Refresh();
}

// The pages read the controller's lists while they are taken down, so they
// go before the controller does.
SettlementEntryView::~SettlementEntryView() {
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) delete child;
}

// The window's own captions keep their letters; a caption of the pages
// beside the line whose letter the window (or an earlier page caption)
// already uses loses its "&", so that no Alt key ever has two targets.
void SettlementEntryView::ClearClashingMnemonics() {
    QSet<QChar> used;
    QList<QWidget*> pageCaptions;
    for (QWidget* w : findChildren<QWidget*>()) {
        const QChar letter = Mnemonic(CaptionOf(w));
        if (letter.isNull()) continue;
        if (pages_->isAncestorOf(w)) pageCaptions << w;
        else used.insert(letter);
    }
    for (QWidget* w : pageCaptions) {
        const QString caption = CaptionOf(w);
        const QChar letter = Mnemonic(caption);
        if (used.contains(letter)) SetCaption(w, QString(caption).replace(QRegularExpression("&(?!&)"), ""));
        else used.insert(letter);
    }
}

QPushButton* SettlementEntryView::AddButton(const char* text, const char* name,
                                            std::string_view hint) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    if (!hint.empty()) button->setToolTip(Q(hint));
    buttons_[name] = button;
    return button;
}

QLineEdit* SettlementEntryView::AddField(const char* name, bool readOnly) {
    auto* field = new QLineEdit(this);
    field->setObjectName(name);
    field->setReadOnly(readOnly);
    fields_[name] = field;
    ui_.RegisterField(name, field);
    return field;
}

void SettlementEntryView::BuildHeader(QGridLayout* grid) {
    const auto label = [this](const char* text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    const auto row = [this](std::initializer_list<QWidget*> widgets) {
        auto* box = new QHBoxLayout;
        box->setSpacing(3);
        for (QWidget* w : widgets) box->addWidget(w);
        return box;
    };
    QLineEdit* customer = AddField(std::string(kFieldCustomer).c_str(), true);
    QLineEdit* name = AddField("CustName", true);
    QLineEdit* commodity = AddField("Commodity", true);
    QLineEdit* location = AddField("Location", true);
    QLineEdit* number = AddField("Settlement", true);
    QLineEdit* date = AddField(std::string(entry::kFieldSettDate).c_str(), false);
    QLineEdit* check = AddField(std::string(entry::kFieldCheckNum).c_str(), false);
    QLineEdit* amount = AddField("CheckAmt", true);
    for (QLineEdit* f : {customer, commodity, number, date, check, amount}) f->setFixedWidth(100);
    location->setFixedWidth(60);
    name->setMinimumWidth(180);
    QPushButton* searchCommodity =
        AddButton("...", "SearchCommodity", entry::kHintSearchCommodity);
    QPushButton* viewCommodity = AddButton("View", "ViewCommodity", entry::kHintViewCommodity);
    QPushButton* searchLocation = AddButton("...", "SearchLocation", entry::kHintSearchLocation);
    for (QPushButton* b : {searchCommodity, searchLocation}) b->setFixedWidth(28);
    viewCommodity->setFixedWidth(44);
    grid->addWidget(label("Cu&stomer:", customer), 0, 0);
    grid->addLayout(row({customer, name}), 0, 1, 1, 3);
    grid->addWidget(label("Commodity:", commodity), 0, 4);
    grid->addLayout(row({commodity, searchCommodity, viewCommodity}), 0, 5);
    grid->addWidget(label("Location:", location), 0, 6);
    grid->addLayout(row({location, searchLocation}), 0, 7);
    grid->addWidget(label("Settlement #:", number), 1, 0);
    grid->addWidget(number, 1, 1);
    grid->addWidget(label("Da&te:", date), 1, 2);
    grid->addWidget(date, 1, 3);
    grid->addWidget(label("Chec&k #:", check), 1, 4);
    grid->addWidget(check, 1, 5);
    grid->addWidget(label("Amount:", amount), 1, 6);
    grid->addWidget(amount, 1, 7);
    auto* state = new QLabel(this);
    state->setObjectName("state");
    auto* flags = new QHBoxLayout;
    flags->addWidget(state, 1);
    flags->addWidget(AddButton("Lock", "LockInfo", kLockButtonHint));
    flags->addWidget(AddButton("Ad&vances", "Advances", entry::kHintAdvances));
    flags->addWidget(AddButton("Change", "ChangePosted", entry::kHintChangePosted));
    grid->addLayout(flags, 2, 0, 1, 8);
    grid->setColumnStretch(3, 1);
}

void SettlementEntryView::BuildLine(QGridLayout* grid) {
    const bool single = window_.SingleSource();
    sourceCaption_ = new QLabel(this);
    sourceCaption_->setObjectName("SourceCaption");
    destinationCaption_ = new QLabel(this);
    destinationCaption_->setObjectName("DestinationCaption");
    QLineEdit* sourceRef = AddField(std::string(kFieldSourceReference).c_str(), true);
    QLineEdit* contract = AddField(std::string(entry::kFieldContract).c_str(), false);
    QLineEdit* quantity = AddField(std::string(kFieldUnitsSettled).c_str(), false);
    QLineEdit* price = AddField(std::string(kFieldUnitPrice).c_str(), false);
    QLineEdit* lineDate = AddField(std::string(entry::kFieldLineDate).c_str(), false);
    for (QLineEdit* f : {sourceRef, contract, quantity, price, lineDate}) f->setFixedWidth(130);
    patronage_ = new QCheckBox("Patrona&ge", this);
    patronage_->setObjectName("Patronage");
    quantityLabel_ = new QLabel("Un&its:", this);
    quantityLabel_->setBuddy(quantity);
    auto* sourceRow = new QHBoxLayout;
    sourceRow->addWidget(sourceRef, 1);
    QPushButton* pick = AddButton("...", "PickSource", "Pick the source from the open sources.");
    QPushButton* view = AddButton("View", "ViewSource", entry::kHintViewSource);
    pick->setFixedWidth(28);
    view->setFixedWidth(44);
    sourceRow->addWidget(pick);
    sourceRow->addWidget(view);
    grid->addWidget(new QLabel("Source:", this), 0, 0);
    grid->addWidget(sourceCaption_, 0, 1);
    grid->addLayout(sourceRow, 1, 1);
    auto* refLabel = new QLabel("Source Ref:", this);
    refLabel->setBuddy(sourceRef);
    grid->addWidget(refLabel, 1, 0);
    auto* menuRow = new QHBoxLayout;
    menuRow->addWidget(destinationCaption_, 1);
    menuRow->addWidget(AddButton(single ? "Destinati&on..." : "S&ource...",
                                 std::string(entry::kButtonMenu).c_str(),
                                 single ? "Choose the destination of this line."
                                        : "Choose the kind of source of this line."));
    grid->addWidget(new QLabel("Destination:", this), 2, 0);
    grid->addLayout(menuRow, 2, 1);
    auto* contractLabel = new QLabel("Contract Num&ber:", this);
    contractLabel->setBuddy(contract);
    grid->addWidget(contractLabel, 3, 0);
    grid->addWidget(contract, 3, 1);
    grid->addWidget(quantityLabel_, 4, 0);
    grid->addWidget(quantity, 4, 1);
    auto* priceLabel = new QLabel("&Unit Price:", this);
    priceLabel->setBuddy(price);
    grid->addWidget(priceLabel, 5, 0);
    grid->addWidget(price, 5, 1);
    auto* dateLabel = new QLabel("&Line Date:", this);
    dateLabel->setBuddy(lineDate);
    grid->addWidget(dateLabel, 6, 0);
    grid->addWidget(lineDate, 6, 1);
    grid->addWidget(patronage_, 7, 1);
    price->setVisible(!single);
    priceLabel->setVisible(!single);
}

template <class Command>
void SettlementEntryView::Run(Command command) {
    Collect();
    command();
    Refresh();
}

// What the clerk typed reaches the controller as it is typed; a settled
// quantity typed since it was last formatted is entered now, before any
// command reads it.
void SettlementEntryView::Collect() {
    if (!quantityTyped_) return;
    quantityTyped_ = false;
    window_.QuantityChanged();
}

void SettlementEntryView::Connect() {
    const auto on = [this](const char* name, auto command) {
        connect(buttons_[name], &QPushButton::clicked, this, [this, command] { Run(command); });
    };
    SettlementEntryWindow& w = window_;
    on("New", [&w] { w.New(); });
    on("Find", [&w] { w.Find(); });
    on("Accept", [&w] { w.Accept(); });
    on("Delete", [&w] { w.DeleteOrReverse(); });
    on("Next", [&w] { w.Next(); });
    on("Previous", [&w] { w.Previous(); });
    on("Print", [&w] { w.Print(); });
    on("Comments", [&w] { w.Comments(); });
    on("PayNames", [&w] { w.EditPayNames(); });
    on("Help", [&w] { w.Help(); });
    on("NewLine", [&w] { w.NewLine(); });
    on(std::string(entry::kButtonAcceptLine).c_str(), [&w] { w.AcceptLine(); });
    on("DeleteLine", [&w] { w.DeleteLine(); });
    on(std::string(entry::kButtonMenu).c_str(), [&w] { w.OpenMenu(); });
    on("PickSource", [&w] { w.PickSource(); });
    on("ViewSource", [&w] { w.ViewSource(); });
    on("ViewCommodity", [&w] { w.ViewCommodity(); });
    on("SearchCommodity", [&w] { w.SearchCommodity(); });
    on("SearchLocation", [&w] { w.SearchLocation(); });
    on("Advances", [&w] { w.ShowAdvances(); });
    on("ChangePosted", [&w] { w.ChangePosted(); });
    on("LockInfo", [&w] { w.ShowLockInformation(); });
    connect(buttons_["Close"], &QPushButton::clicked, this, [this] {
        if (QMdiSubWindow* frame = FrameOf(this)) frame->close();
        else close();
    });

    const auto edited = [this](const char* name, auto store) {
        connect(fields_[name], &QLineEdit::textEdited, this, [this, store](const QString& text) {
            if (!refreshing_) store(text.toStdString());
        });
    };
    connect(fields_[std::string(entry::kFieldSettDate)], &QLineEdit::textEdited, this,
            [this](const QString& text) {
                if (refreshing_) return;
                window_.Header().settDate = KeptDate(text);
                window_.MarkChanged();
            });
    edited(std::string(entry::kFieldCheckNum).c_str(), [&w](std::string t) {
        w.Header().checkNum = std::move(t);
        w.MarkChanged();
    });
    edited(std::string(entry::kFieldContract).c_str(), [&w](std::string t) {
        w.Line().contract = std::move(t);
        w.MarkLineChanged();
    });
    edited(std::string(kFieldUnitPrice).c_str(), [&w](std::string t) {
        w.Line().price = std::move(t);
        w.MarkLineChanged();
    });
    connect(fields_[std::string(entry::kFieldLineDate)], &QLineEdit::textEdited, this,
            [this](const QString& text) {
                if (refreshing_) return;
                window_.Line().date = KeptDate(text);
                window_.MarkLineChanged();
            });
    edited(std::string(kFieldUnitsSettled).c_str(), [this](std::string t) {
        window_.Line().quantity = std::move(t);
        window_.MarkLineChanged();
        quantityTyped_ = true;
    });
    connect(fields_[std::string(kFieldUnitsSettled)], &QLineEdit::editingFinished, this, [this] {
        if (quantityTyped_) Run([] {});
    });
    connect(patronage_, &QCheckBox::toggled, this, [this](bool on) {
        if (refreshing_) return;
        window_.Line().patronage = on;
        window_.MarkLineChanged();
    });
    connect(lines_, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (refreshing_ || row < 0) return;
        Run([this, row] { window_.SelectLine(static_cast<std::size_t>(row)); });
    });
    // The page belongs to the line being entered (by source) or to the
    // settlement's one destination (by destination).
    connect(pages_, &EntryPages::changed, this, [this] {
        if (window_.SingleSource()) window_.MarkLineChanged();
        else window_.MarkChanged();
    });
}

QPushButton* SettlementEntryView::Button(const char* name) const {
    auto it = buttons_.find(name);
    return it == buttons_.end() ? nullptr : it->second.data();
}

QLineEdit* SettlementEntryView::Field(const char* name) const {
    auto it = fields_.find(name);
    return it == fields_.end() ? nullptr : it->second.data();
}

void SettlementEntryView::FillLines() {
    const bool single = window_.SingleSource();
    const auto lines = window_.Lines();
    lines_->setRowCount(static_cast<int>(lines.size()));
    for (int row = 0; row < static_cast<int>(lines.size()); ++row) {
        const settlement::SettlementDetailItem& l = *lines[row];
        const QStringList cells =
            single ? QStringList{Q(l.toDpr), Q(l.contract), Q(_HVXsprintf("%.4f", l.unitsSet)),
                                 Q(_HVXsprintf("%.4f", l.priceUnit)),
                                 Q(_HVXsprintf("%.2f", l.totPrice)), Q(l.setDte)}
                   : QStringList{Q(l.source), Q(l.sourceRef), Q(_HVXsprintf("%.4f", l.unitsSet)),
                                 Q(_HVXsprintf("%.4f", l.priceUnit)),
                                 Q(_HVXsprintf("%.2f", l.totPrice)), Q(l.setDte)};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c >= 2 && c <= 4) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            lines_->setItem(row, c, item);
        }
    }
    const std::optional<std::size_t> selected = window_.SelectedLine();
    if (selected) lines_->selectRow(static_cast<int>(*selected));
    else lines_->clearSelection();
}

void SettlementEntryView::Refresh() {
    refreshing_ = true;
    const settlement::SettlementHeader& h = window_.Header();
    const settlement::SettlementDefaults& d = window_.Set().defaults;
    const entry::EntryLine& l = window_.Line();
    const auto set = [this](const char* name, const std::string& text) {
        QLineEdit* f = fields_[name];
        if (f->text().toStdString() != text) f->setText(Q(text));
    };
    set(std::string(kFieldCustomer).c_str(), h.custRef);
    set("CustName", h.custName);
    set("Commodity", d.commodity);
    set("Location", d.location);
    set("Settlement", h.settlement);
    if (!fields_[std::string(entry::kFieldSettDate)]->hasFocus())
        set(std::string(entry::kFieldSettDate).c_str(), ShownDate(h.settDate));
    set(std::string(entry::kFieldCheckNum).c_str(), h.checkNum);
    set("CheckAmt", h.checkAmt);
    set(std::string(kFieldSourceReference).c_str(), l.sourceRef);
    set(std::string(entry::kFieldContract).c_str(), l.contract);
    set(std::string(kFieldUnitsSettled).c_str(), l.quantity);
    set(std::string(kFieldUnitPrice).c_str(), l.price);
    if (!fields_[std::string(entry::kFieldLineDate)]->hasFocus())
        set(std::string(entry::kFieldLineDate).c_str(), ShownDate(l.date));
    patronage_->setChecked(l.patronage);
    patronage_->setEnabled(window_.PatronageEnabled());
    fields_[std::string(entry::kFieldContract)]->setEnabled(window_.ContractEnabled());
    fields_[std::string(entry::kFieldSettDate)]->setReadOnly(window_.DateProtected());
    fields_[std::string(entry::kFieldCheckNum)]->setReadOnly(window_.CheckProtected());
    sourceCaption_->setText(Q(window_.SourceCaption()));
    destinationCaption_->setText(Q(window_.DestinationCaption()));
    quantityLabel_->setText(window_.QuantityTitle() == "Amount" ? "Amount (&$):" : "Un&its:");
    buttons_["Delete"]->setText(Q(window_.DeleteCaption()));
    buttons_["Accept"]->setEnabled(window_.AcceptEnabled());
    const bool lineButtons = window_.LineButtonsEnabled();
    for (const char* name : {"NewLine", "DeleteLine"}) buttons_[name]->setEnabled(lineButtons);
    buttons_[std::string(entry::kButtonAcceptLine)]->setEnabled(lineButtons);
    auto* state = findChild<QLabel*>("state");
    QStringList flags;
    if (h.posted) flags << "Posted";
    if (h.reversed) flags << "Reversed";
    if (window_.LockedByOther()) flags << "Held by another workstation";
    state->setText(flags.join(" \u2022 "));
    FillLines();
    pages_->Show(window_.Page(), window_.InstallmentTermsShown(),
                 window_.SingleSource() ? &window_.Line().terms : &window_.Set().terms);
    pages_->setReadOnly(window_.Posted() || window_.LockedByOther());
    status_->setText(window_.Changed() ? "Changed" : "");
    buttons_["LockInfo"]->setVisible(window_.LockedByOther());
    if (QMdiSubWindow* frame = FrameOf(this); frame && frame->windowTitle() != Q(window_.WindowCaption()))
        frame->setWindowTitle(Q(window_.WindowCaption()));
    refreshing_ = false;
}

bool SettlementEntryView::Open(const SettlementKey& key) {
    const bool opened = window_.Open(key);
    Refresh();
    return opened;
}

void SettlementEntryView::closeEvent(QCloseEvent* event) {
    Collect();
    if (!window_.MayClose()) {
        Refresh();
        event->ignore();
        return;
    }
    event->accept();
}

HostWindow SettlementEntryView::Window() { return static_cast<HostWindow>(window()); }

std::optional<NewSettlementAnswers> SettlementEntryView::RunWizard(WizardMode mode) {
    NewSettlementWizardDialog wizard(mode, this);
    if (wizard.Run() != 1) return std::nullopt;
    return wizard.Answers();
}

int SettlementEntryView::PopUp(std::string_view button,
                               const std::vector<entry::PopUpEntry>& entries) {
    QMenu menu(this);
    menu.setObjectName("PopUp");
    std::vector<QAction*> actions;
    for (const entry::PopUpEntry& e : entries) {
        QAction* action = e.label.empty() ? menu.addSeparator() : menu.addAction(Q(e.label));
        action->setEnabled(e.enabled);
        actions.push_back(action);
    }
    QWidget* anchor = Button(std::string(button).c_str());
    const QPoint at = anchor ? anchor->mapToGlobal(QPoint(0, anchor->height())) : QCursor::pos();
    QAction* chosen = menu.exec(at);
    for (std::size_t i = 0; i < actions.size(); ++i)
        if (actions[i] == chosen) return int(i);
    return -1;
}

bool SettlementEntryView::SelectSources(const SourceSelectionRequest& request,
                                        settlement::SettlementRecordSet& set,
                                        SourceSelectionResult& result) {
    SourceSelectionDialog dialog(this);
    SourceSelectionController selection(dialog.Ui(), set, request);
    if (!dialog.Run(selection)) return false;
    result = selection.Result();
    return true;
}

settlement::AdvanceSelectionPort* SettlementEntryView::AdvanceSelection() {
    return advances_.get();
}

bool SettlementEntryView::EditPayNames(settlement::SettlementPayNameList& payNames) {
    PayNameDialog dialog(this);
    PayNameEditor editor(dialog.Ui(), payNames);
    return dialog.Run(editor);
}

void SettlementEntryView::ViewRecord(std::string_view title, const RecordFields& fields) {
    QDialog dialog(this);
    dialog.setWindowTitle(Q(title));
    auto* form = new QFormLayout(&dialog);
    for (const auto& [label, value] : fields) {
        auto* shown = new QLineEdit(Q(value), &dialog);
        shown->setReadOnly(true);
        form->addRow(Q(label + ":"), shown);
    }
    auto* box = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(box);
    dialog.exec();
}

}  // namespace hvx
