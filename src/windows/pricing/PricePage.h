#pragma once
// The price page of a settlement that sells grain: units at prices,
// deductions and additions, and the average, gross and net they come to.
//
// In a single-source settlement the page belongs to the destination line
// being entered, and its units must add up to the units settled on that
// line. In a multiple-source settlement it belongs to the settlement's one
// destination: the gross and average come from the source lines and the page
// adds the deductions. While the line's source is an installment sale the
// settled quantity is a dollar amount, the units list is not used, and the
// gross and average are set from outside.
//
// The page is a controller: the view binds its widgets to Data() and calls
// the commands; every message, focus move and pick list goes through the
// window's UI port. Every refusal shows its message (caption "Harvexa",
// exclamation icon), moves the focus to its field and changes no list.
//
// What the page needs from its settlement window (customer, source, the
// commodity's decimals, the source lines of a multiple-source settlement)
// the window keeps up to date in Inputs(), until the settlement entry windows
// and their record set own that data.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/HostPort.h"
#include "platform/UiPort.h"
#include "rules/ChargeRows.h"
#include "rules/DeductionDefinition.h"
#include "rules/DestinationTotals.h"
#include "rules/GradeResults.h"
#include "rules/InstallmentSaleUnits.h"
#include "rules/PriceDeductionRows.h"
#include "rules/SettlementTypes.h"
#include "rules/PriceUnitRows.h"
#include "rules/SourceLineAcceptance.h"

namespace hvx::settlement {
struct SettlementDetailItem;
struct SettlementRecordSet;
}  // namespace hvx::settlement

namespace hvx {

inline constexpr std::string_view kMsgUnitsRequired = "Units are required.";
inline constexpr std::string_view kMsgPriceRequired = "Price is required.";
inline constexpr std::string_view kMsgUnitsNotSettled = "Total units do not equal units settled.";
inline constexpr std::string_view kMsgDeductionRequired =
    "Deduction/Addition reference is required.";
inline constexpr std::string_view kMsgAmountRequired = "An amount is required.";
inline constexpr std::string_view kMsgDARequired = "D/A is required.";

// A grade factor of the line and its result, as the user typed them.
struct PriceGradeRow {
    std::string gradeFactor, result;
    bool operator==(const PriceGradeRow&) const = default;
};

// What the page reads from its settlement window.
struct PriceWindowInputs {
    int decimals = 0;               // the commodity's DECIMALS
    std::string customerReference;  // for the A/R panel
    std::string sourceReference;    // single-source: the source's reference, for the A/R panel
    // Multiple-source: the settlement's source lines in the window's order.
    std::vector<PricedSourceLine> sourceLines;
    HostWindow window = nullptr;  // the module window that asks the fuel module
};

// The form data the view binds.
struct PricePageData {
    // Entry of a units/price row.
    std::string units, price;
    std::optional<std::size_t> unitsRow;  // the row being edited; none: a new row
    // Entry of a deduction row.
    std::string deduction, amount, da;
    bool advance = false;                     // the entry's deduction repays an advance
    std::optional<std::size_t> deductionRow;  // the row being edited; none: a new row
    // The view sets these when the user types into the field.
    bool deductionEdited = false;
    bool amountEdited = false;
    // Set with the focus move to Amount after a pick: the view selects the
    // field's text and clears the flag.
    bool amountSelected = false;
    // Entry of a grade factor row.
    std::string gradeFactor, result;
    std::optional<std::size_t> gradeRow;  // the row being edited; none: a new row
    // The totals as shown.
    std::string averageText, grossText, netText;
    std::string arText;  // the A/R panel
};

class PricePage {
public:
    PricePage(UiPort& ui, SettlementType type);

    PriceWindowInputs& Inputs() { return inputs_; }
    PricePageData& Data() { return data_; }
    const PricePageData& Data() const { return data_; }
    const PriceUnitRows& UnitsList() const { return units_; }
    const PriceDeductionRows& Deductions() const { return deductions_; }
    const std::vector<PriceGradeRow>& Grades() const { return grades_; }

    // The page of a line shows the units and prices, deductions and grade
    // factors the record set keeps under the line's link, and accepting the
    // line puts the page's rows back there in place of the old ones, so the
    // save writes exactly what the page shows and a load gives it back. The
    // one destination of a multiple-source settlement keeps its lists under
    // no link, which is how its reversal finds them; its deductions name the
    // source of the line given.
    void Fill(const settlement::SettlementRecordSet& set,
              const settlement::SettlementDetailItem& line);
    void Store(settlement::SettlementRecordSet& set,
               const settlement::SettlementDetailItem& line) const;

    // Modes.
    SettlementType Type() const { return type_; }
    bool MultipleSource() const { return type_ == SettlementType::MultipleSource; }
    // The source kind of the line decides the installment-sale mode.
    void SetSourceKind(std::string_view sourceKind);
    const std::string& SourceKind() const { return sourceKind_; }
    bool InstallmentSaleSource() const { return installmentSale_; }
    // The page's hints: set only while an installment-sale source is settled
    // by amount (the settlement type's sentence, and the deductions hint).
    std::string_view PageHint() const;
    std::string_view DeductionHint() const;

    // Totals, stored rounded: average to 4 decimals, gross and net to 2,
    // units settled to 4.
    double Average() const { return average_; }
    double Gross() const { return gross_; }
    double Net() const { return net_; }
    double UnitsSettled() const { return unitsSettled_; }
    // Setters used by the settlement windows; each then recomputes.
    void SetGross(double gross);
    void SetAverage(double average);
    void SetUnitsSettled(double units);
    // "Recompute totals": average and gross from the units list (single-
    // source), then the net.
    void RecomputeTotals();
    // Multiple-source: gross and average from the source lines of Inputs().
    void RecomputeDestinationTotals();

    // A cleared page: no rows, zero totals, empty entry fields.
    void Clear();

    // Units and prices.
    void EnterUnitsField();
    bool AcceptPrice();
    void NewPrice();
    bool RemovePrice();
    void SelectPriceRow(std::size_t row);
    // The units check of a single-source line before it is accepted.
    bool UnitsCheck();

    // Deductions.
    void LeaveDeductionField();
    void LeaveAmountField();
    bool FindDeduction();
    bool AcceptDeduction();
    void NewDeduction();
    bool RemoveDeduction();
    void SelectDeductionRow(std::size_t row);
    // A computed charge among the deductions: it replaces the computed row of
    // its reference but never an amount typed by hand. The net is recomputed.
    void PutChargeRow(const ChargeRow& charge);
    void PutChargeRows(const std::vector<ChargeRow>& charges);
    // What the advance deductions do to the customer's advances.
    double AdvanceEffect() const { return deductions_.AdvanceEffect(); }

    // Grade factors: both parts are required.
    bool AcceptGrade();
    void NewGrade();
    bool RemoveGrade();
    void SelectGradeRow(std::size_t row);

    // The A/R information panel: its text is refreshed after every change of
    // the deductions; the command shows it.
    void RefreshArInformation();
    void ShowArInformation();

    // A single-source line settling an installment sale by amount: the units
    // that leave the contract (false, after the message, for a contract with a
    // zero net amount); the page's gross becomes the amount.
    bool SettleInstallmentAmount(const InstallmentContract& contract,
                                 const InstallmentTaken& taken, double amount,
                                 std::string& units);
    // Multiple-source: a source line passes its checks and joins the
    // destination, whose totals are recomputed.
    std::optional<PricedSourceLine> AcceptSourceLine(const SourceLineEntry& entry);

    // Set by every command that changes a list; the window reads and clears it.
    bool Changed() const { return changed_; }
    void ClearChanged() { changed_ = false; }

private:
    bool Refuse(std::string_view message, std::string_view field);
    void RecomputeNet();
    void ShowAverage();
    void ShowGross();
    DeductionBase TypedBase(const DeductionDefinition& definition) const;
    DeductionBase PickBase() const;
    void FillDeduction(const DeductionDefinition& definition, const DeductionBase& base);
    bool PickDeduction();
    void DeriveDeductionAmount();

    UiPort& ui_;
    SettlementType type_;
    std::string sourceKind_;
    bool installmentSale_ = false;
    PriceWindowInputs inputs_;
    PricePageData data_;
    PriceUnitRows units_;
    PriceDeductionRows deductions_;
    std::vector<PriceGradeRow> grades_;
    double average_ = 0, gross_ = 0, net_ = 0, unitsSettled_ = 0;
    bool changed_ = false;
};

}  // namespace hvx
