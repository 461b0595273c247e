#pragma once
// The category page beside the line being entered: units and prices,
// storage terms, contract terms or bin, one at a time by the destination,
// with the installment terms above it for an installment sale.
#include <QWidget>

#include "windows/entry/SettlementEntryWindow.h"

class QStackedWidget;

namespace hvx {

class BinPage;
class ContractTermsPage;
class InstallmentTermsPanel;
class PricePageView;
class QtUiPort;
class StorageTermsPage;

class EntryPages : public QWidget {
    Q_OBJECT
public:
    EntryPages(PricePage& prices, QtUiPort& ui, QWidget* parent = nullptr);

    // Shows the page and binds the terms pages to the terms being entered.
    void Show(DetailPage page, bool installmentTerms, settlement::DestinationTerms* terms);
    void setReadOnly(bool readOnly);

    PricePageView* Prices() const { return prices_; }
    StorageTermsPage* Storage() const { return storage_; }
    ContractTermsPage* Contract() const { return contract_; }
    InstallmentTermsPanel* Installment() const { return installment_; }

signals:
    void changed();

private:
    QStackedWidget* stack_;
    QWidget* empty_;
    PricePageView* prices_;
    StorageTermsPage* storage_;
    ContractTermsPage* contract_;
    BinPage* bin_;
    InstallmentTermsPanel* installment_;
};

}  // namespace hvx
