#include "rules/PositionLedger.h"

#include <cstdlib>

#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/NextNumbers.h"
#include "rules/PositionNotice.h"

namespace hvx {
namespace {

// Stored unit texts are read up to this many characters.
constexpr std::size_t kUnitsText = 15;

// The day, month and year totals of one direction of movement.
struct Totals {
    const char* select;
    const char* update;
    const char* insert;
    bool printFlags;      // a new row is marked for the position reports
    bool noticeOnUpdate;  // an update is announced too, not only a new row
};

const Totals kReceived{
    "SELECT URECVD,URECVM,URECVY FROM HVXGR51A WHERE REFERENCE='%s' AND LOCATION='%s'",
    "UPDATE HVXGR51A SET URECVD='%.4f',URECVM='%.4f',URECVY='%.4f' WHERE REFERENCE='%s' AND "
    "LOCATION='%s'",
    "INSERT INTO HVXGR51A (REFERENCE,LOCATION,URECVD,URECVM,URECVY,PRINTDPR,PRINTTP,NUMCHANGE,"
    "RECNO) VALUES ('%s','%s','%.4f','%.4f','%.4f','%s','%s','0',%0f)",
    true,
    true,
};

const Totals kShipped{
    "SELECT USHIPD,USHIPM,USHIPY FROM HVXGR51A WHERE REFERENCE='%s' AND LOCATION='%s'",
    "UPDATE HVXGR51A SET USHIPD='%.4f',USHIPM='%.4f',USHIPY='%.4f' WHERE REFERENCE='%s' AND "
    "LOCATION='%s'",
    "INSERT INTO HVXGR51A (REFERENCE,LOCATION,USHIPD,USHIPM,USHIPY,NUMCHANGE,RECNO) VALUES "
    "('%s','%s','%.4f','%.4f','%.4f','F',%0f)",
    false,
    false,
};

double ColumnUnits(const HVXSConnection& connection, int n) {
    char text[kUnitsText + 1];
    connection.GetColumnChar(n, text, sizeof text);
    return std::atof(text);
}

// The day, month and year totals are read and written back without a guard:
// they are running counts that a concurrent writer may overwrite.
bool AddToTotals(HVXSConnection& connection, HostWindow window, std::string_view location,
                 std::string_view commodity, double units, const Totals& totals) {
    if (!connection.ExecSQL(_HVXsprintf(totals.select, commodity, location))) return false;
    if (connection.FetchNext()) {
        const double day = ColumnUnits(connection, 1) + units;
        const double month = ColumnUnits(connection, 2) + units;
        const double year = ColumnUnits(connection, 3) + units;
        connection.FreeStatement();
        if (connection.ExecSQLChange(
                _HVXsprintf(totals.update, day, month, year, commodity, location)) < 1)
            return false;
        if (totals.noticeOnUpdate)
            NotifyPositionChanged(window, kPositionRowUpdated, location, commodity);
        return true;
    }
    connection.FreeStatement();
    const double recno = NextRecordNumber("HVXGR51A");
    if (recno == 0) return false;
    const std::string sql =
        totals.printFlags
            ? _HVXsprintf(totals.insert, commodity, location, units, units, units, "T", "T", recno)
            : _HVXsprintf(totals.insert, commodity, location, units, units, units, recno);
    if (connection.ExecSQLChange(sql) < 1) return false;
    NotifyPositionChanged(window, kPositionRowInserted, location, commodity);
    return true;
}

}  // namespace

bool AddUnitsReceived(HVXSConnection& connection, HostWindow window, std::string_view location,
                      std::string_view commodity, double units) {
    return AddToTotals(connection, window, location, commodity, units, kReceived);
}

bool AddUnitsShipped(HVXSConnection& connection, HostWindow window, std::string_view location,
                     std::string_view commodity, double units) {
    return AddToTotals(connection, window, location, commodity, units, kShipped);
}

PositionRead ReadCompanyOwned(HVXSConnection& connection, std::string_view commodity,
                              std::string_view location, std::string& text) {
    text.clear();
    if (!connection.ExecSQL(_HVXsprintf(
            "SELECT DPRCO FROM HVXGR51A WHERE REFERENCE='%s' AND LOCATION='%s'", commodity,
            location)))
        return PositionRead::Failed;
    if (!connection.FetchNext()) {
        connection.FreeStatement();
        return PositionRead::Missing;
    }
    char value[kUnitsText + 1];
    connection.GetColumnChar(1, value, sizeof value);
    connection.FreeStatement();
    text = value;
    return PositionRead::Found;
}

bool UpdateCompanyOwned(HVXSConnection& connection, std::string_view commodity,
                        std::string_view location, std::string_view oldText, double units) {
    const double owned = std::atof(std::string(oldText).c_str()) + units;
    return connection.ExecSQLChange(_HVXsprintf(
               "UPDATE HVXGR51A SET DPRCO='%.4f' WHERE REFERENCE='%s' AND LOCATION='%s' AND "
               "DPRCO='%s'",
               owned, commodity, location, oldText)) >= 1;
}

bool AddCompanyOwned(HVXSConnection& connection, std::string_view commodity,
                     std::string_view location, double units) {
    std::string oldText;
    switch (ReadCompanyOwned(connection, commodity, location, oldText)) {
    case PositionRead::Missing: return true;
    case PositionRead::Failed: return false;
    case PositionRead::Found: break;
    }
    return UpdateCompanyOwned(connection, commodity, location, oldText, units);
}

}  // namespace hvx
