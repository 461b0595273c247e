#pragma once
// Position categories: the categories of the daily position report.
//
// A category has no numeric code; it is stored and compared as its display
// text in TODPR, FROMDPR, DPR and DPRSTATUS, exactly and case-sensitively, so
// "priced" or "Priced " is no category at all.
#include <span>
#include <string_view>

namespace hvx {

inline constexpr std::string_view kPriced = "Priced";
inline constexpr std::string_view kPricedLater = "Priced Later";
inline constexpr std::string_view kStorageTicket = "Storage Ticket";
inline constexpr std::string_view kInstallmentSale = "Installment Sale";
inline constexpr std::string_view kBasisFixed = "Basis Fixed";
inline constexpr std::string_view kFuturesFixed = "Futures Fixed";
inline constexpr std::string_view kHedgedToArrive = "Hedged-to-Arrive";
inline constexpr std::string_view kMinimumPriced = "Minimum Priced";
inline constexpr std::string_view kGrainBank = "Grain Bank";
inline constexpr std::string_view kCCC = "CCC";
inline constexpr std::string_view kRedelivered = "Redelivered";

// Texts of the collateral warehouse receipts; never a settlement source or
// destination.
inline constexpr std::string_view kCompanyOwned = "Company Owned";
inline constexpr std::string_view kCollateralWHR = "Collateral WHR";
inline constexpr std::string_view kCWRIssued = "CWR Issued";
inline constexpr std::string_view kCWRSettled = "CWR Settled";

// The page shown beside a line whose destination is the category.
enum class DetailPage {
    None,            // not a category
    UnitsAndPrices,  // with the deductions list
    ContractTerms,   // with the grade factors
    StorageTerms,
    Bin,
};

struct Category {
    std::string_view text;              // stored and shown
    std::string_view destinationLabel;  // single-source destination menu
    std::string_view sourceLabel;       // multiple-source source menu; empty: never a source
    bool openContract;                  // units put here stay open and can be drawn later
    DetailPage page;
    bool installmentTerms;              // the units-and-prices page also shows installment terms
};

// Every category, in the order of the daily position report.
std::span<const Category> Categories();

// The category stored as this text, or null.
const Category* FindCategory(std::string_view text);

// True when an open contract of the category can be a settlement source.
bool IsOpenContractCategory(std::string_view text);

// The page of a destination; DetailPage::None for a text that is no category.
DetailPage DetailPageOf(std::string_view destination);

}  // namespace hvx
