#pragma once
// The storage, service and interest charges of a settlement as rows of its
// price page: each row names the deduction reference that the configuration
// (HVXGR40 DSTORAGE, DSERVICE, DINTEREST) gives the charge, whether it is a
// deduction "D" or an addition "A", and its amount as "%.2f". The price page
// puts each row in place of an earlier row of the same reference, unless that
// row's amount was typed by hand, and recomputes its totals.
//
// A charge whose configuration reference is empty (or blank) is switched off
// and silently skipped. A charge whose source contract row is missing shows
// its message on the caller's port and places no row; the other charges are
// not affected.
#include <string>
#include <string_view>
#include <vector>

#include "platform/UiPort.h"
#include "rules/SourceKinds.h"

namespace hvx {

inline constexpr std::string_view kMsgNoStorageSource =
    "Cannot find source record in HVXGR04F for calculating storage charge.";
inline constexpr std::string_view kMsgNoServiceSource =
    "Cannot find source record in HVXGR04F for calculating service charge.";
inline constexpr std::string_view kMsgNoInterestSource =
    "Cannot find source record in HVXGR04F for calculating interest charge.";

struct ChargeRow {
    std::string reference;  // HVXGR52.REFERENCE
    std::string da;         // "D" or "A"
    std::string amount;     // "%.2f"
    bool operator==(const ChargeRow&) const = default;
};

// One line of a single-source settlement whose settled quantity was entered
// or changed.
struct LineChargeInput {
    std::string_view sourceKind;   // HVXGR04D.SOURCE of the line
    std::string_view sourceLink;   // DLLINK of the source contract in HVXGR04F
    std::string_view destination;  // the line's destination category
    std::string_view commodity;    // whose default rates apply
    std::string_view quantity;     // settled units; the settled amount for an installment sale
    std::string_view date;         // the line's date, the last day charged
};

// The charge of the source's charge family, as at most one row. Nothing when
// the destination is neither "Priced" nor "Installment Sale": grain moved to
// another position carries its terms along and is charged when sold.
// Storage nets the amount prepaid: a charge up to the prepaid amount is an
// addition of what is left over ("A" 0.00 when they are equal).
std::vector<ChargeRow> SingleSourceLineCharges(UiPort& ui, const LineChargeInput& in);

// One unique source of a multiple-source settlement, with what its lines
// settle.
struct ChargeSource {
    std::string sourceKind;
    std::string sourceLink;  // DLLINK of the source contract in HVXGR04F
    double units = 0;        // settled units of the source's lines
    double dollars = 0;      // settled dollars, for an installment-sale source
    bool removed = false;    // every line of the source has been removed
};

// The storage, service and interest rows of a multiple-source settlement, in
// that order, each summed over the sources of its family with each source's
// own commodity. Nothing when the destination is neither "Priced" nor
// "Installment Sale". Storage nets all prepaid amounts and is a deduction
// unless the prepaid amounts exceed the charges ("D" 0.00 when they are
// equal).
std::vector<ChargeRow> MultipleSourceCharges(UiPort& ui, std::string_view destination,
                                             const std::vector<ChargeSource>& sources,
                                             std::string_view date);

namespace charges {

// The deduction reference of a charge, trimmed; empty when switched off.
std::string ConfiguredReference(ChargeFamily family);

// "%.2f" of an amount, never "-0.00".
std::string MoneyText(double amount);

// True for the destinations whose settlement is charged.
bool IsChargedDestination(std::string_view destination);

}  // namespace charges

}  // namespace hvx
