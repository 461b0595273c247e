#pragma once
// The default unit price of a line settling an installment-sale contract.
#include <optional>
#include <string>
#include <string_view>

namespace hvx {

// The contract's average price (HVXGR04F.AVGPRICE), as stored, for the unit
// price field; none when the source contract row is missing, and the field
// keeps what it had.
std::optional<std::string> InstallmentSaleDefaultPrice(std::string_view sourceLink);

}  // namespace hvx
