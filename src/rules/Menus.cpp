#include "rules/Menus.h"

#include <algorithm>
#include <initializer_list>

#include "rules/Categories.h"
#include "rules/SourceKinds.h"

namespace hvx {
namespace {

using List = std::vector<std::string_view>;

bool OneOf(std::string_view text, std::initializer_list<std::string_view> texts) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

std::vector<MenuEntry> Finished(std::vector<MenuEntry> menu) {
    menu.push_back({MenuEntry::Kind::Separator, {}, {}});
    menu.push_back({MenuEntry::Kind::Finish, kFinishSettlementLabel, {}});
    return menu;
}

}  // namespace

List DestinationsFor(std::string_view sourceKind) {
    if (OneOf(sourceKind, {kAssembly, kStorageTicket, kGrainBank, kCCC}))
        return {kPriced,        kPricedLater,  kStorageTicket, kInstallmentSale,
                kBasisFixed,    kFuturesFixed, kHedgedToArrive, kMinimumPriced,
                kGrainBank,     kCCC,          kRedelivered};
    if (OneOf(sourceKind, {kPricedLater, kFuturesFixed, kMinimumPriced, kBasisFixed,
                           kHedgedToArrive, kDirectIn}))
        return {kPriced,       kPricedLater,    kInstallmentSale, kBasisFixed,
                kFuturesFixed, kHedgedToArrive, kMinimumPriced};
    if (sourceKind == kInstallmentSale) return {kPriced, kInstallmentSale};
    // Setup brings units onto the books as open positions: never sold or
    // redelivered in the same step.
    if (sourceKind == kSetup)
        return {kPricedLater,   kStorageTicket, kInstallmentSale,
                kBasisFixed,    kFuturesFixed,  kHedgedToArrive,
                kMinimumPriced, kGrainBank,     kCCC};
    return {};
}

List SourcesFor(std::string_view destination, bool settByTicket) {
    // Assemblies and scale tickets are two ways of settling the same
    // deliveries, so only one of them is ever offered.
    const std::string_view delivered = settByTicket ? kScaleTicket : kAssembly;
    if (OneOf(destination, {kPriced, kInstallmentSale}))
        return {delivered,   kStorageTicket, kPricedLater,    kInstallmentSale,
                kBasisFixed, kFuturesFixed,  kHedgedToArrive, kMinimumPriced,
                kGrainBank,  kCCC,           kDirectIn};
    if (OneOf(destination,
              {kPricedLater, kBasisFixed, kFuturesFixed, kHedgedToArrive, kMinimumPriced}))
        return {delivered,       kStorageTicket, kPricedLater, kBasisFixed, kFuturesFixed,
                kHedgedToArrive, kMinimumPriced, kGrainBank,   kCCC,        kDirectIn};
    if (OneOf(destination, {kStorageTicket, kCCC, kGrainBank}))
        return {delivered, kStorageTicket, kGrainBank, kCCC};
    // Scale tickets are never redelivered.
    if (destination == kRedelivered) {
        if (settByTicket) return {kStorageTicket, kGrainBank, kCCC};
        return {kAssembly, kStorageTicket, kGrainBank, kCCC};
    }
    return {};
}

std::vector<MenuEntry> DestinationMenu(std::string_view sourceKind) {
    std::vector<MenuEntry> menu;
    for (std::string_view destination : DestinationsFor(sourceKind))
        menu.push_back({MenuEntry::Kind::Choice, FindCategory(destination)->destinationLabel,
                        destination});
    return Finished(std::move(menu));
}

std::vector<MenuEntry> SourceMenu(std::string_view destination, bool settByTicket) {
    std::vector<MenuEntry> menu;
    for (std::string_view source : SourcesFor(destination, settByTicket))
        menu.push_back({MenuEntry::Kind::Choice, SourceMenuLabel(source), source});
    return Finished(std::move(menu));
}

}  // namespace hvx
