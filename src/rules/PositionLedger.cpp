#include "rules/PositionLedger.h"

#include <cstdlib>

#include "platform/HVXSConnection.h"
#include "platform/NextNumbers.h"
#include "platform/Statements.h"
#include "platform/Text.h"
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

// A stored unit text as far as it is read.
std::string UnitsText(const std::string& stored) {
    char text[kUnitsText + 1];
    CopyToBuffer(stored, text, sizeof text);
    return text;
}

double StoredUnits(const std::string& stored) {
    return std::atof(UnitsText(stored).c_str());
}

// The day, month and year totals are read and written back without a guard:
// they are running counts that a concurrent writer may overwrite.
bool AddToTotals(HVXSConnection& connection, HostWindow window, std::string_view location,
                 std::string_view commodity, double units, const Totals& totals) {
    LiteralStatements sql(connection);
    std::vector<SqlRow> rows;
    if (!sql.Query({totals.select}, {commodity, location}, 3, rows)) return false;
    if (!rows.empty()) {
        const double day = StoredUnits(rows.front()[0]) + units;
        const double month = StoredUnits(rows.front()[1]) + units;
        const double year = StoredUnits(rows.front()[2]) + units;
        if (sql.Change({totals.update}, {day, month, year, commodity, location}) < 1) return false;
        if (totals.noticeOnUpdate)
            NotifyPositionChanged(window, kPositionRowUpdated, location, commodity);
        return true;
    }
    const double recno = NextRecordNumber("HVXGR51A");
    if (recno == 0) return false;
    const long changed =
        totals.printFlags
            ? sql.Change({totals.insert},
                         {commodity, location, units, units, units, "T", "T", recno})
            : sql.Change({totals.insert}, {commodity, location, units, units, units, recno});
    if (changed < 1) return false;
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
    std::vector<SqlRow> rows;
    if (!LiteralStatements(connection)
             .Query({"SELECT DPRCO FROM HVXGR51A WHERE REFERENCE='%s' AND LOCATION='%s'"},
                    {commodity, location}, 1, rows))
        return PositionRead::Failed;
    if (rows.empty()) return PositionRead::Missing;
    text = UnitsText(rows.front()[0]);
    return PositionRead::Found;
}

bool UpdateCompanyOwned(HVXSConnection& connection, std::string_view commodity,
                        std::string_view location, std::string_view oldText, double units) {
    const double owned = std::atof(std::string(oldText).c_str()) + units;
    return LiteralStatements(connection)
               .Change({"UPDATE HVXGR51A SET DPRCO='%.4f' WHERE REFERENCE='%s' AND LOCATION='%s' "
                        "AND DPRCO='%s'"},
                       {owned, commodity, location, oldText}) >= 1;
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
