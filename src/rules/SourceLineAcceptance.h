#pragma once
// The checks a source line of a multiple-source settlement passes before it
// joins the destination, in their fixed order; the first that fails shows its
// message (caption "Harvexa"), moves the focus to its field and the line is
// not accepted.
//
// What the checks read comes from the multiple-source window and the unit
// allocation of its record set, which hand it over in SourceLineEntry.
#include <optional>
#include <string>
#include <string_view>

#include "platform/UiPort.h"
#include "rules/DestinationTotals.h"
#include "rules/InstallmentSaleUnits.h"

namespace hvx {

inline constexpr std::string_view kMsgSourceNotLoaded = "Settlement Source is not loaded.";
inline constexpr std::string_view kMsgCustomerRequired =
    "A valid customer is required before settlement detail may be accepted.";
inline constexpr std::string_view kMsgSourceReferenceRequired =
    "A valid source reference is required.";
inline constexpr std::string_view kMsgUnitsSettledRequired =
    "Units settled amount is required to accept this settle detail.";
inline constexpr std::string_view kMsgNegativeSettlement =
    "Negative settlements are not supported.";
inline constexpr std::string_view kMsgMaximumUnits =
    "Maximum units available to settle from this source are %.4f. You are attempting to settle "
    "%.4f.";
inline constexpr std::string_view kMsgMaximumAmount =
    "Maximum amount available to settle from this source is %.4f. You are attempting to settle "
    "%.4f.";
inline constexpr std::string_view kMsgUnitPriceRequired =
    "A unit price is required to accept this settle detail.";

// The source line being entered in the multiple-source window.
struct SourceLineEntry {
    bool sourceLoaded = false;         // a source kind was chosen and its source loaded
    bool customerValid = false;        // the window verified the customer
    std::string sourceKind;
    std::string sourceReference;
    bool sourceReferenceValid = false;  // the reference names the loaded source
    std::string destination;           // the settlement's destination category
    std::string quantity;              // units settled; dollars for an installment sale
    std::string price;                 // unit price
    // What the source still has (from the unit allocation): units, or for an
    // installment sale dollars. Not used for "Setup" and "Direct In".
    double available = 0;
    // An installment-sale source: the contract and what this settlement's
    // other lines take from it, to turn the dollars into units.
    InstallmentContract contract;
    InstallmentTaken taken;
};

// The line when every check passes: units rounded to 4 decimals (converted
// from the dollars for an installment sale), price to 4, total price
// round(units × price, 2), and its activity code. An installment-sale
// contract with a zero net amount is refused after the eight checks with
// kMsgInstallmentNoNetAmount.
std::optional<PricedSourceLine> AcceptSourceLine(UiPort& ui, const SourceLineEntry& entry);

// True when a line to the destination is sold and needs a unit price.
bool DestinationSells(std::string_view destination);

}  // namespace hvx
