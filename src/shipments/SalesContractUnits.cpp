#include "shipments/SalesContractUnits.h"

#include <vector>

#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/Rounding.h"
#include "platform/Text.h"

namespace hvx::shipments {
namespace {

constexpr const char* kReceivedFailed = "Update Sales Contract Units Received Failed.";
constexpr const char* kSettledFailed = "Update Sales Contract Units Settled Failed.";

// The contract's columns as numbers; a contract without a row reads as 0, and
// the update that follows then changes no row and reports the failure.
bool ReadQuantities(HVXSConnection& connection, const std::string& sql,
                    std::vector<double>& values) {
    if (!connection.ExecSQL(sql)) return false;
    const bool found = connection.FetchNext();
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = found ? TextNumber(connection.Column(static_cast<int>(i + 1))) : 0.0;
    connection.FreeStatement();
    return true;
}

// Quantities are stored with four decimals, rounded as every quantity is, so
// a contract shipped down to nothing reads "0.0000" and never "-0.0000".
std::string Units(double value) { return HVXSRound(value, 4); }

}  // namespace

bool AddUnitsReceived(HVXSConnection& connection, std::string_view contract, double units,
                      std::string& message) {
    std::vector<double> open(1);
    if (ReadQuantities(connection,
                       _HVXsprintf("SELECT OCQTY FROM HVXGR05 WHERE CONTRACT='%s'", contract),
                       open) &&
        connection.ExecSQLChange(
            _HVXsprintf("UPDATE HVXGR05 SET OCQTY='%s' WHERE CONTRACT='%s'",
                        Units(open[0] + units), contract)) >= 1)
        return true;
    message = kReceivedFailed;
    return false;
}

bool AddUnitsSettled(HVXSConnection& connection, std::string_view contract, double units,
                     std::string& message) {
    std::vector<double> q(2);
    if (ReadQuantities(
            connection,
            _HVXsprintf("SELECT QTYRECV,OCQTY FROM HVXGR05 WHERE CONTRACT='%s'", contract), q) &&
        connection.ExecSQLChange(
            _HVXsprintf("UPDATE HVXGR05 SET QTYRECV='%s',OCQTY='%s' WHERE CONTRACT='%s'",
                        Units(q[0] + units), Units(q[1] - units), contract)) >= 1)
        return true;
    message = kSettledFailed;
    return false;
}

}  // namespace hvx::shipments
