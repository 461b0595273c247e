#pragma once
// The page of a line whose units go into storage ("Storage Ticket", "CCC"):
// the storage paid-through date, the amount prepaid, the storage field, the
// storage rate per unit per day (empty: the commodity's default), and the
// grade factors of the line.
#include "qt/windows/entry/pages/GradedTermsPage.h"

namespace hvx {

class DateField;
class NumberField;

class StorageTermsPage : public GradedTermsPage {
    Q_OBJECT
public:
    StorageTermsPage(PricePage& page, QtUiPort& ui, QWidget* parent = nullptr);

    DateField* PaidThroughField() const { return paidThrough_; }
    NumberField* PrepaidField() const { return prepaid_; }
    QLineEdit* StorageField() const { return storage_; }
    NumberField* RateField() const { return rate_; }

private:
    DateField* paidThrough_;
    NumberField* prepaid_;
    QLineEdit* storage_;
    NumberField* rate_;
};

}  // namespace hvx
