// The reversing copy's header and lines, and the units its lines give back.
//
// A single-source settlement has a destination record per line and draws
// all its units from one source, which gets them back once, summed, after
// the lines. A multiple-source settlement gives each line's units back to
// its own source and has one destination record for the settlement.
//
// The units of a single-source settlement drawn from an open contract are
// given back here, through the open-contract adjustment, and nowhere else:
// that adjustment also gives an installment sale its dollars back, which a
// direct change of the contract's open units would leave used.
#include "settlement/ReversalCopy.h"
#include "platform/Text.h"

#include <cstdlib>

#include "platform/Dates.h"
#include "platform/Fail.h"
#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/NextNumbers.h"
#include "rules/Categories.h"
#include "rules/SourceKinds.h"
#include "settlement/AssemblySettle.h"
#include "settlement/OpenContractAdjust.h"
#include "settlement/ScaleTicketSettle.h"
#include "shell/Counters.h"

namespace hvx::settlement {
namespace {

const char* const kSelectHeader =
    "SELECT SETTLEMENT,CUSTREF,CUSTNAME,ADTE,SETLINK,POSTED,CHECKNUM,CHECKAMT,STYPE,SETTDATE "
    "FROM HVXGR04 WHERE RECNO=%.0f";
const char* const kInsertHeader =
    "INSERT INTO HVXGR04 (SETTLEMENT,CUSTREF,CUSTNAME,ADTE,SETLINK,POSTED,CHECKNUM,CHECKAMT,"
    "REVERSED,STYPE,SETTDATE,NUMCHANGE,RECNO) VALUES ('%s','%s','%s',{%s},'%s','%s','%s','%s',"
    "'%s','%s',{%s},'%s',%.0f)";
const char* const kMarkHeader = "UPDATE HVXGR04 SET REVERSED='T' WHERE RECNO=%.0f";
const char* const kSelectLines =
    "SELECT SETTLEMENT,SOURCE,SOURCEREF,COMMODITY,UNITSSET,FROMDPR,TODPR,CONTRACT,SETDTE,"
    "PATRONAGE,POSTED,GLCODE,LOCATION,CUSTREF,CUSTNAME,STYPE,SOURCELINK,DLLINK,PRICEUNIT,"
    "TOTPRICE,GLPOSTED,RECNO FROM HVXGR04D WHERE SETLINK='%s'";
const char* const kInsertLine =
    "INSERT INTO HVXGR04D (SETTLEMENT,SETLINK,SOURCE,SOURCEREF,COMMODITY,UNITSSET,FROMDPR,TODPR,"
    "CONTRACT,SETDTE,PATRONAGE,POSTED,GLCODE,LOCATION,CUSTREF,CUSTNAME,STYPE,SOURCELINK,DLLINK,"
    "PRICEUNIT,TOTPRICE,GLPOSTED,STATUS,REVERSED,NUMCHANGE,RECNO) VALUES ('%s','%s','%s','%s',"
    "'%s','%s','%s','%s','%s',{%s},'%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s',"
    "'%s','%s','%s',%.0f)";
const char* const kMarkLine = "UPDATE HVXGR04D SET STATUS='C',REVERSED='T' WHERE RECNO=%s";

const char* const kNoHeader = "Unable to find settlement record.";
const char* const kHeaderFailed = "Error inserting record into HVXGR04.";
const char* const kLineFailed = "Error inserting record into HVXGR04D.";
const char* const kLineNotMarked = "Error updating record in HVXGR04D.";
const char* const kAssemblyFailed = "Error unsettling assembly entry.";
const char* const kTicketFailed = "Error unsettling scale ticket settled units.";

// Columns of kSelectLines.
enum Line {
    L_SOURCE = 1,
    L_SOURCEREF,
    L_COMMODITY,
    L_UNITSSET,
    L_FROMDPR,
    L_TODPR,
    L_CONTRACT,
    L_SETDTE,
    L_PATRONAGE,
    L_POSTED,
    L_GLCODE,
    L_LOCATION,
    L_CUSTREF,
    L_CUSTNAME,
    L_STYPE,
    L_SOURCELINK,
    L_DLLINK,
    L_PRICEUNIT,
    L_TOTPRICE,
    L_GLPOSTED,
    L_RECNO
};

std::string SqlDate(std::string date) {
    SQLFmtDate(date);
    return date;
}

// Gives units (and, from an open contract, dollars) back to a line's source.
// Kinds with no source record ("Setup", "Direct In") have nothing to give.
bool GiveBackToSource(HVXSConnection& connection, const std::string& kind, const std::string& link,
                      double units, double dollars, std::string& message) {
    if (kind == kAssembly)
        return SettleAssemblySplit(connection, link, -units) || Fail(message, kAssemblyFailed);
    if (kind == kScaleTicket)
        return SettleScaleTicket(connection, link, -units) || Fail(message, kTicketFailed);
    if (IsOpenContractCategory(kind))
        return AdjustOpenContract(connection, TextNumber(link), -units, -dollars, message);
    return true;
}

bool WriteHeader(HVXSConnection& connection, ReversalCopy& copy, std::string& message) {
    LiteralStatements sql(connection);
    std::vector<SqlRow> rows;
    if (!sql.Query({kSelectHeader}, {copy.originalRecno}, 10, rows) || rows.empty())
        return Fail(message, kNoHeader);
    const SqlRow& h = rows.front();
    std::string counterMessage;
    const long number = NextSettlementNumber(connection, &counterMessage);
    copy.recno = NextRecordNumber("HVXGR04");
    if (number == 0 || copy.recno == 0)
        return Fail(message, counterMessage.empty() ? kHeaderFailed : counterMessage);
    copy.settlement = _HVXsprintf("%ld", number);
    copy.setLink = _HVXsprintf("%.0f", copy.recno);
    copy.originalLink = h[4];
    copy.custRef = h[1];
    copy.singleSource = h[8] != "1";
    const std::string today = SqlDate(CurrentDate());
    const long written =
        sql.Change({kInsertHeader}, {copy.settlement, h[1], h[2], today, copy.setLink, "T", h[6],
                                     NegateText(h[7]), "T", h[8], SqlDate(h[9]), "0", copy.recno});
    if (written < 1 || sql.Change({kMarkHeader}, {copy.originalRecno}) < 1)
        return Fail(message, kHeaderFailed);
    return true;
}

// Inserts the copy of one line and remembers it for the posting.
bool WriteLine(HVXSConnection& connection, const SqlRow& r, ReversalCopy& copy,
               std::string& lineLink, std::string& message) {
    const double recno = NextRecordNumber("HVXGR04D");
    lineLink = NextCharLnk(nullptr, 1, "HVXGR04D", "DLLINK", 0);
    if (recno == 0 || lineLink.empty()) return Fail(message, kLineFailed);
    const std::string units = NegateText(r[L_UNITSSET]);
    const long written = LiteralStatements(connection)
                             .Change({kInsertLine}, {copy.settlement,
                                                     copy.setLink,
                                                     r[L_SOURCE],
                                                     r[L_SOURCEREF],
                                                     r[L_COMMODITY],
                                                     units,
                                                     r[L_FROMDPR],
                                                     r[L_TODPR],
                                                     r[L_CONTRACT],
                                                     SqlDate(r[L_SETDTE]),
                                                     r[L_PATRONAGE],
                                                     r[L_POSTED],
                                                     r[L_GLCODE],
                                                     r[L_LOCATION],
                                                     r[L_CUSTREF],
                                                     r[L_CUSTNAME],
                                                     r[L_STYPE],
                                                     r[L_SOURCELINK],
                                                     lineLink,
                                                     r[L_PRICEUNIT],
                                                     NegateText(r[L_TOTPRICE]),
                                                     r[L_GLCODE] == "99" ? "T" : "F",
                                                     "C",
                                                     "T",
                                                     "0",
                                                     recno});
    if (written < 1) return Fail(message, kLineFailed);
    copy.lines.push_back(CopiedLine{.recno = _HVXsprintf("%.0f", recno),
                                    .sourceKind = r[L_SOURCE],
                                    .sourceRef = r[L_SOURCEREF],
                                    .sourceLink = r[L_SOURCELINK],
                                    .commodity = r[L_COMMODITY],
                                    .location = r[L_LOCATION],
                                    .fromCategory = r[L_FROMDPR],
                                    .toCategory = r[L_TODPR],
                                    .units = TextNumber(units)});
    return true;
}

}  // namespace

std::string NegateText(std::string_view value) {
    if (!value.empty() && value.front() == '-') return std::string(value.substr(1));
    return "-" + std::string(value);
}

bool WriteReversalCopy(HVXSConnection& connection, double originalRecno, ReversalCopy& copy,
                       std::string& message) {
    copy = ReversalCopy{};
    copy.originalRecno = originalRecno;
    if (!WriteHeader(connection, copy, message)) return false;

    LiteralStatements sql(connection);
    std::vector<SqlRow> lines;
    if (!sql.Query({kSelectLines}, {copy.originalLink}, 22, lines))
        return Fail(message, kLineFailed);
    double sumUnits = 0, sumDollars = 0;
    for (const SqlRow& r : lines) {
        if (copy.sourceKind.empty()) {
            copy.sourceKind = r[L_SOURCE];
            copy.sourceLink = r[L_SOURCELINK];
        }
        std::string lineLink;
        if (!WriteLine(connection, r, copy, lineLink, message)) return false;
        if (r[L_STYPE] == "1") {
            if (!GiveBackToSource(connection, r[L_SOURCE], r[L_SOURCELINK],
                                  TextNumber(r[L_UNITSSET]), TextNumber(r[L_TOTPRICE]), message))
                return false;
        } else {
            sumUnits += TextNumber(r[L_UNITSSET]);
            sumDollars += TextNumber(r[L_TOTPRICE]);
        }
        if (copy.singleSource &&
            !CopyDestination(
                connection,
                {copy.originalLink, r[L_DLLINK], copy.settlement, copy.setLink, lineLink}, message))
            return false;
        if (sql.Change({kMarkLine}, {r[L_RECNO]}) < 1) return Fail(message, kLineNotMarked);
    }

    const DestinationCopy settlementWide{copy.originalLink, "", copy.settlement, copy.setLink, ""};
    if (copy.singleSource) {
        if (!GiveBackToSource(connection, copy.sourceKind, copy.sourceLink, sumUnits, sumDollars,
                              message))
            return false;
    } else if (!CopyDestination(connection, settlementWide, message)) {
        return false;
    }
    return CopyPayNames(connection, settlementWide, message);
}

}  // namespace hvx::settlement
