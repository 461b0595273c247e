#include "qt/windows/entry/EntryPages.h"

#include <QLabel>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "qt/windows/entry/pages/BinPage.h"
#include "qt/windows/entry/pages/ContractTermsPage.h"
#include "qt/windows/entry/pages/InstallmentTermsPanel.h"
#include "qt/windows/entry/pages/StorageTermsPage.h"
#include "qt/windows/pricing/PricePageView.h"
#include "qt/windows/pricing/PriceUnitsView.h"

namespace hvx {

EntryPages::EntryPages(PricePage& prices, QtUiPort& ui, QWidget* parent) : QWidget(parent) {
    setObjectName("EntryPages");
    stack_ = new QStackedWidget(this);
    empty_ = new QLabel("Choose the destination of the line to see its page.", this);
    empty_->setEnabled(false);
    prices_ = new PricePageView(prices, ui, this);
    storage_ = new StorageTermsPage(prices, ui, this);
    contract_ = new ContractTermsPage(prices, ui, this);
    bin_ = new BinPage(this);
    installment_ = new InstallmentTermsPanel(ui, this);
    for (QWidget* page : {empty_, static_cast<QWidget*>(prices_), static_cast<QWidget*>(storage_),
                          static_cast<QWidget*>(contract_), static_cast<QWidget*>(bin_)})
        stack_->addWidget(page);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(installment_);
    layout->addWidget(stack_, 1);
    // A settlement by destination takes its units and prices from its
    // source lines: the page only adds the deductions.
    if (prices.MultipleSource()) prices_->Units()->hide();
    connect(prices_, &PricePageView::changed, this, &EntryPages::changed);
    for (TermsPage* page : {static_cast<TermsPage*>(storage_), static_cast<TermsPage*>(contract_),
                            static_cast<TermsPage*>(installment_)})
        connect(page, &TermsPage::changed, this, &EntryPages::changed);
}

void EntryPages::Show(DetailPage page, bool installmentTerms,
                      settlement::DestinationTerms* terms) {
    // Every page shows the controller's lists as they are now, shown or not:
    // a hidden list still answers for its rows.
    prices_->Refresh();
    installment_->setVisible(installmentTerms);
    installment_->Bind(installmentTerms ? terms : nullptr);
    storage_->Bind(page == DetailPage::StorageTerms ? terms : nullptr);
    contract_->Bind(page == DetailPage::ContractTerms ? terms : nullptr);
    switch (page) {
        case DetailPage::None: stack_->setCurrentWidget(empty_); break;
        case DetailPage::UnitsAndPrices: stack_->setCurrentWidget(prices_); break;
        case DetailPage::StorageTerms: stack_->setCurrentWidget(storage_); break;
        case DetailPage::ContractTerms: stack_->setCurrentWidget(contract_); break;
        case DetailPage::Bin: stack_->setCurrentWidget(bin_); break;
    }
}

void EntryPages::setReadOnly(bool readOnly) {
    prices_->setReadOnly(readOnly);
    storage_->setReadOnly(readOnly);
    contract_->setReadOnly(readOnly);
    installment_->setReadOnly(readOnly);
}

}  // namespace hvx
