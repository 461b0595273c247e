#include "rules/InstallmentSaleUnits.h"

#include "platform/Rounding.h"
#include "rules/SettlementFields.h"
#include "rules/SettledQuantityText.h"

namespace hvx {

std::string InstallmentPrefill(const InstallmentContract& contract, double takenAmount) {
    const double left = contract.netAmount - takenAmount - contract.dollarsUsed;
    if (HVXRound(left, 5) == 0) return {};
    return HVXSRound(left, 2);
}

std::optional<double> InstallmentUnits(const InstallmentContract& contract,
                                       const InstallmentTaken& taken, double amount) {
    if (HVXRound(contract.netAmount, 5) == 0) return std::nullopt;
    if (HVXRound(contract.netAmount, 5) == HVXRound(amount + taken.amount, 5))
        return contract.unitsSet - taken.units;
    return contract.unitsSet * amount / contract.netAmount;
}

bool InstallmentUnitsText(UiPort& ui, const InstallmentContract& contract,
                          const InstallmentTaken& taken, double amount, int decimals,
                          std::string& units) {
    const std::optional<double> value = InstallmentUnits(contract, taken, amount);
    if (!value) {
        ShowMessage(ui, kMsgInstallmentNoNetAmount);
        ui.SetFocus(kFieldUnitsSettled);
        return false;
    }
    units = UnitsText(*value, decimals);
    return true;
}

}  // namespace hvx
