#include "settlement/InstallmentContractDocument.h"

#include "platform/Rounding.h"
#include "platform/Text.h"
#include "rules/Categories.h"
#include "settlement/AmountInWords.h"

namespace hvx::settlement {

std::vector<std::string> InstallmentTerms(const SettlementContract& settlement,
                                          const ContractRecord& c) {
    const double net = HVXRound(TextNumber(c.net), 2);
    const double paid = HVXRound(TextNumber(c.dollarsUsed), 2);
    return {TermsLine({{"Units", UnitsText(c.units)},
                       {"Average Price", PriceText(settlement, c.avgPrice)},
                       {"Gross Amount", AmountInFigures(HVXRound(TextNumber(c.gross), 2))}}),
            TermsLine({{"Amount Due", AmountInFigures(net)},
                       {"Paid", AmountInFigures(paid)},
                       {"Balance", AmountInFigures(HVXRound(net - paid, 2))}}),
            InterestTermsLine(c)};
}

bool LoadInstallmentContractDocument(std::string_view settlement, report::Document& document,
                                     std::string& message) {
    return LoadContractDocument(
        settlement, "Installment Sale Contract",
        [](const ContractRecord& c) { return c.category == kInstallmentSale; }, InstallmentTerms,
        "Settlement %s has no installment sale contract to print.", document, message);
}

}  // namespace hvx::settlement
