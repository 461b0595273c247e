#include "rules/PaidThroughDate.h"

#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "rules/Categories.h"
#include "rules/StoredText.h"

namespace hvx {

std::string PaidThroughDate(std::string_view sourceKind, std::string_view destination,
                            std::string_view sourceLink) {
    const bool carriesOver = (sourceKind == kStorageTicket && destination == kStorageTicket) ||
                             (sourceKind == kCCC && destination == kCCC);
    if (!carriesOver) return WindowDate(Today());
    HVXSConnection connection(1, nullptr, 0);
    CivilDate paid;
    if (!connection.ExecSQL(
            _HVXsprintf("SELECT PPAIDDATE FROM HVXGR04F WHERE DLLINK='%s'", sourceLink)) ||
        !connection.FetchNext() || !ReadDate(connection.Column(1), paid))
        return {};
    return WindowDate(paid);
}

}  // namespace hvx
