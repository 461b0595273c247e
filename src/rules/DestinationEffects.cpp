#include "rules/DestinationEffects.h"

namespace hvx {
namespace {

bool IsSale(std::string_view destination) {
    return destination == kPriced || destination == kInstallmentSale;
}

}  // namespace

PatronageState PatronageFor(std::string_view sourceKind, std::string_view destination,
                            SettlementType window, bool wasChecked) {
    if (IsSale(destination)) {
        // Settling an installment-sale contract pays off a sale already
        // made; it is not a new sale of the grain.
        if (sourceKind == kInstallmentSale) return {false, false};
        return {true, true};
    }
    return {false, window == SettlementType::SingleSource && wasChecked};
}

bool DestinationCarriesCharge(std::string_view destination) { return IsSale(destination); }

DestinationEffects ChooseDestination(const DestinationChoice& choice) {
    const Category* category = FindCategory(choice.destination);
    DestinationEffects effects;
    effects.todpr = std::string(choice.destination);
    effects.page = category ? category->page : DetailPage::None;
    effects.contractEnabled = choice.destination != kPriced;
    effects.patronage = PatronageFor(choice.sourceKind, choice.destination, choice.window,
                                     choice.patronageChecked);
    effects.installmentTermsShown = category && category->installmentTerms;
    effects.defaultPaidThrough = true;
    // A sale and a redelivery take no grade list; the other destinations
    // start from the grade results, but never overwrite rows already typed.
    effects.loadGradeResults = category && choice.gradeListEmpty &&
                               !IsSale(choice.destination) && choice.destination != kRedelivered;
    if (DestinationCarriesCharge(choice.destination))
        effects.chargeOnQuantity = ChargeFamilyOf(choice.sourceKind);
    return effects;
}

}  // namespace hvx
