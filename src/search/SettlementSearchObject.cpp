#include "search/SettlementSearchObject.h"

#include <algorithm>

namespace hvx::search {

const std::array<SearchLocation, kSearchLocationCount>& SearchLocations() {
    // The Priced Later source key is spelt "Lated": files written with it
    // must keep loading.
    static const std::array<SearchLocation, kSearchLocationCount> locations{{
        {"Settlement Number", "SearchSettlementNumber"},
        {"Customer Name", "SearchCustName"},
        {"Customer Reference", "SearchCustRef"},
        {"Check Number", "SearchCheckNum"},
        {"Assembly Number (Source)", "SearchAssemblySource"},
        {"Storage Ticket (Source)", "SearchStorageTicketSource"},
        {"Storage Ticket (Dest)", "SearchStorageTicketDest"},
        {"Priced Later (Source)", "SearchPricedLatedSource"},
        {"Priced Later (Dest)", "SearchPricedLaterDest"},
        {"Installment Sale (Source)", "SearchInstallmentSaleSource"},
        {"Installment Sale (Dest)", "SearchInstallmentSaleDest"},
        {"Basis Fixed (Source)", "SearchBasisFixedSource"},
        {"Basis Fixed (Dest)", "SearchBasisFixedDest"},
        {"Futures Fixed (Source)", "SearchFuturesFixedSource"},
        {"Futures Fixed (Dest)", "SearchFuturesFixedDest"},
        {"Hedged-to-Arrive (Source)", "SearchHTASource"},
        {"Hedged-to-Arrive (Dest)", "SearchHTADest"},
        {"Minimum Priced (Source)", "SearchMinimumPricedSource"},
        {"Minimum Priced (Dest)", "SearchMinimumPricedDest"},
        {"Grain Bank (Source)", "SearchGrainBankSource"},
        {"Grain Bank (Dest)", "SearchGrainBankDest"},
        {"CCC (Source)", "SearchCCCSource"},
        {"CCC (Dest)", "SearchCCCDest"},
    }};
    return locations;
}

bool NoLocationChosen(const SettlementSearchObject& criteria) {
    return std::ranges::none_of(criteria.Locations, [](bool chosen) { return chosen; });
}

}  // namespace hvx::search
