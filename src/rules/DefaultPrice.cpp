#include "rules/DefaultPrice.h"

#include "platform/HVXSConnection.h"
#include "platform/Statements.h"

namespace hvx {

std::optional<std::string> InstallmentSaleDefaultPrice(std::string_view sourceLink) {
    HVXSConnection connection(1, nullptr, 0);
    std::string price;
    if (!LiteralStatements(connection)
             .Value({"SELECT AVGPRICE FROM HVXGR04F WHERE DLLINK='%s'"}, {sourceLink}, price))
        return std::nullopt;
    return price;
}

}  // namespace hvx
