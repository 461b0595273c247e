#include "qt/windows/entry/pages/StorageTermsPage.h"

#include "qt/ui/DateField.h"
#include "qt/windows/entry/pages/NumberField.h"

namespace hvx {

using settlement::DestinationTerms;

StorageTermsPage::StorageTermsPage(PricePage& page, QtUiPort& ui, QWidget* parent)
    : GradedTermsPage(page, ui, parent) {
    paidThrough_ = AddDate(0, 0, "P&aid Through:", "PaidThrough", &DestinationTerms::pPaidDate);
    prepaid_ = AddNumber(0, 1, "Prepaid A&mount:", "AmountPrepaid", &DestinationTerms::amtPrepaid, 2);
    storage_ = AddText(1, 0, "Storage &Field:", "StorageField", &DestinationTerms::storeCol);
    // Rates per unit per day run to four decimals.
    rate_ = AddNumber(1, 1, "Storage &Rate per Day:", "StorageRate", &DestinationTerms::sRateDate, 4);
    AddGrades();
}

}  // namespace hvx
