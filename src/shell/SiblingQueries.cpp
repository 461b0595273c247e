#include "shell/SiblingQueries.h"

#include <array>
#include <charconv>
#include <cstring>

#include "platform/Text.h"
#include "platform/UiPort.h"
#include "shell/ModuleInstall.h"
#include "abi/SiblingAbi.h"
#include "shell/SiblingLoader.h"

namespace hvx {

double ReadBalanceText(std::string_view text) {
    std::string number(text);
    TRIM(number);
    // from_chars takes no leading '+', and ignores the locale, which the Qt
    // host sets from the environment (a German desktop would read "12.50" as
    // 12 with strtod).
    const char* first = number.c_str();
    if (*first == '+') ++first;
    double value = 0;
    const auto result = std::from_chars(first, number.c_str() + number.size(), value);
    return result.ec == std::errc() ? value : 0.0;
}

double CustomerBalanceDue(HostWindow window, std::string_view customerReference) {
    if (!IsModuleInstalled(kFuelModule)) return 0;
    void* module = LoadSibling(kFuelModule);
    auto balanceDue = SiblingFunctionAs<HVXBalanceDueFn>(module, "GetCustomerBalanceDue");
    if (!balanceDue) return 0;
    const std::string reference(customerReference);
    std::array<char, kBalanceDueSize> balance{};
    balanceDue(window, reference.c_str(), balance.data(), kBalanceDueSize);
    return ReadBalanceText(
        std::string_view(balance.data(), strnlen(balance.data(), balance.size())));
}

std::string HVXGetCurrentUserName(HostWindow window) {
    void* module = LoadSibling(kCompanyModule);
    if (!module) {
        ShowMessage("Cannot Load HVXCMP(32) :: HVXGetCurrentUserName");
        return {};
    }
    auto userName = SiblingFunctionAs<HVXReturnCurrentUserNameFn>(module, "ReturnCurrentUserName");
    if (!userName) {
        ShowMessage("Cannot Find ReturnCurrentUserName :: HVXGetCurrentUserName");
        return {};
    }
    std::array<char, kUserNameSize> name{};
    userName(window, name.data(), kUserNameSize);
    return std::string(name.data(), strnlen(name.data(), name.size()));
}

}  // namespace hvx
