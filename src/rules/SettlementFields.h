#pragma once
// The names of the settlement window's fields that the checks of a line
// point the focus at (units settled, customer, source reference, unit
// price). The window's view binds its widgets under these names.
#include <string_view>

namespace hvx {

inline constexpr std::string_view kFieldUnitsSettled = "UnitsSettled";
inline constexpr std::string_view kFieldCustomer = "Customer";
inline constexpr std::string_view kFieldSourceReference = "SourceReference";
inline constexpr std::string_view kFieldUnitPrice = "UnitPrice";

}  // namespace hvx
