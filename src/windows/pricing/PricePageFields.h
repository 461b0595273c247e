#pragma once
// The names of the fields the price page moves the focus to, and the hints of
// its commands. The Qt view binds its widgets under these names. The page's
// checks also point at fields of its settlement window, named with the
// window's own.
#include <string_view>

#include "rules/SettlementFields.h"

namespace hvx {

// An entry field holding nothing but blanks is empty.
inline bool Blank(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

// Fields of the price page itself.
inline constexpr std::string_view kFieldUnits = "Units";
inline constexpr std::string_view kFieldPrice = "Price";
inline constexpr std::string_view kFieldDeduction = "Deduction";
inline constexpr std::string_view kFieldAmount = "Amount";
inline constexpr std::string_view kFieldDA = "DA";
inline constexpr std::string_view kFieldGradeFactor = "GradeFactor";
inline constexpr std::string_view kFieldResult = "Result";

// Hints of the page's commands.
inline constexpr std::string_view kHintAcceptPrice = "Accept price and quantity.";
inline constexpr std::string_view kHintNewPrice = "Enter a new price and quantity.";
inline constexpr std::string_view kHintRemovePrice = "Remove highlighted entry.";
inline constexpr std::string_view kHintAcceptDeduction = "Accept deduction and amount.";
inline constexpr std::string_view kHintNewDeduction = "Enter a new deduction and amount.";
inline constexpr std::string_view kHintRemoveDeduction = "Remove highlighted deduction.";
inline constexpr std::string_view kHintFindDeduction = "Find a deduction/addition";

// The page's own hints while an installment-sale source is settled by amount.
inline constexpr std::string_view kHintDeductionsOnly =
    "Enter the deduction to subtract from this settlement. Deductions will be subtracted from "
    "the entire settlement.";

// The A/R information panel.
inline constexpr std::string_view kArPanelTitle = "A/R Information";
inline constexpr int kArPanelWidth = 200;      // dialog units
inline constexpr int kArPanelOffsetBelow = 20;  // below the top of the button

}  // namespace hvx
