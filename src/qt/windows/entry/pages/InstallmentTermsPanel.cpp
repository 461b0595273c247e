#include "qt/windows/entry/pages/InstallmentTermsPanel.h"

#include <QCheckBox>

#include "qt/ui/DateField.h"
#include "qt/windows/entry/pages/NumberField.h"

namespace hvx {

using settlement::DestinationTerms;

// The panel shares the window with the price page, whose mnemonics take
// every letter of these captions but the check box's.
InstallmentTermsPanel::InstallmentTermsPanel(QtUiPort& ui, QWidget* parent) : TermsPage(ui, parent) {
    interestDate_ = AddDate(0, 0, "Interest Date", "InterestDate", &DestinationTerms::isDate);
    interestRate_ = AddNumber(0, 1, "Interest Rate", "InterestRate", &DestinationTerms::isRate, 2);
    dueDate_ = AddDate(1, 0, "Due Date", "DueDate", &DestinationTerms::isDue);
    submitted_ = AddFlag(1, 1, "Su&bmitted for Guarantee", "Submitted", &DestinationTerms::submitted);
}

}  // namespace hvx
