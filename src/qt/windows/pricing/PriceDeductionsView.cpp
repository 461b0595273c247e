#include "qt/windows/pricing/PriceDeductionsView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLineEdit>

#include "platform/EngineReason.h"
#include "qt/ui/LookupField.h"
#include "qt/windows/pricing/FieldText.h"
#include "qt/windows/pricing/PageListModel.h"
#include "windows/pricing/PricePageFields.h"

namespace hvx {
namespace {

PageListModel* DeductionsModel(const PricePage& page) {
    return new PageListModel(
        {"Deduction", "Amount", "D/A", "Adv."}, {1}, [&page] { return page.Deductions().Count(); },
        [&page](std::size_t row, int column) {
            const PriceDeductionRow& item = page.Deductions().Items()[row];
            switch (column) {
                case 0: return item.reference;
                case 1: return item.amount;
                case 2: return item.da;
                default: return item.advance;
            }
        });
}

// Leaving a field for a message box, a pick list or another program is not
// leaving it: the user comes back to it.
bool LeftField(QEvent* event) {
    if (event->type() != QEvent::FocusOut) return false;
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}

}  // namespace

PriceDeductionsView::PriceDeductionsView(PricePage& page, QtUiPort& ui, QWidget* parent)
    : PageListGroup("Deductions and Additions", DeductionsModel(page),
                    {"A&ccept", kHintAcceptDeduction}, {"Ne&w", kHintNewDeduction},
                    {"Remo&ve", kHintRemoveDeduction},
                    // Accepting and removing read the advance flags and the
                    // A/R figures again.
                    {[&page] {
                         EngineFailureWatch watch;
                         return page.AcceptDeduction();
                     },
                     [&page] { page.NewDeduction(); },
                     [&page] {
                         EngineFailureWatch watch;
                         return page.RemoveDeduction();
                     },
                     [&page](std::size_t row) { page.SelectDeductionRow(row); },
                     [&page] { return page.Data().deductionRow; }},
                    page, ui, parent) {
    deduction_ = new LookupField(this);
    deduction_->SetSearchHint(Q(kHintFindDeduction));
    AddField(0, 0, "&Deduction:", deduction_, kFieldDeduction, 4);
    amount_ = AddText(1, 0, "Amoun&t:", kFieldAmount, &PricePageData::amount);
    da_ = new QComboBox(this);
    da_->addItems({"", Q(kDeductionType), Q(kAdditionType)});
    AddField(1, 1, "D/A:", da_, kFieldDA);
    // The mark follows the deduction's definition; it is shown, not chosen.
    advance_ = new QCheckBox("Advance", this);
    advance_->setEnabled(false);
    Fields()->addWidget(advance_, 1, 4);
    AddList();
    FitColumn(0);
    FitColumn(2);
    FitColumn(3);

    QLineEdit* reference = deduction_->LineEdit();
    connect(reference, &QLineEdit::textEdited, this, [this](const QString& text) {
        Page().Data().deduction = Typed(text);
        Page().Data().deductionEdited = true;
    });
    connect(amount_, &QLineEdit::textEdited, this, [this] { Page().Data().amountEdited = true; });
    connect(da_, &QComboBox::activated, this,
            [this] { Page().Data().da = Typed(da_->currentText()); });
    connect(deduction_, &LookupField::lookupRequested, this,
            [this] { LookUp([this] { Page().FindDeduction(); }); });
    // Enter leaves the amount as Tab would (a typed amount is marked as
    // typed by hand), then accepts.
    connect(amount_, &QLineEdit::returnPressed, this, [this] {
        LookUp([this] { Page().LeaveAmountField(); });
        Accept();
    });
    reference->installEventFilter(this);
    amount_->installEventFilter(this);
}

template <class Command>
void PriceDeductionsView::LookUp(Command command) {
    {
        EngineFailureWatch watch;
        command();
    }
    ShowFields();
}

bool PriceDeductionsView::eventFilter(QObject* watched, QEvent* event) {
    if (LeftField(event)) {
        if (watched == deduction_->LineEdit())
            LookUp([this] { Page().LeaveDeductionField(); });
        else if (watched == amount_)
            LookUp([this] { Page().LeaveAmountField(); });
    }
    return PageListGroup::eventFilter(watched, event);
}

void PriceDeductionsView::ShowMore() {
    PricePageData& data = Page().Data();
    ShowText(deduction_->LineEdit(), data.deduction);
    const int da = da_->findText(QString::fromStdString(data.da));
    da_->setCurrentIndex(da < 0 ? 0 : da);
    advance_->setChecked(data.advance);
    // A pick moves the focus to Amount with its text selected, ready to be
    // typed over.
    if (data.amountSelected) {
        amount_->selectAll();
        data.amountSelected = false;
    }
}

}  // namespace hvx
