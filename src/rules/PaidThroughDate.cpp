#include "rules/PaidThroughDate.h"

#include "platform/HVXSConnection.h"
#include "platform/Statements.h"
#include "rules/Categories.h"
#include "rules/StoredText.h"

namespace hvx {

std::string PaidThroughDate(std::string_view sourceKind, std::string_view destination,
                            std::string_view sourceLink) {
    const bool carriesOver = (sourceKind == kStorageTicket && destination == kStorageTicket) ||
                             (sourceKind == kCCC && destination == kCCC);
    if (!carriesOver) return WindowDate(Today());
    HVXSConnection connection(1, nullptr, 0);
    std::string stored;
    CivilDate paid;
    if (!LiteralStatements(connection)
             .Value({"SELECT PPAIDDATE FROM HVXGR04F WHERE DLLINK='%s'"}, {sourceLink}, stored) ||
        !ReadDate(stored, paid))
        return {};
    return WindowDate(paid);
}

}  // namespace hvx
