#pragma once
// The deductions and additions of the price page: the reference (typed, or
// found with the pick list), its amount, D/A and advance mark, the rows so
// far, and Accept, New and Remove. Leaving the reference or the amount lets
// the controller figure the amount; Enter in Amount accepts the row.
#include "qt/windows/pricing/PageListGroup.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace hvx {

class LookupField;

class PriceDeductionsView : public PageListGroup {
    Q_OBJECT
public:
    PriceDeductionsView(PricePage& page, QtUiPort& ui, QWidget* parent = nullptr);

    LookupField* DeductionField() const { return deduction_; }
    QLineEdit* AmountField() const { return amount_; }
    QComboBox* DAField() const { return da_; }
    QCheckBox* AdvanceMark() const { return advance_; }

protected:
    void ShowMore() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs a command that may look deductions up, under a watch so that a
    // failing statement's reason reaches the message it causes.
    template <class Command>
    void LookUp(Command command);

    LookupField* deduction_;
    QLineEdit* amount_;
    QComboBox* da_;
    QCheckBox* advance_;
};

}  // namespace hvx
