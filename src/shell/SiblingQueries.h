#pragma once
// Questions the module asks other modules of the suite: a customer's fuel
// balance (H32FUEL.DLL) and the signed-on user's name (HVXCMP32.DLL).
#include <string>
#include <string_view>

#include "platform/HostPort.h"

namespace hvx {

inline constexpr const char* kFuelModule = "H32FUEL.DLL";
inline constexpr const char* kCompanyModule = "HVXCMP32.DLL";

// The customer's balance due from the fuel module. 0 when the fuel module is
// not installed (no "DllDate" for it in the installation file: the host is then
// not asked at all), cannot be loaded, or lacks GetCustomerBalanceDue; also 0
// when its answer is not a number. Never reported to the user.
double CustomerBalanceDue(HostWindow window, std::string_view customerReference);

// Reads a balance as the fuel module writes it: a number with an optional sign
// and decimal point, blanks around it ignored, whatever the process locale.
// 0 when the text does not start with a number.
double ReadBalanceText(std::string_view text);

// The signed-on user's name from ReturnCurrentUserName. Empty after
// "Cannot Load HVXCMP(32) :: HVXGetCurrentUserName" (no module) or "Cannot
// Find ReturnCurrentUserName :: HVXGetCurrentUserName" (no function).
std::string HVXGetCurrentUserName(HostWindow window);

}  // namespace hvx
