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

// A record number of 0 means the next-number service gave none.
bool Insert(HVXSConnection& connection, const std::string& sql, double recno, const char* failure,
            std::string& message) {
    return (recno != 0 && connection.ExecSQLChange(sql) >= 1) || Fail(message, failure);
}

// The child table copy: each row read, turned into its insert for a new
// record number.
template <class MakeInsert>
bool CopyRows(HVXSConnection& connection, const std::string& select, int columns, const char* table,
              const char* failure, std::string& message, MakeInsert makeInsert) {
    std::vector<SqlRow> rows;
    if (!LiteralStatements(connection).Query({select}, {}, columns, rows))
        return Fail(message, failure);
    for (const SqlRow& row : rows) {
        const double recno = NextRecordNumber(table);
        if (!Insert(connection, makeInsert(row, recno), recno, failure, message)) return false;
    }
    return true;
}

bool CopyDestinationRecord(HVXSConnection& connection, const DestinationCopy& c,
                           std::string& message) {
    const std::string select =
        std::string(kDestinationColumns) + (c.fromLineLink.empty()
                                                ? _HVXsprintf("SETLINK='%s'", c.fromSetLink)
                                                : _HVXsprintf("DLLINK='%s'", c.fromLineLink));
    std::vector<SqlRow> rows;
    if (!LiteralStatements(connection).Query({select}, {}, 27, rows) || rows.empty())
        return Fail(message, kNoDestination);
    for (const SqlRow& f : rows) {
        const double recno = NextRecordNumber("HVXGR04F");
        const std::string insert =
            _HVXsprintf(kInsertDestination, c.toSettlement, f[1], c.toSetLink, c.toLineLink, f[2],
                        SqlDate(f[3]), SqlDate(f[4]), f[5], SqlDate(f[6]), f[7], SqlDate(f[8]),
                        f[9], f[10], f[11], NegateText(f[12]), SqlDate(f[13]), f[14], f[15],
                        NegateText(f[16]), f[17], f[18], f[19], f[20], NegateText(f[21]),
                        NegateText(f[22]), f[23], f[24], f[25], "T", "0", recno);
        if (!Insert(connection, insert, recno, kDestinationFailed, message)) return false;
        const std::string flink = _HVXsprintf("%.0f", recno);
        if (!CopyRows(connection, _HVXsprintf(kAssemblyLinks, f[26]), 1, "HVXGR04H",
                      kAssemblyLinkFailed, message, [&](const SqlRow& r, double n) {
                          return _HVXsprintf(kInsertAssemblyLink, flink, r[0], c.toSetLink, n);
                      }))
            return false;
        if (connection.ExecSQLChange(_HVXsprintf(kMarkDestination, f[26])) < 1)
            return Fail(message, kDestinationNotMarked);
    }
    return true;
}

bool CopyRepayments(HVXSConnection& connection, const DestinationCopy& c, std::string& message) {
    const std::string select = c.fromLineLink.empty()
                                   ? _HVXsprintf(kRepaymentsOfSettlement, c.fromSetLink)
                                   : _HVXsprintf(kRepaymentsOfLine, c.fromLineLink);
    std::vector<SqlRow> rows;
    if (!LiteralStatements(connection).Query({select}, {}, 4, rows))
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
    const std::string lineLink = c.fromLineLink;
    const auto childSelect = [&](const char* sql) {
        return _HVXsprintf(sql, c.fromSetLink, lineLink);
    };
    return CopyRows(connection, childSelect(kGrades), 4, "HVXGR04A", kGradeFailed, message,
                    [&](const SqlRow& r, double n) {
                        return _HVXsprintf(kInsertGrade, c.toSettlement, c.toSetLink, c.toLineLink,
                                           r[2], r[3], n);
                    }) &&
           CopyRows(connection, childSelect(kUnits), 4, "HVXGR04B", kUnitsFailed, message,
                    [&](const SqlRow& r, double n) {
                        return _HVXsprintf(kInsertUnits, c.toSettlement, c.toSetLink, c.toLineLink,
                                           NegateText(r[2]), r[3], n);
                    }) &&
           CopyRows(connection, childSelect(kDeductions), 7, "HVXGR04C", kDeductionFailed, message,
                    [&](const SqlRow& r, double n) {
                        return _HVXsprintf(kInsertDeduction, c.toSettlement, c.toSetLink,
                                           c.toLineLink, r[2], NegateText(r[3]), r[4], r[5], r[6],
                                           n);
                    }) &&
           CopyRepayments(connection, c, message);
}

bool CopyPayNames(HVXSConnection& connection, const DestinationCopy& c, std::string& message) {
    return CopyRows(connection, _HVXsprintf(kPayNames, c.fromSetLink), 3, "HVXGR04E",
                    kPayNameFailed, message, [&](const SqlRow& r, double n) {
                        return _HVXsprintf(kInsertPayName, c.toSettlement, c.toSetLink, r[1], r[2],
                                           n);
                    });
}

}  // namespace hvx::settlement
