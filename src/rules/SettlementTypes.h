#pragma once
// The two settlement types (HVXGR04.STYPE, copied to HVXGR04D and HVXGR04F).
#include <optional>
#include <string_view>

namespace hvx {

enum class SettlementType {
    SingleSource,    // "0": one source split to one or more destinations
    MultipleSource,  // "1": one or more sources combined into one destination
};

struct SettlementTypeInfo {
    SettlementType type;
    std::string_view stype;          // "0" or "1"
    std::string_view description;    // the sentence that explains the shape
    std::string_view findCaption;    // caption of the window's settlement lookup
    std::string_view recordSetName;  // result set registered for the window
    std::string_view listQuery;      // the window's list, "%s" standing for the columns
};

const SettlementTypeInfo& SettlementTypeInfoOf(SettlementType type);

// The type stored as this STYPE text; none for any other text.
std::optional<SettlementType> SettlementTypeFromStype(std::string_view stype);

inline std::string_view StypeOf(SettlementType type) {
    return SettlementTypeInfoOf(type).stype;
}

}  // namespace hvx
