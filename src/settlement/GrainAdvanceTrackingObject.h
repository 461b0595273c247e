#pragma once
// The advance items of one settlement, collected by the save before it
// applies them (GrainAdvanceObject).
//
// An item is one advance-flagged deduction or addition row: a negative amount
// repays the customer's open advances (a deduction, handed over negated), a
// positive amount is an advance this settlement pays out (an addition).
// Beside the items the tracking keeps the advances the user chose by hand in
// the selection dialog, in the order chosen.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace hvx::settlement {

struct GrainAdvanceItem {
    std::string lineLink;  // the line's DLLINK; empty in a multiple-source settlement
    std::string source;    // source kind of the line
    std::string sourceRef;
    std::string checkNumber;
    double amount = 0;
};

class GrainAdvanceTrackingObject {
public:
    static constexpr std::size_t kMaxChosen = 100;

    void Clear();
    void AddItem(std::string_view lineLink, std::string_view source, std::string_view sourceRef,
                 std::string_view checkNumber, double amount);
    const std::vector<GrainAdvanceItem>& Items() const { return items_; }
    // The first item of the line link, or null.
    const GrainAdvanceItem* FindItem(std::string_view lineLink) const;
    // The first advance paid out (positive amount) under the line link, or null.
    const GrainAdvanceItem* FindPaidOutItem(std::string_view lineLink) const;

    bool HasRepayments() const;
    // What the repayment items take from the customer's advances, a positive
    // amount rounded to the cent.
    double RepaymentTotal() const;

    // Advances chosen by hand: at most kMaxChosen record numbers, in order;
    // further ones are dropped.
    void SetChosen(const std::vector<double>& recnos);
    // Forgets a choice by hand: the repayments are applied automatically.
    void SetAutomatic();
    const std::vector<double>& Chosen() const { return chosen_; }
    bool ChoseByHand() const { return choseByHand_; }

private:
    std::vector<GrainAdvanceItem> items_;
    std::vector<double> chosen_;
    bool choseByHand_ = false;
};

// What the save hands to the tracking, as plain rows of its record set.
struct AdvanceLineInput {
    std::string lineLink;  // DLLINK
    std::string source;
    std::string sourceRef;
    std::string toCategory;
};

struct AdvanceRowInput {
    std::string lineLink;  // DLLINK of the deduction row
    double amount = 0;     // as entered, positive
    std::string da;        // "D" deduction, "A" addition
    bool advance = false;  // the deduction code's ADVCODE is "1"
};

struct AdvanceSettlementInput {
    bool multipleSource = false;
    std::string checkNumber;              // the settlement's check number
    std::string destination;              // the one destination of a multiple-source settlement
    std::vector<AdvanceLineInput> lines;  // in line order
    std::vector<AdvanceRowInput> rows;    // deductions and additions, in list order
};

// Clears the tracking and hands it the settlement's advance rows. Only grain
// that is paid for ("Priced", "Installment Sale") repays or pays advances;
// the check number goes with the items of a "Priced" line (or destination),
// since an installment sale is paid later, by another check.
void CollectAdvanceItems(const AdvanceSettlementInput& settlement,
                         GrainAdvanceTrackingObject& tracking);

}  // namespace hvx::settlement
