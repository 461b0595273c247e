#include "rules/SourceKinds.h"

#include "rules/Categories.h"

namespace hvx {
namespace {

struct PlainKind {
    std::string_view text;
    std::string_view referenceTitle;
    std::string_view menuLabel;
    bool hasRecord;
};

constexpr PlainKind kPlainKinds[] = {
    {kAssembly, "Assembly #", "&Assembly", true},
    {kScaleTicket, "Ticket #", "Scale &Ticket", true},
    {kDirectIn, "Source Ref", "&Direct In", false},
    {kSetup, "Source Ref", "", false},
};

const PlainKind* FindPlain(std::string_view kind) {
    for (const PlainKind& plain : kPlainKinds)
        if (plain.text == kind) return &plain;
    return nullptr;
}

const Category* OpenContract(std::string_view kind) {
    const Category* category = FindCategory(kind);
    return category && category->openContract ? category : nullptr;
}

}  // namespace

bool IsSourceKind(std::string_view kind) { return FindPlain(kind) || OpenContract(kind); }

bool HasSourceRecord(std::string_view kind) {
    if (const PlainKind* plain = FindPlain(kind)) return plain->hasRecord;
    return OpenContract(kind) != nullptr;
}

std::string_view SourceReferenceTitle(std::string_view kind) {
    if (const PlainKind* plain = FindPlain(kind)) return plain->referenceTitle;
    if (!OpenContract(kind)) return {};
    return kind == kInstallmentSale ? "Contract #" : "Source Ref";
}

std::string_view SourceMenuLabel(std::string_view kind) {
    if (const PlainKind* plain = FindPlain(kind)) return plain->menuLabel;
    const Category* category = OpenContract(kind);
    return category ? category->sourceLabel : std::string_view{};
}

ChargeFamily ChargeFamilyOf(std::string_view kind) {
    if (kind == kStorageTicket || kind == kCCC) return ChargeFamily::Storage;
    if (kind == kInstallmentSale) return ChargeFamily::Interest;
    // Every other open contract (grain bank and the contracts still to be
    // priced) pays a service charge.
    return OpenContract(kind) ? ChargeFamily::Service : ChargeFamily::None;
}

SettledQuantity SettledQuantityOf(std::string_view kind) {
    return kind == kInstallmentSale ? SettledQuantity::Amount : SettledQuantity::Units;
}

std::string_view QuantityColumnTitle(std::string_view kind) {
    return SettledQuantityOf(kind) == SettledQuantity::Amount ? "Amount" : "Units";
}

}  // namespace hvx
