#pragma once
// The installment terms of a line whose units become an installment sale:
// interest start date and annual rate in percent, the due date, and whether
// the contract was submitted for guarantee.
#include "qt/windows/entry/pages/TermsPage.h"

namespace hvx {

class DateField;
class NumberField;

class InstallmentTermsPanel : public TermsPage {
    Q_OBJECT
public:
    explicit InstallmentTermsPanel(QtUiPort& ui, QWidget* parent = nullptr);

    DateField* InterestDateField() const { return interestDate_; }
    NumberField* InterestRateField() const { return interestRate_; }
    DateField* DueDateField() const { return dueDate_; }
    QCheckBox* SubmittedField() const { return submitted_; }

private:
    DateField* interestDate_;
    NumberField* interestRate_;
    DateField* dueDate_;
    QCheckBox* submitted_;
};

}  // namespace hvx
