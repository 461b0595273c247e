// Repaying advances: the amount walks a list of advances, each taking what is
// still open on it, and every part taken is written as a repayment row, so an
// advance's repaid amount stays the sum of its rows.
#include <cstdlib>

#include "platform/Dates.h"
#include "platform/Format.h"
#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "platform/NextNumbers.h"
#include "platform/Rounding.h"
#include "platform/Statements.h"
#include "platform/Text.h"
#include "settlement/GrainAdvanceObject.h"

namespace hvx::settlement {
namespace {

const char* const kSameSource =
    "SELECT AMOUNT,RAMOUNT,RECNO,ADVLINK FROM HVXGR57 WHERE OPENPAID = ? AND CUSTREF = ? AND "
    "SOURCE = ? AND SOURCEREF = ? ORDER BY ADVDATE";
const char* const kAllSources =
    "SELECT AMOUNT,RAMOUNT,RECNO,ADVLINK FROM HVXGR57 WHERE OPENPAID = ? AND CUSTREF = ? ORDER "
    "BY ADVDATE";
const char* const kByRecno = "SELECT AMOUNT,RAMOUNT,RECNO,ADVLINK FROM HVXGR57 WHERE RECNO = ?";
const char* const kUpdateRepaid = "UPDATE HVXGR57 SET RAMOUNT=?, OPENPAID=? WHERE RECNO=?";
const SqlPair kInsertRepayment{
    "INSERT INTO HVXGR57A (ADVLINK,CHECKNUM,AMOUNT,RDATE,SOURCELINK,PAIDLINK,NUMCHANGE,RECNO) "
    "VALUES ('%s','%s','%0.2f',{%s},'%s','%s','%s',%.0f)",
    "INSERT INTO HVXGR57A (ADVLINK,CHECKNUM,AMOUNT,RDATE,SOURCELINK,PAIDLINK,NUMCHANGE,RECNO)  "
    "VALUES (?,?,?,?,?,?,?,?)"};

const char* const kUpdateFailed = "Unable to update HVXGR57.";
const char* const kNotApplied = "Unable to apply full advance payment amount.";
const char* const kInsertFailed = "HVXGR57A Insert Failed.";
const char* const kLiteralInsertFailed = "Unable to update HVXGR57A.";

// One repayment row: its link, check number, amount, date, settlement and
// line, under a new record number.
bool InsertRepayment(Statements& sql, const SqlValues& values, const char* failure,
                     std::string& message) {
    const double recno = NextRecordNumber("HVXGR57A");
    SqlValues args = values;
    args.emplace_back("0");
    args.emplace_back(recno);
    if (recno == 0 || sql.Change(kInsertRepayment, args) < 1) {
        message = failure;
        return false;
    }
    return true;
}

}  // namespace

// Walks the advances of the query in order until the amount is used; the
// amount left comes back in `amount`. Amounts are kept to the cent at every
// step, so no fraction of a cent is left over to write a 0.00 repayment.
bool GrainAdvanceObject::ApplyToAdvances(HVXConnection& connection, std::string_view sql,
                                         const SqlValues& values, const AdvanceRepayer& repayer,
                                         double& amount, std::string& message) {
    amount = HVXRound(amount, 2);
    if (amount <= 0) return true;
    std::vector<SqlRow> advances;
    if (!PreparedStatements(connection).Query({{}, sql}, values, 4, advances)) {
        message = connection.LastError();
        return false;
    }
    for (const SqlRow& advance : advances) {
        const double repaid = TextNumber(advance[1]);
        const double open = HVXRound(TextNumber(advance[0]) - repaid, 2);
        // An advance with nothing open takes nothing: a 0.00 repayment row
        // would record no money.
        if (open <= 0) continue;
        const double part = amount <= open ? amount : open;
        const char* status = part == open ? "P" : "O";
        if (PreparedStatements(connection)
                .Change({{}, kUpdateRepaid}, {_HVXsprintf("%.2f", HVXRound(repaid + part, 2)),
                                              status, _Fmt("%.0f", TextNumber(advance[2]))}) < 1) {
            message = kUpdateFailed;
            return false;
        }
        if (!RecordRepayment(connection, advance[3], repayer, part, message)) return false;
        amount = HVXRound(amount - part, 2);
        if (amount <= 0) break;
    }
    return true;
}

bool GrainAdvanceObject::ApplyAutomatically(HVXConnection& connection, std::string_view custRef,
                                            std::string_view source, std::string_view sourceRef,
                                            const AdvanceRepayer& repayer, double amount,
                                            std::string& message) {
    const std::string customer(custRef);
    // The advances paid against the grain's own source are repaid first.
    if (!ApplyToAdvances(connection, kSameSource,
                         {"O", customer, std::string(source), std::string(sourceRef)}, repayer,
                         amount, message))
        return false;
    // What is still open of the same source after the first pass is nothing,
    // so the second pass reaches the customer's other advances.
    if (!ApplyToAdvances(connection, kAllSources, {"O", customer}, repayer, amount, message))
        return false;
    if (HVXRound(amount, 2) != 0) {
        message = kNotApplied;
        return false;
    }
    return true;
}

bool GrainAdvanceObject::ApplyToChosen(HVXConnection& connection, const std::vector<double>& chosen,
                                       const AdvanceRepayer& repayer, double amount,
                                       std::string& message) {
    for (double recno : chosen) {
        if (recno == 0) continue;
        if (!ApplyToAdvances(connection, kByRecno, {_Fmt("%.0f", recno)}, repayer, amount, message))
            return false;
        if (amount <= 0) break;
    }
    // The selection dialog does not close while any of the amount is left.
    return true;
}

bool GrainAdvanceObject::RecordRepayment(HVXConnection& connection, std::string_view advLink,
                                         const AdvanceRepayer& repayer, double amount,
                                         std::string& message) {
    PreparedStatements sql(connection);
    return InsertRepayment(sql,
                           {advLink, repayer.checkNumber, amount, CurrentDate(),
                            repayer.settlementLink, repayer.lineLink},
                           kInsertFailed, message);
}

bool GrainAdvanceObject::RecordRepayment(HVXSConnection& connection, const AdvanceRepaymentRow& row,
                                         std::string& message) {
    std::string date = row.date;
    SQLFmtDate(date);
    LiteralStatements sql(connection);
    return InsertRepayment(
        sql, {row.advLink, row.checkNumber, row.amount, date, row.sourceLink, row.paidLink},
        kLiteralInsertFailed, message);
}

}  // namespace hvx::settlement
