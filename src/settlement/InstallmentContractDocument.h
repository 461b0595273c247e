#pragma once
// The installment sale contract of a settlement: for each destination into
// "Installment Sale", the grain sold and its price, and the installment as
// stored with it: the amount due, what has been paid of it, the interest
// (date from, rate) and the due date.
#include <string>
#include <string_view>
#include <vector>

#include "platform/ReportLayout.h"
#include "settlement/SettlementContractData.h"

namespace hvx::settlement {

// The terms of one installment sale: the grain and its price, the amounts,
// and the interest and due date, a line each. The
// balance is the net amount less the dollars already drawn from it, both as
// stored to the cent.
std::vector<std::string> InstallmentTerms(const SettlementContract& settlement,
                                          const ContractRecord& contract);

// Reads the settlement numbered settlement and lays out its installment sale
// contract. False with the reason when it cannot be read or sold nothing on
// installment.
bool LoadInstallmentContractDocument(std::string_view settlement, report::Document& document,
                                     std::string& message);

}  // namespace hvx::settlement
