#include "settlement/SettlementValidation.h"

#include "settlement/SettlementRecordSet.h"
#include "settlement/SettlementSaveWindow.h"
#include "settlement/SourceValidation.h"

namespace hvx::settlement {

bool ValidateForSave(SettlementSaveWindow& window) {
    if (window.set.details.Empty()) {
        window.message =
            "Settlement must have at least one source entry to save. Cannot save this "
            "settlement.";
        return false;
    }
    return ValidateSources(window.set.details, window.set.header.setLink, window.message);
}

}  // namespace hvx::settlement
