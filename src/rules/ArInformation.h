#pragma once
// The A/R information panel of a price page: what the customer owes, and the
// open advances that this settlement's advance deductions repay.
//
// "~" separates a caption from its value and "\n" one row from the next.
#include <string>
#include <string_view>

#include "rules/SettlementTypes.h"

namespace hvx {

struct ArFigures {
    double due = 0;              // the customer's balance due (fuel module)
    double sourceAdvances = 0;   // open advances of the source(s)
    double customerAdvances = 0;  // all open advances of the customer
};

// Σ(AMOUNT − RAMOUNT) of the open advances (HVXGR57) given on a source.
double OpenSourceAdvances(std::string_view sourceKind, std::string_view sourceReference);
// Σ(AMOUNT − RAMOUNT) of the customer's open advances.
double OpenCustomerAdvances(std::string_view customerReference);

// "A/R Due~%.2f\nAdvance for this source~%.2f\nTotal advance for customer~%.2f"
// for a single-source settlement; "Advance for source(s)" in the middle row of
// a multiple-source one.
std::string ArInformationText(SettlementType type, const ArFigures& figures);

}  // namespace hvx
