#include "rules/Categories.h"

#include <array>

namespace hvx {
namespace {

// "Priced Later" is offered as a source under "&Price Later": the label has no
// d, the stored text always has it.
constexpr std::array<Category, 11> kCategories{{
    {kPriced, "&Priced", "", false, DetailPage::UnitsAndPrices, false},
    {kPricedLater, "P&riced Later", "&Price Later", true, DetailPage::ContractTerms, false},
    {kStorageTicket, "&Storage Ticket", "&Storage Ticket", true, DetailPage::StorageTerms, false},
    {kInstallmentSale, "&Installment Sale", "&Installment Sale", true, DetailPage::UnitsAndPrices,
     true},
    {kBasisFixed, "&Basis Fixed", "&Basis Fixed", true, DetailPage::ContractTerms, false},
    {kFuturesFixed, "F&utures Fixed", "F&utures Fixed", true, DetailPage::ContractTerms, false},
    {kHedgedToArrive, "&Hedged-to-Arrive", "&Hedged-to-Arrive", true, DetailPage::ContractTerms,
     false},
    {kMinimumPriced, "&Minimum Priced", "&Minimum Priced", true, DetailPage::ContractTerms,
     false},
    {kGrainBank, "&Grain Bank", "&Grain Bank", true, DetailPage::ContractTerms, false},
    {kCCC, "&CCC", "&CCC", true, DetailPage::StorageTerms, false},
    {kRedelivered, "R&edelivered", "", false, DetailPage::Bin, false},
}};

}  // namespace

std::span<const Category> Categories() { return kCategories; }

const Category* FindCategory(std::string_view text) {
    for (const Category& category : kCategories)
        if (category.text == text) return &category;
    return nullptr;
}

bool IsOpenContractCategory(std::string_view text) {
    const Category* category = FindCategory(text);
    return category && category->openContract;
}

DetailPage DetailPageOf(std::string_view destination) {
    const Category* category = FindCategory(destination);
    return category ? category->page : DetailPage::None;
}

}  // namespace hvx
