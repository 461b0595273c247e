#include "qt/windows/receipts/WarehouseReceiptView.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "qt/windows/pricing/FieldText.h"
#include "windows/receipts/ReceiptWindowFields.h"

namespace hvx {
namespace {

using receiptwin::ReceiptWindow;

QLabel* Description(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAccessibleName(name);
    label->setFrameShape(QFrame::StyledPanel);
    label->setMinimumWidth(220);
    return label;
}

}  // namespace

WarehouseReceiptView::WarehouseReceiptView(QWidget* parent)
    : QWidget(parent), ui_(this), window_(ui_, this) {
    setObjectName("WarehouseReceiptView");
    auto* body = new QHBoxLayout(this);
    body->addWidget(BuildForm(), 1);
    body->addLayout(BuildCommands());
    for (const auto& [name, button] : buttons_) ui_.RegisterField(name, button);
    Refresh();
}

QPushButton* WarehouseReceiptView::Button(const std::string& name) const {
    return buttons_.count(name) ? buttons_.at(name).data() : nullptr;
}

QLineEdit* WarehouseReceiptView::Field(const std::string& name) const {
    return fields_.count(name) ? fields_.at(name).first.data() : nullptr;
}

void WarehouseReceiptView::Run(const std::function<void()>& command) {
    command();
    Refresh();
    ui_.MoveFocus();
}

void WarehouseReceiptView::CloseFrame() {
    QWidget* frame = parentWidget();
    while (frame && !qobject_cast<QMdiSubWindow*>(frame)) frame = frame->parentWidget();
    (frame ? frame : this)->close();
}

// Every keystroke reaches the form, so a command run from the keyboard while
// the cursor is still in a field ("C&omments", "&Accept") sees what was
// typed. A field is checked when the clerk leaves it after typing in it: Tab
// over an untouched field opens no list.
QLineEdit* WarehouseReceiptView::AddField(std::string_view name, TextOf text, int width,
                                          std::function<void()> left) {
    auto* field = new QLineEdit(this);
    field->setObjectName(Q(name));
    field->setMaxLength(width);
    fields_[std::string(name)] = {field, text};
    ui_.RegisterField(std::string(name), field);
    connect(field, &QLineEdit::textEdited, this, [this, text](const QString& typed) {
        if (refreshing_) return;
        text(window_) = Typed(typed);
        window_.MarkChanged();
    });
    connect(field, &QLineEdit::editingFinished, this, [this, field, left] {
        if (!field->isModified() || refreshing_) return;
        field->setModified(false);
        Run(left);
    });
    return field;
}

QWidget* WarehouseReceiptView::BuildForm() {
    using namespace receiptwin;
    using R = receipts::WarehouseReceipt;
    const auto member = [](std::string R::*m) {
        return [m](ReceiptWindow& w) -> std::string& { return w.Form().*m; };
    };
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(4);
    vendorName_ = Description("Vendor Desription", box);
    commodityName_ = Description("Commodity Name", box);
    locationName_ = Description("Location Description", box);
    const struct {
        const char* label;
        std::string_view name;
        std::string R::*text;
        int width;
        std::function<void()> left, search = {};
        const char* hint = nullptr;
        QLabel* description = nullptr;
    } rows[] = {
        {"CWR R&eference", kFieldReference, &R::cwrRef, 15, [this] { window_.ReferenceLeft(); }},
        {"&Issued Date", kFieldIssueDate, &R::issueDate, 10, [this] { window_.IssueDateLeft(); }},
        {"&Vendor", kFieldVendor, &R::vendor, 8, [this] { window_.VendorLeft(); },
         [this] { window_.SearchVendor(); }, kHintVendor.data(), vendorName_},
        {"Commodit&y", kFieldCommodity, &R::commodity, 6, [this] { window_.CommodityLeft(); },
         [this] { window_.SearchCommodity(); }, kHintCommodity.data(), commodityName_},
        {"&Location", kFieldLocation, &R::location, 3, [this] { window_.LocationLeft(); },
         [this] { window_.SearchLocation(); }, kHintLocation.data(), locationName_},
        {"&Units", kFieldUnits, &R::units, 15, [this] { window_.UnitsLeft(); }},
        {"&Settled Date", kFieldSettleDate, &R::settleDate, 10,
         [this] { window_.SettleDateLeft(); }},
    };
    int row = 0;
    for (const auto& r : rows) {
        QLineEdit* field = AddField(r.name, member(r.text), r.width, r.left);
        field->setMinimumWidth(120);
        auto* label = new QLabel(r.label, box);
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        if (r.search) {
            auto* search = new QToolButton(box);
            search->setObjectName(Q("Search" + std::string(r.name)));
            search->setText("...");
            search->setToolTip(r.hint);
            search->setStatusTip(r.hint);
            search->setFocusPolicy(Qt::NoFocus);  // Tab goes from field to field
            connect(search, &QToolButton::clicked, this, [this, s = r.search] { Run(s); });
            grid->addWidget(search, row, 2);
            grid->addWidget(r.description, row, 3);
        }
        if (r.name == kFieldIssueDate || r.name == kFieldSettleDate)
            field->setPlaceholderText("MM/DD/YYYY");
        ++row;
    }
    auto* view = new QToolButton(box);
    view->setObjectName("ViewCommodity");
    view->setText("View");
    view->setToolTip(Q(kHintViewCommodity));
    view->setStatusTip(Q(kHintViewCommodity));
    view->setFocusPolicy(Qt::NoFocus);
    connect(view, &QToolButton::clicked, this,
            [this] { Run([this] { window_.ViewCommodity(); }); });
    grid->addWidget(view, 3, 4);

    auto* stamp = new QGroupBox("Last Modified", box);
    auto* stampRow = new QHBoxLayout(stamp);
    const char* captions[] = {"Date", "Time", "User Name"};
    for (int i = 0; i < 3; ++i) {
        modified_[i] = Description(captions[i], stamp);
        modified_[i]->setMinimumWidth(90);
        stampRow->addWidget(new QLabel(captions[i], stamp));
        stampRow->addWidget(modified_[i], 1);
    }
    grid->addWidget(stamp, row, 0, 1, 5);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(row + 1, 1);
    return box;
}

QLayout* WarehouseReceiptView::BuildCommands() {
    const struct {
        const char* caption;
        std::string_view name;
        std::function<void()> command;
    } commands[] = {
        {"&New", "New", [this] { window_.New(); }},
        {"&Find", "Find", [this] { window_.Find(); }},
        {"&Accept", receiptwin::kButtonAccept, [this] { window_.Accept(); }},
        {"&Delete", "Delete", [this] { window_.Delete(); }},
        {"Ne&xt", "Next", [this] { window_.Next(); }},
        {"&Previous", "Previous", [this] { window_.Previous(); }},
        {"C&omments", "Comments", [this] { window_.Comments(); }},
        {"&Report", "Report", [this] { window_.Report(); }},
        {"&Close", "Close", [this] { CloseFrame(); }},
    };
    auto* column = new QVBoxLayout;
    for (const auto& c : commands) {
        if (c.name == "Close") column->addStretch(1);
        auto* button = new QPushButton(c.caption, this);
        button->setObjectName(Q(c.name));
        button->setAutoDefault(false);  // Enter in a field presses nothing
        buttons_[std::string(c.name)] = button;
        connect(button, &QPushButton::clicked, this, [this, run = c.command] { Run(run); });
        column->addWidget(button);
    }
    const QString hint = Q(receiptwin::kHintReport);
    buttons_["Report"]->setToolTip(hint);
    buttons_["Report"]->setStatusTip(hint);
    return column;
}

void WarehouseReceiptView::Refresh() {
    refreshing_ = true;
    for (auto& [name, entry] : fields_)
        if (entry.first) ShowText(entry.first, entry.second(window_));
    const auto& names = window_.Descriptions();
    vendorName_->setText(Q(names.vendor));
    commodityName_->setText(Q(names.commodity));
    locationName_->setText(Q(names.location));
    const auto& form = window_.Form();
    modified_[0]->setText(Q(form.lmodDate));
    modified_[1]->setText(Q(form.lmodTime));
    modified_[2]->setText(Q(form.lmodUser));
    const bool stored = form.Stored();
    buttons_["Delete"]->setEnabled(stored);
    buttons_["Comments"]->setEnabled(stored);
    refreshing_ = false;
}

void WarehouseReceiptView::closeEvent(QCloseEvent* event) {
    bool mayClose = false;
    Run([&] { mayClose = window_.MayClose(); });
    if (mayClose)
        event->accept();
    else
        event->ignore();
}

}  // namespace hvx
