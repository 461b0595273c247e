#include "harvexa-admin/GeneratedFollowingRows.h"

#include <array>

#include "data/Schema.h"
#include "platform/NextNumbers.h"
#include "platform/Session.h"
#include "platform/Statements.h"

namespace hvx::admin {
namespace {

// One table's rows: one per settlement line (HVXGR04D) or per settlement
// (HVXGR04), the columns written and the values each takes from that row.
struct FollowingRows {
    const char* table;
    bool perSettlement;
    const char* columns;
    const char* values;
    const char* only;  // a further condition on the row, or ""
};

constexpr const char* kDelivered = "SOURCE IN ('Assembly','Scale Ticket')";
constexpr const char* kContracted = "CONTRACT <> ''";

// Every advance is repaid in full by the settlement line it was paid against,
// so the open advances stay the few a cooperative really carries.
constexpr std::array<FollowingRows, 24> kFollowingRows{{
    {"HVXGR04F", false,
     "SETTLEMENT,DESTLINK,SETLINK,DLLINK,COMMODITY,LOCATION,CUSTREF,CUSTNAME,CONTRACT,TODPR,"
     "SETDTE,UNITSSET,OUNITS,STATUS,REVERSED,STYPE,AVGPRICE,GROSSAMT,NETAMT,SUBMITTED,NUMCHANGE",
     "SETTLEMENT,DLLINK,SETLINK,DLLINK,COMMODITY,LOCATION,CUSTREF,CUSTNAME,CONTRACT,TODPR,"
     "SETDTE,UNITSSET,CASE WHEN STATUS = 'O' THEN UNITSSET ELSE '0.0000' END,STATUS,REVERSED,"
     "STYPE,PRICEUNIT,TOTPRICE,TOTPRICE,'F','0'",
     ""},
    {"HVXGR04A", false, "SETTLEMENT,SETLINK,DLLINK,GRADFACT,RESULT,NUMCHANGE",
     "SETTLEMENT,SETLINK,DLLINK,'MOIST','15.000','0'", ""},
    {"HVXGR04B", false, "SETTLEMENT,SETLINK,DLLINK,UNITS,PRICE,NUMCHANGE",
     "SETTLEMENT,SETLINK,DLLINK,UNITSSET,PRICEUNIT,'0'", ""},
    {"HVXGR04C", false, "SETTLEMENT,SETLINK,DLLINK,DEDUCT,AMOUNT,DA,ASSEMBLY,SOURCE,NUMCHANGE",
     "SETTLEMENT,SETLINK,DLLINK,'CHECKOFF','1.25','D',SOURCEREF,SOURCE,'0'", ""},
    // An assembly link names the record number of the line's destination, as
    // the save writes it; a line's own link would name another destination,
    // whose reversal would then copy links that are not its own.
    {"HVXGR04H", false, "FLINK,ASSEMBLY,SETTLINK",
     "(SELECT CAST(RECNO AS TEXT) FROM HVXGR04F WHERE HVXGR04F.DLLINK = HVXGR04D.DLLINK),"
     "SOURCEREF,SETLINK",
     kDelivered},
    {"HVXGR04E", true, "SETTLEMENT,SETLINK,PAYNAME,PNTYPE,NUMCHANGE",
     "SETTLEMENT,SETLINK,CUSTNAME,'0','0'", ""},
    {"HVXGR04G", true, "LINK,COMMDATE,COMMENT", "SETLINK,SETTDATE,'Settled as agreed.'", ""},
    {"HVXGR02", false, "ASSEMBLY,SETTLED", "SOURCEREF,'T'", kDelivered},
    {"HVXGR02S", false,
     "ASSEMBLY,CONTRACT,COMMODITY,LOCATION,DPR,CUSTREF,SHAREUNITS,SETTUNITS,PSETUNITS,SETTLED,"
     "LINEID",
     "SOURCEREF,'',COMMODITY,LOCATION,FROMDPR,CUSTREF,UNITSSET,UNITSSET,UNITSSET,'T',DLLINK",
     kDelivered},
    {"HVXGR03A", false,
     "SCALETICK,ASSEMBLY,ASSEMLINK,STDLINEID,CONTRACT,CUSTREF,DPRSTATUS,UNITS,UNITSSET,PRICE,"
     "SETTLED",
     "DLLINK,SOURCEREF,DLLINK,DLLINK,'',CUSTREF,FROMDPR,UNITSSET,UNITSSET,PRICEUNIT,'T'",
     kDelivered},
    {"HVXGR03G", false, "TICKETNUM,ASSEMBLY,TEST,RESULT,NETUNITS,PREMDISC",
     "DLLINK,SOURCEREF,'MOIST','15.0',UNITSSET,'0.00'", kDelivered},
    {"HVXGR05", false,
     "CONTRACT,CUSTREF,CUSTNAME,COMMODITY,BUYREF,CTYPE,DATEEST,CQTY,QTYRECV,OCQTY,DELPRICE,"
     "STATUS",
     "CONTRACT,CUSTREF,CUSTNAME,COMMODITY,'',TODPR,SETDTE,UNITSSET,UNITSSET,'0.0000',PRICEUNIT,"
     "'C'",
     kContracted},
    {"HVXGR01", false, "CONTRACT", "CONTRACT", kContracted},
    {"HVXGR01G", false, "CONTRACT,GRADFACT,SCHEDULE", "CONTRACT,'MOIST',''", kContracted},
    {"HVXGR57", false,
     "CUSTREF,CUSTNAME,ADVDATE,SOURCE,SOURCEREF,SETTLEMENT,AMOUNT,RAMOUNT,CHECKNUM,OPENPAID,"
     "SETTLELINK,SETITEM,ADVLINK,NUMCHANGE",
     "CUSTREF,CUSTNAME,SETDTE,SOURCE,SOURCEREF,SETTLEMENT,TOTPRICE,TOTPRICE,'','P',SETLINK,"
     "DLLINK,DLLINK,'0'",
     ""},
    {"HVXGR57A", false, "ADVLINK,CHECKNUM,AMOUNT,RDATE,SOURCELINK,PAIDLINK,NUMCHANGE",
     "DLLINK,'',TOTPRICE,SETDTE,SETLINK,'','0'", ""},
    {"HVXGR29", false,
     "TRANNUM,COMMODITY,LOCATION,ACTDATE,PROGRAM,SOURCE,DEST,NETUNITS,REFERENCE,STATUS,NUMCHANGE",
     "DLLINK,COMMODITY,LOCATION,SETDTE,'GRS',FROMDPR,TODPR,UNITSSET,SETTLEMENT,'O','0'", ""},
    {"HVXGRAR", true, "SOURCE,DESCRIPT,CUSTREF,REFERENCE,AMOUNT,STATUS,NUMCHANGE",
     "'GRS','Settlement',CUSTREF,SETTLEMENT,CHECKAMT,'O','0'", ""},
    // A direct shipment per settlement, a load per line.
    {"HVXGR07", true,
     "REFERENCE,SHIPDATE,CUSTNAME,CUSTREF,STATUS,POSTED,COMPLETED,SHIPLINK,NUMCHANGE",
     "SETTLEMENT,SETTDATE,CUSTNAME,CUSTREF,'C',POSTED,'T',SETLINK,'0'", ""},
    {"HVXGR07A", false,
     "REFERENCE,CONTRACT,NETUNITS,PRICE,GROSSAMT,NETAMT,WGHTDATE,SETDATE,POSTED,GLPOSTED,"
     "SHIPLINK,NUMCHANGE,DLLINK",
     "SETTLEMENT,CONTRACT,UNITSSET,PRICEUNIT,TOTPRICE,TOTPRICE,SETDTE,SETDTE,POSTED,GLPOSTED,"
     "SETLINK,'0',DLLINK",
     ""},
    {"HVXGR07D", false, "DEDUCTION,AMOUNT,DLLINK,SHIPLINK,NUMCHANGE",
     "'CHECKOFF','1.25',DLLINK,SETLINK,'0'", ""},
    {"HVXGR07G", false, "GRADFACT,RESULT,DLLINK,SHIPLINK,NUMCHANGE",
     "'MOIST','15.0',DLLINK,SETLINK,'0'", ""},
    {"HVXGR07C", true, "LINK,COMMDATE,COMMENT", "SETLINK,SETTDATE,'Shipped as agreed.'", ""},
    // A collateral warehouse receipt per settlement, long since closed.
    {"HVXGR08", true, "CWRREF,CWRLINK,VENREF,ISSUDATE,UNITS,SETTDATE,OPENCLOSE,NUMCHANGE",
     "SETTLEMENT,SETLINK,CUSTREF,ADTE,CHECKAMT,SETTDATE,'C','0'", ""},
}};

bool Write(const FollowingRows& rows, long long from, long long to, std::string& error) {
    long long first = 0;
    if (!FirstRecord(rows.table, first, error)) return false;
    // Each row keeps its settlement's or line's place in the numbering,
    // shifted to where the table's own numbers go on.
    const std::string shift = std::to_string(first - from);
    std::string sql = std::string("INSERT INTO ") + rows.table + " (" + rows.columns +
                      ",RECNO) SELECT " + rows.values + ",RECNO + " + shift + " FROM " +
                      (rows.perSettlement ? "HVXGR04" : "HVXGR04D") +
                      " WHERE RECNO >= " + std::to_string(from) + " AND RECNO < " +
                      std::to_string(to);
    if (*rows.only) sql += std::string(" AND ") + rows.only;
    return RunNative(nullptr, sql, {}, nullptr, error) &&
           SetRecordCounter(rows.table, first + (to - from), error);
}

}  // namespace

bool WriteFollowingRows(const Numbering& start, const Numbering& end, std::string& error) {
    for (const FollowingRows& rows : kFollowingRows) {
        const bool written =
            rows.perSettlement ? Write(rows, start.link, end.link, error)
                               : Write(rows, start.lineRecno, end.lineRecno, error);
        if (!written) return false;
    }
    return UpdateStatistics(error);
}

// A PostgreSQL server would gather statistics of the new rows in its own
// time; until then it plans for the tables as they were, and may plan the
// module's statements for a few rows where there are millions. SQLite keeps
// statistics only when asked, and the module never asks, so its planner
// takes every table for a large one.
bool UpdateStatistics(std::string& error) {
    if (Session::Kind() != EngineKind::PostgreSQL) return true;
    for (const data::TableDesc& table : data::AllTables())
        if (!RunNative(nullptr, std::string("ANALYZE ") + table.name, {}, nullptr, error))
            return false;
    return true;
}

bool FirstRecord(const char* table, long long& first, std::string& error) {
    first = static_cast<long long>(NextRecordNumber(table));
    if (first < 1) error = std::string("Unable to take the next record number of ") + table + ".";
    return first >= 1;
}

bool SetRecordCounter(const char* table, long long next, std::string& error) {
    return RunNative(nullptr,
                     "UPDATE HVXNEXTNUM SET NEXTVAL = ? WHERE TABLENAME = ? AND COLNAME = 'RECNO'",
                     {Param::Number(static_cast<double>(next)), Param::Text(table)}, nullptr,
                     error);
}

}  // namespace hvx::admin
