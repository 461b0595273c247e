#pragma once
// The page of a line whose units go to an open contract ("Priced Later",
// "Basis Fixed", "Futures Fixed", "Hedged-to-Arrive", "Minimum Priced",
// "Grain Bank"): the service charge start date and rate per unit per day
// (empty: the commodity's default), and the grade factors of the line.
#include "qt/windows/entry/pages/GradedTermsPage.h"

namespace hvx {

class DateField;
class NumberField;

class ContractTermsPage : public GradedTermsPage {
    Q_OBJECT
public:
    ContractTermsPage(PricePage& page, QtUiPort& ui, QWidget* parent = nullptr);

    DateField* StartField() const { return start_; }
    NumberField* RateField() const { return rate_; }

private:
    DateField* start_;
    NumberField* rate_;
};

}  // namespace hvx
