#pragma once
// The contract of a settlement into the open-contract categories ("Priced
// Later", "Storage Ticket" and the other categories whose units stay open),
// one section per such destination, with the terms stored on it.
// Installment sales have their own contract.
#include <string>
#include <string_view>

#include "platform/ReportLayout.h"
#include "settlement/SettlementContractData.h"

namespace hvx::settlement {

// The stored terms of an open contract, a line each of its units, its
// storage or service terms and its interest terms; a term stored empty is
// left out.
std::vector<std::string> OpenContractTerms(const SettlementContract& settlement,
                                           const ContractRecord& contract);

// Reads the settlement numbered settlement and lays out its contract. False
// with the reason when it cannot be read or has no open contract.
bool LoadSettlementContractDocument(std::string_view settlement, report::Document& document,
                                    std::string& message);

}  // namespace hvx::settlement
