#pragma once
// The "Select Sources" dialog: the customer's open scale ticket lines (or
// assembly splits) with check boxes, the assembly that limits the tickets,
// and the totals of what is checked. OK turns the checked rows into lines of
// the settlement; a single checked row is left to the calling window, which
// takes it into the line being entered.
//
// The settlement's commodity and location are the record set's: checking a
// row of a settlement without them gives it the row's, and the rows of any
// other commodity or location leave the list until it is filled again.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "rules/SettlementTypes.h"
#include "settlement/SourceLineBuilder.h"
#include "windows/sources/SourceSelectionGrid.h"

namespace hvx::settlement {
struct SettlementRecordSet;
}

namespace hvx {

class UiPort;

// What the calling window knows of its settlement.
struct SourceSelectionRequest {
    std::string kind;         // "Scale Ticket" or "Assembly"
    std::string custRef;
    std::string destination;  // the one destination of the settlement
    SettlementType type = SettlementType::MultipleSource;
    std::string settDate;
};

// What OK leaves for the calling window.
struct SourceSelectionResult {
    std::vector<std::string> linesBuilt;  // the links of the lines added, in grid order
    // The one checked row, as the line being entered takes it.
    std::optional<settlement::LineValues> single;
    std::size_t checked = 0;
    double selectedUnits = 0;
};

class SourceSelectionController {
public:
    // Fields of the dialog, as focus moves name them.
    static constexpr const char* kAssemblyField = "Assembly";
    static constexpr const char* kGridField = "Sources";

    SourceSelectionController(UiPort& ui, settlement::SettlementRecordSet& set,
                              SourceSelectionRequest request);

    const std::string& Title() const { return title_; }
    // The two message lines under the title.
    const std::string& FirstMessage() const { return first_; }
    const std::string& SecondMessage() const { return second_; }
    bool AssemblyShown() const { return grid_.Tickets(); }

    const std::vector<SourceColumn>& Columns() const { return grid_.Columns(); }
    const std::vector<SourceRow>& Rows() const { return grid_.Rows(); }

    // Fills the list afresh; a failure has been shown.
    bool Fill();

    // The assembly limiter: the text as typed, then leaving the field.
    const std::string& Assembly() const { return assembly_; }
    void SetAssembly(std::string text) { assembly_ = std::move(text); }
    void LeaveAssembly();

    // Checks or unchecks a row (a row that is not there changes nothing).
    void Check(std::size_t row, bool on);

    std::size_t CheckedCount() const { return checked_; }
    double SelectedUnits() const { return selectedUnits_; }
    // The three totals: units, their unit price and their amount.
    std::string SelectedUnitsText() const;  // "%.4f"
    std::string UnitPriceText() const;      // "%.4f"
    std::string AmountText() const;         // "%.2f"

    // OK: the checked rows become lines (two or more), or the single checked
    // row is kept for the window. False when a line could not be built; the
    // user has been told and nothing was added.
    bool Ok();
    const SourceSelectionResult& Result() const { return result_; }

private:
    bool AssemblyIsOpen(bool& open);
    void Narrow(const SourceRow& row);
    void Recount();
    // The row's unit price, with its grade premium or discount.
    double PriceOf(SourceRow& row);
    settlement::LineValues ValuesOf(SourceRow& row);

    UiPort& ui_;
    settlement::SettlementRecordSet& set_;
    SourceSelectionRequest request_;
    SourceSelectionGrid grid_;
    std::string title_, first_, second_;
    std::string assembly_;
    std::string filledAssembly_;  // the assembly the list was filled for
    std::size_t checked_ = 0;
    double selectedUnits_ = 0;
    double amount_ = 0;
    SourceSelectionResult result_;
};

}  // namespace hvx
