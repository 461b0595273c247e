#include "shipments/PurchaseDeductions.h"

#include "platform/Rounding.h"
#include "platform/Text.h"
#include "rules/DeductionDefinition.h"

namespace hvx::shipments {
namespace {

std::string Trimmed(std::string text) {
    TRIM(text);
    return text;
}

}  // namespace

bool FillPurchaseDeduction(PurchaseDeduction& line, double units, double grossAmt,
                           std::string& message) {
    const DeductionDefinition definition = ReadDeductionByReference(line.reference);
    if (!definition.found) {
        message = "No ded/add reference is found.";
        return false;
    }
    line.amount = DeductionAmountText(definition, {units, grossAmt});
    line.da = definition.type;
    line.advCode = definition.advCode;
    return true;
}

std::optional<std::string> CheckPurchaseDeduction(const PurchaseDeduction& line) {
    if (Trimmed(line.reference).empty()) return "Deduction/Addition reference is required.";
    if (Trimmed(line.amount).empty()) return "An amount is required.";
    if (Trimmed(line.da).empty()) return "D/A is required.";
    return std::nullopt;
}

// Amounts are added as shown (each to the cent), so the net is what a clerk
// gets by hand from the table.
std::string PurchaseNetAmount(double grossAmt, const std::vector<PurchaseDeduction>& lines) {
    double net = grossAmt;
    for (const PurchaseDeduction& line : lines) {
        const std::string da = Trimmed(line.da);
        const double amount = HVXRound(TextNumber(line.amount), 2);
        net += da == "D" || da == "d" ? -amount : amount;
    }
    return HVXSRound(net, 2);
}

}  // namespace hvx::shipments
