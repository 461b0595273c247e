#pragma once
// The figures of one shipment load and how they follow from each other:
// dock weight from the dockage, net weight, net units from the commodity's
// pounds per unit, gross amount from the sale price and net amount after
// deductions and advances.
//
// A figure whose text ends in "*" was typed by the user: it is read as a
// number (the "*" ignored) and never recalculated.
#include <string>
#include <string_view>

namespace hvx::shipments {

struct LoadFigures {
    std::string grossWt;
    std::string dockage;  // percent of the gross weight
    std::string dockWt;
    std::string netWt;
    std::string netUnits;
    std::string salePrice;
    std::string grossAmt;
    std::string deductions;
    std::string advances;
    std::string netAmt;
};

// True for a figure the user typed.
bool IsTyped(std::string_view figure);

// Recalculates every figure not typed, in the order each depends on the one
// before. poundsPerUnit is the commodity's LBSUNIT (0 when unknown).
void CalculateLoad(LoadFigures& figures, double poundsPerUnit);

}  // namespace hvx::shipments
