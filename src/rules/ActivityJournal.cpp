#include "rules/ActivityJournal.h"

#include <string>

#include "platform/Dates.h"
#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/NextNumbers.h"
#include "platform/Statements.h"
#include "rules/Categories.h"
#include "rules/PositionLedger.h"
#include "shell/Counters.h"

namespace hvx {
namespace {

const char* const kRecordActivity =
    "INSERT INTO HVXGR29 (TRANNUM,COMMODITY,LOCATION,ACTDATE,PROGRAM,SOURCE,DEST,NETUNITS,"
    "REFERENCE,STATUS,NUMCHANGE,RECNO) VALUES ('%s','%s','%s',{%s},'%s','%s','%s','%.4f','%s',"
    "'%s','%s',%.0f)";
const char* const kPostingRow =
    "INSERT INTO HVXGR29 (TRANNUM,COMMODITY,LOCATION,ACTDATE,PROGRAM,SOURCE,DEST,NETUNITS,"
    "REFERENCE,STATUS,NUMCHANGE,RECNO) VALUES ('%s','%s','%s',{%s},'%s','%s','%s','%.4f','%s',"
    "'%s','',%.0f)";

// What every journal row takes before it is written, in this order: today's
// date, the next activity number, a record number.
struct Stamp {
    std::string date;
    std::string trannum;
    double recno = 0;
};

bool TakeStamp(HVXSConnection& connection, Stamp& stamp) {
    stamp.date = CurrentDate();
    SQLFmtDate(stamp.date);
    // A counter that cannot be drawn must not write activity number 00000000;
    // its reason is left to the caller's own failure message.
    std::string counterMessage;
    const long number = NextActivityNumber(connection, &counterMessage);
    if (number == 0) return false;
    stamp.trannum = _HVXsprintf("%08li", number);
    stamp.recno = NextRecordNumber("HVXGR29");
    return stamp.recno != 0;
}

}  // namespace

bool RecordActivity(HVXSConnection& connection, std::string_view program,
                    std::string_view commodity, std::string_view location, double units,
                    std::string_view reference, std::string_view source,
                    std::string_view destination, std::string_view status) {
    Stamp stamp;
    if (!TakeStamp(connection, stamp)) return false;
    return LiteralStatements(connection)
               .Change({kRecordActivity},
                       {stamp.trannum, commodity, location, stamp.date, program, source,
                        destination, units, reference, status, "", stamp.recno}) == 1;
}

bool WritePostingJournalRow(HVXSConnection& connection, const JournalEntry& entry) {
    Stamp stamp;
    if (!TakeStamp(connection, stamp)) return false;
    return LiteralStatements(connection)
               .Change({kPostingRow}, {stamp.trannum, entry.commodity, entry.location, stamp.date,
                                       entry.program, entry.source, entry.destination, entry.units,
                                       entry.reference, entry.status, stamp.recno}) == 1;
}

bool RecordCompanyOwnedShipment(HVXSConnection& connection, HostWindow window,
                                std::string_view location, std::string_view commodity, double units,
                                std::string_view program, std::string_view reference) {
    const JournalEntry entry{.program = program,
                             .commodity = commodity,
                             .location = location,
                             .units = -units,
                             .reference = reference,
                             .source = kCompanyOwned,
                             .destination = "",
                             .status = "O"};
    if (!WritePostingJournalRow(connection, entry)) return false;
    return AddUnitsShipped(connection, window, location, commodity, units);
}

}  // namespace hvx
