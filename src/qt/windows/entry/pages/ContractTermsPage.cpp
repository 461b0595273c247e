#include "qt/windows/entry/pages/ContractTermsPage.h"

#include "qt/ui/DateField.h"
#include "qt/windows/entry/pages/NumberField.h"

namespace hvx {

using settlement::DestinationTerms;

ContractTermsPage::ContractTermsPage(PricePage& page, QtUiPort& ui, QWidget* parent)
    : GradedTermsPage(page, ui, parent) {
    start_ = AddDate(0, 0, "Service &Charge Start:", "ServiceChargeStart", &DestinationTerms::ssDate);
    // One to a row: the captions are long. Rates per unit per day run to
    // four decimals.
    rate_ = AddNumber(1, 0, "Service Charge &Rate per Day:", "ServiceChargeRate",
                      &DestinationTerms::scRate, 4);
    AddGrades();
}

}  // namespace hvx
