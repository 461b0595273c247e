#include "windows/wizard/WizardModes.h"

#include "rules/Categories.h"
#include "rules/SourceKinds.h"

namespace hvx {

const std::vector<std::string_view>& WizardEntries(WizardMode mode) {
    static const std::vector<std::string_view> sources{
        kAssembly,   kStorageTicket, kPricedLater,    kInstallmentSale,
        kBasisFixed, kFuturesFixed,  kHedgedToArrive, kMinimumPriced,
        kGrainBank,  kCCC,           kDirectIn,       kSetup};
    static const std::vector<std::string_view> destinations{
        kPriced,        kInstallmentSale, kPricedLater, kBasisFixed, kFuturesFixed, kHedgedToArrive,
        kMinimumPriced, kStorageTicket,   kCCC,         kGrainBank,  kRedelivered};
    // A shipment is bought, so it can go only where grain is sold or priced.
    static const std::vector<std::string_view> shipments(destinations.begin(),
                                                         destinations.begin() + 7);
    switch (mode) {
        case WizardMode::SourceType: return sources;
        case WizardMode::DestinationType: return destinations;
        case WizardMode::ShipmentDestination: return shipments;
    }
    return sources;
}

std::string_view WizardListLabel(WizardMode mode) {
    return mode == WizardMode::SourceType ? "Source Type" : "Destination Type";
}

std::string_view WizardListPrompt(WizardMode mode) {
    return mode == WizardMode::SourceType
               ? "Select the source for the settlement about to be created."
               : "Select the destination for the settlement about to be created.";
}

bool WizardAsksCommodity(WizardMode mode, std::string_view entry) {
    return mode == WizardMode::SourceType && (entry == kDirectIn || entry == kSetup);
}

}  // namespace hvx
