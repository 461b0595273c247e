#include "settlement/SettlementContractDocument.h"

#include "rules/Categories.h"

namespace hvx::settlement {

std::vector<std::string> OpenContractTerms(const SettlementContract&, const ContractRecord& c) {
    return {TermsLine({{"Units", UnitsText(c.units)}, {"Open Units", UnitsText(c.openUnits)}}),
            TermsLine({{"Paid Through", c.paidThrough},
                       {"Storage Rate", c.storageRate},
                       // A prepaid amount of nothing is no term of the contract.
                       {"Amount Prepaid", MoneyText(c.prepaid)},
                       {"Service From", c.serviceStart},
                       {"Service Rate", c.serviceRate}}),
            InterestTermsLine(c)};
}

bool LoadSettlementContractDocument(std::string_view settlement, report::Document& document,
                                    std::string& message) {
    return LoadContractDocument(
        settlement, "Settlement Contract",
        [](const ContractRecord& c) {
            return IsOpenContractCategory(c.category) && c.category != kInstallmentSale;
        },
        OpenContractTerms, "Settlement %s has no open contract to print.", document, message);
}

}  // namespace hvx::settlement
