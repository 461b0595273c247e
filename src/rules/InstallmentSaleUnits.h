#pragma once
// Settling an installment-sale contract by amount: the user enters dollars,
// and the units that leave the contract follow from the contract's net
// amount (HVXGR04F NETAMT, ISDOLUSED, UNITSSET).
#include <optional>
#include <string>
#include <string_view>

#include "platform/UiPort.h"

namespace hvx {

// A contract whose net amount is zero cannot turn dollars into units (the
// share of the contract a payment stands for would be a division by zero).
// Such a contract is refused with this message, before any units are figured,
// even for a payment of 0.00: settling it by amount would give its units away
// for nothing.
inline constexpr std::string_view kMsgInstallmentNoNetAmount =
    "This installment sale contract has a net amount of 0.00. Its units cannot be settled by "
    "amount.";

struct InstallmentContract {
    double netAmount = 0;    // NETAMT: what the whole contract pays
    double dollarsUsed = 0;  // ISDOLUSED: paid by earlier settlements
    double unitsSet = 0;     // UNITSSET: the contract's units
};

// What the lines of this settlement already take from the same contract.
struct InstallmentTaken {
    double amount = 0;
    double units = 0;
};

// The amount a new line starts with: what the contract still pays, "%.2f";
// empty when nothing is left (zero at 5 decimals).
std::string InstallmentPrefill(const InstallmentContract& contract, double takenAmount);

// The units that leave the contract for a payment of amount. The payment that
// completes the contract (with this settlement's other lines, it adds up to
// the net amount) takes exactly the units that are left, whatever the
// proportional figure would be, so no fraction of a unit stays open.
// None for a contract with a zero net amount.
std::optional<double> InstallmentUnits(const InstallmentContract& contract,
                                       const InstallmentTaken& taken, double amount);

// The same as text with the commodity's decimals; on a contract with a zero
// net amount shows kMsgInstallmentNoNetAmount (caption "Harvexa"), moves the
// focus to the settled quantity and returns false.
bool InstallmentUnitsText(UiPort& ui, const InstallmentContract& contract,
                          const InstallmentTaken& taken, double amount, int decimals,
                          std::string& units);

}  // namespace hvx
