#include "rules/DefaultPrice.h"

#include "platform/Format.h"
#include "platform/HVXSConnection.h"

namespace hvx {

std::optional<std::string> InstallmentSaleDefaultPrice(std::string_view sourceLink) {
    HVXSConnection connection(1, nullptr, 0);
    if (!connection.ExecSQL(
            _HVXsprintf("SELECT AVGPRICE FROM HVXGR04F WHERE DLLINK='%s'", sourceLink)) ||
        !connection.FetchNext())
        return std::nullopt;
    return connection.Column(1);
}

}  // namespace hvx
