#include "rules/SettlementTypes.h"

namespace hvx {
namespace {

constexpr SettlementTypeInfo kTypes[] = {
    {SettlementType::SingleSource, "0", "A single source can go to multiple destination DPRs.",
     "Find Single Source Settlement", "HVXGR041", "SELECT %s FROM HVXGR04 WHERE STYPE='0'"},
    {SettlementType::MultipleSource, "1",
     "Multiple sources will be combined to one destination DPR.",
     "Find Multiple Source Settlement", "HVXGR042", "SELECT %s FROM HVXGR04 WHERE STYPE='1'"},
};

}  // namespace

const SettlementTypeInfo& SettlementTypeInfoOf(SettlementType type) {
    return type == SettlementType::SingleSource ? kTypes[0] : kTypes[1];
}

std::optional<SettlementType> SettlementTypeFromStype(std::string_view stype) {
    for (const SettlementTypeInfo& info : kTypes)
        if (info.stype == stype) return info.type;
    return std::nullopt;
}

}  // namespace hvx
