#pragma once
// The deductions and additions of a shipment batch's purchase settlement (the
// "Ded/Add", "Amount", "D/A" table under the loads) and the net amount they
// leave of the settlement's gross.
#include <optional>
#include <string>
#include <vector>

namespace hvx::shipments {

struct PurchaseDeduction {
    std::string reference;  // HVXGR52
    std::string amount;
    std::string da;       // "D" deducts; anything else adds
    std::string advCode;  // "1": repays an advance
};

// A reference picked: the amount figured on the settlement's units (a rate
// per unit) or gross amount (a percentage), its D/A and advance code. False
// with "No ded/add reference is found." for a reference that does not exist.
bool FillPurchaseDeduction(PurchaseDeduction& line, double units, double grossAmt,
                           std::string& message);

// The checks of "&Acc", in their order; nothing when the line may be kept.
std::optional<std::string> CheckPurchaseDeduction(const PurchaseDeduction& line);

// The gross amount less the deductions and plus the additions, "%.2f".
std::string PurchaseNetAmount(double grossAmt, const std::vector<PurchaseDeduction>& lines);

}  // namespace hvx::shipments
