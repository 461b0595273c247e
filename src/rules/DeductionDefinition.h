#pragma once
// A deduction or addition as HVXGR52 defines it, and the amount it comes to
// on a price page.
//
// A deduction is either a rate per unit (RATEUNIT) or, when it has none, a
// percentage of the gross dollars (GRDOLLAR). GRAINTAX "1" limits a
// multiple-source deduction to the grain sold from company-held sources.
#include <string>
#include <string_view>

namespace hvx {

// The pick list over the deductions.
inline constexpr std::string_view kDeductionPickColumns =
    "REFERENCE,Reference,20,-1,DESCRIPT,Description,30,0,TYPE,Type,20,0";
inline constexpr std::string_view kDeductionPickSelect =
    "SELECT REFERENCE,DESCRIPT,TYPE,STR(RECNO) FROM HVXGR52";

struct DeductionDefinition {
    bool found = false;
    std::string rateUnit;  // amount per unit; empty for a percentage
    std::string grDollar;  // percent of the gross dollars
    std::string type;      // "D" or "A"
    std::string grainTax;  // "1": only grain sold from sources other than installment sales
    std::string advCode;   // "1": the deduction repays an advance

    bool PerUnit() const { return !rateUnit.empty(); }
    bool GrainTax() const { return grainTax == "1"; }
    bool Advance() const { return advCode == "1"; }
};

// The definition of a typed reference. Not found for a reference that does
// not exist, and for one beginning with "/", which asks for the pick list.
DeductionDefinition ReadDeductionByReference(std::string_view reference);

// The definition of the row picked from the list. GRAINTAX is not read: a
// picked deduction is figured on every source line.
DeductionDefinition ReadDeductionByRecno(double recno);

// The advance column of a row of the reference: "T" when the deduction's
// ADVCODE is "1", "F" otherwise (an unknown reference included).
std::string DeductionAdvanceFlag(std::string_view reference);

// What a deduction is figured on.
struct DeductionBase {
    double units = 0;    // for a rate per unit
    double dollars = 0;  // for a percentage
};

// The amount of the deduction on the base, as the Amount field shows it:
// "%.2f" of the amount rounded to the cent (half away from zero, so 1.005
// shows 1.01 although the double nearest 1.005 lies below it). An empty
// percentage is 0.
std::string DeductionAmountText(const DeductionDefinition& definition, const DeductionBase& base);

}  // namespace hvx
