// The destination record of a reversing copy and the child rows that hang
// on it. Grade factors are copied unchanged; units, amounts and repayments
// are negated, so the copy's totals cancel the original's.
#include <cstdlib>

#include "platform/Dates.h"
#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/NextNumbers.h"
#include "platform/Rounding.h"
#include "settlement/GrainAdvanceObject.h"
#include "settlement/ReversalCopy.h"

#include "platform/Fail.h"
namespace hvx::settlement {
namespace {

const char* const kDestinationColumns =
    "SELECT SETTLEMENT,DESTLINK,COMMODITY,SETDTE,ISDATE,ISRATE,ISDUE,STATUS,PPAIDDATE,AMTPREPAID,"
    "SRATEDATE,STORECOL,OUNITS,SSDATE,SCRATE,CONTRACT,UNITSSET,TODPR,CUSTREF,CUSTNAME,AVGPRICE,"
    "GROSSAMT,NETAMT,STYPE,LOCATION,SUBMITTED,RECNO FROM HVXGR04F WHERE ";
const char* const kInsertDestination =
    "INSERT INTO HVXGR04F (SETTLEMENT,DESTLINK,SETLINK,DLLINK,COMMODITY,SETDTE,ISDATE,ISRATE,"
    "ISDUE,STATUS,PPAIDDATE,AMTPREPAID,SRATEDATE,STORECOL,OUNITS,SSDATE,SCRATE,CONTRACT,UNITSSET,"
    "TODPR,CUSTREF,CUSTNAME,AVGPRICE,GROSSAMT,NETAMT,STYPE,LOCATION,SUBMITTED,REVERSED,NUMCHANGE,"
    "RECNO) VALUES ('%s','%s','%s','%s','%s',{%s},{%s},'%s',{%s},'%s',{%s},'%s','%s','%s','%s',"
    "{%s},'%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s',%.0f)";
const char* const kMarkDestination = "UPDATE HVXGR04F SET REVERSED='T',STATUS='C' WHERE RECNO=%s";
const char* const kAssemblyLinks = "SELECT ASSEMBLY FROM HVXGR04H WHERE FLINK = '%s'";
const char* const kInsertAssemblyLink =
    "INSERT INTO HVXGR04H (FLINK,ASSEMBLY,SETTLINK,RECNO) VALUES ('%s','%s','%s',%.0f)";

const char* const kGrades =
    "SELECT SETTLEMENT,DLLINK,GRADFACT,RESULT FROM HVXGR04A WHERE SETLINK='%s' AND DLLINK='%s'";
const char* const kInsertGrade =
    "INSERT INTO HVXGR04A (SETTLEMENT,SETLINK,DLLINK,GRADFACT,RESULT,NUMCHANGE,RECNO) VALUES "
    "('%s','%s','%s','%s','%s','0',%.0f)";
const char* const kUnits =
    "SELECT SETTLEMENT,DLLINK,UNITS,PRICE FROM HVXGR04B WHERE SETLINK='%s' AND DLLINK='%s'";
const char* const kInsertUnits =
    "INSERT INTO HVXGR04B (SETTLEMENT,SETLINK,DLLINK,UNITS,PRICE,NUMCHANGE,RECNO) VALUES "
    "('%s','%s','%s','%s','%s','0',%.0f)";
const char* const kDeductions =
    "SELECT SETTLEMENT,DLLINK,DEDUCT,AMOUNT,DA,ASSEMBLY,SOURCE FROM HVXGR04C WHERE SETLINK='%s' "
    "AND DLLINK='%s'";
const char* const kInsertDeduction =
    "INSERT INTO HVXGR04C (SETTLEMENT,SETLINK,DLLINK,DEDUCT,AMOUNT,DA,ASSEMBLY,SOURCE,NUMCHANGE,"
    "RECNO) VALUES ('%s','%s','%s','%s','%s','%s','%s','%s','0',%.0f)";
const char* const kRepaymentsOfLine =
    "SELECT ADVLINK,CHECKNUM,AMOUNT,RDATE FROM HVXGR57A WHERE PAIDLINK='%s'";
const char* const kRepaymentsOfSettlement =
    "SELECT ADVLINK,CHECKNUM,AMOUNT,RDATE FROM HVXGR57A WHERE SOURCELINK='%s'";
const char* const kPayNames = "SELECT SETTLEMENT,PAYNAME,PNTYPE FROM HVXGR04E WHERE SETLINK='%s'";
const char* const kInsertPayName =
    "INSERT INTO HVXGR04E (SETTLEMENT,SETLINK,PAYNAME,PNTYPE,NUMCHANGE,RECNO) VALUES "
    "('%s','%s','%s','%s','0',%.0f)";

const char* const kNoDestination = "Error unable to locate HVXGR04F record for this settlement.";
const char* const kDestinationFailed = "Error inserting record into HVXGR04F.";
const char* const kAssemblyLinkFailed = "Error inserting HVXGR04H record.";
const char* const kDestinationNotMarked = "Error updating HVXGR04F record.";
const char* const kGradeFailed = "Error inserting record into HVXGR04A.";
const char* const kUnitsFailed = "Error inserting record into HVXGR04B.";
const char* const kDeductionFailed = "Error inserting record into HVXGR04C.";
const char* const kRepaymentFailed = "Error inserting record into HVXGR57A.";
const char* const kAdvanceFailed = "Error updating HVXGR57 record.";
const char* const kPayNameFailed = "Error inserting record into HVXGR04E.";

std::string SqlDate(std::string date) {
    SQLFmtDate(date);
    return date;
}

// A child table copied row by row: its rows of one settlement (and line),
// each written again under a new record number, the last value of its insert.
struct ChildCopy {
    const char* select;
    int columns;
    const char* table;
    const char* insert;
    const char* failure;
};

const ChildCopy kAssemblyLinkCopy{kAssemblyLinks, 1, "HVXGR04H", kInsertAssemblyLink,
                                  kAssemblyLinkFailed};
const ChildCopy kGradeCopy{kGrades, 4, "HVXGR04A", kInsertGrade, kGradeFailed};
const ChildCopy kUnitsCopy{kUnits, 4, "HVXGR04B", kInsertUnits, kUnitsFailed};
const ChildCopy kDeductionCopy{kDeductions, 7, "HVXGR04C", kInsertDeduction, kDeductionFailed};
const ChildCopy kPayNameCopy{kPayNames, 3, "HVXGR04E", kInsertPayName, kPayNameFailed};

// A record number of 0 means the next-number service gave none.
bool Insert(HVXSConnection& connection, const char* insert, const SqlRow& texts, double recno,
            const char* failure, std::string& message) {
    SqlValues values = ValuesOf(texts);
    values.emplace_back(recno);
    return (recno != 0 && LiteralStatements(connection).Change({insert}, values) >= 1) ||
           Fail(message, failure);
}

// Each row read is turned into the texts of its insert.
template <class MakeTexts>
bool CopyRows(HVXSConnection& connection, const ChildCopy& child, const SqlValues& keys,
              std::string& message, MakeTexts makeTexts) {
    std::vector<SqlRow> rows;
    if (!LiteralStatements(connection).Query({child.select}, keys, child.columns, rows))
        return Fail(message, child.failure);
    for (const SqlRow& row : rows) {
        const double recno = NextRecordNumber(child.table);
        if (!Insert(connection, child.insert, makeTexts(row), recno, child.failure, message))
            return false;
    }
    return true;
}

bool CopyDestinationRecord(HVXSConnection& connection, const DestinationCopy& c,
                           std::string& message) {
    const bool bySettlement = c.fromLineLink.empty();
    const std::string select =
        std::string(kDestinationColumns) + (bySettlement ? "SETLINK='%s'" : "DLLINK='%s'");
    LiteralStatements sql(connection);
    std::vector<SqlRow> rows;
    if (!sql.Query({select}, {bySettlement ? c.fromSetLink : c.fromLineLink}, 27, rows) ||
        rows.empty())
        return Fail(message, kNoDestination);
    for (const SqlRow& f : rows) {
        const double recno = NextRecordNumber("HVXGR04F");
        const SqlRow texts{c.toSettlement,
                           f[1],
                           c.toSetLink,
                           c.toLineLink,
                           f[2],
                           SqlDate(f[3]),
                           SqlDate(f[4]),
                           f[5],
                           SqlDate(f[6]),
                           f[7],
                           SqlDate(f[8]),
                           f[9],
                           f[10],
                           f[11],
                           NegateText(f[12]),
                           SqlDate(f[13]),
                           f[14],
                           f[15],
                           NegateText(f[16]),
                           f[17],
                           f[18],
                           f[19],
                           f[20],
                           NegateText(f[21]),
                           NegateText(f[22]),
                           f[23],
                           f[24],
                           f[25],
                           "T",
                           "0"};
        if (!Insert(connection, kInsertDestination, texts, recno, kDestinationFailed, message))
            return false;
        const std::string flink = _HVXsprintf("%.0f", recno);
        if (!CopyRows(connection, kAssemblyLinkCopy, {f[26]}, message, [&](const SqlRow& r) {
                return SqlRow{flink, r[0], c.toSetLink};
            }))
            return false;
        if (sql.Change({kMarkDestination}, {f[26]}) < 1)
            return Fail(message, kDestinationNotMarked);
    }
    return true;
}

bool CopyRepayments(HVXSConnection& connection, const DestinationCopy& c, std::string& message) {
    const bool bySettlement = c.fromLineLink.empty();
    std::vector<SqlRow> rows;
    if (!LiteralStatements(connection)
             .Query({bySettlement ? kRepaymentsOfSettlement : kRepaymentsOfLine},
                    {bySettlement ? c.fromSetLink : c.fromLineLink}, 4, rows))
        return Fail(message, kRepaymentFailed);
    for (const SqlRow& r : rows) {
        const double amount = HVXRound(std::atof(r[2].c_str()), 2);
        const AdvanceRepaymentRow copy{.advLink = r[0],
                                       .checkNumber = r[1],
                                       .amount = -amount,
                                       .date = r[3],
                                       .sourceLink = c.toSetLink,
                                       .paidLink = c.toLineLink};
        if (!GrainAdvanceObject::RecordRepayment(connection, copy, message))
            return Fail(message, kRepaymentFailed);
        if (!GrainAdvanceObject::GiveBack(connection, r[0], amount))
            return Fail(message, kAdvanceFailed);
    }
    return true;
}

}  // namespace

bool CopyDestination(HVXSConnection& connection, const DestinationCopy& c, std::string& message) {
    if (!CopyDestinationRecord(connection, c, message)) return false;
    const SqlValues keys{c.fromSetLink, c.fromLineLink};
    return CopyRows(connection, kGradeCopy, keys, message,
                    [&](const SqlRow& r) {
                        return SqlRow{c.toSettlement, c.toSetLink, c.toLineLink, r[2], r[3]};
                    }) &&
           CopyRows(
               connection, kUnitsCopy, keys, message,
               [&](const SqlRow& r) {
                   return SqlRow{c.toSettlement, c.toSetLink, c.toLineLink, NegateText(r[2]), r[3]};
               }) &&
           CopyRows(connection, kDeductionCopy, keys, message,
                    [&](const SqlRow& r) {
                        return SqlRow{c.toSettlement,   c.toSetLink, c.toLineLink, r[2],
                                      NegateText(r[3]), r[4],        r[5],         r[6]};
                    }) &&
           CopyRepayments(connection, c, message);
}

bool CopyPayNames(HVXSConnection& connection, const DestinationCopy& c, std::string& message) {
    return CopyRows(connection, kPayNameCopy, {c.fromSetLink}, message, [&](const SqlRow& r) {
        return SqlRow{c.toSettlement, c.toSetLink, r[1], r[2]};
    });
}

}  // namespace hvx::settlement
