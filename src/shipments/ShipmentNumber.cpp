#include "shipments/ShipmentNumber.h"

#include <cstdlib>

#include "platform/Format.h"
#include "platform/HVXSConnection.h"

namespace hvx::shipments {
namespace {

enum class Drawn { Number, Failed };

// Takes the candidate in CONFIG8 and moves CONFIG8 on by one. The update is
// conditional on the text read: when another workstation drew the same
// candidate first, it changes no row, and the check against the stored
// shipments that follows sends the draw round again.
Drawn TakeCandidate(HVXSConnection& connection, long& candidate, std::string& message) {
    if (!connection.ExecSQL(_HVXsprintf("SELECT %s FROM %s", "CONFIG8", "HVXGR40"))) {
        message = "Unable to read the next shipment number from HVXGR40.";
        return Drawn::Failed;
    }
    if (!connection.FetchNext()) {
        // Without the configuration row there is no counter to advance: a
        // number made up here could be drawn again by the next finish.
        message = "Unable to assign a shipment number: the grain configuration (HVXGR40) has "
                  "no row.";
        return Drawn::Failed;
    }
    std::string old;
    const bool hasValue = connection.GetColumnChar(1, old);
    connection.FreeStatement();
    std::string update;
    if (!old.empty()) {
        candidate = std::strtol(old.c_str(), nullptr, 10);
        update = _HVXsprintf("UPDATE %s SET %s ='%li' WHERE %s='%s'", "HVXGR40", "CONFIG8",
                             candidate + 1, "CONFIG8", old);
    } else {
        candidate = 1;
        // A counter never set may hold no value at all rather than an empty
        // text; it must still move on, or every draw would start at 1 again.
        update = hasValue ? _HVXsprintf("UPDATE %s SET %s ='%s' WHERE %s='%s'", "HVXGR40",
                                         "CONFIG8", "2", "CONFIG8", old)
                          : _HVXsprintf("UPDATE %s SET %s ='%s' WHERE %s IS NULL", "HVXGR40",
                                        "CONFIG8", "2", "CONFIG8");
    }
    if (connection.ExecSQLChange(update) < 0) {
        message = "Unable to update the next shipment number in HVXGR40.";
        return Drawn::Failed;
    }
    return Drawn::Number;
}

}  // namespace

bool DrawShipmentNumber(HVXSConnection& connection, std::string& number, std::string& message) {
    for (;;) {
        long candidate = 0;
        if (TakeCandidate(connection, candidate, message) == Drawn::Failed) return false;
        number = _HVXsprintf("%li", candidate);
        if (!connection.ExecSQL(
                _HVXsprintf("SELECT REFERENCE FROM HVXGR07 WHERE REFERENCE = '%s'", number))) {
            message = "Unable to read the shipments (HVXGR07).";
            return false;
        }
        const bool used = connection.FetchNext();
        connection.FreeStatement();
        if (!used) return true;
    }
}

}  // namespace hvx::shipments
