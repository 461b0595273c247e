#pragma once
// The lists a settlement window offers beside its fields: the settlement
// lookup of one settlement type, and the view of the contracts already made
// in the settlement's destination category.
#include <string>
#include <vector>

#include "rules/SettlementTypes.h"

namespace hvx {
class UiPort;
}

namespace hvx::settlement {

inline constexpr const char* kContractViewCaption = "View Window";
inline constexpr const char* kContractViewHint = "View existing contracts of the current type.";

// The pick list of the stored lines of one settlement type, kept in order of
// settlement number and started at what the field holds. A pick puts the
// chosen line's settlement number into the field; cancelled, the field keeps
// its text and the result is false.
bool LookupSettlement(UiPort& ui, SettlementType type, std::string& settlementField);

struct ContractViewRow {
    std::string settlement, commodity, date;
    bool operator==(const ContractViewRow&) const = default;
};

// The destination records of one category, as the contract view lists them.
// False with a message when they cannot be read.
bool ReadContractView(const std::string& category, std::vector<ContractViewRow>& rows,
                      std::string& error);

}  // namespace hvx::settlement
