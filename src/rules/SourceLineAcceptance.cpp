#include "rules/SourceLineAcceptance.h"

#include "platform/Format.h"
#include "platform/Rounding.h"
#include "rules/ActivityCodes.h"
#include "rules/Categories.h"
#include "rules/SettlementFields.h"
#include "rules/SourceKinds.h"
#include "rules/StoredText.h"

namespace hvx {
namespace {

bool Blank(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

std::nullopt_t Refuse(UiPort& ui, std::string_view message, std::string_view field) {
    ShowMessage(ui, message);
    ui.SetFocus(field);
    return std::nullopt;
}

}  // namespace

bool DestinationSells(std::string_view destination) {
    return destination == kPriced || destination == kInstallmentSale;
}

std::optional<PricedSourceLine> AcceptSourceLine(UiPort& ui, const SourceLineEntry& entry) {
    if (!entry.sourceLoaded) return Refuse(ui, kMsgSourceNotLoaded, kFieldSourceReference);
    if (!entry.customerValid) return Refuse(ui, kMsgCustomerRequired, kFieldCustomer);
    const bool hasSource = HasSourceRecord(entry.sourceKind);
    if (hasSource && (Blank(entry.sourceReference) || !entry.sourceReferenceValid))
        return Refuse(ui, kMsgSourceReferenceRequired, kFieldSourceReference);
    if (Blank(entry.quantity)) return Refuse(ui, kMsgUnitsSettledRequired, kFieldUnitsSettled);

    const double quantity = TextNumber(entry.quantity);
    if (HVXRound(quantity, 4) < 0) return Refuse(ui, kMsgNegativeSettlement, kFieldUnitsSettled);

    const bool byAmount = SettledQuantityOf(entry.sourceKind) == SettledQuantity::Amount;
    if (hasSource) {
        // Rounded on both sides: equal is allowed, and what the allocation
        // computed must not refuse the last unit over binary noise.
        const int decimals = byAmount ? 2 : 4;
        const double entered = HVXRound(quantity, decimals);
        if (entered > HVXRound(entry.available, decimals))
            return Refuse(ui,
                          _HVXsprintf(byAmount ? kMsgMaximumAmount : kMsgMaximumUnits,
                                      entry.available, entered),
                          kFieldUnitsSettled);
    }

    double price = 0;
    if (DestinationSells(entry.destination)) {
        if (Blank(entry.price)) return Refuse(ui, kMsgUnitPriceRequired, kFieldUnitPrice);
        price = HVXRound(TextNumber(entry.price), 4);
        if (price < 0) return Refuse(ui, kMsgNegativeSettlement, kFieldUnitPrice);
    }

    PricedSourceLine line;
    line.sourceKind = entry.sourceKind;
    line.sourceReference = entry.sourceReference;
    line.destination = entry.destination;
    line.units = HVXRound(quantity, 4);
    if (byAmount) {
        line.dollars = HVXRound(quantity, 2);
        const std::optional<double> units =
            InstallmentUnits(entry.contract, entry.taken, line.dollars);
        if (!units) return Refuse(ui, kMsgInstallmentNoNetAmount, kFieldUnitsSettled);
        line.units = HVXRound(*units, 4);
    }
    line.price = price;
    line.totalPrice = HVXRound(line.units * price, 2);
    line.glCode = ClassifyActivity(line.sourceKind, line.destination);
    return line;
}

}  // namespace hvx
